#pragma once
// The application's one print set-up: the printer, paper and orientation that the print window
// and the visitor log both print with, so a page set-up made in one is in force in the other.
// Main thread only. A replaced set-up is kept until the program ends, because a print run on its
// own thread may still be drawing into it.

#include <memory>

class QPrinter;

// The set-up in force; the system's default printer at high resolution until one is stored.
QPrinter &printInfo();
// Stores a new set-up (ignored when it is null).
void setPrintInfo(std::unique_ptr<QPrinter> printer);

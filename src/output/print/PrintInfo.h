#pragma once
// The application's one print set-up: the printer, paper and orientation that the print window
// and the visitor log both print with, so a page set-up made in one is in force in the other.
// Main thread only. A replaced set-up is kept until the program ends, because a print run on its
// own thread may still be drawing into it.

#include <memory>

class QPrinter;
class QString;

// The set-up in force; the system's default printer at high resolution until one is stored.
QPrinter &printInfo();
// Stores a new set-up (ignored when it is null).
void setPrintInfo(std::unique_ptr<QPrinter> printer);

// A printer for one print run, set up as the shared set-up is (printer or PDF output, page
// layout, copies, duplex, colour) and never the output file of an earlier run: a run that
// failed, or a PDF file chosen once, leaves nothing behind in the set-up later runs start from.
std::unique_ptr<QPrinter> Fresh_Print_Setup();

// Why `printer` cannot print, in one line for the user; empty when it can.
QString Printer_Unavailable(const QPrinter &printer);

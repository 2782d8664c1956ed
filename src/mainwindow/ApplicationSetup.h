#pragma once
// The application as a user gets it: the main window over a document with every service,
// writer, test and provider of the subsystems installed. `app/main.cpp` starts here and so do
// the window tests, so a journey in a test runs on exactly the joins a user gets.
//
//     SKTDocument document;
//     std::unique_ptr<SKTWindowController> window = Set_Up_Application(document);
//     window->awakeFromNib(designPath);
//
// What the window's own construction installs (the hub answering the core, the canvases, the
// picture services, the archives and the property panel; the barcode pictures; visitor mode,
// the profile dialogs and group mode) is joined to interfaces without empty defaults; what
// lower folders keep as replaceable functions (the series in-use test) is installed here and
// taken back when the window goes.

#include <QStringList>
#include <memory>

class SKTDocument;
class SKTWindowController;

std::unique_ptr<SKTWindowController> Set_Up_Application(SKTDocument &document);

// Whether every join the set-up makes is in place for `window`: none left at its default.
// The names of those that are not; empty when all are.
QStringList Missing_Application_Joins(const SKTWindowController &window);

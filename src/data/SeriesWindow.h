#pragma once
// What the series windows share: their background, and one way to run any of them modally that
// tests replace with a runner which fills the fields and clicks instead of waiting for a person.

#include <QDialog>
#include <functional>

using SeriesModalRunner = std::function<int(QDialog &)>;
// Installs a runner for every series window (an empty one restores exec); returns the old one.
SeriesModalRunner Set_Series_Modal_Runner(SeriesModalRunner runner);
// Runs the window modally and returns the code it ended with.
int Run_Series_Window(QDialog &window);

// The common light-blue background of the data windows.
void Style_Series_Window(QWidget *window);

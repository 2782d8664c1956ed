#include "data/SeriesWindow.h"
#include "canvas/ScriptedModal.h"
#include "canvas/WidgetUtilities.h"

#include <QPalette>

namespace {
SeriesModalRunner &runner()
{
    static SeriesModalRunner r;
    return r;
}
}  // namespace

SeriesModalRunner Set_Series_Modal_Runner(SeriesModalRunner r)
{
    std::swap(r, runner());
    return r;
}

int Run_Series_Window(QDialog &window)
{
    const int code = runner() ? runShownModal(window, runner()) : window.exec();
    window.hide();
    return code;
}

void Style_Series_Window(QWidget *window)
{
    Apply_Window_Background(window);
}

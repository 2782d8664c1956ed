#pragma once
// A modal dialog that tests can drive: runModal() hands the dialog to an installed runner (which
// clicks its buttons and returns the code) instead of waiting for a person. One runner slot per
// dialog class.

#include <QDialog>
#include <functional>
#include <utility>

// Hands a dialog to a test's runner shown and modal, as exec() would show it, so the runner
// meets what a user meets (and nothing behind it is within reach); hidden again afterwards.
template <class Dialog, class Runner>
int runShownModal(Dialog &dialog, const Runner &runner)
{
    const Qt::WindowModality modality = dialog.windowModality();
    if (modality == Qt::NonModal)
        dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    const int result = runner(dialog);
    dialog.hide();
    dialog.setWindowModality(modality);
    return result;
}

template <class Dialog>
class ScriptedModal {
public:
    using ModalRunner = std::function<int(Dialog &)>;
    // Installs a runner and returns the previous one (an empty runner shows the real dialog).
    static ModalRunner setModalRunner(ModalRunner runner)
    {
        std::swap(runner, slot());
        return runner;
    }

protected:
    static int runScripted(Dialog &dialog)
    {
        if (slot())
            return runShownModal(dialog, slot());
        return dialog.exec();
    }

private:
    static ModalRunner &slot()
    {
        static ModalRunner runner;
        return runner;
    }
};

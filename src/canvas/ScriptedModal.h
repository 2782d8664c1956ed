#pragma once
// A modal dialog that tests can drive: runModal() hands the dialog to an installed runner (which
// clicks its buttons and returns the code) instead of waiting for a person. One runner slot per
// dialog class.

#include <QDialog>
#include <functional>
#include <utility>

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
            return slot()(dialog);
        return dialog.exec();
    }

private:
    static ModalRunner &slot()
    {
        static ModalRunner runner;
        return runner;
    }
};

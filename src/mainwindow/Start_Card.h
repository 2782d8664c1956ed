#pragma once
// The start dialog: how the user begins (template, card wizard, saved design, visitor mode,
// group mode). A choice goes into the start mode `Start_Card_Option` and ends the modal run
// with 1; Cancel empties the start mode and ends it with 0.

#include <QDialog>
#include <functional>

class Start_Card : public QDialog {
    Q_OBJECT
public:
    explicit Start_Card(QWidget *parent = nullptr);

    // Shows the dialog modally and returns 1 for a choice, 0 for Cancel. Tests install a runner
    // that clicks instead of waiting for a person.
    int runModal();
    using ModalRunner = std::function<int(Start_Card &)>;
    static ModalRunner setModalRunner(ModalRunner runner);

    // Index 0..4 sets the start mode to "T", "W", "L", "V" or "G" (any other index leaves it) and
    // ends the run with 1.
    void Select_card_option(int index);
    // The codes of the way out: Quit, and closing the window (which over an open design goes
    // back to it instead).
    static constexpr int QuitCode = 2;
    static constexpr int ClosedCode = 3;

public slots:
    void Using_Template_Click();
    void Using_Wizard_Click();
    void Open_Log_Click();
    void Using_Visitor_Click();
    void Using_Group_Batch_Click();
    void OK_Click();
    void CancelClick();
    void HelpClick();
    void Quit_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
};

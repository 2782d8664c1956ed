#pragma once
// The column re-mapping dialog of an open group project: which spreadsheet column feeds each
// profile field and each custom field of the side in work, and which fields the side shows.
// OK writes the twelve bindings and the side's custom-field entries (Apply_Column_Remap, which
// tests call without the dialog); the caller re-lays the card. Cancel changes nothing.

#include "core/DesignCommands.h"
#include "groupmode/GroupData.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

class GroupMode;
class GroupModeWindow;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

// The dialog as OK reads it.
struct ColumnRemap {
    // Selected item of the twelve combos (0 "None", k column k, -1 no choice) and the name
    // combo's text.
    std::array<int, groupmode::kBindings> combos{};
    QString nameText;
    struct Custom {
        QString id;
        int combo = -1;  // selected item; -1 no choice (the row is skipped)
        bool shown = false;
    };
    std::vector<Custom> custom;
};

// Writes a re-mapping into the bindings and the side's dynamic control list. Answers the refusal
// (nothing written) or empty; `nameChanged` tells whether the name column moved.
QString Apply_Column_Remap(const ColumnRemap &remap, groupmode::GroupData &data, std::vector<DynamicControlRow> &list,
                           bool *nameChanged = nullptr);

class Update_XL_Column : public QDialog {
    Q_OBJECT
public:
    Update_XL_Column(GroupModeWindow &window, GroupMode &mode, QWidget *parent = nullptr);
    ~Update_XL_Column() override;
    // The one dialog of the run; nullptr before the first re-mapping.
    static Update_XL_Column *defaultInstance();

    // Fills the dialog for the side in work and runs it: 1 after OK, 0 after Cancel.
    int Open_Wnd();
    using ModalRunner = std::function<int(Update_XL_Column &)>;
    static ModalRunner setModalRunner(ModalRunner runner);

    void Reset_All_Combo_Box();
    void Set_Checkbox_State();
    void Create_Dynamic_Control();
    void Reset_Dynamic_Control();
    void Add_Value_control(const QString &id, const QString &text, bool visible, int column);
    // The custom row's text field ("T") or check box ("C") of an id; nullptr when none.
    QWidget *Get_Dynamic_Ctrl(const QString &id, const QString &kind) const;
    ColumnRemap choice() const;
    // The ten field check boxes as OK left them.
    std::array<bool, groupmode::kTextFields> fieldShown() const;

    // --- outlets (objectName = outlet name) ---
    QLineEdit *Pass_proj_name, *Pass_proj_path, *Pass_excel_file;
    std::array<QLabel *, groupmode::kBindings> labels{};
    std::array<QComboBox *, groupmode::kBindings> combos{};
    std::array<QCheckBox *, groupmode::kTextFields> value_chk{};
    QGroupBox *Column_Box, *New_Ctrl_Box;
    QStringList table_col_name_arr;
    bool loading = false;
    int counter = 1;
    bool Enable_Cust_Ctrl = true;
    struct CustomRow {
        QLineEdit *text;
        QCheckBox *check;
        QComboBox *combo;
    };
    std::vector<CustomRow> view_array_value;

public slots:
    void OKPressed();
    void CancelPressed();

private:
    void comboChanged(QComboBox *combo);

    GroupModeWindow &m_window;
    GroupMode &m_mode;
    QGridLayout *m_customGrid;
};

// Export as template: the open design saved as a user template (a design file in template mode
// plus a preview picture) in the user template folder, from which the template gallery offers it.

#include "core/Globals.h"
#include "core/Utilities.h"
#include "data/export/CardExport.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Template_Wizard.h"
#include "platform/Paths.h"

#include <QLineEdit>

void SKTWindowController::Export_As_Template_Clicked()
{
    Export_Template dialog(this);
    dialog.setWindowTitle(tr("Export as Template"));
    dialog.userFolder = platform::joinPath(Created_Resource_Path, QStringLiteral("Templates"), QStringLiteral("User"));
    export_template_name.clear();
    if (dialog.runModal() != 1 || export_template_name.isEmpty())
        return;
    Export_As_Template(dialog.userFolder, export_template_name);
}

bool SKTWindowController::Export_As_Template(const QString &folder, const QString &name)
{
    Create_Folder(folder, 0700);
    const QString base = platform::joinPath(folder, name);
    // The old template stays until its successor is written: both files are replaced whole.
    DesignSaveRequest request;
    request.showMessages = false;
    request.mode = QStringLiteral("T");
    if (!::Save_project_file(Current_Design_Data(), base + QLatin1Char('.') + design_file_EXT, request).saved()) {
        Show_MessageBox(QStringLiteral("Template could not be exported."));
        return false;
    }
    ExportChoice choice;
    choice.export_card_side = CARD_SIDE_STR == QLatin1String("2") ? QStringLiteral("BOTH") : QStringLiteral("F");
    choice.format = QStringLiteral("png");
    choice.combined = true;
    const QSizeF card = Front_card_Prop->Card_Size();
    choice.sideBySide = !(card.width() > card.height());
    choice.dpi = 150;  // a gallery preview
    CardExport preview(Set_Front_Back_Value_To_Print_Export_Mail(), choice);
    preview.replace_keep_file_flag = Replace_All;
    if (preview.Export_Single_File(base + QStringLiteral(".png"), false) < 1)
        return false;
    Show_MessageBox(QStringLiteral("Template exported successfully."));
    return true;
}

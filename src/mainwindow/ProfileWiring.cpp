#include "mainwindow/ProfileWiring.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "output/mail/MailSettings.h"
#include "output/mail/MailWindows.h"
#include "platform/UiServices.h"
#include "visitor/ProfileDialogBase.h"
#include "visitor/ProfileHost.h"
#include "visitor/ProfileLayout.h"
#include "visitor/Show_User_Profile.h"
#include "visitor/User_Profile_Class.h"
#include "visitor/User_profile.h"
#include "visitor/VisitorMode.h"
#include "visitor/Visitor_Log_Records.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kWiringName = QStringLiteral("ProfileWiring");

class ProfileWiring : public QObject, public ProfileHost, public LiveModePanel {
public:
    explicit ProfileWiring(SKTWindowController &w)
        : QObject(&w), m_w(w), side(new Show_User_Profile(*this, &w)), wizard(new User_profile(*this, &w))
    {
        setObjectName(kWiringName);
        // Visitor mode owns the live face and hands the profile calls on; a panel put in place
        // before the window (a test's) keeps its place.
        if (auto *visitor = dynamic_cast<VisitorMode *>(&liveModePanel())) {
            visitor->setProfilePanel(this);
            m_visitor = visitor;
        }
        m_previousMailer = Visitor_Log_Records::Set_Visitor_Pass_Mailer(
            [this](const QString &file, const QString &subject) { mailPass(file, subject); });
    }
    ~ProfileWiring() override
    {
        Visitor_Log_Records::Set_Visitor_Pass_Mailer(m_previousMailer);
        if (m_visitor && &liveModePanel() == m_visitor)
            m_visitor->setProfilePanel(nullptr);
    }

    // --- ProfileHost ---
    User_Profile_Class &Front_user_profile() override { return m_w.Front_user_profile; }
    User_Profile_Class &Back_user_profile() override { return m_w.Back_user_profile; }
    User_Profile_Class &TEMP_user_profile() override { return m_w.TEMP_user_profile; }
    SKTDocument *document() override { return &m_w.document(); }
    bool Excel_Binding_Use() override { return ::Excel_Binding_Use; }
    void Set_Excel_Binding_Use(bool use) override { ::Excel_Binding_Use = use; }
    QString Excel_Source_Path() override { return ::Excel_Source_Path; }
    void Set_Excel_Source_Path(const QString &path) override { ::Excel_Source_Path = path; }
    QString NO_Image_Path() override { return m_w.NO_Image_Path; }
    QStringList Allowd_Image_fileTypes() override { return m_w.Allowd_Image_fileTypes; }
    // The window's one table; the table itself forgets its columns and rows on a refill.
    Data_From_Excel &Excel_Table() override { return m_w.Excel_Table(); }
    ExcelTableHost *Excel_Table_Host() override { return &m_w.Excel_Table(); }
    void Temp_Design_Control_Assign() override { m_w.Temp_Design_Control_Assign(); }
    void Fill_User_profile_info_TEMP_side(const QString &) override
    {
        if (SKTGraphicView *temp = m_w._graphicView_TEMP)
            Lay_User_Profile(m_w.TEMP_user_profile, *temp, ProfilePhotoRule::Temp,
                             [this](const QString &id, const QString &value) { return Get_Control_Rect_From_Template(id, value); });
    }
    void Batch_Series_Button() override { m_w.Batch_Series_Button(); }
    // The camera window comes with the camera subsystem; the dialogs keep Camera disabled.
    QString Take_Camera_Picture() override { return {}; }

    // --- the live face's profile calls ---
    void Open_User_Profile_Window(int keep, const QString &load, const QString &total) override
    {
        open(keep != 0, load, total);
    }
    QRectF Get_Control_Rect_From_Template(const QString &id, const QString &) override
    {
        // The front card's orientation picks the template for both sides; a square is landscape.
        const QSizeF card = m_w.Front_card_Prop->Card_Size();
        const bool landscape = card.width() >= card.height();
        int slot = -1;
        for (int i = 0; i < 11 && slot < 0; ++i) {
            if (id == Profile_Value_Id(i) || id == Profile_Caption_Id(i))
                slot = i;
        }
        if (slot < 0 && id == QLatin1String("Fup_Photo"))
            slot = 10;
        if (slot < 0)
            return {};
        const QString stem = slot < 10 ? side->rows[size_t(slot)].stem : QStringLiteral("photo");
        QWidget *box = landscape ? side->horz_template : side->vert_template;
        auto *holder = box->findChild<QWidget *>(stem + (landscape ? QStringLiteral("_default") : QStringLiteral("_default_V")));
        QRectF rect = holder ? QRectF(holder->geometry()) : QRectF();
        // A caption stands just above its value.
        if (id.startsWith(QLatin1String("Fup_lbl_")))
            rect.translate(0, -10);
        return rect;
    }

    int open(bool keep, const QString &load, const QString &total)
    {
        // The wizard road keeps the wizard dialog's entries once a profile has been filled.
        const bool wizardRoad = Trim_Str(load).isEmpty();
        const int result = ::Open_User_Profile_Window(*side, *wizard, wizardRoad ? ::Fill_User_Profile : keep, load, total);
        if (result == 1)
            ::Fill_User_Profile = true;
        // The panel's list offers the spreadsheet as the design now binds one.
        if (::Excel_Binding_Use)
            m_w.Add_Excel_Col_Name_In_Combo(m_w.Data_source_type);
        else
            m_w.Remove_Excel_Col_Name_In_Combo(m_w.Data_source_type);
        if (m_w.Excel_Table().rowCount() > 0 && Browse_Excel_AGAIN)
            dropOldSheetBindings();
        return result;
    }
    // Another workbook replaced the one the card's columns meant: the side on show forgets its
    // columns, and so does the other side when it uses any.
    void dropOldSheetBindings()
    {
        const int shown = Card_Front_Or_Back != 0 ? 1 : 0;
        const SKTDocument &d = m_w.document();
        Drop_Excel_Bindings(Graphic_Pointers(d.graphicsOfSide(shown)));
        const int other = 1 - shown;
        const SKTGraphicList otherSide = Graphic_Pointers(d.graphicsOfSide(other));
        if ((other == 0 || CARD_SIDE_STR == QLatin1String("2")) && Check_Side_Excel_Binding_Is_Used(otherSide))
            Drop_Excel_Bindings(otherSide);
        m_w.Refresh_Canvas();
    }
    // Lays the side's profile on its canvas; nothing while no profile has been filled.
    bool laySide(int s)
    {
        SKTGraphicView *canvas = m_w.canvasOfSide(s);
        if (!::Fill_User_Profile || !canvas)
            return false;
        Lay_User_Profile(s == 0 ? m_w.Front_user_profile : m_w.Back_user_profile, *canvas,
                         s == 0 ? ProfilePhotoRule::Front : ProfilePhotoRule::Back,
                         [this](const QString &id, const QString &value) { return Get_Control_Rect_From_Template(id, value); });
        return true;
    }
    void User_Profile_Button_Clicked()
    {
        const int s = Card_Front_Or_Back != 0 ? 1 : 0;
        if (open(true, s ? QStringLiteral("B") : QStringLiteral("F"), CARD_SIDE_STR) == 1 && laySide(s)) {
            m_w.Insert_In_Undo_Redo();
            m_w.selectArrowTool();
        }
        m_w.Show_RHS_Properties(nullptr);
        m_w.Refresh_Canvas();
    }
    void Visitor_Log_Clicked()
    {
        if (!m_log)
            m_log = new Visitor_Log_Records(&m_w);
        m_log->Open_Log_Wnd();
    }

    // The mail window with the pass as a plain message's attachment, recipients left to the user.
    // The pass file goes once this returns, so a send still running is waited for.
    void mailPass(const QString &file, const QString &subject)
    {
        Send_Mail mail(&m_w);
        mail.account = Get_Email_Details();
        mail.from_txt->setText(mail.account.sender_email);
        mail.subject_txt->setText(subject);
        mail.attachment->setText(file);
        mail.attachment->setEnabled(false);
        mail.rd_without_barcode->setChecked(true);
        mail.send_with_batch_chk->setEnabled(false);
        mail.send_with_excel_chk->setEnabled(false);
        platform::ui().runModal(mail.objectName(), QString(), [&mail] { return mail.exec(); });
        mail.waitForRun();
    }

    SKTWindowController &m_w;
    Visitor_Log_Records::PassMailer m_previousMailer;
    Show_User_Profile *side;
    User_profile *wizard;
    Visitor_Log_Records *m_log = nullptr;
    VisitorMode *m_visitor = nullptr;
};

ProfileWiring *wiringOf(SKTWindowController &window)
{
    return static_cast<ProfileWiring *>(window.findChild<QObject *>(kWiringName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void Install_Profile_Wiring(SKTWindowController &window, QMenu &menu)
{
    auto *wiring = new ProfileWiring(window);
    if (window.text_tool_btn) {
        auto *grid = qobject_cast<QGridLayout *>(window.text_tool_btn->parentWidget()->layout());
        auto *b = new QToolButton(window.text_tool_btn->parentWidget());
        b->setObjectName(QStringLiteral("User_Profile_btn"));
        b->setText(QObject::tr("Profile"));
        b->setToolTip(QObject::tr("Profile fields of the side on show"));
        b->setAutoRaise(true);
        b->setFixedSize(80, 28);
        QObject::connect(b, &QToolButton::clicked, wiring, [wiring] { wiring->User_Profile_Button_Clicked(); });
        if (grid)
            grid->addWidget(b, grid->rowCount(), 0, 1, 2);
    }
    auto *log = new QAction(QObject::tr("Visitor Log…"), &menu);
    log->setObjectName(QStringLiteral("Visitor_Log_menu"));
    QObject::connect(log, &QAction::triggered, wiring, [wiring] { wiring->Visitor_Log_Clicked(); });
    const QList<QAction *> items = menu.actions();
    QAction *before = nullptr;
    for (qsizetype i = 0; i + 1 < items.size(); ++i) {
        if (items[i]->text() == QObject::tr("Start…"))
            before = items[i + 1];
    }
    menu.insertAction(before, log);
}

void Fill_User_profile_Details(SKTWindowController &window)
{
    if (ProfileWiring *wiring = wiringOf(window)) {
        wiring->laySide(0);
        if (CARD_SIDE_STR == QLatin1String("2"))
            wiring->laySide(1);
    }
}

#include "mainwindow/ProfileWiring.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/CardSide.h"
#include "core/SKTDocument.h"
#include "core/SKTRenderingView.h"
#include "core/Utilities.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imaging/Camera.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/VisitorWiring.h"
#include "output/mail/MailSettings.h"
#include "output/mail/Direct_Mail.h"
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
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kWiringName = QStringLiteral("ProfileWiring");

class ProfileWiring : public QObject, public ProfileHost, public LiveProfilePanel {
public:
    explicit ProfileWiring(SKTWindowController &w)
        : QObject(&w), m_w(w)
    {
        setObjectName(kWiringName);
        // Visitor mode owns the live face and hands the profile calls on.
        if (auto *visitor = Visitor_Mode_Of(w)) {
            visitor->setProfilePanel(this);
            m_visitor = visitor;
        }
        m_previousMailer = Visitor_Log_Records::Set_Visitor_Pass_Mailer(
            [this](const QString &file, const QString &subject) { mailPass(file, subject); });
    }
    ~ProfileWiring() override
    {
        Visitor_Log_Records::Set_Visitor_Pass_Mailer(m_previousMailer);
        if (m_visitor && installedLiveModePanel() == m_visitor)
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
    QString Take_Camera_Picture() override
    {
        QString picture;
        return Camera::Take_Picture(picture) == 1 ? picture : QString();
    }

    // The preview side holds copies of the current side's controls: laying the temp profile on
    // them never rewrites the card, and nothing of it reaches the undo history.
    void Temp_Design_Control_Assign() override
    {
        m_w.Temp_Design_Control_Assign(true);
        m_w.Select_temp_design_side();
        m_previewShown = true;
    }
    void Fill_User_profile_info_TEMP_side(const QString &) override
    {
        const int s = Card_Front_Or_Back == 1 ? 1 : 0;
        const bool filling = std::exchange(::Fill_User_Profile, true);
        Lay_User_Profile(m_w.TEMP_user_profile, *m_w.canvasOfSide(2), ProfilePhotoRule::Temp,
                         [this, s](const QString &id, const QString &) { return rectFromTemplate(s, id); });
        ::Fill_User_Profile = filling;
        m_w.canvasOfSide(2)->update();
        showPreviewWindow(s);
    }
    // The preview stands where the person at the dialog sees it: in a window of its own above
    // the dialog. The design area is hidden on the wizards' roads, and on a small screen the
    // dialog covers the card.
    void showPreviewWindow(int side)
    {
        QWidget *owner = m_openDialog;
        if (!owner)
            return;
        if (!m_preview) {
            m_preview = new QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
            m_preview->setObjectName(QStringLiteral("Profile_Preview_Wnd"));
            m_preview->setWindowTitle(QObject::tr("Preview"));
            auto *layout = new QVBoxLayout(m_preview);
            m_previewPicture = new QLabel(m_preview);
            m_previewPicture->setObjectName(QStringLiteral("profile_preview_picture"));
            m_previewPicture->setAlignment(Qt::AlignCenter);
            layout->addWidget(m_previewPicture);
        } else if (m_preview->parentWidget() != owner) {
            m_preview->setParent(owner, m_preview->windowFlags());
        }
        const Card_Property &card = side == 1 ? *m_w.Back_card_Prop : *m_w.Front_card_Prop;
        const CardSide laid = CardSide::copyOf(card, m_w.document().graphicsOfSide(2));
        const QRect screen = owner->screen() ? owner->screen()->availableGeometry() : QRect(0, 0, 1024, 700);
        QRect dialog = owner->frameGeometry();
        // Beside the dialog, as large as the screen leaves room for (the window's margins and
        // frame take about 40 points); over the dialog's corner only on a screen too narrow for both.
        const int wide = std::clamp(screen.width() - dialog.width() - 40, 200, 420);
        const QSizeF points = laid.cardRect.size();
        const double scale = std::min(wide / std::max(points.width(), 1.0), 420 / std::max(points.height(), 1.0));
        const QImage picture = SKTRenderingView::image_From_Card_Graphics(laid, 72.0 * std::min(scale, 3.0));
        m_previewPicture->setPixmap(QPixmap::fromImage(picture));
        m_preview->adjustSize();
        m_preview->show();  // shown first, so that its frame counts in the place worked out below
        const QSize size = m_preview->frameGeometry().size();
        const bool right = dialog.right() + 1 + size.width() <= screen.right() + 1;
        const bool left = dialog.left() - size.width() >= screen.left();
        if (!right && !left && dialog.width() + size.width() <= screen.width()) {
            // The dialog steps aside so that the two stand side by side.
            const int from = screen.left() + (screen.width() - dialog.width() - size.width()) / 2;
            owner->move(owner->pos() + QPoint(from - dialog.left(), 0));
            dialog = owner->frameGeometry();
        }
        int x = dialog.right() + 1 + size.width() <= screen.right() + 1 ? dialog.right() + 1
                : dialog.left() - size.width() >= screen.left()         ? dialog.left() - size.width()
                                                                        : screen.right() + 1 - size.width();
        x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
        const int y = std::clamp(dialog.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
        m_preview->move(x, y);
        m_preview->raise();
    }
    void Batch_Series_Button() override { m_w.Batch_Series_Button(); }
    // The preview goes when its dialog closes: the window shows the side in work again.
    void closePreview()
    {
        if (m_preview)
            m_preview->hide();
        if (!std::exchange(m_previewShown, false))
            return;
        m_w.document().removeAllGraphicsOnSide(2);
        if (Card_Front_Or_Back == 1)
            m_w.Select_back_side();
        else
            m_w.Select_front_side();
        m_w.selectArrowTool();
    }

    // --- the live face's profile calls ---
    void Open_User_Profile_Window(int keep, const QString &load, const QString &total) override
    {
        open(keep != 0, load, total);
    }
    QRectF Get_Control_Rect_From_Template(const QString &id, const QString &) override
    {
        return rectFromTemplate(Card_Front_Or_Back == 1 ? 1 : 0, id);
    }
    // The template follows the orientation of the side the control goes on (a portrait back of a
    // landscape card takes portrait places); a square card is landscape.
    QRectF rectFromTemplate(int cardSide, const QString &id)
    {
        const QSizeF card = (cardSide == 1 ? m_w.Back_card_Prop : m_w.Front_card_Prop)->Card_Size();
        const bool landscape = card.width() >= card.height();
        int slot = -1;
        for (int i = 0; i < 10 && slot < 0; ++i) {
            if (id == Profile_Value_Id(i) || id == Profile_Caption_Id(i))
                slot = i;
        }
        if (slot < 0 && id == QLatin1String("Fup_Photo"))
            slot = 10;
        QWidget *box = landscape ? sideDialog().horz_template : sideDialog().vert_template;
        const double height = box->height();
        if (slot < 0)
            return Template_Control_Rect(QRectF(), height, false);
        const QString stem = slot < 10 ? sideDialog().rows[size_t(slot)].stem : QStringLiteral("photo");
        auto *holder = box->findChild<QWidget *>(stem + (landscape ? QStringLiteral("_default") : QStringLiteral("_default_V")));
        QRectF frame = holder ? QRectF(holder->geometry()) : QRectF();
        frame.moveTop(height - frame.bottom());  // from the template's bottom, y upwards
        return Template_Control_Rect(frame, height, id.startsWith(QLatin1String("Fup_lbl_")));
    }

    int open(bool keep, const QString &load, const QString &total)
    {
        // The wizard road keeps the wizard dialog's entries once a profile has been filled.
        const bool wizardRoad = Trim_Str(load).isEmpty();
        m_openDialog = wizardRoad ? static_cast<QDialog *>(&wizardDialog()) : &sideDialog();
        const int result = ::Open_User_Profile_Window(sideDialog(), wizardDialog(), wizardRoad ? ::Fill_User_Profile : keep, load, total);
        m_openDialog = nullptr;
        closePreview();
        if (result == 1)
            ::Fill_User_Profile = true;
        Tidy_Spreadsheet_Bindings();
        return result;
    }
    // After either dialog: the main data-source list offers "Excel" exactly while the design is
    // bound to a spreadsheet, and when a new sheet replaced one with rows, controls bound to the
    // old sheet are unbound (the current side's profile fields keep their columns).
    void Tidy_Spreadsheet_Bindings()
    {
        QComboBox *combo = m_w.Data_source_type;
        if (::Excel_Binding_Use)
            m_w.Add_Excel_Col_Name_In_Combo(combo);
        else
            m_w.Remove_Excel_Col_Name_In_Combo(combo);
        if (Excel_Table().rowCount() < 1 || !Browse_Excel_AGAIN)
            return;
        if (combo && combo->currentIndex() == 2) {
            // Its selection handling runs again for the new sheet.
            combo->setCurrentIndex(0);
            combo->setCurrentIndex(2);
        }
        const int current = Card_Front_Or_Back == 1 ? 1 : 0, other = 1 - current;
        Drop_Excel_Bindings(Graphic_Pointers(m_w.document().graphicsOfSide(current)));
        if (other == 1 && CARD_SIDE_STR != QLatin1String("2"))
            return;
        Drop_Excel_Bindings(Graphic_Pointers(m_w.document().graphicsOfSide(other)), true);
    }
    // Lays the side's profile on its canvas; nothing while no profile has been filled.
    bool laySide(int s)
    {
        SKTGraphicView *canvas = m_w.canvasOfSide(s);
        if (!::Fill_User_Profile || !canvas)
            return false;
        Lay_User_Profile(s == 0 ? m_w.Front_user_profile : m_w.Back_user_profile, *canvas,
                         s == 0 ? ProfilePhotoRule::Front : ProfilePhotoRule::Back,
                         [this, s](const QString &id, const QString &) { return rectFromTemplate(s, id); });
        return true;
    }
    void User_Profile_Button_Clicked()
    {
        const int s = Card_Front_Or_Back != 0 ? 1 : 0;
        if (open(true, s ? QStringLiteral("B") : QStringLiteral("F"), CARD_SIDE_STR) == 1 && laySide(s)) {
            m_w.Insert_In_Undo_Redo();
            m_w.selectArrowTool();
            // On the desk the panel follows the card it has just been laid on.
            if (m_visitor)
                m_visitor->Refresh_Panel_From_Card(s);
        }
        m_w.Show_RHS_Properties(nullptr);
        m_w.Refresh_Canvas();
    }
    void View_Vistor_Record()
    {
        if (!m_log)
            m_log = new Visitor_Log_Records(&m_w);
        m_log->Open_Log_Wnd();
    }

    // The visitor details mail window with the pass; the pass file goes once this returns, so a
    // send still running is waited for.
    void mailPass(const QString &file, const QString &)
    {
        if (!m_directMail)
            m_directMail = new Direct_Mail(&m_w);
        m_directMail->Prepare(file);
        platform::ui().runModal(m_directMail->objectName(), QString(), [this] { return m_directMail->exec(); });
        m_directMail->waitForRun();
    }

    // The two dialogs are made when first needed (they kept the program's start waiting) and
    // then kept, so the wizard's entries stay from one opening to the next.
    Show_User_Profile &sideDialog()
    {
        if (!side)
            side = new Show_User_Profile(*this, &m_w);
        return *side;
    }
    User_profile &wizardDialog()
    {
        if (!wizard)
            wizard = new User_profile(*this, &m_w);
        return *wizard;
    }

    SKTWindowController &m_w;
    Visitor_Log_Records::PassMailer m_previousMailer;
    Show_User_Profile *side = nullptr;
    User_profile *wizard = nullptr;
    Visitor_Log_Records *m_log = nullptr;
    VisitorMode *m_visitor = nullptr;
    bool m_previewShown = false;
    QDialog *m_openDialog = nullptr;  // the profile dialog that is open, while it is
    QDialog *m_preview = nullptr;
    QLabel *m_previewPicture = nullptr;
    Direct_Mail *m_directMail = nullptr;
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
        auto tool = [&](const char *name, const QString &text, const QString &tip, void (ProfileWiring::*action)()) {
            auto *b = new QToolButton(window.text_tool_btn->parentWidget());
            b->setObjectName(QString::fromLatin1(name));
            b->setText(text);
            b->setToolTip(tip);
            b->setAutoRaise(true);
            b->setFixedSize(80, 28);
            QObject::connect(b, &QToolButton::clicked, wiring, [wiring, action] { (wiring->*action)(); });
            return b;
        };
        auto *b = tool("User_Profile_Btn", QObject::tr("Profile"), QObject::tr("Profile fields of the side on show"),
                       &ProfileWiring::User_Profile_Button_Clicked);
        // The visitor desk's records button, shown while a visitor pass is being filled.
        auto *records = tool("show_db_rcd_btn", QObject::tr("Visitors"),
                             QObject::tr("The visitor log: recorded visits, search, pass"), &ProfileWiring::View_Vistor_Record);
        records->hide();
        if (grid) {
            const int row = grid->rowCount();
            grid->addWidget(b, row, 0, 1, 2);
            grid->addWidget(records, row + 1, 0, 1, 2);
        }
    }
    auto *log = new QAction(QObject::tr("Visitor Log…"), &menu);
    log->setObjectName(QStringLiteral("Visitor_Log_menu"));
    QObject::connect(log, &QAction::triggered, wiring, [wiring] { wiring->View_Vistor_Record(); });
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

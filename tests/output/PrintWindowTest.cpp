// The print window: what its controls lock and count, the profiles it saves and applies, and a
// journey from the open window to a PDF.

#include "Press.h"
#include "TestSupport.h"

#include "output/print/Print_Wnd.h"
#include "platform/UiServices.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QFile>
#include <QLineEdit>
#include <QPageSize>
#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

PrintWindowState opened(bool twoSided, int dataRows = 0)
{
    PrintWindowState s;
    s.printers = {QStringLiteral("Office"), QStringLiteral("Save as PDF")};
    s.paper = Paper_Info_From_Page_Layout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                                      QPageLayout::Point));
    BatchSource data;
    data.Use_Excel_Binding_Values = dataRows > 0;
    data.excelRows = QList<QStringList>(dataRows, {QStringLiteral("1")});
    data.Get_total_Card_count();
    s.Open(twoSided, false, data, QSizeF(242.65, 153.07));
    return s;
}

TEST(PrintWindow, ArrangementsLockTheLayoutAndRangesCountRows)
{
    PrintWindowState s = opened(true);
    EXPECT_EQ(s.card_side_str(), QStringLiteral("BOTH"));
    s.rows = 2, s.cols = 2, s.horz_mar = 5, s.vert_mar = 4;
    struct Step {
        int arrangement;  // -1: fit on, -2: fit off
        bool locked, duplex;
        int rows;
        float gap;
    } steps[] = {{-1, true, false, 1, 0}, {-2, false, false, 2, 5},  // fit brings back what it locked
                 {3, true, true, 1, 0},   {0, false, false, 1, 0},   // "DU" locks; "UD" unlocks what it found
                 {4, true, true, 1, 0}};
    for (const Step &step : steps) {
        if (step.arrangement < 0)
            s.Fit_To_Frame_clicked(step.arrangement == -1);
        else
            s.print_alignment = step.arrangement, s.Set_Demo_align_image();
        EXPECT_EQ(s.rows_cols_enabled, !step.locked) << step.arrangement;
        EXPECT_EQ(s.gaps_enabled, !step.locked) << step.arrangement;
        EXPECT_EQ(s.layout.Duplex_Printing, step.duplex) << step.arrangement;
        EXPECT_EQ(std::make_pair(s.rows, s.cols), std::make_pair(step.rows, step.rows)) << step.arrangement;
        EXPECT_FLOAT_EQ(s.horz_mar, step.gap) << step.arrangement;
    }

    // Unticking the spreadsheet counts rows x columns; ticking it again counts its rows.
    PrintWindowState data = opened(true, 40);
    for (bool tick : {false, true, false, true}) {
        data.excel_chk = tick;
        data.Print_With_Data_Changed();
        EXPECT_EQ(std::make_pair(data.total, data.range_box_enabled), std::make_pair(tick ? 40 : 1, tick));
    }

    struct Range {
        int rows, arrangement, from, to, start, labels;
        const char *refusal;
        double paperWidth = 595.28;  // points; the paper line names it whatever it is
    } ranges[] = {{40, 0, 5, 12, 4, 8, ""}, {40, 3, 5, 12, 4, 16, ""}, {40, 0, 12, 5, 0, 0, "Please select valid range."},
                  {40, 0, 5, 12, 0, 0, "The paper has no width or height: set its size in Page Setup.", 0}};
    for (const Range &r : ranges) {
        PrintWindowState d = opened(true, r.rows);
        PaperInfo paper = d.paper;
        paper.paperSize.setWidth(r.paperWidth);
        d.Set_values_From_Printer(paper);
        EXPECT_EQ(d.Size_id, QString::asprintf("%.2f x 297.00", r.paperWidth * 25.4 / 72));
        EXPECT_TRUE(d.range_box_enabled);
        EXPECT_EQ(std::make_pair(d.total, d.total_max), std::make_pair(r.rows, r.rows));
        d.print_alignment = r.arrangement, d.Set_Demo_align_image();
        d.all = false, d.from = r.from, d.to = r.to;
        QString refusal;
        const PrintRun run = d.Execute_Printing(&refusal);
        EXPECT_EQ(refusal, QString::fromLatin1(r.refusal));
        if (refusal.isEmpty()) {
            EXPECT_EQ(std::make_pair(run.Print_Start, run.Total_Label), std::make_pair(r.start, r.labels));
        }
    }
}

TEST(PrintProfiles, SavedFieldsApplyBackAndBadNamesAreRefused)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    PrintWindowState s = opened(true);
    s.rows = 2, s.horz_mar = 3.5f, s.label_align_val = 6, s.crop = true, s.mirror = true, s.mirror_column = 1;
    s.print_alignment = 2, s.Set_Demo_align_image();
    const QStringList items = Print_Profile_Items(s, QStringLiteral("Office"));
    ASSERT_TRUE(Save_Print_Profile(dir.path(), QStringLiteral("Cards"), items));
    const auto read = testsupport::runTool(
        python, {QStringLiteral("-c"), QStringLiteral("import plistlib,sys; a=plistlib.load(open(sys.argv[1],'rb'));"
                                                      "print(len(a), all(type(x) is str for x in a), a[17], a[18], a[20])"),
                 Print_Profile_Path(dir.path(), QStringLiteral("Cards"))});
    EXPECT_EQ(read.out.trimmed(), QByteArray("26 True BOTH 2 FV"));

    PrintWindowState back = opened(true);
    ASSERT_TRUE(Read_and_load_profile_info(back, Read_Print_Profile(dir.path(), QStringLiteral("Cards"))));
    EXPECT_EQ(Print_Profile_Items(back, QStringLiteral("Office")), items);

    // Arrangements out of range are clamped; a printer that is gone leaves the current one.
    struct Apply {
        bool twoSided;
        const char *side, *index, *printer;
        int row, arrangement, printerIndex;
    } applies[] = {{true, "BOTH", "9", "Gone", 0, 4, 1}, {false, "BOTH", "3", "Office", 1, 1, 0}, {true, "B", "-4", "", 2, 0, 1}};
    for (const Apply &a : applies) {
        PrintWindowState t = opened(a.twoSided);
        t.printer = 1;
        QStringList profile = items;
        profile[0] = QString::fromLatin1(a.printer), profile[17] = QString::fromLatin1(a.side), profile[18] = QString::fromLatin1(a.index);
        ASSERT_TRUE(Read_and_load_profile_info(t, profile));
        EXPECT_EQ(t.side_row, a.row) << a.side;
        EXPECT_EQ(a.row == 0 ? t.print_alignment : t.print_alignment_one_side, a.arrangement) << a.index;
        EXPECT_EQ(t.printer, a.printerIndex) << a.printer;
    }
    EXPECT_FALSE(Read_and_load_profile_info(s, items.mid(0, 25)));

    struct Name {
        const char *typed, *refusal, *saved;
    } names[] = {{"???", "A name can't be made of \"?\" alone: a file name can't hold it. Please enter another name.", ""},
                 {"/Default/", "This is a Default profile name.\n\nPlease enter another profile name.", ""},
                 {"DEFAULT", "This is a Default profile name.\n\nPlease enter another profile name.", ""},
                 {"?.Staff", "A profile name can't begin with a dot: the profile would be hidden and not listed. Please enter another name.", ""},
                 {" Staff/Day ", "", "Staff_Day"}};
    for (const Name &n : names) {
        QString cleaned;
        EXPECT_EQ(Check_Profile_Name(QStringLiteral("Office"), QString::fromLatin1(n.typed), &cleaned), QString::fromLatin1(n.refusal));
        if (!*n.refusal) {
            EXPECT_EQ(cleaned, QString::fromLatin1(n.saved));
        }
    }
    // A rename writes the new profile before the old one goes; "Default" is never removed.
    ASSERT_TRUE(Save_Print_Profile(dir.path(), QStringLiteral("Default"), items));
    ASSERT_TRUE(Save_Print_Profile(dir.path(), QStringLiteral("Staff"), items, QStringLiteral("Cards")));
    ASSERT_TRUE(Save_Print_Profile(dir.path(), QStringLiteral("Guests"), items, QStringLiteral("Default")));
    QDir(dir.path()).mkdir(QStringLiteral("Blocked.vlp"));  // a rename whose write fails keeps the old file
    EXPECT_FALSE(Save_Print_Profile(dir.path(), QStringLiteral("Blocked"), items, QStringLiteral("Guests")));
    QDir(dir.path()).rmdir(QStringLiteral("Blocked.vlp"));
    EXPECT_EQ(Load_Print_Profile(dir.path()), (QStringList{QStringLiteral("Default"), QStringLiteral("Guests"), QStringLiteral("Staff")}));
}

struct Design {
    PrintRequest request;
    // A card with `dataRows` spreadsheet rows bound to it: one card each.
    explicit Design(bool twoSided, int dataRows = 0)
    {
        Card_Property card;
        card.setCard_Size(QSizeF(242.65, 153.07));
        card.setCard_fill_chk(true);
        std::vector<std::unique_ptr<SKTGraphic>> none;
        request.design.front = request.design.back = CardSide::copyOf(card, none);
        request.twoSided = twoSided;
        BatchSource &data = request.design.source;
        data.Use_Excel_Binding_Values = dataRows > 0;
        data.excelRows = QList<QStringList>(dataRows, {QStringLiteral("1")});
        data.Get_total_Card_count();
    }
};

// The page count of a PDF, as pdfinfo reads it; -1 when it reads none.
int pdfPages(const QString &pdfinfo, const QString &pdf)
{
    const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {pdf}).out);
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)\\n")).match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

TEST(PrintWindow, JourneyFromTheOpenWindowToAPdf)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("blocked"))).open(QIODevice::WriteOnly);
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf"));
    platform::ScopedScriptedUi ui;
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    bool checked = false;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind != QLatin1String("Print_Wnd"))
            return;
        const auto side = [&](int row) { return w.findChild<QRadioButton *>(QStringLiteral("matrix_card_side_%1").arg(row)); };
        if (!w.state.twoSided) {  // a one-sided design opens on the front alone
            EXPECT_TRUE(side(1)->isChecked());
            EXPECT_FALSE(side(0)->isEnabled() || side(2)->isEnabled());
            return;
        }
        w.Printer_ComboBox->setCurrentIndex(w.Printer_ComboBox->findText(QString::fromLatin1(kSaveAsPdfPrinter)));
        w.print_alignment->setCurrentIndex(3);
        w.Total_Text->setValue(3);
        EXPECT_FALSE(w.findChild<QWidget *>(QStringLiteral("Row_Text"))->isEnabled());
        testsupport::press(w.findChild<QPushButton *>(QStringLiteral("PrintButtonPressed")));
        checked = true;
    };
    w.Open_Print_Wnd(Design(false).request);
    ui->push(dir.filePath(QStringLiteral("cards")));  // typed without its extension
    w.Open_Print_Wnd(Design(true).request);
    ASSERT_TRUE(checked);
    const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {pdf}).out);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\n")))) << info.toStdString();

    // Adding profiles through the window: the name is checked as it will be saved.
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    QString typed;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind == QLatin1String("Add_Print_Profile"))
            w.profileDialog->Profile_name->setText(typed);
    };
    for (const char *name : {"???", "/Default/", "Staff"}) {
        typed = QString::fromLatin1(name);
        ui->push(1), ui->push(1);
        w.Add_profile_btn_clicked();
    }
    EXPECT_EQ(QDir(w.profileFolder).entryList(QDir::Files), QStringList{QStringLiteral("Staff.vlp")});

    // A profile that cannot be written says so.
    w.profileFolder = dir.filePath(QStringLiteral("blocked/profiles"));
    ui->clear();
    EXPECT_FALSE(w.Save_Print_Profile(QStringLiteral("Mine"), QStringLiteral("Office")));
    ASSERT_FALSE(ui->messages().isEmpty());
    EXPECT_TRUE(ui->messages().front().startsWith(QStringLiteral("Print Profile could not be saved."))) << ui->messages().front().toStdString();
}

// A program set up on a data folder of its own keeps its profiles there: two programs on two
// data folders (test runs side by side) never read or overwrite each other's profiles.
TEST(PrintProfiles, AreSavedInTheDataFolderTheProgramWasSetUpWith)
{
    testsupport::TempDataFolder folders;
    platform::ScopedScriptedUi ui;
    Print_Wnd w;
    ASSERT_TRUE(w.Save_Print_Profile(QStringLiteral("Mine"), QStringLiteral("Office")));
    EXPECT_TRUE(QFileInfo(QDir(folders.dataPath()).filePath(QStringLiteral("PrintProfile/Mine.vlp"))).isFile());
}

// The arrangement shows its picture, and the block-position buttons show where the cards go:
// the chosen one selected, the others plain.
TEST(PrintWindow, ArrangementAndPositionPicturesFollowTheChoice)
{
    testsupport::TempDataFolder folders;
    QTemporaryDir dir;
    platform::ScopedScriptedUi ui;
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    // Compared as the window keeps them, premultiplied: taking a half-transparent pixel back out of
    // that form rounds differently from one processor to the next.
    auto picture = [&](const char *name) {
        const QPixmap kept(QDir(folders.resourcePath()).filePath(QStringLiteral("print/%1.png").arg(name)));
        EXPECT_FALSE(kept.isNull()) << name;
        return kept.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    auto shown = [&] {
        return w.print_align_demo_pic->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    auto icon = [](QAbstractButton *b) {
        return b->icon().pixmap(QSize(40, 40)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    int checks = 0;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind != QLatin1String("Print_Wnd"))
            return;
        const char *const both[] = {"up-down-flip", "up-down", "left-rite", "both_up", "head_up_head_down"};
        for (int item = 0; item < 5; ++item) {
            w.print_alignment->setCurrentIndex(item);
            EXPECT_EQ(shown(), picture(both[item])) << item;
        }
        const struct {
            int row, item;
            const char *name;
        } single[] = {{1, 0, "front"}, {1, 1, "front_flip"}, {2, 0, "back"}, {2, 1, "back_flip"}};
        for (const auto &c : single) {
            testsupport::press(w.sideGroup->button(c.row));
            w.print_alignment_one_side->setCurrentIndex(c.item);
            EXPECT_EQ(shown(), picture(c.name)) << c.name;
        }
        const char *const normal[] = {"top_left", "top_center", "top_right", "middle_left", "middle_center",
                                      "middle_right", "bootom_left", "bootom_center", "boottom_right"};
        const char *const selected[] = {"top_left - sel",    "top_center - sel",    "top_right - sel",
                                        "middle_left - sel", "middle_center_sel",   "middle_right - sel",
                                        "bootom_left - sel", "bootom_center - sel", "boottom_right - sel"};
        for (const int chosen : {1, 5, 9}) {
            testsupport::press(w.alignGroup->button(chosen));
            for (int value = 1; value <= 9; ++value)
                EXPECT_EQ(icon(w.alignGroup->button(value)), picture(value == chosen ? selected[value - 1] : normal[value - 1]))
                    << chosen << " " << value;
        }
        ++checks;
    };
    w.Open_Print_Wnd(Design(true).request);
    EXPECT_EQ(checks, 1);
}

// Preview writes its PDF into a folder of the run's own, readable by the user alone, and opens
// it; a second preview reuses that folder.
TEST(PrintWindow, PreviewGoesToAPrivateFolder)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    platform::ScopedScriptedUi ui;
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    QStringList opened;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind == QLatin1String("openExternally"))
            opened << request.text;
        if (request.kind != QLatin1String("Print_Wnd"))
            return;
        for (int i = 0; i < 2; ++i)
            testsupport::press(w.findChild<QPushButton *>(QStringLiteral("PreviewButtonPressed")));
    };
    w.Open_Print_Wnd(Design(true).request);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]);
    const QFileInfo pdf(opened[0]);
    EXPECT_TRUE(pdf.isFile());
    EXPECT_NE(QDir(pdf.absolutePath()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
    const QFileInfo folder(pdf.absolutePath());
    EXPECT_EQ(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther |
                                      QFile::ExeGroup | QFile::ExeOther),
              QFile::Permissions());
    const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {pdf.filePath()}).out);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
}

// A Total, From or To typed key by key past the six cards ends at six, and the preview (duplex:
// a page per side of each card) prints what the fields show.
TEST(PrintWindow, CountsTypedPastTheCardsEndAtTheirCount)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    platform::ScopedScriptedUi ui;
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    const struct {
        QAbstractButton *range;  // All or Range
        QSpinBox *field;
        const char *typed;  // "1" is a count of its own; the next key passes the six cards
        int shown, pages;
    } cases[] = {{w.All_print_rd, w.Total_Text, "10", 6, 12},
                 {w.Sel_print_rd, w.To_Text, "10", 6, 12},
                 {w.Sel_print_rd, w.from_Text, "16", 6, 2}};
    int checked = 0;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind != QLatin1String("Print_Wnd"))
            return;
        w.print_alignment->setCurrentIndex(3);
        for (const auto &c : cases) {
            SCOPED_TRACE(c.field->objectName().toStdString() + " " + c.typed);
            ASSERT_TRUE(testsupport::press(c.range));
            testsupport::typeInto(c.field, QString::fromLatin1(c.typed), Qt::Key_unknown);
            EXPECT_EQ(c.field->text(), QString::number(c.shown));
            ui->clear();
            ASSERT_TRUE(testsupport::press(w.findChild<QPushButton *>(QStringLiteral("PreviewButtonPressed"))));
            ASSERT_EQ(ui->requests().size(), 1u) << "one preview opened, no box";
            EXPECT_EQ(pdfPages(pdfinfo, ui->requests()[0].text), c.pages);
            ++checked;
        }
    };
    w.Open_Print_Wnd(Design(true, 6).request);
    EXPECT_EQ(checked, 3);
}

// A preview no program can show is not lost in silence: the box names the PDF and its folder.
TEST(PrintWindow, APreviewNothingCanShowIsNamedWithItsFolder)
{
    QTemporaryDir dir;
    platform::ScopedScriptedUi ui;
    testsupport::FakeDesktop desk(3);
    ui->handToDesktop = true;
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        const testsupport::RunWindow runWindow(request.kind);
        if (request.kind == QLatin1String("Print_Wnd"))
            testsupport::press(w.findChild<QPushButton *>(QStringLiteral("PreviewButtonPressed")));
    };
    w.Open_Print_Wnd(Design(true).request);
    ASSERT_EQ(desk.opened().size(), 1);
    const QFileInfo pdf(desk.opened()[0]);
    EXPECT_TRUE(pdf.isFile());
    EXPECT_TRUE(ui->messages().contains(QStringLiteral("No program on this computer can open \"Print Preview.pdf\".\n\n"
                                                       "It is in the folder %1; open it from there once a program "
                                                       "for it is installed.")
                                            .arg(QDir::toNativeSeparators(pdf.absolutePath()))))
        << ui->messages().join('|').toStdString();
}

// Typed decimals stay, Return presses no button, and a custom paper with its margins comes back
// from a second page set-up's OK as typed, and from a third after the unit was switched and the
// page turned and turned back: key by key, in millimetres, 100.5 x 148 mm (a size the panel alone
// matched to a 100 x 148 postcard); a margin typed with a digit-group mark ("3,5", "1 000") keeps
// the margin in force instead of reading 35 or 100.
TEST(PrintWindow, TypedSizesRangeAndPageSetupKeepWhatWasTyped)
{
    QTemporaryDir dir;
    auto *panels = new testsupport::DrivenPanels;  // the page set-up panel really runs
    auto previous = platform::setUi(std::unique_ptr<platform::UiServices>(panels));
    Print_Wnd w;
    w.profileFolder = dir.filePath(QStringLiteral("profiles"));
    int runs = 0;  // the first run types a paper and margins, the second only presses OK
    QString kept;  // the right margin in force
    panels->drive[QStringLiteral("QPageSetupDialog")] = [&runs, &kept](QDialog &panel) {
        auto *units = panel.findChild<QComboBox *>(QStringLiteral("unitCombo"));
        if (runs == 2) {  // the third: inches, Landscape, Portrait, millimetres
            testsupport::choose(units, QStringLiteral("Inches (in)"));
            for (const char *turn : {"landscape", "portrait"})
                testsupport::press(panel.findChild<QRadioButton *>(QLatin1String(turn)));
            testsupport::choose(units, QStringLiteral("Millimeters (mm)"));
        }
        if (runs++ == 0) {
            testsupport::choose(panel.findChild<QComboBox *>(QStringLiteral("pageSizeCombo")), QStringLiteral("Custom"));
            testsupport::choose(units, QStringLiteral("Millimeters (mm)"));  // whatever the locale's own unit
            kept = QString::number(panel.findChild<QDoubleSpinBox *>(QStringLiteral("rightMargin"))->value(), 'f', 2);
            testsupport::typeShown(panel.findChild<QDoubleSpinBox *>(QStringLiteral("pageWidth")), QStringLiteral("100.5"));
            testsupport::typeShown(panel.findChild<QDoubleSpinBox *>(QStringLiteral("pageHeight")), QStringLiteral("148"));
            for (const QString typed : {"leftMargin 7.5", "topMargin 10.25", "rightMargin 3,5", "bottomMargin 1 000"})
                testsupport::typeInto(panel.findChild<QWidget *>(typed.section(' ', 0, 0)), typed.section(' ', 1, -1), Qt::Key_Tab);
        }
        testsupport::press(panel.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
    };
    panels->onRequest = [&](const platform::ScriptedUiServices::Request &request) {
        if (request.kind != QLatin1String("Print_Wnd"))
            return;
        w.show();  // as the window runs: Return in a field must press none of its buttons
        w.Printer_ComboBox->setCurrentIndex(w.Printer_ComboBox->findText(QString::fromLatin1(kSaveAsPdfPrinter)));
        // Each number field a user can reach, clicked into and left by Tab with nothing typed,
        // keeps its value and the window's state.
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        const auto values = [&w] {
            QStringList out = Print_Profile_Items(w.state, {});
            for (QAbstractSpinBox *field : w.findChildren<QAbstractSpinBox *>())
                out << field->objectName() + "=" + QString::number(field->property("value").toDouble(), 'g', 17);
            return out;
        };
        const QStringList before = values();
        int visited = 0;
        for (QAbstractSpinBox *field : w.findChildren<QAbstractSpinBox *>())
            if (testsupport::unreachable(field).isEmpty()) {
                QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
                visited += QApplication::focusWidget() == field;
                QTest::keyClick(field, Qt::Key_Tab);
            }
        EXPECT_GE(visited, 8) << "rows, columns, margins, sizes and copies";
        EXPECT_EQ(values(), before);
        for (auto [field, typed, shown] : {std::tuple<QAbstractSpinBox *, const char *, QString>{w.width_Text, "80.25", "80.25"},
                                           {w.horz_mar_Text, "4.75", "4.75"}, {w.Side_Margin_Text, "1.5", "1.50"}}) {
            testsupport::typeInto(field, QString::fromLatin1(typed));
            EXPECT_EQ(field->text(), shown);
        }
        EXPECT_NEAR(w.state.layout.label_width, 80.25 * 72 / 25.4, 1e-3);
        for (int i = 0; i < 3; ++i) {
            testsupport::press(w.findChild<QPushButton *>(QStringLiteral("pagesetup")));
            EXPECT_EQ(QStringList({w.Size_id->text(), w.l_mar_id->text(), w.t_mar_id->text(), w.r_mar_id->text(), w.b_mar_id->text()}),
                      QStringList({"100.50 x 148.00", "7.50", "10.25", kept, kept}))
                << i;
        }
    };
    w.Open_Print_Wnd(Design(true).request);
    EXPECT_EQ(runs, 3) << "the panel runs for the Page Setup button only";
    platform::setUi(std::move(previous));
}

}  // namespace

TEST(PrintProfiles, HostileValuesAreClampedToTheFieldsAndNonProfilesRefused)
{
    // On A4 with 18-pt margins a cell of both sides stacked (242.65 x 306.14 pt) fits 2 across
    // and 2 down with no gap.
    struct Clamp {
        const char *rows, *cols, *across, *down, *side;
        int wantRows, wantCols;
        float wantAcross, wantDown, wantSide;
    } clamps[] = {
        {"2147483647", "2147483647", "0", "0", "0", 2, 2, 0, 0, 0},
        {"-5", "0", "nan", "inf", "-inf", 1, 1, 0, 0, 0},
        {"1e12", "x", "1e39", "-40", "2000.5", 1, 1, 2000, 0, 2000},
        {"1000", "1000", "-3", "-3", "-3", 2, 2, 0, 0, 0},
    };
    const QStringList base = Print_Profile_Items(opened(true), QStringLiteral("Office"));
    for (const Clamp &c : clamps) {
        SCOPED_TRACE(c.rows);
        QStringList items = base;
        items[6] = QLatin1String(c.rows), items[7] = QLatin1String(c.cols);
        items[8] = QLatin1String(c.across), items[9] = QLatin1String(c.down), items[10] = QLatin1String(c.side);
        PrintWindowState s = opened(true);
        ASSERT_TRUE(Read_and_load_profile_info(s, items));
        EXPECT_EQ(s.rows, c.wantRows);
        EXPECT_EQ(s.cols, c.wantCols);
        EXPECT_EQ(s.horz_mar, c.wantAcross);
        EXPECT_EQ(s.vert_mar, c.wantDown);
        EXPECT_EQ(s.side_mar, c.wantSide);
        EXPECT_EQ(s.layout.Print_Row * s.layout.Print_Col, c.wantRows * c.wantCols);
    }

    QTemporaryDir dir;
    auto plist = [](const QByteArray &body) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">" + body + "</plist>";
    };
    QByteArray good = "<array>";
    for (const QString &item : base)
        good += "<string>" + item.toUtf8() + "</string>";
    good += "</array>";
    const struct {
        const char *name;
        QByteArray bytes;
        const char *refusal;
    } files[] = {
        {"Good", plist(good), ""},
        {"Huge", plist("<array>" + QByteArray("<string/>").repeated(2'000'000 / 100) + "</array>"),
         "Huge.vlp was refused: it is larger than 64 KiB."},
        {"Long", plist("<array>" + QByteArray("<string/>").repeated(40) + "</array>"),
         "Long.vlp was refused: it holds 40 values, not 26."},
        {"Nested", plist(QByteArray(good).replace("<string>Portrait</string>", "<dict/>")),
         "Nested.vlp was refused: it holds a value that is not a text."},
        {"Dict", plist("<dict/>"), "Dict.vlp was refused: it is not a print profile."},
    };
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        QFile out(Print_Profile_Path(dir.path(), QLatin1String(f.name)));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.bytes);
        out.close();
        QString refusal;
        const QStringList items = Read_Print_Profile(dir.path(), QLatin1String(f.name), &refusal);
        EXPECT_EQ(refusal, QLatin1String(f.refusal));
        EXPECT_EQ(items.size(), *f.refusal ? 0 : 26);
    }

    // A killed save leaves "<name>.vlp.XXXXXX"; the next save clears those of ours that are stale.
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    const struct {
        const char *name;
        bool old, stays;
    } temps[] = {{"P.vlp.AbC123", true, false}, {"Good.vlp.zzzzzz", true, false}, {"P.vlp.fresh1", false, true},
                 {"Notes.txt.Abc123", true, true}, {"P.vlp.toolong7", true, true}, {"P.vlp", true, true}};
    for (const auto &t : temps) {
        QFile f(dir.filePath(QLatin1String(t.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (t.old) {
            ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
    }
    ASSERT_TRUE(Save_Print_Profile(dir.path(), QStringLiteral("Saved"), base));
    for (const auto &t : temps)
        EXPECT_EQ(QFile::exists(dir.filePath(QLatin1String(t.name))), t.stays) << t.name;
}

// Design files as a user meets them: what another reader (python's plistlib) finds in them,
// what comes back after a save and an open, which files are refused, old records, templates,
// and a save killed half-way.

#include "ArchiveTestSupport.h"
#include "DesignTestSupport.h"
#include "TestSupport.h"
#include "core/ControlRecord.h"
#include "core/DesignFile.h"
#include "core/SKTLine.h"
#include "platform/Plist.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

using namespace designtest;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QVariantList rootOf(const DesignData &design, bool asTemplate = false)
{
    DesignWriteResult result;
    const std::optional<QVariantList> root = Design_To_Array(design, asTemplate, &result);
    EXPECT_TRUE(root.has_value()) << result.message().toStdString();
    return root.value_or(QVariantList());
}

DesignReadResult readRoot(const QVariantList &root)
{
    // Through the bytes, as a file would be read.
    return Design_From_Array(platform::plistParse(platform::plistSerialize(QVariant(root))));
}

}  // namespace

TEST(DesignFile, EmptyDesignWrites88EntriesThatPythonReads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.did"));
    DesignData empty;
    ASSERT_TRUE(Write_Design_File(path, empty, false).ok());

    const QJsonValue summary = archivetest::pythonPlist(
        fileBytes(path), QStringLiteral("[len(v), v[0], v[1], v[86], v[87], type(v[72]).__name__, type(v[73]).__name__, "
                                        "all(isinstance(x, str) for i, x in enumerate(v) if i not in (72, 73)), v[74:86]]"));
    const QJsonArray a = summary.toArray();
    ASSERT_EQ(a.size(), 9);
    EXPECT_EQ(a[0].toInt(), 88);
    EXPECT_EQ(a[1].toString(), QStringLiteral("VELKDESKBADGE"));
    EXPECT_EQ(a[2].toString(), QStringLiteral("L"));
    EXPECT_EQ(a[3].toString(), QStringLiteral("0"));
    EXPECT_EQ(a[4].toString(), QStringLiteral("0"));
    EXPECT_EQ(a[5].toString(), QStringLiteral("list"));
    EXPECT_EQ(a[6].toString(), QStringLiteral("list"));
    EXPECT_TRUE(a[7].toBool());
    for (const QJsonValue &column : a[8].toArray())
        EXPECT_EQ(column.toString(), QStringLiteral("-1"));
}

TEST(DesignFile, RecordsAsAnotherReaderSeesThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.did"));
    const DesignData design = fullDesign();
    ASSERT_TRUE(Write_Design_File(path, design, false).ok());
    // Each record: its letter, its length, and whether entry 25 is bytes.
    const QJsonValue seen = archivetest::pythonPlist(
        fileBytes(path), QStringLiteral("[[r[0], len(r), isinstance(r[25], bytes) if len(r) > 25 else None] "
                                        "for r in v[87:93] + v[94:100]] + [v[86], v[93], len(v), v[2 + 13], v[36 + 17], v[72]]"));
    const QJsonArray a = seen.toArray();
    ASSERT_EQ(a.size(), 18);
    const struct {
        const char *letter;
        int length;
    } expected[] = {{"L", 24}, {"T", 39}, {"D", 25}, {"I", 42}, {"B", 65}, {"S", 22}};
    for (int side = 0; side < 2; ++side) {
        for (int k = 0; k < 6; ++k) {
            const QJsonArray r = a[side * 6 + k].toArray();
            EXPECT_EQ(r[0].toString(), QLatin1String(expected[k].letter));
            EXPECT_EQ(r[1].toInt(), expected[k].length) << expected[k].letter;
            EXPECT_EQ(r[2].toBool(), k == 4) << expected[k].letter;
        }
    }
    EXPECT_EQ(a[12].toString(), QStringLiteral("6"));
    EXPECT_EQ(a[13].toString(), QStringLiteral("6"));
    EXPECT_EQ(a[14].toInt(), 88 + 12);
    EXPECT_EQ(a[15].toString(), QStringLiteral("2"));
    EXPECT_EQ(a[16].toString(), QStringLiteral("{12.5, -3}"));
    EXPECT_EQ(a[17].toArray().size(), 4);
}

TEST(DesignFile, SaveThenOpenGivesEqualControlsAndCards)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.did"));
    const DesignData design = fullDesign();
    ASSERT_TRUE(Write_Design_File(path, design, false).ok());
    const DesignReadResult read = Read_Design_File(path);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    const DesignData &back = *read.design;

    expectSameCard(design.front, back.front);
    expectSameCard(design.back, back.back);
    EXPECT_EQ(back.modeLetter, design.modeLetter);
    EXPECT_EQ(back.Excel_Binding_Use, design.Excel_Binding_Use);
    EXPECT_EQ(back.Excel_Source_Path, design.Excel_Source_Path);
    EXPECT_EQ(back.columnTitles, design.columnTitles);
    EXPECT_EQ(back.tableRows, design.tableRows);
    EXPECT_EQ(back.excelColumns, design.excelColumns);
    ASSERT_EQ(back.frontControls.size(), design.frontControls.size());
    ASSERT_EQ(back.backControls.size(), design.backControls.size());
    for (size_t i = 0; i < design.frontControls.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "front " << i);
        expectSameStoredFields(*design.frontControls[i], *back.frontControls[i]);
    }
    for (size_t i = 0; i < design.backControls.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "back " << i);
        expectSameStoredFields(*design.backControls[i], *back.backControls[i]);
    }
    // A loaded barcode shows its picture framed by its bounds.
    const SKTGraphic &barcode = *back.frontControls[4];
    EXPECT_EQ(barcode.bar_image_ctrl_bounds, barcode._bounds);
    EXPECT_TRUE(archivetest::samePixels(barcode._contents, design.frontControls[4]->_barcode_image));
    // Controls saved invisible come back (drawing skips them; dropping them would lose them).
    const bool anyInvisible = std::any_of(back.frontControls.begin(), back.frontControls.end(),
                                          [](const SKTGraphicPtr &g) { return !g->ctrl_is_visible; });
    EXPECT_TRUE(anyInvisible);
    // Saving what was read writes the same bytes again.
    const QString again = dir.filePath(QStringLiteral("again.did"));
    ASSERT_TRUE(Write_Design_File(again, back, false).ok());
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

TEST(DesignFile, BackgroundPathStoredOnlyForAnImageFill)
{
    DesignData design;
    design.front.setCard_fill_style(QStringLiteral("S"));
    design.front.setCard_BG_Image_Path(QStringLiteral("/old/picture.png"));
    design.back.setCard_fill_style(QStringLiteral("I"));
    design.back.setCard_BG_Image_Path(QStringLiteral("/kept/picture.png"));
    const QVariantList root = rootOf(design);
    ASSERT_EQ(root.size(), 88);
    EXPECT_EQ(root[2 + 24].toString(), QString());
    EXPECT_EQ(root[36 + 24].toString(), QStringLiteral("/kept/picture.png"));
}

TEST(DesignFile, TemplateWritesTAndEmptyTablesAndKeepsTheOpenDesignBound)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("User template.did"));
    DesignData design = fullDesign();
    for (const SKTGraphicPtr &g : design.frontControls)
        g->data_source_type = 1;
    ASSERT_TRUE(Write_Design_File(path, design, true).ok());

    const QJsonArray a = archivetest::pythonPlist(
                             fileBytes(path), QStringLiteral("[v[1], v[72], v[73], v[70], v[74:86], "
                                                             "[r[20:25] for r in v[87:93] + v[94:100] if r[0] in 'TIB']]"))
                             .toArray();
    ASSERT_EQ(a.size(), 6);
    EXPECT_EQ(a[0].toString(), QStringLiteral("T"));
    EXPECT_TRUE(a[1].toArray().isEmpty());
    EXPECT_TRUE(a[2].toArray().isEmpty());
    EXPECT_EQ(a[3].toString(), QStringLiteral("Y"));
    EXPECT_EQ(a[4].toArray().at(1).toString(), QStringLiteral("1"));
    const QJsonArray bindings = a[5].toArray();
    ASSERT_EQ(bindings.size(), 6);
    for (const QJsonValue &b : bindings)
        EXPECT_EQ(b.toArray(), QJsonArray({"0", "", "-1", "N", "-1"}));

    // The open design keeps every binding.
    for (const SKTGraphicPtr &g : design.frontControls) {
        if (g->kind() == SKTGraphicKind::Text || g->kind() == SKTGraphicKind::Image || g->kind() == SKTGraphicKind::Barcode) {
            EXPECT_NE(g->data_source_type, 0);
            EXPECT_TRUE(g->excel_binding);
            EXPECT_FALSE(g->batch_list_name.isEmpty());
        }
    }
    // The template opens with unbound controls.
    const DesignReadResult read = Read_Design_File(path);
    ASSERT_TRUE(read.ok());
    for (const SKTGraphicPtr &g : read.design->frontControls) {
        EXPECT_EQ(g->data_source_type, 0);
        EXPECT_FALSE(g->excel_binding);
    }
}

TEST(DesignFile, FailedRecordAbortsTheWholeSaveAndKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.did"));
    ASSERT_TRUE(Write_Design_File(path, fullDesign(), false).ok());
    const QByteArray before = fileBytes(path);

    struct Case {
        const char *name;
        std::function<void(DesignData &)> spoil;
    } cases[] = {
        {"control of no storable class", [](DesignData &d) { d.backControls.push_back(std::make_shared<SKTGraphic>()); }},
        {"missing control", [](DesignData &d) { d.frontControls.insert(d.frontControls.begin() + 1, nullptr); }},
        {"width not a number", [](DesignData &d) { d.backControls[2]->_strokeWidth = std::nan(""); }},
        {"infinite card size", [](DesignData &d) { d.back.setCard_Size(QSizeF(INFINITY, 10)); }},
        {"table row not a dictionary", [](DesignData &d) { d.tableRows.append(QStringLiteral("row")); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DesignData design = fullDesign();
        c.spoil(design);
        const DesignWriteResult result = Write_Design_File(path, design, false);
        EXPECT_EQ(result.status, DesignWriteResult::BuildFailed);
        EXPECT_TRUE(result.message().startsWith(QString::number(result.collected) + QStringLiteral(" -- ")));
        EXPECT_FALSE(result.reason.isEmpty());
        EXPECT_EQ(fileBytes(path), before);
    }
    // A folder that does not exist: reported, nothing half-written.
    const DesignWriteResult nowhere = Write_Design_File(dir.filePath(QStringLiteral("no/such/folder/x.did")), fullDesign(), false);
    EXPECT_EQ(nowhere.status, DesignWriteResult::WriteFailed);
}

// --- refusals ---

TEST(DesignFile, RefusesWhatIsNotASoundDesign)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.did"));
    ASSERT_TRUE(Write_Design_File(good, fullDesign(), false).ok());
    const QByteArray bytes = fileBytes(good);
    QVariantList root = platform::plistParse(bytes).toList();
    auto withEntry = [&root](int index, const QVariant &v) {
        QVariantList r = root;
        r[index] = v;
        return platform::plistSerialize(QVariant(r));
    };
    auto truncatedRoot = [&root](int n) { return platform::plistSerialize(QVariant(root.mid(0, n))); };

    const struct {
        const char *name;
        QByteArray content;
    } cases[] = {
        {"empty file", QByteArray()},
        {"not a property list", QByteArray("VELKDESKBADGE L 0 0")},
        {"a dictionary", platform::plistSerialize(QVariantMap{{QStringLiteral("a"), QStringLiteral("b")}})},
        {"bad signature", withEntry(0, QStringLiteral("VELKDESKBADGX"))},
        {"empty array", platform::plistSerialize(QVariantList())},
        {"bytes cut in half", bytes.left(bytes.size() / 2)},
        {"bytes cut before the end", bytes.left(bytes.size() - 12)},
        {"root cut after the card blocks", truncatedRoot(70)},
        {"root cut inside the records", truncatedRoot(90)},
        {"root missing its last record", truncatedRoot(int(root.size()) - 1)},
        {"front count too large", withEntry(86, QStringLiteral("7"))},
        {"front count negative", withEntry(86, QStringLiteral("-1"))},
        {"front count not a number", withEntry(86, QStringLiteral("six"))},
        {"profile column not a number", withEntry(74, QStringLiteral("x"))},
        {"card stepper not a number", withEntry(2 + 2, QStringLiteral(""))},
        {"card opacity not finite", withEntry(2 + 12, QStringLiteral("nan"))},
        {"unknown type letter", withEntry(87, QVariantList{QStringLiteral("Q")})},
        {"one entry more", platform::plistSerialize(QVariant(QVariantList(root) << QStringLiteral("extra")))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("bad.did"));
        writeBytes(path, c.content);
        const DesignReadResult read = Read_Design_File(path);
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(read.error, QStringLiteral("File is corrupt and cannot be opened."));
        EXPECT_FALSE(read.detail.isEmpty());
    }
    EXPECT_FALSE(Read_Design_File(dir.filePath(QStringLiteral("missing.did"))).ok());
}

// Every entry of the root and of every record, replaced by a value of another kind.
TEST(DesignFile, WrongKindAtAnyIndexIsRefused)
{
    const QVariantList root = rootOf(fullDesign());
    ASSERT_TRUE(readRoot(root).ok());
    auto other = [](const QVariant &v) -> QVariant {
        if (v.typeId() == QMetaType::QString)
            return QVariantList{v};
        return QStringLiteral("0");
    };
    int refused = 0;
    for (int i = 0; i < root.size(); ++i) {
        QVariantList spoilt = root;
        spoilt[i] = other(root[i]);
        const DesignReadResult r = readRoot(spoilt);
        EXPECT_FALSE(r.ok()) << "root entry " << i;
        refused += !r.ok();
        if (root[i].typeId() != QMetaType::QVariantList || i == 72 || i == 73)
            continue;
        const QVariantList record = root[i].toList();
        for (int k = 0; k < record.size(); ++k) {
            QVariantList badRecord = record;
            badRecord[k] = other(record[k]);
            QVariantList spoiltRecord = root;
            spoiltRecord[i] = badRecord;
            const DesignReadResult rr = readRoot(spoiltRecord);
            EXPECT_FALSE(rr.ok()) << "record at " << i << " entry " << k;
            EXPECT_EQ(rr.error, Design_File_Corrupt_Message);
            refused += !rr.ok();
        }
    }
    EXPECT_GT(refused, 100 + 12 * 20);
}

TEST(DesignFile, ThousandRandomMutationsNeverCrashAndStructuralOnesAreRefused)
{
    const DesignData design = fullDesign();
    const QVariantList root = rootOf(design);
    const QByteArray bytes = platform::plistSerialize(QVariant(root));
    std::mt19937 random(20240611);
    auto pick = [&random](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };

    // Structural: an entry of the wrong kind, an entry removed, a record cut short.
    for (int round = 0; round < 1000; ++round) {
        QVariantList spoilt = root;
        const int i = pick(int(root.size()));
        const int how = pick(3);
        const bool isRecord = i >= Design_First_Record_Index && root[i].typeId() == QMetaType::QVariantList;
        if (isRecord && how != 0) {
            QVariantList record = root[i].toList();
            const QString letter = record[0].toString();
            if (how == 1) {
                const int k = pick(int(record.size()));
                record[k] = record[k].typeId() == QMetaType::QString ? QVariant(QVariantMap()) : QVariant(QStringLiteral("x"));
            } else {
                // Shorter than any length its kind is read with.
                const int keep = letter == QLatin1String("I") ? pick(40) : letter == QLatin1String("L") ? pick(22) : pick(int(record.size()));
                record = record.mid(0, keep);
            }
            spoilt[i] = record;
        } else if (how == 0) {
            spoilt[i] = spoilt[i].typeId() == QMetaType::QString ? QVariant(QByteArray("x")) : QVariant(QStringLiteral("x"));
        } else {
            spoilt.removeAt(i);
        }
        const DesignReadResult r = readRoot(spoilt);
        ASSERT_FALSE(r.ok()) << "round " << round << " entry " << i << " how " << how;
        ASSERT_EQ(r.error, Design_File_Corrupt_Message);
    }

    // Bytes: flips, cuts and insertions anywhere. Whatever is read is either refused with the
    // message or a design that saves again.
    int refused = 0;
    for (int round = 0; round < 1000; ++round) {
        QByteArray b = bytes;
        const int at = pick(int(b.size()));
        switch (pick(4)) {
        case 0: b[at] = char(pick(256)); break;
        case 1: b.truncate(at); break;
        case 2: b.insert(at, "<array/>"); break;
        default: b.remove(at, 1 + pick(64)); break;
        }
        const DesignReadResult r = Design_From_Bytes(b);
        if (r.ok()) {
            EXPECT_TRUE(Design_To_Array(*r.design, false).has_value()) << "round " << round;
        } else {
            ++refused;
            EXPECT_EQ(r.error, Design_File_Corrupt_Message);
        }
    }
    EXPECT_GT(refused, 500);
}

// --- records ---

TEST(ControlRecord, OldShortRecordsLoad)
{
    const QVariantList line = *Get_Control_Prop_To_Array(*storedControl(SKTGraphicKind::Line, 2));
    auto oldLine = Create_Control_From_Array(line.mid(0, 22));
    ASSERT_TRUE(oldLine);
    EXPECT_EQ(oldLine->kind(), SKTGraphicKind::Line);
    EXPECT_FALSE(static_cast<SKTLine &>(*oldLine)._pointsRight);
    EXPECT_FALSE(static_cast<SKTLine &>(*oldLine)._pointsDown);
    EXPECT_EQ(oldLine->_line_cap_style, storedControl(SKTGraphicKind::Line, 2)->_line_cap_style);
    EXPECT_FALSE(Create_Control_From_Array(line.mid(0, 23)));  // neither old nor whole

    const auto stored = storedControl(SKTGraphicKind::Image, 3);
    stored->Drawing_Shadow = false;
    const QVariantList image = *Get_Control_Prop_To_Array(*stored);
    const QString path = stored->_file_path, value = stored->Text_Value;
    const struct {
        int length;
        QString textValue;
        bool shadow;
    } cases[] = {{40, path, true}, {41, value, true}, {42, value, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        auto g = Create_Control_From_Array(image.mid(0, c.length));
        ASSERT_TRUE(g);
        EXPECT_EQ(g->_file_path, path);
        EXPECT_EQ(g->Text_Value, c.textValue);
        EXPECT_EQ(g->Drawing_Shadow, c.shadow);
        EXPECT_EQ(g->rotate_image, stored->rotate_image);
    }
    QVariantList textHere = image;
    textHere[40] = QStringLiteral("Text here");
    EXPECT_EQ(Create_Control_From_Array(textHere)->Text_Value, path);
    EXPECT_FALSE(Create_Control_From_Array(image.mid(0, 39)));

    // A text record with a gap is refused, not half used.
    const QVariantList text = *Get_Control_Prop_To_Array(*storedControl(SKTGraphicKind::Text, 1));
    QString why;
    EXPECT_FALSE(Create_Control_From_Array(text.mid(0, 30), &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(ControlRecord, SignatureWithoutPathKeepsTheSampleOfItsKind)
{
    for (const QString &kind : {QStringLiteral("S"), QStringLiteral("F")}) {
        auto g = storedControl(SKTGraphicKind::Signature, 1);
        g->sign_or_fingureprint = kind;
        g->_file_path = QStringLiteral("  ");
        const QVariantList record = *Get_Control_Prop_To_Array(*g);
        EXPECT_TRUE(record[21].toString().endsWith(kind == QLatin1String("S") ? QStringLiteral("sign_sample.png")
                                                                              : QStringLiteral("fingerprints.png")));
    }
}

TEST(ControlRecord, BarcodeWithoutPictureIsRebuiltFromItsSource)
{
    auto barcode = storedControl(SKTGraphicKind::Barcode, 1);
    barcode->_barcode_image = QImage();
    const QVariantList record = *Get_Control_Prop_To_Array(*barcode);
    EXPECT_TRUE(record[25].toByteArray().isEmpty());
    auto loaded = Create_Control_From_Array(record);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(Barcode_Needs_Image(*loaded));
    EXPECT_FALSE(Barcode_Needs_Image(*Create_Control_From_Array(*Get_Control_Prop_To_Array(*storedControl(SKTGraphicKind::Barcode, 1)))));

    // Undecodable picture bytes are refused.
    QVariantList damaged = record;
    damaged[25] = QByteArray("\x89PNG broken");
    EXPECT_FALSE(Create_Control_From_Array(damaged));

    loaded->linear_font_val = QStringLiteral(" 98765 ");
    loaded->two_d_font_val = QStringLiteral("QR value 1");
    auto series = [](const QString &name) { return name == QLatin1String("Numbers") ? QStringLiteral(" 123 ") : QString(); };
    auto column = [](int c) { return c == 4 ? QStringLiteral("C4 value") : QString(); };
    const struct {
        int source;
        QString seriesName;
        int linearOr2d;
        QString expected;
    } cases[] = {
        {1, QStringLiteral("Numbers"), 0, QStringLiteral("123")},
        {1, QStringLiteral("Empty"), 0, QStringLiteral("98765")},
        {1, QStringLiteral("Empty"), 1, QStringLiteral("QR value 1")},
        {2, QString(), 1, QStringLiteral("C4 value")},
        {0, QStringLiteral("Numbers"), 0, QStringLiteral("98765")},
    };
    for (const auto &c : cases) {
        loaded->data_source_type = c.source;
        loaded->batch_list_name = c.seriesName;
        loaded->excel_col_indx = 4;
        loaded->linear_or_2d = c.linearOr2d;
        EXPECT_EQ(Barcode_Value_For_Rebuild(*loaded, series, column), c.expected);
    }
}

// --- a save killed half-way ---

// Runs only as the child of the test below: saves a large design over and over.
TEST(DesignFileKill, SaverLoop)
{
    const QString path = qEnvironmentVariable("BL_DESIGN_SAVER_PATH");
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledSaveLeavesTheFileWhole";
    DesignData design = largeDesign(300);
    for (int i = 1; i < 1000000; ++i) {
        design.Excel_Source_Path = QString::number(i);
        ASSERT_TRUE(Write_Design_File(path, design, false).ok());
    }
}

TEST(DesignFileKill, KilledSaveLeavesTheFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.did"));
    DesignData first = largeDesign(300);
    first.Excel_Source_Path = QStringLiteral("0");
    ASSERT_TRUE(Write_Design_File(path, first, false).ok());

    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BL_DESIGN_SAVER_PATH"), path);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=DesignFileKill.SaverLoop")});
        ASSERT_TRUE(child.waitForStarted());
        // Wait until the child has replaced the file a few times, then kill it at a random moment.
        const QByteArray start = fileBytes(path);
        int changes = 0;
        QByteArray last = start;
        for (int wait = 0; wait < 6000 && changes < 2; ++wait) {
            QThread::msleep(10);
            const QByteArray now = fileBytes(path);
            if (now != last) {
                ++changes;
                last = now;
            }
        }
        ASSERT_GE(changes, 2) << "the saving child never replaced the file";
        QThread::msleep(std::uniform_int_distribution<int>(0, 40)(random));
        child.kill();
        child.waitForFinished();

        const DesignReadResult read = Read_Design_File(path);
        ASSERT_TRUE(read.ok()) << "round " << round << ": " << read.detail.toStdString();
        EXPECT_EQ(read.design->frontControls.size(), 300u);
        EXPECT_EQ(read.design->backControls.size(), 300u);
    }
}

// A design file and control archives of every kind, written before the fields were tables:
// they read and write again byte for byte.
TEST(StoredFormats, EarlierFilesAndArchivesWriteAgainByteForByte)
{
    kindstest::CardHub hub;
    const QString data = qEnvironmentVariable("BADGELOOM_SOURCE_DIR") + QStringLiteral("/tests/core/data/every-kind.");
    const QByteArray did = fileBytes(data + QStringLiteral("did"));
    const DesignReadResult read = Design_From_Bytes(did);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    QTemporaryDir dir;
    const QString again = dir.filePath(QStringLiteral("again.did"));
    ASSERT_TRUE(Write_Design_File(again, *read.design, false).ok());
    EXPECT_EQ(fileBytes(again), did);

    const QVariantList archives = platform::plistParse(fileBytes(data + QStringLiteral("archives"))).toList();
    ASSERT_EQ(archives.size(), 6);
    for (const QVariant &archive : archives) {
        const std::unique_ptr<SKTGraphic> g = Unarchive_Graphic(archive.toByteArray());
        ASSERT_TRUE(g);
        EXPECT_EQ(Archive_Graphic(*g), archive.toByteArray()) << g->className().toStdString();
    }
}

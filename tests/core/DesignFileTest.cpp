// Design files as a user meets them: what another reader (python's plistlib) finds in them,
// what comes back after a save and an open, which files are refused, old records, templates,
// and a save killed half-way.

#include "ArchiveTestSupport.h"
#include "DesignTestSupport.h"
#include "core/ControlRecord.h"
#include "core/DesignFile.h"
#include "core/SKTLine.h"
#include "platform/Plist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <random>

using namespace designtest;

namespace {

QVariantList rootOf(const DesignData &design)
{
    DesignWriteResult result;
    const std::optional<QVariantList> root = Design_To_Array(design, false, &result);
    EXPECT_TRUE(root.has_value()) << result.message().toStdString();
    return root.value_or(QVariantList());
}

QByteArray bytesOf(const QVariantList &root) { return platform::plistSerialize(QVariant(root)); }

// Through the bytes, as a file would be read.
DesignReadResult readRoot(const QVariantList &root) { return Design_From_Bytes(bytesOf(root)); }

QJsonArray pythonReads(const QString &path, const char *expression)
{
    return archivetest::pythonPlist(fileBytes(path), QLatin1String(expression)).toArray();
}

TEST(DesignFile, WhatAnotherReaderFindsInEmptyAndFullFiles)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.did")),
                  full = dir.filePath(QStringLiteral("full.did"));
    ASSERT_TRUE(Write_Design_File(empty, DesignData(), false).ok());
    ASSERT_TRUE(Write_Design_File(full, fullDesign(), false).ok());
    // Root: 88 entries, all strings but the two tables; no profile columns.
    const QJsonArray a = pythonReads(empty, "[len(v), v[0], v[1], v[86], v[87], type(v[72]).__name__, "
                                            "type(v[73]).__name__, all(isinstance(x, str) for i, x in "
                                            "enumerate(v) if i not in (72, 73)), sorted(set(v[74:86]))]");
    EXPECT_EQ(a, (QJsonArray{88, "VELKDESKBADGE", "L", "0", "0", "list", "list", true, QJsonArray{"-1"}}));

    // Each record: its letter, its length, and whether entry 25 is bytes.
    const QJsonArray b = pythonReads(full,
                                     "[[r[0], len(r), isinstance(r[25], bytes) if len(r) > 25 else None] "
                                     "for r in v[87:93] + v[94:100]] + [v[86], v[93], len(v), v[2 + 13], "
                                     "v[36 + 17], len(v[72])]");
    ASSERT_EQ(b.size(), 18);
    const QJsonValue none;
    const QJsonArray records[] = {{"L", 24, none},  {"T", 39, false}, {"D", 25, none},
                                  {"I", 42, false}, {"B", 66, true},  {"S", 22, none}};
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(b[r].toArray(), records[r % 6]) << r;
    EXPECT_EQ(b.toVariantList().mid(12), (QVariantList{"6", "6", 88 + 12, "2", "{12.5, -3}", 4}));
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
    EXPECT_EQ(back.tableRows, design.tableRows);
    EXPECT_EQ(back.columnTitles, design.columnTitles);
    for (const auto &[saved, loaded] : {std::pair(&design.frontControls, &back.frontControls),
                                        std::pair(&design.backControls, &back.backControls)}) {
        ASSERT_EQ(loaded->size(), saved->size());
        for (size_t i = 0; i < saved->size(); ++i)
            expectSameStoredFields(*(*saved)[i], *(*loaded)[i]);
    }
    // A loaded barcode shows its picture framed by its bounds.
    const SKTGraphic &barcode = *back.frontControls[4];
    EXPECT_EQ(barcode.bar_image_ctrl_bounds, barcode._bounds);
    EXPECT_TRUE(archivetest::samePixels(barcode._contents, design.frontControls[4]->_barcode_image));
    // Controls saved invisible come back (drawing skips them; dropping them would lose them).
    EXPECT_TRUE(std::any_of(back.frontControls.begin(), back.frontControls.end(),
                            [](const SKTGraphicPtr &g) { return !g->ctrl_is_visible; }));
    // Saving what was read writes the same bytes again.
    const QString again = dir.filePath(QStringLiteral("again.did"));
    ASSERT_TRUE(Write_Design_File(again, back, false).ok());
    EXPECT_EQ(fileBytes(again), fileBytes(path));

    // The background path is stored only for a picture fill.
    DesignData plain = design;
    plain.back.setCard_fill_style(QStringLiteral("S"));
    EXPECT_EQ(rootOf(plain).value(36 + 24).toString(), QString());
    EXPECT_EQ(rootOf(design).value(36 + 24).toString(), design.back.Card_BG_Image_Path());
}

TEST(DesignFile, TemplateWritesTAndEmptyTablesAndKeepsTheOpenDesignBound)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("User template.did"));
    DesignData design = fullDesign();
    for (const SKTGraphicPtr &g : design.frontControls)
        g->data_source_type = 1;
    ASSERT_TRUE(Write_Design_File(path, design, true).ok());
    const QJsonArray a = pythonReads(path, "[v[1], v[72], v[73], v[70], v[75], "
                                           "[r[20:25] for r in v[87:93] + v[94:100] if r[0] in 'TIB']]");
    const QJsonArray unbound{"0", "", "-1", "N", "-1"};
    EXPECT_EQ(a, (QJsonArray{"T", QJsonArray(), QJsonArray(), "Y", "1",
                             QJsonArray{unbound, unbound, unbound, unbound, unbound, unbound}}));
    // The open design keeps every binding; the template opens with none.
    for (const SKTGraphicPtr &g : design.frontControls) {
        if (g->kind() == SKTGraphicKind::Text || g->kind() == SKTGraphicKind::Image
            || g->kind() == SKTGraphicKind::Barcode) {
            EXPECT_TRUE(g->data_source_type != 0 && g->excel_binding && !g->batch_list_name.isEmpty());
        }
    }
    const DesignReadResult read = Read_Design_File(path);
    ASSERT_TRUE(read.ok());
    for (const SKTGraphicPtr &g : read.design->frontControls)
        EXPECT_TRUE(g->data_source_type == 0 && !g->excel_binding);
}

TEST(DesignFile, FailedRecordAbortsTheWholeSaveAndKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.did"));
    ASSERT_TRUE(Write_Design_File(path, fullDesign(), false).ok());
    const QByteArray before = fileBytes(path);
    const std::pair<const char *, std::function<void(DesignData &)>> cases[] = {
        {"control of no storable class",
         [](DesignData &d) { d.backControls.push_back(std::make_shared<SKTGraphic>()); }},
        {"missing control",
         [](DesignData &d) { d.frontControls.insert(d.frontControls.begin() + 1, nullptr); }},
        {"width not a number", [](DesignData &d) { d.backControls[2]->_strokeWidth = std::nan(""); }},
        {"infinite card size", [](DesignData &d) { d.back.setCard_Size(QSizeF(INFINITY, 10)); }},
        {"table row not a dictionary", [](DesignData &d) { d.tableRows.append(QStringLiteral("row")); }},
    };
    for (const auto &[name, spoil] : cases) {
        SCOPED_TRACE(name);
        DesignData design = fullDesign();
        spoil(design);
        const DesignWriteResult result = Write_Design_File(path, design, false);
        EXPECT_EQ(result.status, DesignWriteResult::BuildFailed);
        EXPECT_TRUE(result.message().startsWith(QString::number(result.collected) + QStringLiteral(" -- ")));
        EXPECT_FALSE(result.reason.isEmpty());
        EXPECT_EQ(fileBytes(path), before);
    }
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/x.did"));
    EXPECT_EQ(Write_Design_File(nowhere, fullDesign(), false).status, DesignWriteResult::WriteFailed);
}

// The file is streamed, never built as a tree: its bytes are still the library's for the same root,
// whatever the table's cells hold and in whatever order their keys came.
TEST(DesignFile, StreamedFileIsTheLibrarysBytesForEveryKindOfCell)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("typed.did"));
    // A control character is written as it is (no XML reader but the library's would take it).
    for (const char *text : {"a<&>b", "a<&>b\x0b"}) {
        DesignData design = fullDesign();
        design.tableRows.append(QVariantMap{{QStringLiteral("Extension"), 7}, {QStringLiteral("Column1"), 0.1},
                                            {QStringLiteral("Column2"), true}, {QStringLiteral("Column3"), text}});
        design.tableRows.append(QVariantMap{{QStringLiteral("Column9"), qlonglong(-5)}, {QStringLiteral("Column10"), false}});
        ASSERT_TRUE(Write_Design_File(path, design, false).ok());
        EXPECT_EQ(fileBytes(path), platform::plistSerialize(QVariant(rootOf(design))));
        const DesignReadResult read = Read_Design_File(path);
        ASSERT_TRUE(read.ok()) << read.detail.toStdString();
        EXPECT_EQ(read.design->tableRows, design.tableRows);
        EXPECT_EQ(QVariantList(read.design->tableRows).last().toMap().value(QStringLiteral("Column9")), qlonglong(-5));
    }
}

TEST(DesignFile, ADesignTooLargeToOpenIsNeverWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.did")), large = dir.filePath(QStringLiteral("large.did"));
    ASSERT_TRUE(Write_Design_File(path, fullDesign(), false).ok());
    const QByteArray before = fileBytes(path);
    DesignData design = fullDesign();
    for (int r = 0; r < 3000; ++r)
        design.tableRows.append(QVariantMap{{QStringLiteral("Extension"), QString::number(r + 1)},
                                            {QStringLiteral("Column1"), QStringLiteral("Name %1").arg(r)}});
    ASSERT_TRUE(Write_Design_File(large, design, false).ok());
    const qint64 size = fileBytes(large).size();
    // One byte over the limit: opening refuses the file, so saving refuses it and writes nothing.
    EXPECT_FALSE(Read_Design_File(large, size - 1).ok());
    const DesignWriteResult refused = Write_Design_File(path, design, false, size - 1);
    EXPECT_EQ(refused.status, DesignWriteResult::TooLarge);
    EXPECT_TRUE(refused.reason.contains(QLatin1String("too large"))) << refused.reason.toStdString();
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
    // Pictures that would need more memory than a design may use: refused alike.
    DesignData pictures = fullDesign();
    for (const SKTGraphicPtr &g : pictures.frontControls) {
        if (g->kind() == SKTGraphicKind::Barcode) {
            g->_barcode_image = QImage(10100, 10000, QImage::Format_Mono);
            g->_barcode_image.fill(1);
        }
    }
    EXPECT_EQ(Write_Design_File(path, pictures, false).status, DesignWriteResult::TooLarge);
    EXPECT_EQ(fileBytes(path), before);
    // At the limit it is written and opens.
    ASSERT_TRUE(Write_Design_File(path, design, false, size).ok());
    const DesignReadResult read = Read_Design_File(path, size);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    EXPECT_EQ(read.design->tableRows, design.tableRows);
}

// --- refusals ---

TEST(DesignFile, RefusesWhatIsNotASoundDesign)
{
    const QVariantList root = rootOf(fullDesign());
    const QByteArray bytes = bytesOf(root);
    auto with = [&root](int index, const QVariant &v) {
        QVariantList r = root;
        if (v.isValid())
            r[index] = v;
        else
            r.removeAt(index);
        return bytesOf(r);
    };
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty file", QByteArray()},
        {"not a property list", QByteArray("VELKDESKBADGE L 0 0")},
        {"a dictionary", platform::plistSerialize(QVariantMap{{QStringLiteral("a"), QStringLiteral("b")}})},
        {"a NUL inside", QByteArray(bytes).insert(bytes.indexOf("VELK"), '\0')},
        {"bad signature", with(0, QStringLiteral("VELKDESKBADGX"))},
        {"empty array", bytesOf(QVariantList())},
        {"bytes cut in half", bytes.left(bytes.size() / 2)},
        {"bytes cut before the end", bytes.left(bytes.size() - 12)},
        {"root cut after the card blocks", bytesOf(root.mid(0, 70))},
        {"root cut inside the records", bytesOf(root.mid(0, 90))},
        {"root missing its last record", bytesOf(root.mid(0, root.size() - 1))},
        {"an entry removed", with(40, QVariant())},
        {"front count too large", with(86, QStringLiteral("7"))},
        {"front count negative", with(86, QStringLiteral("-1"))},
        {"front count not a number", with(86, QStringLiteral("six"))},
        {"profile column not a number", with(74, QStringLiteral("x"))},
        {"card stepper not a number", with(2 + 2, QStringLiteral(""))},
        {"card opacity not finite", with(2 + 12, QStringLiteral("nan"))},
        {"a record that is not an array", with(87, QStringLiteral("Q"))},
        {"one entry more", bytesOf(QVariantList(root) << QStringLiteral("extra"))},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.did"));
    for (const auto &[name, content] : cases) {
        SCOPED_TRACE(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
        f.close();
        const DesignReadResult read = Read_Design_File(path);
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(read.error, QStringLiteral("File is corrupt and cannot be opened."));
        EXPECT_FALSE(read.detail.isEmpty());
    }
    EXPECT_FALSE(Read_Design_File(dir.filePath(QStringLiteral("missing.did"))).ok());

    // Bytes flipped, cut or inserted anywhere: refused with the message, or a design that saves.
    std::mt19937 random(20240611);
    auto pick = [&random](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
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

// Every entry of the root and of every record spoilt in turn: a value of another kind in the
// root refuses the file, in a record it opens the design with that one control read as far as it
// goes and named as damaged; a number too large for its field refuses it or opens as a design
// that saves again.
TEST(DesignFile, EverySpoiltEntryIsRefusedOrSavesAgain)
{
    const QVariantList root = rootOf(fullDesign());
    ASSERT_TRUE(readRoot(root).ok());
    const QStringList extremes{"1e39", "-1e39", "1e300", "3.5e38", "1e-60"};
    int refused = 0, damaged = 0, decimals = 0, opened = 0;
    auto visit = [&](int i, int k, const QVariant &entry) {  // k < 0: the root entry itself
        auto spoilt = [&](const QVariant &v) {
            QVariantList r = root;
            QVariantList record = r[i].toList();
            (k < 0 ? r[i] : record[k]) = v;
            if (k >= 0)
                r[i] = record;
            return readRoot(r);
        };
        const bool isText = entry.typeId() == QMetaType::QString;
        const DesignReadResult wrong =
            spoilt(isText ? QVariant(QVariantList{entry}) : QVariant(QStringLiteral("0")));
        const bool inRecord = k >= 0 && root[i].typeId() == QMetaType::QVariantList;
        if (!inRecord) {
            EXPECT_FALSE(wrong.ok()) << "entry " << i << "/" << k;
            EXPECT_EQ(wrong.error, Design_File_Corrupt_Message);
            refused += !wrong.ok();
        } else if (wrong.ok()) {
            const DesignData &d = *wrong.design;
            const int front = root[86].toString().toInt();
            const bool onFront = i - Design_First_Record_Index < front;
            // The back's records follow its count.
            const int number = onFront ? i - Design_First_Record_Index + 1 : i - Design_First_Record_Index - front;
            EXPECT_EQ(d.damagedRecords.size(), 1) << "entry " << i << "/" << k;
            EXPECT_TRUE(d.damagedRecords.value(0).startsWith(
                QStringLiteral("Control %1 of the %2 side (entry %3)").arg(number).arg(onFront ? "front" : "back").arg(i)))
                << d.damagedRecords.value(0).toStdString();
            // A known kind stays on its side; the others are all there.
            EXPECT_EQ(d.frontControls.size() + d.backControls.size(), size_t(k == 0 ? 11 : 12)) << i << "/" << k;
            EXPECT_TRUE(Design_To_Array(d, false).has_value());
            ++damaged;
        } else {
            ADD_FAILURE() << "a damaged record refused the design: entry " << i << "/" << k << " "
                          << wrong.detail.toStdString();
        }
        bool number = false;
        entry.toString().toDouble(&number);
        if (!isText || !number || !entry.toString().contains(QLatin1Char('.')))
            return;
        ++decimals;
        for (const QString &value : extremes) {
            const DesignReadResult read = spoilt(value);
            opened += read.ok();
            DesignWriteResult again;
            EXPECT_TRUE(!read.ok() || Design_To_Array(*read.design, false, &again).has_value())
                << "entry " << i << "/" << k << " = " << value.toStdString() << ": "
                << again.message().toStdString();
        }
    };
    for (int i = 0; i < root.size(); ++i) {
        visit(i, -1, root[i]);
        for (int k = 0; i >= Design_First_Record_Index && k < root[i].toList().size(); ++k)
            visit(i, k, root[i].toList()[k]);
    }
    EXPECT_GT(refused, 90);
    EXPECT_GT(damaged, 12 * 20);
    // Decimals in the card blocks and every kind of record; tiny and double-range values still read.
    EXPECT_GT(decimals, 60);
    EXPECT_GT(opened, decimals);
}

// --- records ---

TEST(ControlRecord, OldShortRecordsLoadAndGappedOnesAreRefused)
{
    const auto stored = storedControl(SKTGraphicKind::Image, 3);
    stored->Drawing_Shadow = false;
    const QVariantList image = *Get_Control_Prop_To_Array(*stored);
    const QString path = stored->_file_path, value = stored->Text_Value;
    QVariantList textHere = image;
    textHere[40] = QStringLiteral("Text here");
    // An old image record ends before its text value (the path stands in) or its shadow.
    const std::tuple<QVariantList, QString, bool> cases[] = {{image.mid(0, 40), path, true},
                                                             {image.mid(0, 41), value, true},
                                                             {image, value, false},
                                                             {textHere, path, false}};
    for (const auto &[record, textValue, shadow] : cases) {
        auto g = Create_Control_From_Array(record);
        ASSERT_TRUE(g) << record.size();
        EXPECT_EQ(g->_file_path, path);
        EXPECT_EQ(g->Text_Value, textValue) << record.size();
        EXPECT_EQ(g->Drawing_Shadow, shadow) << record.size();
        EXPECT_EQ(g->rotate_image, stored->rotate_image);
    }
    const QVariantList line = *Get_Control_Prop_To_Array(*storedControl(SKTGraphicKind::Line, 2));
    auto oldLine = Create_Control_From_Array(line.mid(0, 22));
    ASSERT_TRUE(oldLine && oldLine->kind() == SKTGraphicKind::Line);
    EXPECT_FALSE(static_cast<SKTLine &>(*oldLine)._pointsRight
                 || static_cast<SKTLine &>(*oldLine)._pointsDown);
    EXPECT_EQ(oldLine->_line_cap_style, storedControl(SKTGraphicKind::Line, 2)->_line_cap_style);
    // Neither old nor whole, or a text record with a gap: refused, not half used.
    const QVariantList text = *Get_Control_Prop_To_Array(*storedControl(SKTGraphicKind::Text, 1));
    for (const QVariantList &gapped : {line.mid(0, 23), image.mid(0, 39), text.mid(0, 30)}) {
        QString why;
        EXPECT_FALSE(Create_Control_From_Array(gapped, &why)) << gapped.size();
        EXPECT_FALSE(why.isEmpty());
    }
}

// One damaged record costs neither the design nor the other controls: a record cut short gives
// its control as far as it goes, a record of no known kind is left out, and each is named.
TEST(DesignFile, ADamagedRecordLoadsTheRestAndSaysWhichItWas)
{
    const DesignData design = fullDesign();
    QVariantList root = rootOf(design);
    const int front = int(design.frontControls.size());
    int text = 0;
    while (design.frontControls[size_t(text)]->kind() != SKTGraphicKind::Text)
        ++text;
    const int textEntry = Design_First_Record_Index + text, backEntry = Design_First_Record_Index + front + 1;
    root[textEntry] = root[textEntry].toList().mid(0, 30);
    root[backEntry] = QVariantList{QStringLiteral("Q"), QStringLiteral("{{1, 2}, {3, 4}}")};
    const DesignReadResult read = readRoot(root);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    EXPECT_TRUE(read.error.isEmpty());
    const DesignData &d = *read.design;
    ASSERT_EQ(d.damagedRecords.size(), 2);
    EXPECT_TRUE(d.damagedRecords[0].startsWith(QStringLiteral("Control %1 of the front side (entry %2) is damaged (")
                                                   .arg(text + 1)
                                                   .arg(textEntry)))
        << d.damagedRecords[0].toStdString();
    EXPECT_TRUE(d.damagedRecords[0].endsWith(": it is shown as far as it could be read."));
    EXPECT_TRUE(d.damagedRecords[1].startsWith(QStringLiteral("Control 1 of the back side (entry %1) is damaged (\"Q\" is")
                                                   .arg(backEntry)))
        << d.damagedRecords[1].toStdString();
    EXPECT_TRUE(d.damagedRecords[1].endsWith(" and is left out."));

    // The front: every control, the cut one in its place with what its record held.
    ASSERT_EQ(d.frontControls.size(), design.frontControls.size());
    for (size_t i = 0; i < d.frontControls.size(); ++i) {
        EXPECT_EQ(d.frontControls[i]->kind(), design.frontControls[i]->kind()) << i;
        EXPECT_EQ(d.frontControls[i]->bounds(), design.frontControls[i]->bounds()) << i;
        if (int(i) != text)
            expectSameFields(*design.frontControls[i], *d.frontControls[i], InRecord);
    }
    const SKTGraphic &cut = *d.frontControls[size_t(text)];
    EXPECT_EQ(cut.Text_Value, Make_Graphic_Of_Kind(SKTGraphicKind::Text)->Text_Value) << "past the cut: a new text's";
    // The back without the record of no kind; the design saves again.
    ASSERT_EQ(d.backControls.size(), design.backControls.size() - 1);
    for (size_t i = 0; i < d.backControls.size(); ++i)
        EXPECT_EQ(d.backControls[i]->kind(), design.backControls[i + 1]->kind()) << i;
    EXPECT_TRUE(Design_To_Array(d, false).has_value());
}

TEST(ControlRecord, SignatureWithoutPathKeepsTheSampleOfItsKind)
{
    for (const char *kind : {"S", "F"}) {
        auto g = storedControl(SKTGraphicKind::Signature, 1);
        g->sign_or_fingureprint = QLatin1String(kind);
        g->_file_path = QStringLiteral("  ");
        const QString stored = Get_Control_Prop_To_Array(*g)->at(21).toString();
        EXPECT_TRUE(stored.endsWith(kind[0] == 'S' ? "sign_sample.png" : "fingerprints.png")) << kind;
    }
}

TEST(ControlRecord, BarcodeWithoutPictureIsRebuiltFromItsSource)
{
    auto barcode = storedControl(SKTGraphicKind::Barcode, 1);
    EXPECT_FALSE(Barcode_Needs_Image(*Create_Control_From_Array(*Get_Control_Prop_To_Array(*barcode))));
    barcode->_barcode_image = QImage();
    const QVariantList record = *Get_Control_Prop_To_Array(*barcode);
    EXPECT_TRUE(record[25].toByteArray().isEmpty());
    auto loaded = Create_Control_From_Array(record);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(Barcode_Needs_Image(*loaded));
    // Undecodable picture bytes refuse the record.
    QVariantList damaged = record;
    damaged[25] = QByteArray("\x89PNG broken");
    EXPECT_FALSE(Create_Control_From_Array(damaged));

    loaded->linear_font_val = QStringLiteral(" 98765 ");
    loaded->two_d_font_val = QStringLiteral("QR value 1");
    loaded->excel_col_indx = 4;
    auto series = [](const QString &name) {
        return name == QLatin1String("Numbers") ? QStringLiteral(" 123 ") : QString();
    };
    auto column = [](int c) { return c == 4 ? QStringLiteral("C4 value") : QString(); };
    const std::tuple<int, const char *, int, const char *> cases[] = {
        {1, "Numbers", 0, "123"}, {1, "Empty", 0, "98765"}, {1, "Empty", 1, "QR value 1"},
        {2, "", 1, "C4 value"},   {0, "Numbers", 0, "98765"},
    };
    for (const auto &[source, seriesName, linearOr2d, expected] : cases) {
        loaded->data_source_type = source;
        loaded->batch_list_name = QLatin1String(seriesName);
        loaded->linear_or_2d = linearOr2d;
        EXPECT_EQ(Barcode_Value_For_Rebuild(*loaded, series, column), QLatin1String(expected));
    }
}

// --- a save killed half-way ---

DesignData largeDesign()
{
    DesignData d = fullDesign();
    for (int i = 0; i < 600; ++i)
        (i % 2 ? d.backControls : d.frontControls).push_back(storedControl(kAllKinds[i % 6], i));
    return d;
}

// Runs only as the child of the test below: saves a large design over and over.
TEST(DesignFileKill, SaverLoop)
{
    const QString path = qEnvironmentVariable("BL_DESIGN_SAVER_PATH");
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledSaveLeavesTheFileWhole";
    DesignData design = largeDesign();
    for (int i = 1; i < 1000000; ++i) {
        design.Excel_Source_Path = QString::number(i);
        ASSERT_TRUE(Write_Design_File(path, design, false).ok());
    }
}

TEST(DesignFileKill, KilledSaveLeavesTheFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.did"));
    ASSERT_TRUE(Write_Design_File(path, largeDesign(), false).ok());
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BL_DESIGN_SAVER_PATH"), path);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=DesignFileKill.SaverLoop")});
        ASSERT_TRUE(child.waitForStarted());
        // Once the child has replaced the file twice, kill it at a random moment.
        int changes = 0;
        for (QByteArray last = fileBytes(path), now; changes < 2 && child.state() == QProcess::Running;
             last = now) {
            QThread::msleep(10);
            now = fileBytes(path);
            changes += now != last;
        }
        ASSERT_GE(changes, 2) << "the saving child never replaced the file";
        QThread::msleep(std::uniform_int_distribution<int>(0, 40)(random));
        child.kill();
        child.waitForFinished();
        const DesignReadResult read = Read_Design_File(path);
        ASSERT_TRUE(read.ok()) << "round " << round << ": " << read.detail.toStdString();
        EXPECT_EQ(read.design->frontControls.size(), 306u);
    }
}

// A design file and control archives of every kind, written before the fields were tables:
// they read and write again byte for byte.
TEST(StoredFormats, EarlierFilesAndArchivesWriteAgainByteForByte)
{
    kindstest::CardHub hub;
    const QString data =
        qEnvironmentVariable("BADGELOOM_SOURCE_DIR") + QStringLiteral("/tests/core/data/every-kind.");
    const QByteArray did = fileBytes(data + QStringLiteral("did"));
    const DesignReadResult read = Design_From_Bytes(did);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    QTemporaryDir dir;
    const QString again = dir.filePath(QStringLiteral("again.did"));
    ASSERT_TRUE(Write_Design_File(again, *read.design, false).ok());
    EXPECT_EQ(fileBytes(again), did);

    // A control set in a family not installed here keeps its size and style through a save.
    QByteArray missing = did;
    missing.replace("DejaVu Serif::::7.50", "No Such Family-Italic::::8.50");
    const DesignReadResult elsewhere = Design_From_Bytes(missing);
    ASSERT_TRUE(elsewhere.ok()) << elsewhere.detail.toStdString();
    ASSERT_TRUE(Write_Design_File(again, *elsewhere.design, false).ok());
    EXPECT_TRUE(fileBytes(again).contains("-Italic::::8.50</string>")) << fileBytes(again).constData();

    const QVariantList archives = platform::plistParse(fileBytes(data + QStringLiteral("archives"))).toList();
    ASSERT_EQ(archives.size(), 6);
    for (const QVariant &archive : archives) {
        const std::unique_ptr<SKTGraphic> g = Unarchive_Graphic(archive.toByteArray());
        ASSERT_TRUE(g);
        EXPECT_EQ(Archive_Graphic(*g), archive.toByteArray()) << g->className().toStdString();
    }
}

}  // namespace

#include "TestSupport.h"
#include "platform/Plist.h"
#include "platform/PlistStream.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPointF>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cstdio>

using namespace platform;

namespace {

QVariant sampleValue()
{
    QVariantMap inner{{QStringLiteral("count"), qlonglong(-42)},
                      {QStringLiteral("ratio"), 0.1},
                      {QStringLiteral("on"), true},
                      {QStringLiteral("off"), false}};
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return QVariantList{QStringLiteral("VELKDESKBADGE"), QStringLiteral("Zürich € 中文 😀"), QString(),
                        bytes, qlonglong(9007199254740993LL), 3.25e-7, inner,
                        QVariantList{QVariantList{}, QVariantMap{}},
                        QDateTime(QDate(2026, 12, 6), QTime(10, 20, 30), Qt::UTC)};
}

// A binary list of a few KB whose outer array refers `n` times to one inner array of `n`
// references to one number: each reference is copied whole when the list is unfolded.
QByteArray sharedReferences(int n)
{
    auto big = [](QByteArray &b, quint64 v, int size) {
        for (int k = size - 1; k >= 0; --k)
            b.append(char((v >> (8 * k)) & 0xFF));
    };
    QByteArray b("bplist00");
    QList<int> offsets;
    for (int level = 1; level <= 2; ++level) {
        offsets << b.size();
        b.append(char(0xAF)).append(char(0x11));
        big(b, n, 2);
        for (int i = 0; i < n; ++i)
            big(b, level, 2);
    }
    offsets << b.size();
    b.append(char(0x10)).append(char(0));
    const int table = b.size();
    for (int at : offsets)
        big(b, at, 2);
    b.append(QByteArray(6, 0)).append(char(2)).append(char(2));
    big(b, offsets.size(), 8);
    big(b, 0, 8);
    big(b, table, 8);
    return b;
}

}  // namespace

TEST(Plist, RoundTripsEveryKindInBothFormats)
{
    for (PlistFormat format : {PlistFormat::Xml, PlistFormat::Binary}) {
        bool ok = false;
        const QByteArray bytes = plistSerialize(sampleValue(), format, &ok);
        ASSERT_TRUE(ok);
        if (format == PlistFormat::Xml)
            EXPECT_TRUE(bytes.startsWith("<?xml"));
        else
            EXPECT_TRUE(bytes.startsWith("bplist00"));
        QString error;
        const QVariant back = plistParse(bytes, &error);
        ASSERT_TRUE(back.isValid()) << error.toStdString();
        const QVariantList list = back.toList();
        const QVariantList want = sampleValue().toList();
        ASSERT_EQ(list.size(), want.size());
        EXPECT_EQ(list[0].toString(), want[0].toString());
        EXPECT_EQ(list[1].toString(), want[1].toString());
        EXPECT_EQ(list[2].toString(), QString());
        EXPECT_EQ(list[3].toByteArray(), want[3].toByteArray());
        EXPECT_EQ(list[4].toLongLong(), 9007199254740993LL);
        EXPECT_DOUBLE_EQ(list[5].toDouble(), 3.25e-7);
        const QVariantMap inner = list[6].toMap();
        EXPECT_EQ(inner.value(QStringLiteral("count")).toLongLong(), -42);
        EXPECT_DOUBLE_EQ(inner.value(QStringLiteral("ratio")).toDouble(), 0.1);
        EXPECT_TRUE(inner.value(QStringLiteral("on")).toBool());
        EXPECT_FALSE(inner.value(QStringLiteral("off")).toBool());
        EXPECT_EQ(list[7].toList().size(), 2);
        EXPECT_EQ(list[8].toDateTime().toSecsSinceEpoch(), want[8].toDateTime().toSecsSinceEpoch());
    }
}

// A user's desktop may write numbers with a decimal comma; the lists we read and write must not.
TEST(Plist, RealsReadAndWriteAlikeUnderACommaDecimalLocale)
{
    REQUIRE_COMMA_LOCALE(german);
    const auto decimal = [] {
        char text[8];
        std::snprintf(text, sizeof text, "%.1f", 0.5);
        return std::string(text);
    };
    ASSERT_EQ(decimal(), "0,5") << "the locale is not in effect";
    const QByteArray written = plistSerialize(QVariantList{0.1, 3.25e-7, -1234.5});
    EXPECT_FALSE(written.contains(',')) << written.toStdString();
    for (const QByteArray &xml : {written, QByteArray("<plist><array><real>0.1</real><real>3.25e-7</real>"
                                                      "<real>-1234.5</real></array></plist>")}) {
        const QVariantList back = plistParse(xml).toList();
        ASSERT_EQ(back.size(), 3) << xml.toStdString();
        EXPECT_DOUBLE_EQ(back[0].toDouble(), 0.1);
        EXPECT_DOUBLE_EQ(back[1].toDouble(), 3.25e-7);
        EXPECT_DOUBLE_EQ(back[2].toDouble(), -1234.5);
    }
    EXPECT_EQ(decimal(), "0,5") << "the thread's own locale comes back after a read";
}

TEST(Plist, StreamedXmlIsTheLibrarysBytesAndReadsBackAlike)
{
    QByteArray data(200, 'x');
    const QVariantList values{sampleValue(), QString::fromUtf8("a<b>&c\"d'e\x01\tf\n g"), QString(QChar(0)) + "cut",
                              QVariantList{QVariantMap{{QStringLiteral("k<&>"), QVariantList{data, QByteArray()}}}},
                              QVariantList{}, 1.0, data};
    for (const QVariant &value : values) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        PlistXmlWriter writer(&out);
        ASSERT_TRUE(writer.value(value) && writer.finish());
        const QByteArray bytes = plistSerialize(value);
        EXPECT_EQ(out.data(), bytes);
        PlistXmlReader reader(bytes);
        ASSERT_TRUE(reader.begin());
        EXPECT_EQ(reader.value(), plistParse(bytes));
        EXPECT_TRUE(reader.end()) << reader.error().toStdString();
    }
    // Whatever is not a whole, well-closed list is refused with a reason.
    for (const char *bad : {"<plist><array><string>a</array></plist>", "<plist><string>a&bogus;</string></plist>",
                            "<plist><array><string>a</string>", "<plist><string>a<b/></string></plist>",
                            "<plist><dict><string>a</string></dict></plist>", "<plist><true/><true/></plist>",
                            "<plist><string>a</stringx></plist>", "<plist>x<true/></plist>"}) {
        PlistXmlReader reader{QByteArray(bad)};
        const bool read = reader.begin() && reader.value().isValid() && reader.end();
        EXPECT_FALSE(read) << bad;
        EXPECT_FALSE(reader.error().isEmpty()) << bad;
    }
}

TEST(Plist, PythonReadsWhatWeWriteAndWeReadWhatPythonWrites)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    for (PlistFormat format : {PlistFormat::Xml, PlistFormat::Binary}) {
        const QString path = dir.filePath(format == PlistFormat::Xml ? "ours.plist" : "ours.bplist");
        ASSERT_TRUE(plistWriteFile(path, sampleValue(), format));
        const auto r = testsupport::runTool(
            python, {QStringLiteral("-c"),
                     QStringLiteral("import plistlib,sys\n"
                                    "v=plistlib.load(open(sys.argv[1],'rb'))\n"
                                    "print(v[0]); print(v[1]); print(len(v[3]), v[3][255]);"
                                    "print(v[4]); print(v[6]['count'], v[6]['on'], v[6]['ratio'])"),
                     path});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.out),
                  QStringLiteral("VELKDESKBADGE\nZürich € 中文 😀\n256 255\n9007199254740993\n-42 True 0.1\n"));
    }
    const QString theirs = dir.filePath("theirs.plist");
    const auto w = testsupport::runTool(
        python, {QStringLiteral("-c"),
                 QStringLiteral("import plistlib,sys\n"
                                "plistlib.dump(['a', {'k': [1, 2.5, True]}, b'\\x00\\x01'], open(sys.argv[1],'wb'),"
                                " fmt=plistlib.FMT_BINARY)"),
                 theirs});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    const QVariantList list = plistReadFile(theirs).toList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].toString(), QStringLiteral("a"));
    const QVariantList k = list[1].toMap().value(QStringLiteral("k")).toList();
    ASSERT_EQ(k.size(), 3);
    EXPECT_EQ(k[0].toLongLong(), 1);
    EXPECT_DOUBLE_EQ(k[1].toDouble(), 2.5);
    EXPECT_TRUE(k[2].toBool());
    EXPECT_EQ(list[2].toByteArray(), QByteArray("\x00\x01", 2));
}

TEST(Plist, MalformedInputIsRefusedWithAReason)
{
    const QByteArray valid = plistSerialize(sampleValue(), PlistFormat::Binary);
    const QByteArray validXml = plistSerialize(sampleValue(), PlistFormat::Xml);
    const QList<QByteArray> bad = {QByteArray(), QByteArray("hello"), QByteArray("bplist00"),
                                   validXml.left(validXml.size() / 2), QByteArray("<plist><array><string>")};
    for (const QByteArray &b : bad) {
        QString error;
        EXPECT_FALSE(plistParse(b, &error).isValid()) << b.constData();
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    EXPECT_EQ(plistParse(sharedReferences(8), &error).toList().value(7).toList().size(), 8);
    const QByteArray shared = sharedReferences(2000);
    ASSERT_LT(shared.size(), 9000);
    EXPECT_FALSE(plistParse(shared, &error).isValid());
    EXPECT_EQ(error, QStringLiteral("The property list holds too many values."));
    // Random damage to a binary and an XML list never crashes; whatever parses is a value.
    QRandomGenerator rng(7);
    for (const QByteArray &source : {valid, validXml}) {
        for (int i = 0; i < 300; ++i) {
            QByteArray m = source;
            const int edits = 1 + int(rng.bounded(8));
            for (int e = 0; e < edits; ++e)
                m[int(rng.bounded(m.size()))] = char(rng.bounded(256));
            if (rng.bounded(4) == 0)
                m.truncate(int(rng.bounded(m.size())));
            (void)plistParse(m);
        }
    }
}

TEST(Plist, StringsHoldingANulByteAreReadNotFatal)
{
    // Any program can put a NUL inside a string; reading it must not bring the process down.
    const QByteArray xml("<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a\0b</string>"
                         "</array></plist>",
                         85);
    const QByteArray binary = QByteArray::fromHex(
        "62706c6973743030a10153610062080a000000000000010100000000000000020000000000000000000000000000000e");
    for (const QByteArray &bytes : {xml, binary}) {
        const QVariant v = plistParse(bytes);
        ASSERT_TRUE(v.isValid());
        const QString s = v.toList().value(0).toString();
        EXPECT_TRUE(s.startsWith(QLatin1Char('a')));
        EXPECT_LE(s.size(), 3);
    }
}

TEST(Plist, WriteIsWholeOrNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.plist");
    ASSERT_TRUE(plistWriteFile(path, QVariantList{QStringLiteral("first")}));
    // A value a property list cannot hold is refused and the old file stays as it was.
    QString error;
    EXPECT_FALSE(plistWriteFile(path, QVariantList{QVariant::fromValue(QPointF(1, 2))}, PlistFormat::Xml, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(plistReadFile(path).toList().value(0).toString(), QStringLiteral("first"));
    // A folder that does not exist cannot be written to.
    EXPECT_FALSE(plistWriteFile(dir.filePath("missing/p.plist"), QVariantList{}, PlistFormat::Xml, &error));
}

TEST(Plist, DatesOutsideTheStoredRangeAreRefusedNotWrapped)
{
    // Dates are kept as 32-bit seconds from 2001: inside that range every date comes back to
    // the second, outside it the value is refused rather than stored as some other date.
    const struct {
        QDateTime date;
        bool storable;
    } cases[] = {
        {QDateTime(QDate(1901, 12, 14), QTime(0, 0), Qt::UTC), false},
        {QDateTime(QDate(1934, 1, 1), QTime(0, 0), Qt::UTC), true},
        {QDateTime(QDate(1969, 7, 20), QTime(20, 17, 40), Qt::UTC), true},
        {QDateTime(QDate(2068, 12, 31), QTime(23, 59, 59), Qt::UTC), true},
        {QDateTime(QDate(2100, 1, 1), QTime(0, 0), Qt::UTC), false},
        {QDateTime(), false},
    };
    for (const auto &c : cases) {
        for (PlistFormat format : {PlistFormat::Xml, PlistFormat::Binary}) {
            SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
            bool ok = true;
            const QByteArray bytes = plistSerialize(QVariantList{c.date}, format, &ok);
            EXPECT_EQ(ok, c.storable);
            if (!c.storable) {
                EXPECT_TRUE(bytes.isEmpty());
                continue;
            }
            const QVariantList back = plistParse(bytes).toList();
            ASSERT_EQ(back.size(), 1);
            EXPECT_EQ(back[0].toDateTime().toSecsSinceEpoch(), c.date.toSecsSinceEpoch());
        }
    }
}

TEST(Plist, LongArraysReadBackWholeInBothFormats)
{
    // A mail settings file of a few hundred KB holds arrays this long; each item is read once.
    QVariantList list;
    for (int i = 0; i < 100000; ++i)
        list << QStringLiteral("r%1@example.org").arg(i);
    const QVariantList nested{list, QVariantMap{{QStringLiteral("to"), list}}};
    for (PlistFormat format : {PlistFormat::Binary, PlistFormat::Xml}) {
        const QVariantList back = plistParse(plistSerialize(nested, format)).toList();
        ASSERT_EQ(back.size(), 2);
        EXPECT_EQ(back[0].toList(), list);
        EXPECT_EQ(back[1].toMap().value(QStringLiteral("to")).toList(), list);
    }
}

TEST(Plist, BinaryFormIsTheSameForTheSameValue)
{
    // A picture archive holds its image twice (as drawn and as adjusted): each equal value is
    // written once, whatever memory it sits in, and the bytes change exactly when a value does.
    QByteArray picture;
    for (int i = 0; i < 4096; ++i)
        picture.append(char((i * 7 + i / 256) & 0xFF));
    const auto withPictures = [](const QByteArray &first, const QByteArray &second) {
        return QVariantMap{{QStringLiteral("_contents"), QByteArray(first.constData(), first.size())},
                           {QStringLiteral("_contents_with_settings"), QByteArray(second.constData(), second.size())},
                           {QStringLiteral("list"), QVariantList{QByteArray(first.constData(), first.size()), 1.5,
                                                                 QStringLiteral("Zürich"), QStringLiteral("Zürich")}}};
    };
    const QByteArray once = plistSerialize(withPictures(picture, picture), PlistFormat::Binary);
    EXPECT_EQ(once.count(picture), 1);
    std::vector<QByteArray> spacers;
    for (int i = 0; i < 64; ++i) {
        spacers.emplace_back(64 * (i + 1), char(i));
        EXPECT_EQ(plistSerialize(withPictures(picture, picture), PlistFormat::Binary), once) << "write " << i;
    }
    QByteArray changed = picture;
    changed[2048] = char(changed[2048] ^ 1);
    const QByteArray differs = plistSerialize(withPictures(picture, changed), PlistFormat::Binary);
    EXPECT_NE(differs, once);
    EXPECT_EQ(differs.count(picture), 1);
    EXPECT_EQ(plistParse(differs).toMap().value(QStringLiteral("_contents_with_settings")).toByteArray(), changed);
    EXPECT_EQ(plistParse(once), QVariant(withPictures(picture, picture)));
}

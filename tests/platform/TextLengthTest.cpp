// Length limits count what a reader sees as one character, and a cut never leaves half of one.

#include "platform/TextLength.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");                             // one surrogate pair
const QString kFamily = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9");  // joined by ZWJ
const QString kFlag = QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA");               // two indicators
const QString kAccented = QStringLiteral("e\u0301");                                       // e + combining acute
// A hundred flags between "x" and `tail`: a cut from the end segments a window that starts
// inside the run, on the second half of a flag or of one of its letters, as the tail shifts it.
QString flagRun(const char *tail) { return QStringLiteral("x") + kFlag.repeated(100) + QLatin1String(tail); }
}  // namespace

TEST(TextLength, CutsAndCountsWholeCharacters)
{
    const struct {
        QString text;
        qsizetype n;
        QString first, last;
        bool longer;
    } cases[] = {
        {QStringLiteral("abc"), 5, QStringLiteral("abc"), QStringLiteral("abc"), false},
        {QStringLiteral("ab") + kEmoji, 3, QStringLiteral("ab") + kEmoji, QStringLiteral("ab") + kEmoji, false},
        {QStringLiteral("ab") + kEmoji + QStringLiteral("c"), 3, QStringLiteral("ab") + kEmoji, QStringLiteral("b") + kEmoji + QStringLiteral("c"), true},
        {kFamily + QStringLiteral("x"), 1, kFamily, QStringLiteral("x"), true},
        {kFlag + kFlag + kFlag, 2, kFlag + kFlag, kFlag + kFlag, true},
        {kAccented + kAccented + QStringLiteral("z"), 2, kAccented + kAccented, kAccented + QStringLiteral("z"), true},
        {QStringLiteral("abc"), 0, QString(), QString(), true},
        {flagRun("y"), 2, QStringLiteral("x") + kFlag, kFlag + QStringLiteral("y"), true},
        {flagRun("yz"), 3, QStringLiteral("x") + kFlag + kFlag, kFlag + QStringLiteral("yz"), true},
    };
    // Nothing here reaches the guard against a cut between a flag's two letters within what was
    // segmented (insideFlag): the Qt we build on pairs them itself; the guard serves those that
    // do not.
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " n=" + std::to_string(c.n));
        EXPECT_EQ(First_Characters(c.text, c.n), c.first);
        EXPECT_EQ(Last_Characters(c.text, c.n), c.last);
        EXPECT_EQ(Longer_Than(c.text, c.n), c.longer);
    }
}

TEST(TextLength, BoundsInUnitsKeepWholeCharactersAndLongTextsCostTheirLimit)
{
    // Four units allow "ab" and the emoji's pair, not half of the flag after it.
    EXPECT_EQ(Whole_Characters_Within(QStringLiteral("ab") + kEmoji + kFlag, 5), QStringLiteral("ab") + kEmoji);
    EXPECT_EQ(Whole_Characters_Within(QStringLiteral("a") + kEmoji, 2), QStringLiteral("a"));
    EXPECT_EQ(Whole_Characters_Within(QStringLiteral("a") + kFlag + kFlag, 7), QStringLiteral("a") + kFlag);
    // A huge value is cut at its limit; marks piled past any real character still count.
    const QString huge = QString(20'000'000, QLatin1Char('x')) + kEmoji;
    const qsizetype before = Segmented_Units();
    EXPECT_EQ(First_Characters(huge, 3), QStringLiteral("xxx"));
    EXPECT_TRUE(Longer_Than(huge, 1000));
    EXPECT_EQ(Last_Characters(huge, 2), QStringLiteral("x") + kEmoji);
    EXPECT_EQ(Whole_Characters_Within(huge, 5), QStringLiteral("xxxxx"));
    // A window of about 32 units a character at the cut, not the 20 million.
    EXPECT_LT(Segmented_Units() - before, 40'000);
    const QString piled = QStringLiteral("a") + QString(100, QChar(0x0301));
    EXPECT_TRUE(Longer_Than(piled, 50));
    EXPECT_LE(First_Characters(piled, 50).size(), 50);
}

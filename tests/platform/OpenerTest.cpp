// Opening files and links needs xdg-open, which the package only recommends: without it the
// user is told which package to install.
#include "platform/UiServices.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Opener, AMissingXdgOpenNamesItsPackage)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    const struct {
        QByteArray path;
        QString message;
    } cases[] = {
        {empty.path().toUtf8(), QStringLiteral("Opening files and links needs xdg-open: install the package \"xdg-utils\".")},
        {"/usr/local/bin:/usr/bin:/bin", QString()},  // the bootstrap installs xdg-utils
    };
    for (const auto &c : cases) {
        qputenv("PATH", c.path);
        EXPECT_EQ(platform::Missing_Opener_Message(), c.message) << c.path.constData();
    }
    qputenv("PATH", path);
}

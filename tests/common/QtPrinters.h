#pragma once
// Readable failure output for the Qt values tests compare most. Every test file sees these (the
// test library puts this header ahead of each of them), so gtest prints one way everywhere
// instead of dumping the objects' bytes.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QStringList &texts, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
void PrintTo(const QColor &colour, std::ostream *os);
// As qDebug() shows it: type and value.
void PrintTo(const QVariant &value, std::ostream *os);
// Size, format, a digest of the pixels and the corner pixels: enough to tell two pictures apart.
void PrintTo(const QImage &image, std::ostream *os);

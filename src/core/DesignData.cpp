#include "core/DesignData.h"
#include "core/SKTGraphic.h"
#include "platform/UiServices.h"
#include "platform/TextLength.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <vector>

struct DesignTable::Data : QSharedData {
    struct Cell {
        quint32 offset;
        quint32 length;
        quint32 key;
        CellType type;
    };
    QStringList keys;
    QHash<QString, quint32> keyIndex;
    std::vector<Cell> cells;
    // Index of each row's first cell; the row's cells end where the next row's begin.
    std::vector<quint32> rowStart;
    // The text of every cell, one after the other.
    QString text;
    QString problem;

    quint32 keyOf(QStringView key, quint32 guess)
    {
        // Rows mostly repeat the keys of the row before, in the same order.
        if (guess < quint32(keys.size()) && keys[guess] == key)
            return guess;
        const QString k = key.toString();
        auto it = keyIndex.constFind(k);
        if (it != keyIndex.constEnd())
            return *it;
        keys.append(k);
        return keyIndex.insert(k, quint32(keys.size() - 1)).value();
    }
};

DesignTable::DesignTable() : d(new Data) {}
DesignTable::DesignTable(const DesignTable &) = default;
DesignTable &DesignTable::operator=(const DesignTable &) = default;
DesignTable::~DesignTable() = default;

DesignTable::DesignTable(const QVariantList &rows) : DesignTable()
{
    d->rowStart.reserve(size_t(rows.size()));
    for (const QVariant &row : rows)
        append(row);
}

DesignTable::operator QVariantList() const
{
    QVariantList rows;
    rows.reserve(size());
    for (qsizetype r = 0; r < size(); ++r)
        rows.append(row(r));
    return rows;
}

qsizetype DesignTable::size() const { return qsizetype(d->rowStart.size()); }

quint32 DesignTable::rowBegin(qsizetype row) const { return d->rowStart[size_t(row)]; }

quint32 DesignTable::rowEnd(qsizetype row) const
{
    return row + 1 < size() ? d->rowStart[size_t(row + 1)] : quint32(d->cells.size());
}

QStringView DesignTable::keyAt(quint32 cell) const { return d->keys[d->cells[cell].key]; }

QStringView DesignTable::textAt(quint32 cell) const
{
    return QStringView(d->text).sliced(d->cells[cell].offset, d->cells[cell].length);
}

DesignTable::CellType DesignTable::typeAt(quint32 cell) const { return d->cells[cell].type; }

void DesignTable::append(const QVariant &row)
{
    if (row.typeId() == QMetaType::QVariantMap)
        append(row.toMap());
    else if (d->problem.isEmpty())
        d->problem = QStringLiteral("a table row is not a dictionary");
}

void DesignTable::append(const QVariantMap &row)
{
    beginRow();
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        const QVariant &v = it.value();
        switch (v.typeId()) {
        case QMetaType::QString:
            addCell(it.key(), Text, v.toString());
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            addCell(it.key(), Integer, QString::number(v.toLongLong()));
            break;
        case QMetaType::Double:
            addCell(it.key(), Real, QString::number(v.toDouble(), 'g', 17));
            break;
        case QMetaType::Bool:
            addCell(it.key(), Boolean, v.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        default:
            if (d->problem.isEmpty())
                d->problem = QStringLiteral("the table cell \"%1\" is not a value").arg(platform::First_Characters(it.key(), 40));
            break;
        }
    }
    endRow();
}

void DesignTable::beginRow() { d->rowStart.push_back(quint32(d->cells.size())); }

void DesignTable::addCell(QStringView key, CellType type, QStringView text)
{
    Data &data = *d;
    const quint32 begin = data.rowStart.back(), at = quint32(data.cells.size());
    // The key the previous row had at this place, as a guess.
    quint32 guess = quint32(-1);
    if (data.rowStart.size() > 1) {
        const quint32 previous = data.rowStart[data.rowStart.size() - 2] + (at - begin);
        if (previous < begin)
            guess = data.cells[previous].key;
    }
    data.cells.push_back({quint32(data.text.size()), quint32(text.size()), data.keyOf(key, guess), type});
    data.text.append(text);
}

void DesignTable::endRow()
{
    Data &data = *d;
    const auto begin = data.cells.begin() + data.rowStart.back();
    const auto before = [&data](const Data::Cell &a, const Data::Cell &b) { return data.keys[a.key] < data.keys[b.key]; };
    if (std::adjacent_find(begin, data.cells.end(), [&](const Data::Cell &a, const Data::Cell &b) {
            return !before(a, b);
        }) == data.cells.end())
        return;
    // Out of order or a key twice: in key order, the last value of a key kept.
    std::stable_sort(begin, data.cells.end(), before);
    std::vector<Data::Cell> kept;
    for (auto it = begin; it != data.cells.end(); ++it) {
        if (!kept.empty() && kept.back().key == it->key)
            kept.back() = *it;
        else
            kept.push_back(*it);
    }
    data.cells.erase(begin, data.cells.end());
    data.cells.insert(data.cells.end(), kept.begin(), kept.end());
}

QString DesignTable::value(qsizetype row, const QString &key) const
{
    if (row < 0 || row >= size())
        return {};
    for (quint32 c = rowBegin(row), end = rowEnd(row); c < end; ++c) {
        if (keyAt(c) == key)
            return textAt(c).toString();
    }
    return {};
}

QVariantMap DesignTable::row(qsizetype row) const
{
    QVariantMap map;
    forEachCell(row, [&map](QStringView key, CellType type, QStringView text) {
        QVariant v;
        switch (type) {
        case Text: v = text.toString(); break;
        case Integer: v = text.toLongLong(); break;
        case Real: v = text.toDouble(); break;
        case Boolean: v = text == QLatin1String("1"); break;
        }
        map.insert(key.toString(), v);
    });
    return map;
}

bool DesignTable::operator==(const DesignTable &other) const
{
    if (size() != other.size() || problem() != other.problem())
        return false;
    for (qsizetype r = 0; r < size(); ++r) {
        const quint32 a = rowBegin(r), b = other.rowBegin(r);
        if (rowEnd(r) - a != other.rowEnd(r) - b)
            return false;
        for (quint32 k = 0; k < rowEnd(r) - a; ++k) {
            if (keyAt(a + k) != other.keyAt(b + k) || typeAt(a + k) != other.typeAt(b + k)
                || textAt(a + k) != other.textAt(b + k))
                return false;
        }
    }
    return true;
}

QString DesignTable::problem() const { return d->problem; }

QStringList Missing_Design_Pictures(const DesignData &design)
{
    QStringList missing;
    const auto check = [&missing](const QString &path) {
        if (!path.trimmed().isEmpty() && !QFileInfo::exists(path) && !missing.contains(path))
            missing.append(path);
    };
    for (const Card_Property *card : {&design.front, &design.back})
        if (card->Card_fill_chk() && card->Card_fill_style() == QLatin1String("I"))
            check(card->Card_BG_Image_Path());
    for (const SKTGraphicArray *side : {&design.frontControls, &design.backControls})
        for (const SKTGraphicPtr &g : *side)
            if (g && g->kind() == SKTGraphicKind::Image)
                check(g->_file_path);
    return missing;
}

QString Missing_Pictures_Message(const QStringList &paths)
{
    constexpr int named = 5, longest = 90;
    const QString text = paths.size() == 1
                       ? QStringLiteral("A picture of this design cannot be found; its frame stays empty:")
                       : QStringLiteral("%1 pictures of this design cannot be found; their frames stay empty:")
                             .arg(paths.size());
    QStringList shown = paths;
    for (qsizetype i = 0; i < std::min<qsizetype>(named, shown.size()); ++i) {
        QString &line = shown[i] = QDir::toNativeSeparators(shown[i]);
        if (platform::Longer_Than(line, longest))  // the file's name and the start of its folder stay readable
            line = platform::First_Characters(line, longest / 3) + QChar(0x2026)
                 + platform::Last_Characters(line, longest * 2 / 3 - 1);
    }
    return text + QLatin1Char('\n') + platform::Bounded_List_Text(shown, named, QStringLiteral("and %1 more."));
}

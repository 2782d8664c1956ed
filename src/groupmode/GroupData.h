#pragma once
// A group project's data as group mode reads and edits it: the spreadsheet table (column titles
// and rows) and the twelve column bindings of the profile fields. The main window answers it
// over the one table it keeps; a design read whole (and a test's sheet) answers it over its
// DesignData. Only these calls touch the table, so where the window keeps it may change.

#include "core/DesignData.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace groupmode {

// Field f (0 … 11) is bound by excel_cb_value<f+1>: name, title, company, slogan, address,
// phone, fax, e-mail, website, unique number, front photo, back photo.
inline constexpr int kTextFields = 10, kFrontPhoto = 10, kBackPhoto = 11, kBindings = 12;

class GroupData {
public:
    virtual ~GroupData() = default;
    // Header title of every column, the row-number column 0 included.
    virtual QStringList columnTitles() const = 0;
    virtual int rowCount() const = 0;
    // Row r ("Extension" and "Column<k>" keys); empty past the end.
    virtual QVariantMap row(int r) const = 0;
    virtual QVariantList rows() const = 0;
    virtual void setRows(const QVariantList &rows) = 0;
    virtual void setColumnTitles(const QStringList &titles) = 0;
    // The column of field f, -1 when unbound.
    virtual int binding(int field) const = 0;
    virtual void setBinding(int field, int column) = 0;

    int columnCount() const { return int(columnTitles().size()); }
};

// Over a design's own data.
class DesignGroupData : public GroupData {
public:
    explicit DesignGroupData(DesignData &design) : m_design(design) {}
    QStringList columnTitles() const override { return m_design.columnTitles; }
    int rowCount() const override { return int(m_design.tableRows.size()); }
    QVariantMap row(int r) const override { return r >= 0 && r < rowCount() ? m_design.tableRows.row(r) : QVariantMap(); }
    QVariantList rows() const override { return m_design.tableRows; }
    void setRows(const QVariantList &rows) override { m_design.tableRows = DesignTable(rows); }
    void setColumnTitles(const QStringList &titles) override { m_design.columnTitles = titles; }
    int binding(int field) const override { return m_design.excelColumns.at(size_t(field)); }
    void setBinding(int field, int column) override { m_design.excelColumns.at(size_t(field)) = column; }

private:
    DesignData &m_design;
};

}  // namespace groupmode

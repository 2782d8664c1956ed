#pragma once
// Workbooks for the spreadsheet tests, written by openpyxl (Debian's python3) at test time.

#include "TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace xlsxtest {

// Prelude of every script: `path` (argv[1]), a fresh workbook `wb` with its sheet `ws`, and
// `patch(parts, rename)` which replaces parts of the saved file and renames worksheet parts.
inline const char *Prelude = R"PY(
import sys, zipfile, datetime, openpyxl
path = sys.argv[1]
wb = openpyxl.Workbook(); ws = wb.active
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
def sheet(dim, rows):
    return '<worksheet %s><dimension ref="%s"/><sheetData>%s</sheetData></worksheet>' % (NS, dim, rows)
def patch(parts={}, rename={}):
    with zipfile.ZipFile(path) as z:
        items = {rename.get(n, n): z.read(n) for n in z.namelist()}
    for n, t in items.items():
        if n.endswith('.rels') or n.endswith('Types].xml'):
            for i, old in enumerate(rename):
                t = t.replace(old.split('/')[-1].encode(), b'@%d@' % i)
            for i, new in enumerate(rename.values()):
                t = t.replace(b'@%d@' % i, new.split('/')[-1].encode())
            items[n] = t
    items.update({k: v.encode() for k, v in parts.items()})
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for n, d in items.items():
            z.writestr(n, d)
)PY";

// Builds a workbook at `path` from a snippet of python run after the prelude.
inline testsupport::ToolResult build(const QString &python, const QString &snippet, const QString &path)
{
    return testsupport::runTool(python, {QStringLiteral("-c"), QString::fromUtf8(Prelude) + snippet, path});
}

// A table as text: cells joined by "|", rows by ";".
inline QString flat(const QList<QStringList> &rows)
{
    QStringList out;
    for (const QStringList &r : rows)
        out.append(r.join(QLatin1Char('|')));
    return out.join(QLatin1Char(';'));
}

}  // namespace xlsxtest

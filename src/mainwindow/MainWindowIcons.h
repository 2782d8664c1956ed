#pragma once
// Icons and tool tips of the window's commands.

#include <QIcon>
#include <QKeySequence>
#include <QString>

// The theme's icon of that freedesktop name, else our own picture for the names "badgeloom-import"
// and "badgeloom-crop", else a tile drawn with the first letters of `text`.
QIcon commandIcon(const QString &themeName, const QString &text);
// "Title (Ctrl+X)", or the title alone.
QString commandToolTip(const QString &title, const QKeySequence &keys);

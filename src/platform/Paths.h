#pragma once
#include <QString>

namespace platform {

// The per-user data folder (XDG data location of the application). Not created here.
QString dataFolderPath();

// The folder of the application's own resources: "BADGELOOM_RESOURCES" when set, else
// "<exe>/../share/badgeloom" when installed, else the "resources" folder of the build tree
// found beside or above the executable. Empty when none exists.
QString resourceFolderPath();

// Joins path components with exactly one separator between them.
QString joinPath(const QString &a, const QString &b);
QString joinPath(const QString &a, const QString &b, const QString &c);

}  // namespace platform

#pragma once
// The user's templates on disk: a preview picture (png or jpg) beside a design file of the same
// name. The one set of copy and rename commands every template gallery uses, so the galleries
// agree on names, on jpg previews and on leaving no half copy behind.

#include <QString>

// The design file beside a preview.
QString Template_Design_Path(const QString &previewPath);
// The first "<name> (copy n).<ext>" beside the preview whose preview and design file are both
// free.
QString Create_New_File_Path(const QString &previewPath);
// Copies a template (preview and design file) under the next free copy name; the new preview's
// path, empty when nothing could be copied (no half copy is left).
QString Copy_User_Template(const QString &previewPath);
// Renames a template to `newName` in its folder, keeping the preview's own extension. The old
// files go only once both new ones are written and match them; otherwise the template stays
// as it was. The new preview's path, or empty on failure.
QString Rename_User_Template(const QString &previewPath, const QString &newName);
// Deletes a template's preview and design file.
void Delete_User_Template(const QString &previewPath);

#pragma once
// The group project store: "Group_Excel_Data" in the data folder, a tree of folders (named by
// their path relative to it; "All" always exists) holding projects, one design file <name>.did
// each. Everything here works on the disk alone; the wizard asks the questions.

#include <QString>
#include <QStringList>
#include <vector>

// One node of the project tree: a folder (named by its relative path) with its projects, or a
// project (named without its extension). Every item knows its own kind and full path, so a
// selection never has to be guessed from the rows around it.
class TreeItem {
public:
    enum Kind { Folder, Project };

    static TreeItem TreeItemName(const QString &name, Kind kind = Folder, const QString &path = {});
    QString name() const { return _name; }
    QString description() const { return _name; }
    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    bool isBoss() const { return !_TreeItemInTreeItem.empty(); }
    void addTreeItem(const TreeItem &item) { _TreeItemInTreeItem.push_back(item); }
    int getTreeItemNumbers() const { return int(_TreeItemInTreeItem.size()); }
    const std::vector<TreeItem> &getTreeItems() const { return _TreeItemInTreeItem; }
    void RemoveAllTreeItem() { _TreeItemInTreeItem.clear(); }

private:
    QString _name = QStringLiteral("name");
    Kind m_kind = Folder;
    QString m_path;
    std::vector<TreeItem> _TreeItemInTreeItem;
};

// The store's root folder and the folder every store has.
QString Group_Store_Root();
inline const QString kAllFolder = QStringLiteral("All");

// Creates the root and "All" when missing; false when they cannot be made.
bool Ensure_Group_Store();
// Every folder below the root at any depth, as relative paths, each before its sub-folders,
// siblings in name order.
QStringList Group_Store_Folders();
// The top level of the project tree: one item per folder, its projects (exactly ".did") below.
std::vector<TreeItem> Build_Project_Tree();
// The rows of the fully expanded tree, top to bottom.
std::vector<TreeItem> Project_Tree_Rows(const std::vector<TreeItem> &tree);

// A project or folder name as typed, made safe for one path component: reserved characters
// mended as every name dialog mends them (an inner "/" or "\\" becomes "_") and trimmed; empty
// (refused) for "." or ".." or a name of nothing but reserved characters.
QString Clean_Store_Name(const QString &name);
// The full path of `relative` inside the store; empty when it would leave the store (or is
// the root itself).
QString Store_Path(const QString &relative);
// The project file of `name` in `folder`; empty when either is unusable. `exists` (when given)
// tells whether a file is there already.
QString Group_Project_Path(const QString &name, const QString &folder, bool *exists = nullptr);
namespace groupmode {
// The first "<name> (copy n).<ext>" beside `path` that is free, as is its ".did" design file
// (a template preview's copy never lands on another template's design).
QString Create_New_File_Path(const QString &path);
}

// The commands. Each answers the message to show, empty when it succeeded.
QString Copy_Group_Project(const QString &projectPath, QString *copyPath = nullptr);
// `renamedPath` (when given) receives the project's new path.
QString Rename_Group_Project(const QString &projectPath, const QString &newName, QString *renamedPath = nullptr);
// Removes the project's own files (its design file and files of its name) and then its folder
// when that is empty and not "All"; the store keeps "All".
QString Delete_Group_Project(const QString &projectPath);
// Removes a folder with its content; never the root or "All".
QString Delete_Group_Folder(const QString &folderPath);
// Makes `parent`/`name`; `relative` receives the new folder's relative path.
QString Create_Group_Folder(const QString &parent, const QString &name, QString *relative = nullptr);

#include "groupmode/GroupProjects.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kExt = QStringLiteral("did");

bool isProjectFile(const QFileInfo &info)
{
    return info.isFile() && info.suffix() == kExt;  // upper-case "DID" is not a project
}

void listFolders(const QString &root, const QString &relative, QStringList &out)
{
    const QDir dir(relative.isEmpty() ? root : platform::joinPath(root, relative));
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names) {
        const QString child = relative.isEmpty() ? name : relative + QLatin1Char('/') + name;
        out << child;
        listFolders(root, child, out);
    }
}

bool isInside(const QString &path, const QString &root)
{
    return path.startsWith(root + QLatin1Char('/')) && path.size() > root.size() + 1;
}

// Whether the path, with every link on its way resolved, still lies inside the store, and is no
// link itself: a link planted in the store must never lead a delete, copy or rename out of it.
bool reallyInside(const QString &path)
{
    const QString root = QFileInfo(QDir::cleanPath(Group_Store_Root())).canonicalFilePath();
    const QFileInfo info(path);
    const QString real = info.isSymLink() ? QString() : info.canonicalFilePath();
    return !root.isEmpty() && !real.isEmpty() && isInside(real, root);
}

}  // namespace

TreeItem TreeItem::TreeItemName(const QString &name, Kind kind, const QString &path)
{
    TreeItem item;
    item._name = name;
    item.m_kind = kind;
    item.m_path = path;
    return item;
}

QString Group_Store_Root() { return platform::joinPath(Created_Resource_Path, QStringLiteral("Group_Excel_Data")); }

bool Ensure_Group_Store() { return Create_Folder(platform::joinPath(Group_Store_Root(), kAllFolder), 0777); }

QStringList Group_Store_Folders()
{
    QStringList out;
    listFolders(QDir::cleanPath(Group_Store_Root()), QString(), out);
    return out;
}

std::vector<TreeItem> Build_Project_Tree()
{
    std::vector<TreeItem> tree;
    for (const QString &folder : Group_Store_Folders()) {
        const QString path = Store_Path(folder);
        TreeItem item = TreeItem::TreeItemName(folder, TreeItem::Folder, path);
        const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
        for (const QFileInfo &file : files) {
            if (isProjectFile(file))
                item.addTreeItem(TreeItem::TreeItemName(file.completeBaseName(), TreeItem::Project,
                                                        file.absoluteFilePath()));
        }
        tree.push_back(std::move(item));
    }
    return tree;
}

std::vector<TreeItem> Project_Tree_Rows(const std::vector<TreeItem> &tree)
{
    std::vector<TreeItem> rows;
    for (const TreeItem &folder : tree) {
        rows.push_back(folder);
        for (const TreeItem &project : folder.getTreeItems())
            rows.push_back(project);
    }
    return rows;
}

QString Clean_Store_Name(const QString &name)
{
    // A name is one path component. A separator typed into it is mended as every other name
    // dialog mends it (reserved characters off the ends, an inner "/" an underscore); a
    // backslash inside goes the same way, so no name reads as a path on any system.
    const QString clean = Remove_Reserve_Char_In_File_Name(name).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (clean == QStringLiteral(".") || clean == QStringLiteral(".."))
        return {};
    return clean;
}

QString Store_Path(const QString &relative)
{
    const QString root = QDir::cleanPath(Group_Store_Root());
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relative.trimmed());
    return isInside(path, root) ? path : QString();
}

QString Group_Project_Path(const QString &name, const QString &folder, bool *exists)
{
    const QString clean = Clean_Store_Name(name);
    const QString dir = Store_Path(folder);
    // A hidden project would never be listed (the new-project screen says why it is refused).
    const bool hidden = !Hidden_Name_Refusal(clean, {}).isEmpty();
    const QString path = clean.isEmpty() || hidden || dir.isEmpty() ? QString() : dir + QLatin1Char('/') + clean + QStringLiteral(".did");
    if (exists)
        *exists = !path.isEmpty() && QFileInfo::exists(path);
    return path;
}

QString groupmode::Create_New_File_Path(const QString &path)
{
    const QFileInfo info(path);
    for (int n = 1;; ++n) {
        const QString candidate = info.dir().filePath(
            QStringLiteral("%1 (copy %2).%3").arg(info.completeBaseName(), QString::number(n), info.suffix()));
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(QFileInfo(candidate).dir().filePath(
                QFileInfo(candidate).completeBaseName() + QStringLiteral(".did"))))
            return candidate;
    }
}

namespace {

// A project file inside the store, or empty.
QString projectIn(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QFileInfo info(clean);
    return isInside(clean, QDir::cleanPath(Group_Store_Root())) && reallyInside(clean) && isProjectFile(info) ? clean
                                                                                                            : QString();
}

const QString kSelectProject = QStringLiteral("Please select project.");

}  // namespace

QString Copy_Group_Project(const QString &projectPath, QString *copyPath)
{
    const QString path = projectIn(projectPath);
    if (path.isEmpty())
        return kSelectProject;
    const QString target = groupmode::Create_New_File_Path(path);
    // Read and written whole: QFile::copy misses a failed last flush, so a full disk left an
    // empty copy reported as made.
    QFile source(path);
    QString why;
    if (!platform::openRegularFile(source, &why) ||
        !platform::writeWholeFile(target, source.readAll(), &why))
        return platform::withReason(QStringLiteral("Could not copy the project."), why);
    if (copyPath)
        *copyPath = target;
    return {};
}

QString Rename_Group_Project(const QString &projectPath, const QString &newName, QString *renamedPath)
{
    const QString path = projectIn(projectPath);
    if (path.isEmpty())
        return kSelectProject;
    const QString name = Clean_Store_Name(newName);
    if (name.isEmpty())
        return Empty_Name_Message(newName, QStringLiteral("Please enter project name."));
    if (const QString hidden = Hidden_Name_Refusal(name, QStringLiteral("project")); !hidden.isEmpty())
        return hidden;
    const QString target = QFileInfo(path).dir().filePath(name + QStringLiteral(".did"));
    if (target == path)
        return {};
    if (QFileInfo::exists(target))
        return QStringLiteral("Project name already exist.");
    if (!QFile::rename(path, target))
        return QStringLiteral("Could not rename the project.");
    if (renamedPath)
        *renamedPath = target;
    return {};
}

QString Delete_Group_Project(const QString &projectPath)
{
    const QString path = projectIn(projectPath);
    if (path.isEmpty())
        return kSelectProject;
    const QFileInfo info(path);
    QDir dir = info.dir();
    if (!QFile::remove(path))
        return QStringLiteral("Could not delete the project.");
    // Files the project made beside itself carry its name; other projects' files stay.
    for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (file.completeBaseName() == info.completeBaseName())
            QFile::remove(file.absoluteFilePath());
    }
    const bool isAll = QDir::cleanPath(dir.absolutePath()) == Store_Path(kAllFolder);
    if (!isAll && dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        dir.rmdir(dir.absolutePath());
    Ensure_Group_Store();
    return {};
}

QString Delete_Group_Folder(const QString &folderPath)
{
    const QString path = QDir::cleanPath(folderPath);
    if (!isInside(path, QDir::cleanPath(Group_Store_Root())) || !reallyInside(path) || path == Store_Path(kAllFolder) ||
        !QFileInfo(path).isDir())
        return kSelectProject;
    if (!QDir(path).removeRecursively())
        return QStringLiteral("Could not delete the folder.");
    Ensure_Group_Store();
    return {};
}

QString Create_Group_Folder(const QString &parent, const QString &name, QString *relative)
{
    const QString clean = Clean_Store_Name(name);
    if (clean.isEmpty())
        return Empty_Name_Message(name, QStringLiteral("Please enter folder name."));
    if (const QString hidden = Hidden_Name_Refusal(clean, QStringLiteral("folder")); !hidden.isEmpty())
        return hidden;
    if (parent.trimmed().isEmpty() || Store_Path(parent).isEmpty())
        return QStringLiteral("Please select project path.");
    const QString rel = parent.trimmed() + QLatin1Char('/') + clean;
    const QString full = Store_Path(rel);
    if (full.isEmpty())
        return QStringLiteral("Please enter folder name.");
    if (QFileInfo::exists(full))
        return QStringLiteral("Folder already exist.");
    if (!Create_Folder(full, 0777) || !QFileInfo(full).isDir())
        return QStringLiteral("The folder could not be created.");
    if (relative)
        *relative = QDir::cleanPath(rel);
    return {};
}

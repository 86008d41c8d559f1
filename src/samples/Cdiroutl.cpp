// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Cdiroutl.h"

#include "number/Error.h"
#include "samples/ComponentPalette.h"
#include "samples/OutlinePictures.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <filesystem>

namespace {

// Marks a node whose level has been listed.
int listedMarker;
void* const APointer = &listedMarker;

// A node's directory name as the file system spells it; its text is that
// name in the case chosen by TextCase.
constexpr int NameRole = Qt::UserRole + 1;

QString lowerCase(const QString& text)
{
    return text.toLower();
}

QString upperCase(const QString& text)
{
    return text.toUpper();
}

// The path on disk for an absolute path as given: each element is the entry
// of that name, or, only when there is none, the first entry whose name
// matches ignoring case.
QString realPath(const QString& given)
{
    QString real = QStringLiteral("/");
    for (const QString& part : given.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QDir dir(real);
        QString name = part;
        if (!QFileInfo::exists(dir.filePath(part))) {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries)
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    name = entry;
                    break;
                }
        }
        real = dir.filePath(name);
    }
    return real;
}

QCollator nameCollator()
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Makes a real path the process's current directory, or says why it cannot.
void enterDirectory(const QString& path)
{
    if (QDir::setCurrent(path))
        return;
    const QFileInfo info(path);
    const QString reason = !info.exists()  ? QStringLiteral("такой папки нет")
                           : !info.isDir() ? QStringLiteral("это не папка")
                                           : QStringLiteral("нет доступа");
    throw Error(QStringLiteral("Не удалось перейти в папку «%1»: %2").arg(path, reason));
}

QIcon paletteIcon()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
    painter.drawLine(QPointF(4.5, 10), QPointF(4.5, 20.5));
    painter.drawLine(QPointF(4.5, 13.5), QPointF(9, 13.5));
    painter.drawLine(QPointF(4.5, 20.5), QPointF(9, 20.5));
    OutlinePictures::drawFolder(painter, QRectF(0.5, 0.5, 11, 9), true);
    OutlinePictures::drawFolder(painter, QRectF(10.5, 9.5, 10, 7), false);
    OutlinePictures::drawFolder(painter, QRectF(10.5, 16.5, 10, 7), false);
    return QIcon(picture);
}

} // namespace

TCDirectoryOutline::TCDirectoryOutline(QWidget* parent) : Outline(parent)
{
    setItemSeparator(QString(QChar(Root)));
    // Tree lines with pictures and text, no lines to the root; directories
    // without listed children look like closed folders.
    setRootIsDecorated(false);
    setPictureLeaf(pictureClosed());
    setAccessibleName(QStringLiteral("Дерево папок"));
    AssignCaseProc();
}

void TCDirectoryOutline::Register()
{
    ComponentPalette::add({QStringLiteral("TCDirectoryOutline"), QStringLiteral("Samples"),
                           QStringLiteral("samples/Cdiroutl.h"),
                           QStringLiteral("Дерево папок, открытое до текущей папки"),
                           [](QWidget* parent) { return new TCDirectoryOutline(parent); },
                           &paletteIcon});
}

QString TCDirectoryOutline::CurDir()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    return error ? QString() : QFile::decodeName(path.native().c_str());
}

int TCDirectoryOutline::DriveToInt(QChar letter)
{
    return letter.toUpper().unicode() - u'A';
}

QString TCDirectoryOutline::ForceCase(const QString& text) const
{
    return FCaseFunction ? FCaseFunction(text) : text;
}

void TCDirectoryOutline::AssignCaseProc()
{
    switch (FTextCase) {
    case tcLowerCase:
        FCaseFunction = &lowerCase;
        break;
    case tcUpperCase:
        FCaseFunction = &upperCase;
        break;
    case tcAsIs:
        FCaseFunction = nullptr;
        break;
    }
}

void TCDirectoryOutline::SetDrive(QChar drive)
{
    // A drive letter names nothing on a single-root file system.
    if (drive != QChar(Root) || FDrive == drive)
        return;
    FDrive = drive;
    FDirectory = CurDir();
    if (!isLoading())
        BuildTree();
}

void TCDirectoryOutline::SetDirectory(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString S = realPath(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    if (S == FDirectory)
        return;
    // Enter the directory and walk the tree to it before anything is stored,
    // so a change that fails leaves Directory(), the selected node and the
    // process's current directory as they were, and reports no change.
    const QString previous = QDir::currentPath();
    enterDirectory(S);
    if (S.front() != FDrive) {
        SetDrive(S.front());
        return;
    }
    // While loading there is no tree yet; the build at the end opens it.
    if (!isLoading()) {
        try {
            WalkTree(S);
        } catch (...) {
            QDir::setCurrent(previous);
            throw;
        }
    }
    FDirectory = S;
    Change();
}

void TCDirectoryOutline::SetTextCase(TTextCase value)
{
    if (value == FTextCase)
        return;
    FTextCase = value;
    AssignCaseProc();
    if (value == tcAsIs) {
        const QString current = CurDir();
        if (current.isEmpty())
            throw Error(QStringLiteral("Range check error"));
        FDrive = current.front();
        FDirectory = current;
    }
    if (!isLoading())
        BuildTree();
}

// The child whose directory has exactly this name, or else the first whose
// text matches it ignoring case.
int TCDirectoryOutline::GetChildNamed(const QString& name, int item)
{
    expandNode(item);
    const QLocale locale;
    const QString wanted = locale.toUpper(name);
    int match = -1;
    for (int child = firstChild(item); child != -1; child = nextChild(child)) {
        if (Outline::item(child)->data(0, NameRole).toString() == name)
            return child;
        if (match == -1 && locale.toUpper(itemText(child)) == wanted)
            match = child;
    }
    return match;
}

QString TCDirectoryOutline::nodePath(int item) const
{
    QStringList names;
    // The top node stands for the root; the names below it make the path.
    for (const QTreeWidgetItem* node = Outline::item(item); node->parent(); node = node->parent())
        names.prepend(node->data(0, NameRole).toString());
    return QChar(Root) + names.join(QChar(Root));
}

void TCDirectoryOutline::WalkTree(const QString& path)
{
    QString S = path;
    int current = 1;
    // The top node is the root: the path below it starts after the first "/".
    if (S.startsWith(QChar(Root)))
        S.remove(0, 1);
    while (!S.isEmpty()) {
        const qsizetype slash = S.indexOf(QChar(Root));
        const QString name = slash < 0 ? S : S.left(slash);
        S = slash < 0 ? QString() : S.mid(slash + 1);
        const int child = GetChildNamed(name, current);
        current = child != -1 ? child : addUnlisted(current, name);
    }
    setSelectedItem(current);
}

// A directory on the way that the listing leaves out (a hidden one) is shown
// all the same; -1 when there is no such directory.
int TCDirectoryOutline::addUnlisted(int item, const QString& name)
{
    if (!QFileInfo(QDir(nodePath(item)).filePath(name)).isDir())
        return -1;
    return indexOf(insertSorted(Outline::item(item), name, nameCollator()));
}

void TCDirectoryOutline::BuildTree()
{
    clear();
    addChild(0, ForceCase(QString(QChar(Root))));
    item(1)->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    WalkTree(FDirectory);
    Change();
}

void TCDirectoryOutline::BuildOneLevel(int item)
{
    QTreeWidgetItem* node = Outline::item(item);
    const QDir dir(nodePath(item));
    // Without QDir::Hidden, hidden entries are not listed.
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    const QCollator collator = nameCollator();
    for (const QString& name : names)
        if (!name.startsWith(QLatin1Char('.')))
            insertSorted(node, name, collator);
    setItemData(item, APointer);
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

// Adds a child in case-insensitive order, unless a child of that name is
// there already (a level listed again): each directory is listed once.
QTreeWidgetItem* TCDirectoryOutline::insertSorted(QTreeWidgetItem* node, const QString& name,
                                                  const QCollator& collator)
{
    // The children are kept in order, so the first child that does not
    // compare below the name is found by halving.
    const QString text = ForceCase(name);
    int low = 0, high = node->childCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (collator.compare(node->child(middle)->text(0), text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    for (int same = low;
         same < node->childCount() && collator.compare(node->child(same)->text(0), text) == 0;
         ++same)
        if (node->child(same)->data(0, NameRole).toString() == name)
            return node->child(same);
    // Not listed yet: offer to expand it.
    QTreeWidgetItem* child = insertNode(node, low, text);
    child->setData(0, NameRole, name);
    child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return child;
}

void TCDirectoryOutline::BuildSubTree(int item)
{
    BuildOneLevel(item);
    for (int child = firstChild(item); child != -1; child = nextChild(child)) {
        // A link back up the tree would make the walk endless.
        if (!QFileInfo(nodePath(child)).isSymLink())
            BuildSubTree(child);
    }
}

void TCDirectoryOutline::Change()
{
    Q_EMIT OnChange();
}

void TCDirectoryOutline::Click()
{
    Outline::Click();
    SetDirectory(nodePath(selectedItem()));
}

void TCDirectoryOutline::Expand(int index)
{
    if (!itemData(index))
        BuildOneLevel(index);
    Outline::Expand(index);
}

void TCDirectoryOutline::takeCurrentDirectory()
{
    const QString current = CurDir();
    if (!current.isEmpty()) {
        FDrive = current.front();
        FDirectory = current;
    }
}

void TCDirectoryOutline::CreateWnd()
{
    Outline::CreateWnd();
    if (FDrive.isNull())
        takeCurrentDirectory();
}

void TCDirectoryOutline::Loaded()
{
    Outline::Loaded();
    AssignCaseProc();
    // Taking the drive first opens the tree to the current directory even
    // when loading ends before the window exists.
    if (FDrive.isNull())
        takeCurrentDirectory();
    BuildTree();
}

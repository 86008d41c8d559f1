// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "samples/Outline.h"

class QCollator;

// The directories of the file system as an expandable tree, kept in step
// with a current directory: the tree is opened down to the current
// directory with it selected, and picking a node makes its directory
// current. Levels are listed lazily, the first time a node is expanded,
// in case-insensitive order.
//
// The file system has a single root: the top node is "/", node paths are
// real paths joined with "/", and drive letters have no effect. TextCase
// folds only the node texts: each node keeps its directory's real name, and
// Directory() is the real path. A path is entered as given, an element
// being matched ignoring case only where no entry has its exact name.
// A directory change that fails raises an Error saying why and changes
// nothing; a hidden directory on the way is shown in the tree.
//
// The component changes the process's current directory.
class TCDirectoryOutline : public Outline
{
    Q_OBJECT
    Q_PROPERTY(TTextCase TextCase READ TextCase WRITE SetTextCase)
    Q_PROPERTY(QString Directory READ Directory WRITE SetDirectory DESIGNABLE false)

public:
    enum TTextCase : quint8 { tcLowerCase, tcUpperCase, tcAsIs };
    Q_ENUM(TTextCase)

    // The root node: the only "drive" of a single-root file system.
    static constexpr char16_t Root = u'/';

    explicit TCDirectoryOutline(QWidget* parent = nullptr);

    // Adds the class to the component palette.
    static void Register();

    // The process's current directory; empty when it cannot be read.
    static QString CurDir();
    static int DriveToInt(QChar letter);
    QString ForceCase(const QString& text) const;

    QChar Drive() const { return FDrive; }
    QString Directory() const { return FDirectory; }
    TTextCase TextCase() const { return FTextCase; }

    void SetDrive(QChar drive);
    void SetDirectory(const QString& path);
    void SetTextCase(TTextCase value);
    // The same setter under the name Qt's form compiler expects.
    void setTextCase(TTextCase value) { SetTextCase(value); }

    int GetChildNamed(const QString& name, int item);
    void WalkTree(const QString& path);

    virtual void BuildOneLevel(int item);
    virtual void BuildTree();
    virtual void BuildSubTree(int item);
    virtual void Change();

    void Loaded() override;

Q_SIGNALS:
    void OnChange();

protected:
    void Click() override;
    void Expand(int index) override;
    void CreateWnd() override;

private:
    void AssignCaseProc();
    void takeCurrentDirectory();
    QTreeWidgetItem* insertSorted(QTreeWidgetItem* node, const QString& name,
                                  const QCollator& collator);
    int addUnlisted(int item, const QString& name);
    // The real path of the directory a node stands for.
    QString nodePath(int item) const;

    QChar FDrive;
    // The current directory as the file system spells it.
    QString FDirectory;
    TTextCase FTextCase = tcLowerCase;
    QString (*FCaseFunction)(const QString&) = nullptr;
};

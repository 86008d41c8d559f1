// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QPixmap>
#include <QTreeWidget>
#include <QVector>
#include <functional>

// A tree of text nodes addressed by index, shown with open-folder,
// closed-folder and leaf pictures. Index 0 is the invisible root, 1 the
// first top-level node; the other indices follow the tree's order
// (depth first, parents before their children) and are renumbered as
// nodes are added, inserted or removed.
//
// A fresh outline counts as being loaded until Loaded() runs, which
// happens at the first show or the first query of its tree, whichever comes
// first (after CreateWnd()): properties set in between take effect together.
class Outline : public QTreeWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap PictureOpen READ pictureOpen WRITE setPictureOpen)
    Q_PROPERTY(QPixmap PictureClosed READ pictureClosed WRITE setPictureClosed)
    Q_PROPERTY(QPixmap PictureLeaf READ pictureLeaf WRITE setPictureLeaf)
    Q_PROPERTY(QString ItemSeparator READ itemSeparator WRITE setItemSeparator)

public:
    // Size of a newly placed outline.
    static constexpr int DesignWidth = 121;
    static constexpr int DesignHeight = 97;

    explicit Outline(QWidget* parent = nullptr);
    ~Outline() override;

    // Nodes without the root.
    int itemCount() const;
    // The node at an index; throws "Invalid outline index" for a negative
    // index and "Outline index not found" for one past the last node.
    QTreeWidgetItem* item(int index) const;
    int indexOf(const QTreeWidgetItem* node) const;

    QString itemText(int index) const;
    void setItemText(int index, const QString& text);
    void* itemData(int index) const;
    void setItemData(int index, void* value);
    bool hasItems(int index) const;
    bool isItemExpanded(int index) const;

    // Child indices in order; -1 when there is none.
    int firstChild(int index) const;
    int lastChild(int index) const;
    int nextChild(int index) const;

    // Marks the node expanded and runs the expand reaction; a node whose
    // parent is collapsed cannot be expanded.
    void expandNode(int index);
    // The texts from the top node down, joined with the item separator.
    QString fullPath(int index) const;

    // Appends a child as the last child of the node; returns its index.
    int addChild(int index, const QString& text);
    // Appends a sibling after the last child of the node's parent
    // (index 0: a top-level node).
    int add(int index, const QString& text);
    // Inserts a sibling immediately before the node (index 0: appends a
    // top-level node).
    int insert(int index, const QString& text);

    // The selected node, 0 when none.
    int selectedItem() const;
    // Selects the node and scrolls it into view; "Invalid selection" for
    // an index <= 0 while the tree has nodes.
    void setSelectedItem(int index);

    QPixmap pictureOpen() const { return m_pictureOpen; }
    void setPictureOpen(const QPixmap& picture);
    QPixmap pictureClosed() const { return m_pictureClosed; }
    void setPictureClosed(const QPixmap& picture);
    QPixmap pictureLeaf() const { return m_pictureLeaf; }
    void setPictureLeaf(const QPixmap& picture);
    QString itemSeparator() const { return m_separator; }
    void setItemSeparator(const QString& separator) { m_separator = separator; }

    bool isLoading() const { return m_loading; }
    // End of loading: the properties are all set.
    virtual void Loaded();

Q_SIGNALS:
    void OnClick();
    void OnExpand(int index);
    void OnCollapse(int index);

protected:
    // Click reaction: the user picked a node with the mouse or the keyboard.
    virtual void Click();
    // Expand reaction: runs whenever a node is expanded, by the user or by code.
    virtual void Expand(int index);
    // Runs once, at the first show or the first query of the tree.
    virtual void CreateWnd();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Runs a reaction to user input; an error it raises is shown by the
    // application's error display instead of leaving the event loop.
    void guarded(const std::function<void()>& reaction);

    // Inserts a child at a position among its siblings; for building many
    // nodes at once without renumbering after each one.
    QTreeWidgetItem* insertNode(QTreeWidgetItem* parent, int position, const QString& text);

private:
    struct Place
    {
        QTreeWidgetItem* node;
        int row; // position among its siblings
    };

    void rebuildOrder() const;
    void appendSubtree(QTreeWidgetItem* node, int row) const;
    void invalidateOrder() { m_orderValid = false; }
    int siblingIndex(int index, int step) const;
    QTreeWidgetItem* parentOf(int index) const;
    void updatePicture(QTreeWidgetItem* node);
    void userExpanded(QTreeWidgetItem* node);
    void create();
    void finishLoading() const;

    mutable QVector<Place> m_order;
    mutable QHash<const QTreeWidgetItem*, int> m_position;
    mutable bool m_orderValid = false;
    QPixmap m_pictureOpen;
    QPixmap m_pictureClosed;
    QPixmap m_pictureLeaf;
    QString m_separator = QStringLiteral("\\");
    bool m_loading = true;
    bool m_created = false;
    bool m_creating = false;
    bool m_codeExpanding = false;
};

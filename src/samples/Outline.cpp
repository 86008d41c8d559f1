// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Outline.h"

#include "number/Error.h"
#include "number/HandlerGuard.h"
#include "samples/OutlinePictures.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int DataRole = Qt::UserRole;

} // namespace

Outline::Outline(QWidget* parent)
    : QTreeWidget(parent), m_pictureOpen(OutlinePictures::openFolder()),
      m_pictureClosed(OutlinePictures::closedFolder()), m_pictureLeaf(OutlinePictures::leaf())
{
    setColumnCount(1);
    header()->hide();
    resize(DesignWidth, DesignHeight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(OutlinePictures::Size, OutlinePictures::Size));
    // Indices are renumbered whenever the tree's shape changes, however it is changed.
    QAbstractItemModel* tree = model();
    connect(tree, &QAbstractItemModel::rowsInserted, this, [this] { invalidateOrder(); });
    connect(tree, &QAbstractItemModel::rowsRemoved, this, [this] { invalidateOrder(); });
    connect(tree, &QAbstractItemModel::rowsMoved, this, [this] { invalidateOrder(); });
    connect(tree, &QAbstractItemModel::layoutChanged, this, [this] { invalidateOrder(); });
    connect(tree, &QAbstractItemModel::modelReset, this, [this] { invalidateOrder(); });
    connect(this, &QTreeWidget::itemExpanded, this, &Outline::userExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) {
        updatePicture(node);
        Q_EMIT OnCollapse(indexOf(node));
    });
    connect(this, &QTreeWidget::itemClicked, this, [this] { guarded([this] { Click(); }); });
}

// The tree widget's own destruction empties the model after this part of the
// object is gone: its signals must no longer reach the renumbering.
Outline::~Outline()
{
    model()->disconnect(this);
}

void Outline::rebuildOrder() const
{
    m_order.clear();
    m_position.clear();
    appendSubtree(invisibleRootItem(), 0);
    m_orderValid = true;
}

void Outline::appendSubtree(QTreeWidgetItem* node, int row) const
{
    m_position.insert(node, int(m_order.size()));
    m_order.push_back({node, row});
    for (int i = 0; i < node->childCount(); ++i)
        appendSubtree(node->child(i), i);
}

int Outline::itemCount() const
{
    finishLoading();
    if (!m_orderValid)
        rebuildOrder();
    return int(m_order.size()) - 1;
}

QTreeWidgetItem* Outline::item(int index) const
{
    if (index < 0)
        throw Error(QStringLiteral("Invalid outline index"));
    if (index > itemCount())
        throw Error(QStringLiteral("Outline index not found"));
    return m_order[index].node;
}

int Outline::indexOf(const QTreeWidgetItem* node) const
{
    finishLoading();
    if (!m_orderValid)
        rebuildOrder();
    return m_position.value(node, -1);
}

QString Outline::itemText(int index) const
{
    return item(index)->text(0);
}

void Outline::setItemText(int index, const QString& text)
{
    item(index)->setText(0, text);
}

void* Outline::itemData(int index) const
{
    return reinterpret_cast<void*>(item(index)->data(0, DataRole).value<quintptr>());
}

void Outline::setItemData(int index, void* value)
{
    item(index)->setData(0, DataRole, QVariant::fromValue(reinterpret_cast<quintptr>(value)));
}

bool Outline::hasItems(int index) const
{
    return item(index)->childCount() > 0;
}

bool Outline::isItemExpanded(int index) const
{
    return index == 0 || item(index)->isExpanded();
}

int Outline::firstChild(int index) const
{
    QTreeWidgetItem* node = item(index);
    return node->childCount() > 0 ? indexOf(node->child(0)) : -1;
}

int Outline::lastChild(int index) const
{
    QTreeWidgetItem* node = item(index);
    return node->childCount() > 0 ? indexOf(node->child(node->childCount() - 1)) : -1;
}

int Outline::nextChild(int index) const
{
    return siblingIndex(index, 1);
}

int Outline::siblingIndex(int index, int step) const
{
    QTreeWidgetItem* parent = parentOf(index);
    const int position = m_order[index].row + step;
    return position >= 0 && position < parent->childCount() ? indexOf(parent->child(position)) : -1;
}

QTreeWidgetItem* Outline::parentOf(int index) const
{
    if (index == 0)
        throw Error(QStringLiteral("Invalid outline index"));
    QTreeWidgetItem* parent = item(index)->parent();
    return parent ? parent : invisibleRootItem();
}

void Outline::expandNode(int index)
{
    QTreeWidgetItem* node = item(index);
    if (index == 0)
        return; // the root is always open
    if (!isItemExpanded(indexOf(parentOf(index))))
        throw Error(QStringLiteral("Parent must be expanded"));
    m_codeExpanding = true;
    node->setExpanded(true);
    m_codeExpanding = false;
    Expand(index);
}

void Outline::userExpanded(QTreeWidgetItem* node)
{
    if (!m_codeExpanding)
        guarded([this, node] { Expand(indexOf(node)); });
}

QString Outline::fullPath(int index) const
{
    QStringList texts;
    for (QTreeWidgetItem* node = item(index); node && node != invisibleRootItem();
         node = node->parent())
        texts.prepend(node->text(0));
    QString path;
    for (const QString& text : texts) {
        if (!path.isEmpty() && !path.endsWith(m_separator))
            path += m_separator;
        path += text;
    }
    return path;
}

QTreeWidgetItem* Outline::insertNode(QTreeWidgetItem* parent, int position, const QString& text)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    parent->insertChild(position, node);
    updatePicture(node);
    if (parent->childCount() == 1)
        updatePicture(parent);
    return node;
}

int Outline::addChild(int index, const QString& text)
{
    QTreeWidgetItem* parent = item(index);
    return indexOf(insertNode(parent, parent->childCount(), text));
}

int Outline::add(int index, const QString& text)
{
    if (index == 0)
        return addChild(0, text);
    QTreeWidgetItem* parent = parentOf(index);
    return indexOf(insertNode(parent, parent->childCount(), text));
}

int Outline::insert(int index, const QString& text)
{
    if (index == 0)
        return addChild(0, text);
    QTreeWidgetItem* parent = parentOf(index);
    return indexOf(insertNode(parent, m_order[index].row, text));
}

int Outline::selectedItem() const
{
    finishLoading();
    QTreeWidgetItem* node = currentItem();
    return node ? indexOf(node) : 0;
}

void Outline::setSelectedItem(int index)
{
    if (index <= 0) {
        if (itemCount() > 0)
            throw Error(QStringLiteral("Invalid selection"));
        return;
    }
    QTreeWidgetItem* node = item(index);
    setCurrentItem(node);
    scrollToItem(node);
}

void Outline::setPictureOpen(const QPixmap& picture)
{
    m_pictureOpen = picture;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        updatePicture(*it);
}

void Outline::setPictureClosed(const QPixmap& picture)
{
    m_pictureClosed = picture;
    setPictureOpen(m_pictureOpen);
}

void Outline::setPictureLeaf(const QPixmap& picture)
{
    m_pictureLeaf = picture;
    setPictureOpen(m_pictureOpen);
}

void Outline::updatePicture(QTreeWidgetItem* node)
{
    if (node == invisibleRootItem())
        return;
    const QPixmap& picture = node->childCount() == 0 ? m_pictureLeaf
                             : node->isExpanded()    ? m_pictureOpen
                                                     : m_pictureClosed;
    node->setIcon(0, QIcon(picture));
}

void Outline::Loaded()
{
    m_loading = false;
}

void Outline::Click()
{
    Q_EMIT OnClick();
}

void Outline::Expand(int index)
{
    updatePicture(item(index));
    Q_EMIT OnExpand(index);
}

void Outline::CreateWnd() {}

void Outline::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    if (!m_created)
        guarded([this] { create(); });
}

void Outline::create()
{
    const QScopedValueRollback creating(m_creating, true);
    if (!m_created) {
        m_created = true;
        CreateWnd();
    }
    if (m_loading)
        Loaded();
}

// A query of the tree before the first show builds it as the first show
// would, so that code that never shows the outline gets the same answers.
void Outline::finishLoading() const
{
    if (m_loading && !m_creating)
        const_cast<Outline*>(this)->create();
}

void Outline::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    if (currentItem() != before)
        guarded([this] { Click(); });
}

void Outline::guarded(const std::function<void()>& reaction)
{
    runHandler(reaction);
}

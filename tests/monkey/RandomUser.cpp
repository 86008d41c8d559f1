// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomUser.h"

#include "testutil/Typing.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

const Key keys[] = {
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
    {Qt::Key_Escape, Qt::NoModifier, "Esc"},
    {Qt::Key_Return, Qt::NoModifier, "Enter"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Insert, Qt::NoModifier, "Insert"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_F2, Qt::NoModifier, "F2"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
};

QStringList texts()
{
    return {QString(),
            QString(60, QChar(0x0414)) + QString(60, QLatin1Char('z')),
            QString(300, QChar(0x0436)),
            QStringLiteral("Отделения"),
            QStringLiteral("0"),
            QStringLiteral("1"),
            QStringLiteral("2"),
            QStringLiteral("-1"),
            QStringLiteral("-0"),
            QStringLiteral("12,5"),
            QStringLiteral("0,001"),
            QStringLiteral("1.5"),
            QStringLiteral("99999999999"),
            QStringLiteral("1e308"),
            QStringLiteral("1 000"),
            QStringLiteral(";,\t\"'\\"),
            QStringLiteral("NaN")};
}

// The controls a person can click: visible, enabled, in the window itself
// (not in a box over it).
QList<QWidget*> clickable(QWidget* window)
{
    QList<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w);
        if (control && w->isVisibleTo(window) && w->isEnabled() && w->window() == window)
            found << w;
    }
    return found;
}

} // namespace

int RandomUser::pick(int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(m_random);
}

QString RandomUser::act(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus && focus->window() == window ? focus : window;
    switch (pick(10)) {
    case 0:
    case 1:
    case 2:
        return pressKey(target);
    case 3:
    case 4:
        return typeInto(target);
    case 5:
    case 6:
    case 7:
        return clickControl(window);
    default: {
        const auto views = window->findChildren<QAbstractItemView*>();
        return views.isEmpty() ? clickControl(window) : clickCell(views[pick(views.size())]);
    }
    }
}

QString RandomUser::pressKey(QWidget* target)
{
    const Key& key = keys[pick(std::size(keys))];
    QTest::keyClick(target, key.key, key.modifiers);
    return QString::fromLatin1(key.name);
}

QString RandomUser::typeInto(QWidget* target)
{
    static const QStringList vocabulary = texts();
    const QString text = vocabulary[pick(vocabulary.size())];
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Backspace);
    typeText(target, text);
    return QStringLiteral("type «%1»").arg(text.left(20));
}

QString RandomUser::clickControl(QWidget* window)
{
    const QList<QWidget*> controls = clickable(window);
    if (controls.isEmpty())
        return QStringLiteral("nothing to click");
    QWidget* control = controls[pick(controls.size())];
    const QString name = control->objectName();
    if (auto* view = qobject_cast<QAbstractItemView*>(control))
        return clickCell(view);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    return QStringLiteral("click %1").arg(name);
}

QString RandomUser::clickCell(QAbstractItemView* view)
{
    const QAbstractItemModel* model = view->model();
    if (!model || model->rowCount() == 0 || model->columnCount() == 0) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton);
        return QStringLiteral("click empty %1").arg(view->objectName());
    }
    const int row = pick(qMin(model->rowCount(), 50));
    const int column = pick(qMin(model->columnCount(), 20));
    const QModelIndex index = model->index(row, column);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    if (pick(4) == 0)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    else
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return QStringLiteral("click %1 cell %2,%3").arg(view->objectName()).arg(row).arg(column);
}

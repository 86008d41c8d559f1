// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TRadioGroup.h"

#include <QRadioButton>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <vector>

// The order Tab visits the controls of a window in, and the order they stand
// in: rows from top to bottom (a control starting within the span of the
// row's topmost control shares its row), left to right within a row. The
// buttons of a radio group are one stop, the group, and so is a control
// with the controls inside it (a chart and its views); the Tab order is
// given from `first` round to it again.
namespace TabStops {

inline bool takesTab(QWidget* widget, QWidget* window)
{
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window) &&
           widget->isEnabled();
}

inline QWidget* stopOf(QWidget* widget, QWidget* window)
{
    QWidget* stop = widget;
    for (QWidget* w = widget->parentWidget(); w && w != window; w = w->parentWidget())
        if (takesTab(w, window))
            stop = w;
    auto* group = qobject_cast<TRadioGroup*>(widget->parentWidget());
    return qobject_cast<QRadioButton*>(widget) && group ? group : stop;
}

inline QStringList tabOrder(QWidget* window, QWidget* first)
{
    QStringList stops;
    QWidget* widget = first;
    do {
        if (takesTab(widget, window)) {
            const QString name = stopOf(widget, window)->objectName();
            if (stops.isEmpty() || stops.last() != name)
                stops << name;
        }
        widget = widget->nextInFocusChain();
    } while (widget != first);
    if (stops.size() > 1 && stops.last() == stops.first())
        stops.removeLast(); // the ring closes inside one stop
    return stops;
}

inline QStringList visualOrder(QWidget* window)
{
    std::vector<QWidget*> stops;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (takesTab(widget, window) &&
            std::find(stops.begin(), stops.end(), stopOf(widget, window)) == stops.end())
            stops.push_back(stopOf(widget, window));
    const auto place = [window](QWidget* w) {
        return QRect(w->mapTo(window, QPoint()), w->size());
    };
    std::sort(stops.begin(), stops.end(),
              [&](QWidget* a, QWidget* b) { return place(a).top() < place(b).top(); });
    QStringList names;
    for (auto row = stops.begin(); row != stops.end();) {
        const int bottom = place(*row).bottom();
        const auto end =
            std::find_if(row, stops.end(), [&](QWidget* w) { return place(w).top() > bottom; });
        std::sort(row, end,
                  [&](QWidget* a, QWidget* b) { return place(a).left() < place(b).left(); });
        for (auto it = row; it != end; ++it)
            names << (*it)->objectName();
        row = end;
    }
    return names;
}

} // namespace TabStops

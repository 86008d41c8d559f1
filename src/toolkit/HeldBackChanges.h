// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DataSet.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QWidget;

// The held-back changes of one data set as its window shows them: the
// window's title carries the modified mark ([*] in the title) while anything
// is held back, and a summary label, when given, counts the new, changed and
// deleted rows. Before the window drops them (closing, re-reading) settle()
// asks whether to save them.
class HeldBackChanges : public QObject
{
    Q_OBJECT
public:
    HeldBackChanges(QWidget* window, DataSet& dataSet, QLabel* summary = nullptr);

    // True when the window may drop the held-back changes: none are held
    // back, the user answered «Нет», or «Да» and save() went through (a
    // refused save raises its error). False for «Отмена».
    bool settle(const std::function<void()>& save) const;
    // «Не сохранено: новых 1, изменённых 2, удалённых 3», naming only what
    // is held back; empty when nothing is.
    static QString summaryText(const DataSet::HeldBack& held);

private:
    void follow();

    QWidget* m_window;
    DataSet& m_dataSet;
    QPointer<QLabel> m_summary;
};

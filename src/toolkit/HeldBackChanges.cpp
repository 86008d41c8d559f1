// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/HeldBackChanges.h"

#include "toolkit/QuestionService.h"

#include <QLabel>
#include <QWidget>

HeldBackChanges::HeldBackChanges(QWidget* window, DataSet& dataSet, QLabel* summary)
    : QObject(window), m_window(window), m_dataSet(dataSet), m_summary(summary)
{
    for (auto signal : {&DataSet::stateChanged, &DataSet::contentReset, &DataSet::updatesCommitted})
        connect(&dataSet, signal, this, &HeldBackChanges::follow);
    for (auto signal : {&DataSet::rowChanged, &DataSet::rowInserted, &DataSet::rowRemoved})
        connect(&dataSet, signal, this, &HeldBackChanges::follow);
    follow();
}

void HeldBackChanges::follow()
{
    const DataSet::HeldBack held = m_dataSet.heldBack();
    m_window->setWindowModified(held.total() > 0);
    if (m_summary)
        m_summary->setText(summaryText(held));
}

QString HeldBackChanges::summaryText(const DataSet::HeldBack& held)
{
    QStringList parts;
    const auto add = [&parts](int count, const char* what) {
        if (count > 0)
            parts << QStringLiteral("%1 %2").arg(QString::fromUtf8(what)).arg(count);
    };
    add(held.inserted, "новых");
    add(held.modified, "изменённых");
    add(held.deleted, "удалённых");
    return parts.isEmpty() ? QString()
                           : QStringLiteral("Не сохранено: ") + parts.join(QStringLiteral(", "));
}

bool HeldBackChanges::settle(const std::function<void()>& save) const
{
    m_dataSet.updateRecord();
    if (!m_dataSet.hasHeldBack())
        return true;
    switch (QuestionService::ask(QStringLiteral("Сохранить изменения?"),
                                 m_window->windowTitle().remove(QStringLiteral("[*]")).trimmed())) {
    case QuestionService::Answer::Yes:
        save();
        return true;
    case QuestionService::Answer::No:
        return true;
    case QuestionService::Answer::Cancel:
        break;
    }
    return false;
}

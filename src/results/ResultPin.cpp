// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultPin.h"

#include "chart/PinnedResult.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>
#include <QListWidget>

ResultPin::ResultPin(Source current, QObject* parent)
    : QObject(parent), m_current(std::move(current))
{
}

std::shared_ptr<const PinnedResult> ResultPin::currentOf(const TfrmTblOut& table,
                                                         const TfrmShowParam& listing)
{
    const StringGridModel& grid = *table.tblOut->gridModel();
    if (table.inputLines().isEmpty() || grid.colCount() < 2 || grid.gridRowCount() < 2)
        return nullptr;
    QStringList levels;
    for (int i = 0; i < listing.ListBox1->count(); ++i)
        levels << listing.ListBox1->item(i)->text();
    return std::make_shared<const PinnedResult>(grid.numbers(), table.edtX->text(),
                                                table.edtY->text(), grid.marks(),
                                                table.inputLines(), levels);
}

void ResultPin::pin()
{
    std::shared_ptr<const PinnedResult> result = m_current();
    if (!result)
        return;
    m_pinned = std::move(result);
    Q_EMIT changed();
}

void ResultPin::unpin()
{
    if (!m_pinned)
        return;
    m_pinned.reset();
    Q_EMIT changed();
}

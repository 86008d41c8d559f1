// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultPin.h"

#include "chart/PinnedResult.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>

ResultPin::ResultPin(Source current, QObject* parent)
    : QObject(parent), m_current(std::move(current))
{
}

std::shared_ptr<const PinnedResult> ResultPin::currentOf(const TfrmTblOut& table,
                                                         const TfrmShowParam& listing,
                                                         const TChartControl* chart)
{
    const StringGridModel& grid = *table.tblOut->gridModel();
    if (table.inputLines().isEmpty() || grid.colCount() < 2 || grid.gridRowCount() < 2)
        return nullptr;
    const bool sameResult = chart && chart->inputLines() == table.inputLines() &&
                            chart->pointCount() == grid.colCount() - 1 &&
                            chart->seriesCount() == grid.gridRowCount() - 1;
    return std::make_shared<const PinnedResult>(
        grid.numbers(), table.edtX->text(), table.edtY->text(), grid.marks(), table.inputLines(),
        listing.listing(), table.subject(),
        sameResult ? std::optional(chart->valuesRange()) : std::nullopt);
}

ResultPin* ResultPin::share(TfrmOutput& chart, TfrmTblOut& table, TfrmShowParam& listing)
{
    auto* pin = new ResultPin(
        [&chart, &table, &listing] { return currentOf(table, listing, chart.Chart1); }, &table);
    chart.setResultPin(pin);
    table.setResultPin(pin);
    listing.setResultPin(pin);
    return pin;
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

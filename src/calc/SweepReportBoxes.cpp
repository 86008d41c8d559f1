// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepReportBoxes.h"

#include "calc/SweepCursor.h"
#include "calccore/CalculationRecord.h"
#include "calccore/FailedPoint.h"
#include "number/NumberFormat.h"
#include "toolkit/MessageService.h"

#include <QStringList>

namespace {

const QString kCaption = QStringLiteral("Расчеты");

} // namespace

QString SweepReportBoxes::checkText()
{
    return QStringLiteral("Больше не показывать в этом расчете");
}

void SweepReportBoxes::report(const QString& report, int ix, int iy, double x, double y)
{
    if (m_silenced)
        return;
    const QString text =
        FailedPoint::text(report, ix, iy, NumberFormat::general(x), NumberFormat::general(y));
    m_cursor.withNormalCursor([this, &text] {
        if (m_shown++ == 0)
            MessageService::show(text, kCaption);
        else
            m_silenced = MessageService::showWithCheck(text, kCaption, checkText());
    });
}

void SweepReportBoxes::replay(const CalculationRecord& record)
{
    record.failures.visit([this, &record](int ix, int iy, const QString& text) {
        report(text, ix, iy, record.xValue(ix), record.yValue(iy));
        return !m_silenced;
    });
}

void SweepReportBoxes::finish(const CalculationRecord& record)
{
    if (!m_silenced)
        return;
    const QString text = record.failureCounts().join(QLatin1Char('\n'));
    m_cursor.withNormalCursor([&text] { MessageService::show(text, kCaption); });
}

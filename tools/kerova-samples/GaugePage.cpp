// SPDX-License-Identifier: GPL-3.0-or-later
// Gallery page of the gauge: each of the five kinds at 0, 25, 50, 99 and
// 100 %, and one more column driven by a slider.

#include "GalleryPages.h"
#include "samples/Cgauges.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QWidget>

namespace {

const int Percents[] = {0, 25, 50, 99, 100};

struct KindRow
{
    TCGauge::TCGaugeKind kind;
    const char* caption;
    quint32 foreColor;
};

const KindRow Kinds[] = {
    {TCGauge::gkText, "Текст", 0x000000},
    {TCGauge::gkHorizontalBar, "Горизонтальная полоса", 0x800000},
    {TCGauge::gkVerticalBar, "Вертикальная полоса", 0x008000},
    {TCGauge::gkPie, "Круг", 0x000080},
    {TCGauge::gkNeedle, "Стрелка", 0x000000},
};

TCGauge* makeGauge(QWidget* parent, const KindRow& row, int percent)
{
    auto* gauge = new TCGauge(parent);
    gauge->setObjectName(QStringLiteral("gauge%1_%2").arg(int(row.kind)).arg(percent));
    gauge->setAccessibleName(
        QStringLiteral("%1, %2 %").arg(QString::fromUtf8(row.caption)).arg(percent));
    gauge->SeTCGaugeKind(row.kind);
    gauge->SetForeColor(row.foreColor);
    gauge->SetProgress(percent);
    gauge->setFixedSize(112, 80);
    return gauge;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QWidget* createGaugePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("gaugePage"));
    auto* grid = new QGridLayout(page);
    auto* slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(QStringLiteral("sldProgress"));
    slider->setAccessibleName(QStringLiteral("Прогресс"));
    slider->setRange(0, 100);
    slider->setValue(70);
    for (int column = 0; column < 5; ++column)
        grid->addWidget(makeLabel(page, QStringLiteral("%1 %").arg(Percents[column]),
                                  QStringLiteral("lblPercent%1").arg(column)),
                        0, column + 1, Qt::AlignHCenter);
    grid->addWidget(makeLabel(page, QStringLiteral("Ползунок"), QStringLiteral("lblLive")), 0, 6,
                    Qt::AlignHCenter);
    int row = 1;
    for (const KindRow& kind : Kinds) {
        QLabel* caption =
            makeLabel(page, QString::fromUtf8(kind.caption), QStringLiteral("lblKind%1").arg(row));
        caption->setWordWrap(true);
        grid->addWidget(caption, row, 0);
        for (int column = 0; column < 5; ++column)
            grid->addWidget(makeGauge(page, kind, Percents[column]), row, column + 1);
        TCGauge* live = makeGauge(page, kind, slider->value());
        live->setObjectName(QStringLiteral("gaugeLive%1").arg(int(kind.kind)));
        QObject::connect(slider, &QSlider::valueChanged, live, &TCGauge::SetProgress);
        grid->addWidget(live, row, 6);
        ++row;
    }
    grid->addWidget(makeLabel(page, QStringLiteral("Прогресс:"), QStringLiteral("lblProgress")),
                    row, 0);
    grid->addWidget(slider, row, 1, 1, 6);
    grid->setRowStretch(row + 1, 1);
    grid->setColumnStretch(7, 1);
    return page;
}

const GalleryPages::Registrar reg(QStringLiteral("Индикатор"), createGaugePage);

} // namespace

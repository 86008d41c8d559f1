// SPDX-License-Identifier: GPL-3.0-or-later
// Gallery page of the performance graph: the same three bands drawn as
// stacked bars and as lines, fed with a new time step ten times a second.

#include "GalleryPages.h"
#include "samples/Perfgrap.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace {

constexpr quint32 BandColors[] = {0x00FFFF, 0x0080FF, 0x0000FF}; // yellow, orange, red

// Three cumulative values for time step t: each band lies on top of the one below.
void feed(TPerformanceGraph& graph, int t)
{
    const int values[] = {
        int(250 + 150 * std::sin(t * 0.11)),
        int(150 + 100 * std::sin(t * 0.05 + 1.0)),
        int(120 + 110 * std::sin(t * 0.23 + 2.0)),
    };
    int total = 0;
    for (int band = 0; band < 3; ++band) {
        total += values[band];
        graph.DataPoint(BandColors[band], total);
    }
    graph.Update();
}

TPerformanceGraph* makeGraph(QWidget* parent, TPerformanceGraph::TGraphKind kind,
                             const QString& name, const QString& accessible)
{
    auto* graph = new TPerformanceGraph(parent);
    graph->setObjectName(name);
    graph->setAccessibleName(accessible);
    graph->SetGraphKind(kind);
    graph->setMinimumSize(400, 260);
    graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return graph;
}

QWidget* createPerfGraphPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("perfGraphPage"));
    auto* grid = new QGridLayout(page);
    TPerformanceGraph* graphs[] = {
        makeGraph(page, TPerformanceGraph::pgBar, QStringLiteral("graphBars"),
                  QStringLiteral("График: полосы")),
        makeGraph(page, TPerformanceGraph::pgLine, QStringLiteral("graphLines"),
                  QStringLiteral("График: линии")),
    };
    const QString captions[] = {QStringLiteral("Полосы"), QStringLiteral("Линии")};
    for (int column = 0; column < 2; ++column) {
        auto* caption = new QLabel(captions[column], page);
        caption->setObjectName(QStringLiteral("lblGraph%1").arg(column));
        grid->addWidget(caption, 0, column);
        grid->addWidget(graphs[column], 1, column);
    }
    auto* scale = new QLabel(page);
    scale->setObjectName(QStringLiteral("lblScale"));
    grid->addWidget(scale, 2, 0, 1, 2);
    const auto showScale = [scale, graph = graphs[0]] {
        scale->setText(QStringLiteral("Масштаб: %1").arg(graph->Scale()));
    };
    showScale();
    QObject::connect(graphs[0], &TPerformanceGraph::OnScaleChange, scale, showScale);
    auto* running = new QCheckBox(QStringLiteral("Обновлять"), page);
    running->setObjectName(QStringLiteral("chkRunning"));
    running->setAccessibleName(running->text());
    running->setChecked(true);
    grid->addWidget(running, 3, 0);

    auto* timer = new QTimer(page);
    QObject::connect(running, &QCheckBox::toggled, timer,
                     [timer](bool on) { on ? timer->start() : timer->stop(); });
    QObject::connect(timer, &QTimer::timeout, page, [graphs, t = 0]() mutable {
        // Until the first paint has sized the history to the width, feed one
        // step at a time; then fill the whole width at once.
        const bool sized = graphs[0]->HistorySize() == graphs[0]->GetBandCount() + 2;
        const int steps = sized && t < 2 ? graphs[0]->GetBandCount() : 1;
        for (int i = 0; i < steps; ++i, ++t)
            for (TPerformanceGraph* graph : graphs)
                feed(*graph, t);
    });
    timer->start(100);
    return page;
}

const GalleryPages::Registrar reg(QStringLiteral("График производительности"), createPerfGraphPage);

} // namespace

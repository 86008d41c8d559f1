// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-gallery: shows the three result windows filled with a sample sweep
// (9 X steps by 4 Y steps) and a listing of two levels, so they can be looked
// at without a store.
//   kerova-gallery [--shot DIR] [--walk]
// --shot saves the chart window (flat and 3D), the table window and the
// listing as PNG files in DIR and exits; then it pins a sample of 12 Y steps,
// loads a second one beside it and saves the chart, the table's «Разность»,
// the listing and the 3D view in the smallest chart window.
// --walk shows each window in turn, painting it and naming it on standard
// output, and exits (a check that every window still comes up).

#include "calccore/ModelLevels.h"
#include "chart/ChartLabels.h"
#include "chart/TChartControl.h"
#include "number/NumberFormat.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultPin.h"
#include "toolkit/Application.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TStringGrid.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace {

constexpr int XSteps = 9;
constexpr int YSteps = 4;

// What the record of a sweep gives the chart.
ChartLabels labels(int xSteps, double x0, double dx, int ySteps, double y0, double dy)
{
    return ChartLabels::sweep(QStringLiteral("Интенсивность потока задач"),
                              QStringLiteral("Интенсивность потока решения задач"), xSteps, x0, dx,
                              ySteps, y0, dy);
}

// A large result in the chart alone: 200 Y steps by 500 X steps.
void loadLargeChart()
{
    constexpr int xSteps = 500, ySteps = 200;
    const double x0 = 10, dx = 1, y0 = 2, dy = 0.05;
    TChartControl* chart = frmOutput->Chart1;
    chart->FinishData(TChartControl::ValuesKind);
    chart->StartData(TChartControl::ValuesKind, ySteps, xSteps);
    for (int i = 0; i < ySteps; ++i) {
        chart->ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < xSteps; ++j) {
            const double x = x0 + j * dx, y = y0 + i * dy;
            chart->PointValue(static_cast<qint16>(j), x / (y * 10.0) + std::sqrt(x) / y);
        }
    }
    chart->setLabels(labels(xSteps, x0, dx, ySteps, y0, dy));
}

// Writes a sample result the way a calculation does: table and chart point
// by point, the values times factor, Y from 2 by dy.
void loadSample(int ySteps = YSteps, double factor = 1.0, double dy = 1)
{
    const double x0 = 100, dx = 50, y0 = 2;
    frmTblOut->tblOut->setColCount(XSteps + 1);
    frmTblOut->tblOut->setRowCount(ySteps + 1);
    TChartControl* chart = frmOutput->Chart1;
    chart->FinishData(TChartControl::ValuesKind);
    chart->StartData(TChartControl::ValuesKind, ySteps, XSteps);
    for (int i = 0; i < ySteps; ++i) {
        const double y = y0 + i * dy;
        chart->ThisSerie(static_cast<qint16>(i));
        frmTblOut->tblOut->gridModel()->setNumber(0, i + 1, y);
        for (int j = 0; j < XSteps; ++j) {
            const double x = x0 + j * dx;
            const double value = factor * (x / (y * 10.0) + std::sqrt(x) / y);
            frmTblOut->tblOut->gridModel()->setNumber(j + 1, 0, x);
            frmTblOut->tblOut->gridModel()->setNumber(j + 1, i + 1, value);
            chart->TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
            chart->PointValue(static_cast<qint16>(j), value);
        }
    }
    chart->TitleText(TChartControl::PointAxisTitleSlot,
                     QStringLiteral("Интенсивность потока задач"));
    chart->setLabels(labels(XSteps, x0, dx, ySteps, y0, dy));
    frmTblOut->edtX->setText(QStringLiteral("Интенсивность потока задач"));
    frmTblOut->edtY->setText(QStringLiteral("Интенсивность потока решения задач"));
    const QStringList inputs{
        QStringLiteral("Модель: Тестовая (ключ 1)"),
        QStringLiteral("Показатель Х: Интенсивность потока задач; от 100; до 550; шаг 50"),
        QStringLiteral("Показатель Y: Интенсивность потока решения задач; от 2; шаг %1")
            .arg(NumberFormat::general(dy))};
    chart->setInputLines(inputs);
    frmTblOut->setInputLines(inputs);
}

// A listing of two levels, as a calculation hands it to the listing window;
// the second calculation has a higher cost limit on level 1.
void loadListing(double costLimit = 10000)
{
    ModelLevels model{.modelId = 1, .name = QStringLiteral("Тестовая"), .levels = {}};
    model.levels << ModelLevels::Level{1,
                                       QStringLiteral("Лечебные учреждения"),
                                       {3, 1000, 10, 100, costLimit, 0.3, 4, 2}}
                 << ModelLevels::Level{2,
                                       QStringLiteral("Отделения"),
                                       {5, QVariant(), 20, 200, 10000.0, 0.2, 12, 4}};
    frmShowParam->setListing(model.listing());
}

void saveWindow(QWidget* window, const QString& file)
{
    window->grab().save(file);
}

// Grabs a window from the screen, so OpenGL content is included.
void saveScreenArea(QWidget* window, const QString& file)
{
    const QRect area = window->frameGeometry();
    window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(file);
}

void takeTableShots(const QString& dir);
void takeComparisonShots(const QString& dir);
void takeSmallThreeDShot(const QString& dir);

void takeShots(const QString& dir)
{
    QDir().mkpath(dir);
    frmOutput->show();
    QTimer::singleShot(800, frmOutput, [dir] {
        saveWindow(frmOutput, dir + QStringLiteral("/results-chart.png"));
        frmOutput->rgrChart3D->setItemIndex(0);
        frmOutput->btnApplyClick();
        QTimer::singleShot(2500, frmOutput, [dir] {
            saveScreenArea(frmOutput, dir + QStringLiteral("/results-chart-3d.png"));
            loadLargeChart();
            QTimer::singleShot(3000, frmOutput, [dir] {
                saveScreenArea(frmOutput, dir + QStringLiteral("/results-chart-surface.png"));
                frmOutput->rgrChart3D->setItemIndex(1);
                frmOutput->btnApplyClick();
                QTimer::singleShot(1500, frmOutput, [dir] { takeTableShots(dir); });
            });
        });
    });
}

void takeTableShots(const QString& dir)
{
    saveWindow(frmOutput, dir + QStringLiteral("/results-chart-many.png"));
    frmOutput->hide();
    frmTblOut->show();
    QTimer::singleShot(800, frmTblOut, [dir] {
        saveWindow(frmTblOut, dir + QStringLiteral("/results-table.png"));
        frmTblOut->hide();
        frmShowParam->show();
        QTimer::singleShot(500, frmShowParam, [dir] {
            saveWindow(frmShowParam, dir + QStringLiteral("/results-params.png"));
            frmShowParam->hide();
            takeComparisonShots(dir);
        });
    });
}

// A result of 12 series pinned and a second one beside it: the chart, the
// table's difference, the listing, then the 3D view in the smallest window.
void takeComparisonShots(const QString& dir)
{
    loadSample(12, 1.0, 0.5);
    loadListing();
    frmOutput->pinAction()->trigger();
    loadSample(12, 1.15, 0.5);
    loadListing(12000);
    frmOutput->setWindowState(Qt::WindowNoState);
    frmOutput->resize(1280, 1024);
    frmOutput->show();
    QTimer::singleShot(1000, frmOutput, [dir] {
        saveWindow(frmOutput, dir + QStringLiteral("/results-chart-pinned.png"));
        frmOutput->hide();
        frmTblOut->differenceAction()->trigger();
        frmTblOut->show();
        QTimer::singleShot(800, frmTblOut, [dir] {
            saveWindow(frmTblOut, dir + QStringLiteral("/results-table-difference.png"));
            frmTblOut->hide();
            frmShowParam->show();
            QTimer::singleShot(500, frmShowParam, [dir] {
                saveWindow(frmShowParam, dir + QStringLiteral("/results-params-pinned.png"));
                frmShowParam->hide();
                takeSmallThreeDShot(dir);
            });
        });
    });
}

void takeSmallThreeDShot(const QString& dir)
{
    loadSample();
    frmOutput->rgrChart3D->setItemIndex(0);
    frmOutput->btnApplyClick();
    frmOutput->show();
    frmOutput->resize(frmOutput->minimumSizeHint());
    QTimer::singleShot(2500, frmOutput, [dir] {
        saveScreenArea(frmOutput, dir + QStringLiteral("/results-chart-3d-small.png"));
        QApplication::quit();
    });
}

// Shows the window at index (hiding the one before), then the next one from
// the event loop; quits after the last.
void walkFrom(int index)
{
    const QList<QWidget*> windows{frmOutput, frmTblOut, frmShowParam};
    if (index > 0)
        windows[index - 1]->hide();
    if (index == windows.size()) {
        QApplication::quit();
        return;
    }
    QWidget* window = windows[index];
    window->show();
    window->grab();
    std::printf("%s\n", qPrintable(window->windowTitle()));
    std::fflush(stdout);
    QTimer::singleShot(0, window, [index] { walkFrom(index + 1); });
}

} // namespace

int main(int argc, char** argv)
{
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kerova-gallery"));
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("shot"),
                      QStringLiteral("Save screenshots into a folder and exit."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("walk"),
                      QStringLiteral("Show every window in turn, print its title and exit.")});
    parser.process(*QApplication::instance());

    application.create(frmOutput);
    application.create(frmTblOut);
    application.create(frmShowParam);
    ResultPin::share(*frmOutput, *frmTblOut, *frmShowParam);
    loadSample();
    loadListing();
    if (parser.isSet(QStringLiteral("shot")))
        takeShots(parser.value(QStringLiteral("shot")));
    else if (parser.isSet(QStringLiteral("walk")))
        QTimer::singleShot(0, frmOutput, [] { walkFrom(0); });
    else {
        frmTblOut->show();
        frmShowParam->show();
        frmOutput->show();
    }
    return QApplication::exec();
}

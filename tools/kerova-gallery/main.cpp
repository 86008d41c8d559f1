// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-gallery: shows the three result windows filled with a sample sweep
// (9 X steps by 4 Y steps) and a listing of two levels, so they can be looked
// at without a store.
//   kerova-gallery [--shot DIR]
// --shot saves the chart window (flat and 3D), the table window and the
// listing as PNG files in DIR and exits.

#include "calccore/ModelLevels.h"
#include "chart/ChartLabels.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
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

namespace {

constexpr int XSteps = 9;
constexpr int YSteps = 4;

// What the record of a sweep gives the chart.
ChartLabels labels(int xSteps, double x0, double dx, int ySteps, double y0, double dy)
{
    ChartLabels result;
    result.xName = QStringLiteral("Интенсивность потока задач");
    result.yName = QStringLiteral("Интенсивность потока решения задач");
    for (int j = 0; j < xSteps; ++j)
        result.xValues.push_back(x0 + j * dx);
    for (int i = 0; i < ySteps; ++i)
        result.yValues.push_back(y0 + i * dy);
    return result;
}

// A large result in the chart alone: 200 Y steps by 500 X steps.
void loadLargeChart()
{
    constexpr int xSteps = 500, ySteps = 200;
    const double x0 = 10, dx = 1, y0 = 2, dy = 0.05;
    TChartControl* chart = frmOutput->Chart1;
    chart->FinishData(1);
    chart->StartData(1, ySteps, xSteps);
    for (int i = 0; i < ySteps; ++i) {
        chart->ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < xSteps; ++j) {
            const double x = x0 + j * dx, y = y0 + i * dy;
            chart->PointValue(static_cast<qint16>(j), x / (y * 10.0) + std::sqrt(x) / y);
        }
    }
    chart->setLabels(labels(xSteps, x0, dx, ySteps, y0, dy));
}

// Writes a sample result the way a calculation does: table and chart point by point.
void loadSample()
{
    const double x0 = 100, dx = 50, y0 = 2, dy = 1;
    frmTblOut->tblOut->setColCount(XSteps + 1);
    frmTblOut->tblOut->setRowCount(YSteps + 1);
    TChartControl* chart = frmOutput->Chart1;
    chart->FinishData(1);
    chart->StartData(1, YSteps, XSteps);
    for (int i = 0; i < YSteps; ++i) {
        const double y = y0 + i * dy;
        chart->ThisSerie(static_cast<qint16>(i));
        frmTblOut->tblOut->gridModel()->setNumber(0, i + 1, y);
        for (int j = 0; j < XSteps; ++j) {
            const double x = x0 + j * dx;
            const double value = x / (y * 10.0) + std::sqrt(x) / y;
            frmTblOut->tblOut->gridModel()->setNumber(j + 1, 0, x);
            frmTblOut->tblOut->gridModel()->setNumber(j + 1, i + 1, value);
            chart->TitleText(0, QStringLiteral("Количество узлов"));
            chart->PointValue(static_cast<qint16>(j), value);
        }
    }
    chart->TitleText(3, QStringLiteral("Интенсивность потока задач"));
    chart->setLabels(labels(XSteps, x0, dx, YSteps, y0, dy));
    frmTblOut->edtX->setText(QStringLiteral("Интенсивность потока задач"));
    frmTblOut->edtY->setText(QStringLiteral("Интенсивность потока решения задач"));
}

// A listing of two levels, as a calculation hands it to the listing window.
void loadListing()
{
    ModelLevels model{.modelId = 1, .name = QStringLiteral("Тестовая"), .levels = {}};
    model.levels << ModelLevels::Level{1,
                                       QStringLiteral("Лечебные учреждения"),
                                       {3, 1000, 10, 100, 10000.0, 0.3, 4, 2}}
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
            QApplication::quit();
        });
    });
}

} // namespace

int main(int argc, char** argv)
{
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kerova-gallery"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("shot"),
                      QStringLiteral("Save screenshots into a folder and exit."),
                      QStringLiteral("dir")});
    parser.process(*QApplication::instance());

    application.create(frmOutput);
    application.create(frmTblOut);
    application.create(frmShowParam);
    loadSample();
    loadListing();
    if (parser.isSet(QStringLiteral("shot")))
        takeShots(parser.value(QStringLiteral("shot")));
    else {
        frmTblOut->show();
        frmShowParam->show();
        frmOutput->show();
    }
    return QApplication::exec();
}

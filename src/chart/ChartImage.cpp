// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartImage.h"

#include "chart/Chart3DView.h"
#include "chart/FlatChart.h"
#include "chart/SafeSave.h"
#include "chart/TChartControl.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace ChartImage {

QImage picture(TChartControl& chart)
{
    if (auto* view = qobject_cast<Chart3DView*>(chart.shownView()))
        return view->image();
    return chart.flatView()->image(fitted(flatSize(chart), MaxPictureSide));
}

QSize fitted(const QSize& size, int side)
{
    if (size.width() <= side && size.height() <= side)
        return size;
    return size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool paintFlat(TChartControl& chart, QPainter* painter, const QRectF& target)
{
    if (chart.shownView() != chart.flatView())
        return false;
    chart.flatView()->paint(painter, target);
    return true;
}

QSize flatSize(const TChartControl& chart)
{
    return chart.flatView()->chartSize();
}

namespace {

QString title(const TChartControl& chart)
{
    const QString text = chart.chartTitle();
    return text.isEmpty() ? QStringLiteral("Kerova") : text;
}

QString description(const TChartControl& chart)
{
    return chart.shownInputLines().join(QLatin1Char('\n'));
}

// What a vector file holds: the flat chart drawn as lines and text, or the
// 3D view as its rendered picture.
struct Content
{
    explicit Content(TChartControl& control) : chart(control)
    {
        // 3D asked for but not available: the flat chart, drawn as vectors.
        if (chart.settings().chart3D) {
            const QImage shot = picture(chart);
            if (chart.showing3D())
                raster = shot;
        }
        size = raster.isNull() ? flatSize(chart) : raster.size();
    }
    void paint(QPainter& painter, const QRectF& target) const
    {
        if (raster.isNull())
            paintFlat(chart, &painter, target);
        else
            painter.drawImage(target, raster);
    }

    TChartControl& chart;
    QImage raster;
    QSize size;
};

// The largest page side a PDF reader is sure to take: 200 inches.
constexpr int MaxPdfSide = 14400;

bool writePng(TChartControl& chart, QIODevice& device)
{
    QImageWriter writer(&device, "png");
    writer.setText(QStringLiteral("Title"), title(chart));
    writer.setText(QStringLiteral("Description"), description(chart));
    writer.setText(QStringLiteral("Software"), QStringLiteral("Kerova"));
    return writer.write(picture(chart));
}

bool writeSvg(TChartControl& chart, QIODevice& device)
{
    const Content content(chart);
    const QSize size = content.size;
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title(chart));
    svg.setDescription(description(chart));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    content.paint(painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

// One pixel of the view is one point of the page, which is just as large
// (a very wide chart is scaled down to the largest page).
bool writePdf(TChartControl& chart, QIODevice& device)
{
    const Content content(chart);
    const QSize size = fitted(content.size, MaxPdfSide);
    QPdfWriter pdf(&device);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QStringList heading{title(chart)};
    heading << chart.shownInputLines();
    pdf.setTitle(heading.join(QStringLiteral("; ")));
    pdf.setCreator(QStringLiteral("Kerova"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    content.paint(painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

} // namespace

Format formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return Format::Png;
}

QString filters()
{
    return QStringLiteral("Изображение PNG (*.png);;Векторное изображение SVG (*.svg);;"
                          "Документ PDF (*.pdf)");
}

void save(TChartControl& chart, const QString& path)
{
    SafeSave::write(path, [&chart, format = formatOf(path)](QIODevice& device) {
        switch (format) {
        case Format::Svg:
            return writeSvg(chart, device);
        case Format::Pdf:
            return writePdf(chart, device);
        case Format::Png:
            break;
        }
        return writePng(chart, device);
    });
}

void copy(TChartControl& chart)
{
    QGuiApplication::clipboard()->setImage(picture(chart));
}

} // namespace ChartImage

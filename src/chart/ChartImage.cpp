// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartImage.h"

#include "chart/Chart3DView.h"
#include "chart/ChartDrawing.h"
#include "chart/FlatChart.h"
#include "chart/SafeSave.h"
#include "chart/TChartControl.h"
#include "number/Error.h"

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

QImage picture(TChartControl& chart, const QSize& pixels)
{
    if (!sideAllowed(pixels.width()) || !sideAllowed(pixels.height()))
        throw Error(
            QStringLiteral("Размер рисунка %1 × %2 пикселей вне допустимого: каждая сторона %3")
                .arg(pixels.width())
                .arg(pixels.height())
                .arg(sideRange()));
    QImage image;
    if (auto* view = qobject_cast<Chart3DView*>(chart.shownView()))
        image = view->image().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else
        image = chart.flatView()->image(pixels);
    if (image.isNull())
        throw Error(QStringLiteral("Недостаточно памяти для рисунка %1 × %2 пикселей")
                        .arg(pixels.width())
                        .arg(pixels.height()));
    return image;
}

bool sideAllowed(int side)
{
    return side >= 1 && side <= MaxPictureSide;
}

QString sideRange()
{
    return QStringLiteral("от 1 до %1 пикселей").arg(MaxPictureSide);
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

// The largest page side a PDF reader is sure to take: 200 inches.
constexpr int MaxPdfSide = 14400;

bool writePng(TChartControl& chart, QIODevice& device, const PngSize& png)
{
    QImage image = png.pixels == QSize() ? picture(chart) : picture(chart, png.pixels);
    if (png.dotsPerInch > 0) {
        const int perMetre = qRound(png.dotsPerInch / 0.0254);
        image.setDotsPerMeterX(perMetre);
        image.setDotsPerMeterY(perMetre);
    }
    QImageWriter writer(&device, "png");
    writer.setText(QStringLiteral("Title"), title(chart));
    writer.setText(QStringLiteral("Description"), description(chart));
    writer.setText(QStringLiteral("Software"), QStringLiteral("Kerova"));
    return writer.write(image);
}

bool writeSvg(TChartControl& chart, QIODevice& device)
{
    const ChartDrawing content(chart);
    const QSize size = content.size();
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
    const ChartDrawing content(chart);
    const QSize size = fitted(content.size(), MaxPdfSide);
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

void save(TChartControl& chart, const QString& path, const PngSize& png)
{
    SafeSave::write(path, [&chart, &png, format = formatOf(path)](QIODevice& device) {
        switch (format) {
        case Format::Svg:
            return writeSvg(chart, device);
        case Format::Pdf:
            return writePdf(chart, device);
        case Format::Png:
            break;
        }
        return writePng(chart, device, png);
    });
}

void copy(TChartControl& chart)
{
    QGuiApplication::clipboard()->setImage(picture(chart));
}

} // namespace ChartImage

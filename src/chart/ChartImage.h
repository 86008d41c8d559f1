// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;
class TChartControl;

// Pictures of the chart's current view for files and the clipboard. PNG is a
// picture of the view; SVG and PDF hold the flat chart as vector graphics
// (lines and text) and the 3D view as its rendered picture. The inputs of the
// calculation go into the file's metadata: PNG text chunks, the SVG
// description, the PDF title.
namespace ChartImage {

enum class Format { Png, Svg, Pdf };

// The longest side of a picture of the flat chart.
constexpr int MaxPictureSide = 16384;

// The size a PNG is saved at: its pixels (QSize(): the view's own size) and the
// resolution it states, so that it comes out at the intended width on a page
// (0: none stated).
struct PngSize
{
    QSize pixels;
    int dotsPerInch = 0;
};

// The view shown now, as a picture: the whole flat chart (also the part
// scrolled out of sight, scaled down to at most MaxPictureSide pixels a
// side), or the 3D view as rendered by OpenGL.
QImage picture(TChartControl& chart);
// The view drawn at pixels: the flat chart drawn afresh at that size (its
// proportions kept, centred on white), the 3D view's picture scaled to it.
// A side outside 1 … MaxPictureSide raises Error naming the range, and so
// does a picture too large for the memory.
QImage picture(TChartControl& chart, const QSize& pixels);
// Whether a side of that length is allowed, and the range as the user reads it.
bool sideAllowed(int side);
QString sideRange();
// size scaled down, keeping its proportions, to at most side on either side.
QSize fitted(const QSize& size, int side);
// Draws the flat chart as vector graphics into target; false when the 3D
// view is shown (it exists only as a picture).
bool paintFlat(TChartControl& chart, QPainter* painter, const QRectF& target);
// The size the flat chart has on screen, all of it.
QSize flatSize(const TChartControl& chart);

// The format a file name asks for by its suffix (case ignored); PNG otherwise.
Format formatOf(const QString& path);
// The file dialog's filters, PNG first.
QString filters();
// Writes the file all or nothing; a failure raises Error and keeps an
// existing file. png sets the size of a PNG; SVG and PDF stay vector.
void save(TChartControl& chart, const QString& path, const PngSize& png = {});
// Puts a picture of the current view on the clipboard.
void copy(TChartControl& chart);

} // namespace ChartImage

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

// The view shown now, as a picture: the whole flat chart (also the part
// scrolled out of sight, scaled down to at most MaxPictureSide pixels a
// side), or the 3D view as rendered by OpenGL.
QImage picture(TChartControl& chart);
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
// Writes the file all or nothing; a failure raises Error and keeps an existing file.
void save(TChartControl& chart, const QString& path);
// Puts a picture of the current view on the clipboard.
void copy(TChartControl& chart);

} // namespace ChartImage

#pragma once

#include <QString>
#include <QStringList>

class TChartControl;

// Pictures of the chart's current view for files and the clipboard. PNG is a
// picture of the view; SVG and PDF hold the flat chart as vector graphics
// (lines and text) and the 3D view as its rendered picture. The inputs of the
// calculation go into the file's metadata: PNG text chunks, the SVG
// description, the PDF title.
namespace ChartImage {

enum class Format { Png, Svg, Pdf };

// The format a file name asks for by its suffix (case ignored); PNG otherwise.
Format formatOf(const QString& path);
// The file dialog's filters, PNG first.
QString filters();
// Writes the file all or nothing; a failure raises Error and keeps an existing file.
void save(TChartControl& chart, const QString& path);
// Puts a picture of the current view on the clipboard.
void copy(TChartControl& chart);

} // namespace ChartImage

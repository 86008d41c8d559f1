// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;
class TChartControl;

// The chart on one printed page: the view as shown (the flat chart as lines
// and text, the 3D view as its picture) across the page's width, its
// proportions kept, and under it the inputs of the calculation, one a line.
namespace ChartPrint {

// A printer that cannot be drawn on raises Error.
void paint(TChartControl& chart, QPrinter* printer);

} // namespace ChartPrint

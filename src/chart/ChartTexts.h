// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct ChartLabels;
struct ChartSettings;

// The numbers and names the views write for points and series. With labels
// that cover the grid, points stand at their X values and series are named
// by their Y values, every number in the "0.00" form of the user's locale;
// otherwise points are numbered from 1 and series are "Ряд N".
class ChartTexts
{
public:
    ChartTexts(const ChartLabels& labels, const ChartSettings& settings, int seriesCount,
               int pointCount);

    bool fromRecord() const { return m_fromRecord; }
    // Where a point stands on the X axis, and a series on the Y axis of the surface.
    double x(int point) const;
    double y(int series) const;
    QString pointLabel(int point) const;
    QString seriesName(int series) const;
    QString xTitle() const;
    // The Y parameter's name; empty without a record.
    QString yTitle() const;
    QString valueTitle() const;
    // The chart's title: the quantity with its level and the model
    // ("Количество узлов уровня 2 — модель «Тестовая» (ключ 1)"); the quantity
    // alone without a record.
    QString chartTitle() const;
    // "X: …", "Y: …" and the value («нет значения» for none), one a line:
    // what hovering a point shows; a failed point names its report on a last line.
    QString tip(int series, int point, double value) const;

private:
    const ChartLabels& m_labels;
    const ChartSettings& m_settings;
    bool m_fromRecord;
};

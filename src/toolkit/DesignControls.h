// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <initializer_list>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QSize;
class QWidget;

// Controls placed at their design position, named after their component
// (objectName) and named for screen readers (accessible name).
namespace DesignControls {

// The design places were made for the windows' font, 8 points, at 96 dots
// per inch. At more dots per inch that font is taller in pixels, and every
// design length grows by the same ratio, so each caption keeps its room; at
// 96 dots per inch the ratio is 1 and the design places stand as they are.
double scale(const QWidget* control);
int scaled(const QWidget* control, int length);
QSize scaled(const QWidget* control, const QSize& design);
QRect scaled(const QWidget* control, const QRect& design);
// Puts a control at its design rectangle, scaled.
void place(QWidget* control, const QRect& design);

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                    int width = 75, int height = 25);
// Labels of the windows are bold.
QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top);
QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height);
// Places an edit and names it for screen readers after its label (with the
// group's caption in front where labels repeat).
void placeEdit(QLineEdit* edit, const QString& name, const QString& accessibleName, int left,
               int top, int width = 121, int height = 21);

// Sets the tab order of the controls, first to last.
void tabOrder(std::initializer_list<QWidget*> controls);

} // namespace DesignControls

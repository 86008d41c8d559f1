// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <initializer_list>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Controls placed at their design position, named after their component
// (objectName) and named for screen readers (accessible name).
namespace DesignControls {

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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartImage.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The size of a PNG picture of the chart: width × height in pixels (the
// proportions of the view kept while «Сохранять пропорции» is ticked), or a
// resolution in dots per inch for a width on the page in centimetres, which
// gives the pixels and is written into the picture. Starts at the view's own
// size; Enter accepts, Esc cancels. A field that does not read, or a picture
// with a side outside 1 … ChartImage::MaxPictureSide, is refused with a box
// naming the field and the range, and the dialog stays open.
class PictureSizeDialog : public QDialog
{
    Q_OBJECT

public:
    using Sink = std::function<std::optional<ChartImage::PngSize>(const QSize& natural)>;

    explicit PictureSizeDialog(const QSize& natural, QWidget* parent = nullptr);

    QRadioButton* rbtPixels;
    QLabel* lblWidth;
    QLineEdit* edtWidth;
    QLabel* lblHeight;
    QLineEdit* edtHeight;
    QCheckBox* chkKeepRatio;
    QRadioButton* rbtResolution;
    QLabel* lblDpi;
    QLineEdit* edtDpi;
    QLabel* lblPageWidth;
    QLineEdit* edtPageWidth;
    QLabel* lblResult;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // The size the fields give now; empty pixels when a field does not read.
    ChartImage::PngSize size() const;
    void accept() override;

    // Asks for the size of a picture of a view natural pixels large; nothing
    // when the user cancels.
    static std::optional<ChartImage::PngSize> choose(QWidget* parent, const QSize& natural);
    // Installs a sink and returns the one it replaces; an empty sink restores the dialog.
    static Sink setSink(Sink sink);

private:
    void createControls();
    void layOut();
    void connectControls();
    void chooseMode();
    void widthEdited();
    void heightEdited();
    void follow(QLineEdit* edited, QLineEdit* other, double ratio);
    void showResult();
    // The first field that does not read, with what it accepts; null when all read.
    std::pair<QLineEdit*, QString> unreadField() const;

    QSize m_natural;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/PictureSizeDialog.h"

#include "number/Handler.h"
#include "number/NumberFormat.h"
#include "toolkit/DesignControls.h"
#include "toolkit/FieldRefusal.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace {

const QString Caption = QStringLiteral("Размер рисунка");
constexpr double CentimetresPerInch = 2.54;

PictureSizeDialog::Sink& sink()
{
    static PictureSizeDialog::Sink current;
    return current;
}

// A label for a field, named as it reads.
QLabel* fieldLabel(QWidget* parent, const QString& name, const QString& text, QLineEdit* field)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    label->setBuddy(field);
    return label;
}

QLineEdit* field(QWidget* parent, const QString& name, const QString& accessible,
                 const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    DesignControls::placeEdit(edit, name, accessible, 0, 0, 81);
    return edit;
}

// A whole number of pixels, or 0 when the text does not read.
int integerOf(const QLineEdit* edit)
{
    int value = 0;
    return NumberFormat::tryInteger(edit->text(), &value) ? value : 0;
}

// A side worked out from a resolution, within what an int holds.
int pixelsOf(double side)
{
    return int(qBound(0.0, side, double(std::numeric_limits<int>::max())));
}

double centimetresOf(const QLineEdit* edit)
{
    double value = 0;
    return NumberFormat::tryReal(edit->text(), &value) && value > 0 ? value : 0;
}

} // namespace

PictureSizeDialog::PictureSizeDialog(const QSize& natural, QWidget* parent)
    : QDialog(parent), m_natural(natural.expandedTo(QSize(1, 1)))
{
    setObjectName(QStringLiteral("dlgPictureSize"));
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    createControls();
    layOut();
    connectControls();
    chooseMode();
    edtWidth->setFocus(Qt::OtherFocusReason);
    edtWidth->selectAll();
}

void PictureSizeDialog::createControls()
{
    rbtPixels = new QRadioButton(QStringLiteral("Размер в &пикселях"), this);
    rbtPixels->setObjectName(QStringLiteral("rbtPixels"));
    rbtPixels->setAccessibleName(QStringLiteral("Размер в пикселях"));
    rbtPixels->setChecked(true);
    edtWidth = field(this, QStringLiteral("edtWidth"), QStringLiteral("Ширина, пикселей"),
                     QString::number(m_natural.width()));
    lblWidth = fieldLabel(this, QStringLiteral("lblWidth"), QStringLiteral("&Ширина:"), edtWidth);
    edtHeight = field(this, QStringLiteral("edtHeight"), QStringLiteral("Высота, пикселей"),
                      QString::number(m_natural.height()));
    lblHeight =
        fieldLabel(this, QStringLiteral("lblHeight"), QStringLiteral("&Высота:"), edtHeight);
    chkKeepRatio = new QCheckBox(QStringLiteral("Сохранять пр&опорции"), this);
    chkKeepRatio->setObjectName(QStringLiteral("chkKeepRatio"));
    chkKeepRatio->setAccessibleName(QStringLiteral("Сохранять пропорции"));
    chkKeepRatio->setChecked(true);
    rbtResolution = new QRadioButton(QStringLiteral("По &разрешению и ширине на странице"), this);
    rbtResolution->setObjectName(QStringLiteral("rbtResolution"));
    rbtResolution->setAccessibleName(QStringLiteral("По разрешению и ширине на странице"));
    edtDpi = field(this, QStringLiteral("edtDpi"), QStringLiteral("Точек на дюйм"),
                   QStringLiteral("300"));
    lblDpi = fieldLabel(this, QStringLiteral("lblDpi"), QStringLiteral("Точек на д&юйм:"), edtDpi);
    edtPageWidth = field(this, QStringLiteral("edtPageWidth"),
                         QStringLiteral("Ширина на странице, см"), QLocale().toString(17));
    lblPageWidth = fieldLabel(this, QStringLiteral("lblPageWidth"),
                              QStringLiteral("Ширина на странице, &см:"), edtPageWidth);
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    btnOk = new QPushButton(QStringLiteral("ОК"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAccessibleName(btnOk->text());
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAccessibleName(btnCancel->text());
}

void PictureSizeDialog::layOut()
{
    auto* fields = new QGridLayout;
    fields->setColumnMinimumWidth(0, 20);
    fields->addWidget(rbtPixels, 0, 0, 1, 5);
    fields->addWidget(lblWidth, 1, 1);
    fields->addWidget(edtWidth, 1, 2);
    fields->addWidget(lblHeight, 1, 3);
    fields->addWidget(edtHeight, 1, 4);
    fields->addWidget(chkKeepRatio, 2, 1, 1, 4);
    fields->addWidget(rbtResolution, 3, 0, 1, 5);
    fields->addWidget(lblDpi, 4, 1);
    fields->addWidget(edtDpi, 4, 2);
    fields->addWidget(lblPageWidth, 4, 3);
    fields->addWidget(edtPageWidth, 4, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addWidget(lblResult);
    main->addLayout(buttons);
    DesignControls::tabOrder({rbtPixels, edtWidth, edtHeight, chkKeepRatio, rbtResolution, edtDpi,
                              edtPageWidth, btnOk, btnCancel});
}

void PictureSizeDialog::connectControls()
{
    connectHandler(rbtPixels, &QRadioButton::toggled, this, &PictureSizeDialog::chooseMode);
    connectHandler(edtWidth, &QLineEdit::textEdited, this, &PictureSizeDialog::widthEdited);
    connectHandler(edtHeight, &QLineEdit::textEdited, this, &PictureSizeDialog::heightEdited);
    for (QLineEdit* edit : {edtDpi, edtPageWidth})
        connectHandler(edit, &QLineEdit::textChanged, this, &PictureSizeDialog::showResult);
    connectHandler(btnOk, &QPushButton::clicked, this, &PictureSizeDialog::accept);
    connectHandler(btnCancel, &QPushButton::clicked, this, &PictureSizeDialog::reject);
}

// Only the fields of the chosen way are open.
void PictureSizeDialog::chooseMode()
{
    const bool pixels = rbtPixels->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblWidth, edtWidth, lblHeight, edtHeight, chkKeepRatio})
        w->setEnabled(pixels);
    for (QWidget* w : std::initializer_list<QWidget*>{lblDpi, edtDpi, lblPageWidth, edtPageWidth})
        w->setEnabled(!pixels);
    showResult();
}

void PictureSizeDialog::widthEdited()
{
    follow(edtWidth, edtHeight, double(m_natural.height()) / m_natural.width());
}

void PictureSizeDialog::heightEdited()
{
    follow(edtHeight, edtWidth, double(m_natural.width()) / m_natural.height());
}

// With the proportions kept, the other side follows the one typed.
void PictureSizeDialog::follow(QLineEdit* edited, QLineEdit* other, double ratio)
{
    const int side = integerOf(edited);
    if (chkKeepRatio->isChecked() && side > 0)
        other->setText(QString::number(qMax(1LL, std::llround(side * ratio))));
    showResult();
}

ChartImage::PngSize PictureSizeDialog::size() const
{
    if (rbtPixels->isChecked())
        return {QSize(integerOf(edtWidth), integerOf(edtHeight)).expandedTo(QSize(0, 0)), 0};
    const int dpi = qMax(0, integerOf(edtDpi));
    const double width = std::round(dpi * centimetresOf(edtPageWidth) / CentimetresPerInch);
    const double height = std::round(width * m_natural.height() / m_natural.width());
    return {QSize(pixelsOf(width), pixelsOf(height)), dpi};
}

void PictureSizeDialog::showResult()
{
    const QSize pixels = size().pixels;
    const QString text =
        pixels.isEmpty()
            ? QStringLiteral("Рисунок: —")
            : QStringLiteral("Рисунок: %1 × %2 пикселей").arg(pixels.width()).arg(pixels.height());
    lblResult->setText(text);
    lblResult->setAccessibleName(text);
}

std::pair<QLineEdit*, QString> PictureSizeDialog::unreadField() const
{
    const QString sides = QStringLiteral("допускается целое число ") + ChartImage::sideRange();
    if (rbtPixels->isChecked()) {
        for (QLineEdit* edit : {edtWidth, edtHeight})
            if (!ChartImage::sideAllowed(integerOf(edit)))
                return {edit, sides};
        return {};
    }
    if (integerOf(edtDpi) <= 0)
        return {edtDpi, QStringLiteral("допускается целое число от 1")};
    if (centimetresOf(edtPageWidth) <= 0)
        return {edtPageWidth, QStringLiteral("допускается число больше 0")};
    return {};
}

// What does not read, or a picture too large for the resolution and width, is refused.
void PictureSizeDialog::accept()
{
    if (const auto [edit, accepted] = unreadField(); edit) {
        FieldRefusal::refuse(edit, QStringLiteral("Неверное значение"), accepted, Caption);
        return;
    }
    const QSize pixels = size().pixels;
    if (!ChartImage::sideAllowed(pixels.width()) || !ChartImage::sideAllowed(pixels.height())) {
        FieldRefusal::refuse(edtDpi,
                             QStringLiteral("Рисунок %1 × %2 пикселей вне допустимого")
                                 .arg(pixels.width())
                                 .arg(pixels.height()),
                             QStringLiteral("каждая сторона ") + ChartImage::sideRange(), Caption);
        return;
    }
    QDialog::accept();
}

std::optional<ChartImage::PngSize> PictureSizeDialog::choose(QWidget* parent, const QSize& natural)
{
    if (sink())
        return sink()(natural);
    PictureSizeDialog dialog(natural, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.size();
}

PictureSizeDialog::Sink PictureSizeDialog::setSink(Sink replacement)
{
    return std::exchange(sink(), std::move(replacement));
}

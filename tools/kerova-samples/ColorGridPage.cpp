// SPDX-License-Identifier: GPL-3.0-or-later
// Gallery page of the colour grid: the grid in every ordering and look, with
// a label naming the chosen colours.

#include "GalleryPages.h"

#include "samples/Cgrid.h"
#include "samples/ComponentPalette.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kLongSide = 480;
constexpr int kMaxCell = 64;

const QStringList& colorNames()
{
    static const QStringList names{QStringLiteral("чёрный"),        QStringLiteral("тёмно-красный"),
                                   QStringLiteral("тёмно-зелёный"), QStringLiteral("оливковый"),
                                   QStringLiteral("тёмно-синий"),   QStringLiteral("фиолетовый"),
                                   QStringLiteral("сине-зелёный"),  QStringLiteral("светло-серый"),
                                   QStringLiteral("серый"),         QStringLiteral("красный"),
                                   QStringLiteral("зелёный"),       QStringLiteral("жёлтый"),
                                   QStringLiteral("синий"),         QStringLiteral("пурпурный"),
                                   QStringLiteral("голубой"),       QStringLiteral("белый")};
    return names;
}

QString describe(const QString& role, bool enabled, int index, const QColor& color)
{
    if (!enabled)
        return QStringLiteral("%1: выключен").arg(role);
    if (!color.isValid())
        return QStringLiteral("%1: нет").arg(role);
    return QStringLiteral("%1: %2 (%3) <span style='background:%3'>&nbsp;&nbsp;&nbsp;&nbsp;</span>")
        .arg(role, colorNames().at(index), color.name());
}

QString chosenText(const TCColorGrid* grid)
{
    return describe(QStringLiteral("Передний план"), grid->ForegroundEnabled(),
                    grid->ForegroundIndex(), grid->GetForegroundColor()) +
           QStringLiteral("<br>") +
           describe(QStringLiteral("Фон"), grid->BackgroundEnabled(), grid->BackgroundIndex(),
                    grid->GetBackgroundColor());
}

QLabel* chosenLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    return label;
}

// A second grid in the flat look and the 8 x 2 ordering, with its own choices.
QWidget* flatGrid(QWidget* page, QLabel* chosen)
{
    auto* holder = new QWidget(page);
    holder->setFixedSize(8 * 40, 2 * 40);
    auto* grid = new TCColorGrid(holder);
    grid->setObjectName(QStringLiteral("CColorGrid2"));
    grid->setCtl3D(false);
    grid->SetGridOrdering(TCColorGrid::go8x2);
    grid->resize(holder->size());
    grid->SetForegroundIndex(12);
    grid->SetBackgroundIndex(12);
    grid->SetSelection(3);
    QObject::connect(grid, &TCColorGrid::OnChange, chosen,
                     [=] { chosen->setText(chosenText(grid)); });
    chosen->setText(chosenText(grid));
    return holder;
}

QCheckBox* option(const QString& name, const QString& caption, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setChecked(checked);
    return box;
}

void sizeForOrdering(TCColorGrid* grid)
{
    const int cols = 16 >> int(grid->GridOrdering());
    const int rows = 16 / cols;
    const int cell = std::min(kMaxCell, kLongSide / std::max(cols, rows));
    grid->resize(cols * cell, rows * cell);
}

QWidget* createPage()
{
    TCColorGrid::Register();
    auto* page = new QWidget;
    auto* header = new QLabel(page);
    header->setPixmap(ComponentPalette::find(QStringLiteral("TCColorGrid"))->icon().pixmap(24, 24));
    auto* title = new QLabel(QStringLiteral("TCColorGrid — левая кнопка или F: передний план, "
                                            "правая кнопка или B: фон, стрелки: курсор"),
                             page);

    auto* holder = new QWidget(page);
    holder->setFixedSize(kLongSide + 8, kLongSide + 8);
    auto* grid = new TCColorGrid(holder);
    grid->setObjectName(QStringLiteral("CColorGrid1"));
    grid->move(4, 4);
    sizeForOrdering(grid);
    grid->SetForegroundIndex(9);
    grid->SetBackgroundIndex(14);
    grid->SetSelection(5);
    grid->setFocus();

    auto* chosen = chosenLabel(QStringLiteral("lblChosen"), page);
    auto* ordering = new QComboBox(page);
    ordering->setObjectName(QStringLiteral("cbxGridOrdering"));
    ordering->setAccessibleName(QStringLiteral("Расположение"));
    ordering->addItems({QStringLiteral("16 × 1"), QStringLiteral("8 × 2"), QStringLiteral("4 × 4"),
                        QStringLiteral("2 × 8"), QStringLiteral("1 × 16")});
    ordering->setCurrentIndex(int(grid->GridOrdering()));
    auto* ctl3d =
        option(QStringLiteral("chkCtl3D"), QStringLiteral("Объёмный вид"), grid->Ctl3D(), page);
    auto* fgOn = option(QStringLiteral("chkForegroundEnabled"),
                        QStringLiteral("Передний план включён"), true, page);
    auto* bgOn =
        option(QStringLiteral("chkBackgroundEnabled"), QStringLiteral("Фон включён"), true, page);
    auto* clickOn = option(QStringLiteral("chkClickEnablesColor"),
                           QStringLiteral("Выбор включает цвет"), false, page);

    auto refresh = [=] {
        chosen->setText(chosenText(grid));
        fgOn->setChecked(grid->ForegroundEnabled());
        bgOn->setChecked(grid->BackgroundEnabled());
    };
    QObject::connect(grid, &TCColorGrid::OnChange, page, refresh);
    QObject::connect(ordering, &QComboBox::currentIndexChanged, grid, [grid](int index) {
        grid->SetGridOrdering(TCColorGrid::TGridOrdering(index));
        sizeForOrdering(grid);
    });
    QObject::connect(ctl3d, &QCheckBox::toggled, grid, &TCColorGrid::setCtl3D);
    QObject::connect(fgOn, &QCheckBox::toggled, grid, [=](bool on) {
        grid->EnableForeground(on);
        refresh();
    });
    QObject::connect(bgOn, &QCheckBox::toggled, grid, [=](bool on) {
        grid->EnableBackground(on);
        refresh();
    });
    QObject::connect(clickOn, &QCheckBox::toggled, grid, &TCColorGrid::setClickEnablesColor);
    refresh();

    auto* settings = new QFormLayout;
    settings->addRow(QStringLiteral("Расположение:"), ordering);
    for (QCheckBox* box : {ctl3d, fgOn, bgOn, clickOn})
        settings->addRow(box);
    settings->addRow(chosen);
    auto* flatChosen = chosenLabel(QStringLiteral("lblFlatChosen"), page);
    settings->addRow(new QLabel(QStringLiteral("Плоский вид, 8 × 2:"), page));
    settings->addRow(flatGrid(page, flatChosen));
    settings->addRow(flatChosen);
    auto* top = new QHBoxLayout;
    top->addWidget(header);
    top->addWidget(title, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(holder, 0, Qt::AlignTop);
    body->addLayout(settings, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    return page;
}

const GalleryPages::Registrar reg(QStringLiteral("Цветовая сетка"), createPage);

} // namespace

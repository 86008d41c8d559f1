// SPDX-License-Identifier: GPL-3.0-or-later
// Gallery page of the directory outline: the tree, the letter case of its
// names, and the current directory it keeps.

#include "GalleryPages.h"
#include "number/Error.h"
#include "samples/Cdiroutl.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

QWidget* createPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("dirOutlinePage"));
    auto* textCase = new QComboBox(page);
    textCase->setObjectName(QStringLiteral("cbxTextCase"));
    textCase->setAccessibleName(QStringLiteral("Регистр имён"));
    textCase->addItems({QStringLiteral("строчные (tcLowerCase)"),
                        QStringLiteral("ПРОПИСНЫЕ (tcUpperCase)"),
                        QStringLiteral("как есть (tcAsIs)")});
    auto* directory = new QLabel(page);
    directory->setObjectName(QStringLiteral("lblDirectory"));
    directory->setAccessibleName(QStringLiteral("Текущая папка"));
    directory->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* outline = new TCDirectoryOutline(page);
    outline->setObjectName(QStringLiteral("dirOutline"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Регистр имён:"), textCase);
    form->addRow(QStringLiteral("Текущая папка:"), directory);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(outline, 1);

    QObject::connect(outline, &TCDirectoryOutline::OnChange, directory,
                     [outline, directory] { directory->setText(outline->Directory()); });
    QObject::connect(textCase, &QComboBox::currentIndexChanged, outline, [outline](int index) {
        try {
            outline->SetTextCase(TCDirectoryOutline::TTextCase(index));
        } catch (const Error& error) {
            QMessageBox::critical(outline, QStringLiteral("Kerova"), error.message());
        }
    });
    return page;
}

const GalleryPages::Registrar reg(QStringLiteral("Дерево папок (TCDirectoryOutline)"), createPage);

} // namespace

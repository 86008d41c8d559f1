// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/HelpWindow.h"

#include "number/Handler.h"
#include "toolkit/ManualSections.h"
#include "toolkit/MessageService.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString kManual = QStringLiteral(":/help/manual.md");
// Wide pictures are shown at this width so the text needs no sideways scrolling.
constexpr double kPictureWidth = 640;

QPointer<HelpWindow>& instance()
{
    static QPointer<HelpWindow> window;
    return window;
}

// A picture as the text browser loads it: the file's bytes, or an image.
QSizeF pictureSize(const QVariant& resource)
{
    if (resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>().size();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().size();
    return QImage::fromData(resource.toByteArray()).size();
}

} // namespace

HelpWindow* HelpWindow::showSection(const QString& anchor)
{
    if (!instance()) {
        instance() = new HelpWindow;
        // The window belongs to no other window, so it goes when the program ends.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance(),
                         [] { delete instance(); });
    }
    HelpWindow* window = instance();
    window->show();
    window->goTo(anchor);
    return window;
}

HelpWindow* HelpWindow::current()
{
    return instance();
}

HelpWindow::HelpWindow() : TForm(nullptr)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Справка"));
    setAccessibleName(windowTitle());
    setDesignGeometry(120, 40, 720, 640);
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setAccessibleName(QStringLiteral("Руководство пользователя"));
    txtHelp->setFont(QApplication::font()); // the manual reads at the desktop's size
    txtHelp->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtHelp);
    txtHelp->setSource(QUrl(QStringLiteral("qrc") + kManual), QTextDocument::MarkdownResource);
    QFile source(kManual);
    if (source.open(QIODevice::ReadOnly))
        m_sections = ManualSections::headingNumbers(QString::fromUtf8(source.readAll()));
    nameHeadings();
    limitPictureWidths();
    connectHandler(txtHelp, &QTextBrowser::anchorClicked, this, &HelpWindow::linkClicked);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, this, &QWidget::close);
}

// Gives each named section's heading its name back as an anchor of the
// document, so scrolling to it and the manual's own links (#name) work.
void HelpWindow::nameHeadings()
{
    QHash<int, QStringList> names;
    for (auto it = m_sections.cbegin(); it != m_sections.cend(); ++it)
        names[it.value()] << it.key();
    int number = 0;
    for (QTextBlock block = txtHelp->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        if (names.contains(number)) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat anchor;
            anchor.setAnchor(true);
            anchor.setAnchorNames(names.value(number));
            cursor.mergeCharFormat(anchor);
        }
        ++number;
    }
}

void HelpWindow::limitPictureWidths()
{
    QTextDocument* document = txtHelp->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QSizeF size =
                pictureSize(document->resource(QTextDocument::ImageResource, QUrl(picture.name())));
            if (size.width() <= kPictureWidth)
                continue;
            picture.setWidth(kPictureWidth);
            picture.setHeight(size.height() * kPictureWidth / size.width());
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

void HelpWindow::goTo(const QString& anchor)
{
    const int number = m_sections.value(anchor, -1);
    int heading = 0;
    for (QTextBlock block = txtHelp->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        if (heading++ != number)
            continue;
        // The heading is selected: it shows where the help opened, and Tab
        // goes on to the section's links from there.
        QTextCursor selected(block);
        selected.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        txtHelp->setTextCursor(selected);
        txtHelp->scrollToAnchor(anchor);
        return;
    }
}

// Links inside the manual move to their section; the manual also links a few
// documents of the source tree, which the help does not hold.
void HelpWindow::linkClicked(const QUrl& link)
{
    if (link.hasFragment() && link.adjusted(QUrl::RemoveFragment) == txtHelp->source())
        goTo(link.fragment());
    else
        MessageService::show(QStringLiteral("Ссылка «%1» ведет за пределы руководства; "
                                            "этот документ справка не показывает.")
                                 .arg(link.fileName()),
                             windowTitle());
}

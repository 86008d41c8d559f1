// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-samples: shows the sample components live, one tab per component.
//   kerova-samples [--shot FILE] [--page N]
// --shot renders the window (with the given page selected) into a PNG and exits.

#include "GalleryPages.h"
#include "samples/ErrorBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kerova-samples"));
    ErrorBox::install();
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("shot"), QStringLiteral("Save a screenshot and exit."),
                      QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("page"), QStringLiteral("Page to show."), QStringLiteral("index")});
    parser.process(app);

    QTabWidget window;
    window.setObjectName(QStringLiteral("gallery"));
    window.setWindowTitle(QStringLiteral("Kerova — образцы компонентов"));
    for (const GalleryPages::Page& page : GalleryPages::all())
        window.addTab(page.create(), page.title);
    window.setCurrentIndex(parser.value(QStringLiteral("page")).toInt());
    window.resize(900, 600);
    window.show();
    if (parser.isSet(QStringLiteral("shot"))) {
        const QString file = parser.value(QStringLiteral("shot"));
        QTimer::singleShot(300, &window, [&window, file] {
            window.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}

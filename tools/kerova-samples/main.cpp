// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-samples: shows the sample components live, one tab per component.
//   kerova-samples [--shot FILE] [--page N] [--walk]
// --shot renders the window (with the given page selected) into a PNG and exits.
// --walk shows every page in turn, painting it and naming it on standard
// output, and exits (a check that every page still comes up).

#include "GalleryPages.h"
#include "samples/ErrorBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace {

// Shows the page at index, then the next one from the event loop, so each
// page runs its timers once before the next; quits after the last.
void walkFrom(QTabWidget& window, int index)
{
    if (index == window.count()) {
        QApplication::quit();
        return;
    }
    window.setCurrentIndex(index);
    window.grab();
    std::printf("%s\n", qPrintable(window.tabText(index)));
    std::fflush(stdout);
    QTimer::singleShot(0, &window, [&window, index] { walkFrom(window, index + 1); });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kerova-samples"));
    ErrorBox::install();
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("shot"), QStringLiteral("Save a screenshot and exit."),
                      QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("page"), QStringLiteral("Page to show."), QStringLiteral("index")});
    parser.addOption({QStringLiteral("walk"),
                      QStringLiteral("Show every page in turn, print its name and exit.")});
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
    } else if (parser.isSet(QStringLiteral("walk")))
        QTimer::singleShot(0, &window, [&window] { walkFrom(window, 0); });
    return app.exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Application.h"

#include "number/Handler.h"
#include "toolkit/ErrorDisplay.h"
#include "toolkit/TForm.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QString& titleStorage()
{
    static QString title = QStringLiteral("Kerova");
    return title;
}

} // namespace

Application::Application(int& argc, char** argv)
{
    if (!QApplication::instance())
        m_qt = std::make_unique<QApplication>(argc, argv);
    setTitle(QStringLiteral("Kerova"));
    ErrorDisplay::install();
    loadTranslations();
}

Application::~Application()
{
    // Reverse order of creation: a window goes before the data modules it uses.
    while (!m_owned.empty()) {
        Owned last = std::move(m_owned.back());
        m_owned.pop_back();
        runHandler(last.release);
        last.release = nullptr; // drops the lambda's share of the object
        last.object.reset();
    }
}

QString Application::title()
{
    return titleStorage();
}

void Application::setTitle(const QString& title)
{
    titleStorage() = title;
}

void Application::loadTranslations()
{
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator.get());
        m_translator = std::move(translator);
    }
}

int Application::run(TForm* mainForm)
{
    QObject::connect(mainForm, &TForm::closed, QApplication::instance(), &QApplication::quit,
                     Qt::QueuedConnection);
    mainForm->show();
    return QApplication::exec();
}

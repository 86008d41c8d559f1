// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ErrorDisplay.h"

#include "engine/AbortError.h"
#include "number/HandlerGuard.h"
#include "number/RuleError.h"
#include "toolkit/Application.h"
#include "toolkit/MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

namespace {

ErrorDisplay::Sink& currentSink()
{
    static ErrorDisplay::Sink sink;
    return sink;
}

void showBox(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

// Memory that ran out where no result size is known still gets Russian text,
// not the library's "std::bad_alloc".
QString messageOf(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return own->message();
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("Недостаточно памяти");
    return QString::fromUtf8(error.what());
}

} // namespace

QString ErrorDisplay::text(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

void ErrorDisplay::show(const std::exception& error)
{
    if (dynamic_cast<const AbortError*>(&error))
        return;
    if (const auto* rule = dynamic_cast<const RuleError*>(&error)) {
        MessageService::show(rule->message(), rule->caption());
        return;
    }
    const QString shown = text(messageOf(error));
    const QString caption = Application::title();
    if (currentSink())
        currentSink()(shown, caption);
    else
        showBox(shown, caption);
}

ErrorDisplay::Sink ErrorDisplay::setSink(Sink sink)
{
    install();
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

bool ErrorDisplay::hasSink()
{
    return bool(currentSink());
}

void ErrorDisplay::install()
{
    setHandlerErrorSink(&ErrorDisplay::show);
}

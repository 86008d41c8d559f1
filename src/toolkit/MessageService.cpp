#include "toolkit/MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageService::Sink& currentSink()
{
    static MessageService::Sink sink;
    return sink;
}

void showBox(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

void MessageService::show(const QString& text, const QString& caption)
{
    if (currentSink())
        currentSink()(text, caption);
    else
        showBox(text, caption);
}

MessageService::Sink MessageService::setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

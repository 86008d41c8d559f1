// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/MessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

namespace {

MessageService::Sink& currentSink()
{
    static MessageService::Sink sink;
    return sink;
}

MessageService::CheckAnswer& currentCheckAnswer()
{
    static MessageService::CheckAnswer answer;
    return answer;
}

// Shows the box; with a check text, under a check box, and tells whether it was ticked.
bool showBox(const QString& text, const QString& caption, const QString& checkText = {})
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setEscapeButton(QMessageBox::Ok);
    if (!checkText.isEmpty()) {
        auto* check = new QCheckBox(checkText);
        check->setObjectName(QStringLiteral("chkNoMoreBoxes"));
        check->setAccessibleName(checkText);
        box.setCheckBox(check);
    }
    box.exec();
    return box.checkBox() && box.checkBox()->isChecked();
}

} // namespace

void MessageService::show(const QString& text, const QString& caption)
{
    if (currentSink())
        currentSink()(text, caption);
    else
        showBox(text, caption);
}

bool MessageService::showWithCheck(const QString& text, const QString& caption,
                                   const QString& checkText)
{
    if (!currentSink())
        return showBox(text, caption, checkText);
    currentSink()(text, caption);
    return currentCheckAnswer() && currentCheckAnswer()(checkText);
}

MessageService::Sink MessageService::setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

MessageService::CheckAnswer MessageService::setCheckAnswer(CheckAnswer answer)
{
    CheckAnswer previous = std::move(currentCheckAnswer());
    currentCheckAnswer() = std::move(answer);
    return previous;
}

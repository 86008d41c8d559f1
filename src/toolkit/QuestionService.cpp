// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/QuestionService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QuestionService::Sink& currentSink()
{
    static QuestionService::Sink sink;
    return sink;
}

QPushButton* addButton(QMessageBox& box, const QString& caption, QMessageBox::ButtonRole role)
{
    QPushButton* button = box.addButton(caption, role);
    button->setAccessibleName(caption);
    return button;
}

QuestionService::Answer showBox(const QString& text, const QString& caption,
                                QuestionService::Buttons buttons,
                                QuestionService::Default byDefault)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = addButton(box, QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = addButton(box, QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* cancel = buttons == QuestionService::Buttons::YesNoCancel
                              ? addButton(box, QStringLiteral("Отмена"), QMessageBox::RejectRole)
                              : nullptr;
    box.setDefaultButton(byDefault == QuestionService::Default::Yes ? yes : no);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes)
        return QuestionService::Answer::Yes;
    if (box.clickedButton() == no || !cancel)
        return QuestionService::Answer::No;
    return QuestionService::Answer::Cancel;
}

} // namespace

QuestionService::Answer QuestionService::ask(const QString& text, const QString& caption,
                                             Buttons buttons, Default byDefault)
{
    const Answer answer = currentSink() ? currentSink()(text, caption, buttons)
                                        : showBox(text, caption, buttons, byDefault);
    // A sink that answers «Отмена» where the box has no such button means «Нет».
    return answer == Answer::Cancel && buttons == Buttons::YesNo ? Answer::No : answer;
}

QuestionService::Sink QuestionService::setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

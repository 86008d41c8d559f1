// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

BoxAnswerer::BoxAnswerer(std::optional<unsigned> seed)
{
    if (seed)
        m_random.emplace(*seed);
    m_messages = MessageService::setSink({});
    m_errors = ErrorDisplay::setSink({});
    m_questions = QuestionService::setSink({});
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::answer);
    m_timer.start();
}

BoxAnswerer::~BoxAnswerer()
{
    MessageService::setSink(std::move(m_messages));
    ErrorDisplay::setSink(std::move(m_errors));
    QuestionService::setSink(std::move(m_questions));
}

// One answer per tick, to the box on top: the box under it gets the next.
void BoxAnswerer::answer()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog)
        return;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (!box) {
        dialog->reject();
        return;
    }
    m_seen << box->windowTitle() + QStringLiteral(": ") + box->text();
    const QList<QAbstractButton*> buttons = box->buttons();
    QAbstractButton* chosen = box->defaultButton();
    if (m_random && !buttons.isEmpty())
        chosen =
            buttons[std::uniform_int_distribution<qsizetype>(0, buttons.size() - 1)(*m_random)];
    if (!chosen && !buttons.isEmpty())
        chosen = buttons.first();
    if (chosen)
        chosen->click();
    else
        box->reject();
}

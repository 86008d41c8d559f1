// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/QuestionService.h"

#include <QPair>
#include <QStringList>
#include <QVector>

// Answers every question asked while the recorder lives with the answer it
// holds (changeable between questions), or first with the answers queued in
// turn, and records the text and caption.
class QuestionRecorder
{
public:
    using Answer = QuestionService::Answer;

    explicit QuestionRecorder(Answer answer = Answer::Yes)
        : m_answer(answer),
          m_previous(QuestionService::setSink(
              [this](const QString& text, const QString& caption, QuestionService::Buttons) {
                  m_questions.append({text, caption});
                  return m_queued.isEmpty() ? m_answer : m_queued.takeFirst();
              }))
    {
    }
    ~QuestionRecorder() { QuestionService::setSink(std::move(m_previous)); }
    QuestionRecorder(const QuestionRecorder&) = delete;
    QuestionRecorder& operator=(const QuestionRecorder&) = delete;

    void answer(Answer answer) { m_answer = answer; }
    // The next questions get these answers, one each, before the held one.
    void answerInTurn(const QList<Answer>& answers) { m_queued = answers; }
    const QVector<QPair<QString, QString>>& questions() const { return m_questions; }
    int count() const { return static_cast<int>(m_questions.size()); }
    QStringList texts() const
    {
        QStringList all;
        for (const auto& question : m_questions)
            all << question.first;
        return all;
    }
    void clear() { m_questions.clear(); }

private:
    Answer m_answer;
    QList<Answer> m_queued;
    QVector<QPair<QString, QString>> m_questions;
    QuestionService::Sink m_previous;
};

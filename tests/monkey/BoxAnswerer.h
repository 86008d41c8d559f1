// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/ErrorDisplay.h"
#include "toolkit/MessageService.h"
#include "toolkit/QuestionService.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <random>

// Answers every box, dialog and menu that opens, as a person at the screen
// would: a message box gets one of its buttons, a dialog is cancelled, a menu
// closed. The program's real boxes are shown while it lives (no recorder), so
// the nested event loops they run are the ones a user meets.
class BoxAnswerer : public QObject
{
    Q_OBJECT
public:
    // seed chooses among a box's buttons; without it the box's default
    // button (Enter) is pressed.
    explicit BoxAnswerer(std::optional<unsigned> seed = {});
    ~BoxAnswerer() override;

    // "caption: text" of every message box answered, in order.
    const QStringList& seen() const { return m_seen; }

private:
    void answer();

    MessageService::Sink m_messages;
    ErrorDisplay::Sink m_errors;
    QuestionService::Sink m_questions;
    QTimer m_timer;
    std::optional<std::mt19937> m_random;
    QStringList m_seen;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Questions to the user: a text, a caption and the buttons «Да», «Нет» and,
// where the user may also step back, «Отмена»; the call returns the answer
// when the box has closed. Esc answers «Отмена» (or «Нет» without it). Enter
// presses the default button: «Да», or «Нет» for a question whose «Да»
// destroys something (a deletion), so that Enter never destroys.
// Tests replace the sink with one that answers, so no test blocks on a modal box.
class QuestionService
{
public:
    enum class Answer { Yes, No, Cancel };
    enum class Buttons { YesNo, YesNoCancel };
    using Sink = std::function<Answer(const QString& text, const QString& caption, Buttons)>;

    enum class Default { Yes, No };

    static Answer ask(const QString& text, const QString& caption,
                      Buttons buttons = Buttons::YesNoCancel, Default byDefault = Default::Yes);
    // Installs a sink and returns the one it replaces; an empty sink restores the box.
    static Sink setSink(Sink sink);
};

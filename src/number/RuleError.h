// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// A rule of the application refused what the user asked. The data layer
// raises it instead of showing a box; the error display shows it as the
// rule's own message box: this caption, the text as it is, no icon.
class RuleError : public Error
{
public:
    RuleError(QString message, QString caption)
        : Error(std::move(message)), m_caption(std::move(caption))
    {
    }

    const QString& caption() const { return m_caption; }

private:
    QString m_caption;
};

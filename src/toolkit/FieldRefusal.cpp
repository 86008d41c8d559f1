// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/FieldRefusal.h"

#include "toolkit/MessageService.h"

#include <QLineEdit>

namespace FieldRefusal {

void refuse(QLineEdit* field, const QString& problem, const QString& accepted,
            const QString& caption)
{
    MessageService::show(problem + QStringLiteral(": ") + field->accessibleName() +
                             QStringLiteral(" (") + accepted + QStringLiteral(")"),
                         caption);
    field->selectAll();
    field->setFocus(Qt::OtherFocusReason);
}

} // namespace FieldRefusal

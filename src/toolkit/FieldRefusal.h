// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;

// Refusing what a field holds: one box naming the field (its accessible
// name), what is wrong and what it accepts, «Неверное значение: Ширина
// (допускается …)»; then the field takes the focus with its text selected to
// be typed over.
namespace FieldRefusal {

void refuse(QLineEdit* field, const QString& problem, const QString& accepted,
            const QString& caption);

} // namespace FieldRefusal

// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ArithmeticError.h"

ArithmeticError ArithmeticError::divideByZero()
{
    return ArithmeticError(QStringLiteral("Деление на ноль при вычислениях с плавающей точкой"));
}

ArithmeticError ArithmeticError::invalidOperation()
{
    return ArithmeticError(
        QStringLiteral("Недопустимая операция при вычислениях с плавающей точкой"));
}

ArithmeticError ArithmeticError::overflow()
{
    return ArithmeticError(QStringLiteral("Переполнение при вычислениях с плавающей точкой"));
}

ArithmeticError ArithmeticError::integerOverflow(const QString& what)
{
    return ArithmeticError(QStringLiteral("Целочисленное переполнение: %1").arg(what));
}

void ArithmeticError::raiseDivideByZero()
{
    throw divideByZero();
}

void ArithmeticError::raiseInvalidOperation()
{
    throw invalidOperation();
}

void ArithmeticError::raiseOverflow()
{
    throw overflow();
}

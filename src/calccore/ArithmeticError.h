// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// A floating-point division by zero, invalid operation or overflow, or a
// 32-bit integer result out of range: raised instead of letting an infinity,
// a not-a-number or a wrapped integer reach the results.
class ArithmeticError : public Error
{
public:
    using Error::Error;

    static ArithmeticError divideByZero();
    static ArithmeticError invalidOperation();
    static ArithmeticError overflow();
    // what: the operation that overflowed, in words the user understands.
    static ArithmeticError integerOverflow(const QString& what);

    // Raising out of line keeps the checked operations small enough to inline.
    [[noreturn, gnu::cold, gnu::noinline]] static void raiseDivideByZero();
    [[noreturn, gnu::cold, gnu::noinline]] static void raiseInvalidOperation();
    [[noreturn, gnu::cold, gnu::noinline]] static void raiseOverflow();
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/ArithmeticError.h"

#include <cmath>
#include <concepts>
#include <limits>

// IEEE arithmetic that raises ArithmeticError where the hardware would flag
// division by zero, an invalid operation or overflow, instead of producing an
// infinity or a not-a-number. A quiet not-a-number or an infinity that is
// already an operand passes through unchanged, as it does in IEEE arithmetic.
// The fast path is one comparison per operation.
namespace CheckedMath {

template <std::floating_point T> [[gnu::cold]] T settle(T result, T a, T b)
{
    if (std::isnan(result)) {
        if (std::isnan(a) || std::isnan(b))
            return result;
        ArithmeticError::raiseInvalidOperation();
    }
    if (std::isinf(a) || std::isinf(b))
        return result;
    ArithmeticError::raiseOverflow();
}

template <std::floating_point T> T mul(T a, T b)
{
    const T r = a * b;
    return std::isfinite(r) ? r : settle(r, a, b);
}

template <std::floating_point T> T add(T a, T b)
{
    const T r = a + b;
    return std::isfinite(r) ? r : settle(r, a, b);
}

template <std::floating_point T> T sub(T a, T b)
{
    const T r = a - b;
    return std::isfinite(r) ? r : settle(r, a, b);
}

template <std::floating_point T> T div(T a, T b)
{
    if (b == 0 && !std::isnan(a)) {
        if (a == 0)
            ArithmeticError::raiseInvalidOperation();
        ArithmeticError::raiseDivideByZero();
    }
    const T r = a / b;
    return std::isfinite(r) ? r : settle(r, a, b);
}

template <std::floating_point T> T sqrt(T a)
{
    if (a < 0)
        ArithmeticError::raiseInvalidOperation();
    return std::sqrt(a);
}

// An extended value rounded to double; a finite value beyond the double range overflows.
inline double toDouble(long double value)
{
    const double r = static_cast<double>(value);
    if (std::isinf(r) && std::isfinite(value))
        ArithmeticError::raiseOverflow();
    return r;
}

// Truncation toward zero to a signed 32-bit integer; what() names the value for the message.
template <typename What> int truncToInt(long double value, What what)
{
    if (std::isnan(value))
        ArithmeticError::raiseInvalidOperation();
    const long double t = std::trunc(value);
    if (t < std::numeric_limits<int>::min() || t > std::numeric_limits<int>::max())
        throw ArithmeticError::integerOverflow(what());
    return static_cast<int>(t);
}

// A 32-bit signed product; what() names the product for the message.
template <typename What> int mulInt(int a, int b, What what)
{
    int r = 0;
    if (__builtin_mul_overflow(a, b, &r)) [[unlikely]]
        throw ArithmeticError::integerOverflow(what());
    return r;
}

} // namespace CheckedMath

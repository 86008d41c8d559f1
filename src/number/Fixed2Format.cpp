// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Fixed2Format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int Digits = 15; // significant digits a value is taken to first

// The exact products below need 128-bit integers, a GCC and Clang extension.
__extension__ typedef unsigned __int128 Wide;

constexpr std::array<std::uint64_t, 20> kPow10Int = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

constexpr std::array<std::uint64_t, 18> kPow5 = [] {
    std::array<std::uint64_t, 18> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 5;
    }
    return powers;
}();

// Division of n < 2^51 by 10^j as a multiplication: floor(n / d) is
// floor(n × m / 2^shift) with m = ceil(2^shift / d) when n × d <= 2^shift,
// which shift = 51 + ceil(log2 d) makes sure of; m stays below 2^54.
struct Divisor
{
    std::uint64_t multiplier;
    int shift;
};

constexpr std::array<Divisor, 16> kDivPow10 = [] {
    std::array<Divisor, 16> divisors{};
    for (std::size_t j = 0; j < divisors.size(); ++j) {
        const std::uint64_t d = kPow10Int[j];
        int bits = 0;
        while ((std::uint64_t(1) << bits) < d)
            ++bits;
        const int shift = 51 + bits;
        divisors[j] = {std::uint64_t(((Wide(1) << shift) + d - 1) / d), shift};
    }
    return divisors;
}();

std::uint64_t divPow10(std::uint64_t n, int j)
{
    const Divisor& d = kDivPow10[std::size_t(j)];
    return std::uint64_t((Wide(n) * d.multiplier) >> d.shift);
}

// Below this every value rounds to 0.00, whatever its 15 digits.
constexpr double kZeroBelow = 0.0049;

// 10^e for e = -3 … 15, as near as a double gets.
constexpr std::array<double, 19> kPowers = {1e-3, 1e-2, 1e-1, 1e0,  1e1, 1e2, 1e3,
                                            1e4,  1e5,  1e6,  1e7,  1e8, 1e9, 1e10,
                                            1e11, 1e12, 1e13, 1e14, 1e15};

// The decimal exponent e with 10^e <= v < 10^(e+1), for 0.0049 <= v < 1e15,
// estimated from the binary exponent (log10 2 ≈ 1233 / 4096) and corrected
// by one comparison; a boundary misjudged by the inexact negative powers is
// caught by the caller.
int exponentOf(double v)
{
    const int binary = int((std::bit_cast<std::uint64_t>(v) >> 52) & 0x7ff) - 1023;
    int e = (binary * 1233) >> 12; // floor(binary · log10 2), never above the answer
    e = std::clamp(e, -3, 14);
    if (v >= kPowers[std::size_t(e + 4)])
        ++e;
    return std::min(e, 14);
}

// v × 10^k (0 <= k <= 17) rounded to the nearest integer, exactly and with
// integers only: a positive normal v is M × 2^E with an integer M below 2^53,
// so v × 10^k is the integer M × 5^k (below 2^93) times 2^(E + k), and its
// rounding is read off the bits that the shift by −(E + k) drops. False on an
// exact tie (left to the slow path, which rounds the exact binary value) and
// for a product that is a whole number already, which no ordinary result is.
bool scaledRound(double v, int k, std::uint64_t* out)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int shift = 1075 - int(bits >> 52) - k; // −(E + k); v > 0, so no sign bit
    if (shift < 1 || shift > 127)
        return false;
    const Wide product = Wide(mantissa) * kPow5[std::size_t(k)];
    const Wide half = Wide(1) << (shift - 1);
    const Wide dropped = product & ((half << 1) - 1);
    if (dropped == half)
        return false;
    *out = std::uint64_t(product >> shift) + (dropped > half ? 1 : 0);
    return true;
}

// Hundredths of |value| (15 significant digits, halves away from zero) for
// 0.0049 <= |value| < 1e15, the range of every ordinary result; false when
// the fast path cannot decide.
bool fastHundredths(double v, std::uint64_t* hundredths)
{
    const int e = exponentOf(v);
    std::uint64_t s = 0; // the 15 significant digits
    if (!scaledRound(v, Digits - 1 - e, &s) || s < kPow10Int[Digits - 1] || s > kPow10Int[Digits])
        return false;
    if (e >= Digits - 3) {
        *hundredths = s * kPow10Int[e - (Digits - 3)];
        return true;
    }
    // Halves away from zero: s / d rounded up from d / 2 (d is even).
    const int j = Digits - 3 - e;
    *hundredths = divPow10(s + kPow10Int[std::size_t(j)] / 2, j);
    return true;
}

// The same for any finite value, as a string of decimal digits: the 15
// significant digits of the correctly rounded scientific form, cut at the
// hundredth with halves away from zero.
int slowHundredths(double v, char* out)
{
    char sci[32];
    const auto result =
        std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, Digits - 1);
    char digits[Digits];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, Digits - 1);
    int exponent = 0;
    std::from_chars(sci + Digits + 2 + (sci[Digits + 2] == '+' ? 1 : 0), result.ptr, exponent);
    const int kept = Digits + exponent - (Digits - 3); // digits up to the hundredth
    if (kept <= 0) {
        out[0] = kept == 0 && digits[0] >= '5' ? '1' : '0';
        return 1;
    }
    int length = 0;
    for (int i = 0; i < kept; ++i)
        out[length++] = i < Digits ? digits[i] : '0';
    if (kept < Digits && digits[kept] >= '5') {
        int i = length - 1;
        while (i >= 0 && out[i] == '9')
            out[i--] = '0';
        if (i >= 0) {
            ++out[i];
        } else {
            std::memmove(out + 1, out, std::size_t(length));
            out[0] = '1';
            ++length;
        }
    }
    return length;
}

// hundredths as "<integer part><point><two digits>".
int writeHundredths(std::uint64_t hundredths, char point, char* out)
{
    char* end = std::to_chars(out, out + 24, hundredths / 100).ptr;
    const auto cents = unsigned(hundredths % 100);
    end[0] = point;
    end[1] = char('0' + cents / 10);
    end[2] = char('0' + cents % 10);
    return int(end + 3 - out);
}

bool allZero(const char* digits, int length)
{
    for (int i = 0; i < length; ++i)
        if (digits[i] != '0')
            return false;
    return true;
}

} // namespace

Fixed2Format::Fixed2Format(QChar decimalPoint)
    : m_point(decimalPoint == QLatin1Char(',') ? ',' : '.'), m_pointChar(decimalPoint)
{
}

int Fixed2Format::write(double value, char* out) const
{
    if (!std::isfinite(value)) {
        const char* text = std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
        const int length = int(std::strlen(text));
        std::memcpy(out, text, std::size_t(length));
        return length;
    }
    const double magnitude = std::fabs(value);
    std::uint64_t hundredths = 0;
    if (magnitude < kZeroBelow)
        return writeHundredths(0, m_point, out);
    if (magnitude < 1e15 && fastHundredths(magnitude, &hundredths)) {
        const int sign = value < 0 && hundredths != 0 ? 1 : 0;
        out[0] = '-';
        return sign + writeHundredths(hundredths, m_point, out + sign);
    }
    return writeExact(value, out);
}

// The digits of slowHundredths, at least three of them, with the separator
// before the last two.
int Fixed2Format::writeExact(double value, char* out) const
{
    char digits[MaxChars];
    const int length = slowHundredths(std::fabs(value), digits);
    const int pad = length < 3 ? 3 - length : 0;
    int n = 0;
    if (value < 0 && !allZero(digits, length))
        out[n++] = '-';
    const int total = length + pad;
    for (int i = 0; i < total; ++i) {
        if (i == total - 2)
            out[n++] = m_point;
        out[n++] = i < pad ? '0' : digits[i - pad];
    }
    return n;
}

QString Fixed2Format::text(double value) const
{
    char buffer[MaxChars];
    const int length = write(value, buffer);
    QString result = QString::fromLatin1(buffer, length);
    if (m_pointChar != QLatin1Char('.') && m_pointChar != QLatin1Char(','))
        result.replace(QLatin1Char(m_point), m_pointChar);
    return result;
}

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

constexpr std::array<std::uint64_t, 20> kPow10Int = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// Below this every value rounds to 0.00, whatever its 15 digits.
constexpr double kZeroBelow = 0.0049;

// 10^e for e = -3 … 15, as near as a double gets. The doubles nearest to
// 10^-1, 10^-2 and 10^-3 lie above those powers, so no double falls between
// a power and its entry: comparing with the entry decides as the power would.
constexpr std::array<double, 19> kPowers = {1e-3, 1e-2, 1e-1, 1e0,  1e1, 1e2, 1e3,
                                            1e4,  1e5,  1e6,  1e7,  1e8, 1e9, 1e10,
                                            1e11, 1e12, 1e13, 1e14, 1e15};

// The decimal exponent e with 10^e <= v < 10^(e+1), for 0.0049 <= v < 1e15:
// floor(binary exponent · log10 2) (1233 / 4096 for log10 2) is the answer or
// one below it, which one comparison settles.
int exponentOf(double v)
{
    const int binary = int(std::bit_cast<std::uint64_t>(v) >> 52) - 1023;
    const int e = std::clamp((binary * 1233) >> 12, -3, 14);
    return v >= kPowers[std::size_t(e + 4)] ? e + 1 : e;
}

// A positive normal double is M × 2^E: M, the 52 stored bits under a leading
// one, is an integer below 2^53, and E is the stored exponent less 1075.
constexpr std::uint64_t kLeadingOne = std::uint64_t(1) << 52;

std::uint64_t mantissaOf(std::uint64_t bits)
{
    return (bits & (kLeadingOne - 1)) | kLeadingOne;
}

// Where the hundredths of a value of exponent e < 12 round up: for j = 12 − e,
// a fraction of v × 100 (as a 64-bit integer, 2^64 being one) of at least
// 2^64 × (1/2 − 1/(2 × 10^j)), rounded up since the fraction is a whole number.
constexpr std::array<std::uint64_t, 16> kRoundUpFrom = [] {
    std::array<std::uint64_t, 16> thresholds{};
    const std::uint64_t half = std::uint64_t(1) << 63;
    for (std::size_t j = 1; j < thresholds.size(); ++j)
        thresholds[j] = half - half / kPow10Int[j]; // 10^j never divides 2^63
    return thresholds;
}();

// Hundredths of 1e12 <= v < 1e15: its 15 significant digits
// s = round(v × 10^k), k = 14 − e <= 2, are whole hundredths times 10^(e−12).
// v × 10^k is M × 5^k (below 2^58) shifted right by −(E + k), so its rounding
// is read off the bits the shift drops. False on an exact tie.
bool largeHundredths(std::uint64_t bits, int e, std::uint64_t* hundredths)
{
    const int k = Digits - 1 - e;
    constexpr std::array<std::uint64_t, 3> kPow5 = {1, 5, 25};
    const std::uint64_t scaled = mantissaOf(bits) * kPow5[std::size_t(k)];
    const int shift = 1075 - int(bits >> 52) - k; // 3 … 11 here
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    const std::uint64_t dropped = scaled & (2 * half - 1);
    if (dropped == half)
        return false;
    const std::uint64_t s = (scaled >> shift) + (dropped > half ? 1 : 0);
    *hundredths = s * kPow10Int[std::size_t(e - (Digits - 3))];
    return true;
}

// Hundredths of |value| (15 significant digits, then halves away from zero)
// for 0.0049 <= |value| < 1e15, the range of every ordinary result, with
// integer arithmetic and no rounding error; false at an exact tie of the 15th
// digit, which the slow path rounds as the exact binary value demands.
//
// For e < 12 the 15 digits are s = round(v × 10^(14−e)) and the hundredths
// (s + d/2) div d with d = 10^j, j = 12 − e. Away from a tie s is
// floor(v × 10^(14−e) + 1/2), and the two roundings fold into one:
// floor(v × 100 + 1/2 + 1/(2d)), the whole part of v × 100 plus one when its
// fraction reaches 1/2 − 1/(2d). v × 100 is 25M (below 2^58) shifted right
// by −(E + 2), so the whole part and the fraction are bits of 25M. The 15th
// digit is a tie when v × 10^(14−e) = v × 100 × 5^j × 2^j has the fraction
// 1/2: as 5^j is odd, when the lowest one bit of 25M lies j + 1 places below
// the point of v × 100.
bool fastHundredths(double v, std::uint64_t* hundredths)
{
    const int e = exponentOf(v);
    const auto bits = std::bit_cast<std::uint64_t>(v);
    if (e >= Digits - 3)
        return largeHundredths(bits, e, hundredths);
    const std::uint64_t scaled = 25 * mantissaOf(bits);
    const int shift = 1073 - int(bits >> 52); // 11 … 58 here
    const int j = Digits - 3 - e;
    if (std::countr_zero(scaled) == shift - j - 1)
        return false;
    const std::uint64_t fraction = scaled << (64 - shift);
    *hundredths = (scaled >> shift) + (fraction >= kRoundUpFrom[std::size_t(j)] ? 1 : 0);
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

// "00", "01", … "99": two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = char('0' + i / 10);
        pairs[2 * i + 1] = char('0' + i % 10);
    }
    return pairs;
}();

// The number of decimal digits of n, 1 for 0.
int digitCount(std::uint64_t n)
{
    const int guess = (std::bit_width(n) * 1233) >> 12; // floor(log10 2^bits), never above
    return std::max(1, guess + (n >= kPow10Int[std::size_t(guess)] ? 1 : 0));
}

// hundredths as "<integer part><point><two digits>", written from the last digit back.
int writeHundredths(std::uint64_t hundredths, char point, char* out)
{
    std::uint64_t whole = hundredths / 100;
    const std::size_t cents = hundredths % 100;
    const int length = digitCount(whole);
    char* end = out + length;
    end[0] = point;
    std::memcpy(end + 1, &kDigitPairs[2 * cents], 2);
    char* p = end;
    for (; whole >= 100; whole /= 100) {
        p -= 2;
        std::memcpy(p, &kDigitPairs[2 * (whole % 100)], 2);
    }
    if (whole >= 10)
        std::memcpy(p - 2, &kDigitPairs[2 * whole], 2);
    else
        p[-1] = char('0' + whole);
    return length + 3;
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

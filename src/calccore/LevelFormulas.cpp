// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/LevelFormulas.h"

#include "calccore/CheckedMath.h"
#include "calccore/Dmexec.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kDivisionByZero = QStringLiteral("Деление на ноль");
const QString kComplexRoot = QStringLiteral("Комплексный корень");

constexpr auto mulReal = [](double x, double y) { return CheckedMath::mul(x, y); };

bool settled(double p)
{
    return p == 0.0 || !std::isfinite(p);
}

bool settled(int p)
{
    return p == 0;
}

// The product p × f × … × f with n factors f, multiplied one at a time.
// Once the running product can only change its sign (f = ±1, a zero, an
// infinity or a not-a-number), the rest is settled by the parity of what is left.
template <typename T, typename Mul> T repeatFactor(T p, T f, qint64 n, Mul mul)
{
    for (; n > 0; --n) {
        if (f == T(1) || f == T(-1) || settled(p))
            return n % 2 != 0 ? mul(p, f) : mul(mul(p, f), f);
        p = mul(p, f);
    }
    return p;
}

// read(i) × … for the levels a..b in increasing order, starting from 1.
// Level numbers up to 1 all address the first row; numbers beyond the last
// row read 0, after which the product stays a zero of the same sign.
template <typename T, typename Read, typename Mul>
[[gnu::always_inline]] inline T levelProduct(qint64 a, qint64 b, int rows, Read read, Mul mul)
{
    T p = T(1);
    if (a > b)
        return p;
    if (a < 1) {
        p = repeatFactor(p, read(1), std::min<qint64>(b, 1) - a + 1, mul);
        a = 2;
    }
    for (qint64 i = a; i <= b; ++i) {
        p = mul(p, read(static_cast<int>(i)));
        if (i > rows)
            break;
    }
    return p;
}

} // namespace

LevelFormulas::LevelFormulas(TdmExecute& workingSet, Report report)
    : m_dm(workingSet), m_report(std::move(report))
{
}

double LevelFormulas::fail(const QString& text)
{
    m_report(text);
    return 0.0;
}

[[gnu::always_inline]] inline double LevelFormulas::prodTskFlowDist(qint64 a, qint64 b)
{
    return levelProduct<double>(
        a, b, m_dm.levelCount(), [this](int i) { return m_dm.GetLvlTskFlowDist(i); }, mulReal);
}

[[gnu::always_inline]] inline double LevelFormulas::prodRTNodeAmount(qint64 a, qint64 b)
{
    return levelProduct<double>(
        a, b, m_dm.levelCount(), [this](int i) { return m_dm.GetRTLvlNodeAmount(i); }, mulReal);
}

[[gnu::always_inline]] inline int LevelFormulas::prodNodeAmount(qint64 a, qint64 b)
{
    const auto mul = [a, b](int x, int y) {
        return CheckedMath::mulInt(x, y, [a, b] {
            return QStringLiteral("произведение количества узлов уровней с %1 по %2").arg(a).arg(b);
        });
    };
    return levelProduct<int>(
        a, b, m_dm.levelCount(), [this](int i) { return m_dm.GetLvlNodeAmount(i); }, mul);
}

double LevelFormulas::ProdTskFlowDist(int a, int b)
{
    return prodTskFlowDist(a, b);
}

double LevelFormulas::ProdRTNodeAmount(int a, int b)
{
    return prodRTNodeAmount(a, b);
}

int LevelFormulas::ProdNodeAmount(int a, int b)
{
    return prodNodeAmount(a, b);
}

double LevelFormulas::CalcNodeAmount(int K)
{
    using namespace CheckedMath;
    const double m = m_dm.GetLvlTskDcsTime(K);
    const double t = mul(prodTskFlowDist(1, qint64(K) - 1), m);
    const double D = mul(prodRTNodeAmount(qint64(K) + 1, 3), t);
    if (!(D != 0.0)) // a denominator that is not a number counts as zero
        return fail(kDivisionByZero);
    const double A = div(double(m_dm.GetLvlTskFlowInt(1)), D);
    const int E = m_dm.GetLvlNodeCostUse(K);
    if (E == 0)
        return fail(kDivisionByZero);
    const double root = costRoot(m_dm.GetLvlNodeCostDelay(K), E);
    if (std::isnan(root))
        return fail(kComplexRoot);
    return mul(A, root);
}

// A sweep over other indicators asks for the same pair of costs at every
// point, and the division and the root are the slowest steps of the node
// count: the last pair's result is kept. Integers compare exactly, so a kept
// value is the one the computation would give.
double LevelFormulas::costRoot(int costDelay, int costUse)
{
    if (m_costRoot.costDelay == costDelay && m_costRoot.costUse == costUse)
        return m_costRoot.value;
    const double S = CheckedMath::div(double(costDelay), double(costUse));
    if (!(S >= 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    m_costRoot = {costDelay, costUse, CheckedMath::add(CheckedMath::sqrt(S), 1.0)};
    return m_costRoot.value;
}

double LevelFormulas::CalcNodePerformance(int K)
{
    using namespace CheckedMath;
    const qint64 lastFlowLevel = qint64(K) - 1;
    const double P = prodTskFlowDist(1, lastFlowLevel);
    const int N = prodNodeAmount(K, LastLevel);
    const double A = mul(double(N), P);
    if (!(A != 0.0))
        return fail(kDivisionByZero);
    const int lambda = m_dm.GetLvlTskFlowInt(1);
    const double B = div(double(lambda), A);
    const double c = m_dm.GetLvlNodeCostDelay_DcsInt(K);
    const double Pr = prodTskFlowDist(1, lastFlowLevel);
    const double D = mul(double(prodNodeAmount(K, LastLevel)), mul(Pr, c));
    if (!(D != 0.0))
        return fail(kDivisionByZero);
    const int costDelay = m_dm.GetLvlNodeCostDelay(K);
    const double num = mulInt(costDelay, m_dm.GetLvlTskFlowInt(1), [] {
        return QStringLiteral("произведение потерь при задержке на интенсивность потока задач");
    });
    const double S = div(num, D);
    if (!(S >= 0.0))
        return fail(kComplexRoot);
    return add(CheckedMath::sqrt(S), B);
}

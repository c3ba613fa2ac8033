#include "Rational.h"

#include <QHash>
#include <QLocale>

#include <cmath>
#include <limits>
#include <utility>

namespace {

// Binary GCD: no division, which costs most where the search reduces millions of fractions.
quint64 gcd64(quint64 a, quint64 b)
{
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    const int shift = __builtin_ctzll(a | b);
    a >>= __builtin_ctzll(a);
    do {
        b >>= __builtin_ctzll(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

__int128 gcd128(__int128 a, __int128 b)
{
    if (a < 0)
        a = -a;
    if (b < 0)
        b = -b;
    constexpr __int128 kMax64 = std::numeric_limits<qint64>::max();
    if (a <= kMax64 && b <= kMax64)
        return gcd64(quint64(a), quint64(b));
    while (b != 0) {
        const __int128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

} // namespace

Rational::Rational(qint64 num, qint64 den)
{
    *this = reduced(num, den);
}

Rational Rational::reduced(__int128 num, __int128 den)
{
    Rational r;
    if (den == 0)
        return r; // no value: zero, as a divider of zero gives nothing
    if (den < 0) {
        num = -num;
        den = -den;
    }
    constexpr __int128 kMax64 = std::numeric_limits<qint64>::max();
    if (num <= kMax64 && num >= -kMax64 && den <= kMax64) {
        // The usual case, in 64-bit arithmetic.
        const qint64 n = qint64(num);
        const qint64 d = qint64(den);
        const qint64 g = qint64(gcd64(quint64(n < 0 ? -n : n), quint64(d)));
        r.m_num = g > 1 ? n / g : n;
        r.m_den = g > 1 ? d / g : d;
        return r;
    }
    const __int128 g = gcd128(num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    // The clocks of a tree stay far inside 64 bits; an overflow would be a
    // fault of the caller, so it is pinned to the largest value rather than wrapped.
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    while (num > kMax || num < -kMax || den > kMax) {
        num /= 2;
        den /= 2;
        if (den == 0)
            den = 1;
    }
    r.m_num = qint64(num);
    r.m_den = qint64(den);
    return r;
}

Rational Rational::fromDecimal(double value)
{
    if (!std::isfinite(value))
        return Rational();
    Rational r;
    parse(QString::number(value, 'g', QLocale::FloatingPointShortest), &r);
    return r;
}

bool Rational::parse(const QString &input, Rational *out)
{
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    int exponent = 0;
    const int e = text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exponent = text.mid(e + 1).toInt(&ok);
        if (!ok || exponent > 12 || exponent < -12)
            return false;
        text.truncate(e);
    }
    const int point = text.indexOf(QLatin1Char('.'));
    QString digits = text;
    int decimals = 0;
    if (point >= 0) {
        digits = text.left(point) + text.mid(point + 1);
        decimals = text.size() - point - 1;
    }
    if (digits.isEmpty() || digits.size() > 18)
        return false;
    for (QChar ch : digits) {
        if (!ch.isDigit() || ch.unicode() > '9')
            return false;
    }
    __int128 num = digits.toLongLong();
    __int128 den = 1;
    decimals -= exponent;
    for (; decimals > 0; --decimals)
        den *= 10;
    for (; decimals < 0; ++decimals)
        num *= 10;
    *out = reduced(negative ? -num : num, den);
    return true;
}

QString Rational::text(int decimals) const
{
    // Exact when the denominator divides 10^decimals.
    __int128 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    __int128 scaled = __int128(m_num) * scale;
    const bool exact = scaled % m_den == 0;
    __int128 q = scaled / m_den;
    if (!exact) {
        // Round half away from zero on the remainder.
        const __int128 rem = scaled % m_den;
        if ((rem < 0 ? -rem : rem) * 2 >= m_den)
            q += scaled < 0 ? -1 : 1;
    }
    const bool negative = q < 0;
    if (negative)
        q = -q;
    // q may pass 64 bits (a large value with many decimals): its digits one by one.
    QString digits;
    do {
        digits.prepend(QLatin1Char(char('0' + int(q % 10))));
        q /= 10;
    } while (q > 0);
    while (digits.size() <= decimals)
        digits.prepend(QLatin1Char('0'));
    QString whole = digits.left(digits.size() - decimals);
    QString fraction = digits.mid(digits.size() - decimals);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString out = whole + (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
    if (negative && out != QLatin1String("0"))
        out.prepend(QLatin1Char('-'));
    return out;
}

Rational operator+(const Rational &a, const Rational &b)
{
    return Rational::reduced(__int128(a.m_num) * b.m_den + __int128(b.m_num) * a.m_den,
                             __int128(a.m_den) * b.m_den);
}

Rational operator-(const Rational &a, const Rational &b)
{
    return Rational::reduced(__int128(a.m_num) * b.m_den - __int128(b.m_num) * a.m_den,
                             __int128(a.m_den) * b.m_den);
}

Rational operator*(const Rational &a, const Rational &b)
{
    return Rational::reduced(__int128(a.m_num) * b.m_num, __int128(a.m_den) * b.m_den);
}

Rational operator/(const Rational &a, const Rational &b)
{
    return Rational::reduced(__int128(a.m_num) * b.m_den, __int128(a.m_den) * b.m_num);
}

bool operator<(const Rational &a, const Rational &b)
{
    return __int128(a.m_num) * b.m_den < __int128(b.m_num) * a.m_den;
}

uint qHash(const Rational &value, uint seed)
{
    return qHash(qMakePair(value.num(), value.den()), seed);
}

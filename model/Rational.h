#pragma once

#include <QString>
#include <QtGlobal>

// An exact frequency (or any exact ratio): numerator over a positive
// denominator, always reduced. The clocks of a tree are the crystal and
// fixed oscillators times ratios of small integers, so they are compared as
// rationals, never as doubles.
class Rational {
public:
    Rational() = default;
    Rational(qint64 whole) : m_num(whole) {} // NOLINT: a whole number is a rational
    Rational(qint64 num, qint64 den);

    // The decimal a double stands for as written in its shortest form
    // (8.0 -> 8, 12.288 -> 12288/1000); 0 for NaN or infinities.
    static Rational fromDecimal(double value);
    // A decimal text ("48", "0.032768", "-1.5"); false for anything else.
    static bool parse(const QString &text, Rational *out);

    qint64 num() const { return m_num; }
    qint64 den() const { return m_den; }
    bool isZero() const { return m_num == 0; }
    double toDouble() const { return double(m_num) / double(m_den); }
    // Exact decimal where the value has one with at most `decimals` places,
    // else rounded to that many places (trailing zeros dropped either way).
    QString text(int decimals = 6) const;

    friend Rational operator+(const Rational &a, const Rational &b);
    friend Rational operator-(const Rational &a, const Rational &b);
    friend Rational operator*(const Rational &a, const Rational &b);
    friend Rational operator/(const Rational &a, const Rational &b); // b must not be zero
    Rational abs() const { return m_num < 0 ? Rational(-m_num, m_den) : *this; }

    friend bool operator==(const Rational &a, const Rational &b)
    {
        return a.m_num == b.m_num && a.m_den == b.m_den;
    }
    friend bool operator!=(const Rational &a, const Rational &b) { return !(a == b); }
    friend bool operator<(const Rational &a, const Rational &b);
    friend bool operator>(const Rational &a, const Rational &b) { return b < a; }
    friend bool operator<=(const Rational &a, const Rational &b) { return !(b < a); }
    friend bool operator>=(const Rational &a, const Rational &b) { return !(a < b); }

private:
    static Rational reduced(__int128 num, __int128 den);

    qint64 m_num = 0;
    qint64 m_den = 1;
};

uint qHash(const Rational &value, uint seed = 0);

#pragma once

#include "ClockConfig.h"

#include <QStringList>
#include <cmath>

// Clock records written as text, "sclkSource=1 pllMult=18": a test row states
// its set-up or its expectation in one column instead of one column per field.
namespace RecordFields {

// Sets each named field through the record's own reflection. False, with the
// offending item in *bad, for an unknown name or an unconvertible value.
inline bool apply(ClockConfig &c, const QString &fields, QString *bad = nullptr)
{
    for (const QString &item : fields.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0 || !c.setFieldValue(item.left(eq), item.mid(eq + 1))) {
            if (bad)
                *bad = item;
            return false;
        }
    }
    return true;
}

// The expected fields that differ from c, as "name=actual (want expected)";
// empty when every one agrees. Doubles agree within 1e-9.
inline QString mismatches(const ClockConfig &c, const QString &expected)
{
    QStringList out;
    const auto values = c.fieldValues();
    for (const QString &item : expected.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString name = item.section(QLatin1Char('='), 0, 0);
        const QString want = item.section(QLatin1Char('='), 1);
        QVariant actual;
        for (const auto &field : values) {
            if (field.first == name)
                actual = field.second;
        }
        bool same = false;
        if (actual.type() == QVariant::Double)
            same = std::fabs(actual.toDouble() - want.toDouble()) < 1e-9;
        else if (actual.type() == QVariant::Bool)
            same = actual.toBool() == (want == QLatin1String("true") || want == QLatin1String("1"));
        else if (actual.isValid())
            same = actual.toString() == want;
        if (!same)
            out << QStringLiteral("%1=%2 (want %3)").arg(name, actual.toString(), want);
    }
    return out.join(QLatin1Char(' '));
}

} // namespace RecordFields

// Declares the ClockConfig `name` of `series` with `fields` set; a bad item
// fails the test.
#define TF_RECORD(name, series, fields)                                                                      \
    ClockConfig name(series);                                                                                \
    do {                                                                                                     \
        QString bad_;                                                                                        \
        QVERIFY2(RecordFields::apply(name, fields, &bad_), qPrintable(bad_));                                \
    } while (0)

// Fails the test when a field of `record` differs from the text `expected`.
#define TF_VERIFY_FIELDS(record, expected)                                                                   \
    do {                                                                                                     \
        const QString mismatch_ = RecordFields::mismatches(record, expected);                                \
        QVERIFY2(mismatch_.isEmpty(), qPrintable(mismatch_));                                                \
    } while (0)

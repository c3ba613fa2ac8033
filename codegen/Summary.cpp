#include "Summary.h"

#include "ClockConfig.h"
#include "Markers.h"
#include "NameTables.h"
#include "SeriesRules.h"

#include <QStringList>

namespace Summary {

namespace {

// Formats mhz with the given decimals and reads the digits back as an
// integer, so the scaling never loses a unit to binary rounding.
qint64 scaledDigits(double mhz, int decimals)
{
    QString fixed = QString::number(mhz, 'f', decimals);
    fixed.remove(QLatin1Char('.'));
    bool ok = false;
    const qint64 value = fixed.toLongLong(&ok);
    return ok ? value : 0;
}

QString line(const QString &label, const QString &value)
{
    return QStringLiteral("  *         - ") + label.leftJustified(20) + QStringLiteral("= ") + value +
           QLatin1Char('\n');
}

QString line(const QString &label, qint64 value)
{
    return line(label, QString::number(value));
}

QString pllDerivation(const ClockConfig &c, bool flexible)
{
    const SeriesParams &p = SeriesRules::of(c.seriesId);
    QString input;
    QString source = QStringLiteral("pll (hext)");
    if (c.pllSourceHick) {
        input = QStringLiteral("hick / ") + QString::number(p.hickToPllDiv);
        source = QStringLiteral("pll (hick)");
    } else if (c.pllInUse() && p.hasHextPllDivPath() && c.hextDivEnabled) {
        input = QStringLiteral("hext / ") + QString::number(c.hextDivValue);
    } else {
        input = QStringLiteral("hext");
    }
    const QString clock =
        flexible ? QString(QLatin1Char('(') + input + QStringLiteral(" * pll_ns)/(pll_ms * pll_fr)"))
                 : QString(input + QStringLiteral(" * pll_mult"));
    return line(QStringLiteral("system clock"), clock) + line(QStringLiteral("system clock source"), source);
}

QString derivation(const ClockConfig &c, bool flexible)
{
    switch (c.sclkSource) {
    case ClockConfig::SclkPll:
        return pllDerivation(c, flexible);
    case ClockConfig::SclkHick: {
        const bool at48 = c.hickSclk48 == 1 && !SeriesRules::of(c.seriesId).hickSclkUndivided;
        return line(QStringLiteral("system clock"),
                    at48 ? QStringLiteral("(hick 48)") : QStringLiteral("(hick 8)")) +
               line(QStringLiteral("system clock source"), QStringLiteral("hick"));
    }
    case ClockConfig::SclkHext:
        return line(QStringLiteral("system clock"), QStringLiteral("(hext)")) +
               line(QStringLiteral("system clock source"), QStringLiteral("hext"));
    default:
        return QString();
    }
}

QString pllLines(const ClockConfig &c, bool flexible)
{
    if (!c.pllInUse())
        return QString();
    if (flexible)
        return line(QStringLiteral("pll_ns"), c.pllNs) + line(QStringLiteral("pll_ms"), c.pllMs) +
               line(QStringLiteral("pll_fr"), c.pllFr);
    QString out = line(QStringLiteral("pll_mult"), c.pllMult);
    if (SeriesRules::of(c.seriesId).pllKind != PllKind::Selectable) {
        out += line(QStringLiteral("pll_range"),
                    c.pllMHz > 72.0 ? QStringLiteral("GT72MHZ (greater than 72 mhz)")
                                    : QStringLiteral("LE72MHZ (less than 72 mhz or equal to 72 mhz)"));
    }
    return out;
}

} // namespace

qint64 hextHertz(double mhz)
{
    return scaledDigits(mhz, 6);
}

qint64 busHertz(double mhz)
{
    return scaledDigits(mhz, 3) * 1000;
}

QString text(const ClockConfig &c)
{
    const bool flexible = c.flexiblePllActive();
    QString out = QStringLiteral("* @brief  system clock config program\n"
                                 "  * @note   the system clock is configured as follow:\n");
    out += derivation(c, flexible);
    if (c.hextNeeded())
        out += line(QStringLiteral("hext"), hextHertz(c.hextMHz));
    out += line(QStringLiteral("sclk"), busHertz(c.sclkMHz));
    out += line(QStringLiteral("ahbdiv"), c.ahbDiv);
    out += line(QStringLiteral("ahbclk"), busHertz(c.ahbMHz));
    out += line(QStringLiteral("apb1div"), c.apb1Div);
    out += line(QStringLiteral("apb1clk"), busHertz(c.apb1MHz));
    out += line(QStringLiteral("apb2div"), c.apb2Div);
    out += line(QStringLiteral("apb2clk"), busHertz(c.apb2MHz));
    out += pllLines(c, flexible);
    if (!flexible && SeriesRules::of(c.seriesId).pllKind == PllKind::Selectable) {
        out += line(QStringLiteral("flash_wtcyc"),
                    QString::number(NameTables::flashWaitCycles(c.sclkMHz)) + QStringLiteral(" cycle"));
    }
    out += QStringLiteral("  * @param  none\n  * @retval none");
    return out;
}

bool apply(QString &clockSource, const ClockConfig &config)
{
    const QString comment = text(config);
    return Markers::replaceEach(clockSource,
                                Markers::classic(QStringLiteral(
                                    "\\* @brief  system clock config program(.+)\\* @retval none")),
                                [&](const QRegularExpressionMatch &) -> QString { return comment; }) > 0;
}

} // namespace Summary

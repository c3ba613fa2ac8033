#include "CliShared.h"

#include "ClockConfig.h"
#include "PllCandidates.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

// solve: the PLL the program chooses for a typed system clock.

using namespace CliOut;

namespace {

bool readMHz(const CommandLine &line, const QString &option, double &value)
{
    if (!line.values.contains(option)) {
        errLine(QStringLiteral("solve needs %1 MHZ").arg(option));
        return false;
    }
    bool ok = false;
    value = line.values.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        errLine(QStringLiteral("%1: \"%2\" is no number").arg(option, line.values.value(option)));
        return false;
    }
    return true;
}

// The factory state of the series with the PLL feeding the system clock
// (and USB, where the series has it), as the program holds it when the user
// types a system clock; the entry checks of the two values. Returns the status.
int solveInput(const CommandLine &line, const SeriesParams &row, ClockConfig &config)
{
    double hext = 0.0;
    double sclk = 0.0;
    if (!readMHz(line, QStringLiteral("--hext"), hext) || !readMHz(line, QStringLiteral("--sclk"), sclk))
        return CliUsage;
    const bool normal = line.flags.contains(QStringLiteral("--normal"));
    if (normal && row.pllKind != PllKind::Selectable) {
        errLine(QStringLiteral("--normal applies only to series with a selectable PLL mode"));
        return CliUsage;
    }
    if (line.flags.contains(QStringLiteral("--usb48")) && line.flags.contains(QStringLiteral("--explain"))) {
        // The explanation ranks by nearness alone, which is not how --usb48 chooses.
        errLine(QStringLiteral("--explain and --usb48 cannot be combined"));
        return CliUsage;
    }
    if (line.flags.contains(QStringLiteral("--usb48")) && !row.hasUsb()) {
        errLine(QStringLiteral("--usb48: %1 has no USB clock").arg(row.seriesName()));
        return CliUsage;
    }
    const bool fromHick = line.flags.contains(QStringLiteral("--hick"));
    config.resetDefaults();
    config.hextMHz = hext;
    config.pllSourceHick = fromHick ? 1 : 0;
    config.hextDivEnabled = 0;
    config.pllFlexible = row.pllKind == PllKind::Flexible || (row.pllKind == PllKind::Selectable && !normal);
    if (row.factoryPllMult > 0)
        config.pllMult = row.factoryPllMult;
    if (row.factoryPllMs > 0) {
        config.pllMs = row.factoryPllMs;
        config.pllNs = row.factoryPllNs;
        config.pllFr = row.factoryPllFr;
    }
    if (row.hasUsb()) {
        config.usbDisabled = 0;
        config.usbSourceHick48 = 0;
        config.usbDiv = row.factoryUsbDiv;
    }
    config.sclkSource = ClockConfig::SclkPll;

    if (!fromHick && (hext < 4.0 || hext > 25.0)) {
        errLine(QCoreApplication::translate(ClockRules::kTranslationContext, "hext input error!"));
        return CliUsage;
    }
    if (!row.sclkEntryAccepted(sclk)) {
        errLine(QCoreApplication::translate(ClockRules::kTranslationContext, "sclk input error!"));
        return CliUsage;
    }
    config.sclkMHz = sclk;
    return CliDone;
}

QString rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return QString::number(std::round(value * scale) / scale, 'g', QLocale::FloatingPointShortest);
}

bool sameFactors(const PllCandidates::Candidate &k, const ClockConfig &c)
{
    return k.mult > 0 ? k.mult == c.pllMult : k.ms == c.pllMs && k.ns == c.pllNs && k.fr == c.pllFr;
}

struct Explained {
    QVector<PllCandidates::Candidate> shown; // the chosen first, then the nearest others
    int total = 0;
    int tied = 0; // other sets as near as the chosen one
};

Explained explain(const ClockConfig &before, const ClockConfig &chosen, double target, int top)
{
    Explained e;
    QVector<PllCandidates::Candidate> all = PllCandidates::enumerate(before, target);
    e.total = all.size();
    all = PllCandidates::ranked(all);
    for (const PllCandidates::Candidate &k : all) {
        if (sameFactors(k, chosen))
            e.shown.prepend(k);
        else if (e.shown.size() < top + 1)
            e.shown.append(k);
    }
    for (const PllCandidates::Candidate &k : all)
        e.tied += !sameFactors(k, chosen) && k.errorMHz == e.shown.first().errorMHz ? 1 : 0;
    e.shown.resize(qMin(e.shown.size(), top));
    return e;
}

QString reasonText(const Explained &e, bool flexible)
{
    if (!flexible)
        return QStringLiteral("the multiplier is the target over the PLL input, both in whole kHz, rounded "
                              "to the nearest whole number");
    if (e.tied == 0)
        return QStringLiteral("no other factor set comes as near to the target");
    return QStringLiteral("%1 other factor set(s) come as near; the search keeps the first it meets "
                          "(fr from 32 down to 1, then ms upwards, then ns upwards)")
        .arg(e.tied);
}

Fields candidateFields(const PllCandidates::Candidate &k, const ClockConfig &before, double target,
                       bool chosen)
{
    const SeriesParams &row = *before.params();
    Fields f{{QStringLiteral("chosen"), chosen}};
    if (k.mult > 0)
        f << qMakePair(QStringLiteral("pllMult"), QVariant(k.mult));
    else
        f << qMakePair(QStringLiteral("pllMs"), QVariant(k.ms))
          << qMakePair(QStringLiteral("pllNs"), QVariant(k.ns))
          << qMakePair(QStringLiteral("pllFr"), QVariant(k.fr));
    f << qMakePair(QStringLiteral("sclkMHz"), QVariant(rounded(k.pllMHz, 6).toDouble()))
      << qMakePair(QStringLiteral("errorKHz"), QVariant(rounded(k.errorMHz * 1000.0, 3).toDouble()))
      << qMakePair(QStringLiteral("errorPpm"), QVariant(rounded(k.errorMHz / target * 1e6, 1).toDouble()))
      << qMakePair(QStringLiteral("refMHz"), QVariant(rounded(k.refMHz, 6).toDouble()))
      << qMakePair(QStringLiteral("oscillator"),
                   QVariant(before.pllSourceHick ? QStringLiteral("HICK") : QStringLiteral("HEXT")));
    if (row.hasUsb()) {
        const double div = PllCandidates::usbDividerFor(row, k.pllMHz, before.usbDiv);
        f << qMakePair(QStringLiteral("usbDiv"), QVariant(div))
          << qMakePair(QStringLiteral("usbMHz"), QVariant(rounded(k.pllMHz / div, 6).toDouble()));
    }
    return f;
}

// The explanation after the chosen factors: text lines, or JSON members.
QStringList explanation(const ClockConfig &before, const ClockConfig &chosen, double target, int top,
                        bool json)
{
    const Explained e = explain(before, chosen, target, top);
    const QString reason = reasonText(e, before.flexiblePllActive());
    QStringList lines;
    if (!json)
        lines << QStringLiteral("candidates %1 of %2, chosen first, then nearest to %3 MHz")
                     .arg(e.shown.size())
                     .arg(e.total)
                     .arg(numberText(target));
    QStringList items;
    for (int i = 0; i < e.shown.size(); ++i) {
        const Fields f = candidateFields(e.shown.at(i), before, target, i == 0);
        QStringList parts;
        for (int j = 1; j < f.size(); ++j)
            parts << (json ? QString(QLatin1Char('"') + f.at(j).first + QStringLiteral("\": ") +
                                     jsonValue(f.at(j).second))
                           : QString(f.at(j).first + QLatin1Char(' ') + numberText(f.at(j).second)));
        if (json)
            items << QStringLiteral("    {\"chosen\": %1, %2}")
                         .arg(jsonValue(i == 0), parts.join(QStringLiteral(", ")));
        else
            lines << (i == 0 ? QStringLiteral("* ") : QStringLiteral("  ")) + parts.join(QLatin1Char(' '));
    }
    if (json)
        return {QStringLiteral("  \"candidates\": [\n") + items.join(QStringLiteral(",\n")) +
                    QStringLiteral("\n  ]"),
                QStringLiteral("  \"reason\": ") + jsonValue(reason)};
    return lines << QStringLiteral("chosen: ") + reason;
}

} // namespace

int commandSolve(const CommandLine &line)
{
    const SeriesParams *row = SeriesTable::byName(line.positionals.first());
    if (!row) {
        errLine(QStringLiteral("unknown series \"%1\"").arg(line.positionals.first()));
        return CliUsage;
    }
    int top = 5;
    if (line.values.contains(QStringLiteral("--top"))) {
        bool ok = false;
        top = line.values.value(QStringLiteral("--top")).toInt(&ok);
        if (!ok || top < 1) {
            errLine(QStringLiteral("--top: \"%1\" is no positive count").arg(line.values.value("--top")));
            return CliUsage;
        }
    }
    ClockConfig config(row->id);
    const int status = solveInput(line, *row, config);
    if (status != CliDone)
        return status;
    const ClockConfig before = config;
    const double target = config.sclkMHz;

    if (line.flags.contains(QStringLiteral("--usb48"))) {
        PllCandidates::Candidate found;
        double usbDiv = 0.0;
        if (!PllCandidates::nearestWithUsb48(before, target, &found, &usbDiv)) {
            errLine(QStringLiteral("no PLL factors give USB exactly 48 MHz from a %1 MHz PLL input")
                        .arg(numberText(before.pllInputMHz())));
            return CliNoSolution;
        }
        config.pllMs = found.ms > 0 ? found.ms : config.pllMs;
        config.pllNs = found.ns > 0 ? found.ns : config.pllNs;
        config.pllFr = found.fr > 0 ? found.fr : config.pllFr;
        config.pllMult = found.mult > 0 ? found.mult : config.pllMult;
        config.usbDiv = usbDiv;
        config.recompute();
    } else {
        config.applyTypedSclk();
    }

    Fields fields = {{QStringLiteral("pllMs"), config.pllMs},   {QStringLiteral("pllNs"), config.pllNs},
                     {QStringLiteral("pllFr"), config.pllFr},   {QStringLiteral("pllMult"), config.pllMult},
                     {QStringLiteral("pllMHz"), config.pllMHz}, {QStringLiteral("sclkMHz"), config.sclkMHz},
                     {QStringLiteral("usbDiv"), config.usbDiv}};
    if (line.flags.contains(QStringLiteral("--usb48")))
        fields.append({QStringLiteral("usbMHz"), config.usbMHz});
    if (config.pllFlexible)
        fields.append({QStringLiteral("CRM_PLLCFG"), config.pllcfgText()});
    const bool json = line.flags.contains(QStringLiteral("--json"));
    if (json)
        fields.prepend({QStringLiteral("series"), row->seriesName()});
    const bool explaining = line.flags.contains(QStringLiteral("--explain"));
    const QStringList more = explaining ? explanation(before, config, target, top, json) : QStringList();
    printFields(fields, json, json ? more : QStringList());
    if (!json) {
        for (const QString &text : more)
            outLine(text);
    }
    return CliDone;
}

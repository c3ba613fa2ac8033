#include "CliCommands.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "PllCandidates.h"
#include "SeriesTable.h"

#include <QFileInfo>
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
    config = PllCandidates::typedSclkRecord(row, hext, fromHick, normal);

    if (!fromHick && !ClockRules::hextAccepted(hext)) {
        errLine(ClockRules::translated("hext input error!"));
        return CliUsage;
    }
    if (!row.sclkEntryAccepted(sclk)) {
        errLine(ClockRules::translated("sclk input error!"));
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
    const PllCandidates::Explanation e = PllCandidates::explain(before, chosen, target, top);
    const QString reason = e.reason;
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
    // A design file rather than a series: solved for its wants.
    if (!row && (!line.lists.value(QStringLiteral("--want")).isEmpty() ||
                 QFileInfo::exists(line.positionals.first())))
        return commandSolveDesign(line);
    if (!row) {
        errLine(QStringLiteral("unknown series \"%1\"").arg(line.positionals.first()));
        return CliUsage;
    }
    for (const QString &option : {QStringLiteral("--want"), QStringLiteral("--keep"), QStringLiteral("-o")}) {
        if (line.values.contains(option)) {
            errLine(QStringLiteral("%1 belongs to \"solve FILE\"; a series takes --hext and --sclk").arg(option));
            return CliUsage;
        }
    }
    if (line.flags.contains(QStringLiteral("--apply")) || line.flags.contains(QStringLiteral("--overwrite"))) {
        errLine(QStringLiteral("--apply belongs to \"solve FILE\""));
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

    const bool usb48 = line.flags.contains(QStringLiteral("--usb48"));
    if (usb48) {
        PllCandidates::Candidate found;
        if (!PllCandidates::nearestWithUsb48(before, target, &found, &config)) {
            errLine(
                QStringLiteral("no PLL factors give USB exactly 48 MHz from a %1 MHz PLL input within the "
                               "limits of %2")
                    .arg(numberText(before.pllInputMHz()), row->seriesName()));
            return CliNoSolution;
        }
    } else {
        config.applyTypedSclk();
    }

    Fields fields = PllCandidates::answerFields(config, usb48);
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

#include "DesignReport.h"

#include "ClockPaths.h"
#include "ControlTable.h"
#include "DesignDocument.h"
#include "DesignFile.h"
#include "Presentation.h"
#include "ReviewClocks.h"
#include "SeriesTable.h"
#include "Summary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace DesignReport {

namespace {

QString reportText(const char *source)
{
    return QCoreApplication::translate("DesignReport", source);
}

// One table: a header and rows of cells, written as either format.
struct Table {
    QStringList header;
    QVector<QStringList> rows;
};

QString escapeMarkdown(QString text)
{
    return text.replace(QLatin1Char('|'), QStringLiteral("\\|"));
}

QString markdownRow(const QStringList &cells)
{
    QStringList escaped;
    for (const QString &cell : cells)
        escaped << escapeMarkdown(cell);
    return QStringLiteral("| ") + escaped.join(QStringLiteral(" | ")) + QStringLiteral(" |");
}

QString markdownTable(const Table &table)
{
    QStringList lines{markdownRow(table.header)};
    QStringList rule;
    for (int i = 0; i < table.header.size(); ++i)
        rule << QStringLiteral("---");
    lines << QStringLiteral("|") + rule.join(QLatin1Char('|')) + QStringLiteral("|");
    for (const QStringList &row : table.rows)
        lines << markdownRow(row);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString htmlTable(const Table &table)
{
    QString html = QStringLiteral("<table>\n<tr>");
    for (const QString &cell : table.header)
        html += QStringLiteral("<th>") + cell.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n");
    for (const QStringList &row : table.rows) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : row)
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QString withUnit(double value, const ReviewClocks::Clock &clock)
{
    return ClockPaths::number(value) + QLatin1Char(' ') + clock.unit();
}

QString limitCell(const ReviewClocks::Clock &clock)
{
    if (clock.exact)
        return reportText(QT_TRANSLATE_NOOP("DesignReport", "exactly %1")).arg(withUnit(clock.limit, clock));
    if (clock.minimum > 0)
        return ClockPaths::number(clock.minimum) + QStringLiteral("..") + withUnit(clock.limit, clock);
    return clock.limit > 0 ? withUnit(clock.limit, clock) : reportText(QT_TRANSLATE_NOOP("DesignReport", "none"));
}

// How far the clock is from its bound: what is left, or how far it is out.
QString marginCell(const ReviewClocks::Clock &clock)
{
    if (!clock.hasLimit())
        return QString();
    if (clock.exact)
        return clock.within ? withUnit(0, clock)
                            : reportText(QT_TRANSLATE_NOOP("DesignReport", "off by %1"))
                                  .arg(withUnit(qAbs(clock.limit - clock.value), clock));
    if (clock.minimum > 0 && clock.value < clock.minimum)
        return reportText(QT_TRANSLATE_NOOP("DesignReport", "under by %1"))
            .arg(withUnit(clock.minimum - clock.value, clock));
    if (clock.value > clock.limit)
        return reportText(QT_TRANSLATE_NOOP("DesignReport", "over by %1"))
            .arg(withUnit(clock.value - clock.limit, clock));
    return withUnit(clock.limit - clock.value, clock);
}

QStringList clockCells(const ClockConfig &record, const ReviewClocks::Clock &clock)
{
    if (!clock.running)
        return {clock.name, reportText(QT_TRANSLATE_NOOP("DesignReport", "off")), QString(), QString(), QString()};
    return {clock.name, withUnit(clock.value, clock), limitCell(clock), marginCell(clock),
            ClockPaths::pathOf(record, clock.name)};
}

Table clockTable(const DesignDocument &document)
{
    Table table{{reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock")), reportText(QT_TRANSLATE_NOOP("DesignReport", "Value")), reportText(QT_TRANSLATE_NOOP("DesignReport", "Limit")), reportText(QT_TRANSLATE_NOOP("DesignReport", "Margin")), reportText(QT_TRANSLATE_NOOP("DesignReport", "Path"))}, {}};
    for (const ReviewClocks::Clock &clock : ReviewClocks::clocksOf(document.record()))
        table.rows.append(clockCells(document.record(), clock));
    return table;
}

// The inputs of the radio groups drawn without captions, in radio order:
// what the checked radio of each selects.
QString radioInput(const QString &group, int index)
{
    static const QHash<QString, QStringList> inputs{
        {QStringLiteral("rtcsel"), {QStringLiteral("LICK"), QStringLiteral("LEXT"), QStringLiteral("HEXT")}},
        {QStringLiteral("sclkselect"), {QStringLiteral("HEXT"), QStringLiteral("PLL"), QStringLiteral("HICK")}},
        {QStringLiteral("pllrcs"), {QStringLiteral("HEXT"), QStringLiteral("HICK")}},
        {QStringLiteral("pllhextdiv"), {QStringLiteral("HEXT"), QStringLiteral("HEXT /")}},
        {QStringLiteral("hicktousb"), {QStringLiteral("PLL"), QStringLiteral("HICK 48 MHz")}},
        {QStringLiteral("hicktosclk"), {QStringLiteral("HICK / 6"), QStringLiteral("HICK")}}};
    return inputs.value(group).value(index);
}

// What a control shows: its text, or for a radio drawn without a caption
// (the presentation names it by its index) the input its checked radio selects.
QString shownChoice(const ControlPresentation &shown)
{
    const QString text = shown.text.trimmed();
    const QString index = QString::number(shown.current);
    const bool uncaptioned = text == index || text == shown.name + QLatin1Char('.') + index;
    if (shown.role != ControlRole::Radio || !uncaptioned)
        return text;
    const QString input = radioInput(shown.name, shown.current);
    return input.isEmpty() ? text : QStringLiteral("(\u2022) ") + input;
}

// Every stored setting with its control as the window shows it (the
// presentation: its caption and the text, item or radio it shows).
Table settingsTable(const DesignDocument &document)
{
    Table table{{reportText(QT_TRANSLATE_NOOP("DesignReport", "Setting")),
                 reportText(QT_TRANSLATE_NOOP("DesignReport", "Control")),
                 reportText(QT_TRANSLATE_NOOP("DesignReport", "Stored")),
                 reportText(QT_TRANSLATE_NOOP("DesignReport", "Shown"))},
                {}};
    const QString series = document.series().seriesName();
    TreePresentation presentation;
    presentation.update(document);
    for (const QString &element : DesignFile::elementNames(series)) {
        if (element == QLatin1String("MCU"))
            continue;
        const ControlPresentation *shown = nullptr;
        for (const ControlTable::Row &row : ControlTable::rows()) {
            if (QLatin1String(row.element) == element)
                shown = presentation.find(QLatin1String(row.name));
            if (shown)
                break;
        }
        table.rows.append({element, shown ? shown->caption : QString(),
                           DesignFile::elementText(document.record(), series, element),
                           shown ? shownChoice(*shown) : QString()});
    }
    return table;
}

QStringList findingLines(const ClockRules::Findings &findings)
{
    QStringList lines;
    for (const ClockRules::Finding &f : findings) {
        const QString text = f.text(ClockRules::translated);
        lines << (f.isRefusal() ? reportText(QT_TRANSLATE_NOOP("DesignReport", "Refused: %1"))
                                : reportText(QT_TRANSLATE_NOOP("DesignReport", "Warning: %1")))
                     .arg(text);
    }
    if (lines.isEmpty())
        lines << reportText(QT_TRANSLATE_NOOP("DesignReport", "None: the design can be saved and generated as it is."));
    return lines;
}

bool refused(const ClockRules::Findings &findings)
{
    for (const ClockRules::Finding &f : findings) {
        if (f.isRefusal())
            return true;
    }
    return false;
}

// The comment the generator would write, or why it writes nothing.
QString summaryText(const Input &input)
{
    if (refused(input.findings))
        return reportText(QT_TRANSLATE_NOOP("DesignReport", "The checks refuse this design: no files are generated."));
    return Summary::text(ClockRules::judge(input.document->record()).record);
}

struct Page {
    QString title;
    QStringList facts; // "Series: QXC330", "File: a.TFCC"
    Table clocks;
    Table settings;
    QStringList findings;
    QString summary;
    bool summaryIsCode = true;
};

Page pageOf(const Input &input)
{
    const DesignDocument &document = *input.document;
    Page page;
    page.title = reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock design report"));
    page.facts << reportText(QT_TRANSLATE_NOOP("DesignReport", "Series: %1")).arg(document.series().seriesName())
               << reportText(QT_TRANSLATE_NOOP("DesignReport", "File: %1")).arg(QFileInfo(input.fileName).fileName());
    page.clocks = clockTable(document);
    page.settings = settingsTable(document);
    page.findings = findingLines(input.findings);
    page.summaryIsCode = !refused(input.findings);
    page.summary = summaryText(input);
    return page;
}

QString markdown(const Input &input, const Page &page)
{
    QString md = QStringLiteral("# ") + page.title + QStringLiteral("\n\n");
    for (const QString &fact : page.facts)
        md += QStringLiteral("- ") + fact + QLatin1Char('\n');
    md += QStringLiteral("\n## ") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Clocks")) + QStringLiteral("\n\n") + markdownTable(page.clocks);
    md += QStringLiteral("\n## ") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Settings")) + QStringLiteral("\n\n") + markdownTable(page.settings);
    md += QStringLiteral("\n## ") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Findings of the checks before saving")) + QStringLiteral("\n\n");
    for (const QString &line : page.findings)
        md += QStringLiteral("- ") + line + QLatin1Char('\n');
    md += QStringLiteral("\n## ") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock summary of the generated files")) + QStringLiteral("\n\n");
    md += page.summaryIsCode ? QString(QStringLiteral("```\n") + page.summary + QStringLiteral("\n```\n"))
                             : QString(page.summary + QLatin1Char('\n'));
    if (!input.drawingFile.isEmpty())
        md += QStringLiteral("\n## ") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Drawing")) + QStringLiteral("\n\n![") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock tree")) +
              QStringLiteral("](") + input.drawingFile + QStringLiteral(")\n");
    return md;
}

QString html(const Input &input, const Page &page)
{
    QString h = QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n<title>")
                    .arg(input.language);
    h += QString(page.title + QStringLiteral(" - ") + input.document->series().seriesName()).toHtmlEscaped();
    h += QStringLiteral("</title>\n<style>\n"
                        "body { font-family: Arial, sans-serif; margin: 2em; }\n"
                        "table { border-collapse: collapse; margin-bottom: 1em; }\n"
                        "th, td { border: 1px solid #9ab; padding: 2px 8px; text-align: left; }\n"
                        "th { background: #dee; }\n"
                        "pre { background: #f4f6f8; padding: 1em; }\n"
                        "img { max-width: 100%; border: 1px solid #9ab; }\n"
                        "</style>\n</head>\n<body>\n<h1>");
    h += page.title.toHtmlEscaped() + QStringLiteral("</h1>\n<ul>\n");
    for (const QString &fact : page.facts)
        h += QStringLiteral("<li>") + fact.toHtmlEscaped() + QStringLiteral("</li>\n");
    h += QStringLiteral("</ul>\n<h2>") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Clocks")).toHtmlEscaped() + QStringLiteral("</h2>\n") +
         htmlTable(page.clocks);
    h += QStringLiteral("<h2>") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Settings")).toHtmlEscaped() + QStringLiteral("</h2>\n") +
         htmlTable(page.settings);
    h += QStringLiteral("<h2>") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Findings of the checks before saving")).toHtmlEscaped() +
         QStringLiteral("</h2>\n<ul>\n");
    for (const QString &line : page.findings)
        h += QStringLiteral("<li>") + line.toHtmlEscaped() + QStringLiteral("</li>\n");
    h += QStringLiteral("</ul>\n<h2>") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock summary of the generated files")).toHtmlEscaped() +
         QStringLiteral("</h2>\n");
    h += page.summaryIsCode ? QStringLiteral("<pre>") + page.summary.toHtmlEscaped() + QStringLiteral("</pre>\n")
                            : QStringLiteral("<p>") + page.summary.toHtmlEscaped() + QStringLiteral("</p>\n");
    if (!input.svg.isEmpty()) {
        // An image of the SVG document keeps the page valid HTML and self-contained.
        h += QStringLiteral("<h2>") + reportText(QT_TRANSLATE_NOOP("DesignReport", "Drawing")).toHtmlEscaped() +
             QStringLiteral("</h2>\n<p><img alt=\"%1\" src=\"data:image/svg+xml;base64,")
                 .arg(reportText(QT_TRANSLATE_NOOP("DesignReport", "Clock tree")).toHtmlEscaped());
        h += QString::fromLatin1(input.svg.toUtf8().toBase64()) + QStringLiteral("\"></p>\n");
    }
    return h + QStringLiteral("</body>\n</html>\n");
}

} // namespace

bool formatOf(const QString &fileName, Format *format)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        *format = Format::Html;
        return true;
    }
    if (suffix == QLatin1String("md")) {
        *format = Format::Markdown;
        return true;
    }
    return false;
}

QString write(const Input &input, Format format)
{
    const Page page = pageOf(input);
    return format == Format::Html ? html(input, page) : markdown(input, page);
}

QStringList clockRows(const DesignDocument &document)
{
    QStringList rows;
    for (const QStringList &row : clockTable(document).rows)
        rows << markdownRow(row);
    return rows;
}

} // namespace DesignReport

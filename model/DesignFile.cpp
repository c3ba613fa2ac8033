#include "DesignFile.h"

#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace DesignFile {

namespace {

using Format = QString (*)(const ClockConfig &);

struct ElementRow {
    const char *element;
    Format format;
};

QString integer(int value)
{
    return QString::number(value);
}
QString flag(bool value)
{
    return QString::number(value ? 1 : 0);
}

// Every element a design file may hold and the record field it stores. The
// series table says which of them a series writes, and in which order.
const ElementRow kElements[] = {
    {"lextbypass",
     [](const ClockConfig &c) {
         return flag(c.lextBypass);
     }},
    {"rtcsel",
     [](const ClockConfig &c) {
         return integer(c.rtcSource);
     }},
    {"rtcswitch",
     [](const ClockConfig &c) {
         return flag(c.rtcEnabled);
     }},
    {"rtcdiv",
     [](const ClockConfig &c) {
         return integer(c.rtcHextDiv);
     }},
    {"hext",
     [](const ClockConfig &c) {
         return QString::number(c.hextMHz, 'f', 6);
     }},
    {"hextbypass",
     [](const ClockConfig &c) {
         return flag(c.hextBypass);
     }},
    {"hextdiv",
     [](const ClockConfig &c) {
         return integer(c.hextDivValue);
     }},
    {"pllhextdiv",
     [](const ClockConfig &c) {
         return integer(c.hextDivEnabled);
     }},
    {"pllrcs",
     [](const ClockConfig &c) {
         return integer(c.pllSourceHick);
     }},
    {"pllmode",
     [](const ClockConfig &c) {
         return integer(c.pllFlexible);
     }},
    {"pllmult",
     [](const ClockConfig &c) {
         return integer(c.pllMult);
     }},
    {"pllms",
     [](const ClockConfig &c) {
         return integer(c.pllMs);
     }},
    {"pllns",
     [](const ClockConfig &c) {
         return integer(c.pllNs);
     }},
    {"pllfr",
     [](const ClockConfig &c) {
         return integer(c.pllFr);
     }},
    {"sclkselect",
     [](const ClockConfig &c) {
         return integer(c.sclkSource);
     }},
    {"ahbdiv",
     [](const ClockConfig &c) {
         return integer(c.ahbDiv);
     }},
    {"apb1div",
     [](const ClockConfig &c) {
         return integer(c.apb1Div);
     }},
    {"apb2div",
     [](const ClockConfig &c) {
         return integer(c.apb2Div);
     }},
    {"usbdiv",
     [](const ClockConfig &c) {
         return QString::number(c.usbDiv, 'f', 1);
     }},
    {"hicktousb",
     [](const ClockConfig &c) {
         return integer(c.usbSourceHick48);
     }},
    {"tousbswitch",
     [](const ClockConfig &c) {
         return integer(c.usbDisabled);
     }},
    {"hicktosclk",
     [](const ClockConfig &c) {
         return integer(c.hickSclk48);
     }},
    {"clkout",
     [](const ClockConfig &c) {
         return integer(c.clkoutSource);
     }},
    {"clkoutdiv",
     [](const ClockConfig &c) {
         return integer(c.clkoutDiv);
     }},
    {"clkoutpinselect",
     [](const ClockConfig &c) {
         return integer(c.clkoutPin);
     }},
    {"adcswitch",
     [](const ClockConfig &c) {
         return flag(c.adcEnabled);
     }},
    {"adcdiv",
     [](const ClockConfig &c) {
         return integer(c.adcDiv);
     }},
    {"clkout1",
     [](const ClockConfig &c) {
         return integer(c.clkout1Source);
     }},
    {"clkout1div1",
     [](const ClockConfig &c) {
         return integer(c.clkout1Div1);
     }},
    {"clkout1div2",
     [](const ClockConfig &c) {
         return integer(c.clkout1Div2);
     }},
    {"clkout1pinselect",
     [](const ClockConfig &c) {
         return integer(c.clkout1Pin);
     }},
    {"clkout2",
     [](const ClockConfig &c) {
         return integer(c.clkout2Source);
     }},
    {"clkout2div1",
     [](const ClockConfig &c) {
         return integer(c.clkout2Div1);
     }},
    {"clkout2div2",
     [](const ClockConfig &c) {
         return integer(c.clkout2Div2);
     }},
    {"clkout2pinselect",
     [](const ClockConfig &c) {
         return integer(c.clkout2Pin);
     }},
    {"usart1clocksel",
     [](const ClockConfig &c) {
         return integer(c.usart1Source);
     }},
    {"usart2clocksel",
     [](const ClockConfig &c) {
         return integer(c.usart2Source);
     }},
    {"i2c1clocksel",
     [](const ClockConfig &c) {
         return integer(c.i2c1Source);
     }},
};

const QString kMcu = QStringLiteral("MCU");
const QString kRoot = QStringLiteral("Configuration");

} // namespace

QStringList elementNames(const QString &seriesName)
{
    QStringList names;
    if (const SeriesParams *row = SeriesTable::byName(seriesName)) {
        for (const auto &name : row->designElements)
            names.append(QString(name));
    }
    return names;
}

QString elementText(const ClockConfig &config, const QString &seriesName, const QString &elementName)
{
    if (elementName == kMcu)
        return seriesName;
    for (const ElementRow &row : kElements) {
        if (elementName == QLatin1String(row.element))
            return row.format(config);
    }
    return QString();
}

QByteArray write(const ClockConfig &config, const QString &seriesName)
{
    const QStringList names = elementNames(seriesName);
    if (names.isEmpty())
        return QByteArray();

    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartDocument();
    writer.writeStartElement(kRoot);
    for (const QString &name : names)
        writer.writeTextElement(name, elementText(config, seriesName, name));
    writer.writeEndElement();
    writer.writeEndDocument();
    return data;
}

Elements parse(const QByteArray &data)
{
    Elements result;
    if (data.isEmpty() || data.size() > MaxFileSize)
        return result;

    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);
    QHash<QString, QString> values;
    QString childName;
    QString childText;
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            // Entity declarations are the classic way to blow up a parser;
            // a design never carries a DTD, so refuse the file.
            return result;
        case QXmlStreamReader::EntityReference:
            return result;
        case QXmlStreamReader::StartElement:
            if (++depth > MaxDepth)
                return result;
            if (depth == 2) {
                childName = reader.qualifiedName().toString();
                childText.clear();
            }
            break;
        case QXmlStreamReader::Characters:
            // The text of a child is all text inside it, nested or not.
            if (depth >= 2)
                childText += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2 && !values.contains(childName))
                values.insert(childName, childText);
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return result;
    result.m_values = values;
    return result;
}

Elements read(const QString &fileName)
{
    // Only regular files: opening a FIFO or a device could block or never end.
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > MaxFileSize)
        return Elements();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return Elements();
    // The file may have grown since the size check; read one byte more than
    // allowed so that growth is noticed.
    return parse(file.read(MaxFileSize + 1));
}

QString readElement(const QString &fileName, const QString &elementName)
{
    return read(fileName).value(elementName);
}

ClockRules::Findings readDifferences(const Elements &file, const ClockConfig &record,
                                     const QString &seriesName)
{
    ClockRules::Findings out;
    for (const QString &name : elementNames(seriesName)) {
        if (name == QLatin1String("MCU"))
            continue;
        const QString held = elementText(record, seriesName, name);
        const QString read = file.value(name);
        bool ok = false;
        const double value = read.toDouble(&ok);
        // Numbers compare as numbers: "8" and "8.000000" are the same crystal.
        if (ok && value == held.toDouble())
            continue;
        ClockRules::Finding finding;
        // The crystal is the board's: firmware for another one would run every
        // clock wrong, so a crystal the program had to change is refused.
        const bool crystal = name == QLatin1String("hext") && ok && ClockRules::hextAccepted(value);
        finding.severity =
            crystal ? ClockRules::Finding::Severity::Refusal : ClockRules::Finding::Severity::Warning;
        finding.kind = ClockRules::Finding::Kind::Load;
        finding.field = name;
        finding.detail = file.contains(name) ? QStringLiteral("%1 \"%2\" read as %3").arg(name, read, held)
                                             : QStringLiteral("%1 missing, read as %2").arg(name, held);
        if (crystal)
            finding.detail += QStringLiteral(" (the board's crystal cannot be changed)");
        out << finding;
    }
    return out;
}

} // namespace DesignFile

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include "ClockRules.h"

// The design file (*.TFCC): writer and hardened reader (QtCore only).
//
// A design is a flat XML document: the declaration, the element
// `Configuration`, and inside it one text element per stored field in the
// series' order. The reader accepts nothing else: anything that is not a
// small, well-formed, DTD-free and shallow document reads as empty, so a
// hostile or damaged file can neither crash nor stall the program.
namespace DesignFile {

// Larger files are not designs (a real one is about 1 KiB).
constexpr qint64 MaxFileSize = 1024 * 1024;
// Deeper nesting is refused; a design has two levels.
constexpr int MaxDepth = 32;

// The stored elements of a series, in file order; empty for an unknown name.
QStringList elementNames(const QString &seriesName);

// The text of one element for config, in the file's value format ("8.000000"
// for hext, "6.0" for usbdiv, decimal integers and 0/1 flags otherwise).
// Null for a name that is no design element.
QString elementText(const ClockConfig &config, const QString &seriesName, const QString &elementName);

// The whole document for config as the series seriesName stores it; empty
// when seriesName names no series.
QByteArray write(const ClockConfig &config, const QString &seriesName);

// The elements of a parsed document: the text of the first direct child of
// the document element with each name.
class Elements {
public:
    bool isEmpty() const { return m_values.isEmpty(); }
    int size() const { return int(m_values.size()); }
    // Empty when the element is missing.
    QString value(const QString &name) const { return m_values.value(name); }
    bool contains(const QString &name) const { return m_values.contains(name); }
    const QHash<QString, QString> &values() const { return m_values; }

private:
    friend Elements parse(const QByteArray &data);
    QHash<QString, QString> m_values;
};

// Parses a document held in memory; empty Elements for anything refused.
Elements parse(const QByteArray &data);

// Reads and parses a file: empty when it is not a readable regular file of
// at most MaxFileSize bytes, or when parse() refuses it.
Elements read(const QString &fileName);

// read(fileName).value(elementName).
QString readElement(const QString &fileName, const QString &elementName);

// What a design held that the record now says otherwise, after opening it: a
// fallback for a value out of range or missing, or a correction made while
// opening. One warning per element ("pllms \"16\" read as 1").
ClockRules::Findings readDifferences(const Elements &file, const ClockConfig &record,
                                     const QString &seriesName);

} // namespace DesignFile

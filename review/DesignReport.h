#pragma once

#include "ClockRules.h"

#include <QString>
#include <QStringList>

class DesignDocument;

// The review page of one design: series and file, every clock with its
// value, limit, margin and path, every setting as stored and as shown, the
// findings of the checks before saving, the generated files' clock summary
// and the drawing. Its texts come from the catalogue installed (context
// "DesignReport"), so the caller picks the language.
namespace DesignReport {

enum class Format { Html, Markdown };

struct Input {
    QString fileName;               // as the reader should see it
    QString language = QStringLiteral("en"); // of the catalogue installed
    const DesignDocument *document = nullptr;
    ClockRules::Findings findings;  // what opening changed, then the checks
    QString svg;                    // the drawing (HTML embeds it)
    QString drawingFile;            // Markdown: the drawing's file beside the page; empty for none
};

// The format a file name asks for; false for a suffix that is neither .html/.htm nor .md.
bool formatOf(const QString &fileName, Format *format);

QString write(const Input &input, Format format);

// The clock lines of the Markdown table, one per clock of the tree.
QStringList clockRows(const DesignDocument &document);

} // namespace DesignReport

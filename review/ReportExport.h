#pragma once

#include "ClockRules.h"

#include <QString>

class DesignDocument;

// Writes the review page of a design to a file, the format chosen by the
// suffix: .html (the drawing embedded) or .md (the drawing beside it, as the
// page's name with .svg). Files are replaced safely: on failure the old ones stay.
namespace ReportExport {

enum class Outcome { Written, UnknownFormat, WriteFailed };

struct Request {
    QString page;            // OUT.html or OUT.md
    QString designFile;      // the design's file as the page names it; empty: unsaved
    QString language = QStringLiteral("en");
    ClockRules::Findings findings; // what opening changed, then the checks
};

// OUT.md's drawing: OUT.svg beside it; empty for an HTML page.
QString drawingFile(const QString &page);

Outcome write(const DesignDocument &document, const Request &request, QString *error = nullptr);
// The window's export: the document's own checks as findings.
Outcome write(const DesignDocument &document, const QString &page, const QString &language);

} // namespace ReportExport

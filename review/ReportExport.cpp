#include "ReportExport.h"

#include "DesignDocument.h"
#include "DesignReport.h"
#include "DrawingSvg.h"
#include "SafeSave.h"

#include <QDir>
#include <QFileInfo>

namespace ReportExport {

QString drawingFile(const QString &page)
{
    DesignReport::Format format;
    if (!DesignReport::formatOf(page, &format) || format != DesignReport::Format::Markdown)
        return QString();
    const QFileInfo info(page);
    const QString name = info.completeBaseName() + QStringLiteral(".svg");
    return info.path() == QLatin1String(".") && !page.startsWith(QLatin1String("./")) ? name
                                                                                       : info.dir().filePath(name);
}

Outcome write(const DesignDocument &document, const Request &request, QString *error)
{
    DesignReport::Format format;
    if (!DesignReport::formatOf(request.page, &format))
        return Outcome::UnknownFormat;
    DesignReport::Input input;
    input.fileName = request.designFile;
    input.language = request.language;
    input.document = &document;
    input.findings = request.findings;
    const QString svg = DrawingSvg::of(document);
    const QString drawing = drawingFile(request.page);
    if (format == DesignReport::Format::Html)
        input.svg = svg;
    else
        input.drawingFile = QFileInfo(drawing).fileName();
    if (!drawing.isEmpty() && !saveFileSafely(drawing, svg.toUtf8(), error))
        return Outcome::WriteFailed;
    if (!saveFileSafely(request.page, DesignReport::write(input, format).toUtf8(), error))
        return Outcome::WriteFailed;
    return Outcome::Written;
}

Outcome write(const DesignDocument &document, const QString &page, const QString &language)
{
    Request request;
    request.page = page;
    request.language = language;
    request.findings = document.verdict().findings;
    return write(document, request);
}

} // namespace ReportExport

#pragma once

#include <QString>

class QXMCUPLL;

// The clock tree of a series widget as a picture: the drawing as shown
// (tree, controls and values, lists folded in) at the drawing's full size.
// The format follows the file's suffix (any case): ".png" an image, ".pdf" a
// vector page (texts searchable), ".svg" the SVG document of DrawingSvg.
namespace DrawingExport {

// Whether the suffix of this file names a format the export writes.
bool supportedFile(const QString &fileName);
// Writes the picture through the safe-save helper (an old file stays as it
// was on failure); false with a reason in *error.
bool exportDrawing(QXMCUPLL &widget, const QString &fileName, QString *error = nullptr);

} // namespace DrawingExport

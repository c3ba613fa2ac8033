#pragma once

#include "SvgDrawing.h"

#include <QString>
#include <QVector>

class DesignDocument;

// The drawing of a design as the window shows it at 1:1, as an SVG document:
// the series' layout and every control shown over it, from the document.
namespace DrawingSvg {

QString of(const DesignDocument &document);

// What the window shows over the layout: captions, entries, choices, values.
QVector<SvgDrawing::Control> controls(const DesignDocument &document);

} // namespace DrawingSvg

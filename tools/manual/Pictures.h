#pragma once

#include <QDir>
#include <QImage>
#include <QUrl>

// Pictures of the program's own windows, taken offscreen while a manual is
// rendered, so they always show the program as it is built:
//   tickforge:series/NAME[?design=FILE][&list=N][&crop=X,Y,W,H][&scale=S]
//       the clock tree of a series (factory settings, or FILE loaded), with
//       fold-out list N (0..3, top to bottom) open, cut to a part of the
//       drawing and drawn S times larger
//   tickforge:window[?design=FILE]   the main window, FILE opened
//   tickforge:mcu-select             the MCU selection dialog
//   tickforge:about                  the About box
// FILE is relative to sourceDir. A null image for anything else.
QImage programPicture(const QUrl &url, const QDir &sourceDir);

#pragma once

#include "ClockTreeLayout.h"

// The parts the clock-tree drawings of the PLL kinds share, each adding its
// nodes, wires and anchors at fixed places of the picture.
namespace ClockTree {
namespace detail {

constexpr int kHalfRadio = kRadioSize / 2;
constexpr int kComboMid = kComboHeight / 2;
// Columns of the peripheral panel: captions, then value boxes.
constexpr int kCaptionX = 1166;
constexpr int kValueX = 1318;

inline QString key(const char *text)
{
    return QString::fromLatin1(text);
}

// A mux whose inputs are radio buttons ("name.0", "name.1", ...) and, where
// `label` is set, its caption ("name.caption") in a region below or beside it.
void addRadioMux(Layout &l, const char *name, const QRect &mux, const QVector<QPoint> &radios,
                 const QRect &label = QRect(), const QPoint &caption = QPoint());

// The four oscillators with their pins, left column.
void addOscillators(Layout &l);
// WDT and RTC; `fixedDivider` > 0 draws the HEXT divider of the RTC as a
// fixed block (HEXT / 128) instead of the user's "ertcdiv" combo.
void addRtc(Layout &l, int fixedDivider);
// HICK / 6 and HICK into the "hick to sclk" mux (and HICK 48 on to the USB
// mux where `usbLine`), the mux and its line to the system clock mux.
void addHickDivider(Layout &l, bool usbLine);
void addHickToSclkMux(Layout &l);
// System clock mux, sclk entry, AHB/APB dividers and the USB chain (with the
// "hick to usb" mux where the series offers it), for a PLL block at (470, 200, 280, 146).
// `usb` false leaves the USB chain out.
void addSystem(Layout &l, bool usbHickMux, bool usb = true);
// The peripheral panel reaching down to at least `bottom`.
void addPanel(Layout &l, int ahbRows, int bottom);

// The drawing the multiplier and mode-selectable series share, with the PLL
// block (at 470, 200, 280 x 146) added by `addPllBlock`.
Layout multiplierFamilyLayout(const SeriesParams &series, const QSize &size,
                              void (*addPllBlock)(Layout &, const SeriesParams &));

} // namespace detail

Layout multiplierPllLayout(const SeriesParams &series);
Layout selectablePllLayout(const SeriesParams &series);

} // namespace ClockTree

#pragma once

#include <QString>
#include <QVector>

namespace ClockTree {
class Layout;
}

// The clock tree as an SVG document written by us from the layout data and
// what each control shows: lines, shapes and texts as such, in drawing
// pixels (one SVG unit per pixel of the window's 1:1 picture). QtCore only,
// so the command-line package writes it without the GUI libraries.
namespace SvgDrawing {

// A colour of the drawing; unset for none (QtCore has no colour type).
struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool set = false;

    static constexpr Colour rgb(int r, int g, int b) { return {r, g, b, true}; }
    bool operator==(const Colour &o) const
    {
        return set == o.set && red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const Colour &o) const { return !(*this == o); }
    // "#rrggbb", or "none" when unset.
    QString name() const;
};

// One control as the window shows it, reduced to what a picture needs.
struct Control {
    enum class Kind { Label, Entry, ValueBox, Combo, Radio, Button };
    Kind kind = Kind::Label;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    QString text;
    Colour textColour = Colour::rgb(0, 0, 0);
    Colour fill;   // background; unset for none
    Colour border; // unset for none
    bool checked = false; // radios
    bool bold = false;
    bool alignRight = false; // entries and value boxes
    double borderWidth = 1;
    double radius = 0;
    int pointSize = 10;
};

// Whether a control's text is wider than `width`: an entry then shows its
// first characters, cut at its frame.
bool overflows(const Control &control, double width);

// The document: the drawing, then the controls over it in their order.
QString write(const ClockTree::Layout &layout, const QVector<Control> &controls);

} // namespace SvgDrawing

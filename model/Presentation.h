#pragma once

#include "DesignDocument.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// What every control and value of a series' tree shows, worked out from the
// design alone: the window paints it, the command-line tool prints it, tests
// read it without building a widget. Every display rule of the tree lives
// here (the values and their colours, the gray branches, the clock outputs,
// the PLL mode's controls); the view only applies it.

// What a control is to the user (and to a screen reader).
enum class ControlRole {
    Combo, // a drop-down list
    Radio, // an exclusive group of radio buttons (one entry for the group)
    Entry, // a text entry applied with Return
    Label, // a text or a read-only value box
    Button // a push button (the bus lists)
};

// The colour class of what a control shows.
enum class Tone {
    Plain,     // the control's own colours (black text in an entry)
    InLimit,   // a value within its limit: dark green
    OverLimit, // a value above its limit (or USB off 48 MHz): red
    Gray,      // a branch the design does not use
    InUse,     // an oscillator pin of a branch in use: blue
    Refused    // an entry's text that is no acceptable value: red
};

// Everything shown of one control.
struct ControlPresentation {
    QString name; // the control's objectName: a control table name ("hext",
                  // "clkout2") or a layout anchor ("usb.value", "note1")
    ControlRole role = ControlRole::Label;
    QString caption;           // accessible name: the caption drawn beside it (translated)
    QString text;              // what it shows: a label's or entry's text, a combo's
                               // current item, a radio group's checked item
    int current = -1;          // combo: current item; radios: checked radio
    QStringList items;         // combo items, radio captions (translated); a radio
                               // whose caption is drawn with the tree: its stored value
    QVector<bool> itemsUsable; // per item: whether it can be chosen
    Tone tone = Tone::Plain;
    bool pending = false; // an entry whose text is not (yet) the value in use
    bool enabled = true;
    bool grayable = false; // its enabled state follows the design: while enabled
                           // it shows the look of a branch in use, not its plain look
    bool shown = true;
    QString toolTip;
    QString accessibleValue; // what a screen reader reads as the value

    // "refused", "pending", "gray", "in limit", "over limit", "in use" or
    // "plain", the first that holds: a disabled control, or a choice showing an
    // item that cannot be chosen, is gray.
    QString colourClass() const;
    // Whether item `index` is enabled: the control is, and so is the item.
    bool itemUsable(int index) const { return enabled && itemsUsable.value(index, true); }
};

// The presentation of one series' tree, in the order the controls lie over
// the drawing. It remembers what was shown before where the window keeps a
// text: a clock output without a pin keeps the values it last showed, a gray
// entry the colour its text last had. One instance follows one document.
class TreePresentation {
public:
    TreePresentation() = default;

    // Works the presentation out anew for the document as it stands.
    void update(const DesignDocument &document);

    const QVector<ControlPresentation> &controls() const { return m_controls; }
    // nullptr for a name the series does not show.
    const ControlPresentation *find(const QString &name) const;
    // The controls whose presentation changed in the last update (all of
    // them after the first), in tree order.
    const QStringList &changed() const { return m_changed; }

    // The presentation of a document as a fresh window shows it: built in
    // the factory state of its series, then showing the document (an opened
    // design; what the command-line tool prints).
    static QVector<ControlPresentation> of(const DesignDocument &document);

private:
    QVector<ControlPresentation> m_controls;
    QHash<QString, int> m_index;
    QStringList m_changed;
};

// Names used on both sides of the presentation.
namespace PresentationText {
QString roleName(ControlRole role); // "combo", "radio", "entry", "label", "button"
// One line per control: name, role, text, colour class, enabled, shown, tab-separated.
QString line(const ControlPresentation &control);
// The same as a JSON object (name, role, caption, text, current, items, usable,
// colour, enabled, shown, toolTip, accessibleValue).
QString json(const ControlPresentation &control);
} // namespace PresentationText

bool operator==(const ControlPresentation &a, const ControlPresentation &b);
inline bool operator!=(const ControlPresentation &a, const ControlPresentation &b)
{
    return !(a == b);
}

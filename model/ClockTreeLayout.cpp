#include "ClockTreeLayout.h"

#include "LayoutPieces.h"
#include "SeriesTable.h"

namespace ClockTree {

void Layout::addNode(const QString &id, Shape shape, const QRect &rect, const QString &title,
                     bool outputsLeft)
{
    nodes.append(Node{id, shape, rect, title, outputsLeft});
}

void Layout::addWire(const QVector<QPoint> &points, bool arrow)
{
    wires.append(Wire{points, arrow});
}

void Layout::addAnchor(const QString &id, const QString &node, int x, int y, int width)
{
    m_anchorIndex.insert(id, m_anchors.size());
    m_anchors.append(Anchor{id, QPoint(x, y), width, node});
}

Anchor Layout::anchor(const QString &id) const
{
    const int index = m_anchorIndex.value(id, -1);
    // The series widget test walks every control of every series against
    // its layout; reaching this in a build is still reported.
    if (index < 0)
        qCritical("clock-tree layout %s has no anchor \"%s\"", qPrintable(bitmapName), qPrintable(id));
    return index >= 0 ? m_anchors.at(index) : Anchor{};
}

const Node *Layout::node(const QString &id) const
{
    for (const Node &n : nodes) {
        if (n.id == id)
            return &n;
    }
    return nullptr;
}

namespace detail {

// Left column: the four oscillators with their pins.
void addOscillators(Layout &l)
{
    l.addNode(key("lick"), Shape::Oscillator, QRect(44, 36, 176, 46));
    l.addAnchor(key("lick.caption"), key("lick"), 54, 40);
    l.addAnchor(key("lick.value"), key("lick"), 54, 60);

    l.addNode(key("lext"), Shape::Oscillator, QRect(44, 94, 176, 80));
    l.addAnchor(key("lext.caption"), key("lext"), 54, 100);
    l.addAnchor(key("lext.value"), key("lext"), 140, 100);
    l.addAnchor(key("lextbypass.caption"), key("lext"), 54, 143);
    l.addAnchor(key("lextbypass"), key("lext"), 104, 140, 80);
    l.addNode(key("lext.pins"), Shape::Pin, QRect(0, 100, 44, 64));
    l.addAnchor(key("lext.in"), key("lext.pins"), 8, 104);
    l.addAnchor(key("lext.out"), key("lext.pins"), 1, 143);

    l.addNode(key("hext"), Shape::Oscillator, QRect(44, 196, 176, 108));
    l.addAnchor(key("hext.caption"), key("hext"), 54, 201);
    l.addAnchor(key("hext"), key("hext"), 54, 222, 60);
    l.addAnchor(key("hextbypass.caption"), key("hext"), 54, 271);
    l.addAnchor(key("hextbypass"), key("hext"), 104, 268, 80);
    l.addNode(key("hext.pins"), Shape::Pin, QRect(0, 202, 44, 94));
    l.addAnchor(key("hext.in"), key("hext.pins"), 8, 206);
    l.addAnchor(key("hext.out"), key("hext.pins"), 1, 275);

    l.addNode(key("hick"), Shape::Oscillator, QRect(44, 362, 176, 46));
    l.addAnchor(key("hick.caption"), key("hick"), 54, 366);
    l.addAnchor(key("hick.value"), key("hick"), 54, 386);
}

// Top row: WDT and the RTC with its HEXT divider, source mux and switch.
void addRtc(Layout &l, int fixedDivider)
{
    l.addNode(key("wdt"), Shape::Endpoint, QRect(520, 6, 180, 28));
    l.addAnchor(key("wdt.caption"), key("wdt"), 528, 12);
    l.addAnchor(key("wdt.value"), key("wdt"), 650, 12);

    if (fixedDivider > 0) {
        l.addNode(key("rtcdiv"), Shape::Divider, QRect(280, 160, 52, 24),
                  QStringLiteral("/%1").arg(fixedDivider));
    } else {
        l.addNode(key("rtcdiv"), Shape::Divider, QRect(240, 132, 92, 60));
        l.addAnchor(key("rtcdiv.caption"), key("rtcdiv"), 248, 136);
        l.addAnchor(key("rtcdiv"), key("rtcdiv"), 248, 160, 76);
    }

    // Caption beside the mux where a wire to the system clock runs below it.
    const QPoint caption = fixedDivider > 0 ? QPoint(392, 146) : QPoint(340, 194);
    addRadioMux(l, "rtcsel", QRect(352, 40, 32, 150), {{360, 51}, {360, 108}, {360, 164}},
                QRect(caption - QPoint(4, 2), QSize(64, 20)), caption);

    l.addNode(key("rtcswitch"), Shape::Divider, QRect(396, 100, 92, 32));
    l.addAnchor(key("rtcswitch"), key("rtcswitch"), 402, 105, 80);

    l.addNode(key("ertc"), Shape::Endpoint, QRect(520, 88, 180, 56));
    l.addAnchor(key("ertc.caption"), key("ertc"), 528, 94);
    l.addAnchor(key("ertc.value"), key("ertc"), 528, 116);

    // LICK feeds the WDT and the RTC mux.
    l.addWire({{220, 59}, {352, 59}});
    l.addJunction({236, 59});
    l.addWire({{236, 59}, {236, 20}, {520, 20}});
    // LEXT to the RTC mux.
    l.addWire({{220, 116}, {352, 116}});
    // HEXT through the RTC divider.
    l.addWire({{232, 234}, {232, 172}, {fixedDivider > 0 ? 280 : 240, 172}});
    l.addWire({{332, 172}, {352, 172}});
    // Mux, switch, RTC.
    l.addWire({{384, 116}, {402, 116}});
    l.addWire({{482, 116}, {520, 116}});
}

// HICK / 6 and HICK itself into the "hick to sclk" mux; HICK 48 on to the
// USB mux where `usbLine`.
void addHickDivider(Layout &l, bool usbLine)
{
    l.addNode(key("hickdiv6"), Shape::Divider, QRect(236, 355, 32, 20), key("/6"));
    l.addWire({{220, 385}, {228, 385}}, false);
    l.addJunction({228, 385});
    l.addWire({{228, 385}, {228, 365}, {236, 365}});
    l.addWire({{268, 365}, {282, 365}});
    l.addWire({{228, 385}, {228, 415}, {282, 415}});
    if (!usbLine)
        return;
    // A dot only where the USB line branches off; without it the wire just bends.
    l.addJunction({228, 415});
    l.addWire({{228, 415}, {228, 466}, {684, 466}});
}

void addRadioMux(Layout &l, const char *name, const QRect &mux, const QVector<QPoint> &radios,
                 const QRect &label, const QPoint &caption)
{
    const QString id = key(name);
    l.addNode(id, Shape::Mux, mux);
    for (int i = 0; i < radios.size(); ++i)
        l.addAnchor(id + QStringLiteral(".%1").arg(i), id, radios.at(i).x(), radios.at(i).y());
    if (label.isNull())
        return;
    l.addNode(id + QStringLiteral(".label"), Shape::Region, label);
    l.addAnchor(id + QStringLiteral(".caption"), id + QStringLiteral(".label"), caption.x(), caption.y());
}

void addHickToSclkMux(Layout &l)
{
    addRadioMux(l, "hicktosclk", QRect(282, 349, 30, 82), {{288, 357}, {288, 407}}, QRect(262, 436, 100, 22),
                {267, 440});
    l.addWire({{312, 387}, {794, 387}});
}

// The PLL with its reference mux, the HICK divider and the HICK-to-sclk mux.
void addPll(Layout &l)
{
    // HEXT out to the PLL reference mux and up to the sclk mux.
    l.addWire({{220, 234}, {412, 234}});
    l.addJunction({232, 234});
    l.addJunction({396, 234});
    l.addWire({{396, 234}, {396, 190}, {794, 190}});

    // HICK: /6 branch, full branch, and the 48 MHz line to the USB mux.
    addHickDivider(l, true);
    l.addJunction({276, 365});
    l.addWire({{276, 365}, {276, 270}, {412, 270}});
    addHickToSclkMux(l);

    addRadioMux(l, "pllrcs", QRect(412, 214, 32, 72), {{420, 226}, {420, 262}});
    l.addWire({{444, 250}, {470, 250}});

    l.addNode(key("pll"), Shape::Pll, QRect(470, 200, 280, 146), key("PLL"));
    l.addAnchor(key("pllms.caption"), key("pll"), 480, 226);
    l.addAnchor(key("pllms"), key("pll"), 540, 222, 60);
    l.addAnchor(key("pllms.hint"), key("pll"), 606, 226);
    l.addAnchor(key("pllns.caption"), key("pll"), 480, 256);
    l.addAnchor(key("pllns"), key("pll"), 540, 252, 60);
    l.addAnchor(key("pllns.hint"), key("pll"), 606, 256);
    l.addAnchor(key("pllfr.caption"), key("pll"), 480, 286);
    l.addAnchor(key("pllfr"), key("pll"), 540, 282, 70);
    l.addAnchor(key("pll.value"), key("pll"), 640, 286);
    l.addAnchor(key("pllcfg.caption"), key("pll"), 480, 318);
    l.addAnchor(key("pllcfg"), key("pll"), 586, 314, 100);
    // PLL output to the sclk mux.
    l.addWire({{750, 275}, {794, 275}});
}

// System clock mux, sclk entry, AHB and APB dividers, USB chain.
void addSystem(Layout &l, bool usbHickMux, bool usb)
{
    l.addNode(key("sclkselect"), Shape::Mux, QRect(794, 172, 32, 230));
    l.addAnchor(key("sclkselect.0"), key("sclkselect"), 800, 182);
    l.addAnchor(key("sclkselect.1"), key("sclkselect"), 800, 267);
    l.addAnchor(key("sclkselect.2"), key("sclkselect"), 800, 379);
    l.addNode(key("sclkselect.label"), Shape::Region, QRect(782, 402, 80, 20));
    l.addAnchor(key("sclkselect.caption"), key("sclkselect.label"), 786, 404);

    l.addNode(key("sclk"), Shape::Divider, QRect(846, 240, 124, 66));
    l.addAnchor(key("sclk.caption"), key("sclk"), 852, 246);
    l.addAnchor(key("sclk"), key("sclk"), 852, 270, 60);
    l.addWire({{826, 282}, {846, 282}});
    l.addJunction({832, 282});
    // i2s takes the system clock straight from the mux.
    l.addWire({{832, 282}, {832, 44}, {1160, 44}});

    l.addNode(key("notes"), Shape::Region, QRect(846, 150, 250, 66));
    l.addAnchor(key("note1"), key("notes"), 850, 154);
    l.addAnchor(key("note2"), key("notes"), 850, 174);
    l.addAnchor(key("note3"), key("notes"), 850, 194);

    l.addNode(key("ahbdiv"), Shape::Divider, QRect(990, 240, 92, 66));
    l.addAnchor(key("ahbdiv.caption"), key("ahbdiv"), 998, 246);
    l.addAnchor(key("ahbdiv"), key("ahbdiv"), 998, 270, 76);
    l.addWire({{970, 282}, {990, 282}});

    // AHB down to the two APB dividers.
    l.addWire({{1020, 306}, {1020, 571}, {1035, 571}});
    l.addJunction({1020, 459});
    l.addWire({{1020, 459}, {1035, 459}});
    l.addNode(key("apb1div"), Shape::Divider, QRect(1028, 424, 70, 50));
    l.addAnchor(key("apb1div.caption"), key("apb1div"), 1040, 428);
    l.addAnchor(key("apb1div"), key("apb1div"), 1035, 448, 55);
    l.addNode(key("apb2div"), Shape::Divider, QRect(1028, 536, 70, 50));
    l.addAnchor(key("apb2div.caption"), key("apb2div"), 1040, 540);
    l.addAnchor(key("apb2div"), key("apb2div"), 1035, 560, 55);

    if (!usb)
        return;
    // USB: PLL -> usbdiv -> source mux (PLL or HICK 48) -> switch -> USB.
    l.addWire({{610, 346}, {610, 400}});
    l.addNode(key("usbdiv"), Shape::Divider, QRect(560, 400, 100, 60));
    l.addAnchor(key("usbdiv.caption"), key("usbdiv"), 570, 404);
    l.addAnchor(key("usbdiv"), key("usbdiv"), 570, 426, 80);
    if (usbHickMux) {
        l.addWire({{660, 437}, {684, 437}});
        addRadioMux(l, "hicktousb", QRect(684, 418, 28, 62), {{690, 429}, {690, 458}},
                    QRect(664, 398, 100, 20), {666, 400});
        l.addWire({{712, 451}, {726, 451}});
    } else {
        l.addWire({{660, 437}, {694, 437}, {694, 451}, {726, 451}});
    }
    l.addNode(key("usbswitch"), Shape::Divider, QRect(726, 426, 92, 52));
    l.addAnchor(key("usbswitch.caption"), key("usbswitch"), 734, 428);
    l.addAnchor(key("usbswitch"), key("usbswitch"), 732, 449, 80);
    l.addWire({{818, 460}, {830, 460}});
    l.addNode(key("usb"), Shape::Endpoint, QRect(830, 436, 120, 46), key("USB"));
    l.addAnchor(key("usb.value"), key("usb"), 838, 459);
}

// Right side: the peripheral panel with the AHB lines and the four APB boxes.
void addPanel(Layout &l, int ahbRows, int bottom)
{
    const int rowsBottom = 64 + 27 * ahbRows;
    l.addNode(key("panel"), Shape::Panel, QRect(1156, 24, 244, qMax(rowsBottom + 12, bottom) - 24));

    l.addAnchor(key("i2s.caption"), key("panel"), kCaptionX, 36);
    l.addAnchor(key("i2s.value"), key("panel"), kValueX, 31, 80);
    for (int row = 0; row < ahbRows; ++row) {
        const int y = 64 + 27 * row;
        l.addAnchor(QStringLiteral("ahb%1.caption").arg(row), key("panel"), kCaptionX, y);
        l.addAnchor(QStringLiteral("ahb%1.value").arg(row), key("panel"), kValueX, y - 5, 80);
        l.addWire({{1140, y + 8}, {1160, y + 8}});
    }
    const int busBottom = qMax(282, 64 + 27 * (ahbRows - 1) + 8);
    l.addWire({{1082, 282}, {1140, 282}}, false);
    l.addWire({{1140, 72}, {1140, busBottom}}, false);
    if (busBottom > 282) // a dot where the AHB line joins the bus, not where it turns up
        l.addJunction({1140, 282});

    struct ApbRow {
        const char *id;
        int y;
    };
    const ApbRow rows[] = {{"apb1p", 420}, {"apb1t", 482}, {"apb2p", 552}, {"apb2t", 614}};
    for (const ApbRow &row : rows) {
        const QString id = key(row.id);
        l.addAnchor(id + key(".caption"), key("panel"), kCaptionX, row.y);
        l.addAnchor(id + key(".value"), key("panel"), kValueX, row.y - 5, 80);
        l.addAnchor(id + key(".list"), key("panel"), kCaptionX, row.y + 20);
        l.addAnchor(id + key(".panel"), key("panel"), kCaptionX + 4, row.y + 44);
    }

    // APB1 / APB2 outputs, each to its peripheral box and through the timer
    // multiplier to its timer box.
    struct Bus {
        const char *mul;
        int y;   // divider output line
        int top; // peripheral row
        int tmr; // timer row
    };
    const Bus buses[] = {{"apb1mul", 459, 420, 482}, {"apb2mul", 571, 552, 614}};
    for (const Bus &bus : buses) {
        l.addWire({{1090, bus.y}, {1104, bus.y}}, false);
        l.addJunction({1104, bus.y});
        l.addWire({{1104, bus.y}, {1104, bus.top + 8}, {1160, bus.top + 8}});
        l.addWire({{1104, bus.y}, {1104, bus.tmr + 8}, {1110, bus.tmr + 8}});
        l.addNode(key(bus.mul), Shape::Multiplier, QRect(1110, bus.tmr - 4, 40, 24));
        l.addAnchor(key(bus.mul), key(bus.mul), 1116, bus.tmr - 1);
        l.addWire({{1150, bus.tmr + 8}, {1160, bus.tmr + 8}});
    }
}

// One clock output at the bottom: source mux on the right, two dividers and
// the pin selector going left to the output.
void addClockOutput(Layout &l, int index, int top, const QVector<int> &radioY, int captionY)
{
    const QString n = QString::number(index);
    const QString mux = key("clkout") + n;
    const int muxTop = radioY.first() - 6;
    const int muxBottom = radioY.last() + kRadioSize + 4;
    l.addNode(mux, Shape::Mux, QRect(506, muxTop, 28, muxBottom - muxTop), QString(), true);
    for (int i = 0; i < radioY.size(); ++i) {
        const int y = radioY.at(i);
        l.addAnchor(mux + QStringLiteral(".%1").arg(i), mux, 514, y);
        l.addNode(mux + QStringLiteral(".src%1").arg(i), Shape::Region, QRect(566, y - 2, 150, 20));
        l.addAnchor(mux + QStringLiteral(".src%1").arg(i), mux + QStringLiteral(".src%1").arg(i), 572, y);
        l.addAnchor(mux + QStringLiteral(".val%1").arg(i), mux + QStringLiteral(".src%1").arg(i), 612, y);
        l.addWire({{568, y + kHalfRadio}, {534, y + kHalfRadio}});
    }
    l.addNode(mux + key(".label"), Shape::Region, QRect(496, captionY - 2, 80, 20));
    l.addAnchor(mux + key(".caption"), mux + key(".label"), 500, captionY);

    const int wireY = top + 25 + kComboMid;
    const QString prefix = key("clockout") + n;
    l.addNode(prefix + key("div1"), Shape::Divider, QRect(376, top, 100, 56));
    l.addAnchor(prefix + key("div1.caption"), prefix + key("div1"), 384, top + 5);
    l.addAnchor(prefix + key("div1"), prefix + key("div1"), 383, top + 25, 80);
    l.addNode(prefix + key("div2"), Shape::Divider, QRect(252, top, 102, 56));
    l.addAnchor(prefix + key("div2.caption"), prefix + key("div2"), 260, top + 5);
    l.addAnchor(prefix + key("div2"), prefix + key("div2"), 263, top + 25, 80);
    l.addNode(prefix + key("PinSelect"), Shape::Divider, QRect(128, top, 100, 56));
    l.addAnchor(prefix + key("PinSelect.caption"), prefix + key("PinSelect"), 138, top + 5);
    l.addAnchor(prefix + key("PinSelect"), prefix + key("PinSelect"), 138, top + 25, 80);
    l.addNode(mux + key(".pin"), Shape::Endpoint, QRect(12, top, 104, 56), key("CLKOUT") + n);
    l.addAnchor(mux + key(".output"), mux + key(".pin"), 18, top + 30);

    l.addWire({{506, wireY}, {476, wireY}});
    l.addWire({{376, wireY}, {354, wireY}});
    l.addWire({{252, wireY}, {228, wireY}});
    l.addWire({{128, wireY}, {116, wireY}});
}

} // namespace detail

Layout layoutFor(const SeriesParams &series)
{
    if (series.pllKind == PllKind::Multiplier)
        return multiplierPllLayout(series);
    if (series.pllKind == PllKind::Selectable)
        return selectablePllLayout(series);
    FlexibleOptions options;
    options.bitmapName = series.bitmapPath().section(QLatin1Char('/'), -1);
    options.caption = series.seriesName();
    options.ahbRows = int(series.ahbBoxes.size());
    return flexiblePllLayout(options);
}

Layout flexiblePllLayout(const FlexibleOptions &options)
{
    Layout l;
    l.bitmapName = options.bitmapName;
    l.caption = options.caption;
    l.size = QSize(1404, 828);
    using namespace detail;
    addOscillators(l);
    addRtc(l, 0);
    addPll(l);
    addSystem(l, true);
    addPanel(l, options.ahbRows, 700);
    addClockOutput(l, 1, 490, {490, 511, 532, 554}, 585);
    addClockOutput(l, 2, 672, {626, 647, 667, 688, 709, 730, 750, 771}, 796);
    return l;
}

} // namespace ClockTree

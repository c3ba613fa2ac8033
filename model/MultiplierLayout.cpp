#include "LayoutPieces.h"
#include "SeriesTable.h"

// The drawing of the multiplier-PLL series: HEXT straight or through its
// divider into the PLL source mux, HICK / 12 as the other PLL input, one
// clock output with up to ten sources, the ADC below APB2.

namespace ClockTree {

namespace {

using namespace detail;

// HEXT to the system clock mux, the divided HEXT path and the PLL source mux.
void addPllInputs(Layout &l, const SeriesParams &s)
{
    // HEXT to the PLL's divider mux; above it, straight to the system clock mux.
    l.addWire({{220, 234}, {352, 234}});
    l.addJunction({232, 234});
    l.addJunction({250, 234});
    l.addWire({{250, 234}, {250, 196}, {780, 196}, {780, 190}, {794, 190}});

    l.addJunction({286, 234});
    if (s.hextPllDivs.size() > 1) {
        l.addWire({{286, 234}, {286, 252}});
        l.addNode(key("hextdiv"), Shape::Divider, QRect(244, 252, 84, 52));
        l.addAnchor(key("hextdiv.caption"), key("hextdiv"), 250, 256);
        l.addAnchor(key("hextdiv"), key("hextdiv"), 250, 277, 72);
        l.addWire({{328, 278}, {352, 278}});
    } else {
        // The fixed HEXT / 2 of the divided path.
        l.addWire({{286, 234}, {286, 268}});
        l.addNode(key("hextdiv"), Shape::Divider, QRect(268, 268, 36, 20),
                  QStringLiteral("/%1").arg(s.hextPllDivs.value(0, 2)));
        l.addWire({{304, 278}, {352, 278}});
    }
    addRadioMux(l, "pllhextdiv", QRect(352, 214, 32, 80), {{360, 226}, {360, 270}}, QRect(326, 296, 76, 20),
                {330, 298});
    l.addWire({{384, 250}, {412, 250}});

    addRadioMux(l, "pllrcs", QRect(412, 230, 32, 90), {{420, 242}, {420, 296}}, QRect(412, 322, 56, 18),
                {414, 323});
    l.addWire({{444, 275}, {470, 275}});
}

// HICK: to the system clock (through /6 and the 8/48 MHz mux where the
// series has one), / 12 in all to the PLL, 48 MHz to the USB mux.
void addHick(Layout &l, const SeriesParams &s)
{
    l.addNode(key("hickpll"), Shape::Divider, QRect(290, 330, 30, 20), QStringLiteral("/2"));
    l.addWire({{320, 340}, {404, 340}, {404, 304}, {412, 304}});
    if (s.hickSclkUndivided) {
        l.addWire({{220, 387}, {794, 387}});
        l.addJunction({274, 387});
        l.addWire({{274, 387}, {274, 340}, {290, 340}});
        return;
    }
    addHickDivider(l, s.usbHickRadios);
    l.addJunction({274, 365});
    l.addWire({{274, 365}, {274, 340}, {290, 340}});
    addHickToSclkMux(l);
}

void addMultiplier(Layout &l)
{
    l.addNode(key("pll"), Shape::Pll, QRect(470, 200, 280, 146), key("PLL"));
    l.addAnchor(key("pllmult.caption"), key("pll"), 482, 244);
    l.addAnchor(key("pllmult"), key("pll"), 554, 240, 80);
    l.addAnchor(key("pll.value"), key("pll"), 554, 290);
    l.addWire({{750, 275}, {794, 275}});
    l.addAnchor(key("sclk.hint"), key("sclk"), 916, 246);
}

// ADC below APB2: divider, switch, and its line of the panel.
void addAdc(Layout &l)
{
    l.addJunction({1097, 571});
    l.addWire({{1097, 571}, {1097, 610}, {1036, 610}, {1036, 640}});
    l.addNode(key("adcdiv"), Shape::Divider, QRect(990, 640, 92, 56));
    l.addAnchor(key("adcdiv.caption"), key("adcdiv"), 998, 644);
    l.addAnchor(key("adcdiv"), key("adcdiv"), 998, 666, 76);
    l.addWire({{1036, 696}, {1036, 712}});
    l.addNode(key("adcswitch"), Shape::Divider, QRect(990, 712, 92, 36));
    l.addAnchor(key("adcswitch"), key("adcswitch"), 996, 719, 80);
    l.addWire({{1082, 729}, {1160, 729}});
    l.addAnchor(key("adc.caption"), key("panel"), kCaptionX, 721);
    l.addAnchor(key("adc.value"), key("panel"), kValueX, 716, 80);
}

// The one clock output: source mux in the middle, divider (where the series
// has one) and pin selector going left to the pin.
void addClockOutput(Layout &l, const SeriesParams &s)
{
    const ClockOutputParams &output = s.clockOutputs.first();
    const QString mux = key("clkout");
    const int step = 20;
    const int first = 596;
    const int last = first + step * (int(output.sources.size()) - 1);
    l.addNode(mux, Shape::Mux, QRect(506, first - 6, 28, last + kRadioSize + 10 - first), QString(), true);
    for (int i = 0; i < output.sources.size(); ++i) {
        const int y = first + step * i;
        const QString src = mux + QStringLiteral(".src%1").arg(i);
        l.addAnchor(mux + QStringLiteral(".%1").arg(i), mux, 514, y);
        l.addNode(src, Shape::Region, QRect(566, y - 2, 170, 20));
        l.addAnchor(src, src, 572, y);
        l.addAnchor(mux + QStringLiteral(".val%1").arg(i), src, 624, y);
        l.addWire({{568, y + kHalfRadio}, {534, y + kHalfRadio}});
    }
    const int captionY = last + kRadioSize + 8;
    l.addNode(mux + key(".label"), Shape::Region, QRect(496, captionY - 2, 80, 20));
    l.addAnchor(mux + key(".caption"), mux + key(".label"), 500, captionY);

    const int top = 660;
    const int wireY = top + 25 + kComboMid;
    if (!output.div1.isEmpty()) {
        l.addNode(key("clockoutdiv"), Shape::Divider, QRect(376, top, 100, 56));
        l.addAnchor(key("clockoutdiv.caption"), key("clockoutdiv"), 384, top + 5);
        l.addAnchor(key("clockoutdiv"), key("clockoutdiv"), 383, top + 25, 80);
        l.addWire({{506, wireY}, {476, wireY}});
        l.addWire({{376, wireY}, {354, wireY}});
    } else {
        l.addWire({{506, wireY}, {354, wireY}});
    }
    l.addNode(key("clockoutPinSelect"), Shape::Divider, QRect(252, top, 102, 56));
    l.addAnchor(key("clockoutPinSelect.caption"), key("clockoutPinSelect"), 260, top + 5);
    l.addAnchor(key("clockoutPinSelect"), key("clockoutPinSelect"), 263, top + 25, 80);
    l.addNode(mux + key(".pin"), Shape::Endpoint, QRect(92, top, 136, 56), key("CLKOUT"));
    l.addAnchor(mux + key(".output"), mux + key(".pin"), 98, top + 30);
    l.addWire({{252, wireY}, {228, wireY}});
}

void addMultiplierBlock(Layout &l, const SeriesParams &)
{
    addMultiplier(l);
}

} // namespace

Layout detail::multiplierFamilyLayout(const SeriesParams &s, const QSize &size,
                                      void (*addPllBlock)(Layout &, const SeriesParams &))
{
    Layout l;
    l.bitmapName = s.bitmapPath().section(QLatin1Char('/'), -1);
    l.caption = s.seriesName();
    l.size = size;
    addOscillators(l);
    addRtc(l, s.rtcHextDiv);
    addPllInputs(l, s);
    addHick(l, s);
    addSystem(l, s.usbHickRadios, s.hasUsb());
    addPllBlock(l, s);
    addPanel(l, int(s.ahbBoxes.size()), 770);
    addAdc(l);
    addClockOutput(l, s);
    return l;
}

Layout multiplierPllLayout(const SeriesParams &s)
{
    return multiplierFamilyLayout(s, QSize(1408, 830), addMultiplierBlock);
}

} // namespace ClockTree

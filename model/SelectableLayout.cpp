#include "LayoutPieces.h"
#include "SeriesTable.h"

// The drawing of the mode-selectable series: the multiplier family's tree
// with a PLL block holding both modes' controls (the widget shows one set at
// a time), and QXE020's peripheral clock selectors.

namespace ClockTree {

namespace {

using namespace detail;

void addSelectablePll(Layout &l, const SeriesParams &)
{
    l.addNode(key("pll"), Shape::Pll, QRect(470, 200, 280, 146), key("PLL"));
    l.addAnchor(key("pllmode.caption"), key("pll"), 480, 208);
    l.addAnchor(key("pllmode"), key("pll"), 552, 204, 90);
    // Normal mode: the multiplier alone.
    l.addAnchor(key("pllmult.caption"), key("pll"), 482, 244);
    l.addAnchor(key("pllmult"), key("pll"), 554, 240, 80);
    // Flexible mode: ms, ns, fr and the register word.
    const struct {
        const char *id;
        int y;
        int width;
    } factors[] = {{"pllms", 234, 60}, {"pllns", 260, 60}, {"pllfr", 288, 70}};
    for (const auto &factor : factors) {
        const QString id = key(factor.id);
        l.addAnchor(id + key(".caption"), key("pll"), 480, factor.y + 4);
        l.addAnchor(id, key("pll"), 540, factor.y, factor.width);
        if (factor.width == 60)
            l.addAnchor(id + key(".hint"), key("pll"), 606, factor.y + 4);
    }
    l.addAnchor(key("pll.value"), key("pll"), 640, 292);
    l.addAnchor(key("pllcfg.caption"), key("pll"), 480, 322);
    l.addAnchor(key("pllcfg"), key("pll"), 586, 318, 100);
    l.addWire({{750, 275}, {794, 275}});
    l.addAnchor(key("sclk.hint"), key("sclk"), 916, 246);
}

// One peripheral clock selector: its source captions, the mux, and the
// kernel clock box with its unit.
void addSelector(Layout &l, const char *name, int sources, int top)
{
    const QString id = key(name);
    const int step = 20;
    const int height = step * (sources - 1) + kRadioSize + 12;
    l.addNode(id + key(".label"), Shape::Region, QRect(766, top - 22, 200, 20));
    l.addAnchor(id + key(".caption"), id + key(".label"), 770, top - 20);
    // The source names stand left of their input wires, which meet the
    // mux at the centre of each radio.
    l.addNode(id + key(".srcs"), Shape::Region, QRect(726, top, 60, height));
    l.addNode(id, Shape::Mux, QRect(830, top, 28, height));
    for (int i = 0; i < sources; ++i) {
        const int y = top + 6 + step * i;
        l.addAnchor(id + QStringLiteral(".text%1").arg(i), id + key(".srcs"), 730, y);
        l.addAnchor(id + QStringLiteral(".%1").arg(i), id, 836, y);
        l.addWire({{784, y + kRadioSize / 2}, {830, y + kRadioSize / 2}});
    }
    const int mid = top + height / 2;
    l.addWire({{858, mid}, {872, mid}});
    l.addNode(id + key(".box"), Shape::Region, QRect(872, mid - 14, 110, 28));
    l.addAnchor(id + key(".value"), id + key(".box"), 874, mid - 12, 64);
    l.addAnchor(id + key(".unit"), id + key(".box"), 940, mid - 8);
}

} // namespace

Layout selectablePllLayout(const SeriesParams &s)
{
    Layout l = multiplierFamilyLayout(s, QSize(s.bitmapWidth, s.bitmapHeight), addSelectablePll);
    if (s.designElements.contains(QStringLiteral("usart1clocksel"))) {
        addSelector(l, "usart1clocksel", 4, 500);
        addSelector(l, "usart2clocksel", 4, 615);
        addSelector(l, "i2c1clocksel", 3, 730);
    }
    return l;
}

} // namespace ClockTree

#include "ClockConfig.h"
#include "ClockSolver.h"
#include "DesignDocument.h"
#include "SeriesTable.h"
#include "TreeClocks.h"

#include <QRandomGenerator>
#include <QtTest>

#include <functional>

// The solver against a brute force written apart from it: every combination
// of a reduced option list per series, judged by the tree's rules, ranked
// by the same ranking; both must find designs of the same rank.

namespace {

using Space = ClockSolver::Space;

// A reduced list: the candidates the series offers (the full list has
// them), plus the start's own value.
template <typename T> QVector<T> reduce(const QVector<T> &full, const QVector<T> &candidates, T start)
{
    QVector<T> out;
    for (const T &v : candidates) {
        if (full.contains(v) && !out.contains(v))
            out << v;
    }
    if (!out.contains(start))
        out << start;
    return out;
}

Space reducedSpace(const ClockConfig &start)
{
    const Space full = ClockSolver::fullSpace(start);
    Space s;
    s.sclkSource = reduce(full.sclkSource, {0, 1, 2}, start.sclkSource);
    s.hickSclk48 = reduce(full.hickSclk48, {0, 1}, start.hickSclk48);
    s.pllSourceHick = reduce(full.pllSourceHick, {0, 1}, start.pllSourceHick);
    // The divided HEXT path only where it has a divider of its own to choose.
    const bool divider = full.hextDivValue.size() > 1;
    s.hextDivEnabled =
        reduce(full.hextDivEnabled, divider ? QVector<int>{0, 1} : QVector<int>{}, start.hextDivEnabled);
    s.hextDivValue = reduce(full.hextDivValue, {3}, start.hextDivValue);
    s.pllFlexible = reduce(full.pllFlexible, {0, 1}, start.pllFlexible);
    s.pllMult = reduce(full.pllMult, {12}, start.pllMult);
    s.pllMs = reduce(full.pllMs, {}, start.pllMs);
    s.pllNs = reduce(full.pllNs, {125}, start.pllNs);
    s.pllFr = reduce(full.pllFr, {4}, start.pllFr);
    s.ahbDiv = reduce(full.ahbDiv, {1, 2}, start.ahbDiv);
    s.apb1Div = reduce(full.apb1Div, {1, 2}, start.apb1Div);
    s.apb2Div = reduce(full.apb2Div, {1, 4}, start.apb2Div);
    s.adcEnabled = reduce(full.adcEnabled, {0, 1}, int(start.adcEnabled));
    s.adcDiv = reduce(full.adcDiv, {2, 6}, start.adcDiv);
    s.usbDisabled = reduce(full.usbDisabled, {0, 1}, start.usbDisabled);
    s.usbSourceHick48 = reduce(full.usbSourceHick48, {0, 1}, start.usbSourceHick48);
    s.usbDiv = reduce(full.usbDiv, {3.0}, start.usbDiv);
    for (int i = 0; i < full.outSource.size(); ++i) {
        const QVector<int> sources = full.outSource.at(i);
        // The first and the last source of the output: the system clock or HICK, and a PLL or LEXT.
        s.outSource << reduce(sources, {sources.first(), sources.last()}, sources.first());
        s.outDiv1 << reduce(full.outDiv1.at(i), {1, 2}, full.outDiv1.at(i).first());
        s.outDiv2 << reduce(full.outDiv2.at(i), {}, 1);
    }
    return s;
}

// One combination, as the record's fields.
struct Combo {
    ClockConfig record{0};
    TreeClockList clocks;
    const ClockConfig *start = nullptr;
    int changes = 0;
};

// What a valid combination gives the clocks a want may name, by name index.
struct Given {
    QVector<Rational> mhz;
    QVector<bool> on; // in use (the PLL counts as running: its wants concern its value)
    int changes = 0;
};

Given givenBy(const TreeClockList &clocks, int changes, const QStringList &names)
{
    Given g;
    g.changes = changes;
    for (const QString &name : names) {
        const TreeClock *clock = TreeClocks::find(clocks, name);
        g.mhz << clock->mhz;
        g.on << (clock->inUse || name == QLatin1String("pll"));
    }
    return g;
}

const Rational &clockValue(const Combo &c, const QString &name)
{
    return TreeClocks::find(c.clocks, name)->mhz;
}

// The rules a saved design keeps, written from the series' description.
bool keepsTheRules(const Combo &c)
{
    const ClockConfig &r = c.record;
    const SeriesParams &p = *r.params();
    const Rational limit(p.sclkLimitMHz);
    const Rational ahb = clockValue(c, "ahb");
    if (clockValue(c, "sclk") > limit)
        return false;
    // The APB dividers as chosen (a /1 above the limit would be raised: not this combination).
    if (ahb / Rational(r.apb1Div) > Rational(p.apbLimitMHz) ||
        ahb / Rational(r.apb2Div) > Rational(p.apbLimitMHz))
        return false;
    // Factors that break the PLL's rules are never offered, used or not; the start's own stay.
    const bool startFactors =
        r.pllMs == c.start->pllMs && r.pllNs == c.start->pllNs && r.pllFr == c.start->pllFr;
    if (r.flexiblePllActive() && !startFactors) {
        const Rational ref = clockValue(c, "pllin") / Rational(r.pllMs);
        const Rational vco = ref * Rational(r.pllNs);
        if (ref < Rational(2) || ref > Rational(16) || vco < Rational(500) || vco > Rational(1000))
            return false;
    }
    if (r.pllInUse()) {
        const Rational in = clockValue(c, "pllin");
        const Rational pll = clockValue(c, "pll");
        if (pll > limit)
            return false;
        if (r.flexiblePllActive()) {
            const Rational ref = in / Rational(r.pllMs);
            const Rational vco = ref * Rational(r.pllNs);
            if (ref < Rational(2) || ref > Rational(16) || vco < Rational(500) || vco > Rational(1000))
                return false;
        } else {
            if (p.pllInputRangeCheck && r.pllSourceHick == 0 && (in < Rational(2) || in > Rational(16)))
                return false;
            if (p.pllMinMHz > 0 && pll < Rational(p.pllMinMHz))
                return false;
        }
    }
    const TreeClock *usb = TreeClocks::find(c.clocks, "usb");
    if (usb && usb->inUse && usb->mhz != Rational(48))
        return false;
    const TreeClock *adc = TreeClocks::find(c.clocks, "adc");
    if (adc && adc->inUse && adc->mhz > Rational(p.adcLimitMHz))
        return false;
    for (int i = 0; i < p.clockOutputs.size(); ++i) {
        const bool multi = p.multiOutput();
        const int pin = !multi ? r.clkoutPin : i == 0 ? r.clkout1Pin : r.clkout2Pin;
        const int code = !multi ? r.clkoutSource : i == 0 ? r.clkout1Source : r.clkout2Source;
        const ClockSourceKind kind = p.clockOutputs.at(i).sourceByCode(code)->kind;
        if (pin == 0)
            continue;
        if (kind == ClockSourceKind::Usb && !(usb && usb->inUse))
            return false;
        if (kind == ClockSourceKind::Adc && !(adc && adc->inUse))
            return false;
    }
    return true;
}

// Every combination of the space, with its clocks and the settings it changes.
QVector<Given> allCombos(const ClockConfig &start, const Space &s)
{
    QVector<Given> out;
    const QStringList names = ClockSolver::clockNames(*start.params());
    const SeriesParams &p = *start.params();
    ClockConfig r = start;
    int changes = 0;
    // Walks one setting after another; `leaf` runs on each full combination.
    std::function<void(int)> walk;
    QVector<std::function<void(std::function<void()>)>> levels;
    const auto intLevel = [&](int ClockConfig::*field, const QVector<int> &values) {
        levels << [&r, &changes, &start, field, values](std::function<void()> next) {
            for (int v : values) {
                r.*field = v;
                changes += v != start.*field;
                next();
                changes -= v != start.*field;
            }
            r.*field = start.*field;
        };
    };
    intLevel(&ClockConfig::sclkSource, s.sclkSource);
    intLevel(&ClockConfig::hickSclk48, s.hickSclk48);
    intLevel(&ClockConfig::pllSourceHick, s.pllSourceHick);
    intLevel(&ClockConfig::hextDivEnabled, s.hextDivEnabled);
    intLevel(&ClockConfig::hextDivValue, s.hextDivValue);
    intLevel(&ClockConfig::pllFlexible, s.pllFlexible);
    intLevel(&ClockConfig::pllMult, s.pllMult);
    intLevel(&ClockConfig::pllMs, s.pllMs);
    intLevel(&ClockConfig::pllNs, s.pllNs);
    intLevel(&ClockConfig::pllFr, s.pllFr);
    intLevel(&ClockConfig::ahbDiv, s.ahbDiv);
    intLevel(&ClockConfig::apb1Div, s.apb1Div);
    intLevel(&ClockConfig::apb2Div, s.apb2Div);
    levels << [&](std::function<void()> next) {
        for (int v : s.adcEnabled) {
            r.adcEnabled = v;
            changes += v != int(start.adcEnabled);
            next();
            changes -= v != int(start.adcEnabled);
        }
        r.adcEnabled = start.adcEnabled;
    };
    intLevel(&ClockConfig::adcDiv, s.adcDiv);
    intLevel(&ClockConfig::usbDisabled, s.usbDisabled);
    intLevel(&ClockConfig::usbSourceHick48, s.usbSourceHick48);
    levels << [&](std::function<void()> next) {
        for (double v : s.usbDiv) {
            r.usbDiv = v;
            changes += v != start.usbDiv;
            next();
            changes -= v != start.usbDiv;
        }
        r.usbDiv = start.usbDiv;
    };
    if (p.multiOutput()) {
        intLevel(&ClockConfig::clkout1Source, s.outSource.at(0));
        intLevel(&ClockConfig::clkout1Div1, s.outDiv1.at(0));
        intLevel(&ClockConfig::clkout1Div2, s.outDiv2.at(0));
        intLevel(&ClockConfig::clkout2Source, s.outSource.at(1));
        intLevel(&ClockConfig::clkout2Div1, s.outDiv1.at(1));
        intLevel(&ClockConfig::clkout2Div2, s.outDiv2.at(1));
    } else {
        intLevel(&ClockConfig::clkoutSource, s.outSource.at(0));
        intLevel(&ClockConfig::clkoutDiv, s.outDiv1.at(0));
    }
    walk = [&](int level) {
        if (level == levels.size()) {
            Combo c;
            c.record = r;
            c.start = &start;
            c.clocks = TreeClocks::of(r);
            if (keepsTheRules(c))
                out << givenBy(c.clocks, changes, names);
            return;
        }
        levels.at(level)([&walk, level] { walk(level + 1); });
    };
    walk(0);
    return out;
}

// A design's rank, computed as the ranking reads.
struct Rank {
    int unmet = 0;
    QVector<Rational> maxima;
    int changes = 0;
    Rational error;
    bool keepsOk = true;
};

bool rankedBefore(const Rank &a, const Rank &b)
{
    if (a.unmet != b.unmet)
        return a.unmet < b.unmet;
    for (int i = 0; i < a.maxima.size(); ++i) {
        if (a.maxima.at(i) != b.maxima.at(i))
            return a.maxima.at(i) > b.maxima.at(i);
    }
    if (a.changes != b.changes)
        return a.changes < b.changes;
    return a.error < b.error;
}

bool sameRank(const Rank &a, const Rank &b)
{
    return !rankedBefore(a, b) && !rankedBefore(b, a);
}

struct Asked {
    QVector<ClockWant> wants;
    QVector<int> wantAt; // name index of each want
    QVector<int> keepAt;
};

Rank rankOf(const Given &g, const Given &start, const Asked &asked)
{
    Rank rank;
    rank.changes = g.changes;
    for (int k : asked.keepAt) {
        if (g.on.at(k) != start.on.at(k) || (g.on.at(k) && g.mhz.at(k) != start.mhz.at(k)))
            rank.keepsOk = false;
    }
    for (int w = 0; w < asked.wants.size(); ++w) {
        const ClockWant &want = asked.wants.at(w);
        const bool on = g.on.at(asked.wantAt.at(w));
        const Rational &mhz = g.mhz.at(asked.wantAt.at(w));
        bool met = on;
        switch (want.kind) {
        case ClockWant::Kind::Max:
            rank.maxima << (on ? mhz : Rational());
            break;
        case ClockWant::Kind::Exact:
            met = on && mhz == want.mhz;
            rank.error = rank.error + (on ? (mhz - want.mhz).abs() : want.mhz);
            break;
        case ClockWant::Kind::AtMost:
            met = on && mhz <= want.mhz;
            break;
        case ClockWant::Kind::AtLeast:
            met = on && mhz >= want.mhz;
            break;
        }
        rank.unmet += !met;
    }
    return rank;
}

// A start per series: the factory design with USB on (where there is one) and
// every clock output on its first pin, so that the outputs take part.
ClockConfig startOf(const SeriesParams &p, bool pins)
{
    DesignDocument document(p.id);
    ClockConfig c = document.record();
    c.usbDisabled = 0;
    if (p.multiOutput()) {
        c.clkout1Pin = pins;
        c.clkout2Pin = pins;
    } else {
        c.clkoutPin = pins;
    }
    c.recompute();
    return c;
}

} // namespace

class TestClockSolver : public QObject {
    Q_OBJECT

private slots:
    void wantParsing_data();
    void wantParsing();
    void agreesWithBruteForce_data();
    void agreesWithBruteForce();
    void literalAnswers_data();
    void literalAnswers();
};

void TestClockSolver::wantParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // empty: refused
    QTest::newRow("exact") << "usb=48"
                           << "usb=48";
    QTest::newRow("at most") << "adc<=28"
                             << "adc<=28";
    QTest::newRow("at least, decimals") << "apb1>=36.5"
                                        << "apb1>=36.5";
    QTest::newRow("max") << "sclk=max"
                         << "sclk=max";
    QTest::newRow("blanks") << " sclk = 100 "
                            << "sclk=100";
    QTest::newRow("no clock") << "=48"
                              << "";
    QTest::newRow("no value") << "usb="
                              << "";
    QTest::newRow("negative") << "usb=-1"
                              << "";
    QTest::newRow("min is no kind") << "sclk=min"
                                    << "";
    QTest::newRow("no operator") << "usb48"
                                 << "";
}

void TestClockSolver::wantParsing()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    ClockWant want;
    QString error;
    QCOMPARE(ClockWant::parse(text, &want, &error), !read.isEmpty());
    if (!read.isEmpty())
        QCOMPARE(want.text(), read);
    else
        QVERIFY(!error.isEmpty());
}

void TestClockSolver::agreesWithBruteForce_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<bool>("pins");
    for (const SeriesParams &p : SeriesTable::all())
        QTest::newRow(p.name) << p.id << true;
    // Outputs without a pin give no clock, whatever is asked of them.
    QTest::newRow("QXC330 without pins") << 13 << false;
    QTest::newRow("QXC300 without pins") << 2 << false;
}

void TestClockSolver::agreesWithBruteForce()
{
    QFETCH(int, series);
    QFETCH(bool, pins);
    const SeriesParams &p = *SeriesTable::byId(series);
    const ClockConfig start = startOf(p, pins);
    const Space space = reducedSpace(start);
    const QVector<Given> combos = allCombos(start, space);
    QVERIFY(combos.size() > 50);
    const QStringList names = ClockSolver::clockNames(p);
    const Given startGiven = givenBy(TreeClocks::of(start), 0, names);

    QRandomGenerator random(4000 + quint32(series)); // the same sets on every run
    int answered = 0;
    int unanswered = 0;
    for (int round = 0; round < 200; ++round) {
        Asked asked;
        const int count = 1 + int(random.bounded(4));
        for (int w = 0; w < count; ++w) {
            ClockWant want;
            const int at = int(random.bounded(names.size()));
            want.clock = names.at(at);
            want.kind = ClockWant::Kind(random.bounded(4));
            // Half the targets are a clock some combination gives, the others a round number.
            const Given &some = combos.at(int(random.bounded(combos.size())));
            want.mhz = random.bounded(2) ? some.mhz.at(at) : Rational(qint64(1 + random.bounded(300)));
            asked.wants << want;
            asked.wantAt << at;
        }
        QStringList keeps;
        for (int k = int(random.bounded(3)); k > 0; --k) {
            const int at = int(random.bounded(names.size()));
            keeps << names.at(at);
            asked.keepAt << at;
        }

        bool found = false;
        Rank best;
        for (const Given &g : combos) {
            const Rank rank = rankOf(g, startGiven, asked);
            if (rank.keepsOk && (!found || rankedBefore(rank, best))) {
                best = rank;
                found = true;
            }
        }
        const ClockSolver::Result result = ClockSolver::solve(start, asked.wants, keeps, space);
        QStringList texts;
        for (const ClockWant &want : asked.wants)
            texts << want.text();
        const QByteArray where =
            QStringLiteral("round %1: %2 keep %3").arg(round).arg(texts.join(' '), keeps.join(',')).toUtf8();
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.designs.isEmpty(), !found);
        if (!found)
            continue;
        // The solver's design is a valid combination, of the best rank.
        const ClockSolver::Design &design = result.designs.first();
        Combo chosen;
        chosen.record = design.record;
        chosen.start = &start;
        chosen.clocks = TreeClocks::of(design.record);
        QVERIFY2(keepsTheRules(chosen), where.constData());
        const Rank rank = rankOf(givenBy(chosen.clocks, design.changed.size(), names), startGiven, asked);
        QVERIFY2(rank.keepsOk, where.constData());
        const QByteArray ranks = where + " solver " + QByteArray::number(rank.unmet) + "/" +
                                 QByteArray::number(rank.changes) + " brute force " +
                                 QByteArray::number(best.unmet) + "/" + QByteArray::number(best.changes);
        QVERIFY2(sameRank(rank, best), ranks.constData());
        QCOMPARE(design.unmet, best.unmet);
        QCOMPARE(result.solved(), best.unmet == 0);
        (best.unmet == 0 ? answered : unanswered)++;
    }
    // Both kinds of sets were weighed.
    QVERIFY2(answered >= 20 && unanswered >= 20,
             qPrintable(QStringLiteral("%1 answered, %2 not").arg(answered).arg(unanswered)));
}

void TestClockSolver::literalAnswers_data()
{}
void TestClockSolver::literalAnswers()
{}

QTEST_GUILESS_MAIN(TestClockSolver)
#include "tst_clocksolver.moc"

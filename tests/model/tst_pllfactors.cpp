#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

#include <cmath>

namespace {

struct Candidate {
    int fr;
    int ms;
    int ns;
    double out;
};

bool factorsValid(double ref, int ms, int ns)
{
    const double vco = ns * ref / ms;
    return ref / ms >= 2.0 && ref / ms <= 16.0 && vco >= 500.0 && vco <= 1000.0 && ns >= 31 && ns <= 500;
}

// Every factor set that obeys both rules, in search order (fr descending, ms
// and ns ascending), enumerated independently of the search's own ranges.
QVector<Candidate> validCandidates(double ref)
{
    QVector<Candidate> out;
    for (int fr : {32, 16, 8, 4, 2, 1}) {
        for (int ms = 1; ms <= 15; ++ms) {
            for (int ns = 31; ns <= 500; ++ns) {
                if (factorsValid(ref, ms, ns))
                    out.append({fr, ms, ns, ns * ref / (fr * ms)});
            }
        }
    }
    return out;
}

ClockConfig withHext(int series, double hextMHz)
{
    ClockConfig c(series);
    c.hextMHz = hextMHz;
    return c;
}

} // namespace

// The flexible PLL's factor rules: the ms range, the ms and ns suggestions,
// and the search for the factors nearest a target.
class TestPllFactors : public QObject {
    Q_OBJECT

private slots:
    void msRange_data();
    void msRange();
    void suggestions_data();
    void suggestions();
    void searchExamples_data();
    void searchExamples();
    void searchProperties_data();
    void searchProperties();
    void searchWithoutValidRange();
};

void TestPllFactors::msRange_data()
{
    QTest::addColumn<double>("ref");
    QTest::addColumn<int>("msMin");
    QTest::addColumn<int>("msMax");
    QTest::newRow("8 MHz") << 8.0 << 1 << 4;
    QTest::newRow("16 MHz both ends") << 16.0 << 1 << 8;
    QTest::newRow("30 MHz") << 30.0 << 2 << 15;
    QTest::newRow("1.9 MHz none fits: all") << 1.9 << 1 << 15;
    QTest::newRow("300 MHz none fits: all") << 300.0 << 1 << 15;
}

void TestPllFactors::msRange()
{
    QFETCH(double, ref);
    QFETCH(int, msMin);
    QFETCH(int, msMax);
    int lo = -1;
    int hi = -1;
    ClockConfig(13).msRangeFor(ref, lo, hi);
    QCOMPARE(lo, msMin);
    QCOMPARE(hi, msMax);
}

void TestPllFactors::suggestions_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("hickRef");
    QTest::addColumn<double>("hext");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("ns");         // 0: the row asks about ms
    QTest::addColumn<int>("suggestion"); // equal to the input when accepted

    QTest::newRow("ms: 8 / 4 is exactly 2") << 13 << 0 << 8.0 << 4 << 0 << 4;
    QTest::newRow("ms: 8 / 5 too small") << 13 << 0 << 8.0 << 5 << 0 << 4;
    QTest::newRow("ms: 25 / 1 too large") << 13 << 0 << 25.0 << 1 << 0 << 2;
    QTest::newRow("ms: 25 / 13 too small") << 5 << 0 << 25.0 << 13 << 0 << 12;
    QTest::newRow("ms: HICK 8 MHz / 5") << 14 << 1 << 25.0 << 5 << 0 << 4;
    QTest::newRow("ms: HICK 4 MHz / 3") << 5 << 1 << 8.0 << 3 << 0 << 2;
    QTest::newRow("ms: 0 refused") << 13 << 0 << 8.0 << 0 << 0 << 1;
    QTest::newRow("ns: 8 x 72 in range") << 13 << 0 << 8.0 << 1 << 72 << 72;
    QTest::newRow("ns: both edges inside") << 13 << 0 << 8.0 << 1 << 125 << 125;
    QTest::newRow("ns: 1600 MHz down to 1000") << 13 << 0 << 8.0 << 1 << 200 << 125;
    QTest::newRow("ns: 320 MHz up to 504") << 13 << 0 << 8.0 << 1 << 40 << 63;
    QTest::newRow("ns: up from 31 with ms 15") << 13 << 0 << 25.0 << 15 << 31 << 300;
    QTest::newRow("ns: none reachable gives 31") << 13 << 0 << 4.0 << 15 << 40 << 31;
    QTest::newRow("ns: ms 0 refused") << 13 << 0 << 8.0 << 0 << 72 << 31;
}

void TestPllFactors::suggestions()
{
    QFETCH(int, series);
    QFETCH(int, hickRef);
    QFETCH(double, hext);
    QFETCH(int, ms);
    QFETCH(int, ns);
    QFETCH(int, suggestion);
    ClockConfig c = withHext(series, hext);
    c.pllSourceHick = hickRef;
    int s = -1;
    const bool accepted = ns == 0 ? c.suggestMs(ms, s) : c.suggestNs(ns, ms, s);
    QCOMPARE(s, suggestion);
    QCOMPARE(accepted, suggestion == (ns == 0 ? ms : ns) && ms > 0);
}

void TestPllFactors::searchExamples_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("ref");
    QTest::addColumn<double>("target"); // sclk, or the USB divider when forUsb
    QTest::addColumn<bool>("forUsb");
    QTest::addColumn<QVector<int>>("frMsNs");
    QTest::addColumn<double>("reached");

    QTest::newRow("12 to 100") << 13 << 12.0 << 100.0 << false << QVector<int>{8, 3, 200} << 100.0;
    QTest::newRow("8 to 287.3") << 13 << 8.0 << 287.3 << false << QVector<int>{2, 4, 287} << 287.0;
    QTest::newRow("8 to 288") << 13 << 8.0 << 288.0 << false << QVector<int>{2, 1, 72} << 288.0;
    QTest::newRow("4 to 96 on E020") << 16 << 4.0 << 96.0 << false << QVector<int>{8, 1, 192} << 96.0;
    QTest::newRow("USB /6 from 8") << 13 << 8.0 << 6.0 << true << QVector<int>{2, 1, 72} << 288.0;
    QTest::newRow("USB /2.5 from 12") << 13 << 12.0 << 2.5 << true << QVector<int>{8, 1, 80} << 120.0;
    QTest::newRow("USB target truncated to 48")
        << 13 << 8.0 << 1.01 << true << QVector<int>{16, 1, 96} << 48.0;
}

void TestPllFactors::searchExamples()
{
    QFETCH(int, series);
    QFETCH(double, ref);
    QFETCH(double, target);
    QFETCH(bool, forUsb);
    QFETCH(QVector<int>, frMsNs);
    QFETCH(double, reached);
    ClockConfig c = withHext(series, ref);
    c.sclkMHz = forUsb ? 1.0 : target;
    c.usbDiv = target;
    c.searchPllFactors(ref, forUsb);
    QCOMPARE((QVector<int>{c.pllFr, c.pllMs, c.pllNs}), frMsNs);
    QCOMPARE(c.pllMHz, reached);
    // The USB search leaves the system clock alone.
    QCOMPARE(c.sclkMHz, forUsb ? 1.0 : reached);
}

void TestPllFactors::searchProperties_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("ref");
    for (const SeriesParams &row : SeriesTable::all()) {
        if (row.hasFlexiblePll()) {
            for (double ref : {4.0, 8.0, 12.0, 25.0, 7.3728})
                QTest::addRow("%s ref %g", row.name, ref) << row.id << ref;
        }
    }
    QTest::newRow("2 MHz reference") << 13 << 2.0;
    QTest::newRow("30 MHz reference, ms 2..15") << 13 << 30.0;
}

// For targets on a grid and targets built from valid factors: the result
// obeys both rules, is as near as any valid candidate, reaches built targets
// exactly, and breaks ties towards the larger fr, then the smaller ms, then
// the smaller ns.
void TestPllFactors::searchProperties()
{
    QFETCH(int, series);
    QFETCH(double, ref);
    const QVector<Candidate> valid = validCandidates(ref);
    QVERIFY(!valid.isEmpty());
    QVector<double> targets;
    for (double t = 4.0; t <= 300.0; t += 3.7)
        targets.append(t);
    for (int i = 0; i < valid.size(); i += 97)
        targets.append(valid.at(i).out);

    for (double target : targets) {
        ClockConfig c = withHext(series, ref);
        c.sclkMHz = target;
        c.searchPllFactors(ref, false);
        const QByteArray where = QByteArray::number(target, 'g', 17);
        QVERIFY2(factorsValid(ref, c.pllMs, c.pllNs), where);
        QCOMPARE(c.pllMHz, c.pllNs * ref / (c.pllFr * c.pllMs));
        const Candidate *best = &valid.first();
        for (const Candidate &k : valid) {
            if (std::fabs(k.out - target) < std::fabs(best->out - target))
                best = &k;
        }
        QVERIFY2(c.pllFr == best->fr && c.pllMs == best->ms && c.pllNs == best->ns, where);
        if (best->out == target)
            QCOMPARE(c.sclkMHz, target);
    }
}

void TestPllFactors::searchWithoutValidRange()
{
    // A 1 MHz reference fits no ms, so every ms is tried: 50 MHz is still
    // reached exactly.
    ClockConfig c = withHext(13, 1.0);
    c.sclkMHz = 50.0;
    c.searchPllFactors(1.0, false);
    QVERIFY(c.pllMs >= 1 && c.pllMs <= 15 && c.pllNs >= 31 && c.pllNs <= 500);
    QCOMPARE(c.pllMHz, 50.0);
    QCOMPARE(c.pllNs * 1.0 / (c.pllFr * c.pllMs), 50.0);
    // A target beyond every candidate still leaves valid factors behind.
    ClockConfig far = withHext(13, 8.0);
    far.sclkMHz = 1e9;
    far.searchPllFactors(8.0, false);
    QVERIFY(factorsValid(8.0, far.pllMs, far.pllNs));
}

QTEST_GUILESS_MAIN(TestPllFactors)
#include "tst_pllfactors.moc"

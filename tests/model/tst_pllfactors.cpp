#include "ClockConfig.h"
#include "SeriesTable.h"

#include <QtTest>

#include <cmath>

namespace {

const int kFrs[] = {32, 16, 8, 4, 2, 1};

bool refOk(double ref, int ms)
{
    return ref / ms >= 2.0 && ref / ms <= 16.0;
}

bool vcoOk(double ref, int ms, int ns)
{
    const double v = ns * ref / ms;
    return v >= 500.0 && v <= 1000.0;
}

struct Candidate {
    int fr;
    int ms;
    int ns;
    double out;
};

// Every factor set that obeys both rules, enumerated independently of the
// search's own range computations.
QVector<Candidate> validCandidates(double ref)
{
    QVector<Candidate> out;
    for (int fr : kFrs) {
        for (int ms = 1; ms <= 15; ++ms) {
            if (!refOk(ref, ms))
                continue;
            for (int ns = 31; ns <= 500; ++ns) {
                if (vcoOk(ref, ms, ns))
                    out.append({fr, ms, ns, ns * ref / (fr * ms)});
            }
        }
    }
    return out;
}

// A record whose PLL reference is `ref`: HEXT for ref >= 4, else HICK on a
// series whose HICK path gives it.
ClockConfig recordFor(int series, double ref)
{
    ClockConfig c(series);
    c.pllSourceHick = 0;
    c.hextMHz = ref;
    return c;
}

} // namespace

class TestPllFactors : public QObject {
    Q_OBJECT

private slots:
    void msRange_data();
    void msRange();
    void suggestMs_data();
    void suggestMs();
    void suggestNs_data();
    void suggestNs();
    void searchExamples_data();
    void searchExamples();
    void searchForUsb_data();
    void searchForUsb();
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
    QTest::newRow("25 MHz") << 25.0 << 2 << 12;
    QTest::newRow("16 MHz both ends") << 16.0 << 1 << 8;
    QTest::newRow("2 MHz only ms 1") << 2.0 << 1 << 1;
    QTest::newRow("30 MHz") << 30.0 << 2 << 15;
    QTest::newRow("1.9 MHz none fits") << 1.9 << 1 << 15;
    QTest::newRow("300 MHz none fits") << 300.0 << 1 << 15;
}

void TestPllFactors::msRange()
{
    QFETCH(double, ref);
    QFETCH(int, msMin);
    QFETCH(int, msMax);
    ClockConfig c(13);
    int lo = -1;
    int hi = -1;
    c.msRangeFor(ref, lo, hi);
    QCOMPARE(lo, msMin);
    QCOMPARE(hi, msMax);
}

void TestPllFactors::suggestMs_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("hickRef");
    QTest::addColumn<double>("hext");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("suggestion");

    QTest::newRow("8 MHz / 1") << 13 << 0 << 8.0 << 1 << true << 1;
    QTest::newRow("8 MHz / 4 is exactly 2") << 13 << 0 << 8.0 << 4 << true << 4;
    QTest::newRow("8 MHz / 5 too small") << 13 << 0 << 8.0 << 5 << false << 4;
    QTest::newRow("8 MHz / 15 too small") << 13 << 0 << 8.0 << 15 << false << 4;
    QTest::newRow("25 MHz / 1 too large") << 13 << 0 << 25.0 << 1 << false << 2;
    QTest::newRow("25 MHz / 13 too small") << 5 << 0 << 25.0 << 13 << false << 12;
    QTest::newRow("HICK 8 MHz / 5") << 14 << 1 << 25.0 << 5 << false << 4;
    QTest::newRow("HICK 4 MHz / 3") << 5 << 1 << 8.0 << 3 << false << 2;
    QTest::newRow("HICK 4 MHz / 2") << 2 << 1 << 8.0 << 2 << true << 2;
    QTest::newRow("ms 0 refused") << 13 << 0 << 8.0 << 0 << false << 1;
}

void TestPllFactors::suggestMs()
{
    QFETCH(int, series);
    QFETCH(int, hickRef);
    QFETCH(double, hext);
    QFETCH(int, ms);
    QFETCH(bool, accepted);
    QFETCH(int, suggestion);
    ClockConfig c(series);
    c.pllSourceHick = hickRef;
    c.hextMHz = hext;
    int s = -1;
    QCOMPARE(c.suggestMs(ms, s), accepted);
    if (!accepted)
        QCOMPARE(s, suggestion);
}

void TestPllFactors::suggestNs_data()
{
    QTest::addColumn<double>("hext");
    QTest::addColumn<int>("ns");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("suggestion");

    QTest::newRow("8 x 72 in range") << 8.0 << 72 << 1 << true << 72;
    QTest::newRow("1600 MHz down to 1000") << 8.0 << 200 << 1 << false << 125;
    QTest::newRow("320 MHz up to 504") << 8.0 << 40 << 1 << false << 63;
    QTest::newRow("edges are inside") << 8.0 << 125 << 1 << true << 125;
    QTest::newRow("lower edge inside") << 10.0 << 50 << 1 << true << 50;
    QTest::newRow("up from 31 with ms 15") << 25.0 << 31 << 15 << false << 300;
    QTest::newRow("none reachable keeps 31") << 4.0 << 40 << 15 << false << 31;
    QTest::newRow("ms 0 refused") << 8.0 << 72 << 0 << false << 31;
}

void TestPllFactors::suggestNs()
{
    QFETCH(double, hext);
    QFETCH(int, ns);
    QFETCH(int, ms);
    QFETCH(bool, accepted);
    QFETCH(int, suggestion);
    ClockConfig c(13);
    c.hextMHz = hext;
    int s = -1;
    QCOMPARE(c.suggestNs(ns, ms, s), accepted);
    if (!accepted) {
        QCOMPARE(s, suggestion);
        if (suggestion != 31)
            QVERIFY(vcoOk(hext, ms, s));
    }
}

void TestPllFactors::searchExamples_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("ref");
    QTest::addColumn<double>("target");
    QTest::addColumn<int>("fr");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("ns");
    QTest::addColumn<double>("reached");

    QTest::newRow("12 to 100") << 13 << 12.0 << 100.0 << 8 << 3 << 200 << 100.0;
    QTest::newRow("8 to 287.3") << 13 << 8.0 << 287.3 << 2 << 4 << 287 << 287.0;
    QTest::newRow("8 to 288") << 13 << 8.0 << 288.0 << 2 << 1 << 72 << 288.0;
    QTest::newRow("8 to 144 on C315") << 5 << 8.0 << 144.0 << 4 << 1 << 72 << 144.0;
    QTest::newRow("4 to 96 on E020") << 16 << 4.0 << 96.0 << 8 << 1 << 192 << 96.0;
}

void TestPllFactors::searchExamples()
{
    QFETCH(int, series);
    QFETCH(double, ref);
    QFETCH(double, target);
    QFETCH(int, fr);
    QFETCH(int, ms);
    QFETCH(int, ns);
    QFETCH(double, reached);
    ClockConfig c = recordFor(series, ref);
    c.sclkMHz = target;
    c.searchPllFactors(ref, false);
    QCOMPARE(c.pllFr, fr);
    QCOMPARE(c.pllMs, ms);
    QCOMPARE(c.pllNs, ns);
    QCOMPARE(c.pllMHz, reached);
    QCOMPARE(c.sclkMHz, reached);
}

void TestPllFactors::searchForUsb_data()
{
    QTest::addColumn<double>("ref");
    QTest::addColumn<double>("usbDiv");
    QTest::addColumn<int>("fr");
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("ns");
    QTest::addColumn<double>("pll");

    QTest::newRow("/6 from 8") << 8.0 << 6.0 << 2 << 1 << 72 << 288.0;
    QTest::newRow("/2.5 from 12") << 12.0 << 2.5 << 8 << 1 << 80 << 120.0;
    QTest::newRow("target truncated to 48") << 8.0 << 1.01 << 16 << 1 << 96 << 48.0;
}

void TestPllFactors::searchForUsb()
{
    QFETCH(double, ref);
    QFETCH(double, usbDiv);
    QFETCH(int, fr);
    QFETCH(int, ms);
    QFETCH(int, ns);
    QFETCH(double, pll);
    ClockConfig c = recordFor(13, ref);
    c.usbDiv = usbDiv;
    c.sclkMHz = 1.0;
    c.searchPllFactors(ref, true);
    QCOMPARE(c.pllFr, fr);
    QCOMPARE(c.pllMs, ms);
    QCOMPARE(c.pllNs, ns);
    QCOMPARE(c.pllMHz, pll);
    QCOMPARE(c.sclkMHz, 1.0);
}

void TestPllFactors::searchProperties_data()
{
    QTest::addColumn<int>("series");
    QTest::addColumn<double>("ref");

    for (const SeriesParams &row : SeriesTable::all()) {
        if (!row.hasFlexiblePll())
            continue;
        for (double ref : {4.0, 8.0, 12.0, 25.0, 7.3728, 16.0})
            QTest::addRow("%s ref %g", row.name, ref) << row.id << ref;
    }
    QTest::newRow("2 MHz reference") << 13 << 2.0;
    QTest::newRow("30 MHz reference, ms 2..15") << 13 << 30.0;
}

// For every target from a grid and every target built from valid factors:
// the result obeys both rules, is no farther from the target than any valid
// candidate, reaches built targets exactly, and breaks ties towards the
// larger fr, then the smaller ms, then the smaller ns.
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
        ClockConfig c = recordFor(series, ref);
        c.sclkMHz = target;
        c.searchPllFactors(ref, false);
        const QString where = QStringLiteral("target %1").arg(target, 0, 'g', 17);
        QVERIFY2(refOk(ref, c.pllMs), qPrintable(where));
        QVERIFY2(vcoOk(ref, c.pllMs, c.pllNs), qPrintable(where));
        QVERIFY2(c.pllNs >= 31 && c.pllNs <= 500, qPrintable(where));
        QCOMPARE(c.pllMHz, c.pllNs * ref / (c.pllFr * c.pllMs));

        double bestError = 1e9;
        for (const Candidate &k : valid)
            bestError = qMin(bestError, std::fabs(k.out - target));
        QVERIFY2(std::fabs(c.pllMHz - target) <= bestError, qPrintable(where));

        // Among the candidates as near as the best, the first in search order wins.
        const Candidate *first = nullptr;
        for (const Candidate &k : valid) {
            if (std::fabs(k.out - target) == bestError) {
                first = &k;
                break; // `valid` is in fr-descending, ms- and ns-ascending order
            }
        }
        QVERIFY(first);
        QCOMPARE(c.pllFr, first->fr);
        QCOMPARE(c.pllMs, first->ms);
        QCOMPARE(c.pllNs, first->ns);
        if (bestError == 0.0)
            QCOMPARE(c.sclkMHz, target);
    }
}

void TestPllFactors::searchWithoutValidRange()
{
    // A 1 MHz reference fits no ms, so every ms is tried; the exact 50 MHz
    // needs ms 2 with an ns outside any oscillator window.
    ClockConfig c = recordFor(13, 1.0);
    c.sclkMHz = 50.0;
    c.searchPllFactors(1.0, false);
    QVERIFY(c.pllMs >= 1 && c.pllMs <= 15);
    QVERIFY(c.pllNs >= 31 && c.pllNs <= 500);
    QCOMPARE(c.pllMHz, c.pllNs * 1.0 / (c.pllFr * c.pllMs));
    QCOMPARE(c.pllMHz, 50.0);
    // A target beyond every candidate still leaves valid factors behind.
    ClockConfig far = recordFor(13, 8.0);
    far.sclkMHz = 1e9;
    far.searchPllFactors(8.0, false);
    QVERIFY(far.pllMs >= 1 && far.pllNs >= 31 && far.pllFr >= 1);
    QCOMPARE(far.pllMHz, far.pllNs * 8.0 / (far.pllFr * far.pllMs));
}

QTEST_GUILESS_MAIN(TestPllFactors)
#include "tst_pllfactors.moc"

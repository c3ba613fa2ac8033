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

} // namespace

class TestPllFactors : public QObject {
    Q_OBJECT

private slots:
    void msRange();
    void suggestions_data();
    void suggestions();
    void searchProperties_data();
    void searchProperties();
};

// ref, msMin, msMax; where no ms fits, every ms is tried.
void TestPllFactors::msRange()
{
    for (const QVector<double> &row :
         QVector<QVector<double>>{{8, 1, 4}, {16, 1, 8}, {30, 2, 15}, {1.9, 1, 15}}) {
        int lo = -1;
        int hi = -1;
        ClockConfig(13).msRangeFor(row[0], lo, hi);
        QCOMPARE((QVector<double>{row[0], double(lo), double(hi)}), row);
    }
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
    QTest::newRow("ms: HICK 8 MHz / 5") << 14 << 1 << 25.0 << 5 << 0 << 4;
    QTest::newRow("ms: HICK 4 MHz / 3") << 5 << 1 << 8.0 << 3 << 0 << 2;
    QTest::newRow("ms: 0 refused") << 13 << 0 << 8.0 << 0 << 0 << 1;
    QTest::newRow("ns: both edges inside") << 13 << 0 << 8.0 << 1 << 125 << 125;
    QTest::newRow("ns: 1600 MHz down to 1000") << 13 << 0 << 8.0 << 1 << 200 << 125;
    QTest::newRow("ns: 320 MHz up to 504") << 13 << 0 << 8.0 << 1 << 40 << 63;
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
    ClockConfig c(series);
    c.hextMHz = hext;
    c.pllSourceHick = hickRef;
    int s = -1;
    const bool accepted = ns == 0 ? c.suggestMs(ms, s) : c.suggestNs(ns, ms, s);
    QCOMPARE(s, suggestion);
    QCOMPARE(accepted, suggestion == (ns == 0 ? ms : ns) && ms > 0);
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

// For targets on a grid, one beyond every candidate and targets built from
// valid factors: the result obeys both rules, is as near as any valid
// candidate, reaches built targets exactly, and breaks ties towards the larger
// fr, then the smaller ms, then the smaller ns.
void TestPllFactors::searchProperties()
{
    QFETCH(int, series);
    QFETCH(double, ref);
    const QVector<Candidate> valid = validCandidates(ref);
    QVERIFY(!valid.isEmpty());
    QVector<double> targets{2000.0};
    for (double t = 4.0; t <= 300.0; t += 3.7)
        targets.append(t);
    for (int i = 0; i < valid.size(); i += 97)
        targets.append(valid.at(i).out);

    for (double target : targets) {
        ClockConfig c(series);
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

QTEST_GUILESS_MAIN(TestPllFactors)
#include "tst_pllfactors.moc"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "PllCandidates.h"
#include "RecordFields.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

#include <cmath>

// The clock record, its rule book and the series table: what they derive,
// refuse and suggest, from set-ups written as field text.
class TestModel : public QObject {
    Q_OBJECT

private slots:
    // Each field reads back what was written through its name (two names on one
    // member show up here); reset restores the fresh record; a refused value
    // changes nothing.
    void fieldsAndReset()
    {
        const auto valueFor = [](const QVariant &field, int n) {
            return field.type() == QVariant::Int      ? QVariant(1000 + n)
                   : field.type() == QVariant::Double ? QVariant(0.25 + n)
                                                      : QVariant(n % 2 == 0);
        };
        for (int series : {2, 13}) {
            ClockConfig c(series);
            int n = 0;
            for (const auto &f : c.fieldValues())
                QVERIFY2(c.setFieldValue(f.first, valueFor(f.second, ++n)), qPrintable(f.first));
            QCOMPARE(n, 53);
            n = 0;
            for (const auto &f : c.fieldValues())
                QVERIFY2(f.second == valueFor(f.second, ++n), qPrintable(f.first));
            QVERIFY(c.seriesId == 1001 && c.usbDiv == 33.25 && c.i2c1Source == 1053);
            c.seriesId = series;
            c.resetDefaults();
            QCOMPARE(c.fieldValues(), ClockConfig(series).fieldValues());
            TF_VERIFY_FIELDS(
                c, "hextMHz=8 sclkSource=2 pllFlexible=1 pllMs=2 pllNs=192 pllFr=8 usbDiv=1 adcDiv=2");
            QCOMPARE(c.hickMHz, series == 2 ? 8.0 : 48.0);
            QVERIFY(!c.setFieldValue("pllNs", "x9") && !c.setFieldValue("hextMHz", "fast"));
            QVERIFY(!c.setFieldValue("hextBypass", "maybe") && !c.setFieldValue("pllms", 3));
            QCOMPARE(c.fieldValues(), ClockConfig(series).fieldValues());
        }
    }

    void rules_data() { addTableRows("model_rules.tsv"); }
    // What recompute, applyTypedSclk, retunePllForUsb, the factor search and the
    // factor checks derive from a set-up (HEXT 8 MHz unless the row says
    // otherwise), the clocks a record needs, the CRM_PLLCFG word and the rule
    // book's findings.
    void rules()
    {
        QFETCH(QString, series);
        QFETCH(QString, op);
        QFETCH(QString, setup);
        QFETCH(QString, expected);
        // The RTC starts its own oscillator: it never counts as a clock in use.
        static const QMap<QString, QString> prefix{
            {"typed", "sclkSource=1 usbMHz=-1 "},
            {"usb", "sclkSource=0 sclkMHz=8 apb1MHz=-2 pllMHz=-1 usbMHz=-1 "},
            {"uses", "rtcEnabled=1 rtcSource=2 "}};
        TF_RECORD(c, series.toInt(), prefix.value(op) + setup);
        QString actual; // of the ops that describe rather than derive
        int lo = -1, hi = -1, s = -1;
        QStringList findings;
        if (op == "uses") {
            actual = QStringList{c.pllInUse() ? "pll" : "", c.hextNeeded() ? "hext" : "",
                                 c.hickNeeded() ? "hick" : "", ClockRules::lextRunning(c) ? "lext" : ""}
                         .join(' ')
                         .simplified();
        } else if (op == "cfg") {
            QCOMPARE(c.pllcfgWord(), expected.mid(2).toUInt(nullptr, 16));
            actual = c.pllcfgText();
        } else if (op == "msRange") {
            c.msRangeFor(c.hextMHz, lo, hi);
            actual = QString("%1..%2").arg(lo).arg(hi);
        } else if (op == "ms" || op == "ns") {
            const bool accepted = op == "ms" ? c.suggestMs(c.pllMs, s) : c.suggestNs(c.pllNs, c.pllMs, s);
            actual = (accepted ? "=" : "") + QString::number(s);
        } else if (op == "judge") {
            for (const ClockRules::Finding &f : ClockRules::judge(c).findings)
                findings << (f.isRefusal() ? "error: " : "warning: ") + f.text();
            actual = findings.isEmpty() ? QString("") : findings.join('\n');
        }
        if (!actual.isNull()) {
            QCOMPARE(actual, expected);
            return;
        }
        if (op == "calc")
            c.recompute();
        else if (op == "typed")
            c.applyTypedSclk();
        else if (op == "usb")
            c.retunePllForUsb();
        else
            c.searchPllFactors(c.pllInputMHz(), op == "usbSearch");
        TF_VERIFY_FIELDS(c, expected);
    }

    void searchIsOptimal_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<double>("ref");
        // The search sees a series only through its limit: one series per limit.
        QSet<int> limits;
        for (const SeriesParams &row : SeriesTable::all()) {
            if (row.hasFlexiblePll() && !limits.contains(row.sclkLimitMHz)) {
                limits.insert(row.sclkLimitMHz);
                for (double ref : {4.0, 8.0, 12.0, 25.0, 7.3728})
                    QTest::addRow("%s ref %g", row.name, ref) << row.id << ref;
            }
        }
        QTest::newRow("2 MHz reference") << 13 << 2.0;
        QTest::newRow("30 MHz reference, ms 2..15") << 13 << 30.0;
    }

    // For targets on a grid, one beyond every candidate and targets built from
    // valid factors, against every factor set enumerated here: the result obeys
    // both rules, is as near as any valid set, reaches built targets exactly, and
    // breaks ties towards the larger fr, then the smaller ms, then the smaller ns;
    // the explained ranking starts with the same set.
    void searchIsOptimal()
    {
        QFETCH(int, series);
        QFETCH(double, ref);
        struct Candidate {
            int fr, ms, ns;
            double out;
        };
        const auto valid = [ref](int ms, int ns) {
            const double vco = ns * ref / ms;
            return ref / ms >= 2.0 && ref / ms <= 16.0 && vco >= 500.0 && vco <= 1000.0 && ns >= 31 &&
                   ns <= 500;
        };
        QVector<Candidate> candidates; // in search order
        for (int fr : {32, 16, 8, 4, 2, 1})
            for (int ms = 1; ms <= 15; ++ms)
                for (int ns = 31; ns <= 500; ++ns)
                    if (valid(ms, ns))
                        candidates.append({fr, ms, ns, ns * ref / (fr * ms)});
        QVERIFY(!candidates.isEmpty());
        QVector<double> targets{2000.0};
        for (double t = 4.0; t <= 300.0; t += 3.7)
            targets.append(t);
        for (int i = 0; i < candidates.size(); i += 97)
            targets.append(candidates.at(i).out);
        for (double target : targets) {
            ClockConfig c(series);
            c.hextMHz = ref;
            c.pllSourceHick = 0;
            c.pllFlexible = 1;
            c.sclkMHz = target;
            // What tickforge-cli solve --explain ranks first.
            const PllCandidates::Candidate first =
                PllCandidates::ranked(PllCandidates::enumerate(c, target)).first();
            c.searchPllFactors(ref, false);
            const QByteArray where = QByteArray::number(target, 'g', 17);
            QVERIFY2(valid(c.pllMs, c.pllNs), where);
            QCOMPARE(c.pllMHz, c.pllNs * ref / (c.pllFr * c.pllMs));
            // Nearest within the series' limit while the target is within it;
            // errors equal but for rounding noise are a tie that the order breaks.
            const double limit = SeriesTable::byId(series)->sclkLimitMHz;
            const Candidate *best = nullptr;
            for (const Candidate &k : candidates)
                if ((target > limit || k.out <= limit) &&
                    (!best || std::fabs(k.out - target) < std::fabs(best->out - target) - 1e-9))
                    best = &k;
            QVERIFY(best);
            QVERIFY2(target > limit || c.pllMHz <= limit, where);
            QVERIFY2(c.pllFr == best->fr && c.pllMs == best->ms && c.pllNs == best->ns, where);
            QVERIFY2(first.fr == best->fr && first.ms == best->ms && first.ns == best->ns, where);
            if (best->out == target)
                QCOMPARE(c.sclkMHz, target);
        }
    }

    // What the record computes from each series' numbers (pinned by the series
    // table's test): entry bounds and red thresholds, the automatic APB division
    // and the factory system clock in every PLL mode.
    // In the order the dialog lists them.
    void series_data()
    {
        QTest::addColumn<int>("order");
        int order = 0;
        for (const char *name : {"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320", "QXC330",
                                 "QXC335", "QXC325", "QXW315", "QXE020"})
            QTest::newRow(name) << order++;
    }

    void series()
    {
        QFETCH(int, order);
        const SeriesParams *p = SeriesTable::byName(QTest::currentDataTag());
        QVERIFY(p);
        const int id = p->id, sclkLimit = p->sclkLimitMHz, apbLimit = p->apbLimitMHz;
        QCOMPARE(SeriesTable::byId(id), p);
        QCOMPARE(int(p - SeriesTable::all().data()), order);
        QVERIFY(!SeriesTable::byId(3) && !SeriesTable::byName("qxc330"));
        QVERIFY(p->sclkEntryAccepted(4.0) && p->sclkEntryAccepted(sclkLimit));
        QVERIFY(!p->sclkEntryAccepted(3.999) && !p->sclkEntryAccepted(sclkLimit + 0.001));
        QCOMPARE(p->sclkHint(), QString("(4 - %1)").arg(sclkLimit));
        QVERIFY(!p->sclkRed(sclkLimit) && p->sclkRed(sclkLimit + 0.001));
        QVERIFY(!p->apbRed(apbLimit) && p->apbRed(apbLimit + 0.001));
        for (double mhz : {double(apbLimit), apbLimit + 0.001}) {
            ClockConfig c(id);
            c.sclkSource = ClockConfig::SclkHext;
            c.hextMHz = mhz;
            c.recompute();
            QCOMPARE(c.apb1Div, p->apbHalving && mhz > apbLimit ? 2 : 1);
            QCOMPARE(c.apb2Div, c.apb1Div);
        }
        // The factory PLL gives the factory system clock from HEXT 8 MHz in every mode it has.
        ClockConfig c(id);
        c.sclkSource = ClockConfig::SclkPll;
        c.pllMult = p->factoryPllMult;
        c.pllMs = p->factoryPllMs;
        c.pllNs = p->factoryPllNs;
        c.pllFr = p->factoryPllFr;
        for (int flexible : {0, 1}) {
            c.pllFlexible = flexible;
            c.recompute();
            if (flexible ? p->hasFlexiblePll() : p->hasMultiplierPll())
                QCOMPARE(c.sclkMHz, p->factorySclkMHz);
        }
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"

#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "QXC330PLL.h"
#include "QXPLLConfig.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// Opening design files: the restore rules and their fallbacks, slots firing
// as for a user, save/open/save stability and hostile files on the host.
class TestDesignLoad : public QObject {
    Q_OBJECT

private slots:
    void fallbacks_data();
    void fallbacks();
    void outOfRangeHextIsKeptThenRefused();
    void slotsSettleTheTree_data();
    void slotsSettleTheTree();
    void saveOpenSaveIsStable();
    void hostileFilesLeaveTheOpenDesign_data();
    void hostileFilesLeaveTheOpenDesign();
};

namespace {

// Gives the test the controls the restore sets.
class Probe final : public QXC330PLL {
public:
    QLineEdit *hext() const { return m_hext; }
    QLineEdit *ms() const { return m_pllms; }
    QLineEdit *ns() const { return m_pllns; }
    QString comboText(const QString &name) const
    {
        const QHash<QString, CustomComboBox1 *> combos = {{"rtcdiv", m_rtcdiv},
                                                          {"pllfr", m_pllfr},
                                                          {"ahbdiv", m_ahbdiv},
                                                          {"apb1div", m_apb1div},
                                                          {"usbdiv", m_usbdiv},
                                                          {"usbswitch", m_usbswitch},
                                                          {"clkout1pin", m_clkout[0].pin},
                                                          {"clkout1div1", m_clkout[0].div1},
                                                          {"clkout2div2", m_clkout[1].div2}};
        return combos.value(name)->currentText();
    }
    QString rtcValue() const { return m_ertcValue->text(); }
    bool hextRadioChecked() const { return m_sclkselectHext->isChecked(); }
};

QString writeDesign(const QTemporaryDir &dir, const QByteArray &design)
{
    const QString path = dir.filePath(QStringLiteral("design.TFCC"));
    return writeBytes(path, design) ? path : QString();
}

QVariant field(const ClockConfig &config, const QString &name)
{
    for (const auto &f : config.fieldValues()) {
        if (f.first == name)
            return f.second;
    }
    return QVariant();
}

// Pairs "name=value" of fields to compare.
void compareFields(const ClockConfig &config, const QStringList &expected)
{
    for (const QString &pair : expected) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const QString value = pair.section(QLatin1Char('='), 1);
        const QVariant actual = field(config, name);
        QVERIFY2(actual.isValid(), qPrintable(name));
        if (actual.type() == QVariant::Double)
            QVERIFY2(qFuzzyCompare(actual.toDouble(), value.toDouble()),
                     qPrintable(pair + " got " + actual.toString()));
        else
            QVERIFY2(actual.toInt() == value.toInt(), qPrintable(pair + " got " + actual.toString()));
    }
}

// A random design inside every entry rule, so opening it asks nothing.
QByteArray randomDesign(QRandomGenerator &random, const QString &mcu)
{
    const double hexts[] = {4, 6, 8, 12, 12.288, 16, 20, 25};
    const double hext = hexts[random.bounded(8)];
    const bool fromHick = random.bounded(3) == 0;
    const double ref = fromHick ? 8.0 : hext;
    ClockConfig rules(13);
    int msMin = 1, msMax = 15;
    rules.msRangeFor(ref, msMin, msMax);
    const int ms = random.bounded(msMin, msMax + 1);
    const int nsLow = qMax(31, int(std::ceil(500.0 * ms / ref)));
    const int nsHigh = qMin(500, int(std::floor(1000.0 * ms / ref)));
    const int ns = random.bounded(nsLow, nsHigh + 1);
    const int frs[] = {1, 2, 4, 8, 16, 32};
    const int ahbs[] = {1, 2, 4, 8, 16, 64, 128, 256, 512};
    const auto pick = [&random](int n) {
        return QString::number(random.bounded(n));
    };

    return designWith({{"lextbypass", pick(2)},
                       {"rtcsel", pick(3)},
                       {"rtcswitch", pick(2)},
                       {"rtcdiv", QString::number(random.bounded(2, 32))},
                       {"hext", QString::number(hext, 'f', 6)},
                       {"hextbypass", pick(2)},
                       {"pllrcs", fromHick ? "1" : "0"},
                       {"pllms", QString::number(ms)},
                       {"pllns", QString::number(ns)},
                       {"pllfr", QString::number(frs[random.bounded(6)])},
                       {"sclkselect", pick(3)},
                       {"ahbdiv", QString::number(ahbs[random.bounded(9)])},
                       {"apb1div", QString::number(ahbs[random.bounded(5)])},
                       {"apb2div", QString::number(ahbs[random.bounded(5)])},
                       {"usbdiv", QString::number(1.0 + 0.5 * random.bounded(13), 'f', 1)},
                       {"hicktousb", pick(2)},
                       {"tousbswitch", pick(2)},
                       {"hicktosclk", pick(2)},
                       {"clkout1", pick(4)},
                       {"clkout1div1", QString::number(random.bounded(1, 6))},
                       {"clkout1div2", QString::number(ahbs[random.bounded(9)])},
                       {"clkout1pinselect", pick(3)},
                       {"clkout2", pick(8)},
                       {"clkout2div1", QString::number(random.bounded(1, 6))},
                       {"clkout2div2", QString::number(ahbs[random.bounded(9)])},
                       {"clkout2pinselect", pick(2)}},
                      mcu);
}

// Saves widget to path, confirming a USB warning; false when a check refused.
bool saveTo(QXMCUPLL &widget, const QString &seriesName, const QString &path)
{
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Yes);
    dialogs.answerPath(path);
    widget.saveConfig(seriesName);
    const auto *box = dialogs.last();
    return box && box->icon == QMessageBox::Information;
}

} // namespace

void TestDesignLoad::fallbacks_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("controls"); // "control=text"

    QTest::newRow("pllms 16 opens as 1")
        << designWith({{"pllms", "16"}}) << QStringList{"pllMs=1"} << QStringList{"ms=/1"};
    QTest::newRow("pllns 20 opens as 31")
        << designWith({{"pllns", "20"}}) << QStringList() << QStringList{"ns=*31"};
    QTest::newRow("malformed pllms") << designWith({{"pllms", "two"}}) << QStringList{"pllMs=1"}
                                     << QStringList{"ms=/1"};
    QTest::newRow("ahbdiv 32 opens as /1")
        << designWith({{"ahbdiv", "32"}, {"pllfr", "4"}}) << QStringList{"ahbDiv=1", "sclkMHz=144"}
        << QStringList{"ahbdiv=  /1"};
    QTest::newRow("apb1div 3 opens as /1")
        << designWith({{"apb1div", "3"}, {"pllfr", "4"}}) << QStringList{"apb1Div=1", "apb1MHz=144"}
        << QStringList{"apb1div=  /1"};
    QTest::newRow("usbdiv 6.25 opens as 1.0")
        << designWith({{"usbdiv", "6.25"}}) << QStringList{"usbDiv=1"} << QStringList{"usbdiv=  /1"};
    QTest::newRow("usbdiv 2.5 is taken")
        << designWith({{"usbdiv", "2.5"}}) << QStringList{"usbDiv=2.5"} << QStringList{"usbdiv=  /2.5"};
    QTest::newRow("pllfr 3 opens as /1")
        << designWith({{"pllfr", "3"}}) << QStringList{"pllFr=1", "pllMHz=576"} << QStringList{"pllfr=  /1"};
    QTest::newRow("rtcdiv 40 opens as 2")
        << designWith({{"rtcdiv", "40"}}) << QStringList{"rtcHextDiv=2"} << QStringList{"rtcdiv=  /2"};
    QTest::newRow("rtcdiv 31 is taken")
        << designWith({{"rtcdiv", "31"}}) << QStringList{"rtcHextDiv=31"} << QStringList{"rtcdiv=  /31"};
    QTest::newRow("clkout1div1 9 opens as 1")
        << designWith({{"clkout1div1", "9"}, {"clkout1pinselect", "1"}})
        << QStringList{"clkout1Div1=1", "clkout1Pin=1"} << QStringList{"clkout1div1=  /1", "clkout1pin=PA8"};
    QTest::newRow("clkout2 12 opens as SCLK")
        << designWith({{"clkout2", "12"}, {"clkout2div2", "256"}})
        << QStringList{"clkout2Source=0", "clkout2Div2=256"} << QStringList{"clkout2div2=  /256"};
    QTest::newRow("unknown USB switch value: disabled")
        << designWith({{"tousbswitch", "5"}}) << QStringList{"usbDisabled=1"}
        << QStringList{"usbswitch=disable"};
    QTest::newRow("unknown pin: none") << designWith({{"clkout1pinselect", "7"}})
                                       << QStringList{"clkout1Pin=0"} << QStringList{"clkout1pin=none"};
    QTest::newRow("missing element takes its fallback")
        << designWith({{"pllfr", QString()}}) << QStringList{"pllFr=1", "sclkMHz=576"}
        << QStringList{"pllfr=  /1"};
    QTest::newRow("unknown elements are ignored") << designWith({{"future", "1"}, {"pllfr", "4"}})
                                                  << QStringList{"pllFr=4", "sclkMHz=144"} << QStringList();
}

void TestDesignLoad::fallbacks()
{
    QFETCH(QByteArray, design);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, controls);
    QTemporaryDir dir;
    Probe widget;
    ScriptedDialogs dialogs; // any question while loading: Cancel
    widget.loadConfig(writeDesign(dir, design));
    compareFields(*widget.config(), fields);
    for (const QString &pair : controls) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const QString text = pair.section(QLatin1Char('='), 1);
        const QString actual = name == QLatin1String("ms")   ? widget.ms()->text()
                               : name == QLatin1String("ns") ? widget.ns()->text()
                                                             : widget.comboText(name);
        QCOMPARE(actual, text);
    }
}

void TestDesignLoad::outOfRangeHextIsKeptThenRefused()
{
    QTemporaryDir dir;
    Probe widget;
    ScriptedDialogs dialogs;
    widget.loadConfig(writeDesign(dir, designWith({{"hext", "30.000000"}})));
    QCOMPARE(widget.hext()->text(), QStringLiteral("30.000000"));
    QCOMPARE(widget.config()->hextMHz, 30.0);
    // The tree is settled with the entry read, which refuses it.
    QVERIFY(dialogs.count(ScriptedDialogs::Kind::Message) >= 1);
    QCOMPARE(dialogs.last()->text, QStringLiteral("hext input error!"));
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));

    // ... and so does the next read of the entry.
    dialogs.clear();
    widget.hext_LineEdit_returnPressed();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->text, QStringLiteral("hext input error!"));
}

void TestDesignLoad::slotsSettleTheTree_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("rtcValue");

    QTest::newRow("sclk from full HICK")
        << designWith({{"sclkselect", "2"}, {"hicktosclk", "1"}})
        << QStringList{"sclkSource=2", "hickSclk48=1", "sclkMHz=48", "apb1Div=2", "apb1MHz=24"} << QString();
    QTest::newRow("sclk from HEXT") << designWith({{"sclkselect", "0"}, {"hext", "12.000000"}})
                                    << QStringList{"sclkSource=0", "sclkMHz=12", "hextMHz=12"} << QString();
    QTest::newRow("RTC on divided HEXT")
        << designWith({{"rtcswitch", "1"}, {"rtcsel", "2"}, {"rtcdiv", "8"}})
        << QStringList{"rtcEnabled=1", "rtcSource=2", "rtcHextDiv=8"} << "1000.000";
    QTest::newRow("RTC on LEXT") << designWith({{"rtcswitch", "1"}, {"rtcsel", "1"}})
                                 << QStringList{"rtcSource=1"} << "32.768";
    QTest::newRow("USB from the PLL") << designWith({{"tousbswitch", "0"}, {"usbdiv", "6.0"}})
                                      << QStringList{"usbDisabled=0", "usbMHz=48"} << QString();
    QTest::newRow("USB from HICK 48")
        << designWith({{"tousbswitch", "0"}, {"hicktousb", "1"}, {"usbdiv", "2.0"}})
        << QStringList{"usbSourceHick48=1", "usbMHz=48"} << QString();
    QTest::newRow("PLL from HICK") << designWith({{"pllrcs", "1"}, {"pllfr", "4"}})
                                   << QStringList{"pllSourceHick=1", "pllMHz=144", "sclkMHz=144"}
                                   << QString();
    QTest::newRow("all bypasses") << designWith({{"hextbypass", "1"}, {"lextbypass", "7"}})
                                  << QStringList{"hextBypass=1", "lextBypass=1"} << QString();
}

void TestDesignLoad::slotsSettleTheTree()
{
    QFETCH(QByteArray, design);
    QFETCH(QStringList, fields);
    QFETCH(QString, rtcValue);
    QTemporaryDir dir;
    Probe widget;
    ScriptedDialogs dialogs;
    widget.loadConfig(writeDesign(dir, design));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 0);
    compareFields(*widget.config(), fields);
    if (!rtcValue.isEmpty())
        QCOMPARE(widget.rtcValue(), rtcValue);
}

void TestDesignLoad::saveOpenSaveIsStable()
{
    QRandomGenerator random(20240611u);
    QTemporaryDir dir;
    int compared = 0;
    for (int seed = 0; seed < 40; ++seed) {
        const QString mcu = seed % 3 == 0 ? QStringLiteral("QXC335") : QStringLiteral("QXC330");
        const int id = mcu == QLatin1String("QXC335") ? 14 : 13;
        const QString original = dir.filePath(QStringLiteral("d%1.TFCC").arg(seed));
        const QString first = dir.filePath(QStringLiteral("d%1-1.TFCC").arg(seed));
        const QString second = dir.filePath(QStringLiteral("d%1-2.TFCC").arg(seed));
        QVERIFY(writeBytes(original, randomDesign(random, mcu)));

        std::unique_ptr<QXMCUPLL> a(createSeriesWidget(id, nullptr));
        {
            ScriptedDialogs quiet;
            a->loadConfig(original);
            QVERIFY2(quiet.requests.isEmpty(), qPrintable(QString::fromUtf8(readBytes(original))));
        }
        if (!saveTo(*a, mcu, first))
            continue; // a design over the limits is refused by Save
        std::unique_ptr<QXMCUPLL> b(createSeriesWidget(id, nullptr));
        {
            ScriptedDialogs quiet;
            b->loadConfig(first);
        }
        QVERIFY(saveTo(*b, mcu, second));
        QCOMPARE(QString::fromUtf8(readBytes(second)), QString::fromUtf8(readBytes(first)));
        QCOMPARE(b->config()->fieldValues(), a->config()->fieldValues());
        ++compared;
    }
    QVERIFY2(compared >= 15, qPrintable(QString::number(compared)));
}

void TestDesignLoad::hostileFilesLeaveTheOpenDesign_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray good = designWith({});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() / 3);
    QTest::newRow("binary") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    QTest::newRow("entity-laden") << QByteArray(
        "<!DOCTYPE C [<!ENTITY a \"QXC330\"><!ENTITY b \"&a;&a;&a;&a;\">]><C><MCU>&b;</MCU></C>");
    QByteArray deep = "<Configuration><MCU>QXC330</MCU>";
    for (int i = 0; i < 100000; ++i)
        deep += "<x>";
    QTest::newRow("deeply nested") << deep;
    QTest::newRow("over 1 MiB") << QByteArray(good).replace(
        "</Configuration>",
        "<pad>" + QByteArray(int(DesignFile::MaxFileSize), ' ') + "</pad></Configuration>");
    QTest::newRow("unreadable") << QByteArray("<folder>");
}

void TestDesignLoad::hostileFilesLeaveTheOpenDesign()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString open = writeDesign(dir, designWith({{"pllfr", "4"}, {"tousbswitch", "0"}}));
    QXPLLConfig host;
    QString name;
    {
        ScriptedDialogs dialogs;
        QVERIFY(host.openDesign(open, name));
    }
    QXMCUPLL *before = host.currentWidget();
    QVERIFY(before);
    const auto fields = before->config()->fieldValues();

    const QString hostile = dir.filePath(QStringLiteral("hostile.TFCC"));
    if (content == "<folder>")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("hostile.TFCC")));
    else
        QVERIFY(writeBytes(hostile, content));
    ScriptedDialogs dialogs;
    QString hostileName = QStringLiteral("unchanged");
    QVERIFY(!host.openDesign(hostile, hostileName));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->text, QStringLiteral("MCU in file not supported."));
    QCOMPARE(host.currentWidget(), before);
    QCOMPARE(host.currentWidget()->config()->fieldValues(), fields);
}

QTEST_MAIN(TestDesignLoad)
#include "tst_designload.moc"

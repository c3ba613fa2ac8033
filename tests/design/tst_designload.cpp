#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "QXC330PLL.h"
#include "QXPLLConfig.h"
#include "SeriesTable.h"

#include <QLabel>
#include <QLineEdit>
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
    void saveOpenSaveIsStable_data();
    void saveOpenSaveIsStable();
    void hostileFilesLeaveTheOpenDesign_data();
    void hostileFilesLeaveTheOpenDesign();
};

namespace {

// Gives the test the controls the restore sets.
class Probe final : public QXC330PLL {
public:
    QString controlText(const QString &name) const
    {
        if (name == QLatin1String("ms"))
            return m_pllms->text();
        if (name == QLatin1String("ns"))
            return m_pllns->text();
        if (name == QLatin1String("rtc"))
            return m_ertcValue->text();
        const QHash<QString, CustomComboBox1 *> combos = {
            {"rtcdiv", m_rtcdiv}, {"pllfr", m_pllfr},         {"ahbdiv", m_ahbdiv},
            {"usbdiv", m_usbdiv}, {"usbswitch", m_usbswitch}, {"clkout1pin", m_clkout[0].pin}};
        return combos.value(name)->currentText();
    }
    QString hextText() const { return m_hext->text(); }
};

QString writeDesign(const QTemporaryDir &dir, const QByteArray &design)
{
    const QString path = dir.filePath(QStringLiteral("design.TFCC"));
    return writeBytes(path, design) ? path : QString();
}

// A random design inside every entry rule and every limit check, so that
// opening it asks nothing and saving it is never refused; pllMHz is set to
// the PLL output it must open with.
QByteArray randomDesign(QRandomGenerator &random, const QString &mcu, double *pllMHz)
{
    const int limit = SeriesTable::byId(13)->sclkLimitMHz;
    const double hexts[] = {4, 6, 8, 12, 12.288, 16, 20, 25};
    const double hext = hexts[random.bounded(8)];
    const bool fromHick = random.bounded(3) == 0;
    const double ref = fromHick ? 8.0 : hext;
    ClockConfig rules(13);
    int msMin = 1, msMax = 15;
    rules.msRangeFor(ref, msMin, msMax);
    const int ms = random.bounded(msMin, msMax + 1);
    const int ns = random.bounded(qMax(31, int(std::ceil(500.0 * ms / ref))),
                                  qMin(500, int(std::floor(1000.0 * ms / ref))) + 1);
    // The PLL output is checked whenever the PLL is in use, so the output
    // divider must bring it within the limit.
    QList<int> frs;
    for (int fr : {1, 2, 4, 8, 16, 32}) {
        if (ref * ns / ms / fr <= limit)
            frs.append(fr);
    }
    const int sclk = random.bounded(3);
    const int usbOff = random.bounded(2);
    const int usbFromHick = random.bounded(2);
    const double usbDiv = 1.0 + 0.5 * random.bounded(13);
    const int fr = frs.at(random.bounded(frs.size()));
    *pllMHz = ref * ns / (ms * fr);

    // Above the APB limit, opening raises an APB divider /1 to /2.
    const int divs[] = {1, 2, 4, 8, 16, 64, 128, 256, 512};
    const int ahb = divs[random.bounded(9)];
    const int apbFirst = sclk == 1 && ahb == 1 && *pllMHz > SeriesTable::byId(13)->apbLimitMHz ? 1 : 0;
    const auto pick = [&random](int n) {
        return QString::number(random.bounded(n));
    };
    const auto div = [&](int first, int end) {
        return QString::number(divs[random.bounded(first, end)]);
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
                       {"pllfr", QString::number(fr)},
                       {"sclkselect", QString::number(sclk)},
                       {"ahbdiv", QString::number(ahb)},
                       {"apb1div", div(apbFirst, 5)},
                       {"apb2div", div(apbFirst, 5)},
                       {"usbdiv", QString::number(usbDiv, 'f', 1)},
                       {"hicktousb", QString::number(usbFromHick)},
                       {"tousbswitch", QString::number(usbOff)},
                       {"hicktosclk", pick(2)},
                       {"clkout1", pick(4)},
                       {"clkout1div1", QString::number(random.bounded(1, 6))},
                       {"clkout1div2", div(0, 9)},
                       {"clkout1pinselect", pick(3)},
                       {"clkout2", pick(8)},
                       {"clkout2div1", QString::number(random.bounded(1, 6))},
                       {"clkout2div2", div(0, 9)},
                       {"clkout2pinselect", pick(2)}},
                      mcu);
}

// Opens path in widget; the texts of the message boxes shown meanwhile.
QStringList openIn(QXMCUPLL &widget, const QString &path)
{
    ScriptedDialogs dialogs;
    widget.loadConfig(path);
    return dialogs.texts();
}

// Saves widget to path, confirming a USB warning; the text of the last box.
QString saveTo(QXMCUPLL &widget, const QString &seriesName, const QString &path)
{
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Yes);
    dialogs.answerPath(path);
    widget.saveConfig(seriesName);
    return dialogs.last() ? dialogs.last()->text : QString();
}

} // namespace

void TestDesignLoad::fallbacks_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QString>("field"); // a record field and its value, unless empty
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("control"); // a control and its text, unless empty
    QTest::addColumn<QString>("text");

    const auto row = [](const char *tag, const Changes &changes, const QString &field, double value,
                        const QString &control, const QString &text) {
        QTest::newRow(tag) << designWith(changes) << field << value << control << text;
    };
    row("pllms 16 opens as 1", {{"pllms", "16"}}, "pllMs", 1, "ms", "/1");
    row("malformed pllms", {{"pllms", "two"}}, "pllMs", 1, "ms", "/1");
    row("pllns 20 opens as 31", {{"pllns", "20"}}, "", 0, "ns", "*31");
    row("ahbdiv 32 opens as /1", {{"ahbdiv", "32"}, {"pllfr", "4"}}, "ahbMHz", 144, "ahbdiv", "  /1");
    row("usbdiv 6.25 opens as 1.0", {{"usbdiv", "6.25"}}, "usbDiv", 1, "usbdiv", "  /1");
    row("usbdiv 2.5 is taken", {{"usbdiv", "2.5"}}, "usbDiv", 2.5, "usbdiv", "  /2.5");
    row("pllfr 3 opens as /1", {{"pllfr", "3"}}, "pllMHz", 576, "pllfr", "  /1");
    row("missing pllfr opens as /1", {{"pllfr", QString()}}, "sclkMHz", 576, "pllfr", "  /1");
    row("rtcdiv 40 opens as 2", {{"rtcdiv", "40"}}, "rtcHextDiv", 2, "rtcdiv", "  /2");
    row("unknown USB switch value", {{"tousbswitch", "5"}}, "usbDisabled", 1, "usbswitch", "disable");
    row("unknown pin", {{"clkout1pinselect", "7"}}, "clkout1Pin", 0, "clkout1pin", "none");
    row("unknown elements are ignored", {{"future", "1"}, {"pllfr", "4"}}, "sclkMHz", 144, "", "");
    // The change slots run as for a user and settle the tree.
    row("sclk from full HICK", {{"sclkselect", "2"}, {"hicktosclk", "1"}}, "apb1MHz", 24, "", "");
    row("sclk from HEXT", {{"sclkselect", "0"}, {"hext", "12.000000"}}, "sclkMHz", 12, "", "");
    row("RTC on divided HEXT", {{"rtcswitch", "1"}, {"rtcsel", "2"}, {"rtcdiv", "8"}}, "", 0, "rtc",
        "1000.000");
    row("RTC on LEXT", {{"rtcswitch", "1"}, {"rtcsel", "1"}}, "rtcSource", 1, "rtc", "32.768");
    row("USB from the PLL", {{"tousbswitch", "0"}}, "usbMHz", 48, "usbswitch", "enable");
    row("USB from HICK 48", {{"tousbswitch", "0"}, {"hicktousb", "1"}, {"usbdiv", "2.0"}}, "usbMHz", 48, "",
        "");
    row("PLL from HICK", {{"pllrcs", "1"}, {"pllfr", "4"}}, "sclkMHz", 144, "", "");
}

void TestDesignLoad::fallbacks()
{
    QFETCH(QByteArray, design);
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QTemporaryDir dir;
    Probe widget;
    ScriptedDialogs dialogs; // any question while loading: Cancel
    widget.loadConfig(writeDesign(dir, design));
    if (!field.isEmpty()) {
        QVariant actual;
        for (const auto &pair : widget.config()->fieldValues())
            actual = pair.first == field ? pair.second : actual;
        QVERIFY2(actual.isValid(), qPrintable(field));
        QCOMPARE(actual.toDouble(), value);
    }
    if (!control.isEmpty())
        QCOMPARE(widget.controlText(control), text);
}

void TestDesignLoad::outOfRangeHextIsKeptThenRefused()
{
    QTemporaryDir dir;
    Probe widget;
    ScriptedDialogs dialogs;
    widget.loadConfig(writeDesign(dir, designWith({{"hext", "30.000000"}})));
    QCOMPARE(widget.hextText(), QStringLiteral("30.000000"));
    QCOMPARE(widget.config()->hextMHz, 30.0);
    // Settling the tree reads the entry, which refuses it; so does the next read.
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last()->text, QStringLiteral("hext input error!"));
    widget.hext_LineEdit_returnPressed();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 2);
    QCOMPARE(dialogs.last()->text, QStringLiteral("hext input error!"));
}

void TestDesignLoad::saveOpenSaveIsStable_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<double>("pllMHz");
    QRandomGenerator random(20240611u);
    for (int seed = 0; seed < 40; ++seed) {
        const int id = seed % 3 == 0 ? 14 : 13;
        double pllMHz = 0;
        const QByteArray design = randomDesign(random, SeriesTable::byId(id)->seriesName(), &pllMHz);
        QTest::addRow("design %d", seed) << design << id << pllMHz;
    }
}

void TestDesignLoad::saveOpenSaveIsStable()
{
    QFETCH(QByteArray, design);
    QFETCH(int, seriesId);
    QFETCH(double, pllMHz);
    const QString mcu = SeriesTable::byId(seriesId)->seriesName();
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.TFCC"));
    const QString second = dir.filePath(QStringLiteral("second.TFCC"));

    std::unique_ptr<QXMCUPLL> a(createSeriesWidget(seriesId, nullptr));
    std::unique_ptr<QXMCUPLL> b(createSeriesWidget(seriesId, nullptr));
    QVERIFY2(openIn(*a, writeDesign(dir, design)).isEmpty(), design.constData());
    QCOMPARE(saveTo(*a, mcu, first), QStringLiteral("Save file succeed!"));
    QCOMPARE(openIn(*b, first), QStringList());
    // Every element is opened as written, the PLL factors included, even
    // where the handlers fired while opening solve the PLL anew.
    const DesignFile::Elements original = DesignFile::parse(design), saved = DesignFile::read(first);
    for (const QString &name : DesignFile::elementNames(mcu))
        QVERIFY2(saved.value(name) == original.value(name), qPrintable(name));
    QCOMPARE(b->config()->pllMHz, pllMHz);
    QCOMPARE(saveTo(*b, mcu, second), QStringLiteral("Save file succeed!"));
    QCOMPARE(QString::fromUtf8(readBytes(second)), QString::fromUtf8(readBytes(first)));
    QCOMPARE(b->config()->fieldValues(), a->config()->fieldValues());
}

void TestDesignLoad::hostileFilesLeaveTheOpenDesign_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray good = designWith({});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() / 3);
    QTest::newRow("entity-laden") << QByteArray(
        "<!DOCTYPE C [<!ENTITY a \"QXC330\"><!ENTITY b \"&a;&a;&a;&a;\">]><C><MCU>&b;</MCU></C>");
    QTest::newRow("deeply nested") << "<Configuration><MCU>QXC330</MCU>" + QByteArray("<x>").repeated(100000);
    QTest::newRow("over 1 MiB") << QByteArray(good).replace(
        "</Configuration>",
        "<pad>" + QByteArray(int(DesignFile::MaxFileSize), ' ') + "</pad></Configuration>");
    QTest::newRow("unreadable") << QByteArray("<folder>");
}

void TestDesignLoad::hostileFilesLeaveTheOpenDesign()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QXPLLConfig host;
    QString name;
    {
        ScriptedDialogs dialogs;
        QVERIFY(host.openDesign(writeDesign(dir, designWith({{"pllfr", "4"}, {"tousbswitch", "0"}})), name));
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
    QVERIFY(!host.openDesign(hostile, name));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->text, QStringLiteral("MCU in file not supported."));
    QCOMPARE(host.currentWidget(), before);
    QCOMPARE(host.currentWidget()->config()->fieldValues(), fields);
}

QTEST_MAIN(TestDesignLoad)
#include "tst_designload.moc"

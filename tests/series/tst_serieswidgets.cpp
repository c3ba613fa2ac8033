#include "ClockConfig.h"
#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "DesignFile.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"
#include "SeriesWidget.h"
#include "TestHelpers.h"

#include <QComboBox>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The series widgets seen as a user sees them: controls found by name, edits
// made through them, and what the drawing then shows.
class TestSeriesWidgets : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dialogs.clear(); }
    void everySeries_data();
    void everySeries();
    void multiplierSeries_data();
    void multiplierSeries();
    void selectableSeries_data();
    void selectableSeries();
    void seriesEdits_data();
    void seriesEdits();
    void everyDialogEntryOpens();
    void entryLimits_data();
    void entryLimits();
    void usbFromPll_data();
    void usbFromPll();
    void clockOutputValues();
    void msAdjustQuestion();
    void hextReturnRetunesUsb();
    void activePaths_data();
    void activePaths();
    void refusedEditLeavesTheDesign_data();
    void refusedEditLeavesTheDesign();
    void staleRecordIsNotGenerated();
    void everySlotKeepsDisplayConsistent_data();
    void everySlotKeepsDisplayConsistent();
    void foldOutLists();

private:
    ScriptedDialogs m_dialogs;
};

namespace {

QString mhz(double v)
{
    return QString::number(v, 'f', 3);
}

// A series widget and its controls by name; a missing one fails the test.
struct Tree {
    explicit Tree(int seriesId = 13) : widget(createSeriesWidget(seriesId, nullptr)) {}
    template <typename T> T *get(const QString &name) const
    {
        T *control = widget->findControl<T>(name);
        if (!control)
            qFatal("no control named %s", qPrintable(name));
        return control;
    }
    QComboBox *combo(const QString &name) const { return get<QComboBox>(name); }
    QLineEdit *edit(const QString &name) const { return get<QLineEdit>(name); }
    QLabel *label(const QString &name) const { return get<QLabel>(name); }
    QRadioButton *radio(const QString &name, int i) const
    {
        return get<QRadioButton>(name + '.' + QString::number(i));
    }
    // Typed into an entry and applied with Return.
    void type(const QString &name, const QString &text) const
    {
        edit(name)->setText(text);
        emit edit(name)->returnPressed();
    }
    const ClockConfig &record() const { return *widget->config(); }

    std::unique_ptr<QXMCUPLL> widget;
};

// Every control of the series stands on its node of the drawing.
void checkControlsOnNodes(const SeriesParams &series, const Tree &t)
{
    const ClockTree::Layout layout = ClockTree::layoutFor(series);
    const QRectF picture(QPointF(0, 0), layout.size);
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (!ControlTable::has(series, row.id))
            continue;
        const int count =
            row.kind == ControlTable::Kind::Radios ? ControlTable::values(series, row.id).size() : 1;
        for (int i = 0; i < count; ++i) {
            const QString anchor = row.kind == ControlTable::Kind::Radios
                                       ? ControlTable::radioAnchor(row.id, i)
                                       : QString::fromLatin1(row.name);
            QVERIFY2(layout.hasAnchor(anchor), qPrintable(anchor));
            const ClockTree::Node *node = layout.node(layout.anchor(anchor).node);
            QVERIFY2(node && node->rect.contains(layout.anchor(anchor).pos), qPrintable(anchor));
            QWidget *control = t.widget->findControl<QWidget>(anchor);
            QVERIFY2(control, qPrintable(anchor));
            QVERIFY(picture.contains(control->graphicsProxyWidget()->sceneBoundingRect()));
        }
    }
}

// The design Save writes for the widget's record, "element=value" in file order.
QString savedDesign(const Tree &t, const SeriesParams &series, ScriptedDialogs &dialogs, const QString &path)
{
    dialogs.answerPath(path);
    if (t.widget->saveConfig(series.seriesName()).status != ActionOutcome::Status::Done)
        return QStringLiteral("not saved");
    QStringList saved;
    const DesignFile::Elements file = DesignFile::read(path);
    for (const QString &name : DesignFile::elementNames(series.seriesName()))
        saved << name + '=' + file.value(name);
    return saved.join(' ');
}

} // namespace

void TestSeriesWidgets::everySeries_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("factory"); // sclk, apb1 box, pll label, usbdiv, ms, ns, fr, CRM_PLLCFG
    QTest::addColumn<QString>("design");  // elements Save writes after the factory reset
    const QString c330 = "288.000|144.000|288.000MHz|  /6|/1|*72|  /2|0x00411201";
    const QString elements =
        "rtcdiv=2 hext=8.000000 hextbypass=0 pllrcs=0 pllms=1 pllns=72 pllfr=2 sclkselect=1 "
        "ahbdiv=1 apb1div=2 apb2div=2 usbdiv=6.0 hicktousb=0 tousbswitch=1 hicktosclk=0 "
        "clkout1=0 clkout1div1=1 clkout1div2=1 clkout1pinselect=0 clkout2=0 clkout2div1=1 "
        "clkout2div2=1 clkout2pinselect=0";
    QTest::newRow("QXC330") << 13 << "QXC330PLL" << c330
                            << "MCU=QXC330 lextbypass=0 rtcsel=0 rtcswitch=0 " + elements;
    QTest::newRow("QXC335") << 14 << "QXC335PLL" << c330
                            << "MCU=QXC335 lextbypass=0 rtcsel=0 rtcswitch=0 " + elements;
}

// Per series: the factory tree, the design Save writes for it and its round
// trip, a typed system clock, the limit refusal, and every control on its node.
void TestSeriesWidgets::everySeries()
{
    QFETCH(int, id);
    QFETCH(QString, factory);
    QFETCH(QString, design);
    const SeriesParams &series = *SeriesTable::byId(id);
    Tree t(id);
    QTEST(QString::fromLatin1(t.widget->metaObject()->className()), "className");
    QCOMPARE((QStringList{t.edit("sclk")->text(), t.edit("apb1p.value")->text(), t.label("pll.value")->text(),
                          t.combo("usbdiv")->currentText(), t.edit("pllms")->text(), t.edit("pllns")->text(),
                          t.combo("pllfr")->currentText(), t.edit("pllcfg")->text()})
                 .join('|'),
             factory);
    QCOMPARE(t.label("usb.value")->palette().color(QPalette::WindowText), QColor(Qt::gray));

    QTemporaryDir dir;
    const QString path = dir.filePath("d.TFCC");
    QCOMPARE(savedDesign(t, series, m_dialogs, path), design);
    Tree reopened(id);
    reopened.widget->loadConfig(path);
    QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());

    // Above the limit a value is shown in red and refused when saving; a typed
    // system clock is reached as nearly as the factors allow.
    t.type("pllns", "*75"); // 300 MHz
    QCOMPARE(t.edit("sclk")->palette().color(QPalette::Text), QColor(Qt::red));
    m_dialogs.clear();
    QCOMPARE(t.widget->generateCode().status, ActionOutcome::Status::Refused);
    QCOMPARE(m_dialogs.texts(), QStringList{"Can not support sclk greater than 288MHz"});
    t.type("sclk", "100");
    QCOMPARE(t.edit("sclk")->text() + ' ' + t.edit("pllms")->text() + t.edit("pllns")->text(),
             QString("100.000 /1*100"));

    checkControlsOnNodes(series, t);
}

void TestSeriesWidgets::multiplierSeries_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("factory"); // sclk, apb1 box, apb1div, pll label, pll_mult, usbdiv
    QTest::addColumn<QString>("design");
    const QString head = "lextbypass=0 rtcsel=0 rtcswitch=0 hext=8.000000 hextbypass=0 ";
    const QString tail = "apb1div=2 apb2div=2 usbdiv=4.0 ";
    const QString a = head + "hextdiv=2 pllhextdiv=0 pllrcs=0 pllmult=30 sclkselect=1 ahbdiv=1 " + tail +
                      "hicktousb=0 tousbswitch=1 hicktosclk=0 clkout=0 clkoutdiv=1 clkoutpinselect=0 "
                      "adcswitch=0 adcdiv=2";
    const QString factoryA = "240.000|120.000|  /2|240.000MHz|  * 30|  /4";
    QTest::newRow("QXC300A") << 7 << "QXC300APLL" << factoryA << "MCU=QXC300A " + a;
    QTest::newRow("QXC305") << 8 << "QXC305PLL" << factoryA << "MCU=QXC305 " + a;
    QTest::newRow("QXC300") << 2 << "QXC300PLL"
                            << "192.000|96.000|  /2|192.000MHz|  * 24|  /4"
                            << "MCU=QXC300 " + head +
                                   "pllhextdiv=0 pllrcs=0 pllmult=24 sclkselect=1 ahbdiv=1 " + tail +
                                   "tousbswitch=1 clkout=0 clkoutpinselect=0 adcswitch=0 adcdiv=2";
    QTest::newRow("QXC310") << 4 << "QXC310PLL"
                            << "200.000|100.000|  /2|200.000MHz|  * 25|  /4"
                            << "MCU=QXC310 " + head +
                                   "pllhextdiv=0 pllrcs=0 pllmult=25 sclkselect=1 ahbdiv=1 " + tail +
                                   "hicktousb=0 tousbswitch=1 hicktosclk=0 clkout=0 clkoutdiv=1 "
                                   "clkoutpinselect=0 adcswitch=0 adcdiv=2";
}

// Per multiplier series: the factory tree, the design Save writes and its
// round trip, the limit refusal, the entry's limit, every control on its node.
void TestSeriesWidgets::multiplierSeries()
{
    QFETCH(int, id);
    QFETCH(QString, factory);
    const SeriesParams &series = *SeriesTable::byId(id);
    Tree t(id);
    QTEST(QString::fromLatin1(t.widget->metaObject()->className()), "className");
    QCOMPARE((QStringList{t.edit("sclk")->text(), t.edit("apb1p.value")->text(),
                          t.combo("apb1div")->currentText(), t.label("pll.value")->text(),
                          t.combo("pllmult")->currentText(), t.combo("usbdiv")->currentText()})
                 .join('|'),
             factory);
    QVERIFY(!t.label("usb.value")->isVisibleTo(t.widget.get()));
    QCOMPARE(t.label("ertc.value")->text(), QString("0"));

    QTemporaryDir dir;
    QTEST(savedDesign(t, series, m_dialogs, dir.filePath("d.TFCC")), "design");
    Tree reopened(id);
    reopened.widget->loadConfig(dir.filePath("d.TFCC"));
    QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());

    // The limit itself is accepted, a bit more refused; one multiplier step
    // above it is red and refused when generating.
    const QString limit = QString::number(series.sclkLimitMHz);
    t.type("sclk", limit + ".001");
    QCOMPARE(m_dialogs.texts().last(), QString("sclk input error!"));
    t.combo("pllmult")->setCurrentIndex(series.sclkLimitMHz / 8 - 1);
    QCOMPARE(t.edit("sclk")->palette().color(QPalette::Text), QColor(Qt::red));
    m_dialogs.clear();
    QCOMPARE(t.widget->generateCode().status, ActionOutcome::Status::Refused);
    QCOMPARE(m_dialogs.texts(), QStringList{"Can not support sclk greater than " + limit + "MHz"});
    t.type("sclk", limit);
    QCOMPARE(t.edit("sclk")->text(), limit + ".000");

    checkControlsOnNodes(series, t);
}

void TestSeriesWidgets::selectableSeries_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("factory"); // sclk, apb1 box, pll label, pll_mult, pll_mode, usbdiv
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("flexible"); // sclk, ms, ns, fr, CRM_PLLCFG after switching the mode
    const QString head = "lextbypass=0 rtcsel=0 rtcswitch=0 hext=8.000000 hextbypass=0 pllhextdiv=0 pllrcs=0 "
                         "pllmode=0 ";
    const QString out = "hicktosclk=0 clkout=0 clkoutdiv=1 clkoutpinselect=0 adcswitch=0 adcdiv=2";
    const QString c315 = head +
                         "pllmult=18 pllms=1 pllns=72 pllfr=4 sclkselect=1 ahbdiv=1 apb1div=2 apb2div=2 "
                         "usbdiv=3.0 tousbswitch=1 " +
                         out;
    const QString c320 = head +
                         "pllmult=15 pllms=1 pllns=120 pllfr=8 sclkselect=1 ahbdiv=1 apb1div=1 "
                         "apb2div=1 " +
                         out;
    const QString c325 = head +
                         "pllmult=12 pllms=1 pllns=96 pllfr=8 sclkselect=1 ahbdiv=1 apb1div=1 apb2div=1 "
                         "usbdiv=2.0 hicktousb=0 tousbswitch=1 " +
                         out;
    const QString e020 = head +
                         "pllmult=12 pllms=1 pllns=96 pllfr=8 sclkselect=1 ahbdiv=1 apb1div=1 apb2div=1 " +
                         out + " usart1clocksel=0 usart2clocksel=0 i2c1clocksel=0";
    QTest::newRow("QXC315") << 5 << "QXC315PLL"
                            << "144.000|72.000|144.000MHz|  * 18|normal|  /3"
                            << "MCU=QXC315 " + c315 << "144.000|/1|*72|  /4|0x00421201";
    QTest::newRow("QXW315") << 17 << "QXW315PLL"
                            << "144.000|72.000|144.000MHz|  * 18|normal|  /3"
                            << "MCU=QXW315 " + c315 << "144.000|/1|*72|  /4|0x00421201";
    QTest::newRow("QXC320") << 9 << "QXC320PLL"
                            << "120.000|120.000|120.000MHz|  * 15|normal|-"
                            << "MCU=QXC320 " + c320 << "120.000|/1|*120|  /8|0x00431e01";
    QTest::newRow("QXC325") << 15 << "QXC325PLL"
                            << "96.000|96.000|96.000MHz|  * 12|normal|  /2"
                            << "MCU=QXC325 " + c325 << "96.000|/1|*96|  /8|0x00431801";
    QTest::newRow("QXE020") << 16 << "QXE020PLL"
                            << "96.000|96.000|96.000MHz|  * 12|normal|-"
                            << "MCU=QXE020 " + e020 << "96.000|/1|*96|  /8|0x00431801";
}

// Per mode-selectable series: the factory tree in normal mode, the design
// Save writes and its round trip, the same system clock in flexible mode and
// a flexible design reopening flexible, every control on its node.
void TestSeriesWidgets::selectableSeries()
{
    QFETCH(int, id);
    const SeriesParams &series = *SeriesTable::byId(id);
    Tree t(id);
    QTEST(QString::fromLatin1(t.widget->metaObject()->className()), "className");
    const auto usbdiv = [&t] {
        auto *usb = t.widget->findControl<QComboBox>("usbdiv");
        return usb ? usb->currentText() : QString("-");
    };
    QTEST((QStringList{t.edit("sclk")->text(), t.edit("apb1p.value")->text(), t.label("pll.value")->text(),
                       t.combo("pllmult")->currentText(), t.combo("pllmode")->currentText(), usbdiv()})
              .join('|'),
          "factory");
    QVERIFY(!t.edit("pllms")->graphicsProxyWidget()->isVisible());
    QVERIFY(t.combo("pllmult")->graphicsProxyWidget()->isVisible());

    QTemporaryDir dir;
    QTEST(savedDesign(t, series, m_dialogs, dir.filePath("d.TFCC")), "design");
    Tree reopened(id);
    reopened.widget->loadConfig(dir.filePath("d.TFCC"));
    QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());

    t.combo("pllmode")->setCurrentIndex(1);
    QVERIFY(t.edit("pllms")->graphicsProxyWidget()->isVisible());
    QVERIFY(!t.combo("pllmult")->graphicsProxyWidget()->isVisible());
    QTEST((QStringList{t.edit("sclk")->text(), t.edit("pllms")->text(), t.edit("pllns")->text(),
                       t.combo("pllfr")->currentText(), t.edit("pllcfg")->text()})
              .join('|'),
          "flexible");
    savedDesign(t, series, m_dialogs, dir.filePath("f.TFCC"));
    m_dialogs.clear();
    Tree flexible(id);
    flexible.widget->loadConfig(dir.filePath("f.TFCC"));
    QCOMPARE(flexible.record().fieldValues(), t.record().fieldValues());
    QVERIFY(flexible.edit("pllms")->graphicsProxyWidget()->isVisible());
    QCOMPARE(m_dialogs.texts(), QStringList());

    checkControlsOnNodes(series, t);
}

void TestSeriesWidgets::seriesEdits_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("steps");  // "type name text", "combo name index", "radio name index"
    QTest::addColumn<QString>("expect"); // "name=shown text" of edits, combos and labels; "box=" a message
    // clang-format off
    QTest::newRow("typed 100 rounds half up") << 7 << "type sclk 100"
        << "pllmult=  * 13|pll.value=104.000MHz|sclk=104.000";
    QTest::newRow("clamped to x2") << 7 << "type sclk 6" << "pllmult=  * 2|pll.value=16.000MHz";
    QTest::newRow("clamped to x64") << 7
        << "type hext 10|type sclk 200|radio pllhextdiv 1|combo hextdiv 3|type sclk 200"
        << "pllmult=  * 64|pll.value=128.000MHz";
    QTest::newRow("1.6 MHz input corrects HEXT") << 7 << "radio pllhextdiv 1|combo hextdiv 3"
        << "box=pll input clock source range 2-16MHz!|hext=10.000";
    QTest::newRow("above 16 MHz corrects HEXT") << 2 << "type hext 20"
        << "box=pll input clock source range 2-16MHz!|hext=16.000";
    QTest::newRow("USB 60 red, 48 at 192") << 7 << "combo usbswitch 0"
        << "usb.value=60.000 MHz|red=usb.value";
    QTest::newRow("USB 48 at 192") << 7 << "combo usbswitch 0|type sclk 192"
        << "usbdiv=  /4|usb.value=48.000 MHz|green=usb.value";
    QTest::newRow("usbdiv retunes on HEXT") << 7 << "radio sclkselect 0|combo usbswitch 0|combo usbdiv 1"
        << "pllmult=  * 9|pll.value=72.000MHz|usb.value=48.000 MHz";
    QTest::newRow("hick to usb") << 7 << "combo usbswitch 0|radio hicktousb 1"
        << "usb.value=48.000 MHz|pllmult=  * 30";
    QTest::newRow("APB1 raised to /2") << 7 << "combo apb1div 1|combo apb1div 0"
        << "apb1div=  /2|apb1p.value=120.000";
    QTest::newRow("QXC310 APB1 raised") << 4 << "combo apb1div 0" << "apb1div=  /2|apb1p.value=100.000";
    QTest::newRow("clock out hick 8") << 7 << "combo clockoutPinSelect 1|radio clkout 3"
        << "clkout.val3=(8.000 MHz)|clkout.output=(8.000 MHz)";
    QTest::newRow("clock out hick 48 for USB") << 7
        << "combo usbswitch 0|radio hicktousb 1|combo clockoutPinSelect 1|combo clockoutdiv 1|radio clkout 3"
        << "clkout.val3=(48.000 MHz)|clkout.output=(24.000 MHz)";
    QTest::newRow("QXC300 hick always 8") << 2 << "combo clockoutPinSelect 1|radio clkout 1"
        << "clkout.val1=(8.000 MHz)";
    QTest::newRow("clock out lick kHz") << 7 << "combo clockoutPinSelect 1|radio clkout 1"
        << "clkout.val1=(40.000 kHz)";
    QTest::newRow("lext idle without the RTC") << 7 << "combo clockoutPinSelect 1|radio clkout 2"
        << "clkout.val2=|clkout.output=";
    QTest::newRow("lext only with the RTC on it") << 7
        << "combo rtcswitch 1|radio rtcsel 1|combo clockoutPinSelect 1|radio clkout 2"
        << "clkout.val2=(32.768 kHz)|ertc.value=32.768";
    QTest::newRow("RTC on HEXT/128") << 7 << "combo rtcswitch 1|radio rtcsel 2" << "ertc.value=62.500";
    QTest::newRow("ADC") << 7 << "combo adcswitch 1|combo adcdiv 1" << "adc.value=30.000|red=adc.value";
    QTest::newRow("flexible keeps 144 MHz") << 5 << "combo pllmode 1"
        << "sclk=144.000|pllms=/1|pllns=*72|pllfr=  /4|pllcfg.caption=CRM_PLLCFG: |pllcfg=0x00421201";
    QTest::newRow("ms 20 refused") << 5 << "combo pllmode 1|type pllms 20"
        << "box=pll_ms input error!|pllms=/20|record.pllms=1";
    QTest::newRow("ms 5 adjusted to 4") << 5 << "combo pllmode 1|text pllms 5|yes|yes|type pllms /5"
        << "box=pll_ms input error, is it adjusted automatically?;"
           "pll_ns input error, is it adjusted automatically?|pllms=/4|record.pllms=4";
    QTest::newRow("12 MHz normal PLL refused") << 5 << "radio pllrcs 1|combo pllmult 1|generate"
        << "pll.value=12.000MHz|red=pll.value|box=Can not support pll clock less than 16MHz";
    QTest::newRow("register empty without the PLL") << 5 << "combo pllmode 1|radio sclkselect 2"
        << "pllcfg.caption=|pllcfg=|pll.value=";
    QTest::newRow("mode switch stopped by HEXT") << 5 << "text hext 30|combo pllmode 1"
        << "box=hext input error!|pllmode=normal|shown=pllmult|hidden=pllms";
    QTest::newRow("QXC325 USB on HICK leaves the PLL") << 15
        << "radio pllrcs 1|combo pllmult 1|radio sclkselect 2|combo usbswitch 0|radio hicktousb 1|generate"
        << "pll.value=|usb.value=48.000 MHz";
    QTest::newRow("QXE020 USART2 on lext") << 16 << "radio usart2clocksel 3"
        << "usart2clocksel.value=32.768|usart2clocksel.unit=(kHz)|enabled=lextbypass|green=usart2clocksel.value";
    QTest::newRow("QXE020 hick48 and sclk") << 16 << "radio usart1clocksel 2|radio i2c1clocksel 1"
        << "usart1clocksel.value=48.000|usart1clocksel.unit=(MHz)|i2c1clocksel.value=96.000";
    QTest::newRow("QXE020 no APB halving") << 16 << "combo apb1div 1|combo apb1div 0"
        << "apb1div=  /1|apb1p.value=96.000|green=apb1p.value";
    QTest::newRow("QXE020 PB13") << 16 << "combo clockoutPinSelect 3|radio clkout 3"
        << "record.clockoutPinSelect=3|clkout.val3=(48.000 MHz)";
    QTest::newRow("QXE020 no pin") << 16 << "combo clockoutPinSelect 0" << "disabled=clkout.8";
    QTest::newRow("QXE020 ADC /3") << 16 << "combo adcswitch 1|combo adcdiv 1|yes|generate"
        << "adc.value=32.000|red=adc.value|record.adcdiv=3|box=The maximum ADC clock is 28 MHz. The "
           "currently configured ADC clock is wrong, please confirm whether to continue?";
    // clang-format on
}

// Edits as a user makes them, and what the drawing then shows.
void TestSeriesWidgets::seriesEdits()
{
    QFETCH(int, id);
    QFETCH(QString, steps);
    QFETCH(QString, expect);
    Tree t(id);
    for (const QString &step : steps.split('|')) {
        const QStringList part = step.split(' ');
        if (part.at(0) == "type")
            t.type(part.at(1), part.at(2));
        else if (part.at(0) == "text")
            t.edit(part.at(1))->setText(part.at(2));
        else if (part.at(0) == "yes")
            m_dialogs.answerButton(QMessageBox::Yes);
        else if (part.at(0) == "generate")
            t.widget->generateCode();
        else if (part.at(0) == "combo")
            t.combo(part.at(1))->setCurrentIndex(part.at(2).toInt());
        else
            t.radio(part.at(1), part.at(2).toInt())->click();
    }
    for (const QString &check : expect.split('|')) {
        const QString name = check.section('=', 0, 0);
        const QString want = check.section('=', 1);
        if (name == "box") {
            QCOMPARE(m_dialogs.texts().join(';'), want);
        } else if (name == "shown" || name == "hidden") {
            QCOMPARE(t.widget->findControl<QWidget>(want)->graphicsProxyWidget()->isVisible(),
                     name == "shown");
        } else if (name == "enabled" || name == "disabled") {
            QCOMPARE(t.widget->findControl<QWidget>(want)->isEnabled(), name == "enabled");
        } else if (name.startsWith("record.")) {
            QCOMPARE(ControlTable::fieldValue(t.record(), *ControlTable::rowByName(name.mid(7))),
                     want.toDouble());
        } else if (name == "red" || name == "green") {
            QCOMPARE(t.widget->findControl<QWidget>(want)->palette().color(
                         qobject_cast<QLabel *>(t.widget->findControl<QWidget>(want)) ? QPalette::WindowText
                                                                                      : QPalette::Text),
                     QColor(name == "red" ? Qt::red : Qt::darkGreen));
        } else {
            QWidget *control = t.widget->findControl<QWidget>(name);
            QVERIFY2(control, qPrintable(name));
            const auto *combo = qobject_cast<QComboBox *>(control);
            const auto *edit = qobject_cast<QLineEdit *>(control);
            const QString shown = combo  ? combo->currentText()
                                  : edit ? edit->text()
                                         : qobject_cast<QLabel *>(control)->text();
            QCOMPARE(shown, want);
        }
    }
    if (!expect.contains("box="))
        QCOMPARE(m_dialogs.texts(), QStringList());
}

// Every entry of the MCU dialog opens its own series widget from the real
// factory, showing the factory system clock.
void TestSeriesWidgets::everyDialogEntryOpens()
{
    QCOMPARE(SeriesTable::all().size(), 11);
    for (const SeriesParams &series : SeriesTable::all()) {
        Tree t(series.id);
        QVERIFY2(t.widget, series.name);
        QCOMPARE(QString::fromLatin1(t.widget->metaObject()->className()), QString(series.widgetClass));
        QCOMPARE(t.widget->config()->seriesId, series.id);
        QCOMPARE(t.edit("sclk")->text(), mhz(series.factorySclkMHz));
    }
    QCOMPARE(m_dialogs.texts(), QStringList());
}

void TestSeriesWidgets::entryLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // sclk afterwards; empty when refused
    QTest::addColumn<QString>("factors"); // ms, ns and fr shown afterwards, where checked
    // clang-format off
    QTest::newRow("hext 4") << "hext" << "4" << "4.000" << "";
    QTest::newRow("hext 25") << "hext" << "25" << "25.000" << "";
    QTest::newRow("hext 3.999") << "hext" << "3.999" << "" << "";
    QTest::newRow("hext 25.001") << "hext" << "25.001" << "" << "";
    QTest::newRow("sclk 240") << "sclk" << "240" << "240.000" << "";
    QTest::newRow("sclk 288") << "sclk" << "288" << "288.000" << "";
    QTest::newRow("sclk 288.5") << "sclk" << "288.5" << "" << "";
    QTest::newRow("sclk 287.3") << "sclk" << "287.3" << "287.000" << "/4 *287   /2";
    // clang-format on
}

void TestSeriesWidgets::entryLimits()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, factors);
    Tree t;
    // Start where a refused entry would show: sclk straight from HEXT, or a 400 MHz PLL.
    const bool hext = field == "hext";
    if (hext)
        t.radio("sclkselect", 0)->click();
    else
        t.type("pllns", "*100");
    const ClockConfig before = t.record();
    m_dialogs.clear();
    t.type(field, typed);
    const ClockConfig &c = t.record();
    QCOMPARE(m_dialogs.texts(), shown.isEmpty() ? QStringList{field + " input error!"} : QStringList());
    if (shown.isEmpty()) {
        QCOMPARE(m_dialogs.last()->title, QString("Error"));
        QCOMPARE(c.fieldValues(), before.fieldValues());
        QCOMPARE(t.edit("ahb0.value")->text(), mhz(before.ahbMHz));
    } else {
        QCOMPARE(t.edit("sclk")->text(), shown);
        QCOMPARE(t.edit("ahb0.value")->text(), mhz(c.sclkMHz));
    }
    if (!factors.isEmpty())
        QCOMPARE(t.edit("pllms")->text() + ' ' + t.edit("pllns")->text() + ' ' +
                     t.combo("pllfr")->currentText(),
                 factors);
    // The three usage notes show above 240 MHz only.
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(!t.label(QString("note%1").arg(i))->isHidden(), c.sclkMHz > 240);
}

void TestSeriesWidgets::usbFromPll_data()
{
    QTest::addColumn<bool>("offTarget");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("288 MHz, no question") << false << int(QMessageBox::NoButton) << true;
    QTest::newRow("287.5 MHz, Cancel") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("287.5 MHz, Yes") << true << int(QMessageBox::Yes) << true;
}

void TestSeriesWidgets::usbFromPll()
{
    QFETCH(bool, offTarget);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    Tree t;
    if (offTarget) { // HEXT 10, ms 2, ns 115, fr 2: 287.5 MHz.
        t.type("hext", "10");
        t.edit("pllns")->setText("*115");
        t.type("pllms", "/2");
    }
    t.combo("usbswitch")->setCurrentIndex(0);
    QCOMPARE(t.label("usb.value")->text(), QString(offTarget ? "47.917 MHz" : "48.000 MHz"));
    QCOMPARE(t.label("usb.value")->palette().color(QPalette::WindowText),
             QColor(offTarget ? Qt::red : Qt::darkGreen));
    m_dialogs.clear();
    if (answer != QMessageBox::NoButton)
        m_dialogs.answerButton(QMessageBox::StandardButton(answer));
    t.widget->saveConfig("QXC330");
    QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::SaveFile), goesOn ? 1 : 0);
    QCOMPARE(m_dialogs.texts().count(
                 "USB clock must be 48MHz. But the USB clock of current config is wrong.  please "
                 "confirm whether to continue?"),
             offTarget ? 1 : 0);
    if (offTarget)
        return;
    // "hick to usb" gives 48 MHz and leaves the PLL alone.
    t.combo("usbdiv")->setCurrentIndex(8); // "  /5": 57.6 MHz from the PLL
    QCOMPARE(t.label("usb.value")->text(), QString("57.600 MHz"));
    t.radio("hicktousb", 1)->click();
    QCOMPARE(t.label("usb.value")->text(), QString("48.000 MHz"));
    QCOMPARE(t.label("pll.value")->text(), QString("288.000MHz"));
}

void TestSeriesWidgets::clockOutputValues()
{
    Tree t;
    t.combo("clockout1PinSelect")->setCurrentIndex(1); // PA8; source HICK, divided by 6 here
    QCOMPARE(t.label("clkout1.output")->text(), QString("(8.000 MHz)"));
    QCOMPARE(t.label("clkout1.val0")->text(), QString("(8.000 MHz)"));
    t.combo("clockout1div1")->setCurrentIndex(1);
    QCOMPARE(t.label("clkout1.output")->text(), QString("(4.000 MHz)"));
    // Without a pin the labels keep their texts.
    t.combo("clockout1PinSelect")->setCurrentIndex(0);
    t.combo("clockout1div1")->setCurrentIndex(3);
    t.radio("clkout1", 3)->setChecked(true); // PLL
    QCOMPARE(t.label("clkout1.output")->text(), QString("(4.000 MHz)"));
    t.combo("clockout1PinSelect")->setCurrentIndex(2); // PE4: evaluated again
    QCOMPARE(t.label("clkout1.output")->text(), QString("(72.000 MHz)"));
    // HICK is 48 MHz while the system clock takes the full HICK.
    t.radio("clkout1", 0)->setChecked(true);
    t.radio("sclkselect", 2)->click();
    t.radio("hicktosclk", 1)->click();
    QCOMPARE(t.label("clkout1.val0")->text(), QString("(48.000 MHz)"));
    QCOMPARE(t.label("clkout1.output")->text(), QString("(12.000 MHz)"));
}

void TestSeriesWidgets::msAdjustQuestion()
{
    Tree t;
    m_dialogs.answerButton(QMessageBox::Cancel);
    t.type("pllms", "/5");
    const QString question = "pll_ms input error, is it adjusted automatically?";
    QCOMPARE(m_dialogs.texts(), QStringList{question});
    QCOMPARE((QStringList{t.edit("pllms")->text(), t.label("pll.value")->text(),
                          QString::number(t.record().pllMs)}),
             (QStringList{"/5", "288.000MHz", "1"}));
    QCOMPARE(t.edit("pllms")->styleSheet(), SeriesWidget::factorPendingStyle());
    // Yes to ms (2 MHz reference), then Cancel on ns: the whole edit is undone.
    m_dialogs.answerButton(QMessageBox::Yes);
    emit t.edit("pllms")->returnPressed();
    QCOMPARE(m_dialogs.texts().mid(1),
             (QStringList{question, "pll_ns input error, is it adjusted automatically?"}));
    QCOMPARE(t.record().pllMs, 1);
    QCOMPARE(t.edit("pllms")->text(), QString("/5"));
    // Yes to both: ms 4, and ns 250 for a 500 MHz oscillator.
    m_dialogs.answerButton(QMessageBox::Yes);
    m_dialogs.answerButton(QMessageBox::Yes);
    emit t.edit("pllms")->returnPressed();
    QCOMPARE((QStringList{t.edit("pllms")->text(), t.edit("pllns")->text()}), (QStringList{"/4", "*250"}));
    QCOMPARE(t.record().pllNs, 250);
}

void TestSeriesWidgets::hextReturnRetunesUsb()
{
    Tree t;
    t.radio("sclkselect", 0)->click();
    t.combo("usbswitch")->setCurrentIndex(0);
    t.type("hext", "12");
    QCOMPARE(t.label("usb.value")->text(), QString("48.000 MHz"));
    QCOMPARE((QStringList{t.edit("pllms")->text(), t.edit("pllns")->text(), t.combo("pllfr")->currentText()}),
             (QStringList{"/1", "*48", "  /2"}));
}

void TestSeriesWidgets::activePaths_data()
{
    // Set-up: the sclk source; "usb" on, "rtc" from HEXT (switched on), "rtcsel" HEXT chosen but
    // the RTC off, "pin2" a pin for clock output 2, "outN": clock output 1 on source N. Expected:
    // which of hext, the PLL, hick/6 to sclk, the RTC divider, clock output 1, clock output 2 and
    // its "usb" source are enabled.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("factory") << "pll"
                             << "hext pll";
    QTest::newRow("hick only") << "hick"
                               << "hick";
    QTest::newRow("hick, usb on the pll") << "hick usb"
                                          << "hext pll hick";
    QTest::newRow("hick, rtc on hext") << "hick rtc"
                                       << "hext hick rtcdiv";
    QTest::newRow("hick, clkout1 hext") << "hick out2"
                                        << "hext hick clkout1";
    QTest::newRow("hick, clkout1 pll") << "hick out3"
                                       << "hext pll hick clkout1";
    QTest::newRow("hext") << "hext out0"
                          << "hext clkout1";
    QTest::newRow("rtc on hext, switched off") << "hick rtcsel"
                                               << "hick";
    QTest::newRow("clkout2 while usb is off") << "hick pin2"
                                              << "hick clkout2";
    QTest::newRow("clkout2 while usb is on") << "hick usb pin2"
                                             << "hext pll hick clkout2 usbsource";
}

void TestSeriesWidgets::activePaths()
{
    QFETCH(QString, setup);
    Tree t;
    const QStringList steps = setup.split(' ');
    if (steps.first() != "pll")
        t.radio("sclkselect", steps.first() == "hick" ? 2 : 0)->click();
    if (steps.contains("usb"))
        t.combo("usbswitch")->setCurrentIndex(0);
    if (steps.contains("rtc") || steps.contains("rtcsel"))
        t.radio("rtcsel", 2)->click();
    if (steps.contains("rtc"))
        t.combo("rtcswitch")->setCurrentIndex(1);
    if (steps.contains("pin2"))
        t.combo("clockout2PinSelect")->setCurrentIndex(1);
    if (steps.last().startsWith("out")) {
        t.combo("clockout1PinSelect")->setCurrentIndex(1);
        t.radio("clkout1", steps.last().mid(3).toInt())->setChecked(true);
    }
    const bool pll = t.edit("pllms")->isEnabled();
    for (QWidget *control : QVector<QWidget *>{t.combo("pllfr"), t.radio("pllrcs", 1), t.label("pll.value")})
        QCOMPARE(control->isEnabled(), pll);
    QCOMPARE(t.edit("hext")->styleSheet(), t.edit("hext")->isEnabled() ? SeriesWidget::committedEditStyle()
                                                                       : SeriesWidget::disabledEditStyle());
    QCOMPARE(t.combo("clockout1div2")->isEnabled(), t.radio("clkout1", 0)->isEnabled());
    const QWidget *groups[] = {t.edit("hext"),       t.edit("pllms"),       t.radio("hicktosclk", 0),
                               t.combo("rtcdiv"),    t.radio("clkout1", 0), t.radio("clkout2", 0),
                               t.radio("clkout2", 3)};
    QStringList enabled;
    for (int i = 0; i < 7; ++i)
        enabled << (groups[i]->isEnabled()
                        ? QString("hext pll hick rtcdiv clkout1 clkout2 usbsource").section(' ', i, i)
                        : "");
    QTEST(enabled.join(' ').simplified(), "enabled");
    QCOMPARE(m_dialogs.requests.size(), 0);
}

void TestSeriesWidgets::refusedEditLeavesTheDesign_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("question"); // the box of the refusal
    const QString ns = "pll_ns input error, is it adjusted automatically?";
    QTest::newRow("fr after a HEXT error") << "fr"
                                           << "hext input error!";
    QTest::newRow("ns question cancelled on a divider change") << "ahbdiv" << ns;
    QTest::newRow("PLL source switch asks about the factors") << "pllrcs" << ns;
}

// A refused or cancelled edit leaves the record and every control as they
// were; typed text stays, not applied.
void TestSeriesWidgets::refusedEditLeavesTheDesign()
{
    QFETCH(QString, edit);
    QFETCH(QString, question);
    Tree t;
    if (edit == "pllrcs") { // the PLL feeds clock output 1 only; HEXT 25 with ms 2
        t.radio("sclkselect", 2)->click();
        t.combo("clockout1PinSelect")->setCurrentIndex(1);
        t.radio("clkout1", 3)->setChecked(true);
        m_dialogs.answerButton(QMessageBox::Yes);
        t.type("hext", "25");
        QCOMPARE(t.edit("pllms")->text(), QString("/2"));
    }
    const ClockConfig before = t.record();
    m_dialogs.clear();
    if (edit == "fr") {
        t.edit("hext")->setText("30"); // typed, not applied
        t.combo("pllfr")->setCurrentIndex(0);
    } else if (edit == "ahbdiv") {
        t.edit("pllms")->setText("/2");
        t.combo("ahbdiv")->setCurrentIndex(1);
    } else {
        t.radio("pllrcs", 1)->click(); // 8 MHz / 2: a 288 MHz oscillator
    }
    QCOMPARE(m_dialogs.texts(), QStringList{question});
    QCOMPARE(t.record().fieldValues(), before.fieldValues());
    QCOMPARE(t.combo("pllfr")->currentText() + t.combo("ahbdiv")->currentText(), QString("  /2  /1"));
    QVERIFY(t.radio("pllrcs", 0)->isChecked());
    if (edit == "fr")
        QCOMPARE(t.edit("hext")->text() + t.edit("hext")->styleSheet(),
                 "30" + SeriesWidget::pendingEditStyle());
    if (edit == "ahbdiv")
        QCOMPARE(t.edit("pllms")->text() + t.edit("pllms")->styleSheet(),
                 "/2" + SeriesWidget::factorPendingStyle());
}

void TestSeriesWidgets::staleRecordIsNotGenerated()
{
    Tree t;
    t.widget->config()->pllNs = 75; // 300 MHz, while the derived values still say 288
    t.widget->generateCode();
    QCOMPARE(m_dialogs.texts(), QStringList{"Can not support sclk greater than 288MHz"});
    QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::Directory), 0);
}

// Each slot, run as a user would run it, leaves every shown value equal to the record.
void TestSeriesWidgets::everySlotKeepsDisplayConsistent_data()
{
    QTest::addColumn<int>("id");
    for (int id : {13, 5, 9, 15, 16})
        QTest::newRow(SeriesTable::byId(id)->name) << id;
}

void TestSeriesWidgets::everySlotKeepsDisplayConsistent()
{
    QFETCH(int, id);
    Tree t(id);
    for (const char *name : {"usbswitch", "clockout1PinSelect", "clockout2PinSelect", "clockoutPinSelect"}) {
        if (auto *combo = t.widget->findControl<QComboBox>(name))
            combo->setCurrentIndex(QLatin1String(name) == "usbswitch" ? 0 : 1);
    }
    auto *usb = t.widget->findControl<QLabel>("usb.value");
    const QMetaObject &mo = *t.widget->metaObject();
    for (int index = SeriesWidget::staticMetaObject.methodCount(); index < mo.methodCount(); ++index) {
        const QMetaMethod slot = mo.method(index);
        const QString name =
            QString::fromLatin1(slot.name()).section('_', 0, 0).remove("ComboBox").replace("toadc", "adc");
        for (int i = 0; i < 4; ++i)
            m_dialogs.answerButton(QMessageBox::Yes);
        bool invoked = false;
        if (slot.parameterCount() == 0) {
            invoked = slot.invoke(t.widget.get(), Qt::DirectConnection);
        } else if (slot.parameterType(0) == QMetaType::Bool) {
            invoked = slot.invoke(t.widget.get(), Qt::DirectConnection, Q_ARG(bool, true));
        } else if (slot.parameterType(0) == QMetaType::Int) {
            QComboBox *combo = t.combo(name);
            const QSignalBlocker blocker(combo); // the box moves first, then its slot runs
            combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            invoked = slot.invoke(t.widget.get(), Qt::DirectConnection, Q_ARG(int, combo->currentIndex()));
        } else {
            invoked = slot.invoke(t.widget.get(), Qt::DirectConnection, Q_ARG(QString, t.edit(name)->text()));
        }
        QVERIFY2(invoked, slot.methodSignature().constData());
        m_dialogs.clear();
        const ClockConfig &c = t.record();
        const QStringList shown{
            t.edit("sclk")->text(),           t.edit("apb1p.value")->text(),
            t.edit("apb2t.value")->text(),    t.combo("apb1div")->currentText(),
            usb ? usb->text() : QString("-"), t.edit("pllms")->text() + t.edit("pllns")->text(),
            t.combo("pllfr")->currentText()};
        const QStringList expected{mhz(c.sclkMHz),
                                   mhz(c.apb1MHz),
                                   mhz(c.apb2TimerMHz),
                                   QString("  /%1").arg(c.apb1Div),
                                   usb ? QString(mhz(c.usbMHz) + " MHz") : QString("-"),
                                   QString("/%1*%2").arg(c.pllMs).arg(c.pllNs),
                                   QString("  /%1").arg(c.pllFr)};
        QCOMPARE(shown, expected);
    }
}

void TestSeriesWidgets::foldOutLists()
{
    Tree t;
    QXMCUPLL &w = *t.widget;
    t.get<QPushButton>("apb1p.list")->click();
    QVERIFY(t.get<QWidget>("list0")->isVisible());
    t.get<QPushButton>("apb2p.list")->click();
    QVERIFY(!t.get<QWidget>("list0")->isVisible() && t.get<QWidget>("list2")->isVisible());
    QTest::mouseClick(&w, Qt::LeftButton);
    QVERIFY(!t.get<QWidget>("list2")->isVisible());

    // A press on the bare drawing reaches the widget through the view too.
    w.resize(900, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    t.get<QPushButton>("apb1t.list")->click();
    QVERIFY(t.get<QWidget>("list1")->isVisible());
    PinGraphicsView *view = w.graphicsView();
    const QPoint bare = view->mapFromScene(QPointF(5, 5));
    QVERIFY(qgraphicsitem_cast<QGraphicsPixmapItem *>(view->itemAt(bare)));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, bare);
    QVERIFY(!t.get<QWidget>("list1")->isVisible());
}

QTEST_MAIN(TestSeriesWidgets)
#include "tst_serieswidgets.moc"

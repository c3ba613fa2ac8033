#include "ClockConfig.h"
#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "DesignFile.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"
#include "SeriesWidget.h"

#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QVBoxLayout>
#include <QWindow>
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
    void edits_data();
    void edits();
    void everyControlChangesItsOwnField_data();
    void everyControlChangesItsOwnField();
    void foldOutLists();
    void inAWindow_data();
    void inAWindow();
    void sharpDrawing_data();
    void sharpDrawing();
    void muxInputsWired_data();
    void muxInputsWired();
    void chineseMessages_data();
    void chineseMessages();

private:
    ScriptedDialogs m_dialogs;
};

namespace {

// A series widget from the real factory, and its controls by name.
struct Tree {
    explicit Tree(const QString &series = "QXC330")
        : widget(createSeriesWidget(SeriesTable::byName(series)->id, nullptr))
    {}
    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *control = widget->findControl<T>(name);
        if (!control)
            qFatal("no control named %s", qPrintable(name));
        return control;
    }
    const ClockConfig &record() const { return *widget->config(); }

    std::unique_ptr<QXMCUPLL> widget;
};

// Runs "|"-separated steps: "type NAME TEXT" (typed, then Return), "text NAME
// TEXT" (typed only), "combo NAME INDEX", "radio NAME INDEX" (clicked),
// "check NAME INDEX" (checked, even while disabled), "yes"/"cancel" (the next
// question's answer), "generate", "save" (its file dialog cancelled), "poke
// FIELD VALUE" (the record behind the widget's back), "mark" (remember the
// record), "clear" (forget the boxes so far).
void run(Tree &t, ScriptedDialogs &dialogs, const QString &steps, ClockConfig &mark)
{
    for (const QString &step : steps.split('|', Qt::SkipEmptyParts)) {
        const QString verb = step.section(' ', 0, 0), name = step.section(' ', 1, 1),
                      arg = step.section(' ', 2);
        if (verb == "type" || verb == "text") {
            t.get<QLineEdit>(name)->setText(arg);
            if (verb == "type")
                emit t.get<QLineEdit>(name)->returnPressed();
        } else if (verb == "combo") {
            t.get<QComboBox>(name)->setCurrentIndex(arg.toInt());
        } else if (verb == "radio") {
            t.get<QRadioButton>(name + '.' + arg)->click();
        } else if (verb == "check") {
            t.get<QRadioButton>(name + '.' + arg)->setChecked(true);
        } else if (verb == "yes" || verb == "cancel") {
            dialogs.answerButton(verb == "yes" ? QMessageBox::Yes : QMessageBox::Cancel);
        } else if (verb == "generate") {
            t.widget->generateCode();
        } else if (verb == "save") {
            t.widget->saveConfig(t.record().params()->seriesName());
        } else if (verb == "poke") {
            DesignState poked = t.widget->document().state();
            poked.record.setFieldValue(name, arg);
            t.widget->restoreState(poked);
        } else if (verb == "mark") {
            mark = t.record();
        } else if (verb == "clear") {
            dialogs.clear();
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
    }
}

QString colourOf(const QWidget *w)
{
    const QColor c =
        w->palette().color(qobject_cast<const QLabel *>(w) ? QPalette::WindowText : QPalette::Text);
    return c == Qt::red ? "red" : c == Qt::darkGreen ? "green" : c == Qt::gray ? "gray" : c.name();
}

QString styleOf(const QWidget *w)
{
    const QString s = w->styleSheet();
    return s == SeriesWidget::committedEditStyle()   ? "committed"
           : s == SeriesWidget::pendingEditStyle()   ? "pending"
           : s == SeriesWidget::disabledEditStyle()  ? "disabled"
           : s == SeriesWidget::factorPendingStyle() ? "factorPending"
                                                     : "other";
}

bool visible(const QWidget *w)
{
    return !w->isHidden() && (!w->graphicsProxyWidget() || w->graphicsProxyWidget()->isVisible());
}

// Which of the QXC330 paths are in use, read from their controls: each group's
// members must agree (a disagreeing group shows as "name?").
QString livePaths(const Tree &t)
{
    const QVector<QPair<QString, QStringList>> groups{
        {"hext", {"hext"}},
        {"pll", {"pllms", "pllfr", "pllrcs.1", "pll.value"}},
        {"hick", {"hicktosclk.0"}},
        {"rtcdiv", {"rtcdiv"}},
        {"clkout1", {"clkout1.0", "clockout1div1", "clockout1div2"}},
        {"clkout2", {"clkout2.0", "clockout2div1", "clockout2div2"}},
        {"usbsource", {"clkout2.3"}}};
    QStringList out;
    for (const auto &group : groups) {
        int on = 0;
        for (const QString &name : group.second)
            on += t.get(name)->isEnabled();
        // A disabled HEXT entry never keeps the look of an applied one.
        const bool hextLook =
            group.first != "hext" || styleOf(t.get("hext")) == (on ? "committed" : "disabled");
        if (on == group.second.size() && hextLook)
            out << group.first;
        else if (on || !hextLook)
            out << group.first + '?';
    }
    return out.join(' ');
}

// What the widget shows, in the form of `expect` ("name=value|..."), so that a
// comparison names every difference. Keys: "class"; "box" (the messages,
// ";"-joined); "asked" (every dialog's kind); "red"/"green"/"gray", "on"/"off"
// and "shown"/"hidden" with a list of names; "style.NAME"; "at.NAME" (the
// proxy's place); "rec" (record fields); "kept" (the record equals the
// mark); "live" (QXC330 paths in use); else a control's or label's text.
QString shown(const Tree &t, const ScriptedDialogs &dialogs, const QString &expect, const ClockConfig &mark)
{
    QStringList out;
    for (const QString &check : expect.split('|', Qt::SkipEmptyParts)) {
        const QString key = check.section('=', 0, 0), want = check.section('=', 1);
        QString value;
        if (key == "class") {
            value = t.widget->metaObject()->className();
        } else if (key == "box") {
            value = dialogs.texts().join(';');
        } else if (key == "asked") {
            QStringList kinds;
            for (const ScriptedDialogs::Request &r : dialogs.requests)
                kinds << QStringList{"message", "open", "save", "directory", "url", "overwrite", "dialog"}.at(
                    int(r.kind));
            value = kinds.join(',');
        } else if (QStringList{"red", "green", "gray", "on", "off", "shown", "hidden"}.contains(key)) {
            QStringList names;
            for (const QString &name : want.split(' ')) {
                const QWidget *w = t.get(name);
                const QString state = key == "on" || key == "off"         ? (w->isEnabled() ? "on" : "off")
                                      : key == "shown" || key == "hidden" ? (visible(w) ? "shown" : "hidden")
                                                                          : colourOf(w);
                names << (state == key ? name : name + ':' + state);
            }
            value = names.join(' ');
        } else if (key.startsWith("style.")) {
            value = styleOf(t.get(key.mid(6)));
        } else if (key.startsWith("at.")) {
            const QPointF at = t.get(key.mid(3))->graphicsProxyWidget()->pos();
            value = QString("%1,%2").arg(at.x()).arg(at.y());
        } else if (key == "rec") {
            const QString mismatch = RecordFields::mismatches(t.record(), want);
            value = mismatch.isEmpty() ? want : mismatch;
        } else if (key == "kept") {
            value = t.record().fieldValues() == mark.fieldValues() ? "yes" : "no";
        } else if (key == "live") {
            value = livePaths(t);
        } else if (const auto *combo = t.widget->findControl<QComboBox>(key)) {
            value = combo->currentText();
        } else if (const auto *edit = t.widget->findControl<QLineEdit>(key)) {
            value = edit->text();
        } else if (const auto *radio = t.widget->findControl<QRadioButton>(key)) {
            value = radio->isChecked() ? "checked" : "unchecked";
        } else {
            value = t.get<QLabel>(key)->text();
        }
        out << key + '=' + value;
    }
    if (!expect.contains("box=") && !dialogs.texts().isEmpty())
        out << "box=" + dialogs.texts().join(';'); // an unexpected box
    return out.join('|');
}

// Every control of the series stands at its anchor, on its node of the drawing.
void checkControlsOnNodes(const Tree &t)
{
    const SeriesParams &series = *t.record().params();
    const ClockTree::Layout layout = ClockTree::layoutFor(series);
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (!ControlTable::has(series, row.id))
            continue;
        const bool radios = row.kind == ControlTable::Kind::Radios;
        for (int i = 0; i < (radios ? ControlTable::values(series, row.id).size() : 1); ++i) {
            const QString anchor = radios ? ControlTable::radioAnchor(row.id, i) : QString(row.name);
            QVERIFY2(layout.hasAnchor(anchor), qPrintable(anchor));
            const ClockTree::Node *node = layout.node(layout.anchor(anchor).node);
            QVERIFY2(node && node->rect.contains(layout.anchor(anchor).pos), qPrintable(anchor));
            QCOMPARE(t.get(anchor)->graphicsProxyWidget()->pos(), QPointF(layout.anchor(anchor).pos));
        }
    }
}

// The design Save writes for the widget's record, "element=value" in file order.
QString savedDesign(const Tree &t, ScriptedDialogs &dialogs, const QString &path)
{
    const QString series = t.record().params()->seriesName();
    dialogs.answerPath(path);
    if (t.widget->saveConfig(series).status != ActionOutcome::Status::Done)
        return "not saved";
    QStringList saved;
    const DesignFile::Elements file = DesignFile::read(path);
    for (const QString &name : DesignFile::elementNames(series))
        saved << name + '=' + file.value(name);
    return saved.join(' ');
}

} // namespace

void TestSeriesWidgets::everySeries_data()
{
    QTest::addColumn<QString>("factory"); // what the factory tree shows
    QTest::addColumn<QString>("edits");   // steps that move most fields off their factory values
    QTest::addColumn<QString>("edited");  // what the tree shows then, and again once the design is reopened
    QTest::addColumn<QString>("design");  // the elements Save writes after the edits
    // clang-format off
    const QString c330 = "|sclk=288.000|apb1p.value=144.000|pll.value=288.000MHz|usbdiv=  /6|pllms=/1|pllns=*72"
                         "|pllfr=  /2|pllcfg=0x00411201|gray=usb.value";
    const QString c330edits = "combo ahbdiv 1|combo apb2div 2|combo usbswitch 0|radio hicktousb 1|combo rtcswitch 1"
        "|radio rtcsel 2|combo rtcdiv 3|combo hextbypass 1|combo lextbypass 1|combo clockout1PinSelect 1"
        "|combo clockout1div1 2|combo clockout1div2 1|radio clkout1 3|combo clockout2PinSelect 1"
        "|combo clockout2div1 1|combo clockout2div2 2|radio clkout2 4";
    const QString c330edited = "sclk=288.000|ahb0.value=144.000|apb1p.value=72.000|apb2p.value=36.000"
        "|usb.value=48.000 MHz|ertc.value=1600.000|clkout1.output=(48.000 MHz)|clkout2.output=(6.000 MHz)";
    const QString c330design = " lextbypass=1 rtcsel=2 rtcswitch=1 rtcdiv=5 hext=8.000000 hextbypass=1 pllrcs=0 "
        "pllms=1 pllns=72 pllfr=2 sclkselect=1 ahbdiv=2 apb1div=2 apb2div=4 usbdiv=6.0 hicktousb=1 tousbswitch=0 "
        "hicktosclk=0 clkout1=3 clkout1div1=3 clkout1div2=2 clkout1pinselect=1 clkout2=4 clkout2div1=2 "
        "clkout2div2=4 clkout2pinselect=1";
    QTest::newRow("QXC330") << "class=QXC330PLL|at.ahbdiv=998,270" + c330 << c330edits << c330edited
                            << "MCU=QXC330" + c330design;
    QTest::newRow("QXC335") << "class=QXC335PLL" + c330 << c330edits << c330edited << "MCU=QXC335" + c330design;

    // The multiplier series; the HEXT/2 (or /4) path re-solves for the system clock asked for.
    const QString a = "|sclk=240.000|apb1p.value=120.000|apb1div=  /2|pll.value=240.000MHz|pllmult=  * 30"
                      "|usbdiv=  /4|hidden=usb.value|ertc.value=40";
    const QString mult = "combo hextbypass 1|combo lextbypass 1|combo rtcswitch 1|radio rtcsel 2|combo ahbdiv 1"
                         "|combo apb2div 2|combo usbswitch 0|combo clockoutPinSelect 1|radio clkout 3"
                         "|combo adcswitch 1|combo adcdiv 2|radio pllhextdiv 1";
    const QString multHick = mult + "|radio hicktousb 1|combo clockoutdiv 2";
    const QString aEdited = "sclk=128.000|pllmult=  * 64|apb2p.value=16.000|ertc.value=62.500|clkout.output=(12.000 MHz)"
                            "|adc.value=2.667";
    const QString head = " lextbypass=1 rtcsel=2 rtcswitch=1 hext=8.000000 hextbypass=1 ";
    const QString tail = "sclkselect=1 ahbdiv=2 apb1div=2 apb2div=4 usbdiv=4.0 ";
    const QString aDesign = head + "hextdiv=4 pllhextdiv=1 pllrcs=0 pllmult=64 " + tail +
        "hicktousb=1 tousbswitch=0 hicktosclk=0 clkout=3 clkoutdiv=4 clkoutpinselect=1 adcswitch=1 adcdiv=6";
    QTest::newRow("QXC300A") << "class=QXC300APLL|at.pllmult=554,240" + a << multHick + "|combo hextdiv 2" << aEdited
                             << "MCU=QXC300A" + aDesign;
    QTest::newRow("QXC305") << "class=QXC305PLL" + a << multHick + "|combo hextdiv 2" << aEdited
                            << "MCU=QXC305" + aDesign;
    QTest::newRow("QXC300") << "class=QXC300PLL|sclk=192.000|apb1p.value=96.000|pll.value=192.000MHz|pllmult=  * 24"
                            << mult << "sclk=192.000|pllmult=  * 48|clkout.output=(192.000 MHz)|adc.value=4.000"
                            << "MCU=QXC300" + head + "pllhextdiv=1 pllrcs=0 pllmult=48 " + tail +
                                   "tousbswitch=0 clkout=5 clkoutpinselect=1 adcswitch=1 adcdiv=6";
    QTest::newRow("QXC310") << "class=QXC310PLL|sclk=200.000|apb1p.value=100.000|pll.value=200.000MHz|pllmult=  * 25"
                            << multHick << "sclk=200.000|pllmult=  * 50|clkout.output=(12.000 MHz)|adc.value=4.167"
                            << "MCU=QXC310" + head + "pllhextdiv=1 pllrcs=0 pllmult=50 " + tail +
                                   "hicktousb=1 tousbswitch=0 hicktosclk=0 clkout=3 clkoutdiv=4 clkoutpinselect=1 "
                                   "adcswitch=1 adcdiv=6";

    // The mode-selectable series, edited in flexible mode.
    const QString sel = "combo pllmode 1|type pllns *64|combo hextbypass 1|combo lextbypass 1|combo rtcswitch 1"
                        "|radio rtcsel 2|combo ahbdiv 1|combo apb2div 2|combo clockoutPinSelect 1|combo clockoutdiv 2"
                        "|radio clkout 3|combo adcswitch 1|combo adcdiv 2";
    const QString c315 = "|sclk=144.000|apb1p.value=72.000|pll.value=144.000MHz|pllmult=  * 18|pllmode=normal"
                         "|usbdiv=  /3|shown=pllmult|hidden=pllms";
    const QString c315edited = "sclk=128.000|pllfr=  /4|pllcfg=0x00421001|shown=pllms|hidden=pllmult"
                               "|clkout.output=(2.000 MHz)|adc.value=2.667";
    const QString selHead = head + "pllhextdiv=0 pllrcs=0 pllmode=1 ";
    const QString selTail = "hicktosclk=0 clkout=3 clkoutdiv=4 clkoutpinselect=1 adcswitch=1 adcdiv=";
    const QString c315design = selHead + "pllmult=18 pllms=1 pllns=64 pllfr=4 sclkselect=1 ahbdiv=2 apb1div=2 "
                               "apb2div=4 usbdiv=3.0 tousbswitch=1 " + selTail + "6";
    QTest::newRow("QXC315") << "class=QXC315PLL|at.pllmode=552,204" + c315 << sel << c315edited
                            << "MCU=QXC315" + c315design;
    QTest::newRow("QXW315") << "class=QXW315PLL" + c315 << sel << c315edited << "MCU=QXW315" + c315design;
    const QString sel64 = "sclk=64.000|pllfr=  /8|pllcfg=0x00431001|shown=pllms|hidden=pllmult|apb2p.value=8.000";
    const QString c320 = "|sclk=120.000|apb1p.value=120.000|pll.value=120.000MHz|pllmult=  * 15|pllmode=normal";
    QTest::newRow("QXC320") << "class=QXC320PLL" + c320 << sel << sel64 + "|ertc.value=250.000"
                            << "MCU=QXC320" + selHead + "pllmult=15 pllms=1 pllns=64 pllfr=8 sclkselect=1 ahbdiv=2 "
                               "apb1div=1 apb2div=4 " + selTail + "6";
    const QString c325 = "|sclk=96.000|apb1p.value=96.000|pll.value=96.000MHz|pllmult=  * 12|pllmode=normal";
    QTest::newRow("QXC325") << "class=QXC325PLL" + c325 + "|usbdiv=  /2" << sel + "|combo usbswitch 0|radio hicktousb 1"
                            << sel64 + "|usb.value=48.000 MHz|clkout.output=(12.000 MHz)"
                            << "MCU=QXC325" + selHead + "pllmult=12 pllms=1 pllns=64 pllfr=8 sclkselect=1 ahbdiv=2 "
                               "apb1div=1 apb2div=4 usbdiv=2.0 hicktousb=1 tousbswitch=0 " + selTail + "6";
    QTest::newRow("QXE020") << "class=QXE020PLL" + c325
                            << sel + "|radio usart1clocksel 2|radio usart2clocksel 3|radio i2c1clocksel 1"
                            << sel64 + "|ertc.value=250.000|adc.value=2.000|usart2clocksel.value=32.768"
                            << "MCU=QXE020" + selHead + "pllmult=12 pllms=1 pllns=64 pllfr=8 sclkselect=1 ahbdiv=2 "
                               "apb1div=1 apb2div=4 " + selTail + "4 usart1clocksel=2 usart2clocksel=3 i2c1clocksel=1";
    // clang-format on
}

// Per series: the factory tree with every control at its anchor; edits that
// move most fields; the design Save writes then, reopened to the same record
// and the same tree, with no box on the way.
void TestSeriesWidgets::everySeries()
{
    QFETCH(QString, factory);
    QFETCH(QString, edits);
    QFETCH(QString, edited);
    Tree t(QTest::currentDataTag());
    ClockConfig mark = t.record();
    QCOMPARE(shown(t, m_dialogs, factory, mark), factory);
    checkControlsOnNodes(t);
    // Every control reaches its series class through a slot of its name.
    QCOMPARE(qobject_cast<SeriesWidget *>(t.widget.get())->controlsWithoutSlot(), QStringList());
    run(t, m_dialogs, edits, mark);
    QCOMPARE(shown(t, m_dialogs, edited, mark), edited);

    QTemporaryDir dir;
    QTEST(savedDesign(t, m_dialogs, dir.filePath("d.TFCC")), "design");
    m_dialogs.clear();
    Tree reopened(QTest::currentDataTag());
    reopened.widget->loadConfig(dir.filePath("d.TFCC"));
    QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());
    QCOMPARE(shown(reopened, m_dialogs, edited, mark), edited);
}

void TestSeriesWidgets::everyControlChangesItsOwnField_data()
{
    QTest::addColumn<QString>("series");
    for (const char *series : {"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320", "QXC330",
                               "QXC335", "QXC325", "QXW315", "QXE020"})
        QTest::newRow(series) << series;
}

// Each selection goes through its named slot to the handler: whatever an edit
// of a control changes in the record, its own field is among it (a slot that
// forwards to another control's handler changes the other's field alone).
void TestSeriesWidgets::everyControlChangesItsOwnField()
{
    QFETCH(QString, series);
    Tree t(series);
    const auto field = [&](const char *name) {
        for (const auto &entry : t.record().fieldValues()) {
            if (entry.first == QLatin1String(name))
                return entry.second;
        }
        return QVariant();
    };
    int edited = 0;
    for (const ControlTable::Row &row : ControlTable::rows()) {
        const QString name = QLatin1String(row.name);
        const auto before = t.record().fieldValues();
        const QVariant own = field(row.field);
        if (auto *combo = t.widget->findControl<QComboBox>(name); combo && combo->isEnabled())
            combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        for (int i = 0; i < 8; ++i) {
            auto *radio = t.widget->findControl<QRadioButton>(ControlTable::radioAnchor(row.id, i));
            if (radio && radio->isEnabled() && !radio->isChecked()) {
                radio->click();
                break;
            }
        }
        if (t.record().fieldValues() == before)
            continue; // not on this series, disabled, or refused
        ++edited;
        QVERIFY2(field(row.field) != own, row.name);
    }
    QVERIFY2(edited >= 10, qPrintable(QString::number(edited)));
}

void TestSeriesWidgets::edits_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("steps");  // see run()
    QTest::addColumn<QString>("expect"); // see shown(); a box not expected fails the row
    const QString msQuestion = "pll_ms input error, is it adjusted automatically?";
    const QString nsQuestion = "pll_ns input error, is it adjusted automatically?";
    const QString usbQuestion =
        "USB clock must be 48MHz. But the USB clock of current config is wrong.  please "
        "confirm whether to continue?";
    const QString adcQuestion =
        "The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong";
    const QString asked = "?|asked=message,";
    const auto row = [](const char *tag, const char *series, const QString &steps, const QString &expect) {
        QTest::newRow(tag) << series << steps << expect;
    };
    // clang-format off
    // Entries: the accepted ranges, and a refused value changes nothing.
    row("hext 4", "QXC330", "radio sclkselect 0|type hext 4", "sclk=4.000|ahb0.value=4.000");
    row("hext 25", "QXC330", "radio sclkselect 0|type hext 25", "sclk=25.000");
    row("hext 3.999", "QXC330", "radio sclkselect 0|mark|type hext 3.999", "box=hext input error!|kept=yes|ahb0.value=8.000");
    row("hext 25.001", "QXC330", "radio sclkselect 0|mark|type hext 25.001", "box=hext input error!|kept=yes|ahb0.value=8.000");
    row("sclk 240", "QXC330", "type sclk 240", "sclk=240.000|hidden=note1 note2 note3");
    row("sclk 288", "QXC330", "type pllns *100|clear|type sclk 288", "sclk=288.000|shown=note1 note2 note3");
    row("sclk 288.5", "QXC330", "type pllns *100|clear|mark|type sclk 288.5",
        "box=sclk input error!|kept=yes|ahb0.value=400.000");
    row("sclk 287.3", "QXC330", "type sclk 287.3", "sclk=287.000|pllms=/4|pllns=*287|pllfr=  /2");
    row("typed 100 rounds half up", "QXC300A", "type sclk 100", "pllmult=  * 13|pll.value=104.000MHz|sclk=104.000");
    row("QXC300A sclk 240", "QXC300A", "combo pllmult 0|type sclk 240", "sclk=240.000");
    row("QXC300A sclk 240.001", "QXC300A", "type sclk 240.001", "box=sclk input error!|kept=yes");
    row("clamped to x2", "QXC300A", "type sclk 6", "pllmult=  * 2|pll.value=16.000MHz");
    row("clamped to x64", "QXC300A", "type hext 10|type sclk 200|radio pllhextdiv 1|combo hextdiv 3|type sclk 200",
        "pllmult=  * 64|pll.value=128.000MHz");
    row("1.6 MHz input corrects HEXT", "QXC300A", "radio pllhextdiv 1|combo hextdiv 3",
        "box=pll input clock source range 2-16MHz!|hext=10.000");
    row("above 16 MHz corrects HEXT", "QXC300", "type hext 20", "box=pll input clock source range 2-16MHz!|hext=16.000");

    // The limits: above one a value is red and Generate is refused with the
    // first limit broken (sclk before pll); the warnings are asked, USB first.
    row("QXC330 sclk over 288", "QXC330", "type pllns *75|generate",
        "red=sclk|box=Can not support sclk greater than 288MHz|asked=message");
    row("stale record", "QXC330", "poke pllNs 75|generate", "box=Can not support sclk greater than 288MHz|asked=message");
    row("QXC330 pll feeding clock out 1", "QXC330",
        "radio sclkselect 2|combo clockout1PinSelect 1|check clkout1 3|type pllns *75|generate",
        "box=Can not support pll clock greater than 288MHz");
    row("QXC300A over 240", "QXC300A", "combo pllmult 29|generate", "red=sclk|box=Can not support sclk greater than 240MHz");
    row("QXC300 over 200", "QXC300", "combo pllmult 24|generate", "red=sclk|box=Can not support sclk greater than 200MHz");
    row("QXC310 over 200", "QXC310", "combo pllmult 24|generate", "red=sclk|box=Can not support sclk greater than 200MHz");
    row("12 MHz normal PLL refused", "QXC315", "radio pllrcs 1|combo pllmult 1|generate",
        "pll.value=12.000MHz|red=pll.value|box=Can not support pll clock less than 16MHz");
    row("USB then ADC warnings", "QXC300A", "combo usbswitch 0|combo adcswitch 1|combo adcdiv 1|yes|generate",
        "box=" + usbQuestion + ";" + adcQuestion + ".  please confirm whether to continue" + asked + "message");
    row("QXE020 ADC /3", "QXE020", "combo adcswitch 1|combo adcdiv 1|yes|generate",
        "adc.value=32.000|red=adc.value|rec=adcDiv=3|box=" + adcQuestion + ", please confirm whether to continue" + asked +
            "directory");

    // USB.
    row("USB 288, no question", "QXC330", "combo usbswitch 0|save", "usb.value=48.000 MHz|green=usb.value|asked=save");
    row("USB 287.5, cancelled", "QXC330", "type hext 10|text pllns *115|type pllms /2|combo usbswitch 0|save",
        "usb.value=47.917 MHz|red=usb.value|box=" + usbQuestion + "|asked=message");
    row("USB 287.5, yes", "QXC330", "type hext 10|text pllns *115|type pllms /2|combo usbswitch 0|yes|save",
        "box=" + usbQuestion + "|asked=message,save");
    row("usbdiv /5 from the PLL", "QXC330", "combo usbswitch 0|combo usbdiv 8", "usb.value=57.600 MHz");
    row("hick to usb leaves the PLL", "QXC330", "combo usbswitch 0|combo usbdiv 8|radio hicktousb 1",
        "usb.value=48.000 MHz|pll.value=288.000MHz");
    row("HEXT Return retunes for USB", "QXC330", "radio sclkselect 0|combo usbswitch 0|type hext 12",
        "usb.value=48.000 MHz|pllms=/1|pllns=*48|pllfr=  /2");
    row("USB 60 red, 48 at 192", "QXC300A", "combo usbswitch 0", "usb.value=60.000 MHz|red=usb.value");
    row("USB 48 at 192", "QXC300A", "combo usbswitch 0|type sclk 192", "usbdiv=  /4|usb.value=48.000 MHz|green=usb.value");
    row("usbdiv retunes on HEXT", "QXC300A", "radio sclkselect 0|combo usbswitch 0|combo usbdiv 1",
        "pllmult=  * 9|pll.value=72.000MHz|usb.value=48.000 MHz");
    row("hick to usb", "QXC300A", "combo usbswitch 0|radio hicktousb 1", "usb.value=48.000 MHz|pllmult=  * 30");
    row("QXC325 USB on HICK leaves the PLL", "QXC325",
        "radio pllrcs 1|combo pllmult 1|radio sclkselect 2|combo usbswitch 0|radio hicktousb 1|generate",
        "pll.value=|usb.value=48.000 MHz");

    // The factor questions: a cancelled one undoes the whole edit; typed text stays.
    row("ms question cancelled", "QXC330", "type pllms /5",
        "box=" + msQuestion + "|pllms=/5|pll.value=288.000MHz|rec=pllMs=1|style.pllms=factorPending");
    row("ms yes, ns cancelled", "QXC330", "yes|type pllms /5", "box=" + msQuestion + ";" + nsQuestion + "|rec=pllMs=1|pllms=/5");
    row("ms and ns adjusted", "QXC330", "yes|yes|type pllms /5",
        "box=" + msQuestion + ";" + nsQuestion + "|pllms=/4|pllns=*250|rec=pllNs=250");
    row("fr after a HEXT error", "QXC330", "text hext 30|combo pllfr 0",
        "box=hext input error!|kept=yes|pllfr=  /2|hext=30|style.hext=pending");
    row("ns question cancelled on a divider change", "QXC330", "text pllms /2|combo ahbdiv 1",
        "box=" + nsQuestion + "|kept=yes|ahbdiv=  /1|pllms=/2|style.pllms=factorPending");
    row("PLL source switch asks about the factors", "QXC330",
        "radio sclkselect 2|combo clockout1PinSelect 1|check clkout1 3|yes|type hext 25|clear|mark|radio pllrcs 1",
        "box=" + nsQuestion + "|kept=yes|pllms=/2|pllrcs.0=checked");
    row("ms 20 refused", "QXC315", "combo pllmode 1|type pllms 20", "box=pll_ms input error!|pllms=/20|rec=pllMs=1");
    row("ms 5 adjusted to 4", "QXC315", "combo pllmode 1|text pllms 5|yes|yes|type pllms /5",
        "box=" + msQuestion + ";" + nsQuestion + "|pllms=/4|rec=pllMs=4");

    // Paths in use: hext, pll, hick/6 to sclk, the RTC divider, clock outputs 1
    // and 2 and the latter's "usb" source.
    row("factory paths", "QXC330", "", "live=hext pll");
    row("hick only", "QXC330", "radio sclkselect 2", "live=hick");
    row("hick, usb on the pll", "QXC330", "radio sclkselect 2|combo usbswitch 0", "live=hext pll hick");
    row("hick, rtc on hext", "QXC330", "radio sclkselect 2|radio rtcsel 2|combo rtcswitch 1", "live=hext hick rtcdiv");
    row("rtc on hext, switched off", "QXC330", "radio sclkselect 2|radio rtcsel 2", "live=hick");
    row("hick, clkout1 hext", "QXC330", "radio sclkselect 2|combo clockout1PinSelect 1|check clkout1 2",
        "live=hext hick clkout1");
    row("hick, clkout1 pll", "QXC330", "radio sclkselect 2|combo clockout1PinSelect 1|check clkout1 3",
        "live=hext pll hick clkout1");
    row("hext, clkout1 on it", "QXC330", "radio sclkselect 0|combo clockout1PinSelect 1|check clkout1 0",
        "live=hext clkout1");
    row("clkout2 while usb is off", "QXC330", "radio sclkselect 2|combo clockout2PinSelect 1", "live=hick clkout2");
    row("clkout2 while usb is on", "QXC330", "radio sclkselect 2|combo usbswitch 0|combo clockout2PinSelect 1",
        "live=hext pll hick clkout2 usbsource");
    row("QXE020 no pin", "QXE020", "combo clockoutPinSelect 0", "off=clkout.8");
    row("QXE020 USART2 on lext", "QXE020", "radio usart2clocksel 3",
        "usart2clocksel.value=32.768|usart2clocksel.unit=(kHz)|on=lextbypass|green=usart2clocksel.value");
    row("QXE020 hick48 and sclk", "QXE020", "radio usart1clocksel 2|radio i2c1clocksel 1",
        "usart1clocksel.value=48.000|usart1clocksel.unit=(MHz)|i2c1clocksel.value=96.000");

    // Clock outputs and the RTC.
    row("clock out 1 HICK /2", "QXC330", "combo clockout1PinSelect 1|combo clockout1div1 1",
        "clkout1.val0=(8.000 MHz)|clkout1.output=(4.000 MHz)");
    row("clock out 1 without a pin keeps its text", "QXC330",
        "combo clockout1PinSelect 1|combo clockout1div1 1|combo clockout1PinSelect 0|combo clockout1div1 3|check clkout1 3",
        "clkout1.output=(4.000 MHz)");
    row("clock out 1 PLL/4", "QXC330", "combo clockout1PinSelect 2|combo clockout1div1 3|check clkout1 3",
        "clkout1.output=(72.000 MHz)");
    row("clock out 1 HICK 48", "QXC330",
        "combo clockout1PinSelect 1|combo clockout1div1 3|radio sclkselect 2|radio hicktosclk 1",
        "clkout1.val0=(48.000 MHz)|clkout1.output=(12.000 MHz)");
    row("clock out hick 8", "QXC300A", "combo clockoutPinSelect 1|radio clkout 3",
        "clkout.val3=(8.000 MHz)|clkout.output=(8.000 MHz)");
    row("clock out hick 48 for USB", "QXC300A",
        "combo usbswitch 0|radio hicktousb 1|combo clockoutPinSelect 1|combo clockoutdiv 1|radio clkout 3",
        "clkout.val3=(48.000 MHz)|clkout.output=(24.000 MHz)");
    row("QXC300 hick always 8", "QXC300", "combo clockoutPinSelect 1|radio clkout 1", "clkout.val1=(8.000 MHz)");
    row("clock out lick kHz", "QXC300A", "combo clockoutPinSelect 1|radio clkout 1", "clkout.val1=(40.000 kHz)");
    row("lext idle without the RTC", "QXC300A", "combo clockoutPinSelect 1|radio clkout 2", "clkout.val2=|clkout.output=");
    row("lext only with the RTC on it", "QXC300A", "combo rtcswitch 1|radio rtcsel 1|combo clockoutPinSelect 1|radio clkout 2",
        "clkout.val2=(32.768 kHz)|ertc.value=32.768");
    row("RTC on HEXT/128", "QXC300A", "combo rtcswitch 1|radio rtcsel 2", "ertc.value=62.500");
    row("QXE020 PB13", "QXE020", "combo clockoutPinSelect 3|radio clkout 3", "rec=clkoutPin=3|clkout.val3=(48.000 MHz)");

    // Buses and the flexible PLL.
    row("ADC", "QXC300A", "combo adcswitch 1|combo adcdiv 1", "adc.value=30.000|red=adc.value");
    row("APB1 raised to /2", "QXC300A", "combo apb1div 1|combo apb1div 0", "apb1div=  /2|apb1p.value=120.000");
    row("QXC310 APB1 raised", "QXC310", "combo apb1div 0", "apb1div=  /2|apb1p.value=100.000");
    row("QXE020 no APB halving", "QXE020", "combo apb1div 1|combo apb1div 0",
        "apb1div=  /1|apb1p.value=96.000|green=apb1p.value");
    row("flexible keeps 144 MHz", "QXC315", "combo pllmode 1",
        "sclk=144.000|pllms=/1|pllns=*72|pllfr=  /4|pllcfg.caption=CRM_PLLCFG: |pllcfg=0x00421201");
    row("register empty without the PLL", "QXC315", "combo pllmode 1|radio sclkselect 2",
        "pllcfg.caption=|pllcfg=|pll.value=");
    row("mode switch stopped by HEXT", "QXC315", "text hext 30|combo pllmode 1",
        "box=hext input error!|pllmode=normal|shown=pllmult|hidden=pllms");
    // What the multiplier family shows beside its values.
    row("sclk shown with three decimals is applied", "QXC300A", "combo hextdiv 1|radio pllhextdiv 1|combo ahbdiv 1",
        "sclk=170.667|style.sclk=committed|green=sclk");
    row("sclk typed inside the range", "QXC300A", "text sclk 100", "style.sclk=pending|green=sclk");
    row("sclk typed above the range", "QXC300A", "text sclk 300", "style.sclk=pending|red=sclk");
    row("sclk takes nine characters", "QXC300A", "text sclk 1024.000001", "sclk=1024.0000");
    row("LEXT pins without the RTC", "QXC300A", "", "off=lext.in lext.out");
    row("LEXT pins with the RTC on it", "QXC300A", "combo rtcswitch 1|radio rtcsel 1", "on=lext.in lext.out");
    row("PLL captions follow the group", "QXC330", "radio sclkselect 2",
        "off=pllms.caption pllms.hint pllns.caption pllns.hint pllfr.caption|hidden=pllcfg");
    row("sclk entry only on the PLL", "QXC330", "radio sclkselect 2", "off=sclk|style.sclk=disabled");
    row("sclk entry back on the PLL", "QXC330", "radio sclkselect 2|radio sclkselect 1", "on=sclk|style.sclk=committed");
    row("PLL captions in use", "QXC330", "", "on=pllms.caption pllns.hint pllfr.caption|shown=pllcfg");
    // clang-format on
}

// Edits as a user makes them, and what the drawing then shows.
void TestSeriesWidgets::edits()
{
    QFETCH(QString, series);
    QFETCH(QString, steps);
    QFETCH(QString, expect);
    Tree t(series);
    ClockConfig mark = t.record();
    run(t, m_dialogs, steps, mark);
    QCOMPARE(shown(t, m_dialogs, expect, mark), expect);
}

void TestSeriesWidgets::foldOutLists()
{
    Tree t;
    QXMCUPLL &w = *t.widget;
    t.get<QPushButton>("apb1p.list")->click();
    QVERIFY(t.get("list0")->isVisible());
    t.get<QPushButton>("apb2p.list")->click();
    QVERIFY(!t.get("list0")->isVisible() && t.get("list2")->isVisible());
    QTest::mouseClick(&w, Qt::LeftButton);
    QVERIFY(!t.get("list2")->isVisible());

    // A press on the bare drawing reaches the widget through the view too.
    w.resize(900, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    t.get<QPushButton>("apb1t.list")->click();
    QVERIFY(t.get("list1")->isVisible());
    PinGraphicsView *view = w.graphicsView();
    const QPoint bare = view->mapFromScene(QPointF(5, 5));
    QCOMPARE(view->itemAt(bare), view->backgroundItem());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, bare);
    QVERIFY(!t.get("list1")->isVisible());
}

void TestSeriesWidgets::inAWindow_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("pllMode"); // -1: the series has one PLL kind
    for (const char *name : {"QXC330", "QXC335", "QXC300A", "QXC305", "QXC300", "QXC310"})
        QTest::newRow(name) << name << -1;
    for (const char *name : {"QXC315", "QXW315", "QXC320", "QXC325", "QXE020"}) {
        QTest::newRow(qPrintable(QString(name) + " normal")) << name << 0;
        QTest::newRow(qPrintable(QString(name) + " flexible")) << name << 1;
    }
}

// A series widget shown in a window, as the program shows it.
void TestSeriesWidgets::inAWindow()
{
    QFETCH(QString, series);
    QFETCH(int, pllMode);
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    Tree t(series);
    column->addWidget(t.widget.get());
    if (pllMode >= 0)
        t.get<QComboBox>("pllmode")->setCurrentIndex(pllMode);
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (auto *list = t.widget->findControl<QPushButton>("apb1p.list"))
        list->click();

    // The controls are painted by their proxies: the only native window is
    // the one the window itself has.
    QCOMPARE(QGuiApplication::allWindows(), QWindowList{window.windowHandle()});
}

void TestSeriesWidgets::sharpDrawing_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("pixelRatio");
    QTest::addColumn<int>("wireRows"); // rows of solid wire colour across the 1.6-unit wire
    QTest::newRow("1:1") << 1.0 << 1.0 << 0;
    QTest::newRow("screen scale 2") << 1.0 << 2.0 << 2;
    QTest::newRow("zoom 4") << 4.0 << 1.0 << 6;
    QTest::newRow("zoom 2 at screen scale 2") << 2.0 << 2.0 << 6;
    QTest::newRow("largest zoom") << 5.0 << 1.0 << 8;
}

// The drawing is painted at the scale it is shown at: a wire keeps its width
// in solid colour (a picture enlarged from 1:1 would only blur it), and a
// radio button shows the mux under it, not a square of its own.
void TestSeriesWidgets::sharpDrawing()
{
    QFETCH(double, zoom);
    QFETCH(double, pixelRatio);
    QFETCH(int, wireRows);
    Tree t("QXC315");
    const QColor wire(45, 62, 80);
    const QColor muxFill(204, 228, 247);
    // The PLL's output wire runs at y 275 from x 750 to 794; the pllrcs mux
    // has a radio at (420, 242).
    const auto sample = [&](const QPointF &at, int size) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(Qt::black);
        image.setDevicePixelRatio(pixelRatio);
        QPainter painter(&image);
        painter.translate(-at * zoom + QPointF(size, size) / (2 * pixelRatio));
        t.widget->renderDrawing(&painter, QRectF(QPointF(0, 0), QSizeF(t.widget->drawingSize()) * zoom));
        painter.end();
        return image;
    };
    const QImage across = sample(QPointF(770, 275), 64);
    int solid = 0;
    for (int y = 0; y < across.height(); ++y)
        solid += QColor(across.pixel(32, y)) == wire ? 1 : 0;
    QCOMPARE(solid, wireRows);

    // Just inside the radio's top-left corner.
    const QImage radio = sample(QPointF(421.5, 243.5), 8);
    QCOMPARE(QColor(radio.pixel(4, 4)), muxFill);
}

void TestSeriesWidgets::muxInputsWired_data()
{
    QTest::addColumn<QString>("series");
    for (const char *name : {"QXC330", "QXC300A", "QXC300", "QXC315", "QXE020"})
        QTest::newRow(name) << name;
}

// Every radio on a mux of the drawing has a wire meeting the mux at the
// radio's centre, on the side the mux takes its inputs.
void TestSeriesWidgets::muxInputsWired()
{
    QFETCH(QString, series);
    const ClockTree::Layout layout = ClockTree::layoutFor(*SeriesTable::byName(series));
    int radios = 0;
    for (const ClockTree::Anchor &anchor : layout.anchors()) {
        const ClockTree::Node *mux = layout.node(anchor.node);
        if (!mux || mux->shape != ClockTree::Shape::Mux || anchor.id.contains('.') == false)
            continue;
        bool isRadio = false;
        anchor.id.section('.', -1).toInt(&isRadio);
        if (!isRadio)
            continue;
        ++radios;
        const QPoint end(mux->outputsLeft ? mux->rect.right() + 1 : mux->rect.left(),
                         anchor.pos.y() + ClockTree::kRadioSize / 2);
        bool wired = false;
        for (const ClockTree::Wire &w : layout.wires)
            wired = wired || (!w.points.isEmpty() && w.points.last() == end);
        QVERIFY2(wired, qPrintable(anchor.id));
    }
    QVERIFY(radios > 0);
}

void TestSeriesWidgets::chineseMessages_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("chinese");
    QTest::newRow("PLL input range") << "pll input clock source range 2-16MHz!"
                                     << "pll输入时钟源范围2-16MHz！";
    QTest::newRow("ADC, full stop") << "The maximum ADC clock is 28 MHz. The currently configured ADC clock "
                                       "is wrong.  please confirm whether to "
                                       "continue?"
                                    << "ADC 时钟最大为28MHz，当前配置的ADC时钟错误。请确认是否继续？";
    QTest::newRow("ADC, comma") << "The maximum ADC clock is 28 MHz. The currently configured ADC clock is "
                                   "wrong, please confirm whether to "
                                   "continue?"
                                << "ADC 时钟最大为28MHz，当前配置的ADC时钟错误。请确认是否继续？";
}

// The series' messages as the Chinese catalogue has them.
void TestSeriesWidgets::chineseMessages()
{
    QFETCH(QString, source);
    QFETCH(QString, chinese);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/image/tr_zh.qm")));
    QCOMPARE(translator.translate("QXMCUPLL", source.toUtf8().constData()), chinese);
}

QTEST_MAIN(TestSeriesWidgets)
#include "tst_serieswidgets.moc"

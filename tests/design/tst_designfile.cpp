#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "QXC330PLL.h"
#include "QXPLLConfig.h"
#include "RecordFields.h"
#include "SeriesTable.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <sys/stat.h>

// The design-file format and the hardened reader; opening designs: the
// restore rules and their fallbacks, slots firing as for a user,
// save/open/save stability and hostile files on the host.
class TestDesignFile : public QObject {
    Q_OBJECT

private slots:
    void everySeriesRoundTrips_data();
    void everySeriesRoundTrips();
    void read_data();
    void read();
    void fallbacks_data();
    void fallbacks();
    void saveOpenSaveIsStable_data();
    void saveOpenSaveIsStable();
    void hostileFilesLeaveTheOpenDesign_data();
    void hostileFilesLeaveTheOpenDesign();
};

namespace {

QByteArray nested(int depth)
{
    return "<Configuration><MCU>QXC330</MCU>" + QByteArray("<a>").repeated(depth) +
           QByteArray("</a>").repeated(depth) + "</Configuration>";
}

// A valid design padded with a comment to exactly size bytes.
QByteArray paddedTo(qint64 size)
{
    return designWith() + "<!--" + QByteArray(int(size - designWith().size() - 7), 'a') + "-->";
}

// The text a control shows after opening, by the control's name.
QString controlText(const QXMCUPLL &widget, const QString &name)
{
    if (const auto *edit = widget.findControl<QLineEdit>(name))
        return edit->text();
    if (const auto *combo = widget.findControl<QComboBox>(name))
        return combo->currentText();
    const auto *label = widget.findControl<QLabel>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

// A random design inside every entry rule and every limit check, so that
// opening it asks nothing and saving it is never refused.
QByteArray randomDesign(QRandomGenerator &random, const QString &mcu)
{
    const SeriesParams *series = SeriesTable::byId(13);
    const double hexts[] = {4, 6, 8, 12, 12.288, 16, 20, 25};
    const double hext = hexts[random.bounded(8)];
    const bool fromHick = random.bounded(3) == 0;
    const double ref = fromHick ? 8.0 : hext;
    int msMin = 1, msMax = 15;
    ClockConfig(13).msRangeFor(ref, msMin, msMax);
    const int ms = random.bounded(msMin, msMax + 1);
    const int ns = random.bounded(qMax(31, int(std::ceil(500.0 * ms / ref))),
                                  qMin(500, int(std::floor(1000.0 * ms / ref))) + 1);
    // The PLL output is checked whenever the PLL is in use: the output divider
    // must bring it within the limit.
    int fr = 32;
    while (fr > 1 && ref * ns / ms / (fr / 2) <= series->sclkLimitMHz && random.bounded(2) == 1)
        fr /= 2;
    const int sclk = random.bounded(3);
    const int divs[] = {1, 2, 4, 8, 16, 64, 128, 256, 512};
    const int ahb = divs[random.bounded(9)];
    // Above the APB limit, opening raises an APB divider /1 to /2.
    const int apbFirst = sclk == 1 && ahb == 1 && ref * ns / (ms * fr) > series->apbLimitMHz ? 1 : 0;
    const auto div = [&](int first, int end) {
        return QString::number(divs[random.bounded(first, end)]);
    };
    const QString apb1 = div(apbFirst, 5), apb2 = div(apbFirst, 5), out1 = div(0, 9), out2 = div(0, 9);
    const QString usb = QString::number(1.0 + 0.5 * random.bounded(13), 'f', 1);
    QStringList changes = {
        QStringLiteral("MCU=%1 hext=%2 pllrcs=%3 pllms=%4 pllns=%5 pllfr=%6 sclkselect=%7 "
                       "ahbdiv=%8 usbdiv=%9 apb1div=%10 apb2div=%11 clkout1div2=%12 clkout2div2=%13")
            .arg(mcu, QString::number(hext, 'f', 6), QString::number(fromHick), QString::number(ms),
                 QString::number(ns), QString::number(fr), QString::number(sclk), QString::number(ahb), usb)
            .arg(apb1, apb2, out1, out2)};
    // The other elements: a name, the lowest value and one past the highest.
    for (const QString &item :
         QStringLiteral("lextbypass,0,2 rtcsel,0,3 rtcswitch,0,2 rtcdiv,2,32 hextbypass,0,2 "
                        "hicktousb,0,2 tousbswitch,0,2 hicktosclk,0,2 clkout1,0,4 "
                        "clkout1div1,1,6 clkout1pinselect,0,3 clkout2,0,8 clkout2div1,1,6 "
                        "clkout2pinselect,0,2")
             .split(' ')) {
        const QStringList e = item.split(',');
        changes.append(e[0] + '=' + QString::number(random.bounded(e[1].toInt(), e[2].toInt())));
    }
    return designWith(changes.join(' '));
}

} // namespace

void TestDesignFile::everySeriesRoundTrips_data()
{
    QTest::addColumn<int>("seriesId");
    for (const SeriesParams &row : SeriesTable::all())
        QTest::newRow(row.name) << row.id;
}

void TestDesignFile::everySeriesRoundTrips()
{
    QFETCH(int, seriesId);
    const QString name = SeriesTable::byId(seriesId)->seriesName();
    QRandomGenerator random(quint32(seriesId) * 7919u);
    ClockConfig c(seriesId);
    for (const auto &field : c.fieldValues()) {
        const QVariant::Type type = field.second.type();
        const QVariant value = type == QVariant::Bool     ? QVariant(random.bounded(2) == 1)
                               : type == QVariant::Double ? QVariant(random.bounded(2, 50) * 0.5)
                                                          : QVariant(random.bounded(0, 600));
        QVERIFY(field.first == QLatin1String("seriesId") || c.setFieldValue(field.first, value));
    }
    const QStringList names = DesignFile::elementNames(name);
    const DesignFile::Elements read = DesignFile::parse(DesignFile::write(c, name));
    QVERIFY(names.size() > 4);
    QCOMPARE(read.size(), names.size());
    QCOMPARE(read.value(QStringLiteral("MCU")), name);
    for (const QString &element : names)
        QCOMPARE(read.value(element), DesignFile::elementText(c, name, element));
    QVERIFY(DesignFile::write(c, QStringLiteral("QXC999")).isEmpty());
}

void TestDesignFile::read_data()
{
    QTest::addColumn<QByteArray>("document"); // "@kind": a path that is no plain file
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("expected"); // null: nothing at all is read

    const auto row = [](const char *tag, const QByteArray &document, const char *element,
                        const char *expected) {
        QTest::newRow(tag) << document << element << expected;
    };
    const auto hostile = [](const char *tag, const QByteArray &document) {
        QTest::newRow(tag) << document << "MCU" << QString();
    };
    row("first of two wins", "<C><pllms>3</pllms><pllms>4</pllms></C>", "pllms", "3");
    row("only direct children", "<C><x><pllms>3</pllms></x></C>", "pllms", "");
    row("references and cdata", "<C><MCU>&#81;XC&amp;<![CDATA[<5>]]></MCU></C>", "MCU", "QXC&<5>");
    row("nested up to the limit", nested(DesignFile::MaxDepth - 1), "MCU", "QXC330");
    row("exactly the size limit", paddedTo(DesignFile::MaxFileSize), "MCU", "QXC330");
    hostile("empty", "");
    hostile("truncated", designWith().left(designWith().indexOf("</Configuration>")));
    hostile("binary", QByteArray("\x00\x01\x02\xff\xfe\x89PNG\r\n\x1a\n\x00\x00", 14));
    hostile("internal entity", "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>");
    hostile("external entity",
            "<!DOCTYPE C [<!ENTITY m SYSTEM \"file:///etc/passwd\">]><C><MCU>&m;</MCU></C>");
    QByteArray laughs = "<!DOCTYPE C [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                  QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    hostile("exponential entities", laughs + "]><C><MCU>QXC330</MCU><hext>&l9;</hext></C>");
    hostile("nested beyond the limit", nested(DesignFile::MaxDepth));
    hostile("very deeply nested", nested(200000).left(int(DesignFile::MaxFileSize)));
    hostile("one byte over the size limit", paddedTo(DesignFile::MaxFileSize) + " ");
    hostile("missing file", "@missing");
    hostile("a folder", "@folder");
    hostile("a fifo without writer", "@fifo"); // opening it would block forever
    hostile("an endless device", "@/dev/zero");
}

void TestDesignFile::read()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, element);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("d.TFCC"));
    if (document == "@folder")
        QVERIFY(QDir().mkdir(path));
    else if (document == "@fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (document.startsWith("@/"))
        path = QString::fromLatin1(document.mid(1));
    else if (!document.startsWith('@'))
        QVERIFY(!writeFile(path, document).isNull());
    if (!document.startsWith('@'))
        QCOMPARE(DesignFile::parse(document).value(element), expected);
    QCOMPARE(DesignFile::readElement(path, element), expected.isNull() ? QString() : expected);
    QCOMPARE(DesignFile::read(path).isEmpty(), expected.isNull());
}

void TestDesignFile::fallbacks_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("fields"); // expected record fields
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("boxes"); // shown while opening

    const auto row = [](const char *tag, const char *changes, const char *fields, const char *control,
                        const char *text, const QStringList &boxes = {}) {
        QTest::newRow(tag) << changes << fields << control << text << boxes;
    };
    row("pllms 16 opens as 1", "pllms=16", "pllMs=1", "pllms", "/1");
    row("pllns 20 opens as 31", "pllns=20", "pllNs=31", "pllns", "*31",
        {"pll_ns input error, is it adjusted automatically?"});
    row("ahbdiv 32 opens as /1", "ahbdiv=32 pllfr=4", "ahbMHz=144", "ahbdiv", "  /1");
    row("usbdiv 6.25 opens as 1.0", "usbdiv=6.25", "usbDiv=1", "usbdiv", "  /1");
    row("hext 30 kept, then refused", "hext=30.000000 ahbdiv=2 apb1div=4 clkout1pinselect=1", "hextMHz=30",
        "hext", "30.000000", {"hext input error!"});
    row("missing pllfr opens as /1", "pllfr", "sclkMHz=576", "pllfr", "  /1");
    row("unknown pin", "clkout1pinselect=7", "clkout1Pin=0", "clockout1PinSelect", "none");
    row("RTC on divided HEXT", "rtcswitch=1 rtcsel=2 rtcdiv=8", "rtcSource=2", "ertc.value", "1000.000");
    row("USB from the PLL", "tousbswitch=0", "usbMHz=48", "usbswitch", "enable");
    row("sclk from full HICK", "sclkselect=2 hicktosclk=1 future=1", "apb1MHz=24", "pllfr", "  /2");
    row("PLL from HICK", "pllrcs=1 pllfr=4", "sclkMHz=144", "pllns", "*72");
}

void TestDesignFile::fallbacks()
{
    QFETCH(QString, changes);
    QFETCH(QString, fields);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QStringList, boxes);
    QTemporaryDir dir;
    QXC330PLL widget;
    ScriptedDialogs dialogs;
    widget.loadConfig(writeFile(dir.filePath(QStringLiteral("d.TFCC")), designWith(changes)));
    TF_VERIFY_FIELDS(*widget.config(), fields);
    QCOMPARE(controlText(widget, control), text);
    QCOMPARE(dialogs.texts(), boxes);       // each box once, however many slots ask
    if (control == QLatin1String("hext")) { // kept, marked as not applied, refused again at the next read
        QCOMPARE(widget.findControl<QLineEdit>("hext")->styleSheet(), SeriesWidget::pendingEditStyle());
        dialogs.clear();
        widget.hext_LineEdit_returnPressed();
        QCOMPARE(dialogs.texts(), boxes);
    }
}

void TestDesignFile::saveOpenSaveIsStable_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<int>("seriesId");
    QRandomGenerator random(20240611u);
    for (int seed = 0; seed < 40; ++seed) {
        const int id = seed % 3 == 0 ? 14 : 13;
        QTest::addRow("design %d", seed) << randomDesign(random, SeriesTable::byId(id)->seriesName()) << id;
    }
}

void TestDesignFile::saveOpenSaveIsStable()
{
    QFETCH(QByteArray, design);
    QFETCH(int, seriesId);
    const QString mcu = SeriesTable::byId(seriesId)->seriesName();
    QTemporaryDir dir;
    const QString paths[] = {writeFile(dir.filePath(QStringLiteral("0.TFCC")), design),
                             dir.filePath(QStringLiteral("1.TFCC")), dir.filePath(QStringLiteral("2.TFCC"))};
    std::unique_ptr<QXMCUPLL> widgets[2];
    for (int i = 0; i < 2; ++i) {
        widgets[i].reset(createSeriesWidget(seriesId, nullptr));
        ScriptedDialogs dialogs;
        widgets[i]->loadConfig(paths[i]);
        QVERIFY2(dialogs.requests.isEmpty(), design.constData());
        dialogs.answerButton(QMessageBox::Yes); // to a USB warning
        dialogs.answerPath(paths[i + 1]);
        widgets[i]->saveConfig(mcu);
        QCOMPARE(dialogs.last()->text, QStringLiteral("Save file succeed!"));
    }
    // Every element is opened as written, the PLL factors included, even
    // where the handlers fired while opening solve the PLL anew.
    const DesignFile::Elements original = DesignFile::parse(design), saved = DesignFile::read(paths[1]);
    for (const QString &name : DesignFile::elementNames(mcu))
        QVERIFY2(saved.value(name) == original.value(name), qPrintable(name));
    QCOMPARE(readBytes(paths[2]), readBytes(paths[1]));
    QCOMPARE(widgets[1]->config()->fieldValues(), widgets[0]->config()->fieldValues());
}

void TestDesignFile::hostileFilesLeaveTheOpenDesign_data()
{
    QTest::addColumn<QByteArray>("content"); // null: a folder in the file's place
    QTest::newRow("truncated") << designWith().left(300);
    QTest::newRow("entity-laden") << QByteArray(
        "<!DOCTYPE C [<!ENTITY a \"QXC330\"><!ENTITY b \"&a;&a;&a;&a;\">]><C><MCU>&b;</MCU></C>");
    QTest::newRow("deeply nested") << "<Configuration><MCU>QXC330</MCU>" + QByteArray("<x>").repeated(100000);
    QTest::newRow("over 1 MiB") << designWith() + QByteArray(int(DesignFile::MaxFileSize), ' ');
    QTest::newRow("unreadable") << QByteArray();
}

void TestDesignFile::hostileFilesLeaveTheOpenDesign()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QXPLLConfig host;
    QString name;
    ScriptedDialogs dialogs;
    QVERIFY(host.openDesign(writeFile(dir.filePath(QStringLiteral("a.TFCC")), designWith("pllfr=4")), name));
    QXMCUPLL *before = host.currentWidget();
    QVERIFY(before);
    const auto fields = before->config()->fieldValues();
    const QString hostile = dir.filePath(QStringLiteral("hostile.TFCC"));
    QVERIFY(content.isNull() ? QDir().mkdir(hostile) : !writeFile(hostile, content).isNull());
    QVERIFY(!host.openDesign(hostile, name));
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("MCU in file not supported.")});
    QCOMPARE(host.currentWidget(), before);
    QCOMPARE(host.currentWidget()->config()->fieldValues(), fields);
}

QTEST_MAIN(TestDesignFile)
#include "tst_designfile.moc"

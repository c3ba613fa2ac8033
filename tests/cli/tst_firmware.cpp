#include "CliCommands.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <random>

// Random design files, legal and hostile, through `tickforge-cli generate`
// with and without --force. What was written is judged from the four files
// alone, against the chip's rules: the written constants must agree with each
// other and with the design. A refused design must leave nothing behind.
class TestFirmware : public QObject {
    Q_OBJECT

private slots:
    void randomDesigns_data();
    void randomDesigns();
    void multiplierDesigns_data();
    void multiplierDesigns();
    void selectableDesigns_data();
    void selectableDesigns();
};

namespace {

constexpr int kDesignsPerSeries = 500;

// A random design of the flexible-PLL series: mostly the values the program
// offers, some out of range, malformed, NaN or missing.
class DesignMaker {
public:
    explicit DesignMaker(unsigned seed) : m_random(seed) {}

    QMap<QString, QString> make(const QString &mcu)
    {
        QMap<QString, QString> e;
        e["MCU"] = mcu;
        const double hext = pick({4, 8, 12, 16, 25, 8.5, 24.576, 10.24, 6, 20});
        const bool fromHick = chance(0.3);
        const double ref = fromHick ? 8.0 : hext; // HICK 48 / 6
        int ms = 1 + int(below(15));
        int ns = 31 + int(below(470));
        if (chance(0.85)) { // factors that fit the reference
            QVector<int> mss;
            for (int m = 1; m <= 15; ++m)
                if (ref / m >= 2 && ref / m <= 16)
                    mss << m;
            ms = mss.at(int(below(mss.size())));
            const int low = int(std::ceil(500 * ms / ref)), high = int(std::floor(1000 * ms / ref));
            ns = qBound(31, low + int(below(qMax(1, high - low + 1))), 500);
        }
        e["lextbypass"] = num(below(2));
        e["rtcsel"] = num(below(3));
        e["rtcswitch"] = num(below(2));
        e["rtcdiv"] = num(2 + below(30));
        e["hext"] = QString::number(hext, 'f', 6);
        e["hextbypass"] = num(below(2));
        e["pllrcs"] = num(fromHick);
        e["pllms"] = num(ms);
        e["pllns"] = num(ns);
        e["pllfr"] = num(pick({1, 2, 4, 8, 16, 32}));
        e["sclkselect"] = num(pick({0, 1, 1, 2}));
        e["ahbdiv"] = num(pick({1, 1, 2, 4, 8, 16, 64}));
        e["apb1div"] = num(pick({1, 2, 4, 8, 16}));
        e["apb2div"] = num(pick({1, 2, 4, 8, 16}));
        e["usbdiv"] = QString::number(1.0 + 0.5 * below(13), 'f', 1);
        e["hicktousb"] = num(below(2));
        e["tousbswitch"] = num(below(2));
        e["hicktosclk"] = num(below(2));
        for (const char *out : {"clkout1", "clkout2"}) {
            const QString o = QLatin1String(out);
            e[o] = num(below(o == "clkout1" ? 4 : 8));
            e[o + "div1"] = num(1 + below(5));
            e[o + "div2"] = num(pick({1, 2, 4, 8, 16, 64, 128, 256, 512}));
            e[o + "pinselect"] = num(below(o == "clkout1" ? 3 : 2));
        }
        spoil(e);
        return e;
    }

    // A random design of a multiplier-PLL series, with the series' elements only.
    QMap<QString, QString> makeMultiplier(const SeriesParams &series)
    {
        QMap<QString, QString> all;
        const double hext = pick({4, 8, 12, 16, 25, 8.5, 24.576, 10.24, 6, 20});
        const int hextDiv = int(pick({2, 3, 4, 5}));
        const bool divided = chance(0.4);
        const bool fromHick = chance(0.3);
        const double input = fromHick ? 4.0 : divided ? hext / hextDiv : hext;
        int mult = 2 + int(below(63));
        if (chance(0.8)) // a multiplier the series' limit allows
            mult = qBound(2, int(series.sclkLimitMHz / input) - int(below(8)), 64);
        all["lextbypass"] = num(below(2));
        all["rtcsel"] = num(below(3));
        all["rtcswitch"] = num(below(2));
        all["hext"] = QString::number(hext, 'f', 6);
        all["hextbypass"] = num(below(2));
        all["hextdiv"] = num(hextDiv);
        all["pllhextdiv"] = num(divided);
        all["pllrcs"] = num(fromHick);
        all["pllmult"] = num(mult);
        all["sclkselect"] = num(pick({0, 1, 1, 2}));
        all["ahbdiv"] = num(pick({1, 1, 2, 4, 8, 16, 64}));
        all["apb1div"] = num(pick({1, 2, 4, 8, 16}));
        all["apb2div"] = num(pick({1, 2, 4, 8, 16}));
        all["usbdiv"] = QString::number(1.0 + 0.5 * below(7), 'f', 1);
        all["hicktousb"] = num(below(2));
        all["tousbswitch"] = num(below(2));
        all["hicktosclk"] = num(below(2));
        all["clkout"] = num(below(10));
        all["clkoutdiv"] = num(pick({1, 2, 4, 8, 16, 64, 128, 256, 512}));
        all["clkoutpinselect"] = num(below(2));
        all["adcswitch"] = num(below(2));
        all["adcdiv"] = num(pick({2, 4, 6, 8, 12, 16}));
        if (series.pllKind == PllKind::Selectable) {
            // Either mode, factors mostly fitting the input (HICK 48 / 12 on the PLL path).
            const double ref = fromHick ? 4.0 : divided ? hext / 2 : hext;
            all["pllmode"] = num(below(2));
            int ms = 1 + int(below(15));
            if (chance(0.85))
                ms = qBound(1, int(ref / (2 + below(3))), 15);
            all["pllms"] = num(ms);
            const int low = int(std::ceil(500 * ms / ref)), high = int(std::floor(1000 * ms / ref));
            all["pllns"] = num(chance(0.85) ? qBound(31, low + int(below(qMax(1, high - low + 1))), 500)
                                            : 31 + int(below(470)));
            all["pllfr"] = num(pick({2, 8, 8, 16, 16, 32})); // mostly within the series' limits
            all["adcdiv"] = num(series.adcDivs.at(int(below(series.adcDivs.size()))));
            all["clkoutpinselect"] = num(below(series.clockOutputs.first().pins.size()));
            for (const char *sel : {"usart1clocksel", "usart2clocksel", "i2c1clocksel"})
                all[QLatin1String(sel)] = num(below(4));
        }
        QMap<QString, QString> e;
        for (const QString &name : series.designElements)
            e[name] = name == "MCU" ? series.seriesName() : all.value(name);
        spoil(e);
        return e;
    }

private:
    // Now and then something hostile: a value out of range or malformed, or a missing element.
    void spoil(QMap<QString, QString> &e)
    {
        if (chance(0.3)) {
            const QStringList names = e.keys();
            const QString victim = names.at(int(below(names.size())));
            if (victim != "MCU")
                e[victim] =
                    QStringList{"", "nan", "-8", "5000", "8,5", "1e9", "x", "33", "0"}.at(int(below(9)));
        }
        if (chance(0.05))
            e.remove(e.keys().at(1 + int(below(e.size() - 1))));
    }

    quint32 below(int n) { return std::uniform_int_distribution<quint32>(0, quint32(n - 1))(m_random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    double pick(std::initializer_list<double> values)
    {
        return *(values.begin() + below(int(values.size())));
    }
    static QString num(double v) { return QString::number(v); }

    std::mt19937 m_random;
};

QByteArray document(const QMap<QString, QString> &e)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n";
    out += "    <MCU>" + e.value("MCU").toUtf8() + "</MCU>\n";
    for (auto it = e.begin(); it != e.end(); ++it) {
        if (it.key() != "MCU")
            out += "    <" + it.key().toUtf8() + ">" + it.value().toUtf8() + "</" + it.key().toUtf8() + ">\n";
    }
    return out + "</Configuration>\n";
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// First capture of pattern in text, or "" when it does not match.
QString capture(const QString &text, const QString &pattern, int group = 1)
{
    return QRegularExpression(pattern).match(text).captured(group);
}

// Last capture of pattern in text: the value a register is left with.
QString lastCapture(const QString &text, const QString &pattern)
{
    QString last;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        last = it.next().captured(1);
    return last;
}

// The summary comment's "- name = value" lines.
QMap<QString, QString> summaryOf(const QString &clockSource)
{
    QMap<QString, QString> summary;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("\\*\\s+- (\\S.*?)\\s*= (.*)")).globalMatch(clockSource);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        summary.insert(m.captured(1).trimmed(), m.captured(2).trimmed());
    }
    return summary;
}

// What a design file holds for an element after the program's fallbacks.
int heldOr(const QMap<QString, QString> &e, const QByteArray &name, std::initializer_list<int> allowed,
           int fallback)
{
    bool ok = false;
    const int v = e.value(QString::fromLatin1(name)).toInt(&ok);
    for (int a : allowed)
        if (ok && v == a)
            return v;
    return fallback;
}

// The bus divider calls are the summary's, each clock follows from them and
// stays within the series' APB limit.
void checkBuses(const QString &clock, const QMap<QString, QString> &summary, qint64 sclkHz, int apbLimitMHz,
                const QString &where)
{
    const int ahbDiv = lastCapture(clock, "crm_ahb_div_set\\(CRM_AHB_DIV_(\\d+)\\);").toInt();
    const int apb1Div = lastCapture(clock, "crm_apb1_div_set\\(CRM_APB1_DIV_(\\d+)\\);").toInt();
    const int apb2Div = lastCapture(clock, "crm_apb2_div_set\\(CRM_APB2_DIV_(\\d+)\\);").toInt();
    QCOMPARE(summary.value("ahbdiv").toInt(), ahbDiv);
    QCOMPARE(summary.value("apb1div").toInt(), apb1Div);
    QCOMPARE(summary.value("apb2div").toInt(), apb2Div);
    const double ahbHz = summary.value("ahbclk").toDouble();
    QVERIFY2(std::fabs(ahbHz - double(sclkHz) / ahbDiv) <= 1000, qPrintable(where));
    QVERIFY2(std::fabs(summary.value("apb1clk").toDouble() - ahbHz / apb1Div) <= 1000, qPrintable(where));
    QVERIFY2(std::fabs(summary.value("apb2clk").toDouble() - ahbHz / apb2Div) <= 1000, qPrintable(where));
    QVERIFY2(summary.value("apb1clk").toDouble() <= apbLimitMHz * 1e6 &&
                 summary.value("apb2clk").toDouble() <= apbLimitMHz * 1e6,
             qPrintable(where));
}

// A design written to a file and generated. A refused one must leave nothing
// behind with a fitting status: otherwise `clock` is "!" and `where` says so.
struct Generated {
    bool written = false;
    QString clock, conf, main, where;
};

Generated generateDesign(QXMCUPLL &widget, const QMap<QString, QString> &e, const QString &stem, bool force,
                         const QTemporaryDir &scratch, int i)
{
    Generated g;
    const QString path = scratch.filePath(QString("d%1.TFCC").arg(i));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document(e)) <= 0) {
        g.clock = QStringLiteral("!");
        g.where = QStringLiteral("cannot write ") + path;
        return g;
    }
    file.close();
    const QDir out(scratch.filePath(QString("out%1").arg(i)));
    CliReport report;
    CliTool::GenerateOptions options;
    options.force = force;
    const int status = CliTool::generateFile(widget, path, out.path(), options, report);
    g.where = QString("design %1 (%2)").arg(i).arg(report.err.join(" | "));
    if (status != CliDone) {
        const bool clean =
            (status == CliRefused || (status == CliWarning && !force)) &&
            (!out.exists("src") || out.entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty()) &&
            !QFileInfo::exists(out.filePath("src/" + stem + "_clock.c")) &&
            !QFileInfo::exists(out.filePath("inc/" + stem + "_conf.h"));
        if (!clean)
            g.where.prepend("left files or wrong status: ");
        g.clock = clean ? QString() : QStringLiteral("!");
        return g;
    }
    g.written = true;
    g.clock = fileText(out.filePath("src/" + stem + "_clock.c"));
    g.conf = fileText(out.filePath("inc/" + stem + "_conf.h"));
    g.main = fileText(out.filePath("src/main.c"));
    if (!QFileInfo::exists(out.filePath("inc/" + stem + "_clock.h")))
        g.clock.clear();
    return g;
}

} // namespace

void TestFirmware::randomDesigns_data()
{
    QTest::addColumn<QString>("mcu");
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("force");
    for (bool force : {false, true}) {
        QTest::newRow(force ? "QXC330 --force" : "QXC330") << "QXC330" << 13 << force;
        QTest::newRow(force ? "QXC335 --force" : "QXC335") << "QXC335" << 14 << force;
    }
}

void TestFirmware::randomDesigns()
{
    QFETCH(QString, mcu);
    QFETCH(int, seriesId);
    QFETCH(bool, force);
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    QVERIFY(widget);
    DesignMaker maker(20261206u + unsigned(seriesId));
    QTemporaryDir scratch;
    const QString stem = "qxc330_335";
    int written = 0;
    int refused = 0;
    for (int i = 0; i < kDesignsPerSeries; ++i) {
        const QMap<QString, QString> e = maker.make(mcu);
        const Generated g = generateDesign(*widget, e, stem, force, scratch, i);
        const QString &where = g.where;
        if (!g.written) {
            QVERIFY2(g.clock.isEmpty(), qPrintable(where));
            ++refused;
            continue;
        }
        ++written;
        const QString &clock = g.clock, &conf = g.conf, &main = g.main;
        QVERIFY2(!clock.isEmpty() && !conf.isEmpty() && !main.isEmpty(), qPrintable(where));
        const QMap<QString, QString> summary = summaryOf(clock);

        // The crystal: written in every design, the same as the summary says, in range.
        const qint64 hextHz =
            capture(conf, "#define\\s+HEXT_VALUE\\s+\\(\\(uint32_t\\)(-?\\d+)\\)").toLongLong();
        QVERIFY2(hextHz >= 4000000 && hextHz <= 25000000, qPrintable(where));
        if (summary.contains("hext"))
            QCOMPARE(summary.value("hext").toLongLong(), hextHz);

        // The system clock the code switches to, from the constants alone.
        const QString sclkSwitch = capture(clock, "crm_sysclk_switch\\(CRM_SCLK_(\\w+)\\);");
        const qint64 sclkHz = summary.value("sclk").toLongLong();
        const QRegularExpressionMatch pll =
            QRegularExpression(
                "crm_pll_config\\(CRM_PLL_SOURCE_(HEXT|HICK), (\\d+), (\\d+), CRM_PLL_FR_(\\d+)\\);")
                .match(clock);
        double pllMHz = 0.0;
        if (pll.hasMatch()) {
            const int ns = pll.captured(2).toInt(), ms = pll.captured(3).toInt(),
                      fr = pll.captured(4).toInt();
            QCOMPARE(summary.value("pll_ns").toInt(), ns);
            QCOMPARE(summary.value("pll_ms").toInt(), ms);
            QCOMPARE(summary.value("pll_fr").toInt(), fr);
            const double input = pll.captured(1) == "HEXT" ? hextHz / 1e6 : 48.0 / 6;
            const double reference = input / ms, oscillator = reference * ns;
            QVERIFY2(reference >= 2 && reference <= 16, qPrintable(where));
            QVERIFY2(oscillator >= 500 && oscillator <= 1000, qPrintable(where));
            pllMHz = oscillator / fr;
            QVERIFY2(pllMHz <= 288, qPrintable(where));
        }
        if (sclkSwitch == "PLL") {
            QVERIFY2(pll.hasMatch() && std::fabs(sclkHz - pllMHz * 1e6) <= 500.5, qPrintable(where));
        } else if (sclkSwitch == "HEXT") {
            QCOMPARE(sclkHz, hextHz);
        } else {
            QCOMPARE(sclkSwitch, QString("HICK"));
            const bool hick48 = clock.contains("crm_hick_sclk_frequency_select(CRM_HICK_SCLK_48MHZ);");
            QCOMPARE(sclkHz, hick48 ? 48000000LL : 8000000LL);
        }
        QVERIFY2(sclkHz <= 288000000, qPrintable(where));

        checkBuses(clock, summary, sclkHz, 144, where);
        if (QTest::currentTestFailed())
            return;

        // Supply and flash follow the system clock.
        const double sclkMHz = sclkHz / 1e6;
        const QString ldo = sclkMHz > 240 ? "1V3" : sclkMHz > 192 ? "1V2" : sclkMHz > 144 ? "1V1" : "1V0";
        QCOMPARE(capture(clock, "pwc_ldo_output_voltage_set\\(PWC_LDO_OUTPUT_(\\w+)\\);"), ldo);
        QCOMPARE(capture(clock, "flash_clock_divider_set\\(FLASH_CLOCK_DIV_(\\d)\\);"),
                 QString(sclkMHz > 240 ? "3" : "2"));

        // USB from the PLL: 48 MHz unless a warning was let through.
        const QString usbDiv = capture(clock, "crm_usb_clock_div_set\\(CRM_USB_DIV_(\\w+)\\);");
        if (!usbDiv.isEmpty() && !force) {
            const double div = QString(usbDiv).replace('_', '.').toDouble();
            QVERIFY2(std::fabs(pllMHz / div - 48.0) < 1e-9, qPrintable(where));
        }

        // The RTC and the clock outputs take the design's dividers.
        const QString ertc = capture(main, "crm_ertc_clock_select\\(CRM_ERTC_CLOCK_HEXT_DIV_(\\d+)\\);");
        if (!ertc.isEmpty())
            QCOMPARE(ertc.toInt(),
                     heldOr(e, "rtcdiv", {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                          17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
                            2));
        for (int o = 1; o <= 2; ++o) {
            const QRegularExpressionMatch div =
                QRegularExpression(
                    QString("crm_clkout_div_set\\(CRM_CLKOUT_INDEX_%1, CRM_CLKOUT_DIV1_(\\d+), "
                            "CRM_CLKOUT_DIV2_(\\d+)\\);")
                        .arg(o))
                    .match(main);
            if (!div.hasMatch())
                continue;
            const QByteArray name = "clkout" + QByteArray::number(o);
            QCOMPARE(div.captured(1).toInt(), heldOr(e, QByteArray(name + "div1"), {1, 2, 3, 4, 5}, 1));
            QCOMPARE(div.captured(2).toInt(),
                     heldOr(e, QByteArray(name + "div2"), {1, 2, 4, 8, 16, 64, 128, 256, 512}, 1));
        }
    }
    // Both outcomes must be common, or the run proves little.
    QVERIFY2(written > kDesignsPerSeries / 4 && refused > kDesignsPerSeries / 20,
             qPrintable(QString("%1 written, %2 refused").arg(written).arg(refused)));
}

void TestFirmware::multiplierDesigns_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("force");
    for (bool force : {false, true}) {
        const char *suffix = force ? " --force" : "";
        QTest::newRow(qPrintable(QString("QXC300A") + suffix)) << 7 << force;
        QTest::newRow(qPrintable(QString("QXC305") + suffix)) << 8 << force;
        QTest::newRow(qPrintable(QString("QXC300") + suffix)) << 2 << force;
        QTest::newRow(qPrintable(QString("QXC310") + suffix)) << 4 << force;
    }
}

// The multiplier PLL as the generated code programs it: its input within
// 2..16 MHz, the multiplier in range, and the system clock of the summary.
void TestFirmware::multiplierDesigns()
{
    QFETCH(int, seriesId);
    QFETCH(bool, force);
    const SeriesParams &series = *SeriesTable::byId(seriesId);
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    QVERIFY(widget);
    DesignMaker maker(20261207u + unsigned(seriesId));
    QTemporaryDir scratch;
    const QString stem = series.templateStem();
    int written = 0;
    int refused = 0;
    for (int i = 0; i < kDesignsPerSeries / 4; ++i) {
        const Generated g = generateDesign(*widget, maker.makeMultiplier(series), stem, force, scratch, i);
        const QString &where = g.where;
        if (!g.written) {
            QVERIFY2(g.clock.isEmpty(), qPrintable(where));
            ++refused;
            continue;
        }
        ++written;
        QVERIFY2(!g.clock.isEmpty() && !g.conf.isEmpty() && !g.main.isEmpty(), qPrintable(where));
        const QMap<QString, QString> summary = summaryOf(g.clock);
        const qint64 hextHz =
            capture(g.conf, "#define\\s+HEXT_VALUE\\s+\\(\\(uint32_t\\)(-?\\d+)\\)").toLongLong();
        QVERIFY2(hextHz >= 4000000 && hextHz <= 25000000, qPrintable(where));

        const QString sclkSwitch = capture(g.clock, "crm_sysclk_switch\\(CRM_SCLK_(\\w+)\\);");
        const qint64 sclkHz = summary.value("sclk").toLongLong();
        const QRegularExpressionMatch pll =
            QRegularExpression("crm_pll_config\\(CRM_PLL_SOURCE_(HEXT_DIV|HEXT|HICK), CRM_PLL_MULT_(\\d+), ")
                .match(g.clock);
        double pllMHz = 0.0;
        if (pll.hasMatch()) {
            const int mult = pll.captured(2).toInt();
            QCOMPARE(summary.value("pll_mult").toInt(), mult);
            QVERIFY2(mult >= 2 && mult <= 64, qPrintable(where));
            const QString hextDiv = capture(g.clock, "crm_hext_clock_div_set\\(CRM_HEXT_DIV_(\\d+)\\);");
            const int div = hextDiv.isEmpty() ? 2 : hextDiv.toInt();
            const double input = pll.captured(1) == "HICK"       ? 4.0
                                 : pll.captured(1) == "HEXT_DIV" ? hextHz / 1e6 / div
                                                                 : hextHz / 1e6;
            QVERIFY2(input >= 2 && input <= 16, qPrintable(where));
            pllMHz = input * mult;
            QVERIFY2(pllMHz <= series.sclkLimitMHz, qPrintable(where));
        }
        if (sclkSwitch == "PLL")
            QVERIFY2(pll.hasMatch() && std::fabs(sclkHz - pllMHz * 1e6) <= 500.5, qPrintable(where));
        else if (sclkSwitch == "HEXT")
            QCOMPARE(sclkHz, hextHz);
        else
            QCOMPARE(sclkSwitch, QString("HICK"));
        QVERIFY2(sclkHz <= series.sclkLimitMHz * 1e6, qPrintable(where));
        checkBuses(g.clock, summary, sclkHz, series.apbLimitMHz, where);
        if (QTest::currentTestFailed())
            return;

        const QString usbDiv = capture(g.clock, "crm_usb_clock_div_set\\(CRM_USB_DIV_(\\w+)\\);");
        if (!usbDiv.isEmpty() && !force && g.clock.contains("CRM_USB_CLOCK_SOURCE_PLL")) {
            const double usbDivider = QString(usbDiv).replace('_', '.').toDouble();
            QVERIFY2(std::fabs(pllMHz / usbDivider - 48.0) < 1e-9, qPrintable(where));
        }
    }
    // --force lets the warnings through, so refusals are rare there.
    QVERIFY2(written > kDesignsPerSeries / 16 && (force || refused > kDesignsPerSeries / 100),
             qPrintable(QString("%1 written, %2 refused").arg(written).arg(refused)));
}

void TestFirmware::selectableDesigns_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("force");
    for (bool force : {false, true}) {
        const char *suffix = force ? " --force" : "";
        for (int id : {5, 17, 9, 15, 16})
            QTest::newRow(qPrintable(SeriesTable::byId(id)->seriesName() + suffix)) << id << force;
    }
}

// The mode-selectable PLL as the generated code programs it: in normal mode a
// multiplier in range giving at least 16 MHz (these series have no PLL-input
// range rule), in flexible mode
// factors the summary repeats, with reference and oscillator in range; the
// system clock and buses within the series' limits either way.
void TestFirmware::selectableDesigns()
{
    QFETCH(int, seriesId);
    QFETCH(bool, force);
    const SeriesParams &series = *SeriesTable::byId(seriesId);
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    QVERIFY(widget);
    DesignMaker maker(20261208u + unsigned(seriesId));
    QTemporaryDir scratch;
    const QString stem = series.templateStem();
    int written = 0, refused = 0, flexible = 0;
    for (int i = 0; i < kDesignsPerSeries / 4; ++i) {
        const Generated g = generateDesign(*widget, maker.makeMultiplier(series), stem, force, scratch, i);
        const QString &where = g.where;
        if (!g.written) {
            QVERIFY2(g.clock.isEmpty(), qPrintable(where));
            ++refused;
            continue;
        }
        ++written;
        const QMap<QString, QString> summary = summaryOf(g.clock);
        const double hextMHz =
            capture(g.conf, "#define\\s+HEXT_VALUE\\s+\\(\\(uint32_t\\)(-?\\d+)\\)").toLongLong() / 1e6;
        const QRegularExpressionMatch mult =
            QRegularExpression("crm_pll_config\\(CRM_PLL_SOURCE_(HEXT_DIV|HEXT|HICK), CRM_PLL_MULT_(\\d+)")
                .match(g.clock);
        const QRegularExpressionMatch factors =
            QRegularExpression("crm_pll_config2\\(CRM_PLL_SOURCE_(HEXT_DIV|HEXT|HICK), (\\d+), (\\d+), "
                               "CRM_PLL_FR_(\\d+)\\);")
                .match(g.clock);
        QVERIFY2(!(mult.hasMatch() && factors.hasMatch()), qPrintable(where));
        double pllMHz = 0.0;
        if (mult.hasMatch()) {
            const int m = mult.captured(2).toInt();
            QCOMPARE(summary.value("pll_mult").toInt(), m);
            const double input = mult.captured(1) == "HICK"       ? 4.0
                                 : mult.captured(1) == "HEXT_DIV" ? hextMHz / 2
                                                                  : hextMHz;
            QVERIFY2(m >= 2 && m <= 64, qPrintable(where));
            pllMHz = input * m;
            QVERIFY2(pllMHz >= 16, qPrintable(where));
        } else if (factors.hasMatch()) {
            ++flexible;
            const int ns = factors.captured(2).toInt(), ms = factors.captured(3).toInt(),
                      fr = factors.captured(4).toInt();
            QCOMPARE(summary.value("pll_ns").toInt(), ns);
            QCOMPARE(summary.value("pll_ms").toInt(), ms);
            QCOMPARE(summary.value("pll_fr").toInt(), fr);
            const double input = factors.captured(1) == "HICK"       ? 4.0
                                 : factors.captured(1) == "HEXT_DIV" ? hextMHz / 2
                                                                     : hextMHz;
            QVERIFY2(input / ms >= 2 && input / ms <= 16, qPrintable(where));
            QVERIFY2(input * ns / ms >= 500 && input * ns / ms <= 1000, qPrintable(where));
            pllMHz = input * ns / ms / fr;
        }
        QVERIFY2(pllMHz <= series.sclkLimitMHz, qPrintable(where));
        const QString sclkSwitch = capture(g.clock, "crm_sysclk_switch\\(CRM_SCLK_(\\w+)\\);");
        const qint64 sclkHz = summary.value("sclk").toLongLong();
        if (sclkSwitch == "PLL")
            QVERIFY2(pllMHz > 0 && std::fabs(sclkHz - pllMHz * 1e6) <= 500.5, qPrintable(where));
        QVERIFY2(sclkHz <= series.sclkLimitMHz * 1e6, qPrintable(where));
        checkBuses(g.clock, summary, sclkHz, series.apbLimitMHz, where);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(
        written > kDesignsPerSeries / 16 && flexible > 0 && (force || refused > kDesignsPerSeries / 100),
        qPrintable(QString("%1 written (%2 flexible), %3 refused").arg(written).arg(flexible).arg(refused)));
}

QTEST_MAIN(TestFirmware)
#include "tst_firmware.moc"

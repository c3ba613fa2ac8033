#include "CliCommands.h"
#include "DesignDocument.h"
#include "DesignFile.h"
#include "PllCandidates.h"
#include "SeriesTable.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
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
    void usb48Answers_data();
    void usb48Answers();
};

namespace {

enum Kind { Flexible, Multiplier, Selectable };

QString num(double v)
{
    return QString::number(v);
}

// Random design files of one series: mostly the values the program offers,
// some out of range, malformed, NaN or missing. Each element's values are
// dealt like cards, so a few dozen designs show every one of them.
class DesignMaker {
public:
    explicit DesignMaker(unsigned seed) : m_random(seed) {}

    QMap<QString, QString> make(const SeriesParams &series, Kind kind, double hickPll)
    {
        QMap<QString, QString> all;
        const double hext = deal("hext", {4, 8, 12, 16, 25, 8.5, 24.576, 10.24, 6, 20});
        const int hextDiv = int(deal("hextdiv", {2, 3, 4, 5}));
        const bool divided = kind != Flexible && chance(0.4), fromHick = chance(0.3);
        const double ref = fromHick  ? hickPll
                           : divided ? hext / (series.designElements.contains("hextdiv") ? hextDiv : 2)
                                     : hext;
        int ms = 1 + int(below(15)), ns = 31 + int(below(470));
        if (chance(0.85)) { // factors that fit the reference
            QVector<int> fitting{1};
            for (int m = 2; m <= 15; ++m)
                if (ref / m >= 2 && ref / m <= 16)
                    fitting << m;
            ms = fitting.at(int(below(fitting.size())));
            const int low = int(std::ceil(500 * ms / ref)), high = int(std::floor(1000 * ms / ref));
            ns = qBound(31, low + int(below(qMax(1, high - low + 1))), 500);
        }
        int mult = 2 + int(below(63));
        if (chance(0.8)) // a multiplier the series' limit allows
            mult = qBound(2, int(series.sclkLimitMHz / ref) - int(below(8)), 64);
        // The other elements, with the values drawn from ("a..b": a range). Mostly
        // no USB, which asks unless at 48 MHz.
        const QString div2 = "1,2,4,8,16,64,128,256,512";
        for (const QString &item :
             QString("lextbypass=0..1 rtcsel=0..2 rtcswitch=0..1 rtcdiv=2..31 hextbypass=0..1 pllmode=0..1 "
                     "sclkselect=0,1,1,2 ahbdiv=1,1,2,4,8,16,64 apb1div=1,2,4,8,16 apb2div=1,2,4,8,16 "
                     "hicktousb=0..1 tousbswitch=0,1,1 hicktosclk=0..1 clkout1=0..3 clkout1div1=1..5 "
                     "clkout1div2=" +
                     div2 + " clkout1pinselect=0..2 clkout2=0..7 clkout2div1=1..5 clkout2div2=" + div2 +
                     " clkout2pinselect=0..1 clkoutdiv=" + div2 +
                     " adcswitch=0..1 adcdiv=2,4,6,8,12,16 usart1clocksel=0..3 usart2clocksel=0..3 "
                     "i2c1clocksel=0..3")
                 .split(' ')) {
            const QStringList range = item.section('=', 1).split(".."),
                              list = item.section('=', 1).split(',');
            const QString name = item.section('=', 0, 0);
            all[name] = range.size() == 2
                            ? num(range[0].toInt() + dealt(name, range[1].toInt() - range[0].toInt() + 1))
                            : list.at(dealt(name, list.size()));
        }
        all["hext"] = QString::number(hext, 'f', 6);
        all["hextdiv"] = num(hextDiv);
        all["pllhextdiv"] = num(divided);
        all["pllrcs"] = num(fromHick);
        all["pllmult"] = num(mult);
        all["pllms"] = num(ms);
        all["pllns"] = num(ns);
        // Mostly within the series' limits.
        all["pllfr"] =
            num(kind == Flexible ? deal("fr", {1, 2, 4, 8, 16, 32}) : deal("fr", {2, 8, 8, 16, 16, 32}));
        all["usbdiv"] = QString::number(1.0 + 0.5 * dealt("usbdiv", kind == Flexible ? 13 : 7), 'f', 1);
        const ClockOutputParams &out = series.clockOutputs.first();
        all["clkout"] = num(out.sources.at(dealt("clkout", out.sources.size())).code);
        all["clkoutpinselect"] = num(dealt("clkoutpinselect", out.pins.size()));
        QMap<QString, QString> e;
        for (const QString &name : series.designElements)
            e[name] = name == "MCU" ? series.seriesName() : all.value(name);
        // Now and then something hostile: a value out of range or malformed, or a missing element.
        if (chance(0.3)) {
            const QString victim = e.keys().at(int(below(e.size())));
            if (victim != "MCU")
                e[victim] = QStringList{"", "nan", "-8", "5000", "8,5", "1e9", "x", "33", "0"}.at(
                    dealt("hostile", 9));
        }
        if (chance(0.05))
            e.remove(e.keys().at(1 + int(below(e.size() - 1))));
        return e;
    }

private:
    quint32 below(int n) { return std::uniform_int_distribution<quint32>(0, quint32(n - 1))(m_random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    // The next card of the deck of 0..n-1, shuffled again once dealt out.
    int dealt(const QString &deck, int n)
    {
        QVector<int> &cards = m_decks[deck];
        if (cards.isEmpty()) {
            for (int i = 0; i < n; ++i)
                cards << i;
            std::shuffle(cards.begin(), cards.end(), m_random);
        }
        return cards.takeLast();
    }
    double deal(const QString &deck, std::initializer_list<double> values)
    {
        return *(values.begin() + dealt(deck, int(values.size())));
    }

    std::mt19937 m_random;
    QHash<QString, QVector<int>> m_decks;
};

QByteArray designFileOf(const QMap<QString, QString> &e)
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

// Last capture of pattern in text, "" when it does not match: the value a register is left with.
QString capture(const QString &text, const QString &pattern)
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
int heldOr(const QMap<QString, QString> &e, const QString &name, std::initializer_list<int> allowed,
           int fallback)
{
    bool ok = false;
    const int v = e.value(name).toInt(&ok);
    return ok && std::find(allowed.begin(), allowed.end(), v) != allowed.end() ? v : fallback;
}

// The four files of one generated design; empty when it was refused.
struct Generated {
    int status = -1;
    QString clock, conf, main, where;
};

// Writes the design, generates it and checks that a refusal has a fitting
// status and leaves nothing behind.
Generated generateDesign(DesignDocument &edited, const QString &path, const QString &stem, bool force,
                         const QDir &out)
{
    Generated g;
    CliReport report;
    CliTool::GenerateOptions options;
    options.force = force;
    g.status = CliTool::generateFile(edited, path, out.path(), options, report);
    g.where = QString("%1%2 (%3)").arg(path, force ? " --force" : "", report.err.join(" | "));
    if (g.status != CliDone) {
        const bool fitting = g.status == CliRefused || (g.status == CliWarning && !force);
        const bool clean =
            !out.exists() || (QDir(out.filePath("src")).isEmpty() && QDir(out.filePath("inc")).isEmpty() &&
                              out.entryList(QDir::Files).isEmpty());
        if (!fitting || !clean)
            QTest::qFail(qPrintable("left files or wrong status: " + g.where), __FILE__, __LINE__);
        return g;
    }
    g.clock = fileText(out.filePath("src/" + stem + "_clock.c"));
    g.conf = fileText(out.filePath("inc/" + stem + "_conf.h"));
    g.main = fileText(out.filePath("src/main.c"));
    if (g.clock.isEmpty() || g.conf.isEmpty() || g.main.isEmpty() ||
        !QFileInfo::exists(out.filePath("inc/" + stem + "_clock.h")))
        QTest::qFail(qPrintable("files missing: " + g.where), __FILE__, __LINE__);
    return g;
}

// The bus divider calls are the summary's, each clock follows from them and
// stays within the series' APB limit.
void checkBuses(const QString &clock, const QMap<QString, QString> &summary, qint64 sclkHz, int apbLimitMHz,
                const QString &where)
{
    const int ahbDiv = capture(clock, "crm_ahb_div_set\\(CRM_AHB_DIV_(\\d+)\\);").toInt();
    const int apb1Div = capture(clock, "crm_apb1_div_set\\(CRM_APB1_DIV_(\\d+)\\);").toInt();
    const int apb2Div = capture(clock, "crm_apb2_div_set\\(CRM_APB2_DIV_(\\d+)\\);").toInt();
    QCOMPARE(summary.value("ahbdiv").toInt(), ahbDiv);
    QCOMPARE(summary.value("apb1div").toInt(), apb1Div);
    QCOMPARE(summary.value("apb2div").toInt(), apb2Div);
    const double ahbHz = summary.value("ahbclk").toDouble();
    const double apb1Hz = summary.value("apb1clk").toDouble(), apb2Hz = summary.value("apb2clk").toDouble();
    QVERIFY2(std::fabs(ahbHz - double(sclkHz) / ahbDiv) <= 1000, qPrintable(where));
    QVERIFY2(std::fabs(apb1Hz - ahbHz / apb1Div) <= 1000, qPrintable(where));
    QVERIFY2(std::fabs(apb2Hz - ahbHz / apb2Div) <= 1000, qPrintable(where));
    QVERIFY2(apb1Hz <= apbLimitMHz * 1e6 && apb2Hz <= apbLimitMHz * 1e6, qPrintable(where));
}

// The PLL as the code programs it, within the chip's rules; its output in
// MHz, 0 when no PLL is programmed. Counts the forms seen in forms[0..1].
double checkPll(const QString &clock, const QMap<QString, QString> &summary, double hextMHz, Kind kind,
                double hickPll, int *forms)
{
    const QRegularExpressionMatch pll =
        QRegularExpression("crm_pll_config2?\\(CRM_PLL_SOURCE_(HEXT_DIV|HEXT|HICK), "
                           "(?:CRM_PLL_MULT_(\\d+)|(\\d+), (\\d+), CRM_PLL_FR_(\\d+)\\);)")
            .match(clock);
    if (!pll.hasMatch())
        return 0.0;
    const QString hextDiv = capture(clock, "crm_hext_clock_div_set\\(CRM_HEXT_DIV_(\\d+)\\);");
    const double input = pll.captured(1) == "HICK"       ? hickPll
                         : pll.captured(1) == "HEXT_DIV" ? hextMHz / (hextDiv.isEmpty() ? 2 : hextDiv.toInt())
                                                         : hextMHz;
    if (!pll.captured(2).isEmpty()) {
        ++forms[0];
        const int mult = pll.captured(2).toInt();
        if (summary.value("pll_mult").toInt() != mult || mult < 2 || mult > 64)
            return -1.0;
        // Multiplier PLLs take 2..16 MHz; selectable ones in normal mode give at least 16 MHz.
        if ((kind == Multiplier && (input < 2 || input > 16)) || (kind == Selectable && input * mult < 16))
            return -1.0;
        return input * mult;
    }
    ++forms[1];
    const int ns = pll.captured(3).toInt(), ms = pll.captured(4).toInt(), fr = pll.captured(5).toInt();
    const bool asSummary = summary.value("pll_ns").toInt() == ns && summary.value("pll_ms").toInt() == ms &&
                           summary.value("pll_fr").toInt() == fr;
    const double reference = input / ms, oscillator = reference * ns;
    if (!asSummary || reference < 2 || reference > 16 || oscillator < 500 || oscillator > 1000)
        return -1.0;
    return oscillator / fr;
}

// The routines main() calls, their bodies in call order: what runs at start-up, as one text.
QString startUp(const QString &main)
{
    QString text;
    const QString calls = capture(main, "int main\\(void\\)\\s*\\{([^}]*)\\}");
    QRegularExpressionMatchIterator it = QRegularExpression("(\\w+)\\(\\);").globalMatch(calls);
    while (it.hasNext()) {
        const QString routine = it.next().captured(1);
        text += capture(main, "void " + routine + "\\(void\\)\\n\\{\\n((?:.*\\n)*?)\\}\\n") + "\n";
    }
    return text;
}

// Every clock a live clock output takes is started by the generated code:
// LEXT after the last reset of the battery powered domain (which stops it),
// the others by the clock source or the function that owns them.
void checkClockOutputs(const QString &clock, const QString &main, const QString &where)
{
    const QString run = startUp(main);
    const auto starts = [](const QString &text, const char *source) {
        return text.lastIndexOf(QString("crm_clock_source_enable(CRM_CLOCK_SOURCE_%1, TRUE);").arg(source));
    };
    const int lastReset = run.lastIndexOf("crm_battery_powered_domain_reset(FALSE);");
    QRegularExpressionMatchIterator it =
        QRegularExpression("crm_clock_out[12]?_set\\(CRM_CLKOUT[12]?_(\\w+)\\);").globalMatch(run);
    while (it.hasNext()) {
        const QString source = it.next().captured(1);
        bool started = true;
        if (source == "LEXT")
            started = starts(run, "LEXT") > lastReset;
        else if (source == "LICK")
            started = starts(run, "LICK") >= 0;
        else if (source == "HEXT" || source == "HICK")
            started = starts(clock, qPrintable(source)) >= 0;
        else if (source.startsWith("PLL"))
            started = starts(clock, "PLL") >= 0 && clock.contains("crm_pll_config");
        else if (source == "USB")
            started =
                clock.contains("crm_usb_clock_source_select(") || clock.contains("crm_usb_clock_div_set(");
        else if (source == "ADC" || source == "ADCCLK")
            started = run.contains("crm_adc_clock_div_set(");
        QVERIFY2(started, qPrintable("clock output on " + source + " never started: " + where));
    }
}

// A running RTC is kept: the battery powered domain is reset, and the RTC
// source selected, only inside a test that the RTC does not already run from
// that very source.
void checkRtcKept(const QString &main, const QString &where)
{
    const int resets = int(main.count("crm_battery_powered_domain_reset(TRUE);"));
    const int selects = int(main.count("crm_ertc_clock_select("));
    int guarded = 0;
    QRegularExpressionMatchIterator it =
        QRegularExpression("if\\(crm_ertc_clock_source_get\\(\\) != (\\w+)\\)\\n\\s*\\{\\n([^}]*)\\}")
            .globalMatch(main);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString body = m.captured(2);
        QVERIFY2(body.count("crm_battery_powered_domain_reset(TRUE);") == 1 &&
                     body.count("crm_ertc_clock_select(" + m.captured(1) + ");") == 1,
                 qPrintable("rtc test and choice disagree: " + where));
        ++guarded;
    }
    QVERIFY2(resets == guarded && selects == guarded && guarded <= 1,
             qPrintable("rtc reset on every start: " + where));
    QCOMPARE(guarded == 1, main.contains("mx_rtc_clock_init();"));
}

// Each series with its limits and the PLL input from HICK, in MHz.
const struct {
    const char *name;
    int seriesId;
    Kind kind;
    int sclkLimit, apbLimit;
    double hickPll;
} kSeries[] = {{"QXC330", 13, Flexible, 288, 144, 8},   {"QXC335", 14, Flexible, 288, 144, 8},
               {"QXC300", 2, Multiplier, 200, 100, 4},  {"QXC310", 4, Multiplier, 200, 100, 4},
               {"QXC300A", 7, Multiplier, 240, 120, 4}, {"QXC305", 8, Multiplier, 240, 120, 4},
               {"QXC315", 5, Selectable, 150, 75, 4},   {"QXW315", 17, Selectable, 150, 75, 4},
               {"QXC320", 9, Selectable, 120, 120, 4},  {"QXC325", 15, Selectable, 96, 96, 4},
               {"QXE020", 16, Selectable, 96, 96, 4}};

// What one written design's files say, against the chip's rules and the design.
void checkWritten(const Generated &g, const QMap<QString, QString> &e, int row, bool force, int *forms)
{
    const auto [name, seriesId, kind, sclkLimit, apbLimit, hickPll] = kSeries[row];
    const QString &clock = g.clock, &main = g.main, &where = g.where;
    const QMap<QString, QString> summary = summaryOf(clock);

    // The crystal: written in every design, the same as the summary says, in range.
    const qint64 hextHz =
        capture(g.conf, "#define\\s+HEXT_VALUE\\s+\\(\\(uint32_t\\)(-?\\d+)\\)").toLongLong();
    QVERIFY2(hextHz >= 4000000 && hextHz <= 25000000, qPrintable(where));
    if (summary.contains("hext"))
        QCOMPARE(summary.value("hext").toLongLong(), hextHz);

    // The system clock the code switches to, from the constants alone.
    const QString sclkSwitch = capture(clock, "crm_sysclk_switch\\(CRM_SCLK_(\\w+)\\);");
    const qint64 sclkHz = summary.value("sclk").toLongLong();
    const double pllMHz = checkPll(clock, summary, hextHz / 1e6, kind, hickPll, forms);
    QVERIFY2(pllMHz >= 0 && pllMHz <= sclkLimit, qPrintable(where));
    if (sclkSwitch == "PLL") {
        QVERIFY2(pllMHz > 0 && std::fabs(sclkHz - pllMHz * 1e6) <= 500.5, qPrintable(where));
    } else if (sclkSwitch == "HEXT") {
        QCOMPARE(sclkHz, hextHz);
    } else {
        QCOMPARE(sclkSwitch, QString("HICK"));
        const bool hick48 = clock.contains("crm_hick_sclk_frequency_select(CRM_HICK_SCLK_48MHZ);");
        QCOMPARE(sclkHz, hick48 ? 48000000LL : 8000000LL);
    }
    QVERIFY2(sclkHz <= sclkLimit * 1e6, qPrintable(where));
    checkBuses(clock, summary, sclkHz, apbLimit, where);
    if (QTest::currentTestFailed())
        return;

    // Supply and flash follow the system clock.
    const double sclkMHz = sclkHz / 1e6;
    if (kind == Flexible) {
        const QString ldo = sclkMHz > 240 ? "1V3" : sclkMHz > 192 ? "1V2" : sclkMHz > 144 ? "1V1" : "1V0";
        QCOMPARE(capture(clock, "pwc_ldo_output_voltage_set\\(PWC_LDO_OUTPUT_(\\w+)\\);"), ldo);
        QCOMPARE(capture(clock, "flash_clock_divider_set\\(FLASH_CLOCK_DIV_(\\d)\\);"),
                 QString(sclkMHz > 240 ? "3" : "2"));
    }
    const QString wait = capture(clock, "flash_psr_set\\(FLASH_WAIT_CYCLE_(\\d)\\);");
    if (!wait.isEmpty())
        QCOMPARE(wait.toInt(), sclkMHz <= 32    ? 0
                               : sclkMHz <= 64  ? 1
                               : sclkMHz <= 96  ? 2
                               : sclkMHz <= 128 ? 3
                                                : 4);

    // USB from the PLL: 48 MHz unless a warning was let through.
    const QString usbDiv = capture(clock, "crm_usb_clock_div_set\\(CRM_USB_DIV_(\\w+)\\);");
    if (!usbDiv.isEmpty() && !force && !clock.contains("CRM_USB_CLOCK_SOURCE_HICK")) {
        const double div = QString(usbDiv).replace('_', '.').toDouble();
        QVERIFY2(std::fabs(pllMHz / div - 48.0) < 1e-9, qPrintable(where));
    }

    checkClockOutputs(clock, main, where);
    checkRtcKept(main, where);
    if (QTest::currentTestFailed())
        return;

    // The RTC, the ADC and the clock outputs take the design's dividers.
    const QString ertc = capture(main, "crm_ertc_clock_select\\(CRM_ERTC_CLOCK_HEXT_DIV_(\\d+)\\);");
    if (!ertc.isEmpty())
        QCOMPARE(ertc.toInt(),
                 heldOr(e, "rtcdiv", {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                      17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
                        2));
    const QString adc = capture(main, "crm_adc_clock_div_set\\(CRM_ADC_DIV_(\\d+)\\);");
    if (!adc.isEmpty())
        QCOMPARE(adc.toInt(), QLatin1String(name) == QLatin1String("QXE020")
                                  ? heldOr(e, "adcdiv", {2, 3, 4, 5, 6, 8, 12, 16}, 2)
                                  : heldOr(e, "adcdiv", {2, 4, 6, 8, 12, 16}, 2));
    const QString out = capture(main, "crm_clkout_div_set\\(CRM_CLKOUT_DIV_(\\d+)\\);");
    if (!out.isEmpty())
        QCOMPARE(out.toInt(), heldOr(e, "clkoutdiv", {1, 2, 4, 8, 16, 64, 128, 256, 512}, 1));
    for (const QString o : {"1", "2"}) {
        const QRegularExpressionMatch div =
            QRegularExpression("crm_clkout_div_set\\(CRM_CLKOUT_INDEX_" + o +
                               ", CRM_CLKOUT_DIV1_(\\d+), CRM_CLKOUT_DIV2_(\\d+)\\);")
                .match(main);
        if (!div.hasMatch())
            continue;
        QCOMPARE(div.captured(1).toInt(), heldOr(e, "clkout" + o + "div1", {1, 2, 3, 4, 5}, 1));
        QCOMPARE(div.captured(2).toInt(),
                 heldOr(e, "clkout" + o + "div2", {1, 2, 4, 8, 16, 64, 128, 256, 512}, 1));
    }
}

} // namespace

void TestFirmware::randomDesigns_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kSeries)); ++row)
        QTest::newRow(kSeries[row].name) << row;
}

// A design stopped at a warning is generated again with --force.
void TestFirmware::randomDesigns()
{
    QFETCH(int, row);
    const auto [name, seriesId, kind, sclkLimit, apbLimit, hickPll] = kSeries[row];
    const int designs = kind == Flexible ? 140 : 45;
    const SeriesParams &series = *SeriesTable::byId(seriesId);
    DesignDocument document(seriesId);
    DesignMaker maker(20261206u + unsigned(seriesId));
    // Generation syncs every file it writes: in memory that costs nothing.
    QTemporaryDir scratch(scratchTemplate("tst_firmware"));
    const QString stem = series.templateStem();
    int written = 0, refused = 0, forced = 0, forms[2] = {0, 0};
    for (int i = 0; i < designs; ++i) {
        const QString path = scratch.filePath(QString("d%1.TFCC").arg(i));
        const QMap<QString, QString> e = maker.make(series, kind, hickPll);
        QVERIFY(!writeFile(path, designFileOf(e)).isNull());
        for (const bool force : {false, true}) {
            const Generated g = generateDesign(document, path, stem, force,
                                               QDir(scratch.filePath(QString("out%1%2").arg(i).arg(force))));
            if (QTest::currentTestFailed())
                return;
            if (g.status == CliWarning)
                continue;
            if (g.status == CliDone) {
                ++(force ? forced : written);
                checkWritten(g, e, row, force, forms);
                if (QTest::currentTestFailed())
                    return;
            } else {
                ++refused;
            }
            break;
        }
    }
    // Every outcome and every PLL form of the series must be common, or the run proves little.
    const QString counts = QString("%1 written, %2 refused, %3 forced, %4 multiplier and %5 factor PLLs")
                               .arg(written)
                               .arg(refused)
                               .arg(forced)
                               .arg(forms[0])
                               .arg(forms[1]);
    QVERIFY2(written > designs / 4 && refused > designs / 25 && forced > 0 &&
                 (kind == Multiplier || forms[1] > 0) && (kind == Flexible || forms[0] > 0),
             qPrintable(counts));
}

void TestFirmware::usb48Answers_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kSeries)); ++row) {
        if (SeriesTable::byId(kSeries[row].seriesId)->hasUsb())
            QTest::addRow("%s", kSeries[row].name) << row;
    }
}

// Answers of solve --usb48 for random crystals and targets, written as design
// files: opening them finds nothing to refuse or to ask, and USB runs at
// exactly 48 MHz.
void TestFirmware::usb48Answers()
{
    QFETCH(int, row);
    const auto [name, seriesId, kind, sclkLimit, apbLimit, hickPll] = kSeries[row];
    const SeriesParams &series = *SeriesTable::byId(seriesId);
    std::mt19937 random(20261207u + unsigned(seriesId));
    const double crystals[] = {4, 6, 7, 8, 10.24, 11.0592, 12, 12.0005, 12.288, 16, 19.2, 20, 24.576, 25};
    QTemporaryDir scratch;
    int answered = 0;
    const int tries = kind == Flexible ? 30 : 60;
    for (int i = 0; i < tries; ++i) {
        const double hext = crystals[random() % std::size(crystals)];
        const double target = 4 + (random() % unsigned((sclkLimit - 4) * 10 + 1)) / 10.0;
        const bool fromHick = random() % 4 == 0, normal = kind == Selectable && random() % 2 == 0;
        ClockConfig start = PllCandidates::typedSclkRecord(series, hext, fromHick, normal);
        start.sclkMHz = target;
        PllCandidates::Candidate found;
        ClockConfig solved(seriesId);
        if (!PllCandidates::nearestWithUsb48(start, target, &found, &solved))
            continue;
        ++answered;
        const QString where = QString("%1 --hext %2 --sclk %3%4%5")
                                  .arg(name)
                                  .arg(hext)
                                  .arg(target)
                                  .arg(fromHick ? " --hick" : "", normal ? " --normal" : "");
        QVERIFY2(solved.usbMHz == 48.0 && solved.sclkMHz <= sclkLimit, qPrintable(where));
        const QString path = scratch.filePath(QString("u%1.TFCC").arg(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(DesignFile::write(solved, series.seriesName())) > 0);
        file.close();
        // Opened as the tool opens a design: questions answered Cancel.
        DesignDocument document(seriesId);
        const DesignFile::Elements read = DesignFile::read(path);
        document.open(read.values());
        ClockRules::Findings findings =
            DesignFile::readDifferences(read, document.record(), series.seriesName());
        findings += document.verdict().findings;
        QStringList texts;
        for (const ClockRules::Finding &f : findings)
            texts << f.text();
        QVERIFY2(findings.isEmpty(), qPrintable(where + ": " + texts.join(" | ")));
        const ClockConfig &opened = document.record();
        QVERIFY2(opened.usbDisabled == 0 && opened.usbMHz == 48.0 && opened.sclkMHz == solved.sclkMHz,
                 qPrintable(where));
    }
    QVERIFY2(answered > tries / 5, qPrintable(QString("%1 of %2 answered").arg(answered).arg(tries)));
}

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"

#include "SimRunner.h"

#include "ClockRules.h"
#include "Generator.h"
#include "SeriesTable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <cmath>

namespace ClockSim {

namespace {

// The names the generated main calls, and main itself: renamed per design so
// that many designs share one program.
const char *const kRenamed[] = {"system_clock_config", "mx_clkout_init",
                                "mx_clkout1_init",     "mx_clkout2_init",
                                "mx_rtc_clock_init",   "mx_adc_clock_init",
                                "mx_i2c_clock_init",   "mx_usart_clock_init",
                                "clock_ready_wait",    "main",
                                "crm_pll_config",      "crm_pll_config2",
                                "crm_clkout_div_set"};

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(text.toUtf8()) == text.toUtf8().size();
}

// Runs the compiler; the first error text, or empty.
QString compileRun(QProcess &cc)
{
    if (!cc.waitForFinished(300000))
        return QStringLiteral("the compiler did not finish");
    if (cc.exitStatus() != QProcess::NormalExit || cc.exitCode() != 0)
        return QString::fromLocal8Bit(cc.readAll()).left(4000);
    return QString();
}

QString unitText(int index, const QString &stem)
{
    QString text = QStringLiteral("#include \"clocksim.h\"\n");
    const QString prefix = QStringLiteral("d%1_").arg(index);
    for (const char *name : kRenamed)
        text += QStringLiteral("#define %1 %2%1\n").arg(QLatin1String(name), prefix);
    // Every loop passes the simulation's guard: main's endless loop ends the
    // run, a wait that never ends is cut short.
    text += QStringLiteral("#define while(c) while(tf_sim_loop(__func__, #c) && (c))\n"
                           "#include \"src/%1_clock.c\"\n#include \"src/main.c\"\n#undef while\n"
                           "#include \"clocksim_family.h\"\n"
                           "const uint32_t %2hext_hz = HEXT_VALUE;\n"
                           "const uint32_t %2hext_timeout = HEXT_STARTUP_TIMEOUT;\n")
                .arg(stem, prefix);
    return text;
}

QString driverText(int count)
{
    QString text = QStringLiteral("#include \"clocksim.h\"\n#include <stdlib.h>\n\n");
    QString table;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("int d%1_main(void);\nextern const uint32_t d%1_hext_hz, d%1_hext_timeout;\n")
                    .arg(i);
        table += QStringLiteral("  {d%1_main, &d%1_hext_hz, &d%1_hext_timeout},\n").arg(i);
    }
    text += QStringLiteral(
                "\nstruct design { int (*main)(void); const uint32_t *hextHz, *timeout; };\n"
                "static const struct design designs[] = {\n%1};\n\n"
                "/* the application's hook: overrides the weak one of each clock source */\n"
                "void clock_failure_handler(int source) { tf_sim_failure_reported(source); }\n\n"
                "int main(void)\n{\n"
                "  char line[256];\n"
                "  while(fgets(line, sizeof line, stdin))\n  {\n"
                "    tf_sim_setup setup;\n"
                "    int index = 0, ended = TF_SIM_ENDED_RETURNED;\n"
                "    if(sscanf(line, \"%d %d %d %lf %lf %d %d\", &index, &setup.series, &setup.flags,\n"
                "              &setup.lextKHz, &setup.lickKHz, &setup.rtcSource, &setup.lextBypass) != 7)\n"
                "      return 2;\n"
                "    setup.hextHz = *designs[index].hextHz;\n"
                "    setup.hextTimeout = *designs[index].timeout;\n"
                "    tf_sim_begin(&setup);\n"
                "    switch(setjmp(tf_sim_exit))\n    {\n"
                "    case 0: designs[index].main(); break;\n"
                "    case TF_SIM_ENDED_IN_MAIN_LOOP: ended = TF_SIM_ENDED_IN_MAIN_LOOP; break;\n"
                "    default: ended = TF_SIM_ENDED_ABORTED; break;\n    }\n"
                "    tf_sim_finish(ended, stdout);\n"
                "    fflush(stdout);\n  }\n  return 0;\n}\n")
                .arg(table);
    return text;
}

bool near(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * qMax(1.0, std::fabs(b));
}

// Reads the lines tf_sim_finish printed for one run.
void parseLine(const QString &line, Outcome &o)
{
    const QStringList w = line.split(QLatin1Char(' '));
    const QString &key = w.first();
    auto d = [&w](int i) {
        return w.value(i).toDouble();
    };
    auto n = [&w](int i) {
        return w.value(i).toInt();
    };
    if (key == QLatin1String("ended")) {
        o.ended = n(1);
    } else if (key == QLatin1String("sclk")) {
        o.sclkSource = n(1);
        o.sclk = d(2);
    } else if (key == QLatin1String("bus")) {
        o.ahb = d(1);
        o.apb1 = d(2);
        o.apb1Timer = d(3);
        o.apb2 = d(4);
        o.apb2Timer = d(5);
    } else if (key == QLatin1String("usb")) {
        o.usb = d(1);
        o.usbSource = n(2);
    } else if (key == QLatin1String("adc")) {
        o.adc = d(1);
    } else if (key == QLatin1String("rtc")) {
        o.rtcSource = n(1);
        o.rtcOn = n(2) != 0;
    } else if (key == QLatin1String("clkout")) {
        ClockOutput &c = o.outputs[qBound(0, n(1), 1)];
        c = {n(2), n(3), n(4), n(5), n(6), n(7)};
    } else if (key == QLatin1String("i2c")) {
        o.i2c = n(1);
        o.usart1 = n(3);
        o.usart2 = n(4);
    } else if (key == QLatin1String("failures")) {
        o.failures = w.value(1).toUInt();
    } else if (key == QLatin1String("finding")) {
        o.findings << QStringList(w.mid(3)).join(QLatin1Char(' '));
    } else if (key == QLatin1String("call")) {
        o.calls << QStringList(w.mid(2)).join(QLatin1Char(' '));
    }
}

bool isDual(int series)
{
    return series == 13 || series == 14;
}

// Series whose USB may run from HICK at 48 MHz.
bool usbFromHick(int series)
{
    return series == 4 || series == 7 || series == 8 || series == 13 || series == 14 || series == 15;
}

bool hasUsb(int series)
{
    return series != 9 && series != 16;
}

// Port (A 0, B 1 ...), pin and mux of a clock-output pin choice.
ClockOutput pinOf(int series, int output, int choice)
{
    ClockOutput c;
    if (isDual(series)) {
        if (output == 1)
            c.port = 2, c.pin = 9, c.mux = 0;
        else if (choice == 2)
            c.port = 4, c.pin = 4, c.mux = 0;
        else
            c.port = 0, c.pin = 8, c.mux = 0;
    } else if (choice == 2) {
        c.port = 0, c.pin = 9, c.mux = 5;
    } else if (choice == 3) {
        c.port = 1, c.pin = 13, c.mux = 3;
    } else {
        c.port = 0, c.pin = 8, c.mux = 0;
    }
    return c;
}

void compareOutput(int series, int index, int choice, int source, int div1, int div2, const ClockOutput &got,
                   QStringList &bad)
{
    const QString name = QStringLiteral("clock output %1").arg(index + 1);
    if (choice == 0) {
        if (got.port >= 0 || got.source >= 0)
            bad << name + QStringLiteral(" started although the design has none");
        return;
    }
    const ClockOutput pin = pinOf(series, index, choice);
    if (got.port != pin.port || got.pin != pin.pin || got.mux != pin.mux)
        bad << name + QStringLiteral(" on port %1 pin %2 mux %3, not %4 %5 %6")
                          .arg(got.port)
                          .arg(got.pin)
                          .arg(got.mux)
                          .arg(pin.port)
                          .arg(pin.pin)
                          .arg(pin.mux);
    if (got.source != source)
        bad << name + QStringLiteral(" takes source %1, not %2").arg(got.source).arg(source);
    const bool divided = series != 2; // the QXC300 output has no divider
    if (divided && (got.div1 != div1 || got.div2 != div2))
        bad << name + QStringLiteral(" divided by %1 and %2, not %3 and %4")
                          .arg(got.div1)
                          .arg(got.div2)
                          .arg(div1)
                          .arg(div2);
}

} // namespace

Runner::Runner() = default;
Runner::~Runner() = default;

QString Runner::workDir() const
{
    return m_dir ? m_dir->path() : QString();
}

bool Runner::prepare(QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>();
    // TF_CLOCKSIM_KEEP keeps the generated projects for a look after the run.
    m_dir->setAutoRemove(!qEnvironmentVariableIsSet("TF_CLOCKSIM_KEEP"));
    if (!m_dir->isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    m_simObject = m_dir->filePath(QStringLiteral("clocksim.o"));
    QProcess cc;
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.start(QStringLiteral(TF_HOST_CC),
             {"-std=c99", "-O2", "-Wall", "-Wextra", "-Werror", "-c", TF_CLOCKSIM_DIR "/clocksim.c", "-I",
              TF_FWLIB_DIR, "-I", TF_CLOCKSIM_DIR, "-o", m_simObject});
    *error = compileRun(cc);
    return error->isEmpty();
}

bool Runner::build(const QVector<ClockConfig> &designs, QString *error, const QStringList &mainSources)
{
    m_designs = designs;
    const QString batch = m_dir->filePath(QStringLiteral("b%1").arg(m_batch++));
    QStringList objects;
    QVector<QStringList> jobs;
    for (int i = 0; i < designs.size(); ++i) {
        const ClockConfig &c = designs.at(i);
        const QString stem = SeriesTable::byId(c.seriesId)->templateStem();
        const QString dir = batch + QStringLiteral("/d%1").arg(i);
        Codegen::Files files;
        QString why;
        if (!QDir().mkpath(dir + "/inc") || !QDir().mkpath(dir + "/src") ||
            !Codegen::render(c, stem, &files, &why)) {
            *error = QStringLiteral("design %1: cannot render: %2").arg(i).arg(why);
            return false;
        }
        if (!writeText(dir + "/src/" + stem + "_clock.c", files.clockSource) ||
            !writeText(dir + "/inc/" + stem + "_clock.h", files.clockHeader) ||
            !writeText(dir + "/src/main.c", mainSources.value(i).isEmpty() ? files.mainSource : mainSources.at(i)) ||
            !writeText(dir + "/inc/" + stem + "_conf.h", files.confHeader) ||
            !writeText(dir + "/unit.c", unitText(i, stem))) {
            *error = QStringLiteral("cannot write into %1").arg(dir);
            return false;
        }
        objects << dir + "/unit.o";
        jobs.append({"-std=c99", "-O0", "-w", "-c", dir + "/unit.c", "-I", dir + "/inc", "-I", TF_FWLIB_DIR,
                     "-I", TF_CLOCKSIM_DIR, "-o", objects.last()});
    }
    // Two compilers side by side: the machine's two cores.
    for (int i = 0; i < jobs.size(); i += 2) {
        QProcess first, second;
        first.setProcessChannelMode(QProcess::MergedChannels);
        second.setProcessChannelMode(QProcess::MergedChannels);
        first.start(QStringLiteral(TF_HOST_CC), jobs.at(i));
        if (i + 1 < jobs.size())
            second.start(QStringLiteral(TF_HOST_CC), jobs.at(i + 1));
        *error = compileRun(first);
        if (error->isEmpty() && i + 1 < jobs.size())
            *error = compileRun(second);
        if (!error->isEmpty()) {
            *error = QStringLiteral("design %1: %2").arg(i).arg(*error);
            return false;
        }
    }
    m_program = batch + QStringLiteral("/designs");
    if (!writeText(batch + "/driver.c", driverText(designs.size()))) {
        *error = QStringLiteral("cannot write the driver");
        return false;
    }
    QProcess cc;
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.start(QStringLiteral(TF_HOST_CC),
             QStringList{"-std=c99", "-O0", "-w", "-I", TF_CLOCKSIM_DIR, batch + "/driver.c"}
                 << objects << m_simObject << "-o" << m_program);
    *error = compileRun(cc);
    return error->isEmpty();
}

bool Runner::run(const QVector<Run> &runs, QVector<Outcome> *outcomes, QString *error)
{
    QString input;
    for (const Run &r : runs) {
        const ClockConfig &c = m_designs.at(r.design);
        input += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                     .arg(r.design)
                     .arg(c.seriesId)
                     .arg(r.scenario)
                     .arg(c.lextKHz, 0, 'f', 6)
                     .arg(c.lickKHz, 0, 'f', 6)
                     .arg(rtcCode(c))
                     .arg(c.lextBypass ? 1 : 0);
    }
    QProcess program;
    program.start(m_program, QStringList());
    program.write(input.toUtf8());
    program.closeWriteChannel();
    if (!program.waitForFinished(600000) || program.exitStatus() != QProcess::NormalExit ||
        program.exitCode() != 0) {
        *error = QStringLiteral("the simulated designs did not run through: %1")
                     .arg(QString::fromLocal8Bit(program.readAllStandardError()));
        return false;
    }
    outcomes->clear();
    Outcome current;
    QTextStream out(program.readAllStandardOutput());
    QString line;
    while (out.readLineInto(&line)) {
        if (line == QLatin1String("end")) {
            outcomes->append(current);
            current = Outcome();
        } else if (!line.isEmpty()) {
            parseLine(line, current);
        }
    }
    if (outcomes->size() != runs.size()) {
        *error = QStringLiteral("%1 runs reported, %2 started").arg(outcomes->size()).arg(runs.size());
        return false;
    }
    return true;
}

bool usable(const ClockRules::Findings &findings)
{
    for (const ClockRules::Finding &f : findings) {
        if (f.severity == ClockRules::Finding::Severity::Refusal)
            return false;
    }
    return true;
}

int rtcCode(const ClockConfig &c)
{
    // crm_ertc_clock_type: NOCLK 0, LEXT 1, LICK 2, HEXT_DIV 3, HEXT_DIV_2 4 ... HEXT_DIV_31 33
    if (c.rtcSource == 0)
        return 2;
    if (c.rtcSource == 1)
        return 1;
    return isDual(c.seriesId) ? 4 + (c.rtcHextDiv - 2) : 3;
}

QStringList compareWithDesign(const ClockConfig &c, const Outcome &o)
{
    QStringList bad;
    if (o.ended != Outcome::MainLoop)
        bad << QStringLiteral("the start-up did not reach main's loop (%1)").arg(o.ended);
    static const int sclkCode[] = {1, 2, 0}; // record HEXT, PLL, HICK
    if (o.sclkSource != sclkCode[qBound(0, c.sclkSource, 2)])
        bad << QStringLiteral("system clock source %1, design %2").arg(o.sclkSource).arg(c.sclkSource);
    const struct {
        const char *name;
        double got, want;
    } clocks[] = {{"sclk", o.sclk, c.sclkMHz},
                  {"ahb", o.ahb, c.ahbMHz},
                  {"apb1", o.apb1, c.apb1MHz},
                  {"apb1 timers", o.apb1Timer, c.apb1TimerMHz},
                  {"apb2", o.apb2, c.apb2MHz},
                  {"apb2 timers", o.apb2Timer, c.apb2TimerMHz},
                  {"adc", o.adc, c.adcEnabled && !isDual(c.seriesId) ? c.adcMHz : 0.0}};
    for (const auto &k : clocks) {
        if (!near(k.got, k.want))
            bad << QStringLiteral("%1 %2 MHz, design %3 MHz")
                       .arg(QLatin1String(k.name))
                       .arg(k.got, 0, 'f', 6)
                       .arg(k.want, 0, 'f', 6);
    }
    if (hasUsb(c.seriesId) && c.usbDisabled == 0) {
        const bool hick = c.usbSourceHick48 != 0 && usbFromHick(c.seriesId);
        const double want = hick ? 48.0 : c.usbMHz;
        if (!near(o.usb, want) || o.usbSource != (hick ? 1 : 0))
            bad << QStringLiteral("usb %1 MHz from %2, design %3 MHz")
                       .arg(o.usb, 0, 'f', 6)
                       .arg(o.usbSource)
                       .arg(want, 0, 'f', 6);
    }
    if (c.rtcEnabled != o.rtcOn || (c.rtcEnabled && o.rtcSource != rtcCode(c)))
        bad << QStringLiteral("rtc %1 from %2, design %3 from %4")
                   .arg(o.rtcOn)
                   .arg(o.rtcSource)
                   .arg(c.rtcEnabled)
                   .arg(rtcCode(c));
    if (isDual(c.seriesId)) {
        compareOutput(c.seriesId, 0, c.clkout1Pin, c.clkout1Source, c.clkout1Div1, c.clkout1Div2,
                      o.outputs[0], bad);
        compareOutput(c.seriesId, 1, c.clkout2Pin, c.clkout2Source, c.clkout2Div1, c.clkout2Div2,
                      o.outputs[1], bad);
    } else {
        compareOutput(c.seriesId, 0, c.clkoutPin, c.clkoutSource, 1, c.clkoutDiv, o.outputs[0], bad);
    }
    if (c.seriesId == 16 &&
        (o.i2c != c.i2c1Source || o.usart1 != c.usart1Source || o.usart2 != c.usart2Source))
        bad << QStringLiteral("i2c/usart sources %1 %2 %3").arg(o.i2c).arg(o.usart1).arg(o.usart2);
    if (o.failures)
        bad << QStringLiteral("clock failures reported: %1").arg(o.failures);
    for (const QString &f : o.findings)
        bad << f;
    return bad;
}

unsigned expectedFailures(const ClockConfig &c, int scenario)
{
    enum { Hext = 1u << 1, Pll = 1u << 2, Lext = 1u << 3 };
    unsigned bits = 0;
    const bool rtcOn = c.rtcEnabled;
    if (scenario & HextDead) {
        if (c.hextNeeded() || (rtcOn && c.rtcSource == 2))
            bits |= Hext;
    }
    if ((scenario & PllDead) && c.pllInUse() && !((scenario & HextDead) && c.pllSourceHick == 0))
        bits |= Pll;
    if (scenario & LextDead) {
        const bool rtcLext = rtcOn && c.rtcSource == 1 && !(scenario & RtcRuns);
        bool outLext = false;
        if (isDual(c.seriesId))
            outLext = (c.clkout1Pin && c.clkout1Source == 1) || (c.clkout2Pin && c.clkout2Source == 7);
        else
            outLext = c.clkoutPin && c.clkoutSource == 2;
        const bool usartLext = c.seriesId == 16 && (c.usart1Source == 3 || c.usart2Source == 3);
        if (rtcLext || outLext || usartLext)
            bits |= Lext;
    }
    return bits;
}

QStringList checkFailure(const ClockConfig &c, int scenario, const Outcome &o)
{
    QStringList bad;
    const unsigned want = expectedFailures(c, scenario);
    if (o.ended != Outcome::MainLoop)
        bad << QStringLiteral("the start-up did not reach main's loop (%1)").arg(o.ended);
    if (o.failures != want)
        bad << QStringLiteral("failures reported %1, expected %2").arg(o.failures).arg(want);
    const bool sclkLost =
        (want & (1u << 1) && c.hextNeeded() &&
         (c.sclkSource == ClockConfig::SclkHext || (c.pllInUse() && c.pllSourceHick == 0))) ||
        (want & (1u << 2));
    if (sclkLost && o.sclkSource != 0)
        bad << QStringLiteral("the system clock stayed on source %1, not on hick").arg(o.sclkSource);
    if (!want) {
        bad << compareWithDesign(c, o);
        return bad;
    }
    for (const QString &f : o.findings)
        bad << f;
    return bad;
}

} // namespace ClockSim

#pragma once

#include "ClockConfig.h"
#include "ClockRules.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

#include <memory>

// Runs generated projects on the simulated clock unit (clocksim.c): each design
// is rendered, compiled with the host compiler against the simulation (built
// once), started through its own main, and its final clock state compared
// with the design's record.
namespace ClockSim {

// Start conditions and injected failures, as clocksim.h numbers them.
enum Scenario : int {
    PowerOn = 0,
    Bootloader = 1,
    RtcRuns = 2,
    HextDead = 4,
    LextDead = 8,
    PllDead = 16,
    LextRuns = 32,
};

struct ClockOutput {
    int port = -1, pin = -1, mux = -1, source = -1, div1 = 0, div2 = 0;
};

// What one run left behind.
struct Outcome {
    enum Ended { MainLoop = 1, Returned, Aborted };
    int ended = 0;
    int sclkSource = -1; // CRM_SCLK_HICK 0, HEXT 1, PLL 2
    double sclk = 0, ahb = 0, apb1 = 0, apb1Timer = 0, apb2 = 0, apb2Timer = 0, usb = 0, adc = 0;
    int usbSource = 0;
    int rtcSource = -1;
    bool rtcOn = false;
    ClockOutput outputs[2];
    int i2c = -1, usart1 = -1, usart2 = -1;
    unsigned failures = 0; // bit per crm_clock_source_type: HICK 0, HEXT 1, PLL 2, LEXT 3, LICK 4
    QStringList findings;  // "rule text: the call"
    QStringList calls;
};

struct Run {
    int design = 0;
    int scenario = PowerOn;
};

class Runner {
public:
    Runner();
    ~Runner();

    // Compiles the simulation once. False with a reason when no compiler works.
    bool prepare(QString *error);
    // Renders and compiles every design into one program (replacing the last).
    // The records are used as given; callers pass checked copies. A non-empty
    // text in mainSources stands in for that design's main.c.
    bool build(const QVector<ClockConfig> &designs, QString *error, const QStringList &mainSources = {});
    // Runs the built program once per run, in order.
    bool run(const QVector<Run> &runs, QVector<Outcome> *outcomes, QString *error);

    const QVector<ClockConfig> &designs() const { return m_designs; }
    QString workDir() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_simObject;
    QString m_program;
    QVector<ClockConfig> m_designs;
    int m_batch = 0;
};

// The mismatches between a run that should have reached the design and the
// design itself (empty when every clock is the design's).
QStringList compareWithDesign(const ClockConfig &design, const Outcome &outcome);

// Whether a run with an injected failure ended as the clock set-up documents:
// it reached main's loop with the failed clock reported, the system clock on
// the internal clock when the failed one fed it, and the design's clocks
// otherwise. Empty when it did.
QStringList checkFailure(const ClockConfig &design, int scenario, const Outcome &outcome);

// The failures that the scenario makes the design report (bits as in Outcome).
unsigned expectedFailures(const ClockConfig &design, int scenario);

// Whether the generator may write a design with these findings (warnings only).
bool usable(const ClockRules::Findings &findings);

// The ertc clock code the design's rtc runs from.
int rtcCode(const ClockConfig &design);

} // namespace ClockSim

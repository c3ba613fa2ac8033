#pragma once

#include <QString>

// The firmware library's constant names for record values. Each lookup of a
// value outside its table yields the table's default row.
namespace NameTables {

QString ahbDiv(int div);
QString apb1Div(int div);
QString apb2Div(int div);
QString adcDiv(int div);
QString pllFr(int fr);
QString usbDiv(double div); // compared exactly against 1.0, 1.5, ... 7.0
QString sclkSource(int source);
QString clkoutSource(int source);  // single clock output
QString clkout1Source(int source); // C330/C335 output 1
QString clkout2Source(int source); // C330/C335 output 2
QString clkoutIndex(int output);   // 1 or 2
QString clkoutDiv(int div);        // single clock output
QString clkoutDiv1(int div);
QString clkoutDiv2(int div);
QString ertcHextDiv(int div); // 2..31; others give the first row
QString i2c1Source(int source);
QString usartSource(int source);
QString ldoVoltage(double sclkMHz);
QString flashWaitCycle(double sclkMHz);
int flashWaitCycles(double sclkMHz);
QString flashClockDivider(double sclkMHz);
QString pllRange(double pllMHz);

// The pin a clock output is routed to.
struct PinRow {
    const char *portClock;
    const char *pins;
    const char *port;
    const char *pinSource;
    const char *mux;
};
const PinRow &clkoutPin(int selector);  // single clock output
const PinRow &clkout1Pin(int selector); // C330/C335 output 1

} // namespace NameTables

// Times the clock model's hot operations and prints the figures:
//  - searchPllFactors at its worst case against a bare loop over the same
//    6 x 15 x 470 candidates (target: within 2x),
//  - recompute (target: under 1 microsecond),
//  - applyTypedSclk in flexible and in multiplier mode.
#include "ClockConfig.h"

#include <QElapsedTimer>

#include <cmath>
#include <cstdio>

namespace {

volatile double g_sink = 0.0;

// Nanoseconds per call of `body`, best of several rounds.
template <typename Body> double nsPerCall(int calls, Body body)
{
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i)
            body(i);
        best = std::min(best, double(timer.nsecsElapsed()) / calls);
    }
    return best;
}

// The plain exhaustive loop: every fr, every ms in 1..15, every ns in 31..500.
double bareLoop(double in, double target)
{
    static const int frs[] = {32, 16, 8, 4, 2, 1};
    double bestError = 10000.0;
    int bestMs = 0;
    int bestNs = 0;
    int bestFr = 0;
    for (int fr : frs) {
        for (int ms = 1; ms <= 15; ++ms) {
            const int den = fr * ms;
            for (int ns = 31; ns <= 500; ++ns) {
                const double error = std::fabs(ns * in / den - target);
                if (error < bestError) {
                    bestError = error;
                    bestMs = ms;
                    bestNs = ns;
                    bestFr = fr;
                }
            }
        }
    }
    return bestNs * in / (bestFr * bestMs);
}

} // namespace

int main()
{
    // A reference below 2 MHz fits no ms and no oscillator window, so the
    // search visits all 6 x 15 x 470 candidates: its worst case.
    const double worstRef = 0.5;
    ClockConfig search(13);
    const double searchNs = nsPerCall(2000, [&](int i) {
        search.sclkMHz = 50.0 + (i & 7);
        search.searchPllFactors(worstRef, false);
        g_sink = g_sink + search.pllMHz;
    });
    const double bareNs =
        nsPerCall(2000, [&](int i) { g_sink = g_sink + bareLoop(worstRef, 50.0 + (i & 7)); });

    // Widest ms range a usable reference gives (30 MHz: ms 2..15).
    ClockConfig wide(13);
    const double wideNs = nsPerCall(2000, [&](int i) {
        wide.sclkMHz = 100.0 + (i & 7);
        wide.searchPllFactors(30.0, false);
        g_sink = g_sink + wide.pllMHz;
    });

    ClockConfig rec(13);
    rec.sclkSource = ClockConfig::SclkPll;
    rec.pllMs = 1;
    rec.pllNs = 72;
    rec.pllFr = 2;
    rec.usbDisabled = 0;
    rec.usbDiv = 6.0;
    rec.adcEnabled = true;
    const double recomputeNs = nsPerCall(1000000, [&](int i) {
        rec.hextMHz = 8.0 + (i & 3);
        rec.apb1Div = 1;
        rec.apb2Div = 1;
        rec.recompute();
        g_sink = g_sink + rec.apb2TimerMHz;
    });

    ClockConfig flex(13);
    flex.sclkSource = ClockConfig::SclkPll;
    flex.hextMHz = 8.0;
    const double typedFlexNs = nsPerCall(5000, [&](int i) {
        flex.sclkMHz = 287.3 - (i & 7);
        flex.applyTypedSclk();
        g_sink = g_sink + flex.sclkMHz;
    });

    ClockConfig mult(7);
    mult.sclkSource = ClockConfig::SclkPll;
    mult.pllFlexible = 0;
    const double typedMultNs = nsPerCall(1000000, [&](int i) {
        mult.sclkMHz = 100.0 + (i & 7);
        mult.applyTypedSclk();
        g_sink = g_sink + mult.sclkMHz;
    });

    std::printf("searchPllFactors, worst case (ref %.1f MHz, 6 x 15 x 470): %10.0f ns\n", worstRef, searchNs);
    std::printf("bare loop over the same candidates:                       %10.0f ns\n", bareNs);
    std::printf("ratio search / bare loop:                                 %10.2f (target <= 2)\n",
                searchNs / bareNs);
    std::printf("searchPllFactors, ref 30 MHz (ms 2..15):                  %10.0f ns\n", wideNs);
    std::printf("recompute:                                                %10.1f ns (target < 1000)\n",
                recomputeNs);
    std::printf("applyTypedSclk, flexible PLL (search):                    %10.0f ns\n", typedFlexNs);
    std::printf("applyTypedSclk, multiplier PLL:                           %10.1f ns\n", typedMultNs);
    return (searchNs <= 2.0 * bareNs && recomputeNs < 1000.0) ? 0 : 1;
}

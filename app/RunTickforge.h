#pragma once

#include <functional>

class FormConfiguration;

// What a program built on the window's start-up adds to it, at two moments;
// tickforge itself adds nothing.
struct StartupHooks {
    // The window is shown and keeps crash-recovery copies; the offer of a
    // copy and the design named on the command line are still to come.
    std::function<void(FormConfiguration &)> windowShown;
    // Start-up is over: the offer answered, the design opened or refused.
    std::function<void(FormConfiguration &)> startedUp;
};

// The program from its command line to the end of its event loop: --help and
// --version without a display, else the window shown and the design given
// opened. Returns the exit status.
int runTickforge(int &argc, char *argv[], const StartupHooks &hooks = {});

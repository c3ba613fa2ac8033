// tickforge as its end-to-end tests start it: the program's own start-up
// (runTickforge) and link line. With TICKFORGE_TEST_SCRIPT naming a file, the
// dialogs are answered and the window driven from it (TestScript).
#include "RunTickforge.h"
#include "TestScript.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    std::unique_ptr<TestScript> script;
    StartupHooks hooks;
    hooks.windowShown = [&script](FormConfiguration &window) {
        const QString fileName = qEnvironmentVariable("TICKFORGE_TEST_SCRIPT");
        if (!fileName.isEmpty())
            script = TestScript::fromFile(fileName, window);
    };
    hooks.startedUp = [&script](FormConfiguration &) {
        if (script)
            script->run();
    };
    return runTickforge(argc, argv, hooks);
}

// tickforge as the end-to-end tests and the start-up benchmark start it: the
// program's own start-up (runTickforge) and link line, watched from outside.
// - "painted" is printed on standard output when the drawing of a series is
//   first painted on screen: at the first paint of a shown view's viewport
//   that shows some of its scene.
// - With TICKFORGE_TEST_SCRIPT naming a file, the dialogs are answered and
//   the window driven from it (TestScript).
#include "RunTickforge.h"
#include "TestScript.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPaintEvent>

#include <cstdio>

namespace {

class FirstDrawingPaint final : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const auto *view = qobject_cast<QGraphicsView *>(watched->parent());
        if (!view || view->viewport() != watched || !view->isVisible() || !view->scene())
            return false;
        // A paint that shows some of the drawing.
        const QRect drawing = view->mapFromScene(view->scene()->itemsBoundingRect()).boundingRect();
        if (!static_cast<QPaintEvent *>(event)->region().intersects(drawing))
            return false;
        std::fputs("painted\n", stdout);
        std::fflush(stdout);
        QCoreApplication::instance()->removeEventFilter(this);
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    FirstDrawingPaint firstPaint;
    std::unique_ptr<TestScript> script;
    StartupHooks hooks;
    hooks.windowShown = [&firstPaint, &script](FormConfiguration &window) {
        QCoreApplication::instance()->installEventFilter(&firstPaint);
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

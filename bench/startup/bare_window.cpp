#include <QApplication>
#include <QMainWindow>
#include <QPaintEvent>
#include <QWidget>

#include <cstdio>

namespace {

// Prints "painted" (with TICKFORGE_PAINT_MARK set) when first painted, as the
// program's drawing does.
class Ground : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_marked && qEnvironmentVariableIsSet("TICKFORGE_PAINT_MARK")) {
            m_marked = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
        }
    }

private:
    bool m_marked = false;
};

} // namespace

// The least a desktop program does: a maximised main window, shown.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new Ground);
    window.showMaximized();
    return app.exec();
}

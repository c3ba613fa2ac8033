#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QWidget>

#include <cstdio>

namespace {

// Prints "painted" when first painted, as tickforge-scripted does at its
// drawing's first paint.
class Ground : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_marked) {
            m_marked = true;
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
        }
    }

private:
    bool m_marked = false;
};

} // namespace

// The least a desktop program does: a maximised main window, shown. With
// --menus it also shows a menu bar with the program's four menu titles: the
// least a program that shows any text does (the font database is loaded).
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new Ground);
    if (QCoreApplication::arguments().contains(QStringLiteral("--menus"))) {
        for (const char *title : {"Project", "Language", "Generate code", "Help"})
            window.menuBar()->addMenu(QString::fromLatin1(title));
    }
    window.showMaximized();
    return app.exec();
}

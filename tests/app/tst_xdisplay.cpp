// The program on an X display of its own (a private Xvfb), as a user starts
// it: with a design open it maps no GL driver, whose libraries would cost tens
// of megabytes and much of the start-up time. It runs as tickforge-scripted,
// the program's start-up and link line, which prints "painted" when its
// drawing is first painted.
#include "TableRows.h"

#include <QtTest>

namespace {

// Files of /proc/<pid>/maps that `pattern` matches (its first group).
QStringList mappings(qint64 pid, const QString &pattern)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(maps unreadable)")};
    const QRegularExpression file(pattern, QRegularExpression::MultilineOption);
    QStringList found;
    for (auto it = file.globalMatch(QString::fromLocal8Bit(maps.readAll())); it.hasNext();)
        found << it.next().captured(1);
    found.removeDuplicates();
    return found;
}

// The GL driver's libraries (glvnd's vendor libraries, the DRI drivers, LLVM)
// that /proc/<pid>/maps names; QtGui's own link to the GL dispatch library is
// not a driver.
QStringList glDriverMappings(qint64 pid)
{
    return mappings(pid, QStringLiteral("/(libGLX_[^/]*|libLLVM[^/]*|dri/[^/]*)$"));
}

} // namespace

class TestXDisplay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is not installed (tools/bootstrap.sh installs it)");
        int number = 140; // a display nobody uses
        while (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
               QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            ++number;
        m_display = QStringLiteral(":%1").arg(number);
        m_server.start(QStringLiteral("Xvfb"),
                       {m_display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(m_server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)), 10000);
    }

    void cleanupTestCase()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }

    void noGlDriver_data() { addTableRows("xdisplay_gl.tsv"); }
    void noGlDriver()
    {
        QFETCH(QString, integration);
        QFETCH(bool, driver);
        QProcess program;
        QVERIFY(startPainted(program, TICKFORGE_SCRIPTED, integration));
        const QStringList mapped = glDriverMappings(program.processId());
        program.kill();
        program.waitForFinished();
        QVERIFY2(mapped.isEmpty() != driver, qPrintable(mapped.join(' ')));
    }

    // Its pictures are PNG files, which QtGui decodes itself: started with a
    // design and painted, the program has loaded none of Qt's image-format
    // plugins (each maps a codec library or more), but for the one that reads
    // the window icon, an .ico file, which maps no codec library.
    void noImageFormatPlugin()
    {
        QProcess program;
        QVERIFY(startPainted(program, TICKFORGE_SCRIPTED, QString()));
        QTest::qWait(300); // what comes just after the first paint
        QStringList mapped = mappings(program.processId(), QStringLiteral("/imageformats/([^/\\s]+)$"));
        program.kill();
        program.waitForFinished();
        mapped.removeAll(QStringLiteral("libqico.so"));
        QVERIFY2(mapped.isEmpty(), qPrintable(mapped.join(' ')));
    }

    // Controls are never windows of their own: with a design open the program
    // has as many windows on the display as a bare main window program.
    void nativeWindows()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
            QSKIP("xwininfo is not installed (tools/bootstrap.sh installs it)");
        int windows[2] = {};
        for (int i = 0; i < 2; ++i) {
            QProcess program;
            QVERIFY(startPainted(program, i ? TICKFORGE_SCRIPTED : BARE_WINDOW, QString()));
            QProcess info;
            info.start(QStringLiteral("xwininfo"), {"-display", m_display, "-root", "-children"});
            QVERIFY(info.waitForFinished());
            windows[i] =
                QRegularExpression(QStringLiteral("^\\s+(\\d+) child"), QRegularExpression::MultilineOption)
                    .match(QString::fromLocal8Bit(info.readAllStandardOutput()))
                    .captured(1)
                    .toInt();
            program.kill();
            program.waitForFinished();
        }
        QVERIFY(windows[0] > 0);
        QCOMPARE(windows[1], windows[0]);
    }

private:
    // A program on the display (tickforge with a design), until it has painted.
    bool startPainted(QProcess &program, const char *path, const QString &integration)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_DATA_HOME", m_home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.remove("QT_XCB_GL_INTEGRATION");
        if (!integration.isEmpty())
            env.insert("QT_XCB_GL_INTEGRATION", integration);
        program.setProcessEnvironment(env);
        program.start(QString::fromLocal8Bit(path),
                      {QStringLiteral(TF_SOURCE_DIR "/docs/manual/designs/QXC330_USB.TFCC")});
        QByteArray out;
        while (!out.contains("painted\n") && program.waitForReadyRead(20000))
            out += program.readAllStandardOutput();
        return out.contains("painted\n");
    }

    QTemporaryDir m_home;
    QString m_display;
    QProcess m_server;
};

QTEST_GUILESS_MAIN(TestXDisplay)
#include "tst_xdisplay.moc"

// The real program on an X display of its own (a private Xvfb), as a user
// starts it: with a design open it maps no GL driver, whose libraries would
// cost tens of megabytes and much of the start-up time.
#include "TableRows.h"

#include <QtTest>

namespace {

// The GL libraries of a driver (glvnd's vendor libraries and the DRI
// drivers), as /proc/<pid>/maps names them; QtGui's own link to the GL
// dispatch library is not a driver.
QStringList glDriverMappings(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(maps unreadable)")};
    QStringList found;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
        const QString name = path.section(QLatin1Char('/'), -1);
        if ((name.startsWith(QLatin1String("libGLX_")) || path.contains(QLatin1String("/dri/")) ||
             name.startsWith(QLatin1String("libLLVM"))) &&
            !found.contains(name))
            found << name;
    }
    return found;
}

} // namespace

class TestXDisplay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is not installed (tools/bootstrap.sh installs it)");
        for (int number = 140; number < 240 && m_display.isEmpty(); ++number) {
            if (!QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) &&
                !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                m_display = QStringLiteral(":%1").arg(number);
        }
        QVERIFY(!m_display.isEmpty());
        m_server.start(QStringLiteral("Xvfb"),
                       {m_display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(m_server.waitForStarted());
        const QString socket = QStringLiteral("/tmp/.X11-unix/X") + m_display.mid(1);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 10000);
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
        QTemporaryDir home;
        QProcess program;
        QVERIFY(startPainted(program, home, integration));
        const QStringList mapped = glDriverMappings(program.processId());
        program.kill();
        program.waitForFinished();
        QVERIFY2(mapped.isEmpty() != driver, qPrintable(mapped.join(' ')));
    }

    // Controls are never windows of their own: with a design open the program
    // has as many windows on the display as a bare main window program.
    void nativeWindows()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
            QSKIP("xwininfo is not installed (tools/bootstrap.sh installs it)");
        QTemporaryDir home;
        QProcess bare;
        bare.setProcessEnvironment(environment(home, QString()));
        bare.start(QStringLiteral(BARE_WINDOW), QStringList());
        QVERIFY(bare.waitForStarted());
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += bare.readAllStandardOutput()).contains("painted\n"), 20000);
        const int bareWindows = windowCount();
        bare.kill();
        bare.waitForFinished();
        QProcess program;
        QVERIFY(startPainted(program, home, QString()));
        const int programWindows = windowCount();
        program.kill();
        program.waitForFinished();
        QVERIFY(bareWindows > 0);
        QCOMPARE(programWindows, bareWindows);
    }

private:
    QProcessEnvironment environment(const QTemporaryDir &home, const QString &integration) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TICKFORGE_PAINT_MARK", "1");
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.remove("QT_XCB_GL_INTEGRATION");
        if (!integration.isEmpty())
            env.insert("QT_XCB_GL_INTEGRATION", integration);
        return env;
    }

    // The program with a design, until its drawing is painted.
    bool startPainted(QProcess &program, const QTemporaryDir &home, const QString &integration)
    {
        program.setProcessEnvironment(environment(home, integration));
        program.start(QStringLiteral(TICKFORGE),
                      {QStringLiteral(TF_SOURCE_DIR "/docs/manual/designs/QXC330_USB.TFCC")});
        if (!program.waitForStarted())
            return false;
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (!out.contains("painted\n") && waited.elapsed() < 20000 &&
               program.state() == QProcess::Running) {
            program.waitForReadyRead(100);
            out += program.readAllStandardOutput();
        }
        return out.contains("painted\n");
    }

    // The windows on the display (the root's children), mapped or not.
    int windowCount() const
    {
        QProcess info;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        info.setProcessEnvironment(env);
        info.start(QStringLiteral("xwininfo"), {"-root", "-children"});
        if (!info.waitForFinished())
            return -1;
        const QRegularExpression count(QStringLiteral("^\\s+(\\d+) child"),
                                       QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match =
            count.match(QString::fromLocal8Bit(info.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }

    QString m_display;
    QProcess m_server;
};

QTEST_GUILESS_MAIN(TestXDisplay)
#include "tst_xdisplay.moc"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString output; // standard output and error
};

// Runs a program to its end; a status of -1 means it could not be run.
Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {},
        const QString &workingDir = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted() || !process.waitForFinished(600000))
        return result;
    result.output = QString::fromUtf8(process.readAll());
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

// The desktop tools are installed by tools/bootstrap.sh.
bool have(const QString &tool)
{
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

// The desktop's data folders for a tool: only dir, then the others given.
QProcessEnvironment xdgData(const QString &dir, const QString &others = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir);
    environment.insert("XDG_DATA_DIRS", others.isEmpty() ? dir : dir + QLatin1Char(':') + others);
    return environment;
}

// One row of two text columns.
void textRow(const char *tag, const QString &first, const QString &second)
{
    QTest::newRow(tag) << first << second;
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void packageFiles();
    void packageFields_data();
    void packageFields();
    void desktopEntry();
    void designFileType_data();
    void designFileType();
    void manualRoundTrip_data();
    void manualRoundTrip();
    void versions_data();
    void versions();

private:
    QTemporaryDir m_dir;
    QString m_package; // the .deb cpack made
};

void TestPackage::initTestCase()
{
    for (const char *tool : {"dpkg-deb", "desktop-file-validate", "update-desktop-database",
                             "update-mime-database", "xdg-mime", "pdftotext"})
        QVERIFY2(have(QLatin1String(tool)), tool);
    QVERIFY(m_dir.isValid());
    const Run cpack = run(QStringLiteral(TF_CPACK),
                          {"-G", "DEB", "-B", m_dir.filePath("deb"), "--config", "CPackConfig.cmake"}, {},
                          QStringLiteral(TF_BUILD_DIR));
    QVERIFY2(cpack.status == 0, qPrintable(cpack.output));
    // The name Debian gives it: package, version, architecture.
    m_package = m_dir.filePath("deb/tickforge_3.0.03_amd64.deb");
    QVERIFY2(QFileInfo::exists(m_package), qPrintable(cpack.output));
}

void TestPackage::packageFiles()
{
    const Run listing = run("dpkg-deb", {"--contents", m_package});
    QCOMPARE(listing.status, 0);
    QStringList files; // regular files only: "-rw-r--r-- root/root 1234 2024-01-01 00:00 ./usr/bin/x"
    for (const QString &line : listing.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('-')))
            files << line.section(QLatin1Char(' '), -1).mid(1);
    }
    files.sort();
    QStringList expected{
        "/usr/bin/tickforge",
        "/usr/bin/tickforge-cli",
        "/usr/share/applications/tickforge.desktop",
        "/usr/share/icons/hicolor/scalable/apps/tickforge.svg",
        "/usr/share/man/man1/tickforge-cli.1.gz",
        "/usr/share/man/man1/tickforge.1.gz",
        "/usr/share/mime/packages/tickforge.xml",
        "/usr/share/tickforge/Documents/UM_Tickforge.pdf",
        "/usr/share/tickforge/Documents/UM_Tickforge_EN.pdf",
    };
    for (const char *size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        expected << QStringLiteral("/usr/share/icons/hicolor/%1/apps/tickforge.png").arg(QLatin1String(size))
                 << QStringLiteral("/usr/share/icons/hicolor/%1/mimetypes/application-x-tickforge-design.png")
                        .arg(QLatin1String(size));
    }
    expected.sort();
    QCOMPARE(files, expected);
}

void TestPackage::packageFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("contains");
    textRow("version", "Version", "3.0.03");
    textRow("Qt found by shlibdeps", "Depends", "libqt5widgets5");
    textRow("Qt's Chinese texts", "Depends", "qttranslations5-l10n");
    textRow("opening files and folders", "Recommends", "xdg-utils");
    textRow("a project address", "Maintainer", "@example.org");
}

void TestPackage::packageFields()
{
    QFETCH(QString, field);
    QFETCH(QString, contains);
    const Run value = run("dpkg-deb", {"--field", m_package, field});
    QCOMPARE(value.status, 0);
    QVERIFY2(value.output.contains(contains), qPrintable(value.output));
}

void TestPackage::desktopEntry()
{
    const QString entry = QStringLiteral(TF_DIST_DIR "/tickforge.desktop");
    const Run validate = run("desktop-file-validate", {entry});
    QCOMPARE(validate.output, QString());
    QCOMPARE(validate.status, 0);

    // The entry offers itself for design files.
    const QDir data(m_dir.filePath("desktop"));
    QVERIFY(data.mkpath("applications"));
    QVERIFY(QFile::copy(entry, data.filePath("applications/tickforge.desktop")));
    QCOMPARE(run("update-desktop-database", {data.filePath("applications")}).status, 0);
    const Run handler =
        run("xdg-mime", {"query", "default", "application/x-tickforge-design"}, xdgData(data.path()));
    QCOMPARE(handler.output.trimmed(), QString("tickforge.desktop"));
}

void TestPackage::designFileType_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("type");
    textRow("upper case", "board.TFCC", "application/x-tickforge-design");
    textRow("lower case", "board.tfcc", "application/x-tickforge-design");
    // No content magic: the same XML under another name stays plain XML.
    textRow("same content as .xml", "board.xml", "application/xml");
}

void TestPackage::designFileType()
{
    QFETCH(QString, fileName);
    QFETCH(QString, type);
    const QDir data(m_dir.filePath("mime-" + fileName));
    QVERIFY(data.mkpath("mime/packages"));
    QVERIFY(QFile::copy(QStringLiteral(TF_DIST_DIR "/tickforge-mime.xml"),
                        data.filePath("mime/packages/tickforge.xml")));
    QCOMPARE(run("update-mime-database", {data.filePath("mime")}).status, 0);
    const QString design = data.filePath(fileName);
    QVERIFY(writeText(design, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n"
                              "    <MCU>QXC330</MCU>\n</Configuration>\n"));

    // The system's own types stay visible, so plain XML is recognised as such.
    const Run query = run("xdg-mime", {"query", "filetype", design}, xdgData(data.path(), "/usr/share"));
    QCOMPARE(query.output.trimmed(), type);
}

void TestPackage::manualRoundTrip_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QStringList>("words"); // to be read back from the PDF
    QTest::newRow("English") << QByteArray("---\ntitle: Round Trip\ncontents: Contents\nlanguage: en\n---\n\n"
                                           "# Oscillators\n\nThe crystal runs at **eight** megahertz.\n")
                             << QStringList{"Round Trip", "1 Oscillators",
                                            "The crystal runs at eight megahertz."};
    QTest::newRow("Chinese") << QByteArray("---\ntitle: 往返测试\ncontents: 目录\nlanguage: zh\n---\n\n"
                                           "# 振荡器\n\n外部晶振的频率为八兆赫。\n")
                             << QStringList{"往返测试", "1 振荡器", "外部晶振的频率为八兆赫。"};
}

void TestPackage::manualRoundTrip()
{
    QFETCH(QByteArray, source);
    QFETCH(QStringList, words);
    const QString markdown = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".md"));
    const QString pdf = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
    QVERIFY(writeText(markdown, source));
    const Run render = run(QStringLiteral(TF_MANUAL_TOOL), {markdown, pdf});
    QVERIFY2(render.status == 0, qPrintable(render.output));

    const Run text = run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QCOMPARE(text.status, 0);
    // The heading's number is set off by no-break spaces.
    const QString read = QString(text.output).replace(QChar(0x00a0), QLatin1Char(' ')).simplified();
    for (const QString &word : words)
        QVERIFY2(read.contains(word), qPrintable(word + QStringLiteral(" not in: ") + read));
}

void TestPackage::versions_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("version");
    textRow("tickforge", TF_PROGRAM, "tickforge 3.0.03");
    textRow("tickforge-cli", TF_CLI, "tickforge-cli 3.0.03");
}

void TestPackage::versions()
{
    QFETCH(QString, program);
    QFETCH(QString, version);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY"); // --version needs no display
    const Run result = run(program, {"--version"}, environment);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.output.trimmed(), version);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"

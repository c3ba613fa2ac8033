#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "TestHelpers.h"

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
    process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted() || !process.waitForFinished(600000))
        return result;
    result.output = QString::fromUtf8(process.readAll());
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

// The desktop's data folders for a tool: only dir, then the others given.
QProcessEnvironment xdgData(const QString &dir, const QString &others = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir);
    environment.insert("XDG_DATA_DIRS", others.isEmpty() ? dir : dir + QLatin1Char(':') + others);
    return environment;
}

} // namespace

// What the installed program brings to a desktop, from the tools the build made.
class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void packageFilesAndFields();
    void desktopEntryAndFileType_data();
    void desktopEntryAndFileType();
    void manualRoundTrip_data();
    void manualRoundTrip();
    void versions();

private:
    QTemporaryDir m_dir;
    QString m_package; // the .deb cpack made
};

void TestPackage::initTestCase()
{
    // The desktop tools are installed by tools/bootstrap.sh.
    for (const char *tool : {"dpkg-deb", "desktop-file-validate", "update-desktop-database",
                             "update-mime-database", "xdg-mime", "pdftotext"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
    QVERIFY(m_dir.isValid());
    // A test build has no update key: the unsigned package is made on purpose.
    const Run cpack = run(QStringLiteral(TF_CPACK),
                          {"-G", "DEB", "-D", "TF_UPDATE_UNSIGNED=ON", "-B", m_dir.filePath("deb"),
                           "--config", "CPackConfig.cmake"},
                          {}, QStringLiteral(TF_BUILD_DIR));
    QVERIFY2(cpack.status == 0, qPrintable(cpack.output));
    // The name Debian gives it: package, version, architecture.
    m_package = m_dir.filePath("deb/tickforge_3.0.03_amd64.deb");
    QVERIFY2(QFileInfo::exists(m_package), qPrintable(cpack.output));
}

void TestPackage::packageFilesAndFields()
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

    // Qt found by shlibdeps, Qt's Chinese texts, opening files and folders, a project address.
    const QStringList fields{"Version: 3.0.03", "Depends: libqt5widgets5", "Depends: qttranslations5-l10n",
                             "Recommends: xdg-utils", "Maintainer: @example.org"};
    for (const QString &field : fields) {
        const Run value = run("dpkg-deb", {"--field", m_package, field.section(':', 0, 0)});
        QVERIFY2(value.status == 0 && value.output.contains(field.section(": ", 1)), qPrintable(field));
    }
}

void TestPackage::desktopEntryAndFileType_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("type");
    QTest::newRow("upper case") << "board.TFCC"
                                << "application/x-tickforge-design";
    QTest::newRow("lower case") << "board.tfcc"
                                << "application/x-tickforge-design";
    // No content magic: the same XML under another name stays plain XML.
    QTest::newRow("same content as .xml") << "board.xml"
                                          << "application/xml";
}

// The desktop entry is valid and offers itself for design files, which the
// file type knows by their name.
void TestPackage::desktopEntryAndFileType()
{
    QFETCH(QString, fileName);
    const QString entry = QStringLiteral(TF_DIST_DIR "/tickforge.desktop");
    const Run validate = run("desktop-file-validate", {entry});
    QCOMPARE(validate.output + QString::number(validate.status), QString("0"));

    const QDir data(m_dir.filePath("desktop-" + fileName));
    QVERIFY(data.mkpath("applications") && data.mkpath("mime/packages"));
    QVERIFY(QFile::copy(entry, data.filePath("applications/tickforge.desktop")));
    QVERIFY(QFile::copy(QStringLiteral(TF_DIST_DIR "/tickforge-mime.xml"),
                        data.filePath("mime/packages/tickforge.xml")));
    QCOMPARE(run("update-desktop-database", {data.filePath("applications")}).status, 0);
    QCOMPARE(run("update-mime-database", {data.filePath("mime")}).status, 0);
    const Run handler =
        run("xdg-mime", {"query", "default", "application/x-tickforge-design"}, xdgData(data.path()));
    QCOMPARE(handler.output.trimmed(), QString("tickforge.desktop"));

    const QString design = data.filePath(fileName);
    // A design's own root element, which must not serve as content magic.
    QVERIFY(!writeFile(design, "<?xml version=\"1.0\"?>\n<Configuration><MCU>QXC330</MCU></Configuration>\n")
                 .isNull());
    // The system's own types stay visible, so plain XML is recognised as such.
    const Run query = run("xdg-mime", {"query", "filetype", design}, xdgData(data.path(), "/usr/share"));
    QTEST(query.output.trimmed(), "type");
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
    QVERIFY(!writeFile(markdown, source).isNull());
    const Run render = run(QStringLiteral(TF_MANUAL_TOOL), {markdown, pdf});
    QVERIFY2(render.status == 0, qPrintable(render.output));

    const Run text = run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QCOMPARE(text.status, 0);
    // The heading's number is set off by no-break spaces.
    const QString read = QString(text.output).replace(QChar(0x00a0), QLatin1Char(' ')).simplified();
    for (const QString &word : words)
        QVERIFY2(read.contains(word), qPrintable(word + QStringLiteral(" not in: ") + read));
}

void TestPackage::versions()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY"); // --version needs no display
    for (const QString &program : {QStringLiteral(TF_PROGRAM), QStringLiteral(TF_CLI)}) {
        const Run version = run(program, {"--version"}, environment);
        QCOMPARE(QString::number(version.status) + ' ' + version.output.trimmed(),
                 "0 " + QFileInfo(program).fileName() + " 3.0.03");
    }
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"

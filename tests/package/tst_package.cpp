#include <QtTest>

#include "TableRows.h"
#include "TestHelpers.h"

#include <algorithm>

namespace {

using Run = ProgramRun;

// Runs a program to its end, its output and errors together.
ProgramRun run(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = {}, const QString &workingDir = {})
{
    ProgramRun result = runProgram(program, arguments, environment, workingDir);
    result.out = result.both();
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
    void initTestCase()
    {
        // The desktop tools are installed by tools/bootstrap.sh.
        for (const char *tool : {"dpkg-deb", "desktop-file-validate", "update-desktop-database",
                                 "update-mime-database", "xdg-mime", "pdftotext", "objdump"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
        QVERIFY(m_dir.isValid());
        // The real packages take their library dependencies from dpkg-shlibdeps,
        // which costs seconds a package: here the programs' needs are read instead.
        QFile config(QStringLiteral(TF_BUILD_DIR "/CPackConfig.cmake"));
        QVERIFY(config.open(QIODevice::ReadOnly) &&
                config.readAll().contains("\nset(CPACK_DEBIAN_PACKAGE_SHLIBDEPS \"ON\")\n"));
        // A test build has no update key: the unsigned package is made on purpose.
        // The tests run after the build, so its artefacts are packed as they are:
        // a generator without a preinstall step spares cpack a make of every target.
        const Run cpack = run(QStringLiteral(TF_CPACK),
                              {"-G", "DEB", "-D", "TF_UPDATE_UNSIGNED=ON", "-D",
                               "CPACK_CMAKE_GENERATOR=Ninja", "-D", "CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF",
                               "-B", m_dir.filePath("deb"), "--config", "CPackConfig.cmake"},
                              {}, QStringLiteral(TF_BUILD_DIR));
        QVERIFY2(cpack.status == 0, qPrintable(cpack.out));
        // The names Debian gives them: package, version, architecture.
        for (const char *package : {"tickforge", "tickforge-cli"}) {
            QVERIFY2(
                QFileInfo::exists(m_dir.filePath(QStringLiteral("deb/%1_3.0.03_amd64.deb").arg(package))),
                qPrintable(cpack.out));
        }
    }

    void packageFilesAndFields_data() { addTableRows("package_contents.tsv"); }
    void packageFilesAndFields()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, absent);
        QFETCH(QString, summary);
        const QString package = m_dir.filePath(
            QStringLiteral("deb/%1_3.0.03_amd64.deb").arg(QLatin1String(QTest::currentDataTag())));
        const Run listing = run("dpkg-deb", {"--contents", package});
        QCOMPARE(listing.status, 0);
        QStringList found; // regular files only: "-rw-r--r-- root/root 1234 2024-01-01 00:00 ./usr/bin/x"
        for (const QString &line : listing.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1Char('-')))
                found << line.section(QLatin1Char(' '), -1).mid(1);
        }
        found.sort();
        files.sort();
        QCOMPARE(found, files);

        const Run control = run("dpkg-deb", {"--field", package}); // every field, continuation lines indented
        QCOMPARE(control.status, 0);
        const QString tree = m_dir.filePath(QTest::currentDataTag());
        QCOMPARE(run("dpkg-deb", {"--extract", package, tree}).status, 0);
        QStringList needed; // the shared libraries its programs and modules need
        QStringList binaries;
        for (const char *folder : {"/usr/bin/", "/usr/lib/x86_64-linux-gnu/tickforge/"}) {
            for (const QString &file : QDir(tree + folder).entryList(QDir::Files))
                binaries << tree + folder + file;
        }
        for (const QString &binary : binaries) {
            QRegularExpressionMatchIterator it =
                QRegularExpression("^  NEEDED +(\\S+)$", QRegularExpression::MultilineOption)
                    .globalMatch(run("objdump", {"-p", binary}).out);
            while (it.hasNext())
                needed << it.next().captured(1);
        }
        const auto field = [&control, &needed](const QString &name) {
            if (name == QLatin1String("Needed"))
                return needed.join(QLatin1Char(' '));
            return QRegularExpression("^" + name + ": (.*(?:\\n .*)*)$", QRegularExpression::MultilineOption)
                .match(control.out)
                .captured(1);
        };
        for (const QString &expected : fields)
            QVERIFY2(field(expected.section(": ", 0, 0)).contains(expected.section(": ", 1)),
                     qPrintable(expected));
        for (const QString &unwanted : absent)
            QVERIFY2(!field(unwanted.section(": ", 0, 0)).contains(unwanted.section(": ", 1)),
                     qPrintable(unwanted));
        // The summary, then the extended text, each line indented by one blank; a
        // line of the text that starts with a dot is read as a control statement.
        const QStringList lines = field("Description").split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), summary);
        QVERIFY(lines.size() > 3);
        for (const QString &line : lines.mid(1)) {
            QVERIFY2(line.startsWith(QLatin1Char(' ')) && line.size() > 1 && line.at(1) != QLatin1Char(' '),
                     qPrintable(line));
            QVERIFY2(line == QLatin1String(" .") || !line.startsWith(QLatin1String(" .")), qPrintable(line));
        }
    }

    void manPages_data() { addTableRows("package_manpages.tsv"); }
    void manPages()
    {
        QFETCH(QStringList, sections);
        QFETCH(QStringList, patterns);
        const Run page =
            run("gzip", {"-dc", QStringLiteral(TF_BUILD_DIR "/dist/%1.1.gz").arg(QTest::currentDataTag())});
        QCOMPARE(page.status, 0);
        const QStringList lines = page.out.split(QLatin1Char('\n'));
        QStringList found;
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String(".SH ")))
                found << line.mid(4);
        }
        QCOMPARE(found, sections);
        for (const QString &pattern : patterns) {
            const QRegularExpression expression(pattern);
            QVERIFY2(
                std::any_of(lines.cbegin(), lines.cend(),
                            [&expression](const QString &line) { return expression.match(line).hasMatch(); }),
                qPrintable(pattern));
        }
        // The 10 row of the exit status table is a row like the others.
        if (patterns.contains(QStringLiteral("^10$")))
            QCOMPARE(lines.at(lines.indexOf(QStringLiteral("10")) - 1), QStringLiteral(".TP"));
    }

    // Without help2man the build goes on, but cpack refuses to make packages
    // without manual pages, before it builds anything.
    void packageNeedsHelp2man()
    {
        const QString build = m_dir.filePath("no-help2man");
        const Run configure =
            run(QStringLiteral(TF_CMAKE), {"-S", QStringLiteral(TF_SOURCE_DIR), "-B", build, "-G", "Ninja",
                                           "-DHELP2MAN=/nonexistent/help2man"});
        QVERIFY2(configure.status == 0, qPrintable(configure.out));
        QVERIFY2(configure.out.contains("help2man or gzip not found"), qPrintable(configure.out));
        // Should cpack go on, it fails at once instead of building this tree.
        const Run cpack = run(QStringLiteral(TF_CPACK),
                              {"-G", "DEB", "--config", "CPackConfig.cmake", "-D",
                               "CPACK_INSTALL_CMAKE_PROJECTS=/nonexistent;Tickforge;ALL;/"},
                              {}, build);
        QVERIFY(cpack.status != 0);
        QVERIFY2(cpack.out.contains("The Debian packages cannot be made:") &&
                     cpack.out.contains("help2man or gzip not found"),
                 qPrintable(cpack.out));
        QVERIFY(QDir(build).entryList({"*.deb"}, QDir::Files).isEmpty());
    }

    // A build without an update key makes no package unless one is wanted
    // unsigned on purpose: the real cpack, on a tree configured without a key.
    void packageNeedsUpdateKey_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("refused");
        QTest::newRow("no key") << QStringList{} << true;
        QTest::newRow("unsigned on purpose") << QStringList{"-D", "TF_UPDATE_UNSIGNED=ON"} << false;
    }
    void packageNeedsUpdateKey()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, refused);
        const QString build = m_dir.filePath("no-key");
        if (!QFileInfo::exists(build + "/CPackConfig.cmake")) {
            const Run configure = run(QStringLiteral(TF_CMAKE),
                                      {"-S", QStringLiteral(TF_SOURCE_DIR), "-B", build, "-G", "Ninja"});
            QVERIFY2(configure.status == 0, qPrintable(configure.out));
        }
        // Past the checks, cpack fails at once instead of building this tree.
        const Run cpack = run(QStringLiteral(TF_CPACK),
                              QStringList{"-G", "DEB", "--config", "CPackConfig.cmake", "-D",
                                          "CPACK_INSTALL_CMAKE_PROJECTS=/nonexistent;Tickforge;ALL;/"} +
                                  options,
                              {}, build);
        QVERIFY(cpack.status != 0);
        QVERIFY2(cpack.out.contains("This build has no update key") == refused, qPrintable(cpack.out));
        QVERIFY(QDir(build).entryList({"*.deb"}, QDir::Files).isEmpty());
    }

    // What the update check downloads is the desktop package alone; it must
    // install with what the Debian archive provides, on a fresh machine and
    // over the previous version of both packages. The archive stands as this
    // machine's own packages (Debian's, installed by tools/bootstrap.sh);
    // dpkg unpacks into a scratch root and checks every dependency.
    void updateInstalls_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::newRow("fresh machine") << QString();
        QTest::newRow("previous version") << QStringLiteral(
            "Package: tickforge-cli\nStatus: install ok installed\nVersion: 3.0.02\nArchitecture: amd64\n"
            "Maintainer: Tickforge developers <tickforge@example.org>\nDescription: old\n\n"
            "Package: tickforge\nStatus: install ok installed\nVersion: 3.0.02\nArchitecture: amd64\n"
            "Depends: tickforge-cli (= 3.0.02)\n"
            "Maintainer: Tickforge developers <tickforge@example.org>\nDescription: old\n\n");
    }
    void updateInstalls()
    {
        QFETCH(QString, installed);
        const QString root = m_dir.filePath(QStringLiteral("root-") + QTest::currentDataTag());
        const QString admin = root + "/var/lib/dpkg";
        QVERIFY(QDir().mkpath(admin + "/info") && QDir().mkpath(admin + "/updates"));
        QVERIFY(!writeFile(admin + "/available", {}).isNull());
        QVERIFY(!writeFile(admin + "/status", (archiveStatus() + installed).toUtf8()).isNull());
        const QString package = m_dir.filePath("deb/tickforge_3.0.03_amd64.deb");
        const Run install = run("dpkg", {"--root=" + root, "--force-not-root", "--force-script-chrootless",
                                         "--log=/dev/null", "--install", package});
        QVERIFY2(install.status == 0, qPrintable(install.out));
        const Run query =
            run("dpkg-query", {"--admindir=" + admin, "-W", "-f=${Status} ${Version}", "tickforge"});
        QCOMPARE(query.out, QString("install ok installed 3.0.03"));
    }

    void desktopEntryAndFileType_data() { addTableRows("package_filetypes.tsv"); }
    // The desktop entry is valid and offers itself for design files, which the
    // file type knows by their name. The desktop's data folder is made once.
    void desktopEntryAndFileType()
    {
        QFETCH(QString, fileName);
        const QDir data(m_dir.filePath("desktop"));
        if (!data.exists("mime/mime.cache")) {
            const QString entry = QStringLiteral(TF_DIST_DIR "/tickforge.desktop");
            const Run validate = run("desktop-file-validate", {entry});
            QCOMPARE(validate.out + QString::number(validate.status), QString("0"));
            QVERIFY(data.mkpath("applications") && data.mkpath("mime/packages"));
            QVERIFY(QFile::copy(entry, data.filePath("applications/tickforge.desktop")));
            QVERIFY(QFile::copy(QStringLiteral(TF_DIST_DIR "/tickforge-mime.xml"),
                                data.filePath("mime/packages/tickforge.xml")));
            QCOMPARE(run("update-desktop-database", {data.filePath("applications")}).status, 0);
            QCOMPARE(run("update-mime-database", {data.filePath("mime")}).status, 0);
            const Run handler =
                run("xdg-mime", {"query", "default", "application/x-tickforge-design"}, xdgData(data.path()));
            QCOMPARE(handler.out.trimmed(), QString("tickforge.desktop"));
        }

        const QString design = m_dir.filePath(fileName);
        // A design's own root element, which must not serve as content magic.
        QVERIFY(
            !writeFile(design, "<?xml version=\"1.0\"?>\n<Configuration><MCU>QXC330</MCU></Configuration>\n")
                 .isNull());
        // The system's own types stay visible, so plain XML is recognised as such.
        const Run query = run("xdg-mime", {"query", "filetype", design}, xdgData(data.path(), "/usr/share"));
        QTEST(query.out.trimmed(), "type");
    }

    void versions()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY"); // --version needs no display
        for (const QString &program : {QStringLiteral(TF_PROGRAM), QStringLiteral(TF_CLI)}) {
            const Run version = run(program, {"--version"}, environment);
            QCOMPARE(QString::number(version.status) + ' ' + version.out.trimmed(),
                     "0 " + QFileInfo(program).fileName() + " 3.0.03");
        }
    }

private:
    // This machine's installed packages, ours left out: what the archive gives.
    static QString archiveStatus()
    {
        QFile status(QStringLiteral("/var/lib/dpkg/status"));
        if (!status.open(QIODevice::ReadOnly))
            return {};
        QStringList kept;
        for (const QString &stanza : QString::fromUtf8(status.readAll()).split(QStringLiteral("\n\n"))) {
            if (!stanza.startsWith(QLatin1String("Package: tickforge")) &&
                stanza.contains(QLatin1String("\nStatus: install ok installed")))
                kept << stanza.trimmed();
        }
        return kept.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n");
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"

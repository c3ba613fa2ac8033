// Crash recovery: the copy of an unsaved design follows the edits, only the
// copies of programs that are gone are offered, and the real program killed
// after an edit offers exactly that design at its next start.
#include "RecoveryStore.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// docs/manual/designs/QXC330_USB.TFCC as the design-file writer writes it
// (hext with six decimals), with an AHB divider of its own.
QByteArray qxc330Design(int ahbDiv)
{
    // clang-format off
    const char *const elements[][2] = {
        {"MCU", "QXC330"}, {"lextbypass", "0"}, {"rtcsel", "0"}, {"rtcswitch", "0"}, {"rtcdiv", "2"},
        {"hext", "8.000000"}, {"hextbypass", "0"}, {"pllrcs", "0"}, {"pllms", "1"}, {"pllns", "72"},
        {"pllfr", "2"}, {"sclkselect", "1"}, {"ahbdiv", nullptr}, {"apb1div", "2"}, {"apb2div", "2"},
        {"usbdiv", "6.0"}, {"hicktousb", "0"}, {"tousbswitch", "0"}, {"hicktosclk", "0"}, {"clkout1", "3"},
        {"clkout1div1", "4"}, {"clkout1div2", "1"}, {"clkout1pinselect", "1"}, {"clkout2", "0"},
        {"clkout2div1", "1"}, {"clkout2div2", "1"}, {"clkout2pinselect", "0"}};
    // clang-format on
    QByteArray design = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n";
    for (const auto &e : elements)
        design += QByteArray("    <") + e[0] + '>' + (e[1] ? QByteArray(e[1]) : QByteArray::number(ahbDiv)) +
                  "</" + e[0] + ">\n";
    return design + "</Configuration>\n";
}

QStringList copiesUnder(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, {"*.tfrecovery"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    found.sort();
    return found;
}

bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A copy as an earlier program left it: the envelope written out by hand.
QByteArray envelope(const QString &source, const QString &edited, const QByteArray &design, int version = 1)
{
    QJsonObject object{{"format", "tickforge-recovery"},
                       {"version", version},
                       {"edited", edited},
                       {"source", source},
                       {"design", QString::fromUtf8(design)}};
    return QJsonDocument(object).toJson();
}

// Edits 20 ms apart for 200 ms.
void burst(RecoveryStore &store)
{
    for (int i = 0; i < 10; ++i) {
        QTest::qWait(20);
        store.designEdited();
    }
}

// The id of a process that has ended.
qint64 deadPid()
{
    QProcess process;
    process.start("true", QStringList());
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void copyFollowsTheDesign_data();
    void copyFollowsTheDesign();
    void orphans_data();
    void orphans();
    void offerText_data();
    void offerText();
    void killedAndStartedAgain_data();
    void killedAndStartedAgain();
};

void TestRecovery::initTestCase()
{
    // The offer shows local time: make it UTC for the literals below.
    qputenv("TZ", "UTC");
}

void TestRecovery::copyFollowsTheDesign_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("copy");
    // modified: the design now differs from its file (an edit); clean: saved,
    // opened or undone back; edit: a further edit; wait: the delay passes;
    // burst: edits 20 ms apart for 200 ms; end: the program ends cleanly.
    QTest::newRow("never edited") << "wait" << false;
    QTest::newRow("edited, not yet due") << "modified" << false;
    QTest::newRow("edited") << "modified wait" << true;
    QTest::newRow("saved after the copy") << "modified wait clean" << false;
    QTest::newRow("saved before the copy") << "modified clean wait" << false;
    QTest::newRow("edit while clean") << "edit wait" << false;
    QTest::newRow("edited again after a save") << "modified wait clean modified edit wait" << true;
    QTest::newRow("clean end") << "modified wait end" << false;
    // Edits that never pause are copied all the same.
    QTest::newRow("edits without a pause") << "modified burst" << true;
}

void TestRecovery::copyFollowsTheDesign()
{
    QFETCH(QString, events);
    QFETCH(bool, copy);
    QTemporaryDir dir;
    auto store = std::make_unique<RecoveryStore>(dir.filePath("recovery"));
    store->setDelay(50);
    store->setSnapshot([] { return qxc330Design(4); });
    store->setSourceFile("/designs/board.TFCC");
    const QDateTime before = QDateTime::currentDateTimeUtc();
    for (const QString &event : events.split(' ')) {
        if (event == "modified" || event == "clean")
            store->setModified(event == "modified");
        else if (event == "edit")
            store->designEdited();
        else if (event == "burst")
            burst(*store);
        else if (event == "wait")
            QTest::qWait(200);
        else if (event == "end")
            store.reset();
    }
    const QStringList copies = copiesUnder(dir.path());
    QCOMPARE(copies.size(), copy ? 1 : 0);
    // The lock goes with the copy.
    QCOMPARE(QDir(dir.filePath("recovery")).entryList({"*.lock"}).size(), copy ? 1 : 0);
    if (!copy)
        return;
    QFile file(copies.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(object.value("design").toString().toUtf8(), qxc330Design(4));
    QCOMPARE(object.value("source").toString(), QString("/designs/board.TFCC"));
    const QDateTime edited = QDateTime::fromString(object.value("edited").toString(), Qt::ISODateWithMs);
    QVERIFY(edited >= before.addMSecs(-1) && edited <= QDateTime::currentDateTimeUtc());
}

void TestRecovery::orphans_data()
{
    QTest::addColumn<QStringList>("copies");  // "kind source hour" each
    QTest::addColumn<QStringList>("offered"); // sources, in the order offered
    // killed: its lock names a process that has ended; unlocked: no lock file
    // (removed by hand); running: another program holds it; reserved:
    // another start is offering it; damaged, version 2, unknown series:
    // copies this program can't read.
    QTest::newRow("killed") << QStringList{"killed a 10"} << QStringList{"a"};
    QTest::newRow("unlocked") << QStringList{"unlocked a 10"} << QStringList{"a"};
    QTest::newRow("newest first") << QStringList{"killed a 10", "unlocked b 12", "killed c 11"}
                                  << QStringList{"b", "c", "a"};
    QTest::newRow("running program's copy") << QStringList{"running a 10", "killed b 09"} << QStringList{"b"};
    QTest::newRow("offered by another start") << QStringList{"reserved a 10"} << QStringList();
    QTest::newRow("unreadable copies")
        << QStringList{"damaged a 10", "version2 b 10", "unknown c 10", "killed d 08"} << QStringList{"d"};
}

void TestRecovery::orphans()
{
    QFETCH(QStringList, copies);
    QFETCH(QStringList, offered);
    QTemporaryDir dir;
    const QString folder = dir.filePath("recovery");
    QVERIFY(QDir().mkpath(folder));
    std::vector<std::unique_ptr<RecoveryStore>> others;
    for (const QString &entry : copies) {
        const QStringList parts = entry.split(' ');
        const QString kind = parts.at(0), source = parts.at(1);
        const QString edited = QString("2026-12-06T%1:00:00.000Z").arg(parts.at(2));
        if (kind == "running") {
            others.push_back(std::make_unique<RecoveryStore>(folder));
            others.back()->setSnapshot([] { return qxc330Design(2); });
            others.back()->setSourceFile(source);
            others.back()->setModified(true);
            QVERIFY(others.back()->flush());
            continue;
        }
        const QString file = QDir(folder).filePath(source + ".tfrecovery");
        QByteArray data = envelope(source, edited, qxc330Design(8));
        if (kind == "damaged")
            data = "{\"format\": \"tickforge-recovery\", \"version\": 1, \"design\": \"<Config";
        else if (kind == "version2")
            data = envelope(source, edited, qxc330Design(8), 2);
        else if (kind == "unknown")
            data = envelope(source, edited, QByteArray(qxc330Design(8)).replace("QXC330", "QXZ999"));
        QVERIFY(writeBytes(file, data));
        if (kind != "unlocked") {
            // What QLockFile leaves behind: pid, program, host.
            const QByteArray lock =
                QByteArray::number(deadPid()) + "\ntickforge\n" + QSysInfo::machineHostName().toUtf8() + "\n";
            QVERIFY(writeBytes(QDir(folder).filePath(source + ".lock"), lock));
        }
        if (kind == "reserved") {
            others.push_back(std::make_unique<RecoveryStore>(folder));
            QCOMPARE(others.back()->orphans().size(), 1);
        }
    }

    RecoveryStore store(folder);
    store.setSnapshot([] { return qxc330Design(16); });
    store.setModified(true);
    QVERIFY(store.flush()); // this program's own copy is never its own orphan
    QStringList sources;
    const QVector<RecoveryStore::Copy> found = store.orphans();
    for (const RecoveryStore::Copy &copy : found)
        sources << copy.source;
    QCOMPARE(sources, offered);
    // A second start meanwhile finds none of them: they are reserved.
    RecoveryStore second(folder);
    QCOMPARE(second.orphans().size(), 0);
    // Looking removes nothing, unreadable copies included; declining
    // removes the copy declined only.
    QCOMPARE(copiesUnder(folder).size(), copies.size() + 1);
    if (!found.isEmpty()) {
        QVERIFY(store.discard(found.first()));
        QVERIFY(!QFile::exists(found.first().file));
        QCOMPARE(copiesUnder(folder).size(), copies.size());
    }
    // Another program's copy is its own still.
    for (const auto &other : others) {
        if (QFile::exists(other->copyFile()))
            QCOMPARE(RecoveryStore::read(other->copyFile()).design, qxc330Design(2));
    }
}

void TestRecovery::offerText_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("opened design") << ""
                                   << "/home/u/board.TFCC"
                                   << "Tickforge did not close properly, and a design had unsaved edits. "
                                      "Restore it?\n\nSeries: QXC330\nDesign file: /home/u/board.TFCC\n"
                                      "Last edited: 2026-12-06 22:30:05";
    QTest::newRow("new design, Chinese")
        << ":/image/tr_zh.qm"
        << ""
        << QString::fromUtf8("Tickforge 上次未正常关闭，有一个设计的修改尚未保存。是否恢复？\n\n"
                             "系列：QXC330\n设计文件：无（新建的设计）\n"
                             "最后编辑：2026-12-06 22:30:05");
}

void TestRecovery::offerText()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    if (!catalogue.isEmpty()) {
        QVERIFY(translator.load(catalogue));
        QCoreApplication::installTranslator(&translator);
    }
    RecoveryStore::Copy copy;
    copy.seriesName = "QXC330";
    copy.source = source;
    copy.edited = QDateTime(QDate(2026, 12, 6), QTime(22, 30, 5), Qt::UTC);
    QCOMPARE(RecoveryStore::offerText(copy), expected);
    QCoreApplication::removeTranslator(&translator);
}

void TestRecovery::killedAndStartedAgain_data()
{
    QTest::addColumn<QString>("first"); // script of the first run, then it is killed
    QTest::addColumn<int>("copiesAtKill");
    QTest::addColumn<QString>("second"); // script of the next start
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("title");   // after the next start
    QTest::addColumn<QString>("outcome"); // restored, kept (the killed copy) or none
    const QString edit = "choose ahbdiv 2\n";
    QTest::newRow("restored") << edit << 1 << "answer Yes\n"
                              << true << "Tickforge*"
                              << "restored";
    QTest::newRow("declined") << edit << 1 << "answer No\n"
                              << true << "Tickforge"
                              << "none";
    QTest::newRow("put off") << edit << 1 << "answer Cancel\n"
                             << true << "Tickforge"
                             << "kept";
    QTest::newRow("saved, then killed") << edit + "wait 1500\npath SAVED\nanswer Ok\nsave\n"
                                        << 0 << "" << false << "Tickforge"
                                        << "none";
    // Ends by itself: the close is answered Yes.
    QTest::newRow("closed") << edit + "wait 1500\nanswer Yes\nclose\n"
                            << -1 << "" << false << "Tickforge"
                            << "none";
}

void TestRecovery::killedAndStartedAgain()
{
    QFETCH(QString, first);
    QFETCH(int, copiesAtKill);
    QFETCH(QString, second);
    QFETCH(bool, offered);
    QFETCH(QString, title);
    QFETCH(QString, outcome);

    QTemporaryDir dir;
    const QString data = dir.filePath("data");
    const QString board = dir.filePath("board.TFCC");
    QVERIFY(QFile::copy(TF_SOURCE_DIR "/docs/manual/designs/QXC330_USB.TFCC", board));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", data);
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("LANG", "C.UTF-8");
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("TZ", "UTC");
    // Runs the program with a script; its steps end by printing the title.
    const auto start = [&](QProcess &process, const QString &name, QString script, const QStringList &args) {
        script.replace("SAVED", dir.filePath("saved.TFCC"));
        QVERIFY(writeBytes(dir.filePath(name), (script + "title\n").toUtf8()));
        env.insert("TICKFORGE_TEST_SCRIPT", dir.filePath(name));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(TICKFORGE, args);
        QVERIFY(process.waitForStarted());
    };
    QString output;
    const auto waitForTitle = [&output](QProcess &process) {
        for (int i = 0; i < 200 && !output.contains("\ntitle ") && !output.startsWith("title "); ++i) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAllStandardOutput());
        }
        return output.contains("title ");
    };

    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QProcess run;
    start(run, "first", first, {board});
    if (copiesAtKill < 0) {
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
    } else {
        QVERIFY2(waitForTitle(run), qPrintable(output));
        if (copiesAtKill > 0)
            QTRY_COMPARE_WITH_TIMEOUT(copiesUnder(data).size(), copiesAtKill, 10000);
        else
            QVERIFY(QFile::exists(dir.filePath("saved.TFCC")));
        run.kill(); // SIGKILL: nothing of the program's own ending runs
        QVERIFY(run.waitForFinished(5000));
    }
    QCOMPARE(copiesUnder(data).size(), qMax(copiesAtKill, 0));
    const QStringList killedCopies = copiesUnder(data);
    const QDateTime after = QDateTime::currentDateTimeUtc();

    output.clear();
    QProcess next;
    start(next, "second", second, {});
    QVERIFY2(waitForTitle(next), qPrintable(output));
    const QRegularExpressionMatch offer =
        QRegularExpression("message Restore design \\| .*Series: QXC330\\\\nDesign file: (.*)\\\\n"
                           "Last edited: (\\S+ \\S+)")
            .match(output);
    QCOMPARE(offer.hasMatch(), offered);
    QVERIFY2(output.contains("\ntitle " + title + "\n") || output.startsWith("title " + title + "\n"),
             qPrintable(output));
    if (offered) {
        QCOMPARE(offer.captured(1), board);
        QDateTime edited = QDateTime::fromString(offer.captured(2), "yyyy-MM-dd HH:mm:ss");
        edited.setTimeSpec(Qt::UTC); // the program ran with TZ=UTC
        QVERIFY2(edited >= before && edited <= after, qPrintable(offer.captured(2)));
    }
    if (outcome == "restored") {
        // The restored design is unsaved again: the new program keeps its own
        // copy of it, and the killed program's copy is gone.
        QTRY_COMPARE_WITH_TIMEOUT(copiesUnder(data).size(), 1, 10000);
        QVERIFY(copiesUnder(data) != killedCopies);
        QCOMPARE(RecoveryStore::read(copiesUnder(data).first()).design, qxc330Design(4));
    } else {
        QCOMPARE(copiesUnder(data), outcome == "kept" ? killedCopies : QStringList());
    }
    next.kill();
    next.waitForFinished(5000);
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"

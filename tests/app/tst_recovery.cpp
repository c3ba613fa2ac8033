// Crash recovery: the copy of an unsaved design follows the edits, only the
// copies of programs that are gone are offered, and the program killed after
// an edit offers exactly that design at its next start (tickforge-scripted:
// the program's own start-up, its dialogs answered from a script).
#include "RecoveryStore.h"

#include <QtTest>

#include "TableRows.h"
#include "TestHelpers.h"

#include <memory>

namespace {

// docs/manual/designs/QXC330_USB.TFCC as the design-file writer writes it
// (hext with six decimals), with an AHB divider of its own.
QByteArray qxc330Design(int ahbDiv)
{
    QFile file(TF_SOURCE_DIR "/docs/manual/designs/QXC330_USB.TFCC");
    return file.open(QIODevice::ReadOnly)
               ? file.readAll()
                     .replace("<hext>8<", "<hext>8.000000<")
                     .replace("<ahbdiv>1<", "<ahbdiv>" + QByteArray::number(ahbDiv) + '<')
               : QByteArray();
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

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The offer shows local time: make it UTC for the literals below.
        qputenv("TZ", "UTC");
    }

    void copyFollowsTheDesign_data() { addTableRows("recovery_edits.tsv"); }
    void copyFollowsTheDesign()
    {
        QFETCH(QString, events);
        QFETCH(bool, copy);
        QTemporaryDir dir;
        auto store = std::make_unique<RecoveryStore>(dir.filePath("recovery"));
        store->setDelay(40);
        store->setSnapshot([] { return qxc330Design(4); });
        store->setSourceFile("/designs/board.TFCC");
        const QDateTime before = QDateTime::currentDateTimeUtc();
        for (const QString &event : events.split(' ')) {
            if (event == "modified" || event == "clean")
                store->setModified(event == "modified");
            else if (event == "edit")
                store->designEdited();
            else if (event == "burst") // edits 15 ms apart for 150 ms
                for (int i = 0; i < 10; ++i, store->designEdited())
                    QTest::qWait(15);
            else if (event == "wait")
                QTest::qWait(120);
            else if (event == "end")
                store.reset();
        }
        const QStringList copies = copiesUnder(dir.path());
        QCOMPARE(copies.size(), copy ? 1 : 0);
        // The lock goes with the copy.
        QCOMPARE(QDir(dir.filePath("recovery")).entryList({"*.lock"}).size(), copies.size());
        if (copies.isEmpty())
            return;
        QFile file(copies.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(object.value("design").toString().toUtf8(), qxc330Design(4));
        QCOMPARE(object.value("source").toString(), QString("/designs/board.TFCC"));
        const QDateTime edited = QDateTime::fromString(object.value("edited").toString(), Qt::ISODateWithMs);
        QVERIFY(edited >= before.addMSecs(-1) && edited <= QDateTime::currentDateTimeUtc());
    }

    void orphans_data() { addTableRows("recovery_orphans.tsv"); }
    void orphans()
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
            QVERIFY(!writeFile(file, data).isNull());
            if (kind != "unlocked") {
                // What QLockFile leaves behind: pid (above any Linux hands out), program, host.
                const QByteArray lock =
                    "2147483646\ntickforge\n" + QSysInfo::machineHostName().toUtf8() + "\n";
                QVERIFY(!writeFile(QDir(folder).filePath(source + ".lock"), lock).isNull());
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

    void offerText_data() { addTableRows("recovery_offers.tsv"); }
    void offerText()
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

    void killedAndStartedAgain_data() { addTableRows("recovery_restarts.tsv"); }
    void killedAndStartedAgain()
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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // offscreen, C.UTF-8, UTC
        env.insert("XDG_DATA_HOME", data);
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        // Runs the program with a script; its steps end by printing the title.
        const auto start = [&](QProcess &process, const QString &name, QString script,
                               const QStringList &args) {
            script.replace("SAVED", dir.filePath("saved.TFCC"));
            QVERIFY(!writeFile(dir.filePath(name), (script + "\ntitle\n").toUtf8()).isNull());
            env.insert("TICKFORGE_TEST_SCRIPT", dir.filePath(name));
            process.setProcessEnvironment(env);
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process.start(TICKFORGE_SCRIPTED, args);
            QVERIFY(process.waitForStarted());
        };
        QString output;
        const QRegularExpression titled("(^|\n)title ");

        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QProcess run;
        start(run, "first", first, {board});
        if (copiesAtKill < 0) {
            QVERIFY(run.waitForFinished(20000));
            QCOMPARE(run.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.exitCode(), 0);
        } else {
            QTRY_VERIFY2_WITH_TIMEOUT((output += run.readAllStandardOutput()).contains(titled),
                                      qPrintable(output), 20000);
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
        QTRY_VERIFY2_WITH_TIMEOUT((output += next.readAllStandardOutput()).contains(titled),
                                  qPrintable(output), 20000);
        const QRegularExpressionMatch offer =
            QRegularExpression("message Restore design \\| .*Series: QXC330\\\\nDesign file: (.*)\\\\n"
                               "Last edited: (\\S+ \\S+)")
                .match(output);
        QCOMPARE(offer.hasMatch(), offered);
        QVERIFY2(output.contains("\ntitle " + title + "\n") || output.startsWith("title " + title + "\n"),
                 qPrintable(output));
        if (offer.hasMatch()) {
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
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"

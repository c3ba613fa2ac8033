#include "FailDevice.h"
#include "SafeSave.h"
#include "SmallDisk.h"
#include "TestHelpers.h"
#include "TableRows.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestSafeSave : public QObject {
    Q_OBJECT

private slots:
    void save_data() { addTableRows("safesave_save.tsv"); }
    // A failed save leaves the old file byte for byte and no other file behind.
    void save()
    {
        QFETCH(QString, target);
        QFETCH(int, sizeLimit);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        QFile old(dir.filePath("old.txt"));
        QVERIFY(QDir(dir.path()).mkdir("folder") && old.open(QIODevice::WriteOnly) &&
                old.write("old contents") == 12);
        old.close();
        const QByteArray data(100000, 'x');
        rlimit fileSize{};
        getrlimit(RLIMIT_FSIZE, &fileSize);
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = fileSize;
            small.rlim_cur = rlim_t(sizeLimit);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        QString error;
        const bool ok = saveFileSafely(dir.filePath(target), data, &error);
        setrlimit(RLIMIT_FSIZE, &fileSize);
        QCOMPARE(ok, saved);
        QCOMPARE(error.isEmpty(), saved);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), saved && target == "old.txt" ? data : QByteArray("old contents"));
        const QStringList expected = saved && target == "new.txt"
                                         ? QStringList{"folder", "new.txt", "old.txt"}
                                         : QStringList{"folder", "old.txt"};
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 expected);
        QFile written(dir.filePath(target));
        QVERIFY(!saved || (written.open(QIODevice::ReadOnly) && written.readAll() == data));
    }

    void fullDisk_data() { addTableRows("safesave_fulldisk.tsv"); }
    void fullDisk()
    {
        QFETCH(QString, disk);
        QFETCH(int, bytes);
        QTemporaryDir dir;
        SmallDisk small(dir.path(), 256 * 1024);
        if (!small.isMounted())
            QSKIP(qPrintable(small.reason()));
        const QString target = dir.filePath("design.TFCC");
        QVERIFY(!writeFile(target, "old contents").isNull());
        QVERIFY(disk != "full" || small.fill());
        QString error;
        QVERIFY(!saveFileSafely(target, QByteArray(bytes, 'x'), &error));
        small.empty();
        QCOMPARE(error, QString("The disk is full."));
        QFile old(target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"design.TFCC"});
    }

    // Every short or failed write is reported.
    void failingDevice()
    {
        for (int failAfter : {0, 3, 9, 10}) {
            FailDevice device(failAfter);
            QVERIFY(device.open(QIODevice::WriteOnly));
            QCOMPARE(writeFully(device, "0123456789"), failAfter == 10);
        }
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safesave.moc"

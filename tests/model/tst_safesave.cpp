#include "FailDevice.h"
#include "SafeSave.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QtTest>

#include <csignal>
#include <memory>
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

    void staged_data() { addTableRows("safesave_staged.tsv"); }
    void staged()
    {
        QFETCH(QString, target);
        QFETCH(QString, disk);
        QFETCH(bool, commit);
        QFETCH(bool, saved);
        QTemporaryDir dir, outside;
        std::unique_ptr<SmallDisk> small;
        if (disk == "full") {
            small.reset(new SmallDisk(dir.path(), 256 * 1024));
            if (!small->isMounted())
                QSKIP(qPrintable(small->reason()));
        }
        const QString name = dir.filePath("Tool.zip"), elsewhere = outside.filePath("Target.zip");
        QVERIFY(!writeFile(elsewhere, "elsewhere").isNull());
        if (target == "file") {
            QVERIFY(!writeFile(name, "old").isNull());
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        } else if (target != "none") {
            QVERIFY(QFile::link(target == "link" ? elsewhere : outside.filePath("Missing.zip"), name));
        }
        QVERIFY(!small || small->fill());
        QByteArray data(300000, Qt::Uninitialized);
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i * 7 + i / 251);
        bool done = false;
        {
            StagedFile file(name);
            QByteArray back;
            done =
                file.open() && file.write(data.constData(), data.size()) && file.sync() &&
                file.sizeOnDisk() == data.size() &&
                file.readBack([&back](const char *bytes, qint64 size) { back.append(bytes, int(size)); }) &&
                back == data && (!commit || file.commit());
            QCOMPARE(isDiskFull(file.errorNumber()), disk == "full");
        }
        if (small)
            small->empty();
        QCOMPARE(done && commit, saved);
        QFile result(name);
        // Through a link that stays, the file it names.
        const QByteArray expected = saved              ? data
                                    : target == "file" ? QByteArray("old")
                                    : target == "link" ? QByteArray("elsewhere")
                                                       : QByteArray();
        QCOMPARE(result.open(QIODevice::ReadOnly) ? result.readAll() : QByteArray(), expected);
        QCOMPARE(QFileInfo(name).isSymLink(), !saved && (target == "link" || target == "dangling"));
        if (saved && target == "file")
            QCOMPARE(int(QFile::permissions(name) & 0x77), int(QFile::ReadGroup)); // group and others: 0640
        // Nothing else is left, and what a link named is as it was.
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            saved || target != "none" ? QStringList{"Tool.zip"} : QStringList());
        QFile other(elsewhere);
        QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == "elsewhere");
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

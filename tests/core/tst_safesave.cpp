#include "FailDevice.h"
#include "SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSafeSave : public QObject {
    Q_OBJECT

private slots:
    void writesNewAndReplacesOld();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
    void deviceFailingMidWriteIsReported_data();
    void deviceFailingMidWriteIsReported();
};

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void TestSafeSave::writesNewAndReplacesOld()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(saveFileSafely(path, "first"));
    QCOMPARE(readAll(path), QByteArray("first"));
    QVERIFY(saveFileSafely(path, "second, longer"));
    QCOMPARE(readAll(path), QByteArray("second, longer"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
}

void TestSafeSave::failureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("missing parent folder") << QStringLiteral("missing/a.txt");
}

void TestSafeSave::failureKeepsOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QString error;
    QVERIFY(!saveFileSafely(dir.filePath(target), "data", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
}

void TestSafeSave::deviceFailingMidWriteIsReported_data()
{
    QTest::addColumn<int>("failAfter");
    QTest::newRow("at once") << 0;
    QTest::newRow("mid-write") << 3;
    QTest::newRow("one byte short") << 9;
}

void TestSafeSave::deviceFailingMidWriteIsReported()
{
    QFETCH(int, failAfter);
    FailDevice device(failAfter);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QVERIFY(!writeFully(device, "0123456789"));
    FailDevice roomy(100);
    QVERIFY(roomy.open(QIODevice::WriteOnly));
    QVERIFY(writeFully(roomy, "0123456789"));
}

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safesave.moc"

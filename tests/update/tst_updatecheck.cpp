#include <QtTest>
class TestUpdateCheck : public QObject {
    Q_OBJECT private slots : void placeholder() { QVERIFY(true); }
};
QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

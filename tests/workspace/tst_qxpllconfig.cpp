#include "QXPLLConfig.h"

#include "FakeSeries.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "TestHelpers.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

// The host over a fake series; each test starts with QXC330 open and zoomed in.
class TestQXPLLConfig : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_host; }

    void toolbar();
    void createSeries_data();
    void createSeries();
    void openDesign_data();
    void openDesign();
    void configReset_data();
    void configReset();

private:
    // The QXC330 design opened in init() is untouched and one warning was shown.
    void verifyRefused(const ScriptedDialogs &dialogs, const QTransform &zoom, const QString &warning);
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_host->currentWidget()); }

    QXPLLConfig *m_host = nullptr;
    QPointer<QXMCUPLL> m_first;
    QTemporaryDir m_dir;
};

void TestQXPLLConfig::init()
{
    m_host = new QXPLLConfig;
    m_host->setSeriesFactory(makeFakeSeries);
    m_host->show();
    m_host->createSeries(13);
    m_first = m_host->currentWidget();
    for (int i = 0; i < 7; ++i)
        m_first->graphicsView()->zoomIn();
    current()->calls.clear();
}

void TestQXPLLConfig::verifyRefused(const ScriptedDialogs &dialogs, const QTransform &zoom,
                                    const QString &warning)
{
    QCOMPARE(m_host->currentWidget(), m_first.data());
    QCOMPARE(m_host->seriesId(), 13);
    QCOMPARE(m_first->graphicsView()->transform(), zoom);
    QCOMPARE(current()->calls, QStringList());
    QCOMPARE(dialogs.texts(), QStringList{warning});
    QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
    QCOMPARE(dialogs.last()->buttonLabels, QStringList{"Ok"});
}

void TestQXPLLConfig::toolbar()
{
    const QList<QAction *> actions = m_host->toolbar()->actions();
    QAction *spacer = actions.value(3);
    QCOMPARE(actions, (QList<QAction *>{m_host->zoomInAction(), m_host->zoomResetAction(),
                                        m_host->zoomOutAction(), spacer, m_host->configResetAction(),
                                        m_host->undoAction(), m_host->redoAction()}));
    // Nothing to step through in a design just created.
    QVERIFY(!m_host->undoAction()->isEnabled());
    QVERIFY(!m_host->redoAction()->isEnabled());
    QVERIFY(m_host->undoAction()->shortcuts().contains(QKeySequence("Ctrl+Z")));
    QVERIFY(m_host->redoAction()->shortcuts().contains(QKeySequence("Ctrl+Y")));
    QVERIFY(m_host->redoAction()->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
    QVERIFY(qobject_cast<QLabel *>(m_host->toolbar()->widgetForAction(spacer)));
    for (QAction *action : actions)
        QVERIFY2(action == spacer || !action->icon().isNull(), qPrintable(action->text()));
    m_host->zoomResetAction()->trigger();
    m_host->zoomInAction()->trigger();
    m_host->zoomOutAction()->trigger();
    QCOMPARE(current()->graphicsView()->transform().m11(), double(1.03f) * double(0.97f));

    // Without a series every command is harmless and asks nothing.
    delete m_host;
    m_host = new QXPLLConfig;
    m_host->show();
    QVERIFY(!m_host->toolbarHolder()->isVisible());
    ScriptedDialogs dialogs;
    m_host->ZoomIn();
    m_host->ZoomOut();
    m_host->ZoomReset();
    m_host->saveDesign();
    m_host->generateDesign();
    m_host->ConfigReset();
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXPLLConfig::createSeries_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("shown"); // else refused: the open design stays
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << series.id << (series.id != LackingSeriesId);
    for (int id : {0, 12, 18})
        QTest::newRow(qPrintable(QString("id %1").arg(id))) << id << false;
}

void TestQXPLLConfig::createSeries()
{
    QFETCH(int, seriesId);
    QFETCH(bool, shown);
    ScriptedDialogs dialogs;
    const QTransform zoom = m_first->graphicsView()->transform();
    QCOMPARE(m_host->createSeries(seriesId), shown);
    QVERIFY(m_host->toolbarHolder()->isVisible());
    if (!shown) {
        verifyRefused(dialogs, zoom, "This series is not available in this version.");
        return;
    }
    QVERIFY(m_first.isNull());
    QCOMPARE(current()->seriesId(), seriesId);
    QCOMPARE(current()->graphicsView()->transform().m11(), 1.0);
    // Save and generate go to the open series, with its name.
    m_host->saveDesign();
    m_host->generateDesign();
    const QString name = SeriesTable::byId(seriesId)->seriesName();
    QCOMPARE(current()->calls, (QStringList{"reset", "save:" + name, "generate"}));
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXPLLConfig::openDesign_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expectedId"); // 0: refused, the open configuration stays
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << designNaming(series.seriesName())
                                   << (series.id == LackingSeriesId ? 0 : series.id);
    QTest::newRow("unknown series") << designNaming("QXC999") << 0;
    QTest::newRow("trailing blank") << designNaming("QXC330 ") << 0;
    QTest::newRow("no MCU element") << QByteArray("<TFCC><HEXT>8</HEXT></TFCC>") << 0;
    QTest::newRow("broken XML") << QByteArray("<TFCC><MCU>QXC330</TFCC>") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void TestQXPLLConfig::openDesign()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expectedId);
    ScriptedDialogs dialogs;
    const QString path = writeFile(m_dir.filePath("design.TFCC"), content);
    QVERIFY(!path.isNull());
    const QTransform zoom = m_first->graphicsView()->transform();

    QString name = "unchanged";
    QCOMPARE(m_host->openDesign(path, name), expectedId != 0);
    QVERIFY(m_host->toolbarHolder()->isVisible());
    if (expectedId) {
        const QString expectedName = SeriesTable::byId(expectedId)->seriesName();
        QCOMPARE(m_host->mcuName(), expectedName);
        QCOMPARE(name, expectedName);
        QCOMPARE(current()->seriesId(), expectedId);
        QCOMPARE(current()->graphicsView()->transform().m11(), 1.0);
        QCOMPARE(current()->calls, QStringList{"load:" + path}); // the file overrides the defaults
        QCOMPARE(dialogs.requests.size(), 0);
    } else {
        QCOMPARE(name, QString("unchanged"));
        QCOMPARE(m_host->mcuName(), QString(""));
        verifyRefused(dialogs, zoom, "MCU in file not supported.");
    }
}

void TestQXPLLConfig::configReset_data()
{
    QTest::addColumn<int>("answer"); // 0: Escape
    QTest::newRow("yes") << int(QMessageBox::Yes);
    QTest::newRow("cancel") << int(QMessageBox::Cancel);
    QTest::newRow("escape") << 0;
}

void TestQXPLLConfig::configReset()
{
    QFETCH(int, answer);
    ScriptedDialogs dialogs;
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));
    m_host->configResetAction()->trigger();
    QCOMPARE(dialogs.texts(),
             QStringList{"The current configuration will be reset. Please confirm whether to continue?"});
    QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"Yes", "Cancel"}));
    QCOMPARE(current()->calls, answer == QMessageBox::Yes ? QStringList{"reset"} : QStringList());
}

QTEST_MAIN(TestQXPLLConfig)
#include "tst_qxpllconfig.moc"

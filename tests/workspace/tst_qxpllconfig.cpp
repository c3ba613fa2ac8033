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
#include <QTranslator>
#include <QtTest>

class TestQXPLLConfig : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_host; }

    void toolbar();
    void createSeries_data();
    void createSeries();
    void createSeriesReplacesAndStartsAtOneToOne();
    void openDesign_data();
    void openDesign();
    void unsupportedFileKeepsOpenConfiguration_data();
    void unsupportedFileKeepsOpenConfiguration();
    void configReset_data();
    void configReset();
    void toolbarZoomReachesView();
    void commandsWithoutSeriesAreHarmless();
    void retranslateFollowsCatalogue();

private:
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_host->currentWidget()); }

    QXPLLConfig *m_host = nullptr;
    QTemporaryDir m_dir;
};

void TestQXPLLConfig::init()
{
    QVERIFY(m_dir.isValid());
    m_host = new QXPLLConfig;
    m_host->setSeriesFactory(makeFakeSeries);
    m_host->resize(800, 600);
    m_host->show();
}

void TestQXPLLConfig::toolbar()
{
    QVERIFY(!m_host->toolbarHolder()->isVisible());
    const QList<QAction *> actions = m_host->toolbar()->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions.at(0), m_host->zoomInAction());
    QCOMPARE(actions.at(1), m_host->zoomResetAction());
    QCOMPARE(actions.at(2), m_host->zoomOutAction());
    QVERIFY(qobject_cast<QLabel *>(m_host->toolbar()->widgetForAction(actions.at(3))));
    QCOMPARE(actions.at(4), m_host->configResetAction());
    for (QAction *action : {actions.at(0), actions.at(1), actions.at(2), actions.at(4)})
        QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
}

void TestQXPLLConfig::createSeries_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("exists");
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << series.id << true;
    for (int id : {0, 1, 12, 18, -1})
        QTest::newRow(qPrintable(QString("id %1").arg(id))) << id << false;
}

void TestQXPLLConfig::createSeries()
{
    QFETCH(int, seriesId);
    QFETCH(bool, exists);
    m_host->createSeries(seriesId);
    QCOMPARE(m_host->hasConfiguration(), exists);
    QCOMPARE(m_host->toolbarHolder()->isVisible(), exists);
    if (!exists)
        return;
    QCOMPARE(current()->seriesId(), seriesId);
    QCOMPARE(current()->parentWidget(), m_host);
    QCOMPARE(current()->graphicsView()->scaleValue(), 1.0);
    // Save and generate go to the open series, with its name.
    m_host->saveDesign();
    m_host->generateDesign();
    QCOMPARE(current()->calls,
             (QStringList{"reset", "save:" + SeriesTable::byId(seriesId)->seriesName(), "generate"}));
}

void TestQXPLLConfig::createSeriesReplacesAndStartsAtOneToOne()
{
    m_host->createSeries(13);
    QPointer<QXMCUPLL> first = m_host->currentWidget();
    first->graphicsView()->zoomIn();
    m_host->createSeries(2);
    QVERIFY(first.isNull());
    QCOMPARE(m_host->findChildren<QXMCUPLL *>().size(), 1);
    QCOMPARE(current()->seriesId(), 2);
    QCOMPARE(current()->graphicsView()->transform().m11(), 1.0);
}

void TestQXPLLConfig::openDesign_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expectedId");
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << designNaming(series.seriesName()) << series.id;
    QTest::newRow("lower case") << designNaming("qxc330") << 0;
    QTest::newRow("trailing blank") << designNaming("QXC330 ") << 0;
    QTest::newRow("prefix of a name") << designNaming("QXC30") << 0;
    QTest::newRow("no MCU element") << QByteArray("<TFCC><HEXT>8</HEXT></TFCC>") << 0;
    QTest::newRow("not XML") << QByteArray("MCU=QXC330") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void TestQXPLLConfig::openDesign()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expectedId);
    ScriptedDialogs dialogs;
    const QString path = writeFile(m_dir.filePath("design.TFCC"), content);
    QVERIFY(!path.isNull());

    QString name = "unchanged";
    QCOMPARE(m_host->openDesign(path, name), expectedId != 0);

    const QString expectedName = expectedId ? SeriesTable::byId(expectedId)->seriesName() : QString();
    QCOMPARE(m_host->mcuName(), expectedName);
    QCOMPARE(name, expectedId ? expectedName : QString("unchanged"));
    QCOMPARE(m_host->toolbarHolder()->isVisible(), expectedId != 0);
    if (expectedId) {
        QCOMPARE(current()->seriesId(), expectedId);
        // The file overrides the defaults: loaded, never reset.
        QCOMPARE(current()->calls, QStringList{"load:" + path});
        QCOMPARE(dialogs.requests.size(), 0);
    } else {
        QCOMPARE(dialogs.texts(), QStringList{"MCU in file not supported."});
        QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
        QCOMPARE(dialogs.last()->title, QString("Warning"));
        QCOMPARE(dialogs.last()->buttonLabels, QStringList{"Ok"});
    }
}

void TestQXPLLConfig::unsupportedFileKeepsOpenConfiguration_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unknown series") << designNaming("QXC999");
    QTest::newRow("no MCU element") << QByteArray("<TFCC/>");
    QTest::newRow("broken XML") << QByteArray("<TFCC><MCU>QXC330</TFCC>");
}

void TestQXPLLConfig::unsupportedFileKeepsOpenConfiguration()
{
    QFETCH(QByteArray, content);
    ScriptedDialogs dialogs;
    m_host->createSeries(13);
    QPointer<QXMCUPLL> open = m_host->currentWidget();
    PinGraphicsView *view = open->graphicsView();
    for (int i = 0; i < 7; ++i)
        view->zoomIn();
    const QTransform zoom = view->transform();
    const double scale = view->scaleValue();

    QString name = "QXC330";
    QVERIFY(!m_host->openDesign(writeFile(m_dir.filePath("other.TFCC"), content), name));

    QCOMPARE(m_host->currentWidget(), open.data());
    QCOMPARE(m_host->seriesId(), 13);
    QCOMPARE(name, QString("QXC330"));
    QVERIFY(m_host->toolbarHolder()->isVisible());
    QCOMPARE(view->transform(), zoom);
    QCOMPARE(view->scaleValue(), scale);
    QCOMPARE(current()->calls, QStringList{"reset"});
    QCOMPARE(dialogs.texts(), QStringList{"MCU in file not supported."});
}

void TestQXPLLConfig::configReset_data()
{
    QTest::addColumn<int>("answer"); // a standard button, or 0 for "no scripted answer" (Escape)
    QTest::newRow("yes") << int(QMessageBox::Yes);
    QTest::newRow("cancel") << int(QMessageBox::Cancel);
    QTest::newRow("escape") << 0;
}

void TestQXPLLConfig::configReset()
{
    QFETCH(int, answer);
    ScriptedDialogs dialogs;
    m_host->createSeries(13);
    current()->calls.clear();
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));

    m_host->configResetAction()->trigger();

    QCOMPARE(dialogs.texts(),
             QStringList{"The current configuration will be reset. Please confirm whether to continue?"});
    QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"Yes", "Cancel"}));
    QCOMPARE(current()->calls, answer == QMessageBox::Yes ? QStringList{"reset"} : QStringList());
}

void TestQXPLLConfig::toolbarZoomReachesView()
{
    m_host->createSeries(13);
    PinGraphicsView *view = current()->graphicsView();
    m_host->zoomInAction()->trigger();
    m_host->zoomInAction()->trigger();
    QCOMPARE(view->scaleValue(), double(1.03f) * double(1.03f));
    m_host->zoomResetAction()->trigger();
    QCOMPARE(view->transform().m11(), 1.0);
    m_host->zoomOutAction()->trigger();
    QCOMPARE(view->scaleValue(), double(0.97f));
    QCOMPARE(view->transform().m11(), double(0.97f));
}

void TestQXPLLConfig::commandsWithoutSeriesAreHarmless()
{
    ScriptedDialogs dialogs;
    m_host->ZoomIn();
    m_host->ZoomOut();
    m_host->ZoomReset();
    m_host->saveDesign();
    m_host->generateDesign();
    m_host->ConfigReset();
    QVERIFY(!m_host->hasConfiguration());
    // Nothing to reset, so nothing to ask.
    QCOMPARE(dialogs.requests.size(), 0);
}

void TestQXPLLConfig::retranslateFollowsCatalogue()
{
    QTranslator chinese;
    QVERIFY(chinese.load(":/image/tr_zh.qm"));
    QCoreApplication::installTranslator(&chinese);
    m_host->retranslateUi();
    QCOMPARE((QStringList{m_host->zoomInAction()->text(), m_host->zoomOutAction()->text(),
                          m_host->zoomResetAction()->text(), m_host->configResetAction()->text()}),
             (QStringList{"放大", "缩小", "重置", "配置重置"}));

    ScriptedDialogs dialogs;
    m_host->createSeries(13);
    m_host->ConfigReset();
    QCOMPARE(dialogs.last()->title, QString("警告"));
    QCOMPARE(dialogs.last()->text, QString("将重置当前项目，是否继续？"));
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"确定", "取消"}));

    QCoreApplication::removeTranslator(&chinese);
    m_host->retranslateUi();
    QCOMPARE(m_host->zoomInAction()->text(), QString("Zoom in"));
}

QTEST_MAIN(TestQXPLLConfig)
#include "tst_qxpllconfig.moc"

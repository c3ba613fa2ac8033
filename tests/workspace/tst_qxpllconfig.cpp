#include "QXPLLConfig.h"

#include "FakeSeries.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

namespace {

const char *const UnsupportedText = "MCU in file not supported.";

QString writeDesignFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

QByteArray designWithMcu(const QString &mcu)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TFCC>\n  <MCU>" + mcu.toUtf8() +
           "</MCU>\n  <HEXT>8</HEXT>\n</TFCC>\n";
}

} // namespace

class TestQXPLLConfig : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithoutSeries();
    void toolbarLayout();
    void createSeries_data();
    void createSeries();
    void createSeriesReplacesAndStartsAtOneToOne();
    void openDesign_data();
    void openDesign();
    void unsupportedFileKeepsOpenConfiguration_data();
    void unsupportedFileKeepsOpenConfiguration();
    void saveDesignPassesSeriesName_data();
    void saveDesignPassesSeriesName();
    void generateDesignForwards();
    void configReset_data();
    void configReset();
    void toolbarZoomReachesView_data();
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

void TestQXPLLConfig::cleanup()
{
    delete m_host;
    m_host = nullptr;
}

void TestQXPLLConfig::startsWithoutSeries()
{
    QVERIFY(!m_host->hasConfiguration());
    QVERIFY(!m_host->currentWidget());
    QVERIFY(!m_host->toolbarHolder()->isVisible());
}

void TestQXPLLConfig::toolbarLayout()
{
    const QList<QAction *> actions = m_host->toolbar()->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions.at(0), m_host->zoomInAction());
    QCOMPARE(actions.at(1), m_host->zoomResetAction());
    QCOMPARE(actions.at(2), m_host->zoomOutAction());
    QVERIFY(qobject_cast<QLabel *>(m_host->toolbar()->widgetForAction(actions.at(3))));
    QCOMPARE(actions.at(4), m_host->configResetAction());

    const QStringList texts{QStringLiteral("Zoom in"), QStringLiteral("Zoom Reset"),
                            QStringLiteral("Zoom out"), QString(), QStringLiteral("Config Reset")};
    for (int i = 0; i < actions.size(); ++i) {
        if (i == 3)
            continue;
        QCOMPARE(actions.at(i)->text(), texts.at(i));
        QVERIFY2(!actions.at(i)->icon().isNull(), qPrintable(texts.at(i)));
        QCOMPARE(actions.at(i)->font().family(), QStringLiteral("Arial"));
        QCOMPARE(actions.at(i)->font().pointSize(), 11);
    }
}

void TestQXPLLConfig::createSeries_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("exists");
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << series.id << true;
    for (int id : {0, 1, 3, 6, 10, 11, 12, 18, -1})
        QTest::newRow(qPrintable(QStringLiteral("id %1").arg(id))) << id << false;
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
    QCOMPARE(current()->calls, QStringList{QStringLiteral("reset")});
    QCOMPARE(current()->graphicsView()->scaleValue(), 1.0);
}

void TestQXPLLConfig::createSeriesReplacesAndStartsAtOneToOne()
{
    m_host->createSeries(13);
    QPointer<QXMCUPLL> first = m_host->currentWidget();
    first->graphicsView()->zoomIn();
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
        QTest::newRow(series.name) << designWithMcu(series.seriesName()) << series.id;
    QTest::newRow("lower case") << designWithMcu(QStringLiteral("qxc330")) << 0;
    QTest::newRow("trailing blank") << designWithMcu(QStringLiteral("QXC330 ")) << 0;
    QTest::newRow("prefix of a name") << designWithMcu(QStringLiteral("QXC30")) << 0;
    QTest::newRow("empty element") << designWithMcu(QString()) << 0;
    QTest::newRow("no MCU element") << QByteArray("<TFCC><HEXT>8</HEXT></TFCC>") << 0;
    QTest::newRow("not XML") << QByteArray("MCU=QXC330") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
}

void TestQXPLLConfig::openDesign()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expectedId);
    ScriptedDialogs dialogs;
    const QString path = writeDesignFile(m_dir, QStringLiteral("design.TFCC"), content);
    QVERIFY(!path.isEmpty());

    QString name = QStringLiteral("unchanged");
    const bool recognised = m_host->openDesign(path, name);

    QCOMPARE(recognised, expectedId != 0);
    if (expectedId) {
        const QString expectedName = SeriesTable::byId(expectedId)->seriesName();
        QCOMPARE(name, expectedName);
        QCOMPARE(m_host->mcuName(), expectedName);
        QCOMPARE(current()->seriesId(), expectedId);
        // The file overrides the defaults: loaded, never reset.
        QCOMPARE(current()->calls, QStringList{QStringLiteral("load:") + path});
        QVERIFY(m_host->toolbarHolder()->isVisible());
        QCOMPARE(dialogs.requests.size(), 0);
    } else {
        QCOMPARE(name, QStringLiteral("unchanged"));
        QCOMPARE(m_host->mcuName(), QString());
        QVERIFY(!m_host->hasConfiguration());
        QVERIFY(!m_host->toolbarHolder()->isVisible());
        QCOMPARE(dialogs.requests.size(), 1);
        const ScriptedDialogs::Request &warning = dialogs.requests.first();
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.title, QStringLiteral("Warning"));
        QCOMPARE(warning.text, QLatin1String(UnsupportedText));
        QCOMPARE(warning.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(warning.buttonLabels, QStringList{QStringLiteral("Ok")});
    }
}

void TestQXPLLConfig::unsupportedFileKeepsOpenConfiguration_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unknown series") << designWithMcu(QStringLiteral("QXC999"));
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

    QString name = QStringLiteral("QXC330");
    QVERIFY(!m_host->openDesign(writeDesignFile(m_dir, QStringLiteral("other.TFCC"), content), name));

    QVERIFY(!open.isNull());
    QCOMPARE(m_host->currentWidget(), open.data());
    QCOMPARE(m_host->seriesId(), 13);
    QCOMPARE(name, QStringLiteral("QXC330"));
    QVERIFY(m_host->toolbarHolder()->isVisible());
    QCOMPARE(view->transform(), zoom);
    QCOMPARE(view->scaleValue(), scale);
    QCOMPARE(current()->calls, QStringList{QStringLiteral("reset")});
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->text, QLatin1String(UnsupportedText));
}

void TestQXPLLConfig::saveDesignPassesSeriesName_data()
{
    QTest::addColumn<int>("seriesId");
    for (const SeriesParams &series : SeriesTable::all())
        QTest::newRow(series.name) << series.id;
}

void TestQXPLLConfig::saveDesignPassesSeriesName()
{
    QFETCH(int, seriesId);
    m_host->createSeries(seriesId);
    current()->calls.clear();
    m_host->saveDesign();
    QCOMPARE(current()->calls,
             QStringList{QStringLiteral("save:") + SeriesTable::byId(seriesId)->seriesName()});
}

void TestQXPLLConfig::generateDesignForwards()
{
    m_host->createSeries(9);
    current()->calls.clear();
    m_host->generateDesign();
    QCOMPARE(current()->calls, QStringList{QStringLiteral("generate")});
}

void TestQXPLLConfig::configReset_data()
{
    QTest::addColumn<int>("answer"); // a standard button, or 0 for "no scripted answer" (Escape)
    QTest::addColumn<bool>("resets");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
    QTest::newRow("escape") << 0 << false;
}

void TestQXPLLConfig::configReset()
{
    QFETCH(int, answer);
    QFETCH(bool, resets);
    ScriptedDialogs dialogs;
    m_host->createSeries(13);
    current()->calls.clear();
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));

    m_host->configResetAction()->trigger();

    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedDialogs::Request &question = dialogs.requests.first();
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.title, QStringLiteral("Warning"));
    QCOMPARE(question.text,
             QStringLiteral("The current configuration will be reset. Please confirm whether to continue?"));
    QCOMPARE(question.buttonLabels, (QStringList{QStringLiteral("Yes"), QStringLiteral("Cancel")}));
    QCOMPARE(current()->calls, resets ? QStringList{QStringLiteral("reset")} : QStringList());
}

void TestQXPLLConfig::toolbarZoomReachesView_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<double>("scale");
    QTest::newRow("zoom in") << QStringLiteral("in") << double(1.03f) * double(1.03f);
    QTest::newRow("zoom out") << QStringLiteral("out") << double(0.97f) * double(0.97f);
    QTest::newRow("zoom reset") << QStringLiteral("reset") << 1.0;
}

void TestQXPLLConfig::toolbarZoomReachesView()
{
    QFETCH(QString, action);
    QFETCH(double, scale);
    m_host->createSeries(13);
    PinGraphicsView *view = current()->graphicsView();
    if (action == QLatin1String("reset")) {
        view->zoomIn();
        m_host->zoomResetAction()->trigger();
    } else {
        QAction *a = action == QLatin1String("in") ? m_host->zoomInAction() : m_host->zoomOutAction();
        a->trigger();
        a->trigger();
    }
    QCOMPARE(view->scaleValue(), scale);
    QCOMPARE(view->transform().m11(), scale);
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
    QVERIFY(chinese.load(QStringLiteral(":/image/tr_zh.qm")));
    QCoreApplication::installTranslator(&chinese);
    m_host->retranslateUi();
    QCOMPARE(m_host->zoomInAction()->text(), QStringLiteral("放大"));
    QCOMPARE(m_host->zoomOutAction()->text(), QStringLiteral("缩小"));
    QCOMPARE(m_host->zoomResetAction()->text(), QStringLiteral("重置"));
    QCOMPARE(m_host->configResetAction()->text(), QStringLiteral("配置重置"));

    ScriptedDialogs dialogs;
    m_host->createSeries(13);
    m_host->ConfigReset();
    QCOMPARE(dialogs.last()->title, QStringLiteral("警告"));
    QCOMPARE(dialogs.last()->text, QStringLiteral("将重置当前项目，是否继续？"));
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));

    QCoreApplication::removeTranslator(&chinese);
    m_host->retranslateUi();
    QCOMPARE(m_host->zoomInAction()->text(), QStringLiteral("Zoom in"));
}

QTEST_MAIN(TestQXPLLConfig)
#include "tst_qxpllconfig.moc"

#include "QXPLLConfig.h"

#include "FakeSeries.h"
#include "ScriptedDialogs.h"
#include "SeriesTable.h"
#include "TestHelpers.h"

#include <QAction>
#include <QGroupBox>
#include <QToolBar>
#include <QtTest>

// The host over a fake series; each test starts with QXC330 open and zoomed in.
class TestQXPLLConfig : public QObject {
    Q_OBJECT

private slots:
    void init()
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

    void cleanup() { delete m_host; }

    void toolbar()
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

    void replace_data()
    {
        QTest::addColumn<int>("id");             // asked for by the MCU dialog, when `content` is null
        QTest::addColumn<QByteArray>("content"); // of the design file opened
        QTest::addColumn<int>("shown");          // series shown afterwards; 0: refused, the design stays
        for (const SeriesParams &series : SeriesTable::all()) {
            const int shown = series.id == LackingSeriesId ? 0 : series.id;
            QTest::newRow(qPrintable("new " + series.seriesName())) << series.id << QByteArray() << shown;
            QTest::newRow(qPrintable("open " + series.seriesName()))
                << 0 << designNaming(series.seriesName()) << shown;
        }
        for (int id : {0, 12, 18})
            QTest::newRow(qPrintable(QString("new id %1").arg(id))) << id << QByteArray() << 0;
        QTest::newRow("open unknown series") << 0 << designNaming("QXC999") << 0;
        QTest::newRow("open trailing blank") << 0 << designNaming("QXC330 ") << 0;
        QTest::newRow("open no MCU element") << 0 << QByteArray("<TFCC><HEXT>8</HEXT></TFCC>") << 0;
        QTest::newRow("open broken XML") << 0 << QByteArray("<TFCC><MCU>QXC330</TFCC>") << 0;
        QTest::newRow("open empty file") << 0 << QByteArray("") << 0;
    }

    // New and Open replace the QXC330 design, or leave it untouched with one warning.
    void replace()
    {
        QFETCH(int, id);
        QFETCH(QByteArray, content);
        QFETCH(int, shown);
        ScriptedDialogs dialogs;
        const QTransform zoom = m_first->graphicsView()->transform();
        const QString path = content.isNull() ? QString() : writeFile(m_dir.filePath("design.TFCC"), content);
        QString name = "unchanged";
        QCOMPARE(content.isNull() ? m_host->createSeries(id) : m_host->openDesign(path, name), shown != 0);
        QVERIFY(m_host->toolbarHolder()->isVisible());
        if (!shown) {
            QCOMPARE(m_host->currentWidget(), m_first.data());
            QCOMPARE(m_host->seriesId(), 13);
            QCOMPARE(m_first->graphicsView()->transform(), zoom);
            QCOMPARE(current()->calls, QStringList());
            QCOMPARE(name + m_host->mcuName(), QString("unchanged"));
            QCOMPARE(dialogs.texts(),
                     QStringList{content.isNull() ? "This series is not available in this version."
                                                  : "MCU in file not supported."});
            QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
            QCOMPARE(dialogs.last()->buttonLabels, QStringList{"Ok"});
            return;
        }
        const QString seriesName = SeriesTable::byId(shown)->seriesName();
        QVERIFY(m_first.isNull());
        QCOMPARE(current()->seriesId(), shown);
        QCOMPARE(current()->graphicsView()->transform().m11(), 1.0);
        QCOMPARE(name + ' ' + m_host->mcuName(),
                 content.isNull() ? QString("unchanged ") : seriesName + ' ' + seriesName);
        // Save and generate go to the open series, with its name; a file overrides the defaults.
        m_host->saveDesign();
        m_host->generateDesign();
        QCOMPARE(current()->calls, (QStringList{content.isNull() ? QString("reset") : "load:" + path,
                                                "save:" + seriesName, "generate"}));
        QCOMPARE(dialogs.requests.size(), 0);
    }

    void configReset_data()
    {
        QTest::addColumn<int>("answer"); // 0: Escape
        QTest::newRow("yes") << int(QMessageBox::Yes);
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
        QTest::newRow("escape") << 0;
    }

    void configReset()
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

private:
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_host->currentWidget()); }

    QXPLLConfig *m_host = nullptr;
    QPointer<QXMCUPLL> m_first;
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestQXPLLConfig)
#include "tst_qxpllconfig.moc"

#include "QXPLLConfig.h"

#include "FakeSeries.h"
#include "ScriptedDialogs.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QAccessible>
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
        // A screen reader names every button of the toolbar.
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(m_host->toolbar());
        QStringList names;
        for (int i = 0; i < bar->childCount(); ++i) {
            if (bar->child(i)->role() == QAccessible::Button ||
                bar->child(i)->role() == QAccessible::ButtonMenu)
                names << bar->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(names.join('|'), QString("More tools|Zoom in|Zoom Reset|Zoom out|Config Reset|Undo|Redo"));
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

    void replace_data() { addTableRows("workspace_replace.tsv"); }

    // New and Open replace the QXC330 design, or leave it untouched with one warning.
    void replace()
    {
        QFETCH(int, id);
        QFETCH(QString, content);
        QFETCH(int, shown);
        ScriptedDialogs dialogs;
        const QTransform zoom = m_first->graphicsView()->transform();
        const QString path =
            content.isEmpty() ? QString()
                              : writeFile(m_dir.filePath("design.TFCC"),
                                          content.startsWith("naming ") ? designNaming(content.mid(7))
                                                                        : content.remove("EMPTY").toUtf8());
        QString opened = "unchanged";
        QCOMPARE(path.isNull() ? m_host->createSeries(id) : m_host->openDesign(path, opened), shown != 0);
        QVERIFY(m_host->toolbarHolder()->isVisible());
        if (!shown) {
            QCOMPARE(m_host->currentWidget(), m_first.data());
            QCOMPARE(m_host->seriesId(), 13);
            QCOMPARE(m_first->graphicsView()->transform(), zoom);
            QCOMPARE(current()->calls, QStringList());
            QCOMPARE(opened + m_host->mcuName(), QString("unchanged"));
            QCOMPARE(dialogs.texts(),
                     QStringList{path.isNull() ? "This series is not available in this version."
                                               : "MCU in file not supported."});
            QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
            QCOMPARE(dialogs.last()->buttonLabels, QStringList{"Ok"});
            return;
        }
        QFETCH(QString, name);
        QVERIFY(m_first.isNull());
        QCOMPARE(current()->seriesId(), shown);
        QCOMPARE(current()->graphicsView()->transform().m11(), 1.0);
        QCOMPARE(opened + ' ' + m_host->mcuName(), path.isNull() ? QString("unchanged ") : name + ' ' + name);
        // Save and generate go to the open series, with its name; a file overrides the defaults.
        m_host->saveDesign();
        m_host->generateDesign();
        QCOMPARE(current()->calls, (QStringList{path.isNull() ? QString("reset") : "load:" + path,
                                                "save:" + name, "generate"}));
        QCOMPARE(dialogs.requests.size(), 0);
    }

    void configReset_data() { addTableRows("workspace_reset.tsv"); }

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

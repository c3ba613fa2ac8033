// The window's editing comforts: recent designs, the exported drawing and
// the title's mark of unsaved edits.
#include "FormConfiguration.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "RecentDesigns.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "TableRows.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QImage>
#include <QMenu>
#include <QWindow>
#include <QtTest>

class TestRecentDesigns : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("settings"));
    }

    void init()
    {
        m_dialogs.clear();
        RecentDesigns::store({});
    }

    void pushed_data() { addTableRows("recent_pushed.tsv"); }
    void pushed()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, file);
        QTEST(RecentDesigns::pushed(files, file), "expected");
    }

    void displayNames_data() { addTableRows("recent_names.tsv"); }
    // Two designs of one name are told apart by their folders.
    void displayNames()
    {
        QFETCH(QStringList, files);
        QTEST(RecentDesigns::displayNames(files), "names");
    }

    // On a full disk the list saved before stays on the disk, whole.
    void fullDisk()
    {
        const QString folder = m_dir.filePath("settings");
        QVERIFY(QDir().mkpath(folder));
        SmallDisk disk(folder, 256 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.reason()));
        const QString a = m_dir.filePath("a.TFCC"), b = m_dir.filePath("b.TFCC");
        QVERIFY(RecentDesigns::store({a}));
        QVERIFY(disk.fill(1)); // room for a lock file, not for the settings too
        QVERIFY(!RecentDesigns::store({b, a}));
        disk.empty();
        int holding = 0; // files that name a
        QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            holding += content.contains("a.TFCC") ? 1 : 0;
            QVERIFY2(!content.contains("b.TFCC"), qPrintable(file.fileName()));
        }
        QCOMPARE(holding, 1);
    }

    void openedAndPruned()
    {
        const QString a = design("a.TFCC");
        const QString b = design("b.TFCC");
        {
            FormConfiguration window;
            QVERIFY(!window.recentMenu()->isEnabled());
            QVERIFY(window.openDesignFile(a));
            QVERIFY(window.openDesignFile(b));
            QCOMPARE(menuEntries(window), (QStringList{"&1 b.TFCC", "&2 a.TFCC"}));
        }
        // Kept for the next run; a file gone since is dropped with a message and
        // nothing is opened (no close question first).
        QVERIFY(QFile::remove(b));
        FormConfiguration window;
        QCOMPARE(menuEntries(window), (QStringList{"&1 b.TFCC", "&2 a.TFCC"}));
        // The full path is the entry's tooltip, and the menu shows it.
        QCOMPARE(window.recentMenu()->actions().at(0)->toolTip(), b);
        QVERIFY(window.recentMenu()->toolTipsVisible());
        window.recentMenu()->actions().at(0)->trigger();
        QCOMPARE(m_dialogs.requests.size(), 1);
        QVERIFY(m_dialogs.last()->text.contains(b));
        QVERIFY(!window.workspace()->hasConfiguration());
        QCOMPARE(menuEntries(window), QStringList{"&1 a.TFCC"});
        QCOMPARE(RecentDesigns::load(), QStringList{a});
        // An existing one opens through Open's path.
        window.recentMenu()->actions().at(0)->trigger();
        QCOMPARE(window.seriesName(), QString("QXC330"));
    }

    void exportDrawing()
    {
        FormConfiguration window;
        QVERIFY(window.openDesignFile(design("c.TFCC")));
        const QString png = m_dir.filePath("tree.png");
        m_dialogs.answerPath(png);
        window.exportAction()->trigger();
        QCOMPARE(m_dialogs.requests.size(), 1);         // the file dialog only
        QCOMPARE(QImage(png).size(), QSize(1404, 828)); // PDF and contents: render's test, same export

        // A failure reads in the interface's language, all of it.
        QTranslator chinese;
        QVERIFY(chinese.load(":/image/tr_zh.qm"));
        QCoreApplication::installTranslator(&chinese);
        const QString folder = m_dir.filePath("no-such-folder/tree.png");
        m_dialogs.answerPath(m_dir.filePath("tree2"));
        m_dialogs.answerPath(folder);
        window.exportAction()->trigger();
        window.exportAction()->trigger();
        QCoreApplication::removeTranslator(&chinese);
        QCOMPARE(m_dialogs.texts().mid(m_dialogs.texts().size() - 2),
                 (QStringList{QString("导出失败！\n文件名必须以 .png、.pdf 或 .svg 结尾。"),
                              QString("导出失败！\n无法写入文件：\n") + QDir::toNativeSeparators(folder)}));
    }

    // Export report...: the page in the window's language; SVG from Export drawing.
    void exportReport()
    {
        FormConfiguration window;
        QVERIFY(window.openDesignFile(design("r.TFCC")));
        const QString page = m_dir.filePath("r.md");
        m_dialogs.answerPath(page);
        window.exportReportAction()->trigger();
        QCOMPARE(m_dialogs.requests.size(), 1); // the file dialog only
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith("# Clock design report\n"));
        QVERIFY(text.contains("![Clock tree](r.svg)"));
        QVERIFY(QFileInfo(m_dir.filePath("r.svg")).size() > 10000);
        const QString svg = m_dir.filePath("tree.svg");
        m_dialogs.answerPath(svg);
        window.exportAction()->trigger();
        QFile drawing(svg);
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        QVERIFY(drawing.readAll().contains("<svg"));
        m_dialogs.answerPath(m_dir.filePath("r.txt"));
        window.exportReportAction()->trigger();
        QCOMPARE(m_dialogs.texts().last(), QString("Export failed!\nThe file name must end in .html or .md."));
    }

    // "Tickforge*" while the design differs from its file: after an edit, after
    // Config Reset, until undo returns to the file's state or Save writes it.
    void titleMarksUnsavedEdits()
    {
        FormConfiguration window;
        window.show();
        const auto title = [&window] {
            return window.windowHandle()->title();
        };
        const QString path = design("m.TFCC");
        QVERIFY(window.openDesignFile(path));
        QCOMPARE(title(), QString("Tickforge"));
        QXPLLConfig &host = *window.workspace();
        auto *ahb = host.currentWidget()->findControl<QComboBox>("ahbdiv");
        ahb->setCurrentIndex(2);
        QCOMPARE(title(), QString("Tickforge*"));
        host.undoAction()->trigger();
        QCOMPARE(title() + ahb->currentText(), QString("Tickforge  /1"));
        host.redoAction()->trigger();
        QCOMPARE(title() + ahb->currentText(), QString("Tickforge*  /4"));
        m_dialogs.answerPath(path);
        window.action(FormConfiguration::SaveAction)->trigger();
        QCOMPARE(title(), QString("Tickforge"));
        m_dialogs.answerButton(QMessageBox::Yes);
        host.configResetAction()->trigger();
        QCOMPARE(title() + ahb->currentText(), QString("Tickforge*  /1"));
        host.undoAction()->trigger();
        QCOMPARE(title() + ahb->currentText(), QString("Tickforge  /4"));
        // Opening starts a fresh history.
        host.redoAction()->trigger();
        QVERIFY(window.openDesignFile(path));
        QCOMPARE(title(), QString("Tickforge"));
        QVERIFY(!host.undoAction()->isEnabled() && !host.redoAction()->isEnabled());
    }

private:
    QString design(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(TF_DESIGNS_DIR "/QXC330_USB.TFCC"), path);
        return path;
    }

    QStringList menuEntries(const FormConfiguration &window) const
    {
        QStringList out;
        for (const QAction *action : window.recentMenu()->actions())
            out << action->text();
        return out;
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
};

QTEST_MAIN(TestRecentDesigns)
#include "tst_recentdesigns.moc"

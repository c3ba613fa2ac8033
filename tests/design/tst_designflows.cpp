#include "ClockConfig.h"
#include "DesignTestUtil.h"
#include "Generator.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QtTest>

namespace {

const QString kGenerated =
    QStringLiteral("Generate code finished!  Files:\n\nsrc/main.c\nsrc/qxc330_335_clock.c\n"
                   "inc/qxc330_335_clock.h\ninc/qxc330_335_conf.h\n");
const QByteArray kOld = "an older design that must survive\n";

} // namespace

// Saving a design and generating code from a series widget: the dialogs,
// the messages and what ends up on disk.
class TestDesignFlows : public QObject {
    Q_OBJECT

private slots:
    void save_data() { addTableRows("designflows_save.tsv"); }
    void save()
    {
        QFETCH(int, seriesId);
        QFETCH(QString, setup);
        QFETCH(QString, message);
        const QString name = SeriesTable::byId(seriesId)->seriesName();
        auto widget = newSeriesWidget(seriesId);
        QTemporaryDir dir;
        const QString design = writeFile(dir.filePath(QStringLiteral("design.TFCC")), kOld);
        const QString folder = dir.filePath(QStringLiteral("folder.TFCC"));
        ScriptedDialogs dialogs;
        const auto restore = qScopeGuard([&] { setReadOnly(dir.path(), false); });
        if (setup == QLatin1String("readonly") && !setReadOnly(dir.path(), true))
            QSKIP("this file system cannot make a folder read-only");
        if (setup == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(folder));
        if (setup != QLatin1String("cancel"))
            dialogs.answerPath(setup == QLatin1String("folder") ? folder : design);
        widget->saveConfig(name);

        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::SaveFile)->title, QStringLiteral("Save"));
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::SaveFile)->filter,
                 QStringLiteral("Config file (*.TFCC)"));
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::SaveFile)->proposed, name + QStringLiteral("_Clock"));
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        const bool saved = message == QLatin1String("Save file succeed!");
        if (!message.isEmpty())
            QCOMPARE(dialogs.last()->icon, saved ? QMessageBox::Information : QMessageBox::Critical);
        QCOMPARE(readBytes(design), saved ? designWith("MCU=" + name) : kOld);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(),
                 setup == QLatin1String("folder") ? 2 : 1); // no temporary file left behind
    }

    void generate_data() { addTableRows("designflows_generate.tsv"); }
    void generate()
    {
        QFETCH(int, seriesId);
        QFETCH(QString, setup);
        QFETCH(bool, openFolder);
        QFETCH(QString, message);
        auto widget = newSeriesWidget(seriesId);
        QTemporaryDir dir;
        const QDir out(setup == QLatin1String("a/b") ? dir.filePath(setup) : dir.path());
        const bool blocked = setup.startsWith(QLatin1String("inc")) || setup.startsWith(QLatin1String("src"));
        QVERIFY(!blocked || (QDir().mkpath(QFileInfo(out.filePath(setup)).path()) &&
                             !writeFile(out.filePath(setup), kOld).isNull()));
        const bool refused = setup == QLatin1String("refused");
        if (refused) { // opened as it is, then refused at generation
            ScriptedDialogs opening;
            widget->loadConfig(writeFile(dir.filePath(QStringLiteral("r.TFCC")), designWith("pllns=80")));
        }
        ScriptedDialogs dialogs; // an overwrite question is refused
        if (setup != QLatin1String("cancel"))
            dialogs.answerPath(out.path());
        if (openFolder)
            dialogs.answerExtra(0);
        widget->generateCode();

        const ScriptedDialogs::Request *asked = dialogs.last(ScriptedDialogs::Kind::Directory);
        QCOMPARE(asked ? asked->title : QString(), refused ? QString() : QStringLiteral("Select directory"));
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialogs.openedUrls,
                 openFolder ? QList<QUrl>{QUrl::fromLocalFile(out.path())} : QList<QUrl>());
        if (refused) // nothing written
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     QStringList{"r.TFCC"});
        if (blocked || refused) {
            QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
            QVERIFY(refused || readBytes(out.filePath(setup)) == kOld);
            QVERIFY(!QFileInfo::exists(out.filePath(QStringLiteral("src/main.c"))));
            QCOMPARE(dialogs.texts(ScriptedDialogs::Kind::Overwrite),
                     setup.contains('/') ? QStringList{QFileInfo(setup).fileName()} : QStringList());
        }
        if (message != kGenerated)
            return;
        QCOMPARE(dialogs.last()->icon, QMessageBox::Information);
        QCOMPARE(dialogs.last()->extraButtons, QStringList{QStringLiteral(" Open Folder  ")});
        QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("OK")});
        Codegen::Files files; // exactly what the generator renders for this record
        QVERIFY(Codegen::render(*widget->config(), QStringLiteral("qxc330_335"), &files));
        const QStringList expected{files.mainSource, files.clockSource, files.clockHeader, files.confHeader};
        const QStringList names = kGenerated.split('\n', Qt::SkipEmptyParts).mid(1);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(QString::fromUtf8(readBytes(out.filePath(names.at(i)))), expected.at(i));
    }

    void chinese_data()
    {
        QTest::addColumn<QString>("target"); // a file name saves, otherwise generates
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons"); // standard, then extra buttons
        QTest::newRow("generated") << ""
                                   << QStringLiteral("代码产生完成！ 文件如下：") +
                                          kGenerated.mid(kGenerated.indexOf('\n'))
                                   << QStringList{QStringLiteral("确定"), QStringLiteral(" 打开文件夹  ")};
        QTest::newRow("saved") << "a.TFCC" << QStringLiteral("文件保存成功!")
                               << QStringList{QStringLiteral("确定")};
    }

    // The result boxes in Chinese, texts and buttons.
    void chinese()
    {
        QFETCH(QString, target);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/image/tr_zh.qm")) &&
                QCoreApplication::installTranslator(&translator));
        auto widget = newSeriesWidget(14);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        dialogs.answerPath(dir.filePath(target));
        if (target.isEmpty())
            widget->generateCode();
        else
            widget->saveConfig(QStringLiteral("QXC335"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialogs.last()->text, text);
        QCOMPARE(dialogs.last()->buttonLabels + dialogs.last()->extraButtons, buttons);
    }
};

QTEST_MAIN(TestDesignFlows)
#include "tst_designflows.moc"

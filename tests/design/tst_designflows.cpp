#include "ClockConfig.h"
#include "DesignTestUtil.h"
#include "Generator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// Saving a design and generating code from a series widget: the dialogs,
// the messages and what ends up on disk.
class TestDesignFlows : public QObject {
    Q_OBJECT

private slots:
    void save_data();
    void save();
    void generate_data();
    void generate();
    void realResultBoxes_data();
    void realResultBoxes();
    void chineseTexts();
};

namespace {

// Hands every request to the scripted dialogs, recording the start folder or
// proposed name the file dialogs get; with realBoxes, message boxes are real.
class Forwarder final : public DialogService {
public:
    Forwarder(ScriptedDialogs &inner, bool realBoxes) : m_inner(inner), m_realBoxes(realBoxes)
    {
        DialogService::setInstance(this);
    }
    ~Forwarder() override { DialogService::setInstance(&m_inner); }
    Q_DISABLE_COPY(Forwarder)

    QStringList dirs;

    MessageReply message(const MessageRequest &r) override
    {
        return m_realBoxes ? m_real.message(r) : m_inner.message(r);
    }
    QString openFileName(QWidget *p, const QString &c, const QString &d, const QString &f) override
    {
        dirs.append(d);
        return m_inner.openFileName(p, c, d, f);
    }
    QString saveFileName(QWidget *p, const QString &c, const QString &d, const QString &f) override
    {
        dirs.append(d);
        return m_inner.saveFileName(p, c, d, f);
    }
    QString existingDirectory(QWidget *p, const QString &c, const QString &d) override
    {
        dirs.append(d);
        return m_inner.existingDirectory(p, c, d);
    }
    bool openUrl(const QUrl &url) override { return m_inner.openUrl(url); }
    OverwriteReply askOverwrite(const QString &name) override { return m_inner.askOverwrite(name); }
    int exec(QDialog &dialog) override { return m_inner.exec(dialog); }

private:
    ScriptedDialogs &m_inner;
    bool m_realBoxes;
    QtDialogService m_real;
};

// Root ignores mode bits, so a folder is made unwritable with the immutable
// attribute there.
bool setReadOnly(const QString &path, bool readOnly)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"),
                                 {QString::fromLatin1(readOnly ? "+i" : "-i"), path}) == 0;
    return QFile::setPermissions(path, readOnly ? QFile::ReadOwner | QFile::ExeOwner
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString seriesName(int id)
{
    return id == 13 ? QStringLiteral("QXC330") : QStringLiteral("QXC335");
}

const QString kGenerated =
    QStringLiteral("Generate code finished!  Files:\n\nsrc/main.c\nsrc/qxc330_335_clock.c\n"
                   "inc/qxc330_335_clock.h\ninc/qxc330_335_conf.h\n");

} // namespace

void TestDesignFlows::save_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message"); // empty: no message at all

    const QString none, saved = QStringLiteral("Save file succeed!"),
                        failed = QStringLiteral("Save file failed!");
    QTest::newRow("QXC330 saved") << 13 << none << saved;
    QTest::newRow("QXC335 saved") << 14 << none << saved;
    QTest::newRow("dialog cancelled") << 13 << "cancel" << none;
    QTest::newRow("read-only folder") << 13 << "readonly" << failed;
    QTest::newRow("target is a folder") << 13 << "folder" << failed;
    QTest::newRow("disk full in the middle of the write") << 13 << "midwrite" << failed;
    QTest::newRow("missing folder") << 13 << "missing" << failed;
}

void TestDesignFlows::save()
{
    QFETCH(int, seriesId);
    QFETCH(QString, setup);
    QFETCH(QString, message);
    auto widget = newSeriesWidget(seriesId);
    QVERIFY(widget);
    QTemporaryDir dir;
    const QByteArray old = "an older design that must survive\n";
    const QString design = dir.filePath(QStringLiteral("design.TFCC"));
    QVERIFY(writeBytes(design, old));
    QString path = design;

    ScriptedDialogs dialogs;
    Forwarder recorder(dialogs, false);
    rlimit fileSize{};
    getrlimit(RLIMIT_FSIZE, &fileSize);
    const auto restore = qScopeGuard([&] {
        setrlimit(RLIMIT_FSIZE, &fileSize);
        setReadOnly(dir.path(), false);
    });
    if (setup == QLatin1String("readonly") && !setReadOnly(dir.path(), true))
        QSKIP("this file system cannot make a folder read-only");
    if (setup == QLatin1String("folder") || setup == QLatin1String("missing"))
        path = dir.filePath(setup == QLatin1String("folder") ? QStringLiteral("folder.TFCC")
                                                             : QStringLiteral("missing/design.TFCC"));
    if (setup == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    if (setup == QLatin1String("midwrite")) {
        // Files larger than this cannot be written: the disk "fills up" mid-write.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = fileSize;
        small.rlim_cur = rlim_t(old.size() + 10);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    if (setup != QLatin1String("cancel"))
        dialogs.answerPath(path);
    widget->saveConfig(seriesName(seriesId));
    setrlimit(RLIMIT_FSIZE, &fileSize);

    const auto *save = dialogs.last(ScriptedDialogs::Kind::SaveFile);
    QVERIFY(save);
    QCOMPARE(save->title, QStringLiteral("Save"));
    QCOMPARE(save->filter, QStringLiteral("Config file (*.TFCC)"));
    QCOMPARE(recorder.dirs, QStringList{seriesName(seriesId) + QStringLiteral("_Clock")});
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), message.isEmpty() ? 0 : 1);
    const bool saved = message == QLatin1String("Save file succeed!");
    if (!message.isEmpty()) {
        QCOMPARE(dialogs.last()->icon, saved ? QMessageBox::Information : QMessageBox::Critical);
        QCOMPARE(dialogs.last()->title, saved ? QStringLiteral("Information") : QStringLiteral("Error"));
        QCOMPARE(dialogs.last()->text, message);
        QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("Ok")});
    }
    QByteArray expected =
        saved ? factoryQxc330Document().replace("QXC330", seriesName(seriesId).toLatin1()) : old;
    QCOMPARE(QString::fromUtf8(readBytes(design)), QString::fromUtf8(expected));
    // No temporary file is left behind.
    QStringList entries{QStringLiteral("design.TFCC")};
    if (setup == QLatin1String("folder"))
        entries.append(QStringLiteral("folder.TFCC"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name),
             entries);

    // Without a series name nothing is asked at all.
    ScriptedDialogs silent;
    widget->saveConfig(QString());
    QVERIFY(silent.requests.isEmpty());
}

void TestDesignFlows::generate_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("openFolder");
    QTest::addColumn<QString>("message"); // empty: no message at all

    QTest::newRow("QXC330, OK") << 13 << "" << false << kGenerated;
    QTest::newRow("QXC335, Open Folder") << 14 << "" << true << kGenerated;
    QTest::newRow("missing parents are created") << 13 << "a/b" << true << kGenerated;
    QTest::newRow("directory cancelled") << 13 << "cancel" << false << "";
    QTest::newRow("inc is a file") << 13 << "inc" << false << "Creating \"inc\" folder error!";
    QTest::newRow("src is a file") << 13 << "src" << false << "Creating \"src\" folder error!";
    QTest::newRow("overwrite refused") << 13 << "src/qxc330_335_clock.c" << false << "Generate code failed!";
}

void TestDesignFlows::generate()
{
    QFETCH(int, seriesId);
    QFETCH(QString, setup);
    QFETCH(bool, openFolder);
    QFETCH(QString, message);
    auto widget = newSeriesWidget(seriesId);
    QVERIFY(widget);
    QTemporaryDir dir;
    const QDir out(setup == QLatin1String("a/b") ? dir.filePath(setup) : dir.path());
    const QByteArray mine = "my own file\n";
    const bool blocked = setup.startsWith(QLatin1String("inc")) || setup.startsWith(QLatin1String("src"));
    if (blocked) {
        QVERIFY(QDir().mkpath(QFileInfo(out.filePath(setup)).path()));
        QVERIFY(writeBytes(out.filePath(setup), mine));
    }

    ScriptedDialogs dialogs; // an overwrite question is refused
    Forwarder recorder(dialogs, false);
    if (setup != QLatin1String("cancel"))
        dialogs.answerPath(out.path());
    if (openFolder)
        dialogs.answerExtra(0);
    else
        dialogs.answerButton(QMessageBox::Ok);
    widget->generateCode();

    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), 1);
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QStringLiteral("Select directory"));
    QCOMPARE(recorder.dirs, QStringList{QString()}); // no start folder is proposed
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), message.isEmpty() ? 0 : 1);
    QCOMPARE(dialogs.openedUrls, openFolder ? QList<QUrl>{QUrl::fromLocalFile(out.path())} : QList<QUrl>());
    if (message.isEmpty())
        return;
    const auto *box = dialogs.last();
    QCOMPARE(box->text, message);
    if (blocked) {
        QCOMPARE(box->icon, QMessageBox::Critical);
        QCOMPARE(box->title, QStringLiteral("Error"));
        QCOMPARE(readBytes(out.filePath(setup)), mine);
        QVERIFY(!QFileInfo::exists(out.filePath(QStringLiteral("src/main.c"))));
        const auto *question = dialogs.last(ScriptedDialogs::Kind::Overwrite);
        QCOMPARE(question ? question->text : QString(),
                 setup.contains(QLatin1Char('/')) ? QFileInfo(setup).fileName() : QString());
        return;
    }
    QCOMPARE(box->icon, QMessageBox::Information);
    QCOMPARE(box->title, QStringLiteral("Information"));
    QCOMPARE(box->extraButtons, QStringList{QStringLiteral(" Open Folder  ")});
    QCOMPARE(box->buttonLabels, QStringList{QStringLiteral("OK")});

    // The files are exactly what the generator renders for this record.
    Codegen::Files files;
    QVERIFY(Codegen::render(*widget->config(), QStringLiteral("qxc330_335"), &files));
    const QStringList expected{files.mainSource, files.clockSource, files.clockHeader, files.confHeader};
    const QStringList names = kGenerated.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    QCOMPARE(names.size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(QString::fromUtf8(readBytes(out.filePath(names.at(i)))), expected.at(i));
}

void TestDesignFlows::realResultBoxes_data()
{
    QTest::addColumn<QString>("target"); // a file name saves, otherwise generates
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    const QStringList generated{" Open Folder  ", "OK"};
    QTest::newRow("generated, open the folder") << ""
                                                << " Open Folder  " << kGenerated << generated;
    QTest::newRow("generated, OK") << ""
                                   << "OK" << kGenerated << generated;
    QTest::newRow("saved") << "a.TFCC"
                           << "Ok"
                           << "Save file succeed!" << QStringList{"Ok"};
    QTest::newRow("save failed") << "no/such/a.TFCC"
                                 << "Ok"
                                 << "Save file failed!" << QStringList{"Ok"};
}

void TestDesignFlows::realResultBoxes()
{
    QFETCH(QString, target);
    QFETCH(QString, press);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Forwarder real(dialogs, true);
    dialogs.answerPath(dir.filePath(target));

    QString seenText;
    QStringList seenButtons;
    QTimer::singleShot(0, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        for (QAbstractButton *button : box->buttons())
            seenButtons.append(button->text());
        const int index = seenButtons.indexOf(press);
        if (index >= 0)
            box->buttons().at(index)->click();
        else
            box->reject();
    });
    if (target.isEmpty())
        widget->generateCode();
    else
        widget->saveConfig(QStringLiteral("QXC330"));

    QCOMPARE(seenText, text);
    seenButtons.sort();
    buttons.sort();
    QCOMPARE(seenButtons, buttons);
    QCOMPARE(dialogs.openedUrls, press == QLatin1String(" Open Folder  ")
                                     ? QList<QUrl>{QUrl::fromLocalFile(dir.path())}
                                     : QList<QUrl>());
}

void TestDesignFlows::chineseTexts()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral(":/image/tr_zh.qm")));
    QVERIFY(QCoreApplication::installTranslator(&chinese));
    auto widget = newSeriesWidget(14); // texts live in each series class's context
    QVERIFY(widget);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    dialogs.answerPath(dir.filePath(QStringLiteral("a.TFCC")));
    widget->saveConfig(QStringLiteral("QXC335"));
    dialogs.answerPath(dir.path());
    widget->generateCode();
    QCoreApplication::removeTranslator(&chinese);

    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::SaveFile)->title, QStringLiteral("保存"));
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QStringLiteral("选择目录"));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 2);
    QCOMPARE(dialogs.requests.at(1).title, QStringLiteral("信息"));
    QCOMPARE(dialogs.requests.at(1).text, QStringLiteral("文件保存成功!"));
    const auto *generated = dialogs.last();
    QVERIFY(generated->text.startsWith(QStringLiteral("代码产生完成！ 文件如下：\n\nsrc/main.c\n")));
    QCOMPARE(generated->extraButtons, QStringList{QStringLiteral(" 打开文件夹  ")});
    QCOMPARE(generated->buttonLabels, QStringList{QStringLiteral("确定")});
}

QTEST_MAIN(TestDesignFlows)
#include "tst_designflows.moc"

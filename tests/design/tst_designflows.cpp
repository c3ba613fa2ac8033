#include "ClockConfig.h"
#include "DesignTestUtil.h"
#include "Generator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
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
    void saveWritesFactoryDocument_data();
    void saveWritesFactoryDocument();
    void saveCancelledWritesNothing();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void generationCancelledDoesNothing();
    void folderCreationFailure_data();
    void folderCreationFailure();
    void generationSucceeds_data();
    void generationSucceeds();
    void generationFailureIsReported();
    void realResultBoxes_data();
    void realResultBoxes();
    void chineseTexts();
};

namespace {

// Makes a folder unwritable, also for root (where permission bits do not
// count): immutable attribute for root, mode bits otherwise.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        if (::geteuid() == 0)
            m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        else
            m_ok = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder()
    {
        if (::geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    Q_DISABLE_COPY(ReadOnlyFolder)
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
};

// Files larger than limit bytes cannot be written by this process while it
// lives: the disk "fills up" in the middle of a write.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = limit;
        m_ok = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    Q_DISABLE_COPY(FileSizeLimit)
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    bool m_ok = false;
};

// Real message boxes, scripted file dialogs.
class RealBoxes final : public DialogService {
public:
    explicit RealBoxes(ScriptedDialogs &inner) : m_inner(inner) { DialogService::setInstance(this); }
    ~RealBoxes() override { DialogService::setInstance(&m_inner); }
    Q_DISABLE_COPY(RealBoxes)

    MessageReply message(const MessageRequest &request) override { return m_real.message(request); }
    QString openFileName(QWidget *p, const QString &c, const QString &d, const QString &f) override
    {
        return m_inner.openFileName(p, c, d, f);
    }
    QString saveFileName(QWidget *p, const QString &c, const QString &d, const QString &f) override
    {
        return m_inner.saveFileName(p, c, d, f);
    }
    QString existingDirectory(QWidget *p, const QString &c, const QString &d) override
    {
        return m_inner.existingDirectory(p, c, d);
    }
    bool openUrl(const QUrl &url) override { return m_inner.openUrl(url); }
    OverwriteReply askOverwrite(const QString &fileName) override { return m_inner.askOverwrite(fileName); }
    int exec(QDialog &dialog) override { return m_inner.exec(dialog); }

private:
    ScriptedDialogs &m_inner;
    QtDialogService m_real;
};

QString seriesName(int id)
{
    return id == 13 ? QStringLiteral("QXC330") : QStringLiteral("QXC335");
}

} // namespace

void TestDesignFlows::saveWritesFactoryDocument_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::newRow("QXC330") << 13;
    QTest::newRow("QXC335") << 14;
}

void TestDesignFlows::saveWritesFactoryDocument()
{
    QFETCH(int, seriesId);
    auto widget = newSeriesWidget(seriesId);
    QVERIFY(widget);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.TFCC"));

    ScriptedDialogs dialogs;
    DirRecorder recorder(dialogs);
    dialogs.answerPath(path);
    widget->saveConfig(seriesName(seriesId));

    QByteArray expected = factoryQxc330Document();
    expected.replace("QXC330", seriesName(seriesId).toLatin1());
    QCOMPARE(QString::fromUtf8(readBytes(path)), QString::fromUtf8(expected));

    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::SaveFile), 1);
    const auto *save = dialogs.last(ScriptedDialogs::Kind::SaveFile);
    QCOMPARE(save->title, QStringLiteral("Save"));
    QCOMPARE(save->filter, QStringLiteral("Config file (*.TFCC)"));
    QCOMPARE(recorder.dirs, QStringList{seriesName(seriesId) + QStringLiteral("_Clock")});
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    const auto *box = dialogs.last();
    QCOMPARE(box->icon, QMessageBox::Information);
    QCOMPARE(box->title, QStringLiteral("Information"));
    QCOMPARE(box->text, QStringLiteral("Save file succeed!"));
    QCOMPARE(box->buttonLabels, QStringList{QStringLiteral("Ok")});
}

void TestDesignFlows::saveCancelledWritesNothing()
{
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    ScriptedDialogs dialogs; // the save dialog is cancelled
    widget->saveConfig(QStringLiteral("QXC330"));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::SaveFile), 1);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 0);
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    // Without a series name nothing is asked at all.
    ScriptedDialogs silent;
    widget->saveConfig(QString());
    QVERIFY(silent.requests.isEmpty());
}

void TestDesignFlows::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("disk full in the middle of the write") << "midwrite";
    QTest::newRow("missing folder") << "missing";
}

void TestDesignFlows::failedSaveKeepsOldFile()
{
    QFETCH(QString, failure);
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    const QByteArray old = "an older design that must survive\n";
    QString path = dir.filePath(QStringLiteral("design.TFCC"));
    QVERIFY(writeBytes(path, old));

    ScriptedDialogs dialogs;
    std::unique_ptr<ReadOnlyFolder> readOnly;
    std::unique_ptr<FileSizeLimit> limit;
    if (failure == QLatin1String("readonly")) {
        readOnly.reset(new ReadOnlyFolder(dir.path()));
        if (!readOnly->ok())
            QSKIP("this file system cannot make a folder read-only");
    } else if (failure == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("folder.TFCC"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.TFCC")));
        QVERIFY(writeBytes(path + QStringLiteral("/inside"), old));
    } else if (failure == QLatin1String("midwrite")) {
        limit.reset(new FileSizeLimit(rlim_t(old.size() + 10)));
        QVERIFY(limit->ok());
    } else {
        path = dir.filePath(QStringLiteral("missing/design.TFCC"));
    }
    dialogs.answerPath(path);
    widget->saveConfig(QStringLiteral("QXC330"));
    limit.reset();
    readOnly.reset();

    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    const auto *box = dialogs.last();
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->title, QStringLiteral("Error"));
    QCOMPARE(box->text, QStringLiteral("Save file failed!"));
    QCOMPARE(box->buttonLabels, QStringList{QStringLiteral("Ok")});

    // The old file is untouched and no temporary file is left behind.
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("design.TFCC"))), old);
    if (failure == QLatin1String("folder"))
        QCOMPARE(readBytes(path + QStringLiteral("/inside")), old);
    QStringList expectedEntries{QStringLiteral("design.TFCC")};
    if (failure == QLatin1String("folder"))
        expectedEntries.append(QStringLiteral("folder.TFCC"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             expectedEntries);
}

void TestDesignFlows::generationCancelledDoesNothing()
{
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    ScriptedDialogs dialogs;
    DirRecorder recorder(dialogs);
    widget->generateCode();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Directory), 1);
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Directory)->title, QStringLiteral("Select directory"));
    // No start folder is proposed.
    QCOMPARE(recorder.dirs, QStringList{QString()});
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 0);
}

void TestDesignFlows::folderCreationFailure_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("message");
    QTest::newRow("inc is a file") << "inc"
                                   << "Creating \"inc\" folder error!";
    QTest::newRow("src is a file") << "src"
                                   << "Creating \"src\" folder error!";
}

void TestDesignFlows::folderCreationFailure()
{
    QFETCH(QString, blocked);
    QFETCH(QString, message);
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath(blocked), "not a folder"));

    ScriptedDialogs dialogs;
    dialogs.answerPath(dir.path());
    widget->generateCode();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last()->text, message);
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Overwrite), 0);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("src/main.c"))));
}

void TestDesignFlows::generationSucceeds_data()
{
    QTest::addColumn<int>("seriesId");
    QTest::addColumn<bool>("openFolder");
    QTest::addColumn<QString>("subfolder");
    QTest::newRow("QXC330, OK") << 13 << false << QString();
    QTest::newRow("QXC335, Open Folder") << 14 << true << QString();
    QTest::newRow("missing parents are created") << 13 << true << QStringLiteral("a/b");
}

void TestDesignFlows::generationSucceeds()
{
    QFETCH(int, seriesId);
    QFETCH(bool, openFolder);
    QFETCH(QString, subfolder);
    auto widget = newSeriesWidget(seriesId);
    QVERIFY(widget);
    QTemporaryDir dir;
    const QString target = subfolder.isEmpty() ? dir.path() : dir.filePath(subfolder);

    ScriptedDialogs dialogs;
    dialogs.answerPath(target);
    if (openFolder)
        dialogs.answerExtra(0);
    else
        dialogs.answerButton(QMessageBox::Ok);
    widget->generateCode();

    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    const auto *box = dialogs.last();
    QCOMPARE(box->icon, QMessageBox::Information);
    QCOMPARE(box->title, QStringLiteral("Information"));
    QCOMPARE(box->text,
             QStringLiteral("Generate code finished!  Files:\n\nsrc/main.c\nsrc/qxc330_335_clock.c\n"
                            "inc/qxc330_335_clock.h\ninc/qxc330_335_conf.h\n"));
    QCOMPARE(box->extraButtons, QStringList{QStringLiteral(" Open Folder  ")});
    QCOMPARE(box->buttonLabels, QStringList{QStringLiteral("OK")});
    if (openFolder)
        QCOMPARE(dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(target)});
    else
        QVERIFY(dialogs.openedUrls.isEmpty());

    // The files are exactly what the generator renders for this record.
    Codegen::Files files;
    QVERIFY(Codegen::render(*widget->config(), QStringLiteral("qxc330_335"), &files));
    const QDir out(target);
    QCOMPARE(QString::fromUtf8(readBytes(out.filePath(QStringLiteral("src/qxc330_335_clock.c")))),
             files.clockSource);
    QCOMPARE(QString::fromUtf8(readBytes(out.filePath(QStringLiteral("inc/qxc330_335_clock.h")))),
             files.clockHeader);
    QCOMPARE(QString::fromUtf8(readBytes(out.filePath(QStringLiteral("src/main.c")))), files.mainSource);
    QCOMPARE(QString::fromUtf8(readBytes(out.filePath(QStringLiteral("inc/qxc330_335_conf.h")))),
             files.confHeader);
}

void TestDesignFlows::generationFailureIsReported()
{
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("src")));
    const QByteArray mine = "my own clock code\n";
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("src/qxc330_335_clock.c")), mine));

    ScriptedDialogs dialogs; // the overwrite question is refused
    dialogs.answerPath(dir.path());
    widget->generateCode();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Overwrite), 1);
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Overwrite)->text, QStringLiteral("qxc330_335_clock.c"));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last()->title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last()->text, QStringLiteral("Generate code failed!"));
    QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("OK")});
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("src/qxc330_335_clock.c"))), mine);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("src/main.c"))));
}

void TestDesignFlows::realResultBoxes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("generated, open the folder")
        << "generate"
        << " Open Folder  "
        << "Generate code finished!  Files:" << QStringList{" Open Folder  ", "OK"};
    QTest::newRow("generated, OK") << "generate"
                                   << "OK"
                                   << "Generate code finished!  Files:"
                                   << QStringList{" Open Folder  ", "OK"};
    QTest::newRow("saved") << "save"
                           << "Ok"
                           << "Save file succeed!" << QStringList{"Ok"};
    QTest::newRow("save failed") << "savefail"
                                 << "Ok"
                                 << "Save file failed!" << QStringList{"Ok"};
}

void TestDesignFlows::realResultBoxes()
{
    QFETCH(QString, action);
    QFETCH(QString, press);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);
    auto widget = newSeriesWidget(13);
    QVERIFY(widget);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RealBoxes real(dialogs);
    dialogs.answerPath(action == QLatin1String("generate") ? dir.path()
                       : action == QLatin1String("save")   ? dir.filePath(QStringLiteral("a.TFCC"))
                                                           : dir.filePath(QStringLiteral("no/such/a.TFCC")));

    QString seenText;
    QStringList seenButtons;
    QTimer::singleShot(0, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        QAbstractButton *target = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            seenButtons.append(button->text());
            if (button->text() == press)
                target = button;
        }
        if (target)
            target->click();
        else
            box->reject();
    });
    if (action == QLatin1String("generate"))
        widget->generateCode();
    else
        widget->saveConfig(QStringLiteral("QXC330"));

    QVERIFY2(seenText.startsWith(text), qPrintable(seenText));
    seenButtons.sort();
    buttons.sort();
    QCOMPARE(seenButtons, buttons);
    if (press == QLatin1String(" Open Folder  "))
        QCOMPARE(dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(dir.path())});
    else
        QVERIFY(dialogs.openedUrls.isEmpty());
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
    const auto &saved = dialogs.requests.at(1);
    QCOMPARE(saved.title, QStringLiteral("信息"));
    QCOMPARE(saved.text, QStringLiteral("文件保存成功!"));
    const auto *generated = dialogs.last();
    QVERIFY(generated->text.startsWith(QStringLiteral("代码产生完成！ 文件如下：\n\nsrc/main.c\n")));
    QCOMPARE(generated->extraButtons, QStringList{QStringLiteral(" 打开文件夹  ")});
    QCOMPARE(generated->buttonLabels, QStringList{QStringLiteral("确定")});
}

QTEST_MAIN(TestDesignFlows)
#include "tst_designflows.moc"

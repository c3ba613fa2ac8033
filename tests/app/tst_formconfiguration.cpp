#include "FormConfiguration.h"

#include "CustomComboBox1.h"
#include "FakeSeries.h"
#include "MCUSelect_Form.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "Startup.h"
#include "TestHelpers.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

const QString CloseQuestion = "The current configuration will be closed. Please confirm whether to continue?";
const QString NewQuestion = "The current configuration will be closed before creating a new project. Please "
                            "confirm whether to continue?";

// Answers the MCU dialog with a series name, or cancels it for an empty one.
std::function<int(QDialog &)> chooseSeries(const QString &name)
{
    return [name](QDialog &dialog) {
        auto &form = static_cast<MCUSelect_Form &>(dialog);
        form.combo()->setCurrentText(name);
        name.isEmpty() ? form.cancel_button_clicked() : form.ok_button_clicked();
        return form.result();
    };
}

} // namespace

class TestFormConfiguration : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void startsInLocaleLanguage_data();
    void startsInLocaleLanguage();
    void slotOrder();
    void titleButton();
    void replaceConfiguration_data();
    void replaceConfiguration();
    void commandsAndClose_data();
    void commandsAndClose();
    void switchLanguageTranslatesAtOnce();
    void languageCommandsWithoutCatalogue();
    void manualPath();

private:
    // Starts the window as the program does for a locale.
    void start(const QLocale &locale = QLocale(QLocale::English));
    void openSeries(const QString &name);
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_window->workspace()->currentWidget()); }
    QString title() const { return m_window->titleButton()->text(); }

    QTranslator m_translator;
    FormConfiguration *m_window = nullptr;
    QTemporaryDir m_dir;
};

void TestFormConfiguration::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QCoreApplication::removeTranslator(&m_translator);
}

void TestFormConfiguration::start(const QLocale &locale)
{
    const LanguageChoice choice = ::chooseLanguage(locale);
    if (m_translator.load(choice.catalogue))
        QCoreApplication::installTranslator(&m_translator);
    m_window = new FormConfiguration;
    m_window->workspace()->setSeriesFactory(makeFakeSeries);
    m_window->setLanguage(choice.language);
    m_window->setTranslator(&m_translator);
    m_window->show();
}

void TestFormConfiguration::openSeries(const QString &name)
{
    ScriptedDialogs dialogs;
    dialogs.answerButton(QMessageBox::Yes);
    dialogs.answerDialog(chooseSeries(name));
    m_window->NewDesign_Slot();
}

void TestFormConfiguration::startsInLocaleLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("zh_TW") << QLocale(QLocale::Chinese, QLocale::Taiwan) << true;
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << false;
    QTest::newRow("C") << QLocale::c() << false;
}

void TestFormConfiguration::startsInLocaleLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, chinese);
    QCOMPARE(::chooseLanguage(locale).catalogue, QString(chinese ? ":/image/tr_zh.qm" : ":/image/tr_en.qm"));
    start(locale);
    QCOMPARE(m_window->language(), chinese ? 1 : 0);
    QCOMPARE(m_window->action(FormConfiguration::ChineseAction)->isChecked(), chinese);
    QCOMPARE(m_window->action(FormConfiguration::EnglishAction)->isChecked(), !chinese);
    QCOMPARE(title(), QString(chinese ? "时钟配置" : "Clock Configuration"));
    QStringList menus; // title, then the items
    for (const QAction *entry : m_window->menuBar()->actions()) {
        QStringList items;
        for (const QAction *action : entry->menu()->actions()) {
            items << action->text();
            QCOMPARE(action->font().family() + QString::number(action->font().pointSize()),
                     QString("Arial11"));
        }
        menus << entry->text() + ": " + items.join(' ');
    }
    const QStringList en{"Project: New Open Save", "Language: English Chinese",
                         "Generate code: Generate code", "Help: Open Manual New version download Version"};
    const QStringList zh{"项目: 新建 打开 保存", "语言: 英文 简体中文", "生成代码: 生成代码",
                         "帮助: 打开手册 新版本下载 版本"};
    QCOMPARE(menus, chinese ? zh : en);
    QVERIFY(m_window->menuBar()->font().bold());
    QCOMPARE(m_window->menuBar()->font().pointSize(), 13);
}

void TestFormConfiguration::slotOrder()
{
    QCOMPARE(slotsOf(FormConfiguration::staticMetaObject),
             (QStringList{"ClockConfig_PushButton_Slot()", "NewDesign_Slot()", "OpenDesign_Slot()",
                          "SaveDesign_Slot()", "SetLanguage_English_Slot()", "SetLanguage_Chinese_Slot()",
                          "GenerateCode_Slot()", "OpenManual_Slot()", "NewVersionDownload_Slot()",
                          "OpenAbout_Slot()"}));
    QCOMPARE(slotsOf(MCUSelect_Form::staticMetaObject),
             (QStringList{"ok_button_clicked()", "cancel_button_clicked()"}));
}

void TestFormConfiguration::titleButton()
{
    start();
    QPushButton *button = m_window->titleButton();
    QVERIFY(!button->isEnabled());
    // The blue is painted solid although the button is disabled.
    const QImage face = button->grab().toImage();
    QCOMPARE(QColor(face.pixel(3, face.height() / 2)), QColor(57, 169, 220));
    ScriptedDialogs dialogs;
    m_window->ClockConfig_PushButton_Slot();
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QString("MCUSelect_Form"));
    openSeries("QXC310");
    m_window->SetLanguage_Chinese_Slot();
    QVERIFY(!button->isEnabled());
    dialogs.clear();
    m_window->ClockConfig_PushButton_Slot(); // with a series open: nothing to ask
    QCOMPARE(dialogs.requests.size(), 0);
    QCOMPARE(current()->seriesId(), 4);
}

void TestFormConfiguration::replaceConfiguration_data()
{
    QTest::addColumn<bool>("open");         // Open instead of New
    QTest::addColumn<QString>("openFirst"); // series open before, or empty
    QTest::addColumn<int>("confirm");       // answer to the question; 0: Escape
    QTest::addColumn<QString>("pick");      // series picked or named in the file; empty: cancelled
    QTest::addColumn<QString>("expected");  // series open afterwards
    const int yes = QMessageBox::Yes, cancel = QMessageBox::Cancel;
    // clang-format off
    QTest::newRow("new, none open") << false << "" << 0 << "QXC330" << "QXC330";
    QTest::newRow("new, question escaped") << false << "QXC320" << 0 << "QXC300" << "QXC320";
    QTest::newRow("new, yes, dialog cancelled") << false << "QXC320" << yes << "" << "QXC320";
    QTest::newRow("open, none open, unsupported") << true << "" << 0 << "QXC999" << "";
    QTest::newRow("open, question cancelled") << true << "QXC330" << cancel << "QXC320" << "QXC330";
    QTest::newRow("open, yes, file dialog cancelled") << true << "QXC330" << yes << "" << "QXC330";
    QTest::newRow("open, yes, unsupported") << true << "QXC330" << yes << "QXC331" << "QXC330";
    QTest::newRow("open, yes, QXE020") << true << "QXC330" << yes << "QXE020" << "QXE020";
    // clang-format on
}

void TestFormConfiguration::replaceConfiguration()
{
    QFETCH(bool, open);
    QFETCH(QString, openFirst);
    QFETCH(int, confirm);
    QFETCH(QString, pick);
    QFETCH(QString, expected);
    start();
    if (!openFirst.isEmpty())
        openSeries(openFirst);
    QPointer<QXMCUPLL> before = m_window->workspace()->currentWidget();

    ScriptedDialogs dialogs;
    if (confirm)
        dialogs.answerButton(QMessageBox::StandardButton(confirm));
    const QString path = pick.isEmpty() ? QString() : writeFile(m_dir.filePath("d.TFCC"), designNaming(pick));
    if (open && !path.isNull())
        dialogs.answerPath(path);
    else if (!open)
        dialogs.answerDialog(chooseSeries(pick));
    open ? m_window->OpenDesign_Slot() : m_window->NewDesign_Slot();

    // The question comes only with an open configuration, before anything else.
    if (!openFirst.isEmpty()) {
        QCOMPARE(dialogs.requests.first().text, open ? CloseQuestion : NewQuestion);
        QCOMPARE(dialogs.requests.first().icon, QMessageBox::Warning);
        QCOMPARE(dialogs.requests.first().buttonLabels, (QStringList{"Yes", "Cancel"}));
    }
    QCOMPARE(m_window->seriesName(), expected);
    QCOMPARE(title(), QString("Clock Configuration") + (expected.isEmpty() ? QString() : "---" + expected));
    if (!pick.isEmpty() && pick == expected) {
        QVERIFY(before.isNull());
        QCOMPARE(current()->calls, QStringList{open ? QString("load:" + path) : QString("reset")});
        QVERIFY(m_window->workspace()->toolbarHolder()->isVisible());
    } else {
        QCOMPARE(m_window->workspace()->currentWidget(), before.data());
    }
}

void TestFormConfiguration::commandsAndClose_data()
{
    QTest::addColumn<bool>("withSeries");
    QTest::addColumn<int>("answer"); // to the close question; 0: Escape
    QTest::newRow("no configuration") << false << 0;
    QTest::newRow("configuration, close escaped") << true << 0;
    QTest::newRow("configuration, close confirmed") << true << int(QMessageBox::Yes);
}

void TestFormConfiguration::commandsAndClose()
{
    QFETCH(bool, withSeries);
    QFETCH(int, answer);
    start();
    if (withSeries) {
        openSeries("QXC335");
        current()->calls.clear();
    }
    ScriptedDialogs dialogs;
    m_window->action(FormConfiguration::SaveAction)->trigger();
    m_window->action(FormConfiguration::GenerateAction)->trigger();
    if (withSeries)
        QCOMPARE(current()->calls, (QStringList{"save:QXC335", "generate"}));
    const QString none = "Currently no configuration.";
    QCOMPARE(dialogs.texts(), (withSeries ? QStringList() : QStringList{none, none}));

    dialogs.clear();
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));
    const bool closes = !withSeries || answer == QMessageBox::Yes;
    QCOMPARE(m_window->close(), closes);
    QCOMPARE(dialogs.texts(), withSeries ? QStringList{CloseQuestion} : QStringList());
    if (withSeries) {
        QCOMPARE(dialogs.last()->icon, QMessageBox::Question);
        QCOMPARE(current()->calls.size(), 2); // closing never saves
    }
}

void TestFormConfiguration::switchLanguageTranslatesAtOnce()
{
    start();
    openSeries("QXC330");
    current()->control()->setText("built in English");
    m_window->action(FormConfiguration::EnglishAction)->trigger();
    QVERIFY(m_window->action(FormConfiguration::EnglishAction)->isChecked());

    m_window->action(FormConfiguration::ChineseAction)->trigger();
    m_window->action(FormConfiguration::ChineseAction)->trigger();
    QCOMPARE(m_window->language(), 1);
    QVERIFY(m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QCOMPARE(title(), QString("时钟配置---QXC330"));
    QCOMPARE(m_window->workspace()->zoomInAction()->text(), QString("放大"));
    QCOMPARE(current()->control()->text(), QString("built in English"));
    ScriptedDialogs dialogs;
    dialogs.answerOpenUrl(false);
    m_window->close();
    QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"确定", "取消"}));
    m_window->action(FormConfiguration::ManualAction)->trigger();
    const QString manual = QDir::cleanPath(QDir::current().filePath("../Documents/UM_Tickforge.pdf"));
    QCOMPARE(dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(manual)});
    QCOMPARE(dialogs.texts(), (QStringList{"将关闭当前配置，是否继续？", "无法打开使用手册！"}));
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
    m_window->action(FormConfiguration::VersionAction)->trigger();
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QString("VersionAbout"));
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->title, QString("关于"));

    m_window->action(FormConfiguration::EnglishAction)->trigger();
    QCOMPARE(m_window->language(), 0);
    QVERIFY(!m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QCOMPARE(title(), QString("Clock Configuration---QXC330"));
    QCOMPARE(dialogs.requests.size(), 4);
}

void TestFormConfiguration::languageCommandsWithoutCatalogue()
{
    // As after a start-up whose catalogue did not load: nothing installed.
    m_window = new FormConfiguration;
    m_window->setLanguage(0);
    m_window->setTranslator(&m_translator);
    m_window->action(FormConfiguration::ChineseAction)->trigger();
    QCOMPARE(m_window->language(), 0);
    QVERIFY(m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QCOMPARE(m_window->menu(FormConfiguration::ProjectMenu)->title(), QString("Project"));
    QVERIFY(!QCoreApplication::removeTranslator(&m_translator));
}

void TestFormConfiguration::manualPath()
{
    QTemporaryDir root;
    const QDir base(root.path());
    QVERIFY(base.mkpath("a/work") && base.mkpath("a/Documents") && base.mkpath("b/bin") &&
            base.mkpath("b/share/tickforge/Documents"));
    const auto manual = [&base](int language) {
        return FormConfiguration::manualPath(language, base.filePath("a/work"), base.filePath("b/bin"));
    };
    // Found nowhere: the working directory's. Else the working directory first, then the installed one.
    QCOMPARE(manual(1), base.filePath("a/Documents/UM_Tickforge.pdf"));
    QVERIFY(!writeFile(base.filePath("b/share/tickforge/Documents/UM_Tickforge_EN.pdf"), {}).isNull());
    QVERIFY(!writeFile(base.filePath("b/share/tickforge/Documents/UM_Tickforge.pdf"), {}).isNull());
    QCOMPARE(manual(0), base.filePath("b/share/tickforge/Documents/UM_Tickforge_EN.pdf"));
    QVERIFY(!writeFile(base.filePath("a/Documents/UM_Tickforge.pdf"), {}).isNull());
    QCOMPARE(manual(1), base.filePath("a/Documents/UM_Tickforge.pdf"));
}

QTEST_MAIN(TestFormConfiguration)
#include "tst_formconfiguration.moc"

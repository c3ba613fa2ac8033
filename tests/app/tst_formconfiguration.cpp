#include "FormConfiguration.h"

#include "CustomComboBox1.h"
#include "FakeSeries.h"
#include "MCUSelect_Form.h"
#include "PinGraphicsView.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "Startup.h"
#include "TestHelpers.h"

#include <QAction>
#include <QFileInfo>
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

QStringList slotsOf(const QMetaObject &meta)
{
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).methodType() == QMetaMethod::Slot)
            names << QString::fromLatin1(meta.method(i).methodSignature());
    }
    return names;
}

} // namespace

class TestFormConfiguration : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void startsInLocaleLanguage_data();
    void startsInLocaleLanguage();
    void menus_data();
    void menus();
    void slotOrder();
    void titleButtonNeverEnabled();
    void titleButtonAsksForSeriesOnlyWithoutOne();
    void replaceConfiguration_data();
    void replaceConfiguration();
    void saveAndGenerate_data();
    void saveAndGenerate();
    void closeWindow_data();
    void closeWindow();
    void switchLanguageTranslatesAtOnce();
    void activeLanguageStaysChecked_data();
    void activeLanguageStaysChecked();
    void languageCommandsWithoutCatalogue();
    void manualPath_data();
    void manualPath();
    void openManualFails();
    void aboutGoesThroughSeam();

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
    QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << true;
    QTest::newRow("zh_TW") << QLocale(QLocale::Chinese, QLocale::Taiwan) << true;
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << false;
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << false;
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
    QCOMPARE(m_window->menu(FormConfiguration::ProjectMenu)->title(), QString(chinese ? "项目" : "Project"));
    QCOMPARE(title(), QString(chinese ? "时钟配置" : "Clock Configuration"));
}

void TestFormConfiguration::menus_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("menus"); // title, then the items
    QTest::newRow("English") << QLocale(QLocale::English)
                             << QStringList{"Project: New Open Save", "Language: English Chinese",
                                            "Generate code: Generate code",
                                            "Help: Open Manual New version download Version"};
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese)
                             << QStringList{"项目: 新建 打开 保存", "语言: 英文 简体中文",
                                            "生成代码: 生成代码", "帮助: 打开手册 新版本下载 版本"};
}

void TestFormConfiguration::menus()
{
    QFETCH(QLocale, locale);
    start(locale);
    QStringList menus;
    for (const QAction *entry : m_window->menuBar()->actions()) {
        QStringList items;
        for (const QAction *action : entry->menu()->actions()) {
            items << action->text();
            QCOMPARE(action->font().family(), QString("Arial"));
            QCOMPARE(action->font().pointSize(), 11);
            QVERIFY(action->isEnabled());
        }
        menus << entry->text() + ": " + items.join(' ');
    }
    QTEST(menus, "menus");
    QCOMPARE(m_window->menuBar()->font().pointSize(), 13);
    QVERIFY(m_window->menuBar()->font().bold());
}

void TestFormConfiguration::slotOrder()
{
    QCOMPARE(slotsOf(FormConfiguration::staticMetaObject),
             (QStringList{"ClockConfig_PushButton_Slot()", "NewDesign_Slot()", "OpenDesign_Slot()",
                          "SaveDesign_Slot()", "SetLanguage_English_Slot()", "SetLanguage_Chinese_Slot()",
                          "GenerateCode_Slot()", "OpenManual_Slot()", "NewVersionDownload_Slot()",
                          "OpenAbout_Slot()"}));
    QCOMPARE(slotsOf(QXPLLConfig::staticMetaObject),
             (QStringList{"ZoomIn()", "ZoomOut()", "ZoomReset()", "ConfigReset()"}));
    QCOMPARE(slotsOf(PinGraphicsView::staticMetaObject),
             (QStringList{"zoomIn()", "zoomOut()", "zoomReset()", "zoom(float)", "translate(QPointF)",
                          "Focus_InControl_Slot(bool)"}));
    QCOMPARE(slotsOf(MCUSelect_Form::staticMetaObject),
             (QStringList{"ok_button_clicked()", "cancel_button_clicked()"}));
}

void TestFormConfiguration::titleButtonNeverEnabled()
{
    start();
    QPushButton *button = m_window->titleButton();
    QVERIFY(!button->isEnabled());
    // The blue is painted solid although the button is disabled.
    const QImage face = button->grab().toImage();
    QCOMPARE(QColor(face.pixel(3, face.height() / 2)), QColor(57, 169, 220));
    openSeries("QXC330");
    m_window->SetLanguage_Chinese_Slot();
    QVERIFY(!button->isEnabled());
}

void TestFormConfiguration::titleButtonAsksForSeriesOnlyWithoutOne()
{
    start();
    {
        ScriptedDialogs dialogs;
        m_window->ClockConfig_PushButton_Slot();
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QString("MCUSelect_Form"));
    }
    openSeries("QXC310");
    ScriptedDialogs dialogs;
    m_window->ClockConfig_PushButton_Slot();
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
    QTest::newRow("new, none open, dialog cancelled") << false << "" << 0 << "" << "";
    QTest::newRow("new, question cancelled") << false << "QXC320" << cancel << "QXC300" << "QXC320";
    QTest::newRow("new, question escaped") << false << "QXC320" << 0 << "QXC300" << "QXC320";
    QTest::newRow("new, yes, dialog cancelled") << false << "QXC320" << yes << "" << "QXC320";
    QTest::newRow("new, yes, same series again") << false << "QXC320" << yes << "QXC320" << "QXC320";
    QTest::newRow("open, none open") << true << "" << 0 << "QXC320" << "QXC320";
    QTest::newRow("open, none open, unsupported") << true << "" << 0 << "QXC999" << "";
    QTest::newRow("open, question cancelled") << true << "QXC330" << cancel << "QXC320" << "QXC330";
    QTest::newRow("open, question escaped") << true << "QXC330" << 0 << "QXC320" << "QXC330";
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
    const QString titleBefore = title();

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
    if (open && dialogs.count(ScriptedDialogs::Kind::OpenFile)) {
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::OpenFile)->title, QString("Open"));
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::OpenFile)->filter, QString("Config file (*.TFCC)"));
    }
    QCOMPARE(m_window->seriesName(), expected);
    const bool replaced = !pick.isEmpty() && pick == expected;
    if (replaced) {
        QVERIFY(before.isNull());
        QCOMPARE(title(), QString("Clock Configuration---" + expected));
        QCOMPARE(current()->calls, QStringList{open ? QString("load:" + path) : QString("reset")});
        QCOMPARE(current()->graphicsView()->scaleValue(), 1.0);
        QVERIFY(m_window->workspace()->toolbarHolder()->isVisible());
    } else {
        QCOMPARE(m_window->workspace()->currentWidget(), before.data());
        QCOMPARE(title(), titleBefore);
    }
    // The title keeps naming the open series after a retranslation too.
    m_window->retranslateUi();
    QCOMPARE(title(), QString("Clock Configuration") + (expected.isEmpty() ? QString() : "---" + expected));
}

void TestFormConfiguration::saveAndGenerate_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("withSeries");
    QTest::newRow("save without configuration") << true << false;
    QTest::newRow("generate without configuration") << false << false;
    QTest::newRow("save with configuration") << true << true;
    QTest::newRow("generate with configuration") << false << true;
}

void TestFormConfiguration::saveAndGenerate()
{
    QFETCH(bool, save);
    QFETCH(bool, withSeries);
    start();
    if (withSeries) {
        openSeries("QXC335");
        current()->calls.clear();
    }
    ScriptedDialogs dialogs;
    m_window->action(save ? FormConfiguration::SaveAction : FormConfiguration::GenerateAction)->trigger();
    if (withSeries) {
        QCOMPARE(dialogs.requests.size(), 0);
        QCOMPARE(current()->calls, QStringList{save ? "save:QXC335" : "generate"});
    } else {
        QCOMPARE(dialogs.texts(), QStringList{"Currently no configuration."});
        QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
        QCOMPARE(dialogs.last()->buttonLabels, QStringList{"Ok"});
    }
}

void TestFormConfiguration::closeWindow_data()
{
    QTest::addColumn<bool>("withSeries");
    QTest::addColumn<int>("answer"); // 0: Escape
    QTest::addColumn<bool>("closes");
    QTest::newRow("no configuration") << false << 0 << true;
    QTest::newRow("configuration, yes") << true << int(QMessageBox::Yes) << true;
    QTest::newRow("configuration, cancel") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("configuration, escape") << true << 0 << false;
}

void TestFormConfiguration::closeWindow()
{
    QFETCH(bool, withSeries);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    start();
    if (withSeries)
        openSeries("QXC300A");
    ScriptedDialogs dialogs;
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));

    QCOMPARE(m_window->close(), closes);
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(dialogs.texts(), withSeries ? QStringList{CloseQuestion} : QStringList());
    if (withSeries) {
        QCOMPARE(dialogs.last()->icon, QMessageBox::Question);
        // Closing never saves.
        QCOMPARE(current()->calls, QStringList{"reset"});
    }
}

void TestFormConfiguration::switchLanguageTranslatesAtOnce()
{
    start();
    openSeries("QXC330");
    current()->control()->setText("built in English");

    m_window->action(FormConfiguration::ChineseAction)->trigger();

    QCOMPARE(m_window->language(), 1);
    QVERIFY(!m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QCOMPARE(title(), QString("时钟配置---QXC330"));
    QCOMPARE(m_window->menu(FormConfiguration::HelpMenu)->title(), QString("帮助"));
    QCOMPARE(m_window->workspace()->zoomInAction()->text(), QString("放大"));
    // The series widget keeps what it was built with.
    QCOMPARE(current()->control()->text(), QString("built in English"));
    {
        ScriptedDialogs dialogs;
        m_window->close();
        QCOMPARE(dialogs.last()->title, QString("警告"));
        QCOMPARE(dialogs.last()->text, QString("将关闭当前配置，是否继续？"));
        QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"确定", "取消"}));
    }

    m_window->action(FormConfiguration::EnglishAction)->trigger();
    QCOMPARE(m_window->language(), 0);
    QVERIFY(!m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QCOMPARE(title(), QString("Clock Configuration---QXC330"));
    QCOMPARE(m_window->workspace()->zoomInAction()->text(), QString("Zoom in"));
}

void TestFormConfiguration::activeLanguageStaysChecked_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("actionId");
    QTest::addColumn<QString>("newText");
    QTest::newRow("English") << QLocale(QLocale::English) << int(FormConfiguration::EnglishAction) << "New";
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese) << int(FormConfiguration::ChineseAction) << "新建";
}

void TestFormConfiguration::activeLanguageStaysChecked()
{
    QFETCH(QLocale, locale);
    QFETCH(int, actionId);
    start(locale);
    const int language = m_window->language();
    QAction *active = m_window->action(FormConfiguration::ActionId(actionId));
    active->trigger();
    active->trigger();
    QVERIFY(active->isChecked());
    QCOMPARE(m_window->language(), language);
    QCOMPARE(m_window->action(FormConfiguration::EnglishAction)->isChecked(), language == 0);
    QTEST(m_window->action(FormConfiguration::NewAction)->text(), "newText");
}

void TestFormConfiguration::languageCommandsWithoutCatalogue()
{
    // As after a start-up whose catalogue did not load: nothing installed.
    m_window = new FormConfiguration;
    m_window->setLanguage(0);
    m_window->setTranslator(&m_translator);
    m_window->action(FormConfiguration::ChineseAction)->trigger();
    QCOMPARE(m_window->language(), 0);
    QVERIFY(!m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QVERIFY(m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QCOMPARE(m_window->menu(FormConfiguration::ProjectMenu)->title(), QString("Project"));
    QVERIFY(!QCoreApplication::removeTranslator(&m_translator));
}

void TestFormConfiguration::manualPath_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("existsIn"); // of "a" (beside the working dir), "b" (beside the program)
    QTest::addColumn<QString>("expected");
    QTest::newRow("Chinese, nowhere") << 1 << QStringList() << "a/Documents/UM_Tickforge.pdf";
    QTest::newRow("English, in working dir") << 0 << QStringList{"a"} << "a/Documents/UM_Tickforge_EN.pdf";
    QTest::newRow("English, beside program") << 0 << QStringList{"b"} << "b/Documents/UM_Tickforge_EN.pdf";
    QTest::newRow("Chinese, both") << 1 << QStringList{"a", "b"} << "a/Documents/UM_Tickforge.pdf";
}

void TestFormConfiguration::manualPath()
{
    QFETCH(int, language);
    QFETCH(QStringList, existsIn);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QDir base(root.path());
    QVERIFY(base.mkpath("a/work") && base.mkpath("a/Documents"));
    QVERIFY(base.mkpath("b/bin") && base.mkpath("b/Documents"));
    const QString fileName = QFileInfo(expected).fileName();
    for (const QString &side : existsIn)
        QVERIFY(!writeFile(base.filePath(side + "/Documents/" + fileName), {}).isNull());
    QCOMPARE(FormConfiguration::manualPath(language, base.filePath("a/work"), base.filePath("b/bin")),
             base.filePath(expected));
}

void TestFormConfiguration::openManualFails()
{
    start(QLocale(QLocale::Chinese));
    ScriptedDialogs dialogs;
    dialogs.answerOpenUrl(false);
    m_window->action(FormConfiguration::ManualAction)->trigger();
    const QString manual = QDir::cleanPath(QDir::current().filePath("../Documents/UM_Tickforge.pdf"));
    QCOMPARE(dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(manual)});
    QCOMPARE(dialogs.texts(), QStringList{"无法打开使用手册！"});
    QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
}

void TestFormConfiguration::aboutGoesThroughSeam()
{
    start(QLocale(QLocale::Chinese));
    ScriptedDialogs dialogs;
    m_window->action(FormConfiguration::VersionAction)->trigger();
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QString("VersionAbout"));
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->title, QString("关于"));
}

QTEST_MAIN(TestFormConfiguration)
#include "tst_formconfiguration.moc"

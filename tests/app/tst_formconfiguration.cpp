#include "FormConfiguration.h"

#include "FakeSeries.h"
#include "CustomComboBox1.h"
#include "MCUSelect_Form.h"
#include "PinGraphicsView.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "Startup.h"
#include "VersionAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

namespace {

const QString NoConfiguration = QStringLiteral("Currently no configuration.");
const QString CloseQuestion =
    QStringLiteral("The current configuration will be closed. Please confirm whether to continue?");
const QString NewQuestionEn = QStringLiteral("The current configuration will be closed before creating a new "
                                             "project. Please confirm whether to continue?");

// Answers the MCU dialog with a series name, or cancels it for an empty one.
std::function<int(QDialog &)> chooseSeries(const QString &name)
{
    return [name](QDialog &dialog) {
        auto &form = static_cast<MCUSelect_Form &>(dialog);
        if (name.isEmpty()) {
            form.cancel_button_clicked();
        } else {
            form.combo()->setCurrentText(name);
            form.ok_button_clicked();
        }
        return form.result();
    };
}

QString writeDesign(const QTemporaryDir &dir, const QString &mcu)
{
    const QString path =
        dir.filePath(mcu.isEmpty() ? QStringLiteral("none.TFCC") : mcu + QStringLiteral(".TFCC"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TFCC><MCU>" + mcu.toUtf8() + "</MCU></TFCC>\n");
    return path;
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text();
    return texts;
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
    void init();
    void cleanup();

    void languageFromLocale_data();
    void languageFromLocale();
    void startsInLocaleLanguage_data();
    void startsInLocaleLanguage();
    void menus_data();
    void menus();
    void slotOrder_data();
    void slotOrder();
    void titleButtonNeverEnabled();
    void titleButtonSlot();
    void newDesign_data();
    void newDesign();
    void openDesign_data();
    void openDesign();
    void withoutConfiguration_data();
    void withoutConfiguration();
    void closeWindow_data();
    void closeWindow();
    void switchLanguageTranslatesAtOnce();
    void activeLanguageStaysChecked_data();
    void activeLanguageStaysChecked();
    void languageCommandsWithoutCatalogue();
    void manualPath_data();
    void manualPath();
    void openManual_data();
    void openManual();
    void aboutGoesThroughSeam();

private:
    // Starts the window as the program does for a locale.
    void start(const QLocale &locale);
    void openSeries(const QString &name);
    FakeSeries *current() const { return static_cast<FakeSeries *>(m_window->workspace()->currentWidget()); }

    QTranslator m_translator;
    FormConfiguration *m_window = nullptr;
    QTemporaryDir m_dir;
};

void TestFormConfiguration::init()
{
    QVERIFY(m_dir.isValid());
}

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

void TestFormConfiguration::languageFromLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("catalogue");
    const QString zh = QStringLiteral(":/image/tr_zh.qm"), en = QStringLiteral(":/image/tr_en.qm");
    QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << 1 << zh;
    QTest::newRow("zh_TW") << QLocale(QLocale::Chinese, QLocale::Taiwan) << 1 << zh;
    QTest::newRow("zh_SG") << QLocale(QLocale::Chinese, QLocale::Singapore) << 1 << zh;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << 0 << en;
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << 0 << en;
    QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << 0 << en;
    QTest::newRow("C") << QLocale::c() << 0 << en;
}

void TestFormConfiguration::languageFromLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(int, language);
    QFETCH(QString, catalogue);
    const LanguageChoice choice = ::chooseLanguage(locale);
    QCOMPARE(choice.language, language);
    QCOMPARE(choice.catalogue, catalogue);
    QTranslator translator;
    QVERIFY(translator.load(choice.catalogue));
}

void TestFormConfiguration::startsInLocaleLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("title");
    QTest::newRow("Chinese locale") << QLocale(QLocale::Chinese, QLocale::China) << true << "项目"
                                    << "时钟配置";
    QTest::newRow("English locale") << QLocale(QLocale::English, QLocale::UnitedKingdom) << false << "Project"
                                    << "Clock Configuration";
    QTest::newRow("French locale") << QLocale(QLocale::French, QLocale::France) << false << "Project"
                                   << "Clock Configuration";
}

void TestFormConfiguration::startsInLocaleLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, chinese);
    QFETCH(QString, project);
    QFETCH(QString, title);
    start(locale);
    QCOMPARE(m_window->language(), chinese ? 1 : 0);
    QCOMPARE(m_window->action(FormConfiguration::ChineseAction)->isChecked(), chinese);
    QCOMPARE(m_window->action(FormConfiguration::EnglishAction)->isChecked(), !chinese);
    QCOMPARE(m_window->menu(FormConfiguration::ProjectMenu)->title(), project);
    QCOMPARE(m_window->titleButton()->text(), title);
}

void TestFormConfiguration::menus_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<QStringList>>("items");

    QTest::newRow("English") << QLocale(QLocale::English)
                             << QStringList{"Project", "Language", "Generate code", "Help"}
                             << QList<QStringList>{{"New", "Open", "Save"},
                                                   {"English", "Chinese"},
                                                   {"Generate code"},
                                                   {"Open Manual", "New version download", "Version"}};
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese) << QStringList{"项目", "语言", "生成代码", "帮助"}
                             << QList<QStringList>{{"新建", "打开", "保存"},
                                                   {"英文", "简体中文"},
                                                   {"生成代码"},
                                                   {"打开手册", "新版本下载", "版本"}};
}

void TestFormConfiguration::menus()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, titles);
    QFETCH(QList<QStringList>, items);
    start(locale);

    const QList<QAction *> bar = m_window->menuBar()->actions();
    QCOMPARE(bar.size(), titles.size());
    for (int m = 0; m < bar.size(); ++m) {
        QCOMPARE(bar.at(m)->text(), titles.at(m));
        QCOMPARE(menuTexts(bar.at(m)->menu()), items.at(m));
        for (const QAction *action : bar.at(m)->menu()->actions()) {
            QVERIFY(action->isEnabled());
            QVERIFY(action->icon().isNull());
            QVERIFY(action->shortcut().isEmpty());
            QCOMPARE(action->isCheckable(), m == FormConfiguration::LanguageMenu);
            QCOMPARE(action->font().family(), QStringLiteral("Arial"));
            QCOMPARE(action->font().pointSize(), 11);
        }
    }
    QCOMPARE(m_window->menuBar()->font().pointSize(), 13);
    QVERIFY(m_window->menuBar()->font().bold());
    QCOMPARE(m_window->titleButton()->font().pointSize(), 13);
    QVERIFY(m_window->titleButton()->font().bold());
}

void TestFormConfiguration::slotOrder_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("FormConfiguration") << "FormConfiguration"
                                       << QStringList{"ClockConfig_PushButton_Slot()",
                                                      "NewDesign_Slot()",
                                                      "OpenDesign_Slot()",
                                                      "SaveDesign_Slot()",
                                                      "SetLanguage_English_Slot()",
                                                      "SetLanguage_Chinese_Slot()",
                                                      "GenerateCode_Slot()",
                                                      "OpenManual_Slot()",
                                                      "NewVersionDownload_Slot()",
                                                      "OpenAbout_Slot()"};
    QTest::newRow("QXPLLConfig") << "QXPLLConfig"
                                 << QStringList{"ZoomIn()", "ZoomOut()", "ZoomReset()", "ConfigReset()"};
    QTest::newRow("PinGraphicsView") << "PinGraphicsView"
                                     << QStringList{"zoomIn()",           "zoomOut()",
                                                    "zoomReset()",        "zoom(float)",
                                                    "translate(QPointF)", "Focus_InControl_Slot(bool)"};
    QTest::newRow("MCUSelect_Form") << "MCUSelect_Form"
                                    << QStringList{"ok_button_clicked()", "cancel_button_clicked()"};
}

void TestFormConfiguration::slotOrder()
{
    QFETCH(QString, className);
    QFETCH(QStringList, expected);
    const QHash<QString, const QMetaObject *> classes{
        {QStringLiteral("FormConfiguration"), &FormConfiguration::staticMetaObject},
        {QStringLiteral("QXPLLConfig"), &QXPLLConfig::staticMetaObject},
        {QStringLiteral("PinGraphicsView"), &PinGraphicsView::staticMetaObject},
        {QStringLiteral("MCUSelect_Form"), &MCUSelect_Form::staticMetaObject},
    };
    QCOMPARE(slotsOf(*classes.value(className)), expected);
}

void TestFormConfiguration::titleButtonNeverEnabled()
{
    start(QLocale(QLocale::English));
    QPushButton *button = m_window->titleButton();
    QVERIFY(!button->isEnabled());
    QVERIFY(button->styleSheet().startsWith(
        QStringLiteral("background-color: rgb(57, 169, 220); color: white;")));
    // The blue is painted solid although the button is disabled.
    const QImage face = button->grab().toImage();
    QCOMPARE(QColor(face.pixel(3, face.height() / 2)), QColor(57, 169, 220));

    openSeries(QStringLiteral("QXC330"));
    QCOMPARE(button->text(), QStringLiteral("Clock Configuration---QXC330"));
    QVERIFY(!button->isEnabled());

    m_window->SetLanguage_Chinese_Slot();
    QCOMPARE(button->text(), QStringLiteral("时钟配置---QXC330"));
    QVERIFY(!button->isEnabled());

    ScriptedDialogs dialogs;
    dialogs.answerPath(writeDesign(m_dir, QStringLiteral("QXC305")));
    dialogs.answerButton(QMessageBox::Yes);
    m_window->OpenDesign_Slot();
    QCOMPARE(button->text(), QStringLiteral("时钟配置---QXC305"));
    QVERIFY(!button->isEnabled());
}

void TestFormConfiguration::titleButtonSlot()
{
    start(QLocale(QLocale::English));
    {
        ScriptedDialogs dialogs;
        m_window->ClockConfig_PushButton_Slot();
        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Dialog), 1);
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QStringLiteral("MCUSelect_Form"));
    }
    openSeries(QStringLiteral("QXC310"));
    ScriptedDialogs dialogs;
    m_window->ClockConfig_PushButton_Slot();
    QCOMPARE(dialogs.requests.size(), 0);
    QCOMPARE(current()->seriesId(), 4);
}

void TestFormConfiguration::newDesign_data()
{
    QTest::addColumn<QString>("openFirst");  // series open before, or empty
    QTest::addColumn<int>("confirmAnswer");  // 0: no scripted answer (Escape)
    QTest::addColumn<QString>("dialogPick"); // empty: the MCU dialog is cancelled
    QTest::addColumn<QString>("expectedSeries");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("none open, pick QXC330") << "" << 0 << "QXC330"
                                            << "QXC330" << true;
    QTest::newRow("none open, dialog cancelled") << "" << 0 << ""
                                                 << "" << false;
    QTest::newRow("open, question cancelled") << "QXC320" << int(QMessageBox::Cancel) << "QXC300"
                                              << "QXC320" << false;
    QTest::newRow("open, question escaped") << "QXC320" << 0 << "QXC300"
                                            << "QXC320" << false;
    QTest::newRow("open, yes, dialog cancelled") << "QXC320" << int(QMessageBox::Yes) << ""
                                                 << "QXC320" << false;
    QTest::newRow("open, yes, pick QXE020") << "QXC320" << int(QMessageBox::Yes) << "QXE020"
                                            << "QXE020" << true;
    QTest::newRow("open, yes, same series again") << "QXC320" << int(QMessageBox::Yes) << "QXC320"
                                                  << "QXC320" << true;
}

void TestFormConfiguration::newDesign()
{
    QFETCH(QString, openFirst);
    QFETCH(int, confirmAnswer);
    QFETCH(QString, dialogPick);
    QFETCH(QString, expectedSeries);
    QFETCH(bool, replaced);

    start(QLocale(QLocale::English));
    if (!openFirst.isEmpty())
        openSeries(openFirst);
    QPointer<QXMCUPLL> before = m_window->workspace()->currentWidget();
    if (before)
        before->graphicsView()->zoomIn();
    const QString titleBefore = m_window->titleButton()->text();

    ScriptedDialogs dialogs;
    if (confirmAnswer)
        dialogs.answerButton(QMessageBox::StandardButton(confirmAnswer));
    dialogs.answerDialog(chooseSeries(dialogPick));
    m_window->NewDesign_Slot();

    if (!openFirst.isEmpty()) {
        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 1);
        const ScriptedDialogs::Request *question = dialogs.last();
        QCOMPARE(question->icon, QMessageBox::Warning);
        QCOMPARE(question->title, QStringLiteral("Warning"));
        QCOMPARE(question->text, NewQuestionEn);
        QCOMPARE(question->buttonLabels, (QStringList{QStringLiteral("Yes"), QStringLiteral("Cancel")}));
    } else {
        QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), 0);
    }

    if (replaced) {
        QVERIFY(before.isNull());
        QCOMPARE(m_window->seriesName(), expectedSeries);
        QCOMPARE(m_window->titleButton()->text(), QStringLiteral("Clock Configuration---") + expectedSeries);
        QCOMPARE(current()->calls, QStringList{QStringLiteral("reset")});
        QCOMPARE(current()->graphicsView()->scaleValue(), 1.0);
        QVERIFY(m_window->workspace()->toolbarHolder()->isVisible());
    } else {
        QCOMPARE(m_window->workspace()->currentWidget(), before.data());
        QCOMPARE(m_window->titleButton()->text(), titleBefore);
        QCOMPARE(m_window->seriesName().isNull(), openFirst.isEmpty());
        if (before)
            QCOMPARE(before->graphicsView()->scaleValue(), double(1.03f));
    }
}

void TestFormConfiguration::openDesign_data()
{
    QTest::addColumn<QString>("openFirst");
    QTest::addColumn<int>("confirmAnswer");
    QTest::addColumn<QString>("fileMcu"); // "<cancel>" cancels the file dialog
    QTest::addColumn<QString>("expectedSeries");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("fileAsked");

    QTest::newRow("none open, QXC320 file") << "" << 0 << "QXC320"
                                            << "QXC320" << true << true;
    QTest::newRow("none open, unsupported file") << "" << 0 << "QXC999"
                                                 << "" << false << true;
    QTest::newRow("open, question cancelled") << "QXC330" << int(QMessageBox::Cancel) << "QXC320"
                                              << "QXC330" << false << false;
    QTest::newRow("open, question escaped") << "QXC330" << 0 << "QXC320"
                                            << "QXC330" << false << false;
    QTest::newRow("open, yes, file dialog cancelled") << "QXC330" << int(QMessageBox::Yes) << "<cancel>"
                                                      << "QXC330" << false << true;
    QTest::newRow("open, yes, unsupported file") << "QXC330" << int(QMessageBox::Yes) << "QXC331"
                                                 << "QXC330" << false << true;
    QTest::newRow("open, yes, QXE020 file") << "QXC330" << int(QMessageBox::Yes) << "QXE020"
                                            << "QXE020" << true << true;
}

void TestFormConfiguration::openDesign()
{
    QFETCH(QString, openFirst);
    QFETCH(int, confirmAnswer);
    QFETCH(QString, fileMcu);
    QFETCH(QString, expectedSeries);
    QFETCH(bool, replaced);
    QFETCH(bool, fileAsked);

    start(QLocale(QLocale::English));
    if (!openFirst.isEmpty())
        openSeries(openFirst);
    QPointer<QXMCUPLL> before = m_window->workspace()->currentWidget();
    const QString titleBefore = m_window->titleButton()->text();

    ScriptedDialogs dialogs;
    if (confirmAnswer)
        dialogs.answerButton(QMessageBox::StandardButton(confirmAnswer));
    const QString path = fileMcu == QLatin1String("<cancel>") ? QString() : writeDesign(m_dir, fileMcu);
    if (!path.isNull())
        dialogs.answerPath(path);
    m_window->OpenDesign_Slot();

    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::OpenFile), fileAsked ? 1 : 0);
    if (fileAsked) {
        const ScriptedDialogs::Request *request = dialogs.last(ScriptedDialogs::Kind::OpenFile);
        QCOMPARE(request->title, QStringLiteral("Open"));
        QCOMPARE(request->filter, QStringLiteral("Config file (*.TFCC)"));
    }
    if (!openFirst.isEmpty()) {
        const ScriptedDialogs::Request &question = dialogs.requests.first();
        QCOMPARE(question.text, CloseQuestion);
        QCOMPARE(question.icon, QMessageBox::Warning);
    }

    if (replaced) {
        QVERIFY(before.isNull());
        QCOMPARE(current()->calls, QStringList{QStringLiteral("load:") + path});
        QCOMPARE(m_window->titleButton()->text(), QStringLiteral("Clock Configuration---") + expectedSeries);
    } else {
        QCOMPARE(m_window->workspace()->currentWidget(), before.data());
        QCOMPARE(m_window->titleButton()->text(), titleBefore);
    }
    QCOMPARE(m_window->seriesName(), expectedSeries);
    // The title keeps naming the open series after a retranslation too.
    m_window->retranslateUi();
    QCOMPARE(m_window->titleButton()->text(),
             expectedSeries.isEmpty() ? QStringLiteral("Clock Configuration")
                                      : QStringLiteral("Clock Configuration---") + expectedSeries);
}

void TestFormConfiguration::withoutConfiguration_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("withSeries");
    QTest::addColumn<QString>("forwarded");
    QTest::newRow("save without configuration") << true << false << "";
    QTest::newRow("generate without configuration") << false << false << "";
    QTest::newRow("save with configuration") << true << true << "save:QXC335";
    QTest::newRow("generate with configuration") << false << true << "generate";
}

void TestFormConfiguration::withoutConfiguration()
{
    QFETCH(bool, save);
    QFETCH(bool, withSeries);
    QFETCH(QString, forwarded);

    start(QLocale(QLocale::English));
    if (withSeries) {
        openSeries(QStringLiteral("QXC335"));
        current()->calls.clear();
    }
    ScriptedDialogs dialogs;
    QAction *action =
        m_window->action(save ? FormConfiguration::SaveAction : FormConfiguration::GenerateAction);
    QVERIFY(action->isEnabled());
    action->trigger();

    if (withSeries) {
        QCOMPARE(dialogs.requests.size(), 0);
        QCOMPARE(current()->calls, QStringList{forwarded});
    } else {
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
        QCOMPARE(dialogs.last()->title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.last()->text, NoConfiguration);
        QCOMPARE(dialogs.last()->buttonLabels, QStringList{QStringLiteral("Ok")});
        QVERIFY(!m_window->workspace()->hasConfiguration());
    }
}

void TestFormConfiguration::closeWindow_data()
{
    QTest::addColumn<bool>("withSeries");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("questions");
    QTest::newRow("no configuration") << false << 0 << true << 0;
    QTest::newRow("configuration, yes") << true << int(QMessageBox::Yes) << true << 1;
    QTest::newRow("configuration, cancel") << true << int(QMessageBox::Cancel) << false << 1;
    QTest::newRow("configuration, escape") << true << 0 << false << 1;
}

void TestFormConfiguration::closeWindow()
{
    QFETCH(bool, withSeries);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(int, questions);

    start(QLocale(QLocale::English));
    if (withSeries)
        openSeries(QStringLiteral("QXC300A"));
    ScriptedDialogs dialogs;
    if (answer)
        dialogs.answerButton(QMessageBox::StandardButton(answer));

    QCOMPARE(m_window->close(), closes);
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(dialogs.requests.size(), questions);
    if (questions) {
        QCOMPARE(dialogs.last()->icon, QMessageBox::Question);
        QCOMPARE(dialogs.last()->title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.last()->text, CloseQuestion);
    }
    // Closing never saves.
    if (withSeries)
        QCOMPARE(current()->calls, QStringList{QStringLiteral("reset")});
}

void TestFormConfiguration::switchLanguageTranslatesAtOnce()
{
    start(QLocale(QLocale::English));
    openSeries(QStringLiteral("QXC330"));
    auto *control = current()->control();
    control->setText(QStringLiteral("built in English"));

    m_window->action(FormConfiguration::ChineseAction)->trigger();

    QCOMPARE(m_window->language(), 1);
    QVERIFY(m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QVERIFY(!m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QCOMPARE(m_window->titleButton()->text(), QStringLiteral("时钟配置---QXC330"));
    QCOMPARE(m_window->menu(FormConfiguration::HelpMenu)->title(), QStringLiteral("帮助"));
    QCOMPARE(m_window->action(FormConfiguration::VersionAction)->text(), QStringLiteral("版本"));
    QCOMPARE(m_window->workspace()->zoomInAction()->text(), QStringLiteral("放大"));
    QCOMPARE(m_window->workspace()->configResetAction()->text(), QStringLiteral("配置重置"));
    // The series widget keeps what it was built with.
    QCOMPARE(control->text(), QStringLiteral("built in English"));

    // Messages follow the new language at once.
    {
        ScriptedDialogs dialogs;
        m_window->close();
        QCOMPARE(dialogs.last()->title, QStringLiteral("警告"));
        QCOMPARE(dialogs.last()->text, QStringLiteral("将关闭当前配置，是否继续？"));
        QCOMPARE(dialogs.last()->buttonLabels, (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
    }

    m_window->action(FormConfiguration::EnglishAction)->trigger();
    QCOMPARE(m_window->language(), 0);
    QVERIFY(m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QVERIFY(!m_window->action(FormConfiguration::ChineseAction)->isChecked());
    QCOMPARE(m_window->titleButton()->text(), QStringLiteral("Clock Configuration---QXC330"));
    QCOMPARE(m_window->workspace()->zoomInAction()->text(), QStringLiteral("Zoom in"));
}

void TestFormConfiguration::activeLanguageStaysChecked_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("actionId");
    QTest::addColumn<QString>("newText");
    QTest::newRow("English clicked in English")
        << QLocale(QLocale::English) << int(FormConfiguration::EnglishAction) << "New";
    QTest::newRow("Chinese clicked in Chinese")
        << QLocale(QLocale::Chinese) << int(FormConfiguration::ChineseAction) << "新建";
}

void TestFormConfiguration::activeLanguageStaysChecked()
{
    QFETCH(QLocale, locale);
    QFETCH(int, actionId);
    QFETCH(QString, newText);
    start(locale);
    const int language = m_window->language();
    QAction *active = m_window->action(FormConfiguration::ActionId(actionId));

    active->trigger();
    active->trigger();

    QVERIFY(active->isChecked());
    QCOMPARE(m_window->language(), language);
    QCOMPARE(m_window->action(FormConfiguration::EnglishAction)->isChecked(), language == 0);
    QCOMPARE(m_window->action(FormConfiguration::ChineseAction)->isChecked(), language == 1);
    QCOMPARE(m_window->action(FormConfiguration::NewAction)->text(), newText);
}

void TestFormConfiguration::languageCommandsWithoutCatalogue()
{
    // As after a start-up whose catalogue did not load: nothing installed.
    m_window = new FormConfiguration;
    m_window->setLanguage(0);
    m_window->setTranslator(&m_translator);
    QAction *chinese = m_window->action(FormConfiguration::ChineseAction);

    chinese->trigger();

    QCOMPARE(m_window->language(), 0);
    QVERIFY(!chinese->isChecked());
    QVERIFY(m_window->action(FormConfiguration::EnglishAction)->isChecked());
    QCOMPARE(m_window->menu(FormConfiguration::ProjectMenu)->title(), QStringLiteral("Project"));
    QVERIFY(!QCoreApplication::removeTranslator(&m_translator));
}

void TestFormConfiguration::manualPath_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("existsIn"); // "work", "program", "both" or "none"
    QTest::addColumn<QString>("expectedBase");
    QTest::addColumn<QString>("fileName");

    const QString zh = QStringLiteral("UM_Tickforge.pdf"), en = QStringLiteral("UM_Tickforge_EN.pdf");
    QTest::newRow("Chinese, nowhere") << 1 << "none"
                                      << "work" << zh;
    QTest::newRow("English, nowhere") << 0 << "none"
                                      << "work" << en;
    QTest::newRow("Chinese, in working dir") << 1 << "work"
                                             << "work" << zh;
    QTest::newRow("English, beside program") << 0 << "program"
                                             << "program" << en;
    QTest::newRow("Chinese, both") << 1 << "both"
                                   << "work" << zh;
}

void TestFormConfiguration::manualPath()
{
    QFETCH(int, language);
    QFETCH(QString, existsIn);
    QFETCH(QString, expectedBase);
    QFETCH(QString, fileName);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    // <root>/a/work and <root>/b/bin; the manuals live in ../Documents of each.
    const QDir base(root.path());
    QVERIFY(base.mkpath(QStringLiteral("a/work")) && base.mkpath(QStringLiteral("a/Documents")));
    QVERIFY(base.mkpath(QStringLiteral("b/bin")) && base.mkpath(QStringLiteral("b/Documents")));
    const QString work = base.filePath(QStringLiteral("a/work"));
    const QString program = base.filePath(QStringLiteral("b/bin"));
    auto place = [&](const QString &side) {
        QFile file(base.filePath(side + QStringLiteral("/Documents/") + fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    if (existsIn == QLatin1String("work") || existsIn == QLatin1String("both"))
        place(QStringLiteral("a"));
    if (existsIn == QLatin1String("program") || existsIn == QLatin1String("both"))
        place(QStringLiteral("b"));

    const QString expected =
        base.filePath((expectedBase == QLatin1String("work") ? QStringLiteral("a") : QStringLiteral("b")) +
                      QStringLiteral("/Documents/") + fileName);
    QCOMPARE(FormConfiguration::manualPath(language, work, program), QDir::cleanPath(expected));
}

void TestFormConfiguration::openManual_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("errorText");
    QTest::newRow("English, opened") << QLocale(QLocale::English) << true << "UM_Tickforge_EN.pdf"
                                     << "";
    QTest::newRow("Chinese, opened") << QLocale(QLocale::Chinese) << true << "UM_Tickforge.pdf"
                                     << "";
    QTest::newRow("English, fails") << QLocale(QLocale::English) << false << "UM_Tickforge_EN.pdf"
                                    << "Can't open user manual!";
    QTest::newRow("Chinese, fails") << QLocale(QLocale::Chinese) << false << "UM_Tickforge.pdf"
                                    << "无法打开使用手册！";
}

void TestFormConfiguration::openManual()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, opens);
    QFETCH(QString, fileName);
    QFETCH(QString, errorText);

    start(locale);
    ScriptedDialogs dialogs;
    dialogs.answerOpenUrl(opens);
    m_window->action(FormConfiguration::ManualAction)->trigger();

    QCOMPARE(dialogs.openedUrls.size(), 1);
    const QString expected =
        QDir::cleanPath(QDir::current().filePath(QStringLiteral("../Documents/") + fileName));
    QCOMPARE(dialogs.openedUrls.first(), QUrl::fromLocalFile(expected));
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Message), opens ? 0 : 1);
    if (!opens) {
        QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
        QCOMPARE(dialogs.last()->text, errorText);
        QCOMPARE(dialogs.last()->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

void TestFormConfiguration::aboutGoesThroughSeam()
{
    start(QLocale(QLocale::Chinese));
    ScriptedDialogs dialogs;
    QString title;
    dialogs.answerDialog([&title](QDialog &dialog) {
        title = dialog.windowTitle();
        return int(QDialog::Accepted);
    });
    m_window->action(FormConfiguration::VersionAction)->trigger();
    QCOMPARE(dialogs.count(ScriptedDialogs::Kind::Dialog), 1);
    QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QStringLiteral("VersionAbout"));
    QCOMPARE(title, QStringLiteral("关于"));
}

QTEST_MAIN(TestFormConfiguration)
#include "tst_formconfiguration.moc"

#include "FormConfiguration.h"

#include "CommandLine.h"
#include "CustomComboBox1.h"
#include "FakeSeries.h"
#include "LanguageCatalogues.h"
#include "Legibility.h"
#include "MCUSelect_Form.h"
#include "PinGraphicsView.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "TableRows.h"
#include "TestHelpers.h"
#include "UpdateLoader.h"
#include "VersionAbout.h"

#include <QAbstractItemView>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>

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

// A text of Qt's own file dialog, as the installed catalogues show it.
QString qtFileDialogText()
{
    return QCoreApplication::translate("QFileDialog", "Look in:");
}

bool isChinese(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff; });
}

} // namespace

class TestFormConfiguration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Recent designs are kept in the settings: never the user's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("settings"));
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        QCoreApplication::removeTranslator(&m_translator);
        QCoreApplication::removeTranslator(&m_qtTranslator);
    }

    void startsInLocaleLanguage_data() { addTableRows("window_locales.tsv"); }

    // The window starts in the locale's language, each menu item readable with
    // and without the hover, and fits a narrow screen.
    void startsInLocaleLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(bool, chinese);
        start(QLocale(locale));
        QCOMPARE(m_window->language(), chinese ? 1 : 0);
        QCOMPARE(m_window->action(FormConfiguration::ChineseAction)->isChecked(), chinese);
        QCOMPARE(m_window->action(FormConfiguration::EnglishAction)->isChecked(), !chinese);
        QCOMPARE(title(), QString(chinese ? "时钟配置" : "Clock Configuration"));
        QCOMPARE(isChinese(qtFileDialogText()), chinese); // Qt's own dialogs speak the language too
        QStringList menus;                                // title, then the items
        for (const QAction *entry : m_window->menuBar()->actions()) {
            QMenu *menu = entry->menu();
            menu->popup(m_window->mapToGlobal(QPoint(200, 60)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            const QImage plain = menu->grab().toImage();
            QStringList items;
            for (QAction *action : menu->actions()) {
                items << action->text();
                const QRect item = menu->actionGeometry(action);
                if (!action->isEnabled())
                    continue; // grayed out on purpose ("Recent designs" before the first design)
                QVERIFY2(inkContrast(plain, item) >= 4.5, qPrintable(action->text()));
                menu->setActiveAction(action);
                const QImage hovered = menu->grab().toImage();
                QVERIFY2(backgroundOf(hovered, item) != backgroundOf(plain, item),
                         qPrintable(action->text()));
                QVERIFY2(inkContrast(hovered, item) >= 4.5, qPrintable(action->text() + ", hovered"));
            }
            menus << entry->text() + ": " + items.join(' ');
            if (menu == m_window->menu(FormConfiguration::LanguageMenu)) {
                // The check mark tells the active language from the other one.
                const auto indicator = [&](FormConfiguration::ActionId id) {
                    const QRect item = menu->actionGeometry(m_window->action(id));
                    return plain.copy(item.left(), item.top(), item.height(), item.height());
                };
                QVERIFY(indicator(FormConfiguration::EnglishAction) !=
                        indicator(FormConfiguration::ChineseAction));
            }
            menu->hide();
        }
        // The Project menu's additions follow the specified entries' order.
        const QStringList en{"Project: New Open Recent designs Save Export drawing... Export report...",
                             "Language: English Chinese", "Generate code: Generate code",
                             "Help: Open Manual New version download Version"};
        const QStringList zh{"项目: 新建 打开 最近的设计 保存 导出时钟树图... 导出报告...",
                             "语言: 英文 简体中文", "生成代码: 生成代码", "帮助: 打开手册 新版本下载 版本"};
        QCOMPARE(menus, chinese ? zh : en);

        // A 1600-pixel screen at a scale factor of 2 leaves 800 pixels: the window,
        // with a drawing open, must fit them, the last menu included.
        openSeries("QXC330");
        QCoreApplication::processEvents();
        QVERIFY2(m_window->minimumSizeHint().width() <= 800,
                 qPrintable(QString::number(m_window->minimumSizeHint().width())));
        m_window->resize(800, 600);
        QCoreApplication::processEvents();
        const QRect help =
            m_window->menuBar()->actionGeometry(m_window->menu(FormConfiguration::HelpMenu)->menuAction());
        QVERIFY(!help.isEmpty());
        QVERIFY(m_window->rect().contains(m_window->menuBar()->mapTo(m_window, help.bottomRight())));
    }

    void titleButton()
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

    // The MCU dialog lists the eleven series without scrolling, and each entry
    // opens its own series widget from the real factory.
    void mcuDialogEntries()
    {
        start();
        m_window->workspace()->setSeriesFactory(createSeriesWidget);
        MCUSelect_Form dialog;
        CustomComboBox1 *combo = dialog.combo();
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
            openSeries(items.last());
            QCOMPARE(m_window->workspace()->currentWidget()->metaObject()->className(),
                     qPrintable(items.last() + "PLL"));
            QCOMPARE(title(), "Clock Configuration---" + items.last());
        }
        QCOMPARE(items, (QStringList{"QXC300", "QXC310", "QXC315", "QXC300A", "QXC305", "QXC320", "QXC330",
                                     "QXC335", "QXC325", "QXW315", "QXE020"}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        QTRY_VERIFY(list->isVisible());
        QVERIFY(!list->verticalScrollBar()->isVisible());
        // Some styles scroll a popup with arrow strips instead of a scroll bar.
        for (QWidget *child : list->window()->findChildren<QWidget *>())
            QVERIFY(!(child->isVisible() && child->inherits("QComboBoxPrivateScroller")));
        QVERIFY(list->viewport()->rect().contains(list->visualRect(list->model()->index(10, 0))));
        combo->hidePopup();
    }

    void mcuDialogResults_data() { addTableRows("window_mcudialog.tsv"); }

    // The real MCU dialog, driven through its own event loop.
    void mcuDialogResults()
    {
        QFETCH(QString, how);
        MCUSelect_Form dialog;
        whenModal<MCUSelect_Form>([how](MCUSelect_Form *d) {
            if (how == "choose")
                d->combo()->setCurrentText("QXW315");
            QTest::mouseClick(how == "cancel" ? d->cancelButton() : d->okButton(), Qt::LeftButton);
        });
        QTEST(dialog.exec(), "result");
        QTEST(dialog.selectedSeries(), "selected");
    }

    void aboutBoxShowsProductAndVersion()
    {
        VersionAbout about;
        QStringList texts;
        for (QLabel *label : about.findChildren<QLabel *>())
            texts << label->text();
        QVERIFY(texts.contains("Tickforge") && texts.contains("V3.0.03"));
    }

    void replaceConfiguration_data() { addTableRows("window_replace.tsv"); }
    void replaceConfiguration()
    {
        QFETCH(QString, how);
        QFETCH(QString, openFirst);
        QFETCH(int, confirm);
        QFETCH(QString, pick);
        QFETCH(QString, expected);
        QFETCH(QString, refusal);
        start();
        if (!openFirst.isEmpty())
            openSeries(openFirst);
        QPointer<QXMCUPLL> before = m_window->workspace()->currentWidget();

        ScriptedDialogs dialogs;
        if (confirm)
            dialogs.answerButton(QMessageBox::StandardButton(confirm));
        // Dropped designs may be named in lower case; other files are no designs.
        const QString path =
            pick.isEmpty()      ? QString()
            : pick == "missing" ? m_dir.filePath("missing.TFCC")
            : pick == "xml"     ? writeFile(m_dir.filePath("d.xml"), designNaming("QXC335"))
            : pick == "garbage"
                ? writeFile(m_dir.filePath("g.TFCC"), "\x89PNG\r\n not a design")
                : writeFile(m_dir.filePath(how == "drop" ? "d.tfcc" : "d.TFCC"), designNaming(pick));
        if (how.startsWith("drop")) {
            QCOMPARE(drop(path, how == "drop header"), pick != "xml");
        } else if (how == "argument") {
            m_window->openDesktopFile(path);
        } else if (how == "open") {
            if (!path.isNull())
                dialogs.answerPath(path);
            m_window->OpenDesign_Slot();
        } else {
            dialogs.answerDialog(chooseSeries(pick));
            m_window->NewDesign_Slot();
        }

        // The question comes only with an open configuration, before anything else.
        // (A file named on the command line comes before any configuration.)
        const bool asked = !openFirst.isEmpty() && pick != "xml" && how != "argument";
        if (asked) {
            QCOMPARE(dialogs.requests.first().text, how == "new" ? NewQuestion : CloseQuestion);
            QCOMPARE(dialogs.requests.first().icon, QMessageBox::Warning);
            QCOMPARE(dialogs.requests.first().buttonLabels, (QStringList{"Yes", "Cancel"}));
        }
        QCOMPARE(m_window->seriesName(), expected);
        QCOMPARE(title(),
                 QString("Clock Configuration") + (expected.isEmpty() ? QString() : "---" + expected));
        if (!pick.isEmpty() && pick == expected) {
            QVERIFY(before.isNull());
            QCOMPARE(current()->calls,
                     QStringList{how == "new" ? QString("reset") : QString("load:" + path)});
            QVERIFY(m_window->workspace()->toolbarHolder()->isVisible());
        } else {
            QCOMPARE(m_window->workspace()->currentWidget(), before.data());
            QCOMPARE(m_window->workspace()->toolbarHolder()->isVisible(), !before.isNull());
            QCOMPARE(dialogs.texts().size(), int(asked) + int(!refusal.isEmpty()));
        }
        if (!refusal.isEmpty()) {
            // An unreadable file is named with its path.
            QCOMPARE(dialogs.last()->text,
                     refusal.endsWith(':') ? refusal + '\n' + QDir::toNativeSeparators(path) : refusal);
            QCOMPARE(dialogs.last()->icon, QMessageBox::Warning);
        }
    }

    void commandLine_data() { addTableRows("window_commandline.tsv"); }
    // The program's command line: a design file to open, named or as an address.
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, designFile);
        const CommandLineRequest request = parseCommandLine(arguments);
        QTEST(int(request.action), "action");
        QCOMPARE(request.designFile,
                 designFile.isEmpty() ? QString() : QDir::current().absoluteFilePath(designFile));
        QCOMPARE(request.error.isEmpty(), request.action != CommandLineRequest::Action::Fail);
    }

    void commandsAndClose_data() { addTableRows("window_close.tsv"); }

    void commandsAndClose()
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

    void switchLanguageTranslatesAtOnce()
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
        QVERIFY(isChinese(qtFileDialogText()));
        ScriptedDialogs dialogs;
        m_window->close();
        QCOMPARE(dialogs.last()->buttonLabels, (QStringList{"确定", "取消"}));
        m_window->action(FormConfiguration::ManualAction)->trigger(); // there is no manual here
        QCOMPARE(dialogs.texts(), (QStringList{"将关闭当前配置，是否继续？", "无法打开使用手册！"}));
        QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
        m_window->action(FormConfiguration::VersionAction)->trigger();
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->dialogClass, QString("VersionAbout"));
        QCOMPARE(dialogs.last(ScriptedDialogs::Kind::Dialog)->title, QString("关于"));

        m_window->action(FormConfiguration::EnglishAction)->trigger();
        QCOMPARE(m_window->language(), 0);
        QVERIFY(!m_window->action(FormConfiguration::ChineseAction)->isChecked());
        QCOMPARE(title(), QString("Clock Configuration---QXC330"));
        QCOMPARE(qtFileDialogText(), QString("Look in:"));
        QCOMPARE(dialogs.requests.size(), 3);
    }

    void languageCommandsWithoutCatalogue()
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

    void zoomedViewShowsStyledScrollBars()
    {
        start();
        openSeries("QXC330");
        for (int i = 0; i < 10; ++i)
            m_window->workspace()->zoomInAction()->trigger();
        const QImage view = current()->graphicsView()->grab().toImage();
        QVERIFY2(pixelsOf(view, QColor(36, 183, 181)) > 100, "no handle");
        QVERIFY2(pixelsOf(view, QColor(217, 233, 246)) > 100, "no groove");
    }

    void openManual_data() { addTableRows("window_manual.tsv"); }

    void openManual()
    {
        QFETCH(bool, present);
        QFETCH(bool, opens);
        QTemporaryDir root;
        const QDir base(root.path());
        QVERIFY(base.mkpath("work") && base.mkpath("Documents") && base.mkpath("bin") &&
                base.mkpath("share/tickforge/Documents"));
        const QString manual = base.filePath("Documents/UM_Tickforge_EN.pdf");
        if (present)
            QVERIFY(!writeFile(manual, "%PDF-1.4\n").isNull());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(base.filePath("work")));
        start();
        ScriptedDialogs dialogs;
        dialogs.answerOpenUrl(opens);
        m_window->action(FormConfiguration::ManualAction)->trigger();
        QDir::setCurrent(previous);
        QCOMPARE(dialogs.openedUrls, present ? QList<QUrl>{QUrl::fromLocalFile(manual)} : QList<QUrl>());
        QCOMPARE(dialogs.texts(), present && opens ? QStringList() : QStringList{"Can't open user manual!"});
        if (!dialogs.texts().isEmpty())
            QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);

        // Looked for beside the working directory first, then installed beside
        // the program; found nowhere, the working directory's.
        const auto path = [&base](int language) {
            return FormConfiguration::manualPath(language, base.filePath("work"), base.filePath("bin"));
        };
        QCOMPARE(path(1), base.filePath("Documents/UM_Tickforge.pdf"));
        QVERIFY(!writeFile(base.filePath("share/tickforge/Documents/UM_Tickforge.pdf"), {}).isNull());
        QCOMPARE(path(1), base.filePath("share/tickforge/Documents/UM_Tickforge.pdf"));
        QCOMPARE(path(0), present ? manual : base.filePath("Documents/UM_Tickforge_EN.pdf"));
    }

    void newVersionDownload_data() { addTableRows("window_update.tsv"); }
    // The update runs from its own module and asks through the window's dialogs.
    void newVersionDownload()
    {
        QFETCH(QString, module);
        QFETCH(QString, text);
        if (module == QLatin1String("built"))
            module = QStringLiteral(TF_UPDATE_MODULE);
        else if (module == QLatin1String("QtCore"))
            module = QLibraryInfo::location(QLibraryInfo::LibrariesPath) + "/libQt5Core.so.5";
        qputenv("TICKFORGE_UPDATE_MODULE", module.toLocal8Bit());
        start();
        ScriptedDialogs dialogs;
        m_window->action(FormConfiguration::NewVersionAction)->trigger();
        qunsetenv("TICKFORGE_UPDATE_MODULE");
        QCOMPARE(dialogs.texts().size(), 1);
        QCOMPARE(dialogs.last()->icon, QMessageBox::Critical);
        QCOMPARE(dialogs.last()->title, QString("Error"));
        // The reason follows.
        QVERIFY2(dialogs.last()->text.startsWith(text) && dialogs.last()->text.size() > text.size(),
                 qPrintable(dialogs.last()->text));
    }

    // Where the program looks for its update module, as installed and in the build tree.
    void updateModuleBesideProgram()
    {
        QCOMPARE(UpdateLoader::modulePath("/opt/tf/bin"),
                 QStringLiteral("/opt/tf/lib/x86_64-linux-gnu/tickforge/tickforge-update.so"));
        QCOMPARE(QFileInfo(UpdateLoader::modulePath(TF_PROGRAM_DIR)), QFileInfo(TF_UPDATE_MODULE));
    }

private:
    // Starts the window as the program does for a locale.
    void start(const QLocale &locale = QLocale(QLocale::English))
    {
        const LanguageChoice choice = ::chooseLanguage(locale);
        if (m_translator.load(choice.catalogue))
            QCoreApplication::installTranslator(&m_translator);
        applyQtCatalogue(m_qtTranslator, choice.language);
        m_window = new FormConfiguration;
        m_window->workspace()->setSeriesFactory(makeFakeSeries);
        m_window->setLanguage(choice.language);
        m_window->setTranslator(&m_translator);
        m_window->setQtTranslator(&m_qtTranslator);
        m_window->show();
    }

    void openSeries(const QString &name)
    {
        ScriptedDialogs dialogs;
        dialogs.answerButton(QMessageBox::Yes);
        dialogs.answerDialog(chooseSeries(name));
        m_window->NewDesign_Slot();
    }

    FakeSeries *current() const { return static_cast<FakeSeries *>(m_window->workspace()->currentWidget()); }
    QString title() const { return m_window->titleButton()->text(); }
    // Drags and drops a file as the desktop does, through the window system, on
    // the middle of the drawing (of the window while none is shown) or on the
    // header band; returns whether the drop was taken.
    bool drop(const QString &path, bool onHeader = false)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QCoreApplication::processEvents(); // the window lays out a drawing just shown
        const QXMCUPLL *series = m_window->workspace()->currentWidget();
        const QWidget *viewport = series ? series->graphicsView()->viewport() : nullptr;
        const QPoint at = onHeader   ? m_window->menuBar()->parentWidget()->geometry().center()
                          : viewport ? viewport->mapTo(m_window, viewport->rect().center())
                                     : m_window->rect().center();
        if (viewport && !onHeader)
            [&] {
                QCOMPARE(m_window->childAt(at), viewport);
            }();
        QWindow *window = m_window->windowHandle();
        const QPlatformDragQtResponse dragged = QWindowSystemInterface::handleDrag(
            window, &mime, at, Qt::CopyAction, Qt::LeftButton, Qt::NoModifier);
        if (!dragged.isAccepted()) {
            QWindowSystemInterface::handleDrag(window, nullptr, at, Qt::CopyAction, Qt::NoButton,
                                               Qt::NoModifier);
            return false;
        }
        const QPlatformDropQtResponse dropped = QWindowSystemInterface::handleDrop(
            window, &mime, at, Qt::CopyAction, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::processEvents(); // the question comes after the drop
        return dropped.isAccepted();
    }

    QTranslator m_translator;
    QTranslator m_qtTranslator;
    FormConfiguration *m_window = nullptr;
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFormConfiguration)
#include "tst_formconfiguration.moc"

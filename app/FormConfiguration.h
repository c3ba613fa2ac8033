#pragma once

#include <QMessageBox>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QAction;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMimeData;
class QMenu;
class QMenuBar;
class QPushButton;
class QTranslator;
class QVBoxLayout;
class QXPLLConfig;
class RecoveryStore;

// The main window: header with logo and menu bar, the title button naming the
// open series, and the workspace. Every command is a slot reached from a menu.
class FormConfiguration : public QWidget {
    Q_OBJECT
public:
    enum ActionId {
        NewAction,
        OpenAction,
        SaveAction,
        EnglishAction,
        ChineseAction,
        GenerateAction,
        ManualAction,
        NewVersionAction,
        VersionAction,
        ActionCount
    };
    enum MenuId { ProjectMenu, LanguageMenu, GenerateMenu, HelpMenu, MenuCount };

    explicit FormConfiguration(QWidget *parent = nullptr);

    // 0 English, anything else Chinese; checks the matching action only.
    void setLanguage(int language);
    // The translator installed at start-up (not owned); the language
    // commands reload it.
    void setTranslator(QTranslator *translator);
    // Qt's own catalogue (not owned); follows the language commands.
    void setQtTranslator(QTranslator *translator) { m_qtTranslator = translator; }
    void retranslateUi();

    int language() const { return m_language; }
    QString seriesName() const { return m_seriesName; }
    QPushButton *titleButton() const { return m_titleButton; }
    QXPLLConfig *workspace() const { return m_workspace; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QAction *action(ActionId id) const { return m_actions[id]; }
    QMenu *menu(MenuId id) const { return m_menus[id]; }
    // Project menu additions: the recent designs and the drawing export.
    QMenu *recentMenu() const { return m_recentMenu; }
    QAction *exportAction() const { return m_exportAction; }
    QAction *exportReportAction() const { return m_exportReportAction; }

    // Opens one of the recent designs as Open does (same question first); a
    // file that no longer exists is dropped from the list with a message.
    void openRecentDesign(const QString &fileName);
    // Saves the clock tree as shown to a PNG, PDF or SVG file chosen by the user.
    void exportDrawing();
    // Saves the design's review page (HTML or Markdown) in the window's language.
    void exportReport();

    // The user manual of a language: ../Documents relative to the working
    // directory when it is found there, else ../share/tickforge/Documents
    // relative to the program's folder; the working-directory path when
    // neither exists.
    static QString manualPath(int language, const QString &workingDir, const QString &programDir);

    // Opens a design file as Open does after its questions: from the command
    // line at start-up and from a file dropped on the window.
    // Returns whether it was opened.
    bool openDesignFile(const QString &fileName);
    // The same for a file named on the command line or dropped, which may be
    // missing or no design at all: such a file is reported as unreadable.
    bool openDesktopFile(const QString &fileName);
    // The first local .TFCC file a drag carries; empty when it carries none.
    static QString designFileIn(const QMimeData *mime);

    // Crash recovery (FormConfigurationRecovery.cpp): from now on a copy of
    // the unsaved design is kept in folder.
    void keepRecoveryCopies(const QString &folder);
    // Offers each copy left by a program that ended without a clean close;
    // returns whether one was restored (opened as unsaved).
    bool offerRecovery();
    // Start-up: the offer, then the design named on the command line (after
    // the question of Open when a design was restored).
    void startUp(const QString &designFile);

public slots:
    void ClockConfig_PushButton_Slot();
    void NewDesign_Slot();
    void OpenDesign_Slot();
    void SaveDesign_Slot();
    void SetLanguage_English_Slot();
    void SetLanguage_Chinese_Slot();
    void GenerateCode_Slot();
    void OpenManual_Slot();
    void NewVersionDownload_Slot();
    void OpenAbout_Slot();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createActions();
    void createMenus();
    void buildHeader();
    void buildTitle();
    // The logo at the width its label got: whole where there is room.
    void fitLogo();
    void updateTitle();
    void switchLanguage(int language);
    bool confirm(QMessageBox::Icon icon, const QString &text);
    bool confirmCloseForOpen();
    void warnNoConfiguration();
    void createExtensions();
    void retranslateExtensions();
    void fillRecentMenu();
    void updateWindowTitle();
    void noteDesignFile(const QString &fileName);
    bool restoreDesign(const QByteArray &design);

    QTranslator *m_translator = nullptr;
    QTranslator *m_qtTranslator = nullptr;
    int m_language = 0;
    QString m_seriesName;
    QVBoxLayout *m_mainLayout = nullptr;
    QHBoxLayout *m_headerLayout = nullptr;
    QLabel *m_logoLabel = nullptr;
    QPixmap m_logo; // read once: fitLogo() runs at every resize
    QGroupBox *m_menuHolder = nullptr;
    QHBoxLayout *m_titleLayout = nullptr;
    QPushButton *m_titleButton = nullptr;
    QXPLLConfig *m_workspace = nullptr;
    QMenu *m_menus[MenuCount] = {};
    QAction *m_actions[ActionCount] = {};
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_recentMenu = nullptr;
    QAction *m_exportAction = nullptr;
    QAction *m_exportReportAction = nullptr;
    RecoveryStore *m_recovery = nullptr;
};

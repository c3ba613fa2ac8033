#include "FormConfiguration.h"

#include "DialogService.h"
#include "LanguageCatalogues.h"
#include "MCUSelect_Form.h"
#include "QXPLLConfig.h"
#include "RecentDesigns.h"
#include "SeriesTable.h"
#include "UpdateLoader.h"
#include "VersionAbout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpacerItem>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>

namespace {

struct ActionRow {
    const char *text;
    void (FormConfiguration::*slot)();
    FormConfiguration::MenuId menu;
    bool checkable;
};

// clang-format off
const ActionRow ActionRows[FormConfiguration::ActionCount] = {
    {QT_TRANSLATE_NOOP("FormConfiguration", "New"),                  &FormConfiguration::NewDesign_Slot,           FormConfiguration::ProjectMenu,  false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Open"),                 &FormConfiguration::OpenDesign_Slot,          FormConfiguration::ProjectMenu,  false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Save"),                 &FormConfiguration::SaveDesign_Slot,          FormConfiguration::ProjectMenu,  false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "English"),              &FormConfiguration::SetLanguage_English_Slot, FormConfiguration::LanguageMenu, true},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Chinese"),              &FormConfiguration::SetLanguage_Chinese_Slot, FormConfiguration::LanguageMenu, true},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Generate code"),        &FormConfiguration::GenerateCode_Slot,        FormConfiguration::GenerateMenu, false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Open Manual"),          &FormConfiguration::OpenManual_Slot,          FormConfiguration::HelpMenu,     false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "New version download"), &FormConfiguration::NewVersionDownload_Slot,  FormConfiguration::HelpMenu,     false},
    {QT_TRANSLATE_NOOP("FormConfiguration", "Version"),              &FormConfiguration::OpenAbout_Slot,           FormConfiguration::HelpMenu,     false},
};

const char *const MenuTitles[FormConfiguration::MenuCount] = {
    QT_TRANSLATE_NOOP("FormConfiguration", "Project"),
    QT_TRANSLATE_NOOP("FormConfiguration", "Language"),
    QT_TRANSLATE_NOOP("FormConfiguration", "Generate code"),
    QT_TRANSLATE_NOOP("FormConfiguration", "Help"),
};
// clang-format on

const char *const WindowIcon = ":/image/VelornIcon.ico";

} // namespace

FormConfiguration::FormConfiguration(QWidget *parent) : QWidget(parent)
{
    setWindowIcon(QIcon(QLatin1String(WindowIcon)));
    m_mainLayout = new QVBoxLayout;
    createActions();
    createMenus();
    buildHeader();
    m_mainLayout->addLayout(m_headerLayout, 0);
    buildTitle();
    m_mainLayout->addLayout(m_titleLayout, 1);
    m_workspace = new QXPLLConfig(this);
    m_mainLayout->addWidget(m_workspace, 2);

    // Every rule names the widgets it is for: a bare rule would cascade into the
    // menus, the view's scroll bars and the file dialogs opened over the window.
    setObjectName(QStringLiteral("FormConfiguration"));
    setStyleSheet(QStringLiteral("#FormConfiguration { background-color: rgb(255, 255, 255); }"));
    setWindowState(Qt::WindowMaximized);
    setLayout(m_mainLayout);
    setContentsMargins(0, 0, 0, 0);
    // Design files dropped on the window are opened (FormConfigurationFiles.cpp).
    setAcceptDrops(true);

    connect(m_titleButton, &QPushButton::clicked, this, &FormConfiguration::ClockConfig_PushButton_Slot);
    for (int i = 0; i < ActionCount; ++i)
        connect(m_actions[i], &QAction::triggered, this, ActionRows[i].slot);
    createExtensions();
}

void FormConfiguration::createActions()
{
    const QFont font(QStringLiteral("Arial"), 11, 0);
    for (int i = 0; i < ActionCount; ++i) {
        m_actions[i] = new QAction(tr(ActionRows[i].text), this);
        m_actions[i]->setFont(font);
        m_actions[i]->setCheckable(ActionRows[i].checkable);
    }
}

void FormConfiguration::createMenus()
{
    m_menuBar = new QMenuBar;
    m_menuBar->setFont(QFont(QStringLiteral("Arial"), 13, QFont::Bold));
    m_menuBar->setStyleSheet(
        QStringLiteral("QMenuBar { background-color: rgb(255, 255, 255); spacing: 40px; }"
                       "QMenuBar::item { background-color: rgb(255, 255, 255); color: rgb(0, 32, 82); }"));
    // The hovered entry in the titles' navy: white on the style's lighter
    // default blue is hard to read.
    QPalette menuPalette;
    menuPalette.setColor(QPalette::Highlight, QColor(0, 32, 82));
    menuPalette.setColor(QPalette::HighlightedText, Qt::white);
    for (int m = 0; m < MenuCount; ++m) {
        m_menus[m] = new QMenu(tr(MenuTitles[m]), m_menuBar);
        m_menus[m]->setPalette(menuPalette);
        for (int i = 0; i < ActionCount; ++i) {
            if (ActionRows[i].menu == m)
                m_menus[m]->addAction(m_actions[i]);
        }
        m_menuBar->addMenu(m_menus[m]);
    }
}

void FormConfiguration::buildHeader()
{
    m_logoLabel = new QLabel;
    m_logo = QPixmap(QStringLiteral(":/image/Logo_1.png"));
    m_logoLabel->setPixmap(m_logo);
    m_logoLabel->setFixedHeight(60);
    m_logoLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // May shrink to two thirds (see fitLogo) so that a small screen scaled
    // up still shows the whole menu bar.
    m_logoLabel->setMinimumWidth(m_logoLabel->pixmap(Qt::ReturnByValue).width() * 2 / 3);

    m_menuHolder = new QGroupBox;
    m_menuHolder->setObjectName(QStringLiteral("menuHolder"));
    m_menuHolder->setStyleSheet(
        QStringLiteral("#menuHolder { background-color: rgb(255, 255, 255); color: white; border: none; }"));
    m_menuHolder->setFixedHeight(60);
    auto *holderLayout = new QVBoxLayout(m_menuHolder);
    holderLayout->addSpacerItem(new QSpacerItem(5, 5, QSizePolicy::Fixed, QSizePolicy::Fixed));
    holderLayout->addWidget(m_menuBar);

    m_headerLayout = new QHBoxLayout;
    m_headerLayout->setSpacing(0);
    m_headerLayout->addWidget(m_logoLabel);
    m_headerLayout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Fixed, QSizePolicy::Expanding));
    m_headerLayout->addWidget(m_menuHolder);
    m_headerLayout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Expanding));
}

void FormConfiguration::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitLogo();
}

void FormConfiguration::fitLogo()
{
    const int room = m_logoLabel->width();
    const QPixmap shown =
        room >= m_logo.width() ? m_logo : m_logo.scaledToWidth(room, Qt::SmoothTransformation);
    if (m_logoLabel->pixmap(Qt::ReturnByValue).size() != shown.size())
        m_logoLabel->setPixmap(shown);
}

void FormConfiguration::buildTitle()
{
    m_titleButton = new QPushButton;
    m_titleButton->setFont(QFont(QStringLiteral("Arial"), 13, QFont::Bold));
    // "border: none" makes the style sheet paint the blue itself; otherwise the
    // platform style draws its pale disabled-button bevel over it.
    m_titleButton->setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(57, 169, 220); color: white; border: none; "
                       "padding: 6px; }"));
    // Shows the open series; it is never a command.
    m_titleButton->setEnabled(false);
    updateTitle();
    m_titleLayout = new QHBoxLayout;
    m_titleLayout->setSpacing(1);
    m_titleLayout->addWidget(m_titleButton);
}

void FormConfiguration::updateTitle()
{
    QString text = tr("Clock Configuration");
    if (!m_seriesName.isNull())
        text += tr("---") + m_seriesName;
    m_titleButton->setText(text);
}

void FormConfiguration::setLanguage(int language)
{
    m_language = language;
    m_actions[EnglishAction]->setChecked(language == 0);
    m_actions[ChineseAction]->setChecked(language != 0);
}

void FormConfiguration::setTranslator(QTranslator *translator)
{
    m_translator = translator;
}

void FormConfiguration::retranslateUi()
{
    updateTitle();
    for (int i = 0; i < ActionCount; ++i)
        m_actions[i]->setText(tr(ActionRows[i].text));
    for (int m = 0; m < MenuCount; ++m)
        m_menus[m]->setTitle(tr(MenuTitles[m]));
    retranslateExtensions();
}

bool FormConfiguration::confirm(QMessageBox::Icon icon, const QString &text)
{
    const MessageReply reply =
        DialogService::instance().message(MessageRequest::make(icon, tr("Warning"), text)
                                              .withButton(QMessageBox::Yes, tr("Yes"))
                                              .withButton(QMessageBox::Cancel, tr("Cancel")));
    return reply.is(QMessageBox::Yes);
}

void FormConfiguration::warnNoConfiguration()
{
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Warning, tr("Warning"), tr("Currently no configuration."))
            .withButton(QMessageBox::Ok, tr("Ok")));
}

void FormConfiguration::ClockConfig_PushButton_Slot()
{
    if (!m_workspace->hasConfiguration())
        NewDesign_Slot();
}

void FormConfiguration::NewDesign_Slot()
{
    if (m_workspace->hasConfiguration() &&
        !confirm(QMessageBox::Warning, tr("The current configuration will be closed before creating a new "
                                          "project. . Please confirm whether to continue?")))
        return;

    MCUSelect_Form dialog(this);
    if (DialogService::instance().exec(dialog) != 1)
        return;
    const QString chosen = dialog.selectedSeries();
    if (!SeriesTable::newLookupOrder().contains(chosen))
        return;
    // A series this build can't show leaves the open design, and its title.
    if (!m_workspace->createSeries(SeriesTable::byName(chosen)->id))
        return;
    m_seriesName = chosen;
    updateTitle();
    noteDesignFile(QString());
}

bool FormConfiguration::confirmCloseForOpen()
{
    return !m_workspace->hasConfiguration() ||
           confirm(QMessageBox::Warning,
                   tr("The current configuration will be closed. Please confirm whether to continue?"));
}

void FormConfiguration::OpenDesign_Slot()
{
    if (!confirmCloseForOpen())
        return;

    const QString fileName =
        DialogService::instance().openFileName(this, tr("Open"), QString(), tr("Config file (*.TFCC)"));
    if (fileName.isNull())
        return;
    openDesignFile(fileName);
}

void FormConfiguration::SaveDesign_Slot()
{
    if (!m_workspace->hasConfiguration()) {
        warnNoConfiguration();
        return;
    }
    const QString saved = m_workspace->saveDesign();
    if (!saved.isNull()) {
        noteDesignFile(saved);
        RecentDesigns::add(saved);
        fillRecentMenu();
    }
}

void FormConfiguration::GenerateCode_Slot()
{
    if (m_workspace->hasConfiguration())
        m_workspace->generateDesign();
    else
        warnNoConfiguration();
}

void FormConfiguration::SetLanguage_English_Slot()
{
    switchLanguage(0);
}

void FormConfiguration::SetLanguage_Chinese_Slot()
{
    switchLanguage(1);
}

void FormConfiguration::switchLanguage(int language)
{
    QAction *chosen = m_actions[language == 0 ? EnglishAction : ChineseAction];
    if (m_language == language) {
        // The click has just unchecked the active language: check it again.
        chosen->setChecked(true);
        return;
    }
    if (!m_translator || !QCoreApplication::removeTranslator(m_translator)) {
        // No catalogue was ever installed: nothing to switch; keep the
        // actions telling the truth about the active language.
        chosen->setChecked(false);
        return;
    }
    m_translator->load(catalogueFor(language));
    QCoreApplication::installTranslator(m_translator);
    if (m_qtTranslator)
        applyQtCatalogue(*m_qtTranslator, language);
    setLanguage(language);
    retranslateUi();
    m_workspace->retranslateUi();
}

QString FormConfiguration::manualPath(int language, const QString &workingDir, const QString &programDir)
{
    const QString file =
        language == 1 ? QStringLiteral("UM_Tickforge.pdf") : QStringLiteral("UM_Tickforge_EN.pdf");
    const QString inWorkingDir =
        QDir::cleanPath(QDir(workingDir).filePath(QStringLiteral("../Documents/") + file));
    if (QFileInfo::exists(inWorkingDir) || programDir.isEmpty())
        return inWorkingDir;
    // Installed (and in the build tree) the manuals live in share/ beside bin/.
    const QString installed =
        QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/tickforge/Documents/") + file));
    return QFileInfo::exists(installed) ? installed : inWorkingDir;
}

void FormConfiguration::OpenManual_Slot()
{
    const QString path = manualPath(m_language, QDir::currentPath(), QCoreApplication::applicationDirPath());
    // The desktop reports success even for a missing file, so look first.
    if (QFileInfo(path).isFile() && DialogService::instance().openUrl(QUrl::fromLocalFile(path)))
        return;
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, tr("Error"), tr("Can't open manual!"))
            .withButton(QMessageBox::Ok, tr("Ok")));
}

void FormConfiguration::NewVersionDownload_Slot()
{
    QString error;
    if (UpdateLoader::checkForNewVersion(this, m_language, &error))
        return;
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, tr("Error"),
                             tr("Can't load the update component:\n%1").arg(error))
            .withButton(QMessageBox::Ok, tr("Ok")));
}

void FormConfiguration::OpenAbout_Slot()
{
    VersionAbout about(this);
    DialogService::instance().exec(about);
}

void FormConfiguration::closeEvent(QCloseEvent *event)
{
    if (m_workspace->hasConfiguration() &&
        !confirm(QMessageBox::Question,
                 tr("The current configuration will be closed. Please confirm whether to continue?"))) {
        event->ignore();
        return;
    }
    event->accept();
}

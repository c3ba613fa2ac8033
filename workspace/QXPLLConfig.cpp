#include "QXPLLConfig.h"

#include "DialogService.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Scoped to the holder itself so that it stays out of the toolbar's pop-ups.
const char *const WhiteFrame = "#toolbarHolder { background-color: rgb(255, 255, 255); border: none; }";

QFont actionFont()
{
    return QFont(QStringLiteral("Arial"), 11, 0);
}

} // namespace

QXPLLConfig::QXPLLConfig(QWidget *parent) : QWidget(parent), m_factory(createSeriesWidget)
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setStyleSheet(
        QStringLiteral("QToolBar { background-color: rgb(255, 255, 255); color: white; spacing: 30px; }"));
    m_zoomInAction = addToolbarAction("zoomin.png", &QXPLLConfig::ZoomIn);
    m_zoomResetAction = addToolbarAction("zoomreset.png", &QXPLLConfig::ZoomReset);
    m_zoomOutAction = addToolbarAction("zoomout.png", &QXPLLConfig::ZoomOut);
    m_toolbar->addWidget(new QLabel(m_toolbar));
    m_configResetAction = addToolbarAction("editundo.png", &QXPLLConfig::ConfigReset);
    retranslateUi();

    m_toolbarHolder = new QGroupBox(this);
    m_toolbarHolder->setObjectName(QStringLiteral("toolbarHolder"));
    m_toolbarHolder->setStyleSheet(QLatin1String(WhiteFrame));
    auto *holderLayout = new QHBoxLayout(m_toolbarHolder);
    holderLayout->addSpacerItem(new QSpacerItem(50, 40, QSizePolicy::Expanding, QSizePolicy::Fixed));
    holderLayout->addWidget(m_toolbar);
    holderLayout->addSpacerItem(new QSpacerItem(50, 40, QSizePolicy::Expanding, QSizePolicy::Fixed));
    m_toolbarHolder->hide();

    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setSpacing(0);
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
    m_mainLayout->addWidget(m_toolbarHolder);
}

QAction *QXPLLConfig::addToolbarAction(const char *iconName, void (QXPLLConfig::*slot)())
{
    auto *action = new QAction(QIcon(QStringLiteral(":/image/") + QLatin1String(iconName)), QString(), this);
    action->setFont(actionFont());
    m_toolbar->addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void QXPLLConfig::retranslateUi()
{
    m_zoomInAction->setText(tr("Zoom in"));
    m_zoomOutAction->setText(tr("Zoom out"));
    m_zoomResetAction->setText(tr("Zoom Reset"));
    m_configResetAction->setText(tr("Config Reset"));
}

void QXPLLConfig::setSeriesFactory(SeriesWidgetFactory factory)
{
    m_factory = std::move(factory);
}

bool QXPLLConfig::showSeries(int seriesId)
{
    // The new widget is built before the old one goes, so a series that can't
    // be built leaves the open design exactly as it was.
    QXMCUPLL *widget = SeriesTable::byId(seriesId) && m_factory ? m_factory(seriesId, this) : nullptr;
    if (!widget)
        return false;
    if (m_current) {
        m_mainLayout->removeWidget(m_current);
        delete m_current;
    }
    m_current = widget;
    m_seriesId = seriesId;
    m_mainLayout->addWidget(m_current, 0);
    m_toolbarHolder->show();
    return true;
}

void QXPLLConfig::warn(const QString &text)
{
    DialogService::instance().message(MessageRequest::make(QMessageBox::Warning, tr("Warning"), text)
                                          .withButton(QMessageBox::Ok, tr("Ok")));
}

bool QXPLLConfig::createSeries(int seriesId)
{
    if (!showSeries(seriesId)) {
        warn(tr("This series is not available in this version."));
        return false;
    }
    ZoomReset();
    m_current->resetConfig();
    return true;
}

bool QXPLLConfig::openDesign(const QString &fileName, QString &seriesNameOut)
{
    m_mcuName = QXMCUPLL::readElement(fileName, QStringLiteral("MCU"));
    const SeriesParams *series =
        SeriesTable::openLookupOrder().contains(m_mcuName) ? SeriesTable::byName(m_mcuName) : nullptr;
    if (!series || !showSeries(series->id)) {
        m_mcuName.clear();
        warn(tr("MCU in file not supported."));
        return false;
    }
    // The constructor already put the series defaults in place; the file
    // overrides them, so no resetConfig here.
    m_current->loadConfig(fileName);
    ZoomReset();
    seriesNameOut = m_mcuName;
    return true;
}

void QXPLLConfig::saveDesign()
{
    const SeriesParams *series = SeriesTable::byId(m_seriesId);
    if (m_current && series)
        m_current->saveConfig(series->seriesName());
}

void QXPLLConfig::generateDesign()
{
    if (m_current)
        m_current->generateCode();
}

void QXPLLConfig::ZoomIn()
{
    if (m_current && m_current->graphicsView())
        m_current->graphicsView()->zoomIn();
}

void QXPLLConfig::ZoomOut()
{
    if (m_current && m_current->graphicsView())
        m_current->graphicsView()->zoomOut();
}

void QXPLLConfig::ZoomReset()
{
    if (m_current && m_current->graphicsView())
        m_current->graphicsView()->zoomReset();
}

void QXPLLConfig::ConfigReset()
{
    if (!m_current)
        return;
    const MessageReply reply = DialogService::instance().message(
        MessageRequest::make(
            QMessageBox::Warning, tr("Warning"),
            tr("The current configuration will be reset. Please confirm whether to continue?"))
            .withButton(QMessageBox::Yes, tr("Yes"))
            .withButton(QMessageBox::Cancel, tr("Cancel")));
    // Only an explicit Yes resets; Cancel, Escape and a box closed any other
    // way keep the configuration.
    if (reply.is(QMessageBox::Yes))
        m_current->resetConfig();
}

#include "QXPLLConfig.h"

#include "ClockConfig.h"

#include "DialogService.h"
#include "DrawingKeyboard.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// Scoped to the holder itself so that it stays out of the toolbar's pop-ups.
const char *const WhiteFrame = "#toolbarHolder { background-color: rgb(255, 255, 255); border: none; }";

QFont actionFont()
{
    return QFont(QStringLiteral("Arial"), 11, 0);
}

// One edit of a design: the record before and after it. The edit itself has
// already run when the step is pushed, so the first redo does nothing. The
// handlers one gesture runs (a radio group reports the radio left, then the
// radio taken) make one step; Config Reset (gesture -1) is always its own.
class RecordStep : public QUndoCommand {
public:
    RecordStep(QXMCUPLL *widget, const DesignState &before, const DesignState &after, int gesture)
        : m_widget(widget), m_before(before), m_after(after), m_gesture(gesture)
    {}
    int id() const override { return m_gesture < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const RecordStep *>(other);
        if (next->m_gesture != m_gesture || next->m_widget != m_widget)
            return false;
        m_after = next->m_after;
        // A gesture that came back to where it started is no step at all.
        setObsolete(sameState(m_before, m_after));
        return true;
    }
    static bool sameState(const DesignState &a, const DesignState &b)
    {
        return a.rtcRefreshed == b.rtcRefreshed && QXMCUPLL::sameRecord(a.record, b.record);
    }
    // An edit that changed only what is shown ends this step where it left things.
    void amendAfter(const DesignState &after) { m_after = after; }
    void undo() override { m_widget->restoreState(m_before); }
    void redo() override
    {
        if (m_applied)
            m_widget->restoreState(m_after);
        m_applied = true;
    }

private:
    QXMCUPLL *m_widget; // lives as long as the history (cleared before it goes)
    DesignState m_before;
    DesignState m_after;
    int m_gesture;
    bool m_applied = false;
};

QList<QKeySequence> redoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &extra :
         {QKeySequence(Qt::CTRL + Qt::Key_Y), QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z)}) {
        if (!keys.contains(extra))
            keys << extra;
    }
    return keys;
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
    m_undoStack = new QUndoStack(this);
    m_undoAction = addToolbarAction("stepback.png", &QXPLLConfig::Undo);
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_undoAction->setEnabled(false);
    m_redoAction = addToolbarAction("stepforward.png", &QXPLLConfig::Redo);
    m_redoAction->setShortcuts(redoKeys());
    m_redoAction->setEnabled(false);
    connect(m_undoStack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
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
    m_undoAction->setText(tr("Undo"));
    m_redoAction->setText(tr("Redo"));
    // The toolbar's own button for the actions a narrow window cannot show.
    for (auto *button : m_toolbar->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!button->defaultAction())
            button->setAccessibleName(tr("More tools"));
    }
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
    // The old history goes with its widget.
    m_undoStack->clear();
    if (m_current) {
        m_mainLayout->removeWidget(m_current);
        delete m_current;
    }
    m_current = widget;
    connect(m_current, &QXMCUPLL::edited, this, &QXPLLConfig::recordEdit);
    new DrawingKeyboard(m_current);
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
    startHistory();
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
    startHistory();
    ZoomReset();
    seriesNameOut = m_mcuName;
    return true;
}

QString QXPLLConfig::saveDesign()
{
    const SeriesParams *series = SeriesTable::byId(m_seriesId);
    if (!m_current || !series)
        return QString();
    const ActionOutcome outcome = m_current->saveConfig(series->seriesName());
    if (!outcome.done() || outcome.files.isEmpty())
        return QString();
    m_undoStack->setClean();
    return outcome.files.first();
}

void QXPLLConfig::startHistory()
{
    m_undoStack->clear();
    emit modifiedChanged(false);
}

void QXPLLConfig::recordEdit(const DesignState &before, const DesignState &after)
{
    if (!m_current)
        return;
    if (QXMCUPLL::sameRecord(before.record, after.record)) {
        // Not a change of the design: no step of its own, but the step that
        // led here must come back to what is shown now.
        const int current = m_undoStack->index() - 1;
        if (current >= 0)
            const_cast<RecordStep *>(static_cast<const RecordStep *>(m_undoStack->command(current)))
                ->amendAfter(after);
        return;
    }
    // Edits pushed before control returns to the event loop belong to one gesture.
    if (!m_gestureOpen) {
        m_gestureOpen = true;
        QTimer::singleShot(0, this, [this] {
            m_gestureOpen = false;
            ++m_gesture;
        });
    }
    m_undoStack->push(new RecordStep(m_current, before, after, m_gesture));
}

void QXPLLConfig::Undo()
{
    m_undoStack->undo();
}

void QXPLLConfig::Redo()
{
    m_undoStack->redo();
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
    if (!reply.is(QMessageBox::Yes))
        return;
    // The reset is one step of the history like any edit.
    const DesignState before = m_current->document().state();
    m_current->resetConfig();
    const DesignState after = m_current->document().state();
    if (!RecordStep::sameState(before, after))
        m_undoStack->push(new RecordStep(m_current, before, after, -1));
}

#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QGroupBox;
class QToolBar;
class QUndoStack;
struct DesignState;
class QVBoxLayout;
class QXMCUPLL;

// Builds the widget of a series id (nullptr when there is none).
using SeriesWidgetFactory = std::function<QXMCUPLL *(int seriesId, QWidget *parent)>;

// The workspace: a small toolbar and at most one series widget. It knows no
// clock logic and forwards every command to the current widget.
class QXPLLConfig : public QWidget {
    Q_OBJECT
public:
    explicit QXPLLConfig(QWidget *parent = nullptr);

    bool hasConfiguration() const { return m_current != nullptr; }
    // New: the series with its factory settings, at 1:1. A series this build
    // can't show is refused with a warning and changes nothing; returns
    // whether the series is shown.
    bool createSeries(int seriesId);
    // Open: the series named in the design file, loaded from it. A file naming
    // no series this build can show is refused with a warning and changes
    // nothing; returns whether the file was opened.
    bool openDesign(const QString &fileName, QString &seriesNameOut);
    // Save; a design written marks the history clean. Returns the file
    // written, null when nothing was.
    QString saveDesign();
    void generateDesign();
    void retranslateUi();

    // Test seam: builds series widgets instead of the real factory.
    void setSeriesFactory(SeriesWidgetFactory factory);

    QXMCUPLL *currentWidget() const { return m_current; }
    int seriesId() const { return m_seriesId; }
    QString mcuName() const { return m_mcuName; }
    QGroupBox *toolbarHolder() const { return m_toolbarHolder; }
    QToolBar *toolbar() const { return m_toolbar; }
    QAction *zoomInAction() const { return m_zoomInAction; }
    QAction *zoomOutAction() const { return m_zoomOutAction; }
    QAction *zoomResetAction() const { return m_zoomResetAction; }
    QAction *configResetAction() const { return m_configResetAction; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    // The edits of the open design; clean while it matches what was last
    // saved or opened.
    QUndoStack *undoStack() const { return m_undoStack; }

signals:
    // The design differs from what was last saved or opened (or no longer does).
    void modifiedChanged(bool modified);

public slots:
    void ZoomIn();
    void ZoomOut();
    void ZoomReset();
    void ConfigReset();
    void Undo();
    void Redo();

private:
    QAction *addToolbarAction(const char *iconName, void (QXPLLConfig::*slot)());
    // Replaces the current widget by one of this series; false, changing
    // nothing, when the series can't be built.
    bool showSeries(int seriesId);
    void warn(const QString &text);
    void recordEdit(const DesignState &before, const DesignState &after);
    // A fresh history for a design just created or opened.
    void startHistory();

    QVBoxLayout *m_mainLayout = nullptr;
    QGroupBox *m_toolbarHolder = nullptr;
    int m_seriesId = 0;
    QString m_mcuName;
    QToolBar *m_toolbar = nullptr;
    QAction *m_zoomInAction = nullptr;
    QAction *m_zoomOutAction = nullptr;
    QAction *m_zoomResetAction = nullptr;
    QAction *m_configResetAction = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QUndoStack *m_undoStack = nullptr;
    int m_gesture = 0;
    bool m_gestureOpen = false;
    // The one series widget (there is never more than one at a time).
    QXMCUPLL *m_current = nullptr;
    SeriesWidgetFactory m_factory;
};

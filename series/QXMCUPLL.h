#pragma once

#include "ClockRules.h"
#include "ClockTreeLayout.h"
#include "DesignDocument.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <memory>

class ClockTreeItem;
class EditorHost;
class CustomComboBox1;
class PinGraphicsView;
class QGraphicsItem;
class QAbstractScrollArea;
class QButtonGroup;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
struct SeriesParams;

// What became of Save or Generate, for the window and the command-line tool.
struct ActionOutcome {
    enum class Status {
        Done,      // written
        Refused,   // a check refused it: `findings` holds the refusal
        Cancelled, // the user declined a dialog or a warning
        Failed     // writing failed: `reason` says why
    };
    Status status = Status::Done;
    ClockRules::Findings findings; // the refusal, or the warnings that were asked
    QString reason;
    QStringList files; // Generate: the files written, relative to the chosen folder

    bool done() const { return status == Status::Done; }
};

// Base of every series widget: owns the scene, the view, the drawing and the
// clock record of one series, and builds the controls laid over the drawing.
// The workspace host and the command-line tool only use the public operations.
class QXMCUPLL : public QWidget {
    Q_OBJECT
public:
    QXMCUPLL(int seriesId, QWidget *parent = nullptr);
    ~QXMCUPLL() override;

    int seriesId() const { return m_seriesId; }
    PinGraphicsView *graphicsView() const { return m_view; }
    const ClockConfig *config() const { return &m_document->record(); }
    // The design the controls show and edit.
    DesignDocument &document() const { return *m_document; }
    QGraphicsScene *scene() const { return m_scene; }

    // Factory settings of the series.
    virtual void resetConfig() {}
    // The checks, then the Save dialog and the design file.
    virtual ActionOutcome saveConfig(const QString &seriesName);
    // Restores the controls from a design file, firing their slots.
    virtual void loadConfig(const QString &fileName) { Q_UNUSED(fileName) }
    // The checks and warnings, then the directory dialog and the generator.
    virtual ActionOutcome generateCode();

    // The control or label named `name` among those laid over the drawing
    // (controls are named after their design element or anchor); nullptr when
    // there is none of that type. A control works (signals, slots, state)
    // whether or not it is the live one; see makeLive().
    template <typename T> T *findControl(const QString &name) const
    {
        return qobject_cast<T *>(findPlacedWidget(name));
    }
    // Makes a control the live one, in the drawing's editor host, as when
    // the user reaches it; the control live before is painted again.
    void makeLive(QWidget *control) const;
    // The control a proxy of the drawing shows, embedded or stood in for.
    static QWidget *controlOf(const QGraphicsProxyWidget *proxy);
    // The proxy of a control laid over the drawing, embedded or not.
    static QGraphicsProxyWidget *proxyOf(const QWidget *control);
    // Whether a control laid over the drawing is shown (its proxy is).
    static bool controlShown(const QWidget *control);
    // The proxy of the drawing's one real control (none before the user
    // reaches one).
    QGraphicsProxyWidget *editorProxy() const;
    // The control in the editor host, if any.
    QWidget *liveControl() const;
    // The text shown at a label's anchor: a label's, or a fixed text drawn
    // with the tree; empty when there is none.
    QString shownText(const QString &name) const;
    ClockTreeItem *drawingItem() const { return m_drawing; }

    // What the checks before saving and generating say of the design as it
    // stands: its inputs judged, the tree recomputed, the limits checked.
    ClockRules::Verdict verdict() const { return m_document->verdict(); }

    // Puts a state in place and shows it on every control, signals blocked,
    // with no message: how undo and redo step through the history.
    void restoreState(const DesignState &state);
    // Whether two records hold the same value in every field.
    static bool sameRecord(const ClockConfig &a, const ClockConfig &b)
    {
        return DesignDocument::sameRecord(a, b);
    }

    // Paints the drawing as shown (tree, controls, values) into `target`,
    // with the fold-out lists folded in; the drawing's own rectangle is the source.
    void renderDrawing(QPainter *painter, const QRectF &target);
    QSize drawingSize() const;

    // Text of the first direct child element of the design file's root element
    // with this name; empty when the file can't be read or parsed, or has none.
    static QString readElement(const QString &fileName, const QString &elementName);

    // The display's two colour setters: window text (labels) and text (edits).
    static void setLabelTextColor(QWidget *widget, const QColor &color);
    static void setEditTextColor(QWidget *widget, const QColor &color);

    // Sets a style sheet only when it changes: parsing one is the costliest
    // part of refreshing the tree.
    static void setSheet(QWidget *widget, const QString &styleSheet);
    // The sheet a control shows, or will show once embedded.
    static QString sheet(const QWidget *widget);
    // The list buttons' arrow: folded (right) or open (down).
    static QIcon listIcon(bool open);

    // The clock-tree drawing of a series as the scene's ground (at the
    // origin, below every control); also the benchmark's baseline.
    static ClockTreeItem *addDrawingItem(QGraphicsScene *scene, const SeriesParams &series);

    // The drawing's view: white, frameless, with the program's scroll bars,
    // its viewport painted whole by a scene with a white background (also
    // the benchmarks' baselines).
    static void styleView(QAbstractScrollArea *view);

    // Prepares a widget for a proxy in a scene: never shown on screen itself.
    static void keepOffScreen(QWidget *widget);

    // Style of a radio group in use / not in use.
    static QString radioStyle(bool active);

signals:
    // A user edit changed the record (emitted once per edit that was not
    // refused or cancelled; never while a design is opened).
    void edited(const DesignState &before, const DesignState &after);

protected:
    // The gate before saving and generating: a refusal is shown and ends the
    // action; each warning is asked. Asks nothing of the factors, adjusts nothing.
    ActionOutcome passGate(ClockConfig &checked);
    // The document's questions and errors as message boxes of the dialog seam.
    DesignPrompter &prompter();
    // The shared tails of saveConfig and generateCode (after the gate).
    ActionOutcome writeDesign(const ClockConfig &record, const QString &seriesName);
    ActionOutcome runGeneration(const ClockConfig &record);

    // Runs one user edit on the document, asking its questions through the
    // dialog seam, then shows the result: the record, the states, the entries.
    EditOutcome applyEdit(const DesignEdit &edit);
    // Shows what the document holds on every control, signals blocked.
    virtual void showRecord() {}

    // Control builders. Every control is its own proxy item in the scene at
    // drawing coordinates; variants hand the proxy back to the caller. While a
    // drawing is being built, the controls wait outside their proxies so that
    // the looks they take before the first display are applied only once;
    // finishPlacement() embeds them, in the order they were placed.
    QLabel *addLabel(const QString &text, const QPoint &pos, int pointSize = 10, int weight = 0,
                     QGraphicsProxyWidget **proxy = nullptr);
    // A text that never changes while the design is open is drawn with the
    // tree, not carried by a widget of its own.
    void addFixedText(const QString &text, const QString &name, const QPoint &pos);
    CustomComboBox1 *addComboBox(const QStringList &items, int width, const QPoint &pos, qreal z = 1,
                                 QGraphicsProxyWidget **proxy = nullptr);
    QLineEdit *addLineEdit(const QString &text, const QPoint &pos, QGraphicsProxyWidget **proxy = nullptr);
    QRadioButton *addRadioButton(const QPoint &pos, QButtonGroup *group);
    QLineEdit *addValueBox(const QPoint &pos);
    QPushButton *addListButton(const QPoint &pos);
    // A folded-in list of names over the neighbouring controls (z 2); returns
    // the proxy, hidden until its button folds it out.
    QGraphicsProxyWidget *addListPanel(const QStringList &names, const QPoint &pos);
    void finishPlacement();
    // Shows or hides a control, also one that is stood in for (which must
    // never be shown as a window of its own).
    void setControlShown(QWidget *control, bool shown);
    // A control by name, as it is: not made live.
    template <typename T> T *placedControl(const QString &name) const
    {
        return qobject_cast<T *>(findPlacedWidget(name));
    }
    // The view repaints only what changed, and a control changed without
    // input does not mark its own area: after every refresh, the proxies of
    // the controls whose look changed since the last call repaint.
    void repaintChangedControls();

    // The drawing the controls are placed on: the series' layout.
    const ClockTree::Layout &treeLayout() const { return m_tree; }
    QPoint at(const QString &anchorId) const { return m_tree.anchor(anchorId).pos; }
    int widthAt(const QString &anchorId) const { return m_tree.anchor(anchorId).width; }

    PinGraphicsView *m_view = nullptr;
    std::unique_ptr<DesignDocument> m_document;

private:
    QWidget *findPlacedWidget(const QString &name) const;
    // The view frames the focused control in its foreground; when the frame
    // moves (focus, a list opening or closing) its old place repaints too.
    void followFocusFrame(QGraphicsItem *focused);
    QGraphicsProxyWidget *place(QWidget *widget, const QPoint &pos, qreal z);

    std::unique_ptr<DesignPrompter> m_prompter;
    std::unique_ptr<EditorHost> m_editorHost;
    int m_seriesId = 0;
    QGraphicsScene *m_scene = nullptr;
    ClockTreeItem *m_drawing = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QVector<QGraphicsProxyWidget *> m_listPanels;
    QVector<QWidget *> m_controls; // every widget laid over the drawing
    QVector<QByteArray> m_looks;   // of each control, as last repainted
    QHash<QString, QString> m_fixedTexts;
    QRectF m_focusFrame;
    QMetaObject::Connection m_frameWatch;
    bool m_placementFinished = false;
    ClockTree::Layout m_tree;
};

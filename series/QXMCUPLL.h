#pragma once

#include "ClockTreeLayout.h"

#include <QWidget>

class ClockConfig;
class CustomComboBox1;
class PinGraphicsView;
class QButtonGroup;
class QGraphicsPixmapItem;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// Base of every series widget: owns the scene, the view, the bitmap and the
// clock record of one series, and builds the controls laid over the bitmap.
// The workspace host and the command-line tool only use the public operations.
class QXMCUPLL : public QWidget {
    Q_OBJECT
public:
    QXMCUPLL(int seriesId, QWidget *parent = nullptr);
    ~QXMCUPLL() override;

    int seriesId() const { return m_seriesId; }
    PinGraphicsView *graphicsView() const { return m_view; }
    ClockConfig *config() const { return m_config; }
    QGraphicsScene *scene() const { return m_scene; }

    // Factory settings of the series.
    virtual void resetConfig() {}
    // Limit checks, then the Save dialog and the design file.
    virtual void saveConfig(const QString &seriesName);
    // Restores the controls from a design file, firing their slots.
    virtual void loadConfig(const QString &fileName) { Q_UNUSED(fileName) }
    // Limit checks and warnings, then the directory dialog and the generator.
    virtual void generateCode();

    // The series' checks before saving / generating: refusals and confirmed
    // warnings through the dialog seam; false stops the action.
    virtual bool checkBeforeSave() { return true; }
    virtual bool checkBeforeGenerate() { return true; }

    // Text of the first direct child element of the design file's root element
    // with this name; empty when the file can't be read or parsed, or has none.
    static QString readElement(const QString &fileName, const QString &elementName);

    // The display's two colour setters: window text (labels) and text (edits).
    static void setLabelTextColor(QWidget *widget, const QColor &color);
    static void setEditTextColor(QWidget *widget, const QColor &color);

    // Style of a radio group in use / not in use.
    static QString radioStyle(bool active);

protected:
    // The shared tails of saveConfig and generateCode (after the checks).
    bool writeDesign(const QString &seriesName);
    bool runGeneration();

    // Control builders. Every control is its own proxy item in the scene at
    // bitmap coordinates; variants hand the proxy back to the caller.
    QLabel *addLabel(const QString &text, const QPoint &pos, int pointSize = 10, int weight = 0,
                     QGraphicsProxyWidget **proxy = nullptr);
    CustomComboBox1 *addComboBox(const QStringList &items, int width, const QPoint &pos, qreal z = 1,
                                 QGraphicsProxyWidget **proxy = nullptr);
    QLineEdit *addLineEdit(const QString &text, const QPoint &pos, QGraphicsProxyWidget **proxy = nullptr);
    QRadioButton *addRadioButton(const QPoint &pos, QButtonGroup *group);
    QLineEdit *addValueBox(const QPoint &pos);
    QPushButton *addListButton(const QPoint &pos);
    // A folded-in list of names over the neighbouring controls (z 2); returns
    // the proxy, hidden until its button folds it out.
    QGraphicsProxyWidget *addListPanel(const QStringList &names, const QPoint &pos);

    // The drawing the controls are placed on; set by the series before building.
    void setTreeLayout(const ClockTree::Layout &layout) { m_tree = layout; }
    const ClockTree::Layout &treeLayout() const { return m_tree; }
    QPoint at(const QString &anchorId) const { return m_tree.anchor(anchorId).pos; }
    int widthAt(const QString &anchorId) const { return m_tree.anchor(anchorId).width; }

    PinGraphicsView *m_view = nullptr;
    ClockConfig *m_config = nullptr;

private:
    QGraphicsProxyWidget *place(QWidget *widget, const QPoint &pos, qreal z);

    int m_seriesId = 0;
    QGraphicsScene *m_scene = nullptr;
    QGraphicsPixmapItem *m_bitmap = nullptr;
    QVBoxLayout *m_layout = nullptr;
    ClockTree::Layout m_tree;
};

#pragma once

#include <QGraphicsProxyWidget>
#include <QHash>

#include <memory>
#include <vector>

// Paints controls that are not embedded through one template widget per
// control class and style sheet, as a delegate of an item view paints its
// cells: the template takes the control's text, state and colours and is
// rendered in its place, so it looks exactly as the embedded control would,
// at every zoom. Templates are styled once for the whole program and deleted
// when the application object goes.
class ControlLooks {
public:
    static ControlLooks &shared();

    void paint(const QWidget *control, const QString &sheet, QPainter *painter, const QRect &exposed);
    // The size embedding would give a control that was never sized.
    QSize naturalSize(const QWidget *control, const QString &sheet);
    // Whether a template shows this control as the control itself would.
    static bool canStandFor(const QWidget *control);
    // Everything a control shows (what the template copies from it, and
    // what picks the template): two controls with the same key look the same.
    static QByteArray lookKey(const QWidget *control, const QString &sheet);

private:
    ControlLooks() = default;
    QWidget *templateFor(const QWidget *control, const QString &sheet);

    QHash<QString, QWidget *> m_templates;
    std::vector<std::unique_ptr<QWidget>> m_owned; // top-level, so no parent owns them
    QHash<QByteArray, QSize> m_naturalSizes;
};

// The place of a control over the drawing. Embedding every control
// (polishing it under its style sheet, giving it a window, sizing) is most of
// what a drawing would cost to build, and most controls are never touched:
// the proxy keeps its control aside, never shown, and paints it through the
// shared templates; only the control the user works with (hover, press,
// focus, drop) is real, inside the drawing's one editor host (see
// EditorHost). Whether a control is shown is its proxy's visibility; its size
// and enabled state follow the control's (see follow()).
class StandInProxy final : public QGraphicsProxyWidget {
    Q_OBJECT
public:
    StandInProxy(QWidget *control, class EditorHost *host);
    ~StandInProxy() override;

    QWidget *control() const { return m_control; }
    // Whether the control is the one in the editor host.
    bool live() const;
    // Puts the control into the editor host, for the user to work with.
    void embed();
    // Takes the size and enabled state of the control.
    void follow();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The proxy standing for a control; nullptr for a widget placed otherwise.
    static StandInProxy *of(const QWidget *control);

    // The sheet the control shows: given to it while it is live.
    const QString &sheet() const { return m_sheet; }
    void setSheet(const QString &sheet);

protected:
    bool sceneEvent(QEvent *event) override;

private:
    // Labels and the fold-out lists take no input: always painted.
    bool takesInput() const;
    void applySheet();

    QWidget *m_control;
    EditorHost *m_host;
    QString m_sheet;
};

// The one real control of a drawing: a host widget in a proxy of its own,
// moved over the control the user works with; the control it held before
// goes back to being painted. One native window serves the whole drawing.
class EditorHost final {
public:
    explicit EditorHost(QGraphicsScene *scene) : m_scene(scene) {}
    ~EditorHost();

    QWidget *live() const { return m_live; }
    QGraphicsProxyWidget *proxy() const { return m_proxy; }
    void edit(StandInProxy *standIn);
    // The host follows its control's place, size, visibility and state.
    void follow();

private:
    void park();

    QGraphicsScene *m_scene;
    QGraphicsProxyWidget *m_proxy = nullptr; // owned by the scene
    QWidget *m_live = nullptr;
    StandInProxy *m_standIn = nullptr;
};

#pragma once

#include "KeptLooks.h"

#include <QGraphicsProxyWidget>
#include <QHash>

#include <memory>
#include <vector>

// Paints controls that are not embedded yet through one template widget per
// control class, style sheet and palette use: the template takes the
// control's text, state and colours and is rendered in its place, so it looks
// exactly as the embedded control would, at every zoom. Templates are
// polished and styled once for the whole program, however many controls and
// drawings they stand for, and deleted when the application object goes.
class ControlLooks {
public:
    static ControlLooks &shared();

    void paint(const QWidget *control, QPainter *painter, const QRect &exposed);
    // The size embedding would give a control that was never sized.
    QSize naturalSize(const QWidget *control);
    // Whether a template shows this control as the control itself would.
    static bool canStandFor(const QWidget *control);
    // Everything a control shows (what the template copies from it, and
    // what picks the template): two controls with the same key look the
    // same, pixel for pixel, over the same pixels.
    static QByteArray lookKey(const QWidget *control);

private:
    ControlLooks() = default;
    QWidget *templateFor(const QWidget *control);
    void paintStyled(const QWidget *control, QPainter *painter, const QRect &exposed);

    QHash<QString, QWidget *> m_templates;
    std::vector<std::unique_ptr<QWidget>> m_owned; // top-level, so no parent owns them
    KeptLooks m_kept;
    QHash<QByteArray, QSize> m_naturalSizes;
};

// The proxy of a control that the user has not reached yet. Embedding a
// control (polishing it under its style sheet, showing, sizing) is most of
// what a drawing costs to build, and most controls are never touched: until
// the first hover, press, focus or drop, or until the program asks for the
// live widget, the proxy holds the control aside and paints its look through
// the shared templates. Its size, enabled state and visibility follow the
// control's; see follow() and setShown().
class StandInProxy final : public QGraphicsProxyWidget {
public:
    explicit StandInProxy(QWidget *control);
    ~StandInProxy() override;

    QWidget *control() const { return m_control; }
    bool parked() const { return widget() == nullptr; }
    // Embeds the control, with the sheet it waits with and its visibility.
    void embed();
    // A parked control is never shown as a window of its own: its visibility
    // is recorded on it (isHidden() answers as for an embedded control) and
    // shown by the proxy.
    void setShown(bool shown);
    // Takes the size and enabled state of the parked control, or embeds a
    // control no template can show.
    void follow();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The control a proxy shows, whether embedded or stood in for.
    static QWidget *controlOf(const QGraphicsProxyWidget *proxy);
    // The proxy of a control still parked, or nullptr.
    static StandInProxy *parkedProxyOf(const QWidget *control);

    // The sheet the parked control waits with, given to it when embedded.
    const QString &waitingSheet() const { return m_waitingSheet; }
    void setWaitingSheet(const QString &sheet) { m_waitingSheet = sheet; }

protected:
    bool sceneEvent(QEvent *event) override;

private:
    static QHash<const QWidget *, StandInProxy *> &parkedProxies();

    QWidget *m_control;
    QString m_waitingSheet;
};

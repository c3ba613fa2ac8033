#include "CustomComboBox1.h"

#include "CustomListView.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMouseEvent>

#include <utility>

namespace {

// Above every control and fold-out list of a drawing.
constexpr qreal kOpenListZ = 100;

// The box's look, and with `list` the look of its popup list. A drawing
// holds dozens of boxes whose lists are rarely opened: the list's rules are
// parsed only once the list exists.
QString styleSheetFor(const char *borderColour, const char *textColour, bool list)
{
    QString sheet =
        QStringLiteral(
            // A list shows below the box with a scroll bar of its own, at most
            // maxVisibleItems rows: never over the box (where a press held and
            // released would choose) nor taller than the screen.
            "QComboBox { border: 1px outset %1; color: %2; border-radius: 2px; padding: 1px 2px; "
            "combobox-popup: 0; }"
            "QComboBox::drop-down { border-left: 1px solid blue; border-style: none; "
            "border-top-right-radius: 3px; border-bottom-right-radius: 3px; "
            "subcontrol-origin: padding; subcontrol-position: top right; width: 20px; }"
            "QComboBox::down-arrow { image: url(:/image/downArrow4.png); height: 20px; width: 10px; }"
            // The keyboard's place must show: a darker, thicker frame.
            "QComboBox:focus { border: 2px solid rgb(0, 32, 82); padding: 0px 1px; }")
            .arg(QLatin1String(borderColour), QLatin1String(textColour));
    if (list) {
        sheet += QStringLiteral(
            // Dark text on the light-gray selection: the default white is unreadable on it.
            "QComboBox QAbstractItemView { border: 1px solid black; selection-background-color: "
            "lightgray; selection-color: black; padding-top: 4px; padding-bottom: 4px; }"
            "QComboBox QScrollBar:vertical { background: rgb(217, 233, 246); width: 12px; }"
            "QComboBox QScrollBar::handle:vertical { background: rgb(36, 183, 181); "
            "border: 2px solid transparent; border-radius: 5px; }"
            "QComboBox QScrollBar::handle:vertical:hover { background: rgb(36, 183, 181); }"
            "QComboBox QScrollBar::add-line:vertical, QComboBox QScrollBar::sub-line:vertical "
            "{ background: transparent; }");
    }
    return sheet;
}

} // namespace

CustomComboBox1::CustomComboBox1(QWidget *parent) : QComboBox(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setFont(QFont(QStringLiteral("Arial"), 10, 0));
    applyLook(Look::Normal);
}

void CustomComboBox1::ensureListView()
{
    if (m_view)
        return;
    m_view = new CustomListView(this);
    applyLook(m_look); // now with the list's rules
    // Under a style sheet the list does not inherit the box's font by itself.
    m_view->setFont(font());
    connect(m_view, &CustomListView::focusInThis, this, &CustomComboBox1::listFocusChanged);
    setView(m_view);
    m_view->window()->installEventFilter(this); // its frame: to hear when the list closes
    // The popup now exists: let it take the font and style it was spared.
    for (QEvent::Type type : {QEvent::FontChange, QEvent::StyleChange}) {
        QEvent change(type);
        QComboBox::changeEvent(&change);
    }
}

void CustomComboBox1::showPopup()
{
    ensureListView();
    // On a drawing the open list is a child item of the box's proxy: the box
    // goes above the controls placed after it, or they would cover the list.
    if (QGraphicsProxyWidget *proxy = window()->graphicsProxyWidget();
        proxy && !m_view->window()->isVisible()) {
        m_restingZ = proxy->zValue();
        proxy->setZValue(kOpenListZ);
    }
    QComboBox::showPopup();
    keepListInView();
}

void CustomComboBox1::keepListInView()
{
    // Qt places the list within the screen as if the box were a window of its
    // own; on a drawing it may then run past the view's lower edge. It goes
    // above the box there, if it fits.
    QGraphicsProxyWidget *box = window()->graphicsProxyWidget();
    QGraphicsProxyWidget *list = m_view->window()->graphicsProxyWidget();
    if (!box || !list || !list->parentItem() || !box->scene() || box->scene()->views().isEmpty())
        return;
    const QGraphicsView *view = box->scene()->views().constFirst();
    const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
    const QRectF placed = list->sceneBoundingRect();
    const qreal top = box->sceneBoundingRect().top() - placed.height();
    if (placed.bottom() <= visible.bottom() || top < visible.top())
        return;
    const QGraphicsItem *parent = list->parentItem();
    list->setPos(list->pos() + parent->mapFromScene(QPointF(placed.left(), top)) -
                 parent->mapFromScene(placed.topLeft()));
}

bool CustomComboBox1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && m_view && watched == m_view->window()) {
        if (QGraphicsProxyWidget *proxy = window()->graphicsProxyWidget())
            proxy->setZValue(m_restingZ);
    }
    return QComboBox::eventFilter(watched, event);
}

void CustomComboBox1::changeEvent(QEvent *event)
{
    // A font or style change makes QComboBox build its popup list at once;
    // a drawing holds dozens of boxes whose lists are rarely opened.
    const bool listChange = event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
    if (listChange && !m_view) {
        QWidget::changeEvent(event);
        return;
    }
    if (event->type() == QEvent::FontChange && m_view)
        m_view->setFont(font());
    QComboBox::changeEvent(event);
}

void CustomComboBox1::setEnabledWithStyle(bool enabled)
{
    setEnabled(enabled);
    applyLook(enabled ? Look::Focused : Look::Disabled);
}

void CustomComboBox1::focusInEvent(QFocusEvent *event)
{
    applyLook(Look::Focused);
    QComboBox::focusInEvent(event);
}

void CustomComboBox1::focusOutEvent(QFocusEvent *event)
{
    applyLook(Look::Normal);
    QComboBox::focusOutEvent(event);
}

void CustomComboBox1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QComboBox::mousePressEvent(event);
}

void CustomComboBox1::wheelEvent(QWheelEvent *)
{
    // Deliberately ignored: scrolling the drawing must never change a setting.
}

void CustomComboBox1::applyLook(Look look)
{
    m_look = look;
    // Border and text colours, in the order of Look: normal, focused, disabled.
    static const char *const colours[][2] = {
        {"rgb(0, 176, 240)", "black"}, {"rgb(0, 176, 240)", "rgb(51, 51, 51)"}, {"gray", "gray"}};
    const QString sheet = styleSheetFor(colours[int(look)][0], colours[int(look)][1], m_view != nullptr);
    // Parsing a style sheet costs far more than comparing it. Before the box
    // is polished the sheet waits: set now, it would be parsed for the style
    // change and again by polishing. A box kept off screen for a drawing
    // waits until its proxy shows it (a drawing builds dozens of boxes, most
    // never embedded; their proxies paint them with the sheet of lookSheet()).
    if (!sheetApplies()) {
        m_pendingSheet = sheet;
        return;
    }
    if (styleSheet() != sheet)
        setStyleSheet(sheet);
}

bool CustomComboBox1::event(QEvent *event)
{
    const bool done = QComboBox::event(event);
    if (event->type() == QEvent::Polish)
        m_polished = true;
    const bool ready = event->type() == QEvent::Polish || event->type() == QEvent::Show;
    if (ready && !m_pendingSheet.isNull() && sheetApplies())
        setStyleSheet(std::exchange(m_pendingSheet, QString()));
    return done;
}

bool CustomComboBox1::sheetApplies() const
{
    return m_polished && !testAttribute(Qt::WA_DontShowOnScreen);
}

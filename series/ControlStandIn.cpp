#include "ControlStandIn.h"

#include "CustomComboBox1.h"
#include "QXMCUPLL.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionGraphicsItem>

#include <utility>

namespace {

QWidget *newTemplate(const QMetaObject *kind)
{
    if (kind == &CustomComboBox1::staticMetaObject) {
        auto *combo = new CustomComboBox1;
        combo->addItem(QString()); // shows the control's current text
        return combo;
    }
    if (kind == &QLabel::staticMetaObject)
        return new QLabel;
    if (kind == &QLineEdit::staticMetaObject)
        return new QLineEdit;
    if (kind == &QRadioButton::staticMetaObject) {
        auto *radio = new QRadioButton;
        radio->setAutoExclusive(false); // alone, it could not be unchecked
        return radio;
    }
    if (kind == &QPushButton::staticMetaObject)
        return new QPushButton;
    return nullptr;
}

// The template takes what the control shows: everything its paint reads.
void copyState(const QWidget *from, QWidget *to)
{
    to->setFont(from->font());
    if (from->testAttribute(Qt::WA_SetPalette))
        to->setPalette(from->palette());
    to->setEnabled(from->isEnabled());
    if (const auto *label = qobject_cast<const QLabel *>(from)) {
        auto *shown = static_cast<QLabel *>(to);
        shown->setText(label->text());
        shown->setAlignment(label->alignment());
    } else if (const auto *edit = qobject_cast<const QLineEdit *>(from)) {
        auto *shown = static_cast<QLineEdit *>(to);
        shown->setText(edit->text());
        shown->setReadOnly(edit->isReadOnly());
        shown->setAlignment(edit->alignment());
        shown->setCursorPosition(edit->cursorPosition());
    } else if (const auto *combo = qobject_cast<const QComboBox *>(from)) {
        auto *shown = static_cast<QComboBox *>(to);
        shown->setItemText(0, combo->currentText());
        shown->setCurrentIndex(combo->currentIndex() < 0 ? -1 : 0);
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(from)) {
        auto *shown = static_cast<QAbstractButton *>(to);
        shown->setCheckable(button->isCheckable());
        shown->setChecked(button->isChecked());
        shown->setText(button->text());
        shown->setIcon(button->icon());
        shown->setIconSize(button->iconSize());
    }
}

// A value's bytes, for a key.
template <typename T> void put(QByteArray &key, const T &value)
{
    key.append(reinterpret_cast<const char *>(&value), int(sizeof value));
}

void put(QByteArray &key, const QString &text)
{
    put(key, text.size());
    key.append(reinterpret_cast<const char *>(text.utf16()), text.size() * int(sizeof(ushort)));
}

} // namespace

QByteArray ControlLooks::lookKey(const QWidget *control)
{
    QByteArray key;
    key.reserve(2560); // a combo box's sheet and a palette: no growing
    key.append(control->metaObject()->className());
    put(key, QXMCUPLL::sheet(control));
    const QFont &font = control->font();
    put(key, font.family());
    // The numbers of a kind gathered first and added at once (as whole
    // numbers, so that no padding enters the key).
    const qint64 common[] = {
        qHash(font),
        qRound64(font.pointSizeF() * 64),
        font.pixelSize(),
        font.weight(),
        font.style(),
        font.underline() | font.strikeOut() << 1 | font.overline() << 2 | font.kerning() << 3,
        control->width(),
        control->height(),
        control->isEnabled()};
    put(key, common);
    if (control->testAttribute(Qt::WA_SetPalette)) {
        qint64 brushes[QPalette::NColorGroups][QPalette::NColorRoles][2];
        const QPalette &palette = control->palette();
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const QBrush &brush = palette.brush(QPalette::ColorGroup(group), QPalette::ColorRole(role));
                brushes[group][role][0] = qint64(brush.color().rgba64());
                brushes[group][role][1] = brush.style();
            }
        }
        put(key, brushes);
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        put(key, qint64(label->alignment()));
        put(key, label->text());
    } else if (const auto *edit = qobject_cast<const QLineEdit *>(control)) {
        const qint64 state[] = {edit->isReadOnly(), edit->alignment(), edit->cursorPosition()};
        put(key, state);
        put(key, edit->text());
    } else if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
        put(key, qint64(combo->currentIndex() < 0));
        put(key, combo->currentText());
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        const qint64 state[] = {button->isCheckable(), button->isChecked(), button->icon().cacheKey(),
                                button->iconSize().width(), button->iconSize().height()};
        put(key, state);
        put(key, button->text());
    }
    return key;
}

namespace {

ControlLooks *g_looks = nullptr;

void deleteLooks()
{
    delete g_looks; // while the application object still exists
    g_looks = nullptr;
}

} // namespace

ControlLooks &ControlLooks::shared()
{
    if (!g_looks) {
        g_looks = new ControlLooks;
        qAddPostRoutine(deleteLooks);
    }
    return *g_looks;
}

bool ControlLooks::canStandFor(const QWidget *control)
{
    const QMetaObject *kind = control->metaObject();
    if (kind == &QLineEdit::staticMetaObject) {
        // An entry scrolls a text wider than itself from where it last
        // scrolled, which a shared template does not know: such an entry is
        // shown live. The margin covers the frame, padding and cursor.
        const auto *edit = static_cast<const QLineEdit *>(control);
        return edit->fontMetrics().horizontalAdvance(edit->text()) + 16 <= edit->width();
    }
    return kind == &CustomComboBox1::staticMetaObject || kind == &QLabel::staticMetaObject ||
           kind == &QRadioButton::staticMetaObject || kind == &QPushButton::staticMetaObject;
}

QWidget *ControlLooks::templateFor(const QWidget *control)
{
    const QString sheet = QXMCUPLL::sheet(control);
    const bool ownPalette = control->testAttribute(Qt::WA_SetPalette);
    const QString key = QLatin1String(control->metaObject()->className()) +
                        (ownPalette ? QLatin1String("|p|") : QLatin1String("|-|")) + sheet;
    if (QWidget *known = m_templates.value(key))
        return known;
    QWidget *shown = newTemplate(control->metaObject());
    if (!shown)
        return nullptr;
    m_owned.emplace_back(shown);
    // Prepared as place() prepares a control, and styled as embedding styles
    // it: polished first, then given its sheet.
    shown->setAttribute(Qt::WA_TranslucentBackground);
    QXMCUPLL::keepOffScreen(shown);
    shown->ensurePolished();
    if (!sheet.isEmpty() && shown->styleSheet() != sheet)
        shown->setStyleSheet(sheet);
    m_templates.insert(key, shown);
    return shown;
}

void ControlLooks::paint(const QWidget *control, QPainter *painter, const QRect &exposed)
{
    const QRect whole(QPoint(0, 0), control->size());
    const KeptLooks::Place place = KeptLooks::placeOf(painter, whole);
    if (!place.valid()) {
        paintStyled(control, painter, exposed);
        return;
    }
    const QByteArray key = lookKey(control);
    if (m_kept.paint(painter, key, place))
        return;
    paintStyled(control, painter, exposed);
    if (exposed.contains(place.part) && KeptLooks::unclipped(painter, place))
        m_kept.keep(painter, key, place);
}

void ControlLooks::paintStyled(const QWidget *control, QPainter *painter, const QRect &exposed)
{
    QWidget *shown = templateFor(control);
    if (!shown)
        return;
    copyState(control, shown);
    shown->resize(control->size());
    // As QGraphicsProxyWidget paints its widget.
    shown->render(painter, exposed.topLeft(), exposed);
}

QSize ControlLooks::naturalSize(const QWidget *control)
{
    // The same look has the same size: a drawing's controls repeat a few looks,
    // and each drawing of a series repeats them all.
    const QByteArray key = lookKey(control);
    const auto known = m_naturalSizes.constFind(key);
    if (known != m_naturalSizes.constEnd())
        return *known;
    QWidget *shown = templateFor(control);
    if (!shown)
        return control->size();
    copyState(control, shown);
    // Without a valid size hint (an empty label) adjustSize() keeps the size.
    shown->resize(control->size());
    shown->adjustSize();
    m_naturalSizes.insert(key, shown->size());
    return shown->size();
}

StandInProxy::StandInProxy(QWidget *control) : m_control(control), m_waitingSheet(control->styleSheet())
{
    // Every new widget asks to be polished at the next turn of the event
    // loop: under its sheet that is most of what embedding costs. A parked
    // control is polished when it is embedded, if ever.
    QCoreApplication::removePostedEvents(control, QEvent::PolishRequest);
    parkedProxies().insert(control, this);
    setAcceptHoverEvents(true);
    setShown(true);
}

StandInProxy::~StandInProxy()
{
    if (!parked())
        return; // an embedded control is deleted with its proxy
    parkedProxies().remove(m_control);
    delete m_control;
}

QHash<const QWidget *, StandInProxy *> &StandInProxy::parkedProxies()
{
    static QHash<const QWidget *, StandInProxy *> proxies;
    return proxies;
}

StandInProxy *StandInProxy::parkedProxyOf(const QWidget *control)
{
    return parkedProxies().value(control);
}

QWidget *StandInProxy::controlOf(const QGraphicsProxyWidget *proxy)
{
    if (!proxy)
        return nullptr;
    if (QWidget *embedded = proxy->widget())
        return embedded;
    const auto *standIn = dynamic_cast<const StandInProxy *>(proxy);
    return standIn ? standIn->control() : nullptr;
}

void StandInProxy::setShown(bool shown)
{
    if (!parked()) {
        m_control->setVisible(shown);
        return;
    }
    m_control->setAttribute(Qt::WA_WState_ExplicitShowHide);
    m_control->setAttribute(Qt::WA_WState_Hidden, !shown);
    setVisible(shown);
}

void StandInProxy::follow()
{
    if (!parked())
        return;
    if (!ControlLooks::canStandFor(m_control)) {
        embed();
        return;
    }
    if (!m_control->testAttribute(Qt::WA_Resized))
        m_control->resize(ControlLooks::shared().naturalSize(m_control));
    // An embedding proxy is never smaller than its widget's minimum size
    // hint where the widget sets no minimum: an empty label's is wider than
    // nothing. A label with a line of text is as wide as its hint already,
    // and the labels' sheets only colour their text.
    QSize size = m_control->size();
    const auto *label = qobject_cast<const QLabel *>(m_control);
    if (label && label->text().isEmpty() && m_control->minimumSize().isNull())
        size = size.expandedTo(m_control->minimumSizeHint());
    if (this->size() != QSizeF(size))
        resize(size);
    setEnabled(m_control->isEnabled());
}

void StandInProxy::embed()
{
    if (!parked())
        return;
    // Back to a widget never shown, hidden explicitly or not: the proxy
    // shows it unless it was hidden.
    const bool hidden = m_control->isHidden();
    m_control->setAttribute(Qt::WA_WState_Hidden);
    m_control->setAttribute(Qt::WA_WState_ExplicitShowHide, hidden);
    parkedProxies().remove(m_control);
    // Given after polishing, the sheet is parsed once (before, it would be
    // parsed for the style change and again when polishing drops that).
    if (!m_waitingSheet.isEmpty()) {
        m_control->ensurePolished();
        m_control->setStyleSheet(std::exchange(m_waitingSheet, QString()));
    }
    const QPointF at = pos();
    setWidget(m_control); // takes the widget's geometry
    setPos(at);
}

void StandInProxy::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    if (!parked()) {
        QGraphicsProxyWidget::paint(painter, option, widget);
        return;
    }
    const QRect exposed = (option->exposedRect & rect()).toAlignedRect();
    if (!exposed.isEmpty())
        ControlLooks::shared().paint(m_control, painter, exposed);
}

bool StandInProxy::sceneEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::GraphicsSceneHoverEnter:
    case QEvent::GraphicsSceneHoverMove:
    case QEvent::GraphicsSceneMousePress:
    case QEvent::GraphicsSceneMouseDoubleClick:
    case QEvent::GraphicsSceneContextMenu:
    case QEvent::GraphicsSceneDragEnter:
    case QEvent::FocusIn:
        embed();
        break;
    default:
        break;
    }
    return QGraphicsProxyWidget::sceneEvent(event);
}

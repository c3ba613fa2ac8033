#include "ControlStandIn.h"

#include "CustomComboBox1.h"
#include "DrawingAccess.h"
#include "QXMCUPLL.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
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
// Setting a font, palette or entry text again costs as much as a change (a
// template is painted a few hundred times a build), so only changes are set.
void copyState(const QWidget *from, QWidget *to)
{
    if (to->font() != from->font())
        to->setFont(from->font());
    if (from->testAttribute(Qt::WA_SetPalette) && to->palette() != from->palette())
        to->setPalette(from->palette());
    to->setEnabled(from->isEnabled());
    if (const auto *label = qobject_cast<const QLabel *>(from)) {
        auto *shown = static_cast<QLabel *>(to);
        shown->setText(label->text());
        shown->setAlignment(label->alignment());
    } else if (const auto *edit = qobject_cast<const QLineEdit *>(from)) {
        auto *shown = static_cast<QLineEdit *>(to);
        if (shown->text() != edit->text())
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

QByteArray ControlLooks::lookKey(const QWidget *control, const QString &sheet)
{
    QByteArray key;
    key.append(control->metaObject()->className());
    put(key, sheet);
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

QWidget *ControlLooks::templateFor(const QWidget *control, const QString &sheet)
{
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
    shown->setAttribute(Qt::WA_DontShowOnScreen);
    shown->ensurePolished();
    if (!sheet.isEmpty() && shown->styleSheet() != sheet)
        shown->setStyleSheet(sheet);
    m_templates.insert(key, shown);
    return shown;
}

void ControlLooks::paint(const QWidget *control, const QString &sheet, QPainter *painter,
                         const QRect &exposed)
{
    QWidget *shown = templateFor(control, sheet);
    if (!shown)
        return;
    copyState(control, shown);
    shown->resize(control->size());
    // As QGraphicsProxyWidget paints its widget.
    shown->render(painter, exposed.topLeft(), exposed);
}

QSize ControlLooks::naturalSize(const QWidget *control, const QString &sheet)
{
    // The same look has the same size: a drawing's controls repeat a few looks,
    // and each drawing of a series repeats them all.
    const QByteArray key = lookKey(control, sheet);
    const auto known = m_naturalSizes.constFind(key);
    if (known != m_naturalSizes.constEnd())
        return *known;
    QWidget *shown = templateFor(control, sheet);
    if (!shown)
        return control->size();
    copyState(control, shown);
    // Without a valid size hint (an empty label) adjustSize() keeps the size.
    shown->resize(control->size());
    shown->adjustSize();
    m_naturalSizes.insert(key, shown->size());
    return shown->size();
}

namespace {

// Each control's proxy. Looked up for every control at each refresh, where a
// dynamic property's lookup by name cost a twentieth of a build.
QHash<const QWidget *, StandInProxy *> &standIns()
{
    static QHash<const QWidget *, StandInProxy *> proxies;
    return proxies;
}

} // namespace

StandInProxy::StandInProxy(QWidget *control, EditorHost *host)
    : m_control(control), m_host(host), m_sheet(control->styleSheet())
{
    // The control's own sheet waits here until it is live: polished
    // without one (as every new widget is, at the next turn of the event
    // loop), a plain control costs little.
    if (!m_sheet.isEmpty())
        control->setStyleSheet(QString());
    control->setAttribute(Qt::WA_DontShowOnScreen); // never a window of its own
    standIns().insert(control, this);
    setAcceptHoverEvents(takesInput());
    setFocusPolicy(takesInput() ? Qt::StrongFocus : Qt::NoFocus);
    const auto *edit = qobject_cast<const QLineEdit *>(control);
    if (edit && !edit->isReadOnly())
        setCursor(Qt::IBeamCursor); // over an entry before the user reached it
}

StandInProxy::~StandInProxy()
{
    standIns().remove(m_control);
    if (live())
        m_control->setParent(nullptr); // out of the host, which the scene may delete first
    delete m_control;
}

StandInProxy *StandInProxy::of(const QWidget *control)
{
    return standIns().value(control);
}

bool StandInProxy::live() const
{
    return m_control->parentWidget() != nullptr; // the editor host's
}

bool StandInProxy::takesInput() const
{
    return !qobject_cast<const QLabel *>(m_control) && !qobject_cast<const QGroupBox *>(m_control);
}

void StandInProxy::setSheet(const QString &sheet)
{
    m_sheet = sheet;
    if (live())
        applySheet();
}

void StandInProxy::applySheet()
{
    if (qobject_cast<CustomComboBox1 *>(m_control))
        return; // the box styles itself
    // Given after polishing, the sheet is parsed once (before, it would be
    // parsed for the style change and again when polishing drops that).
    m_control->ensurePolished();
    if (m_control->styleSheet() != m_sheet)
        m_control->setStyleSheet(m_sheet);
}

void StandInProxy::follow()
{
    if (!ControlLooks::canStandFor(m_control)) {
        // Painted as itself (a fold-out list, an entry scrolled): laid out
        // as embedding would lay it out.
        applySheet();
        if (!m_control->testAttribute(Qt::WA_Resized))
            m_control->adjustSize();
        if (QLayout *layout = m_control->layout())
            layout->activate();
    } else if (!m_control->testAttribute(Qt::WA_Resized)) {
        m_control->resize(ControlLooks::shared().naturalSize(m_control, QXMCUPLL::sheet(m_control)));
    }
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
    if (takesInput())
        m_host->edit(this);
}

void StandInProxy::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    if (live())
        return; // the editor host shows it
    const QRect exposed = (option->exposedRect & rect()).toAlignedRect();
    if (exposed.isEmpty())
        return;
    if (ControlLooks::canStandFor(m_control)) {
        ControlLooks::shared().paint(m_control, QXMCUPLL::sheet(m_control), painter, exposed);
    } else {
        applySheet();
        m_control->render(painter, exposed.topLeft(), exposed);
    }
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
    // A press that reached the painted control before the host moved over
    // it: the host takes the press and the rest of the gesture.
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress:
    case QEvent::GraphicsSceneMouseMove:
    case QEvent::GraphicsSceneMouseRelease:
    case QEvent::GraphicsSceneMouseDoubleClick:
    case QEvent::GraphicsSceneContextMenu:
        if (live())
            return scene()->sendEvent(m_host->proxy(), event);
        break;
    case QEvent::FocusIn:
        if (live()) {
            m_host->proxy()->setFocus(static_cast<QFocusEvent *>(event)->reason());
            m_control->setFocus(static_cast<QFocusEvent *>(event)->reason());
            return true;
        }
        break;
    default:
        break;
    }
    return QGraphicsProxyWidget::sceneEvent(event);
}

EditorHost::~EditorHost()
{
    park();
}

void EditorHost::edit(StandInProxy *standIn)
{
    QWidget *control = standIn->control();
    if (m_live == control)
        return;
    park();
    DrawingAccess::reached(control);
    if (!m_proxy) {
        auto *host = new QWidget;
        host->setAttribute(Qt::WA_TranslucentBackground);
        host->setContentsMargins(0, 0, 0, 0);
        m_proxy = m_scene->addWidget(host);
    }
    m_live = control;
    m_standIn = standIn;
    control->setAttribute(Qt::WA_DontShowOnScreen, false);
    control->setParent(m_proxy->widget());
    control->move(0, 0);
    control->show();
    standIn->setSheet(standIn->sheet()); // now on the control itself
    follow();
    standIn->update();
}

void EditorHost::park()
{
    if (!m_live)
        return;
    QWidget *control = std::exchange(m_live, nullptr);
    control->hide();
    control->setParent(nullptr);
    control->setAttribute(Qt::WA_DontShowOnScreen);
    m_standIn->update();
    m_standIn = nullptr;
    m_proxy->hide();
}

void EditorHost::follow()
{
    if (!m_live)
        return;
    m_proxy->widget()->resize(m_live->size());
    m_proxy->setPos(m_standIn->pos());
    m_proxy->setZValue(m_standIn->zValue());
    m_proxy->setVisible(m_standIn->isVisible());
}

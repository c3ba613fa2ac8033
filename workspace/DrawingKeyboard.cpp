#include "DrawingKeyboard.h"

#include "ControlTable.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "SeriesTable.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

using ControlTable::Control;

// The stages of the tree, in the order Tab visits them.
enum Stage { Oscillators, Pll, SystemClock, Buses, Peripherals, ClockOutputs };

Stage stageOf(Control id)
{
    switch (id) {
    case Control::LextBypass:
    case Control::Hext:
    case Control::HextBypass:
    case Control::HextDiv:
        return Oscillators;
    case Control::PllHextDiv:
    case Control::PllRcs:
    case Control::PllMode:
    case Control::PllMult:
    case Control::PllMs:
    case Control::PllNs:
    case Control::PllFr:
        return Pll;
    case Control::SclkSelect:
    case Control::Sclk:
    case Control::HickToSclk:
        return SystemClock;
    case Control::AhbDiv:
    case Control::Apb1Div:
    case Control::Apb2Div:
        return Buses;
    case Control::Clkout1:
    case Control::Clkout1Div1:
    case Control::Clkout1Div2:
    case Control::Clkout1Pin:
    case Control::Clkout2:
    case Control::Clkout2Div1:
    case Control::Clkout2Div2:
    case Control::Clkout2Pin:
    case Control::Clkout:
    case Control::ClkoutDiv:
    case Control::ClkoutPin:
        return ClockOutputs;
    default:
        return Peripherals;
    }
}

// A control's row: its name is the row's, or the row's plus ".<radio>".
const ControlTable::Row *rowOf(const QString &name, int *radio)
{
    *radio = -1;
    if (const ControlTable::Row *row = ControlTable::rowByName(name))
        return row;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    bool number = false;
    const int index = dot > 0 ? name.midRef(dot + 1).toInt(&number) : -1;
    if (!number)
        return nullptr;
    *radio = index;
    return ControlTable::rowByName(name.left(dot));
}

// What the radios of a group choose where the drawing shows it by a wire
// rather than a text: the source each radio takes.
QString radioChoice(Control id, int index)
{
    static const QHash<int, QStringList> choices{
        {int(Control::RtcSel), {QStringLiteral("LICK"), QStringLiteral("LEXT"), QStringLiteral("HEXT")}},
        {int(Control::PllHextDiv), {QStringLiteral("HEXT"), QStringLiteral("HEXT/2")}},
        {int(Control::PllRcs), {QStringLiteral("HEXT"), QStringLiteral("HICK")}},
        {int(Control::SclkSelect), {QStringLiteral("HEXT"), QStringLiteral("PLL"), QStringLiteral("HICK")}},
        {int(Control::HickToUsb), {QStringLiteral("PLL"), QStringLiteral("HICK 48MHz")}},
        {int(Control::HickToSclk), {QStringLiteral("HICK/6"), QStringLiteral("HICK 48MHz")}},
    };
    return choices.value(int(id)).value(index);
}

bool takesTab(const QWidget *widget)
{
    return widget && (widget->focusPolicy() & Qt::TabFocus) && !qobject_cast<const QLabel *>(widget);
}

bool undoOrRedo(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
        return true;
    const int combined = key->key() | int(key->modifiers() & ~Qt::KeypadModifier);
    return combined == int(Qt::CTRL | Qt::Key_Y) || combined == int(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

const char *const TypedText = "tfTypedText";

} // namespace

DrawingKeyboard::DrawingKeyboard(QXMCUPLL *widget) : QObject(widget), m_widget(widget)
{
    collect();
    if (PinGraphicsView *view = widget->graphicsView())
        view->installEventFilter(this);
    connect(widget->scene(), &QGraphicsScene::focusItemChanged, this,
            [this](QGraphicsItem *now) { focusChanged(now); });
}

void DrawingKeyboard::collect()
{
    const SeriesParams *series = SeriesTable::byId(m_widget->seriesId());
    struct Entry {
        QGraphicsProxyWidget *proxy;
        int stage;
        int row;
        int radio;
        qreal y, x;
    };
    QVector<Entry> entries;
    const QVector<ControlTable::Row> &rows = ControlTable::rows();
    for (QGraphicsItem *item : m_widget->scene()->items(Qt::AscendingOrder)) {
        auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        QWidget *control = QXMCUPLL::controlOf(proxy);
        if (!takesTab(control))
            continue;
        int radio = -1;
        const ControlTable::Row *row = rowOf(control->objectName(), &radio);
        const int rowIndex = row ? int(row - rows.constData()) : int(rows.size());
        entries.append(
            {proxy, row ? stageOf(row->id) : Peripherals, rowIndex, radio, proxy->y(), proxy->x()});

        // Screen readers say the caption drawn beside the control.
        if (!control->accessibleName().isEmpty())
            continue;
        QString name;
        if (row) {
            const QString caption = m_widget->shownText(QLatin1String(row->name) + QLatin1String(".caption"));
            name = !caption.isEmpty() ? caption
                   : row->caption     ? QString::fromUtf8(row->caption)
                                      : QString::fromLatin1(row->name);
            if (radio >= 0 && series) {
                const QString choice = ControlTable::labels(*series, row->id).value(radio);
                name += QLatin1Char(' ') + (choice.isEmpty() ? radioChoice(row->id, radio) : choice);
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
            // A list button: the caption of the box it belongs to.
            const QString base = control->objectName().section(QLatin1Char('.'), 0, 0);
            const QString caption = m_widget->shownText(base + QLatin1String(".caption"));
            name = (caption.isEmpty() ? base.toUpper() : caption) + QLatin1Char(' ') + button->text();
        } else {
            name = control->objectName();
        }
        control->setAccessibleName(name.simplified());
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.stage != b.stage)
            return a.stage < b.stage;
        if (a.row != b.row)
            return a.row < b.row;
        if (a.radio != b.radio)
            return a.radio < b.radio;
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    m_order.clear();
    for (const Entry &entry : entries)
        m_order << entry.proxy;
    for (int i = 1; i < m_order.size(); ++i)
        QGraphicsWidget::setTabOrder(m_order.at(i - 1), m_order.at(i));
}

bool DrawingKeyboard::hasPendingText(const QLineEdit *edit)
{
    const QVariant typed = edit ? edit->property(TypedText) : QVariant();
    return typed.isValid() && !edit->isReadOnly() && typed.toString() == edit->text();
}

QWidget *DrawingKeyboard::focusedControl() const
{
    const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(m_widget->scene()->focusItem());
    return proxy && proxy->widget() ? proxy->widget()->focusWidget() : nullptr;
}

bool DrawingKeyboard::walk(bool forward)
{
    QVector<QGraphicsProxyWidget *> usable;
    for (QGraphicsProxyWidget *proxy : m_order) {
        if (proxy->isVisible() && proxy->isEnabled() && QXMCUPLL::controlOf(proxy)->isEnabled())
            usable << proxy;
    }
    if (usable.isEmpty())
        return false;
    QWidget *focused = focusedControl();
    QGraphicsProxyWidget *current = focused ? QXMCUPLL::proxyOf(focused) : nullptr;
    int at = int(usable.indexOf(current));
    // Round the tree: past the last control comes the first again.
    if (at < 0)
        at = forward ? 0 : int(usable.size()) - 1;
    else
        at = (at + (forward ? 1 : usable.size() - 1)) % int(usable.size());
    QGraphicsProxyWidget *next = usable.at(at);
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason); // makes it the live control
    return true;
}

void DrawingKeyboard::focusChanged(QGraphicsItem *now)
{
    auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(now);
    if (!proxy || !proxy->widget())
        return;
    // The view follows the keyboard to controls outside it; an open list
    // shows over the drawing and never moves it.
    if (proxy->widget()->windowType() == Qt::Popup)
        return;
    if (PinGraphicsView *view = m_widget->graphicsView())
        view->ensureVisible(proxy, 40, 40);
    auto *edit =
        proxy == m_widget->editorProxy() ? qobject_cast<QLineEdit *>(m_widget->liveControl()) : nullptr;
    if (!edit || edit->property("tfWatched").toBool())
        return;
    edit->setProperty("tfWatched", true);
    connect(edit, &QLineEdit::textEdited, edit,
            [edit](const QString &text) { edit->setProperty(TypedText, text); });
    connect(edit, &QLineEdit::returnPressed, edit, [edit] { edit->setProperty(TypedText, QVariant()); });
}

bool DrawingKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched)
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Unclaimed here, the keys reach the window's undo and redo; an entry
        // keeps them only while its typed text is pending.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (undoOrRedo(key) && !hasPendingText(qobject_cast<QLineEdit *>(focusedControl())))
            return true;
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return walk(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        break;
    }
    case QEvent::FocusIn: {
        // Tabbing into the view lands on the first (or last) control.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            !m_widget->scene()->focusItem())
            QMetaObject::invokeMethod(
                this, [this, reason] { walk(reason == Qt::TabFocusReason); }, Qt::QueuedConnection);
        break;
    }
    default:
        break;
    }
    return false;
}

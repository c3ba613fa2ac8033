#include "DrawingAccess.h"

#include "CustomComboBox1.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace {

// The series widget whose drawing the control is laid over.
QXMCUPLL *seriesOf(const QWidget *control)
{
    const QGraphicsProxyWidget *proxy = QXMCUPLL::proxyOf(control);
    const QGraphicsScene *scene = proxy ? proxy->scene() : nullptr;
    return scene ? qobject_cast<QXMCUPLL *>(scene->parent()) : nullptr;
}

// One control of a drawing, whether embedded or painted by its proxy.
class ControlAccessible final : public QAccessibleObject,
                                public QAccessibleActionInterface,
                                public QAccessibleTextInterface {
public:
    explicit ControlAccessible(QWidget *control) : QAccessibleObject(control) {}

    QWidget *control() const { return static_cast<QWidget *>(object()); }

    bool isValid() const override { return QAccessibleObject::isValid() && seriesOf(control()); }
    QWindow *window() const override
    {
        const QXMCUPLL *series = seriesOf(control());
        return series ? series->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        const QXMCUPLL *series = seriesOf(control());
        return series ? QAccessible::queryAccessibleInterface(series->graphicsView()->viewport()) : nullptr;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QAccessible::Role role() const override
    {
        const QWidget *c = control();
        if (qobject_cast<const QComboBox *>(c))
            return QAccessible::ComboBox;
        if (qobject_cast<const QRadioButton *>(c))
            return QAccessible::RadioButton;
        if (qobject_cast<const QAbstractButton *>(c))
            return QAccessible::Button;
        if (const auto *edit = qobject_cast<const QLineEdit *>(c))
            return edit->isReadOnly() ? QAccessible::StaticText : QAccessible::EditableText;
        return QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        const QWidget *c = control();
        switch (t) {
        case QAccessible::Name:
            if (!c->accessibleName().isEmpty())
                return c->accessibleName();
            if (const auto *label = qobject_cast<const QLabel *>(c))
                return label->text();
            return c->objectName();
        case QAccessible::Value:
            return value();
        case QAccessible::Description:
            return c->accessibleDescription();
        case QAccessible::Help:
            return c->toolTip();
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            typeText(text);
    }

    QAccessible::State state() const override
    {
        const QWidget *c = control();
        QAccessible::State s;
        s.invisible = !QXMCUPLL::controlShown(c);
        s.disabled = !c->isEnabled();
        s.focusable = c->isEnabled() && c->focusPolicy() != Qt::NoFocus;
        s.focused = c->hasFocus();
        if (const auto *button = qobject_cast<const QAbstractButton *>(c)) {
            s.checkable = button->isCheckable();
            s.checked = button->isChecked();
        }
        if (const auto *edit = qobject_cast<const QLineEdit *>(c)) {
            s.readOnly = edit->isReadOnly();
            s.editable = !edit->isReadOnly();
        }
        if (qobject_cast<const QComboBox *>(c))
            s.hasPopup = true;
        return s;
    }

    QRect rect() const override
    {
        const QXMCUPLL *series = seriesOf(control());
        const QGraphicsProxyWidget *proxy = QXMCUPLL::proxyOf(control());
        if (!series || !proxy)
            return QRect();
        const QGraphicsView *view = series->graphicsView();
        const QRect inView = view->mapFromScene(proxy->sceneBoundingRect()).boundingRect();
        return QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        // An entry's text, and a combo's choice: AT-SPI readers take a combo's value from its text.
        if (type == QAccessible::TextInterface &&
            (qobject_cast<QLineEdit *>(control()) || qobject_cast<QComboBox *>(control())))
            return static_cast<QAccessibleTextInterface *>(this);
        return nullptr;
    }

    // Actions.
    QStringList actionNames() const override
    {
        const QWidget *c = control();
        if (!c->isEnabled())
            return {};
        if (qobject_cast<const QComboBox *>(c))
            return {showMenuAction(), setFocusAction()};
        if (qobject_cast<const QAbstractButton *>(c))
            return {pressAction(), setFocusAction()};
        if (const auto *edit = qobject_cast<const QLineEdit *>(c); edit && !edit->isReadOnly())
            return {setFocusAction()};
        return {};
    }
    void doAction(const QString &name) override
    {
        if (!actionNames().contains(name))
            return;
        QXMCUPLL *series = seriesOf(control());
        series->makeLive(control()); // the user works with it now: the real control
        if (name == setFocusAction()) {
            QXMCUPLL::proxyOf(control())->setFocus(Qt::OtherFocusReason);
            control()->setFocus(Qt::OtherFocusReason);
        } else if (auto *combo = qobject_cast<QComboBox *>(control())) {
            combo->showPopup();
        } else if (auto *button = qobject_cast<QAbstractButton *>(control())) {
            button->click();
        }
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    // The text of an entry or the choice of a combo; setting an entry's types it and
    // presses Return, as a user would.
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return value().size(); }
    int cursorPosition() const override
    {
        const auto *edit = qobject_cast<const QLineEdit *>(control());
        return edit ? edit->cursorPosition() : 0;
    }
    void setCursorPosition(int position) override
    {
        if (auto *edit = qobject_cast<QLineEdit *>(control()))
            edit->setCursorPosition(position);
    }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return QString();
    }

private:
    QString value() const
    {
        const QWidget *c = control();
        if (const auto *combo = qobject_cast<const QComboBox *>(c))
            return combo->currentText();
        if (const auto *edit = qobject_cast<const QLineEdit *>(c))
            return edit->text();
        if (const auto *label = qobject_cast<const QLabel *>(c))
            return label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(c))
            return button->isCheckable() ? QString::number(button->isChecked()) : QString();
        return QString();
    }

    void typeText(const QString &text)
    {
        auto *edit = qobject_cast<QLineEdit *>(control());
        if (!edit || edit->isReadOnly() || !edit->isEnabled())
            return;
        seriesOf(edit)->makeLive(edit);
        edit->selectAll();
        edit->insert(text); // through the validator, as typed
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
    }
};

// A control's interface is ours, also where Qt's own was made before (for a
// class Qt's factory knows, or for a control queried while it was live).
QAccessibleInterface *adopt(QWidget *control)
{
    QAccessibleInterface *known = QAccessible::queryAccessibleInterface(control);
    if (!known || dynamic_cast<ControlAccessible *>(known))
        return known;
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    auto *mine = new ControlAccessible(control);
    QAccessible::registerAccessibleInterface(mine);
    return mine;
}

// The view's viewport: the drawing, with the controls laid over it as children.
class DrawingAccessible final : public QAccessibleWidget {
public:
    explicit DrawingAccessible(QWidget *viewport) : QAccessibleWidget(viewport, QAccessible::Canvas) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QXMCUPLL::tr("Clock tree");
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(controls().size()); }
    QAccessibleInterface *child(int index) const override
    {
        QWidget *control = controls().value(index);
        return control ? adopt(control) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(controls().indexOf(static_cast<QWidget *>(child->object()))) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (QWidget *control : controls()) {
            QAccessibleInterface *iface = adopt(control);
            if (iface && iface->rect().contains(x, y))
                return iface;
        }
        return nullptr;
    }

private:
    QVector<QWidget *> controls() const
    {
        QVector<QWidget *> out;
        const auto *view = qobject_cast<const QGraphicsView *>(widget()->parentWidget());
        if (!view || !view->scene())
            return out;
        for (QGraphicsItem *item : view->scene()->items(Qt::AscendingOrder)) {
            QWidget *control = QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item));
            if (control && item->isVisible())
                out << control;
        }
        return out;
    }
};

QAccessibleInterface *drawingFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (qobject_cast<PinGraphicsView *>(widget->parentWidget()) &&
        static_cast<QGraphicsView *>(widget->parentWidget())->viewport() == widget)
        return new DrawingAccessible(widget);
    if (QXMCUPLL::proxyOf(widget) && seriesOf(widget))
        return new ControlAccessible(widget);
    return nullptr;
}

} // namespace

void DrawingAccess::install()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(drawingFactory);
}

void DrawingAccess::reached(QWidget *control)
{
    if (QAccessible::isActive())
        adopt(control);
}

void DrawingAccess::lookChanged(QWidget *control)
{
    reached(control);
    QAccessibleValueChangeEvent event(control, QVariant());
    QAccessible::updateAccessibility(&event);
    QAccessible::State changed;
    changed.disabled = true;
    changed.invisible = true;
    changed.checked = true;
    QAccessibleStateChangeEvent state(control, changed);
    QAccessible::updateAccessibility(&state);
}

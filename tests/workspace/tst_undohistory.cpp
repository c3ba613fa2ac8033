#include "ClockConfig.h"
#include "ControlTable.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "ScriptedDialogs.h"
#include "SeriesRows.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUndoStack>
#include <QtTest>

namespace {

using Fields = QVector<QPair<QString, QVariant>>;

// Every control over the drawing, in a fixed order.
QList<QWidget *> controls(const QXMCUPLL &widget)
{
    QList<QWidget *> out;
    for (QGraphicsItem *item : widget.scene()->items(Qt::AscendingOrder)) {
        if (auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item))
            out << proxy->widget();
    }
    return out;
}

// The values of a clock output without a pin keep whatever they showed
// last (the display leaves an output alone while it is off): it says nothing.
bool deadOutputValue(const QXMCUPLL &widget, const QWidget &label)
{
    const QString name = label.objectName();
    if (!name.startsWith("clkout") || !name.contains(QLatin1Char('.')))
        return false;
    const int index = name.at(6).isDigit() ? name.at(6).digitValue() - 1 : 0;
    return !ClockRules::clockOutputLive(*widget.config(), index);
}

// What the drawing shows: selections, values, colours and path styles. The
// text typed into an entry is the user's own and not part of it.
QStringList display(const QXMCUPLL &widget)
{
    QStringList out;
    for (QWidget *w : controls(widget)) {
        QString state = w->objectName() + (w->isEnabled() ? "+" : "-") + w->styleSheet();
        if (auto *combo = qobject_cast<QComboBox *>(w))
            state += QString::number(combo->currentIndex());
        else if (auto *radio = qobject_cast<QRadioButton *>(w))
            state += radio->isChecked() ? "(o)" : "( )";
        else if (auto *label = qobject_cast<QLabel *>(w))
            state += label->isHidden() || deadOutputValue(widget, *label)
                         ? QString("-")
                         : label->text() + label->palette().color(QPalette::WindowText).name();
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            state = edit->isReadOnly()
                        ? QString(state + edit->text() + edit->palette().color(QPalette::Text).name())
                        : QString(w->objectName() + (w->isEnabled() ? "+" : "-"));
        out << state;
    }
    return out;
}

// The entries the series shows, as the widget shows them and as the record
// holds them: after a step they show the record, whatever was typed before.
QString entries(const QXMCUPLL &widget, bool fromRecord = false)
{
    const ClockConfig &c = *widget.config();
    const double held[] = {c.hextMHz, double(c.pllMs), double(c.pllNs)};
    QStringList out;
    int i = 0;
    for (const char *name : {"hext", "pllms", "pllns"}) {
        const auto *edit = widget.findControl<QLineEdit>(name);
        if (edit && !edit->isHidden())
            out << QString::number(fromRecord ? held[i] : edit->text().remove('/').remove('*').toDouble());
        ++i;
    }
    return out.join(' ');
}

// One edit a user could make: a selection, a radio click or a typed value.
// Returns the record field of the selection or radio group edited.
QString randomEdit(QXMCUPLL &widget, QRandomGenerator &random, ScriptedDialogs &dialogs)
{
    QList<QWidget *> live;
    for (QWidget *w : controls(widget)) {
        const auto *edit = qobject_cast<QLineEdit *>(w);
        if (w->isEnabled() && (qobject_cast<QComboBox *>(w) || qobject_cast<QRadioButton *>(w) ||
                               (edit && !edit->isReadOnly())))
            live << w;
    }
    // Questions on the way are answered either way.
    for (int i = 0; i < 3; ++i)
        dialogs.answerButton(random.bounded(2) ? QMessageBox::Yes : QMessageBox::Cancel);
    QWidget *w = live.at(random.bounded(live.size()));
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        combo->setCurrentIndex(random.bounded(combo->count()));
    } else if (auto *radio = qobject_cast<QRadioButton *>(w)) {
        if (radio->isChecked()) {
            radio->click(); // the choice the design has: no edit of its own
            return QString();
        }
        radio->click();
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        const QString name = edit->objectName();
        const QString text = name == "hext"    ? QString::number(4 + random.bounded(22))
                             : name == "sclk"  ? QString::number(24 + random.bounded(300))
                             : name == "pllms" ? "/" + QString::number(1 + random.bounded(16))
                                               : "*" + QString::number(30 + random.bounded(480));
        edit->setText(text);
        emit edit->returnPressed();
        return QString();
    }
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (w->objectName().section('.', 0, 0) == QLatin1String(row.name))
            return QLatin1String(row.field);
    }
    return QString();
}

// The view's pixels as the window shows them (the backing store, not a fresh
// rendering) equal a full repaint of it: no control shows an old value.
bool showsCurrentValues(QXMCUPLL &widget)
{
    QCoreApplication::processEvents(); // the pending paint
    QWidget *window = widget.window();
    const QImage shown = QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
    widget.graphicsView()->viewport()->repaint();
    return shown == QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
}

} // namespace

// A design in its host window: edits made through the controls step back and
// forth exactly, on the record and on everything the drawing shows; keys go
// where the window system sends them, to the window's focus widget (the
// view), and through it to the control that has the keyboard.
class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dialogs.clear();
        m_host = new QXPLLConfig;
    }

    void cleanup() { delete m_host; }
    void randomEditsUndoAndRedo_data() { addSeriesRows(); }

    void randomEditsUndoAndRedo()
    {
        QFETCH(int, id);
        QVERIFY(m_host->createSeries(id));
        m_host->resize(1400, 860);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
        // The controls are painted by their proxies, fold-out lists included: the
        // only native window is the host's own.
        widget()->findControl<QPushButton>("apb1p.list")->click();
        QCOMPARE(QGuiApplication::allWindows(), QWindowList{m_host->windowHandle()});
        // A press on the bare drawing reaches the widget through the view: the list folds in.
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->mapFromScene(QPointF(5, 5)));
        QVERIFY(!widget()->findControl<QWidget>("list0")->isVisible());
        QUndoStack *stack = m_host->undoStack();
        // Config Reset of an untouched design changes nothing and adds no step.
        m_dialogs.answerButton(QMessageBox::Yes);
        m_host->ConfigReset();
        QCOMPARE(stack->count(), 0);
        QVERIFY(!m_host->undoAction()->isEnabled());
        QRandomGenerator random(quint32(id) * 7919u);
        QVector<Fields> records{widget()->config()->fieldValues()};
        QVector<QStringList> shown{display(*widget())};
        for (int i = 0; i < 60; ++i) {
            const int before = stack->count();
            const int asked = m_dialogs.requests.size();
            const QString field = randomEdit(*widget(), random, m_dialogs);
            QCoreApplication::processEvents(); // the gesture ends
            const Fields now = widget()->config()->fieldValues();
            const bool changed = now != records.last();
            // One step exactly for an edit that changed the design, none otherwise.
            QCOMPARE(stack->count(), before + (changed ? 1 : 0));
            // Each control's signal reaches its own handler through the slot of
            // its name: what an edit asking nothing changes includes its own field.
            const bool ownField = changed && asked == m_dialogs.requests.size() && !field.isEmpty();
            for (int f = 0; ownField && f < now.size(); ++f)
                QVERIFY2(now.at(f).first != field || now.at(f) != records.last().at(f), qPrintable(field));
            // An edit that changed only what is shown (the RTC box leaving its
            // creation text) belongs to the step it was made in.
            if (changed) {
                records << widget()->config()->fieldValues();
                shown << display(*widget());
            } else {
                shown.last() = display(*widget());
            }
        }
        QVERIFY2(records.size() > 30, "too few edits changed the design to say anything");
        m_dialogs.clear();
        // Each step back or forth shows exactly the state it returns to.
        const auto stepTo = [&](QAction *action, int step) {
            action->trigger();
            QCOMPARE(widget()->config()->fieldValues(), records.at(step));
            QCOMPARE(display(*widget()), shown.at(step));
            QCOMPARE(entries(*widget()), entries(*widget(), true));
            QVERIFY2(step % 15 || showsCurrentValues(*widget()),
                     qPrintable("stale pixels: " + action->text()));
        };
        for (int step = records.size() - 2; step >= 0 && !QTest::currentTestFailed(); --step)
            stepTo(m_host->undoAction(), step);
        QVERIFY(!m_host->undoAction()->isEnabled());
        for (int step = 1; step < records.size() && !QTest::currentTestFailed(); ++step)
            stepTo(m_host->redoAction(), step);
        QVERIFY(!m_host->redoAction()->isEnabled());
        QCOMPARE(m_dialogs.requests.size(), 0); // stepping asks nothing
    }

    void undoKeysReachTheDesign_data()
    {
        QTest::addColumn<QString>("entry"); // where the keyboard is for the keys
        QTest::addColumn<QString>("keys");  // after typing 12 and Return into the HEXT entry
        QTest::addColumn<double>("hext");   // the design's crystal afterwards, MHz
        QTest::addColumn<QString>("shown"); // what the HEXT entry shows
        // clang-format off
        QTest::newRow("ctrl+z in the applied entry") << "hext" << "Ctrl+Z" << 8.0 << "8";
        QTest::newRow("ctrl+z, ctrl+y") << "hext" << "Ctrl+Z Ctrl+Y" << 12.0 << "12";
        QTest::newRow("ctrl+z, ctrl+shift+z") << "hext" << "Ctrl+Z Ctrl+Shift+Z" << 12.0 << "12";
        QTest::newRow("ctrl+z in an untouched entry") << "sclk" << "Ctrl+Z" << 8.0 << "8";
        // The entry's own undo takes back its typing (all of it since it was cleared).
        QTest::newRow("typed, not applied: the entry's own") << "hext" << "5 Ctrl+Z" << 12.0 << "8";
        QTest::newRow("typed, applied, then the design's") << "hext" << "5 Ctrl+Z Return Ctrl+Z" << 12.0 << "12";
        // The caret keys and the zoom signs stay with the entry.
        QTest::newRow("caret keys and signs") << "hext" << "Home Left Right Down Up Down 5 + -" << 12.0 << "152";
        // clang-format on
    }

    void undoKeysReachTheDesign()
    {
        QFETCH(QString, entry);
        openActive();
        auto *hext = widget()->findControl<QLineEdit>("hext");
        QVERIFY(hext);
        click(hext);
        hext->selectAll();
        keys("12 Return");
        QCOMPARE(widget()->config()->hextMHz, 12.0);
        QCOMPARE(m_host->undoStack()->count(), 1);
        const QTransform zoom = view()->transform();
        const QPoint scrolled = view()->mapFromScene(QPointF(0, 0));
        if (entry != "hext")
            click(widget()->findControl<QLineEdit>(entry));
        QFETCH(QString, keys);
        this->keys(keys);
        QTEST(widget()->config()->hextMHz, "hext");
        QTEST(hext->text(), "shown");
        // Keys for the entry never pan or zoom the view.
        QCOMPARE(view()->transform(), zoom);
        QCOMPARE(view()->mapFromScene(QPointF(0, 0)), scrolled);
        QCOMPARE(m_dialogs.count(ScriptedDialogs::Kind::Message), 0);
    }

    void tabWalksTheTree()
    {
        // From the crystal entry Tab goes on through the PLL, the system clock,
        // the buses, the peripherals and the clock outputs, and comes round.
        openActive();
        auto *hext = widget()->findControl<QLineEdit>("hext");
        click(hext);
        QStringList visited{focused()->objectName()};
        for (int i = 0; i < 80 && (visited.size() == 1 || focused() != hext); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *now = focused();
            QVERIFY(now);
            visited << now->objectName();
            QVERIFY2(!now->accessibleName().isEmpty(), qPrintable(now->objectName()));
            // The view follows the keyboard.
            QVERIFY(view()
                        ->mapToScene(view()->viewport()->rect())
                        .boundingRect()
                        .intersects(now->graphicsProxyWidget()->sceneBoundingRect()));
        }
        // Greyed controls (the clock outputs' sources while they have no pin) are
        // passed over.
        QCOMPARE(
            visited.join(' '),
            QString(
                "hext hextbypass pllrcs.0 pllrcs.1 pllms pllns pllfr sclkselect.0 sclkselect.1 sclkselect.2 "
                "sclk ahbdiv apb1div apb2div rtcsel.0 rtcsel.1 rtcsel.2 rtcswitch usbdiv hicktousb.0 "
                "hicktousb.1 usbswitch apb1p.list apb1t.list apb2p.list apb2t.list clockout1PinSelect "
                "clockout2PinSelect lextbypass hext"));
        // Screen readers say the caption drawn beside a control, and a radio's choice.
        QCOMPARE(hext->accessibleName(), QString("hext(4-25MHz)"));
        QCOMPARE(widget()->findControl<QWidget>("sclkselect.1")->accessibleName(),
                 QString("sclk select PLL"));
        QCOMPARE(widget()->findControl<QWidget>("rtcsel.1")->accessibleName(), QString("ertcsel LEXT"));
        QCOMPARE(widget()->findControl<QWidget>("apb1p.list")->accessibleName(),
                 QString("apb1 peripheral (MHz) List"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focused()->objectName(), visited.at(visited.size() - 2));
        // A press on the bare drawing takes the keyboard back to the view.
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->mapFromScene(QPointF(5, 5)));
        QVERIFY(!focused());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Plus);
        QCOMPARE(view()->transform().m11(), double(1.03f));
    }

private:
    QXMCUPLL *widget() const { return m_host->currentWidget(); }
    PinGraphicsView *view() const { return widget()->graphicsView(); }
    void openActive(); // QXC330 in the active window
    // A click on a control, as the user gives it the keyboard.
    void click(QWidget *control)
    {
        QGraphicsProxyWidget *proxy = control->graphicsProxyWidget();
        view()->ensureVisible(proxy);
        const QPoint at = view()->mapFromScene(proxy->sceneBoundingRect().center());
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(QApplication::focusWidget(), view());
        QCOMPARE(focused(), control);
    }

    QWidget *focused() const
    {
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(widget()->scene()->focusItem());
        return proxy ? proxy->widget() : nullptr;
    }

    // Types text and key sequences ("12", "Return", "Ctrl+Z") at the focus widget.
    void keys(const QString &sequence)
    {
        for (const QString &part : sequence.split(' ', Qt::SkipEmptyParts)) {
            const QKeySequence key(part);
            if (part.at(0).isLetter() && !key.isEmpty()) {
                const int combined = key[0];
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(combined & ~Qt::KeyboardModifierMask),
                                Qt::KeyboardModifiers(combined & Qt::KeyboardModifierMask));
            } else {
                QTest::keyClicks(QApplication::focusWidget(), part);
            }
            QCoreApplication::processEvents(); // a gesture ends
        }
    }

    QXPLLConfig *m_host = nullptr;
    ScriptedDialogs m_dialogs;
};

void TestUndoHistory::openActive()
{
    m_host->resize(1200, 700);
    QVERIFY(m_host->createSeries(13)); // QXC330
    m_host->show();
    QApplication::setActiveWindow(m_host);
    QVERIFY(QTest::qWaitForWindowActive(m_host));
}

QTEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"

#include "ClockConfig.h"
#include "ClockTreeItem.h"
#include "ClockTreeLayout.h"
#include "ControlStandIn.h"
#include "ControlTable.h"
#include "DesignFile.h"
#include "PinGraphicsView.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "RecordFields.h"
#include "ReferencePictures.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesRows.h"
#include "SeriesTable.h"
#include "SeriesWidget.h"
#include "TableRows.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QUndoStack>
#include <QtCore/private/qobject_p.h>
#include <QtTest>
#include <memory>

namespace {

// Programming errors the code reports, such as a control's missing anchor.
QtMessageHandler g_report = nullptr;
int g_criticals = 0;
void countCriticals(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_criticals += type == QtCriticalMsg ? 1 : 0;
    g_report(type, context, text);
}

// A series widget from the real factory, and its controls by name.
struct Tree {
    explicit Tree(const QString &series = "QXC330")
        : owned(createSeriesWidget(SeriesTable::byName(series)->id, nullptr)), widget(owned.get())
    {}
    explicit Tree(QXMCUPLL *hosted) : widget(hosted) {}
    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *control = widget->findControl<T>(name);
        if (!control)
            qFatal("no control named %s", qPrintable(name));
        return control;
    }
    const ClockConfig &record() const { return *widget->config(); }

    std::unique_ptr<QXMCUPLL> owned;
    QXMCUPLL *widget;
};

// Runs "|"-separated steps: "type NAME TEXT" (typed, then Return), "text NAME
// TEXT" (typed only), "combo NAME INDEX", "radio NAME INDEX" (clicked),
// "check NAME INDEX" (checked, even while disabled), "click NAME" (a push
// button), "yes"/"cancel" (the next question's answer), "generate", "save"
// (its file dialog cancelled), "poke FIELD VALUE" (the record behind the
// widget's back), "mark" (remember the record), "clear" (forget the boxes so
// far).
void run(Tree &t, ScriptedDialogs &dialogs, const QString &steps, ClockConfig &mark)
{
    for (const QString &step : steps.split('|', Qt::SkipEmptyParts)) {
        const QString verb = step.section(' ', 0, 0), name = step.section(' ', 1, 1),
                      arg = step.section(' ', 2);
        if (verb == "type" || verb == "text") {
            t.get<QLineEdit>(name)->setText(arg);
            if (verb == "type")
                emit t.get<QLineEdit>(name)->returnPressed();
        } else if (verb == "combo") {
            t.get<QComboBox>(name)->setCurrentIndex(arg.toInt());
        } else if (verb == "radio") {
            t.get<QRadioButton>(name + '.' + arg)->click();
        } else if (verb == "check") {
            t.get<QRadioButton>(name + '.' + arg)->setChecked(true);
        } else if (verb == "click") {
            t.get<QPushButton>(name)->click();
        } else if (verb == "yes" || verb == "cancel") {
            dialogs.answerButton(verb == "yes" ? QMessageBox::Yes : QMessageBox::Cancel);
        } else if (verb == "generate") {
            t.widget->generateCode();
        } else if (verb == "save") {
            t.widget->saveConfig(t.record().params()->seriesName());
        } else if (verb == "poke") {
            DesignState poked = t.widget->document().state();
            poked.record.setFieldValue(name, arg);
            t.widget->restoreState(poked);
        } else if (verb == "mark") {
            mark = t.record();
        } else if (verb == "clear") {
            dialogs.clear();
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
    }
}

QString colourOf(const QWidget *w)
{
    const QColor c =
        w->palette().color(qobject_cast<const QLabel *>(w) ? QPalette::WindowText : QPalette::Text);
    return c == Qt::red ? "red" : c == Qt::darkGreen ? "green" : c == Qt::gray ? "gray" : c.name();
}

QString styleOf(const QWidget *w)
{
    const QString s = QXMCUPLL::sheet(w);
    return s == SeriesWidget::committedEditStyle()   ? "committed"
           : s == SeriesWidget::pendingEditStyle()   ? "pending"
           : s == SeriesWidget::disabledEditStyle()  ? "disabled"
           : s == SeriesWidget::factorPendingStyle() ? "factorPending"
                                                     : "other";
}

// What the widget shows, in the form of `expect` ("name=value|..."), so that a
// comparison names every difference. Keys: "class"; "box" (the messages,
// ";"-joined); "asked" (every dialog's kind); "red"/"green"/"gray", "on"/"off"
// and "shown"/"hidden" with a list of names; "style.NAME"; "rec" (record
// fields); "kept" (the record equals the mark); else a control's or label's text.
QString shown(const Tree &t, const ScriptedDialogs &dialogs, const QString &expect, const ClockConfig &mark)
{
    QStringList out;
    for (const QString &check : expect.split('|', Qt::SkipEmptyParts)) {
        const QString key = check.section('=', 0, 0), want = check.section('=', 1);
        QString value;
        if (key == "class") {
            value = t.widget->metaObject()->className();
        } else if (key == "box") {
            value = dialogs.texts().join(';');
        } else if (key == "asked") {
            QStringList kinds;
            for (const ScriptedDialogs::Request &r : dialogs.requests)
                kinds << QStringList{"message", "open", "save", "directory", "url", "overwrite", "dialog"}.at(
                    int(r.kind));
            value = kinds.join(',');
        } else if (QStringList{"red", "green", "gray", "on", "off", "shown", "hidden"}.contains(key)) {
            QStringList names;
            for (const QString &name : want.split(' ')) {
                const QWidget *w = t.get(name);
                const bool visible = QXMCUPLL::controlShown(w);
                const QString state = key == "on" || key == "off"         ? (w->isEnabled() ? "on" : "off")
                                      : key == "shown" || key == "hidden" ? (visible ? "shown" : "hidden")
                                                                          : colourOf(w);
                names << (state == key ? name : name + ':' + state);
            }
            value = names.join(' ');
        } else if (key.startsWith("style.")) {
            value = styleOf(t.get(key.mid(6)));
        } else if (key == "rec") {
            const QString mismatch = RecordFields::mismatches(t.record(), want);
            value = mismatch.isEmpty() ? want : mismatch;
        } else if (key == "kept") {
            value = t.record().fieldValues() == mark.fieldValues() ? "yes" : "no";
        } else if (const auto *combo = t.widget->findControl<QComboBox>(key)) {
            value = combo->currentText();
        } else if (const auto *edit = t.widget->findControl<QLineEdit>(key)) {
            value = edit->text();
        } else if (const auto *radio = t.widget->findControl<QRadioButton>(key)) {
            value = radio->isChecked() ? "checked" : "unchecked";
        } else {
            value = t.widget->shownText(key); // a label's, or a text drawn with the tree
        }
        out << key + '=' + value;
    }
    if (!expect.contains("box=") && !dialogs.texts().isEmpty())
        out << "box=" + dialogs.texts().join(';'); // an unexpected box
    return out.join('|');
}

// Every named widget over the drawing stands at the anchor of its name, and
// every control of the series has one.
void checkControlsAtAnchors(const Tree &t)
{
    const SeriesParams &series = *t.record().params();
    const ClockTree::Layout layout = ClockTree::layoutFor(series);
    QStringList placed;
    for (QGraphicsItem *item : t.widget->scene()->items()) {
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        const QWidget *control = QXMCUPLL::controlOf(proxy);
        placed << (control ? control->objectName() : QString());
        QVERIFY2(placed.last().isEmpty() || (layout.hasAnchor(placed.last()) &&
                                             proxy->pos() == QPointF(layout.anchor(placed.last()).pos)),
                 qPrintable(placed.last()));
    }
    for (const ControlTable::Row &row : ControlTable::rows()) {
        const bool has = ControlTable::has(series, row.id), radios = row.kind == ControlTable::Kind::Radios;
        for (int i = 0; has && i < (radios ? ControlTable::values(series, row.id).size() : 1); ++i) {
            const QString anchor = radios ? ControlTable::radioAnchor(row.id, i) : QString(row.name);
            QVERIFY2(placed.contains(anchor), qPrintable(anchor));
        }
    }
}

// The controls none of whose signals reach the widget itself: each control of
// the control table that the series has, and the four fold-out list buttons,
// is to be connected to a slot of its series class (the connections a
// QObject receives, from Qt's private QObjectPrivate).
QStringList controlsWithoutSlot(const Tree &t)
{
    const SeriesParams &series = *t.record().params();
    QStringList names{"apb1p.list", "apb1t.list", "apb2p.list", "apb2t.list"};
    for (const ControlTable::Row &row : ControlTable::rows()) {
        const bool has = ControlTable::has(series, row.id), radios = row.kind == ControlTable::Kind::Radios;
        for (int i = 0; has && i < (radios ? ControlTable::values(series, row.id).size() : 1); ++i)
            names << (radios ? ControlTable::radioAnchor(row.id, i) : QString(row.name));
    }
    const QObjectList senders = QObjectPrivate::get(t.widget)->senderList();
    QStringList unconnected;
    for (const QString &name : qAsConst(names)) {
        if (!senders.contains(t.get(name)))
            unconnected << name;
    }
    return unconnected;
}

// The design Save writes for the widget's record, "element=value" in file order.
QString savedDesign(const Tree &t, ScriptedDialogs &dialogs, const QString &path)
{
    const QString series = t.record().params()->seriesName();
    dialogs.answerPath(path);
    if (t.widget->saveConfig(series).status != ActionOutcome::Status::Done)
        return "not saved";
    QStringList saved;
    const DesignFile::Elements file = DesignFile::read(path);
    for (const QString &name : DesignFile::elementNames(series))
        saved << name + '=' + file.value(name);
    return saved.join(' ');
}

// What the drawing shows, control by control in a fixed order: selections,
// values, colours and path styles. The text typed into an entry is the
// user's own and not part of it, nor are the values of a clock output without
// a pin: they keep whatever they showed last (the display leaves an output
// alone while it is off).
QStringList display(const QXMCUPLL &widget)
{
    QStringList out;
    for (QGraphicsItem *item : widget.scene()->items(Qt::AscendingOrder)) {
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        const QWidget *w = QXMCUPLL::controlOf(proxy);
        if (!w)
            continue;
        const QString name = w->objectName();
        QString state = name + (w->isEnabled() ? "+" : "-") + QXMCUPLL::sheet(w);
        const bool dead = name.startsWith("clkout") && name.contains('.') &&
                          !ClockRules::clockOutputLive(
                              *widget.config(), name.at(6).isDigit() ? name.at(6).digitValue() - 1 : 0);
        if (const auto *combo = qobject_cast<const QComboBox *>(w))
            state += QString::number(combo->currentIndex());
        else if (const auto *radio = qobject_cast<const QRadioButton *>(w))
            state += radio->isChecked() ? "(o)" : "( )";
        else if (const auto *label = qobject_cast<const QLabel *>(w))
            state += !QXMCUPLL::controlShown(label) || dead
                         ? QString("-")
                         : label->text() + label->palette().color(QPalette::WindowText).name();
        else if (const auto *edit = qobject_cast<const QLineEdit *>(w))
            state = edit->isReadOnly()
                        ? QString(state + edit->text() + edit->palette().color(QPalette::Text).name())
                        : name + (w->isEnabled() ? "+" : "-");
        out << state;
    }
    return out;
}

// The entries whose text is not the record's value: after a step there are
// none, whatever was typed before.
QString entriesOffRecord(const QXMCUPLL &widget)
{
    QString entries;
    for (const ControlTable::Row &row : ControlTable::rows()) {
        const auto *edit = widget.findControl<QLineEdit>(row.name);
        if (edit && QXMCUPLL::controlShown(edit) && row.kind == ControlTable::Kind::Entry)
            entries += QString(row.field) + '=' + QString(edit->text()).remove('/').remove('*') + ' ';
    }
    return RecordFields::mismatches(*widget.config(), entries);
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

QImage drawing(QXMCUPLL &widget)
{
    QImage image(widget.drawingSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    widget.renderDrawing(&painter, image.rect());
    return image;
}

} // namespace

// The series widgets seen as a user sees them: controls found by name, edits
// made through them, and what the drawing then shows.
class TestSeriesWidgets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { g_report = qInstallMessageHandler(countCriticals); }

    void init() { m_dialogs.clear(); }
    void cleanup()
    {
        m_host.reset();
        QCOMPARE(std::exchange(g_criticals, 0), 0);
    }

    void everySeries_data() { addTableRows("series_every.tsv"); }
    // Per series in its window: the factory tree with every control at its
    // anchor; edits that move most fields; the design Save writes then, reopened
    // to the same record and the same tree, with no box on the way; then the
    // crystal typed twice (the second time changes nothing) and Config Reset.
    // Every edit that changed the design steps back and forth exactly.
    void everySeries()
    {
        QFETCH(QString, factory);
        QFETCH(QString, edits);
        QFETCH(QString, edited);
        open(QTest::currentDataTag());
        Tree t(widget());
        ClockConfig mark = t.record();
        QCOMPARE(shown(t, m_dialogs, factory, mark), factory);
        checkControlsAtAnchors(t);
        // Every control reaches its series class through a slot of its name.
        QCOMPARE(controlsWithoutSlot(t), QStringList());
        // The controls are painted by their proxies, fold-out lists included: the
        // only native windows are the host's own and the drawing's one editor
        // host, however many controls were reached. One list is out at a time.
        t.widget->makeLive(t.get("apb1p.list"));
        t.get<QPushButton>("apb1p.list")->click();
        t.widget->makeLive(t.get("ahbdiv"));
        const QWindowList windows = QGuiApplication::allWindows();
        QCOMPARE(
            QSet<QWindow *>(windows.cbegin(), windows.cend()),
            (QSet<QWindow *>{m_host->windowHandle(), t.widget->editorProxy()->widget()->windowHandle()}));
        t.get<QPushButton>("apb2p.list")->click();
        QVERIFY(!QXMCUPLL::controlShown(t.get("list0")) && QXMCUPLL::controlShown(t.get("list2")));
        // A press on the bare drawing reaches the widget through the view: the list folds in.
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->mapFromScene(QPointF(5, 5)));
        QVERIFY(!QXMCUPLL::controlShown(t.get("list2")));
        QUndoStack *stack = m_host->undoStack();
        QVector<QVector<QPair<QString, QVariant>>> records{t.record().fieldValues()};
        QVector<QStringList> seen{display(*t.widget)};
        const auto edit = [&](const QString &steps) {
            for (const QString &step : steps.split('|')) {
                const int before = stack->count();
                if (step == "reset") { // Config Reset, answered Yes
                    m_dialogs.answerButton(QMessageBox::Yes);
                    m_host->ConfigReset();
                } else {
                    run(t, m_dialogs, step, mark);
                }
                QCoreApplication::processEvents(); // the gesture ends
                // One step exactly for an edit that changed the design, none otherwise.
                const bool changed = t.record().fieldValues() != records.last();
                QVERIFY2(stack->count() == before + (changed ? 1 : 0), qPrintable(step));
                // An edit that changed only what is shown (the RTC box leaving its
                // creation text) belongs to the step it was made in.
                if (changed)
                    records << t.record().fieldValues();
                else
                    seen.removeLast();
                seen << display(*t.widget);
            }
        };
        // Config Reset of an untouched design changes nothing and adds no step.
        edit("reset");
        QVERIFY(stack->count() == 0 && !m_host->undoAction()->isEnabled());
        m_dialogs.clear();
        edit(edits);
        QCOMPARE(shown(t, m_dialogs, edited, mark), edited);

        QTemporaryDir dir;
        QTEST(savedDesign(t, m_dialogs, dir.filePath("d.TFCC")), "design");
        m_dialogs.clear();
        Tree reopened(QTest::currentDataTag());
        reopened.widget->loadConfig(dir.filePath("d.TFCC"));
        QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());
        QCOMPARE(shown(reopened, m_dialogs, edited, mark), edited);

        edit("type hext 12|type hext 12|reset");
        m_dialogs.clear();
        // Each step back or forth shows exactly the state it returns to.
        const auto stepTo = [&](QAction *action, int step) {
            action->trigger();
            QCOMPARE(t.record().fieldValues(), records.at(step));
            QCOMPARE(display(*t.widget), seen.at(step));
            QCOMPARE(entriesOffRecord(*t.widget), QString());
            QVERIFY2(step % 8 || showsCurrentValues(*t.widget),
                     qPrintable("stale pixels: " + action->text()));
        };
        for (int step = records.size() - 2; step >= 0 && !QTest::currentTestFailed(); --step)
            stepTo(m_host->undoAction(), step);
        QVERIFY(!m_host->undoAction()->isEnabled());
        for (int step = 1; step < records.size() && !QTest::currentTestFailed(); ++step)
            stepTo(m_host->redoAction(), step);
        QVERIFY(!m_host->redoAction()->isEnabled());
        QCOMPARE(m_dialogs.requests.size(), 0); // stepping asks nothing
        // A control not reached yet is painted as it shows once live.
        const QImage stoodIn = drawing(*t.widget);
        for (QGraphicsItem *item : t.widget->scene()->items())
            t.widget->makeLive(QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item)));
        QVERIFY(drawing(*t.widget) == stoodIn);
    }

    void looksAsReviewed_data() { addSeriesRows(); }
    // Each factory tree at 1:1, controls and captions on the drawing, is the
    // picture last looked at (tests/reference/trees), and again with the APB2
    // peripherals' list out over the rows below it: a control or caption a
    // pixel off its place, or a changed look, shows here.
    void looksAsReviewed()
    {
        Tree t(QTest::currentDataTag());
        t.widget->resize(t.widget->drawingSize() + QSize(16, 16));
        t.widget->show();
        for (const char *suffix : {"", "-list"}) {
            if (*suffix)
                t.get<QPushButton>("apb2p.list")->click();
            QCoreApplication::processEvents();
            const QString difference = differenceFromReference(
                t.widget->grab().toImage(), "trees/" + QString(QTest::currentDataTag()) + suffix + ".png");
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }
    }

    void radiosChooseTheirOwnOption_data() { addSeriesRows(); }
    // Every radio reaches the document through its own slot with its own
    // index: clicked and taken (no box shown), it is the one checked and its
    // option is the document's. Walked from the last option down.
    void radiosChooseTheirOwnOption()
    {
        Tree t(QTest::currentDataTag());
        int taken = 0;
        for (const ControlTable::Row &row : ControlTable::rows()) {
            const bool radios =
                row.kind == ControlTable::Kind::Radios && ControlTable::has(*t.record().params(), row.id);
            for (int i = radios ? ControlTable::values(*t.record().params(), row.id).size() - 1 : -1; i >= 0;
                 --i) {
                auto *radio = t.get<QRadioButton>(ControlTable::radioAnchor(row.id, i));
                const int boxes = m_dialogs.requests.size();
                if (!radio->isEnabled() || (radio->click(), m_dialogs.requests.size() != boxes))
                    continue;
                QVERIFY2(radio->isChecked() && t.widget->document().shownIndex(row.id) == i,
                         qPrintable(radio->objectName()));
                ++taken;
            }
        }
        QVERIFY(taken > 3);
    }

    void edits_data() { addTableRows("series_edits.tsv"); }
    // Edits as a user makes them, and what the drawing then shows.
    void edits()
    {
        QFETCH(QString, series);
        QFETCH(QString, steps);
        QFETCH(QString, expect);
        Tree t(series);
        ClockConfig mark = t.record();
        run(t, m_dialogs, steps, mark);
        QCOMPARE(shown(t, m_dialogs, expect, mark), expect);
    }

    // A caption drawn with the tree stands where its label stood: in the box a
    // text layout gives it, so at the same vertical centre.
    void fixedTextsTakeALabelsPlace_data() { addTableRows("series_texts.tsv"); }
    void fixedTextsTakeALabelsPlace()
    {
        QFETCH(QString, text);
        QFETCH(bool, italic);
        ClockTreeItem item{ClockTree::Layout()};
        QFont font("Arial", 10);
        font.setItalic(italic);
        item.addText(text, QPoint(3, 4), font);
        const QRect laidOut = QFontMetrics(font).boundingRect(0, 0, 2000, 2000, Qt::AlignLeft, text);
        QCOMPARE(item.texts().value(0).rect, QRect(QPoint(3, 4), laidOut.size()));
    }

    void keptLookFollowsChange_data() { addTableRows("series_keptlooks.tsv"); }
    void keptLookFollowsChange()
    {
        QFETCH(QString, change);
        QGraphicsScene scene;
        scene.addRect(0, 0, 120, 40, Qt::NoPen, QColor(200, 230, 250));
        auto *label = new QLabel(QStringLiteral("ahb 144"));
        label->resize(100, 30);
        label->setAttribute(Qt::WA_TranslucentBackground); // placed as a drawing places it
        QXMCUPLL::setLabelTextColor(label, Qt::darkGreen);
        EditorHost host(&scene);
        auto *standIn = new StandInProxy(label, &host);
        scene.addItem(standIn);
        standIn->setPos(5, 5);
        standIn->follow();
        const auto render = [&scene] {
            QImage image(120, 40, QImage::Format_RGB32);
            QPainter painter(&image);
            scene.render(&painter, image.rect(), image.rect());
            return image;
        };
        const QImage before = render();
        QCOMPARE(render(), before); // painted again from what was kept
        if (change == "colour")
            QXMCUPLL::setLabelTextColor(label, Qt::red);
        else if (change == "font") // the same family, larger
            label->setFont(QFont(label->font().family(), label->font().pointSize() + 2));
        else if (change == "text")
            label->setText(QStringLiteral("ahb 288"));
        else if (change == "alignment")
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        standIn->follow();
        const QImage after = render();
        QVERIFY(after != before);
        // As the label itself shows, in a proxy of its own.
        auto *twin = new QLabel(label->text());
        twin->setAttribute(Qt::WA_TranslucentBackground);
        twin->setFont(label->font());
        twin->setPalette(label->palette());
        twin->setAlignment(label->alignment());
        twin->resize(label->size());
        standIn->hide();
        scene.addWidget(twin)->setPos(5, 5);
        QCOMPARE(render(), after);
    }

    // A control's proxy is found from the control while both exist, and no
    // more once the proxy (and with it the control) is gone: a widget made
    // later at the same address is not taken for a control stood in for.
    void standInFoundFromItsControl()
    {
        QGraphicsScene scene;
        EditorHost host(&scene);
        auto *label = new QLabel(QStringLiteral("ahb 144"));
        QLabel placedOtherwise;
        QCOMPARE(StandInProxy::of(label), nullptr);
        auto *standIn = new StandInProxy(label, &host);
        scene.addItem(standIn);
        QCOMPARE(StandInProxy::of(label), standIn);
        QCOMPARE(StandInProxy::of(&placedOtherwise), nullptr);
        const QWidget *gone = label;
        delete standIn;
        QCOMPARE(StandInProxy::of(gone), nullptr);
    }

    void sharpDrawing_data() { addTableRows("series_sharp.tsv"); }
    // The drawing is painted at the scale it is shown at: a wire keeps its width
    // in solid colour (a picture enlarged from 1:1 would only blur it), and a
    // radio button shows the mux under it, not a square of its own.
    void sharpDrawing()
    {
        QFETCH(double, zoom);
        QFETCH(double, pixelRatio);
        Tree t("QXC315");
        const QColor wire(45, 62, 80), muxFill(204, 228, 247);
        // The PLL's output wire runs at y 275 from x 750 to 794; the pllrcs mux
        // has a radio at (420, 242).
        const auto sample = [&](const QPointF &at, int size) {
            QImage image(size, size, QImage::Format_RGB32);
            image.fill(Qt::black);
            image.setDevicePixelRatio(pixelRatio);
            QPainter painter(&image);
            painter.translate(-at * zoom + QPointF(size, size) / (2 * pixelRatio));
            t.widget->renderDrawing(&painter, QRectF(QPointF(0, 0), QSizeF(t.widget->drawingSize()) * zoom));
            painter.end();
            return image;
        };
        const QImage across = sample(QPointF(770, 275), 64);
        int solid = 0;
        for (int y = 0; y < across.height(); ++y)
            solid += QColor(across.pixel(32, y)) == wire ? 1 : 0;
        QTEST(solid, "wireRows");

        // Just inside the radio's top-left corner.
        const QImage radio = sample(QPointF(421.5, 243.5), 8);
        QCOMPARE(QColor(radio.pixel(4, 4)), muxFill);
    }

    void chineseMessages_data() { addTableRows("series_chinese.tsv"); }
    // The model's messages a series shows, as the Chinese catalogue has them.
    void chineseMessages()
    {
        QFETCH(QString, source);
        QFETCH(QString, chinese);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/image/tr_zh.qm")));
        QCOMPARE(translator.translate(ClockRules::kTranslationContext, source.toUtf8().constData()), chinese);
    }

    // Undo keys go where the window system sends them, to the window's focus
    // widget (the view), and through it to the entry that has the keyboard.
    void undoKeysReachTheDesign_data() { addTableRows("series_undokeys.tsv"); }
    void undoKeysReachTheDesign()
    {
        QFETCH(QString, entry);
        open();
        auto *hext = Tree(widget()).get<QLineEdit>("hext");
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
        open();
        // The mouse over an entry not used yet shows the text cursor.
        for (QGraphicsItem *item : widget()->scene()->items()) {
            const QWidget *control = QXMCUPLL::controlOf(qgraphicsitem_cast<QGraphicsProxyWidget *>(item));
            if (control && control->objectName() == "hext")
                QTest::mouseMove(view()->viewport(),
                                 view()->mapFromScene(item->sceneBoundingRect().center()));
        }
        QCOMPARE(view()->viewport()->cursor().shape(), Qt::IBeamCursor);
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
            const QRectF inView = view()->mapToScene(view()->viewport()->rect()).boundingRect();
            QVERIFY(inView.intersects(QXMCUPLL::proxyOf(now)->sceneBoundingRect()));
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

    // The PLL multiplier's long list opens below its box with a scroll bar of
    // its own, within the screen, and never moves the drawing, open or closed.
    void longListStaysInItsPlace()
    {
        open("QXC300");
        auto *mult = widget()->findControl<QComboBox>("pllmult");
        QVERIFY(mult->count() > 60);
        view()->ensureVisible(QXMCUPLL::proxyOf(mult));
        widget()->makeLive(mult);
        const QPoint origin = view()->mapFromScene(QPointF(0, 0));
        mult->showPopup();
        QAbstractItemView *list = mult->view();
        QTRY_VERIFY(list->isVisible());
        QVERIFY(list->verticalScrollBar()->isVisible());
        QVERIFY(list->window()->height() < view()->viewport()->height());
        QCOMPARE(view()->mapFromScene(QPointF(0, 0)), origin);
        mult->hidePopup();
        QCoreApplication::processEvents();
        QCOMPARE(view()->mapFromScene(QPointF(0, 0)), origin);
    }

    void pressHoldRelease_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("control");
        QTest::newRow("QXC300 pllmult") << "QXC300"
                                        << "pllmult"; // 63 entries
        QTest::newRow("QXC330 ahbdiv") << "QXC330"
                                       << "ahbdiv";
        QTest::newRow("QXC330 apb1div") << "QXC330"
                                        << "apb1div";
    }
    // On a design just opened, a press on a box, held 0.7 s and released
    // without moving, opens its list and chooses nothing; the list lies
    // within the screen, and the drawing stays where it was after Escape
    // and after Zoom Reset.
    void pressHoldRelease()
    {
        QFETCH(QString, series);
        QFETCH(QString, control);
        open(qPrintable(series));
        m_host->setGeometry(m_host->screen()->availableGeometry()); // as maximised
        auto *combo = widget()->findControl<QComboBox>(control);
        QVERIFY(combo);
        const auto scrollPosition = [this] {
            return QPoint(view()->horizontalScrollBar()->value(), view()->verticalScrollBar()->value());
        };
        QGraphicsProxyWidget *proxy = QXMCUPLL::proxyOf(combo);
        view()->ensureVisible(proxy);
        const QPoint scrolled = scrollPosition();
        const QString chosen = combo->currentText();
        const auto before = widget()->config()->fieldValues();
        QSignalSpy changes(combo, QOverload<int>::of(&QComboBox::currentIndexChanged));
        QSignalSpy activations(combo, QOverload<int>::of(&QComboBox::activated));
        const QPoint at = view()->mapFromScene(proxy->sceneBoundingRect().center());
        QTest::mousePress(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QAbstractItemView *list = combo->view();
        QTRY_VERIFY(list->isVisible());
        QTest::qWait(700);
        // The open list: in full on the screen and in the view, the drawing unmoved.
        QGraphicsProxyWidget *listProxy = list->window()->graphicsProxyWidget();
        QVERIFY(listProxy);
        const QRect onView = view()->mapFromScene(listProxy->sceneBoundingRect()).boundingRect();
        const QRect onScreen(view()->viewport()->mapToGlobal(onView.topLeft()), onView.size());
        QVERIFY(m_host->screen()->geometry().contains(onScreen));
        QVERIFY(view()->viewport()->rect().contains(onView));
        // Never over the box, where a release would choose.
        QVERIFY(!listProxy->sceneBoundingRect().adjusted(0, 1, 0, -1).intersects(proxy->sceneBoundingRect()));
        QCOMPARE(list->verticalScrollBar()->isVisible(), combo->count() > combo->maxVisibleItems());
        QCOMPARE(scrollPosition(), scrolled);
        QTest::mouseRelease(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();
        QCOMPARE(combo->currentText(), chosen);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(activations.count(), 0);
        QVERIFY(widget()->config()->fieldValues() == before);
        QCOMPARE(scrollPosition(), scrolled);

        // Opened again by a click, closed by Escape.
        if (!list->isVisible())
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(combo->currentText(), chosen);
        QCOMPARE(scrollPosition(), scrolled);
        m_host->zoomResetAction()->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(scrollPosition(), scrolled);
        QCOMPARE(changes.count(), 0);
    }

    void accessibleTree_data() { addTableRows("series_access.tsv"); }
    // A screen reader finds every control of an open design as a child of the
    // drawing, with its role, name, value and actions, and reads a value
    // that changed; setting an entry's text types it as a user would.
    void accessibleTree()
    {
        open(QTest::currentDataTag());
        QAccessibleInterface *drawing = QAccessible::queryAccessibleInterface(view()->viewport());
        QVERIFY(drawing);
        QHash<QString, QAccessibleInterface *> children;
        for (int i = 0; i < drawing->childCount(); ++i) {
            QAccessibleInterface *child = drawing->child(i);
            QVERIFY(child && child->isValid());
            QCOMPARE(child->parent()->object(), drawing->object());
            QCOMPARE(drawing->indexOfChild(child), i);
            children.insert(child->object()->objectName(), child);
        }
        const SeriesParams &series = *SeriesTable::byName(QTest::currentDataTag());
        for (const ControlTable::Row &row : ControlTable::rows()) {
            if (!ControlTable::has(series, row.id))
                continue;
            const bool radios = row.kind == ControlTable::Kind::Radios;
            const QString name = radios ? ControlTable::radioAnchor(row.id, 0) : QString(row.name);
            const QWidget *control = widget()->findControl<QWidget>(name);
            if (!QXMCUPLL::controlShown(control))
                continue; // the other PLL mode's
            QAccessibleInterface *child = children.value(name);
            QVERIFY2(child, qPrintable(name));
            const QAccessible::Role role = radios ? QAccessible::RadioButton
                                           : row.kind == ControlTable::Kind::Combo
                                               ? QAccessible::ComboBox
                                               : QAccessible::EditableText;
            QCOMPARE(child->role(), role);
            QVERIFY2(!child->text(QAccessible::Name).isEmpty(), qPrintable(name));
            QVERIFY(child->rect().isValid());
            if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
                QCOMPARE(child->text(QAccessible::Value), combo->currentText());
                // A screen reader on AT-SPI reads a combo's choice through its text.
                QVERIFY2(child->textInterface(), qPrintable(name));
                QCOMPARE(child->textInterface()->text(0, -1), combo->currentText());
            }
            if (!child->state().disabled && row.kind == ControlTable::Kind::Combo)
                QVERIFY(child->actionInterface()->actionNames().contains(
                    QAccessibleActionInterface::showMenuAction()));
        }
        QTEST(children.value("sclk")->text(QAccessible::Value), "sclk");
        QTEST(children.value("apb1p.value")->text(QAccessible::Value), "apb1p");
        QTEST(children.value("pll.value")->text(QAccessible::Value), "pll");
        QVERIFY(children.value("ahbdiv")->text(QAccessible::Name).startsWith("ahb"));
        // Both oscillators' bypasses are drawn as "bypass"; a screen reader tells them apart.
        QCOMPARE(children.value("lextbypass")->text(QAccessible::Name), QString("lext bypass"));
        QCOMPARE(children.value("hextbypass")->text(QAccessible::Name), QString("hext bypass"));
        QCOMPARE(widget()->shownText("hextbypass.caption"), QString("bypass"));
        // No two controls a user works with share a name.
        QHash<QString, QString> named;
        for (QAccessibleInterface *child : qAsConst(children)) {
            if (child->role() == QAccessible::StaticText)
                continue;
            const QString name = child->text(QAccessible::Name);
            QVERIFY2(!named.contains(name),
                     qPrintable(name + ": " + named.value(name) + ", " + child->object()->objectName()));
            named.insert(name, child->object()->objectName());
        }

        // The AHB divider halves the buses: the APB1 value box tells of it.
        auto *ahb = widget()->findControl<QComboBox>("ahbdiv");
        ahb->setCurrentIndex(1);
        QFETCH(QString, apb1p);
        QVERIFY(children.value("apb1p.value")->text(QAccessible::Value) != apb1p);
        // Pressing a list button through its action folds the list out.
        children.value("apb1p.list")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(QXMCUPLL::controlShown(widget()->findControl<QWidget>("list0")));
        // Setting the crystal entry's text applies it.
        QAccessibleInterface *hext = children.value("hext");
        QVERIFY(hext->textInterface());
        hext->setText(QAccessible::Value, "12");
        QCOMPARE(widget()->config()->hextMHz, 12.0);
        QCOMPARE(hext->text(QAccessible::Value), QString("12"));
    }

    // A stored crystal shows whole and as written: the entry grows to the
    // right, at most to its node's margin (then it shows the first digits);
    // a text that fits leaves the entry as drawn, 60 wide.
    void crystalShowsWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width"); // 0: wider than 60, as wide as the text needs
        QTest::newRow("8") << "8" << 60;
        QTest::newRow("12.288") << "12.288" << 60;
        QTest::newRow("8.000000") << "8.000000" << 0;
        QTest::newRow("12.288000") << "12.288000" << 0;
        QTest::newRow("wider than the node")
            << QString(40, '8') << 155; // the node: x 44..219, the entry at 54
    }
    void crystalShowsWhole()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QTemporaryDir dir;
        QFile file(dir.filePath("d.TFCC"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QString design = QString::fromUtf8(
            DesignFile::write(DesignDocument(SeriesTable::byName("QXC330")->id).record(), "QXC330"));
        design.replace(QRegularExpression("<hext>[^<]*<"), "<hext>" + text + "<");
        file.write(design.toUtf8());
        file.close();
        Tree t;
        t.widget->loadConfig(file.fileName());
        auto *hext = t.get<QLineEdit>("hext");
        QCOMPARE(hext->text(), text);
        if (width) {
            QCOMPARE(hext->width(), width);
        } else {
            // Its sheet's 2 px border and 2 px padding, the entry's own 2 px margin, each side, and the
            // cursor.
            QVERIFY2(hext->width() > 60, qPrintable(QString::number(hext->width())));
            QVERIFY(hext->fontMetrics().horizontalAdvance(text) + 2 * (2 + 2 + 2) + 1 <= hext->width());
        }
        QCOMPARE(hext->cursorPosition(), 0); // the first digits show
        QCOMPARE(t.get<QLineEdit>("sclk")->width(), 60);
        // A short crystal typed in its place gives the entry back its width.
        ClockConfig mark = t.record();
        run(t, m_dialogs, "type hext 8", mark);
        QCOMPARE(hext->text(), QString("8"));
        QCOMPARE(hext->width(), 60);
    }

private:
    QXMCUPLL *widget() const { return m_host->currentWidget(); }
    PinGraphicsView *view() const { return widget()->graphicsView(); }
    // The series in its host window, the active one.
    void open(const char *series = "QXC330")
    {
        m_host = std::make_unique<QXPLLConfig>();
        m_host->resize(1200, 700);
        QVERIFY(m_host->createSeries(SeriesTable::byName(series)->id));
        m_host->show();
        QApplication::setActiveWindow(m_host.get());
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
    }

    // A click on a control, as the user gives it the keyboard.
    void click(QWidget *control)
    {
        QGraphicsProxyWidget *proxy = QXMCUPLL::proxyOf(control);
        view()->ensureVisible(proxy);
        const QPoint at = view()->mapFromScene(proxy->sceneBoundingRect().center());
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(QApplication::focusWidget(), view());
        QCOMPARE(focused(), control);
    }

    QWidget *focused() const
    {
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(widget()->scene()->focusItem());
        return proxy && proxy->widget() ? proxy->widget()->focusWidget() : nullptr;
    }

    // Types text and key sequences ("12", "Return", "Ctrl+Z") at the focus widget.
    void keys(const QString &sequence)
    {
        for (const QString &part : sequence.split(' ', Qt::SkipEmptyParts)) {
            if (part.at(0).isLetter() && !QKeySequence(part).isEmpty())
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(part));
            else
                QTest::keyClicks(QApplication::focusWidget(), part);
            QCoreApplication::processEvents(); // a gesture ends
        }
    }

    std::unique_ptr<QXPLLConfig> m_host;
    ScriptedDialogs m_dialogs;
};

QTEST_MAIN(TestSeriesWidgets)
#include "tst_serieswidgets.moc"

#include "ClockConfig.h"
#include "ClockTreeItem.h"
#include "ClockTreeLayout.h"
#include "ControlTable.h"
#include "DesignFile.h"
#include "QXMCUPLL.h"
#include "RecordFields.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"
#include "SeriesWidget.h"
#include "TableRows.h"

#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
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
        : widget(createSeriesWidget(SeriesTable::byName(series)->id, nullptr))
    {}
    template <typename T = QWidget> T *get(const QString &name) const
    {
        T *control = widget->findControl<T>(name);
        if (!control)
            qFatal("no control named %s", qPrintable(name));
        return control;
    }
    const ClockConfig &record() const { return *widget->config(); }

    std::unique_ptr<QXMCUPLL> widget;
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
    const QString s = w->styleSheet();
    return s == SeriesWidget::committedEditStyle()   ? "committed"
           : s == SeriesWidget::pendingEditStyle()   ? "pending"
           : s == SeriesWidget::disabledEditStyle()  ? "disabled"
           : s == SeriesWidget::factorPendingStyle() ? "factorPending"
                                                     : "other";
}

bool visible(const QWidget *w)
{
    return !w->isHidden() && (!w->graphicsProxyWidget() || w->graphicsProxyWidget()->isVisible());
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
                const QString state = key == "on" || key == "off"         ? (w->isEnabled() ? "on" : "off")
                                      : key == "shown" || key == "hidden" ? (visible(w) ? "shown" : "hidden")
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

// Every control of the series stands at its anchor, on its node of the drawing.
void checkControlsOnNodes(const Tree &t)
{
    const SeriesParams &series = *t.record().params();
    const ClockTree::Layout layout = ClockTree::layoutFor(series);
    for (const ControlTable::Row &row : ControlTable::rows()) {
        if (!ControlTable::has(series, row.id))
            continue;
        const bool radios = row.kind == ControlTable::Kind::Radios;
        for (int i = 0; i < (radios ? ControlTable::values(series, row.id).size() : 1); ++i) {
            const QString anchor = radios ? ControlTable::radioAnchor(row.id, i) : QString(row.name);
            QVERIFY2(layout.hasAnchor(anchor), qPrintable(anchor));
            const ClockTree::Node *node = layout.node(layout.anchor(anchor).node);
            QVERIFY2(node && node->rect.contains(layout.anchor(anchor).pos), qPrintable(anchor));
            QCOMPARE(t.get(anchor)->graphicsProxyWidget()->pos(), QPointF(layout.anchor(anchor).pos));
        }
    }
    // And every named widget over the drawing stands at the anchor of its name.
    for (QGraphicsItem *item : t.widget->scene()->items()) {
        const auto *proxy = qgraphicsitem_cast<QGraphicsProxyWidget *>(item);
        const QString name = proxy && proxy->widget() ? proxy->widget()->objectName() : QString();
        QVERIFY2(name.isEmpty() ||
                     (layout.hasAnchor(name) && proxy->pos() == QPointF(layout.anchor(name).pos)),
                 qPrintable(name));
    }
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

} // namespace

// The series widgets seen as a user sees them: controls found by name, edits
// made through them, and what the drawing then shows.
class TestSeriesWidgets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { g_report = qInstallMessageHandler(countCriticals); }

    void init() { m_dialogs.clear(); }
    void cleanup() { QCOMPARE(std::exchange(g_criticals, 0), 0); }

    void everySeries_data() { addTableRows("series_every.tsv"); }
    // Per series: the factory tree with every control at its anchor; edits that
    // move most fields; the design Save writes then, reopened to the same record
    // and the same tree, with no box on the way.
    void everySeries()
    {
        QFETCH(QString, factory);
        QFETCH(QString, edits);
        QFETCH(QString, edited);
        Tree t(QTest::currentDataTag());
        ClockConfig mark = t.record();
        QCOMPARE(shown(t, m_dialogs, factory, mark), factory);
        checkControlsOnNodes(t);
        // Every control reaches its series class through a slot of its name.
        QCOMPARE(qobject_cast<SeriesWidget *>(t.widget.get())->controlsWithoutSlot(), QStringList());
        run(t, m_dialogs, edits, mark);
        QCOMPARE(shown(t, m_dialogs, edited, mark), edited);

        QTemporaryDir dir;
        QTEST(savedDesign(t, m_dialogs, dir.filePath("d.TFCC")), "design");
        m_dialogs.clear();
        Tree reopened(QTest::currentDataTag());
        reopened.widget->loadConfig(dir.filePath("d.TFCC"));
        QCOMPARE(reopened.record().fieldValues(), t.record().fieldValues());
        QCOMPARE(shown(reopened, m_dialogs, edited, mark), edited);
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

    void foldOutLists()
    {
        Tree t;
        QXMCUPLL &w = *t.widget;
        t.get<QPushButton>("apb1p.list")->click();
        QVERIFY(t.get("list0")->isVisible());
        t.get<QPushButton>("apb2p.list")->click();
        QVERIFY(!t.get("list0")->isVisible() && t.get("list2")->isVisible());
        QTest::mouseClick(&w, Qt::LeftButton);
        QVERIFY(!t.get("list2")->isVisible());
    }

    // A caption drawn with the tree stands where its label stood: in the box a
    // text layout gives it, so at the same vertical centre.
    void fixedTextsTakeALabelsPlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("italic");
        QTest::newRow("caption") << "to wdt(kHz)" << false;
        QTest::newRow("value") << "32.768" << false;
        QTest::newRow("trailing blank") << "CRM_PLLCFG: " << false;
        QTest::newRow("overhanging last glyph") << "hick to sclkf" << true;
        QTest::newRow("overhang inside") << "fff x" << true;
        QTest::newRow("chinese") << QString::fromUtf8("\u65f6\u949f") << false;
        QTest::newRow("two lines") << "a\nb" << false;
    }

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

    void sharpDrawing_data() { addTableRows("series_sharp.tsv"); }
    // The drawing is painted at the scale it is shown at: a wire keeps its width
    // in solid colour (a picture enlarged from 1:1 would only blur it), and a
    // radio button shows the mux under it, not a square of its own.
    void sharpDrawing()
    {
        QFETCH(QString, zoomText);
        QFETCH(QString, pixelRatioText);
        const double zoom = zoomText.toDouble(), pixelRatio = pixelRatioText.toDouble();
        Tree t("QXC315");
        const QColor wire(45, 62, 80);
        const QColor muxFill(204, 228, 247);
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
        QTEST(QString::number(solid), "wireRows");

        // Just inside the radio's top-left corner.
        const QImage radio = sample(QPointF(421.5, 243.5), 8);
        QCOMPARE(QColor(radio.pixel(4, 4)), muxFill);
    }

    void muxInputsWired_data()
    {
        QTest::addColumn<QString>("series");
        for (const char *name : {"QXC330", "QXC300A", "QXC300", "QXC315", "QXE020"})
            QTest::newRow(name) << name;
    }

    // Every radio on a mux of the drawing has a wire meeting the mux at the
    // radio's centre, on the side the mux takes its inputs.
    void muxInputsWired()
    {
        QFETCH(QString, series);
        const ClockTree::Layout layout = ClockTree::layoutFor(*SeriesTable::byName(series));
        int radios = 0;
        for (const ClockTree::Anchor &anchor : layout.anchors()) {
            const ClockTree::Node *mux = layout.node(anchor.node);
            bool isRadio = false; // radios are anchored at "group.N"
            anchor.id.section('.', 1).toInt(&isRadio);
            if (!mux || mux->shape != ClockTree::Shape::Mux || !isRadio)
                continue;
            ++radios;
            const QPoint end(mux->outputsLeft ? mux->rect.right() + 1 : mux->rect.left(),
                             anchor.pos.y() + ClockTree::kRadioSize / 2);
            bool wired = false;
            for (const ClockTree::Wire &w : layout.wires)
                wired = wired || (!w.points.isEmpty() && w.points.last() == end);
            QVERIFY2(wired, qPrintable(anchor.id));
        }
        QVERIFY(radios > 0);
    }

    void chineseMessages_data() { addTableRows("series_chinese.tsv"); }
    // The series' messages as the Chinese catalogue has them.
    void chineseMessages()
    {
        QFETCH(QString, source);
        QFETCH(QString, chinese);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/image/tr_zh.qm")));
        QCOMPARE(translator.translate("QXMCUPLL", source.toUtf8().constData()), chinese);
    }

private:
    ScriptedDialogs m_dialogs;
};

QTEST_MAIN(TestSeriesWidgets)
#include "tst_serieswidgets.moc"

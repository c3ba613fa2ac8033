#include "QXMCUPLL.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "ClockTreeItem.h"
#include "ControlStandIn.h"
#include "CustomComboBox1.h"
#include "DialogService.h"
#include "DrawingAccess.h"
#include "PinGraphicsView.h"
#include "SeriesTable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const char *const kViewStyle = "QGraphicsView { background-color: rgb(255, 255, 255); border: none; }";

const char *const kScrollBarStyle =
    "QScrollBar:vertical { background: rgb(217, 233, 246); width: 12px; }"
    "QScrollBar:horizontal { background: rgb(217, 233, 246); height: 12px; }"
    "QScrollBar::handle { background: rgb(36, 183, 181); border: 2px solid transparent; border-radius: 5px; }"
    "QScrollBar::handle:hover { background: rgb(36, 183, 181); }"
    "QScrollBar::add-line, QScrollBar::sub-line { background: transparent; }";

const char *const kListPanelStyle =
    "background: rgb(153, 217, 234); border-style: outset; border-width: 1px; "
    "border-color: rgb(0, 176, 240);border-radius:2px;padding:1px 2px;";

void keepRoomForViewPixels()
{
    // The view keeps the drawing's pixels and, zoomed, the controls' (each
    // at most a screenful) in Qt's pixmap cache: a picture that does not fit
    // is not kept, and is painted afresh at every repaint.
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSizeF pixels = QSizeF(screen->size()) * screen->devicePixelRatio();
    const int kilobytes = int(2 * pixels.width() * pixels.height() * 4 / 1024);
    QPixmapCache::setCacheLimit(qMax(QPixmapCache::cacheLimit(), kilobytes));
}

QFont arial(int pointSize, int weight)
{
    return QFont(QStringLiteral("Arial"), pointSize, weight);
}

} // namespace

QXMCUPLL::QXMCUPLL(int seriesId, QWidget *parent) : QWidget(parent), m_seriesId(seriesId)
{
    // A series the table lacks still gets a document (of the first row) so
    // that hosts and tests can hold any widget; its controls are its own.
    m_document = std::make_unique<DesignDocument>(
        SeriesTable::byId(seriesId) ? seriesId : SeriesTable::all().first().id);

    DrawingAccess::install();
    m_scene = new QGraphicsScene(this);
    m_editorHost = std::make_unique<EditorHost>(m_scene);
    m_scene->setBackgroundBrush(Qt::white);
    m_view = new PinGraphicsView(this);
    m_view->setScene(m_scene);
    m_view->setRenderHint(QPainter::Antialiasing);
    // Only what changed is repainted; see repaintChangedControls().
    m_view->setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    m_view->setKeepsControlPixels(true);
    styleView(m_view);
    keepRoomForViewPixels();

    // The drawing is painted from the layout that also places the controls.
    const SeriesParams *series = SeriesTable::byId(seriesId);
    if (series)
        m_tree = ClockTree::layoutFor(*series);
    m_drawing = new ClockTreeItem(m_tree);
    m_scene->addItem(m_drawing);
    m_view->setBackgroundItem(m_drawing);

    connect(m_scene, &QGraphicsScene::focusItemChanged, this,
            [this](QGraphicsItem *focused) { followFocusFrame(focused); });

    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_view);
}

void QXMCUPLL::styleView(QAbstractScrollArea *view)
{
    view->setStyleSheet(QString::fromLatin1(kViewStyle));
    // The scene's white background covers every pixel the view repaints; so
    // said, a scroll step moves the pixels on screen and repaints only the
    // strip it uncovers (under the sheet's background the viewport counts as
    // see-through, and Qt would repaint it whole).
    view->viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // The bars carry their rules themselves: under a styled ancestor, Qt
    // re-polishes only a view's direct children when its style sheet changes,
    // and the bars sit one level deeper, so rules on the view never reach them.
    for (QScrollBar *bar : {view->horizontalScrollBar(), view->verticalScrollBar()})
        bar->setStyleSheet(QString::fromLatin1(kScrollBarStyle));
}

void QXMCUPLL::followFocusFrame(QGraphicsItem *focused)
{
    // A null rectangle would repaint the whole scene.
    if (!m_focusFrame.isNull())
        m_scene->update(m_focusFrame);
    disconnect(m_frameWatch);
    // The frame's pen is at most 10 units wide (at the smallest zoom).
    m_focusFrame = focused ? focused->sceneBoundingRect().adjusted(-9, -9, 9, 9) : QRectF();
    if (!m_focusFrame.isNull())
        m_scene->update(m_focusFrame);
    if (focused && focused->isWidget()) {
        auto *item = static_cast<QGraphicsWidget *>(focused);
        m_frameWatch =
            connect(item, &QGraphicsWidget::geometryChanged, this, [this, item] { followFocusFrame(item); });
    }
}

// Every control is deleted by its proxy, once the editor host gave it back.
QXMCUPLL::~QXMCUPLL() = default;

namespace {

// The document's boxes: critical "Error" boxes with "Ok", and "Warning"
// questions with "Yes" and "Cancel".
class DialogPrompter final : public DesignPrompter {
public:
    void showError(const QString &text) override
    {
        DialogService::instance().message(
            MessageRequest::make(QMessageBox::Critical, QXMCUPLL::tr("Error"), text)
                .withButton(QMessageBox::Ok, QXMCUPLL::tr("Ok")));
    }
    bool askYes(const QString &text) override
    {
        const MessageReply reply = DialogService::instance().message(
            MessageRequest::make(QMessageBox::Warning, QXMCUPLL::tr("Warning"), text)
                .withButton(QMessageBox::Yes, QXMCUPLL::tr("Yes"))
                .withButton(QMessageBox::Cancel, QXMCUPLL::tr("Cancel")));
        return reply.is(QMessageBox::Yes);
    }
};

} // namespace

DesignPrompter &QXMCUPLL::prompter()
{
    if (!m_prompter)
        m_prompter = std::make_unique<DialogPrompter>();
    return *m_prompter;
}

EditOutcome QXMCUPLL::applyEdit(const DesignEdit &edit)
{
    m_document->setPrompter(&prompter());
    const DesignState before = m_document->state();
    const EditOutcome outcome = m_document->apply(edit);
    m_document->setPrompter(nullptr);
    showRecord();
    const DesignState after = m_document->state();
    if (outcome.applied() && (outcome.changed() || after.rtcRefreshed != before.rtcRefreshed))
        emit edited(before, after);
    return outcome;
}

void QXMCUPLL::restoreState(const DesignState &state)
{
    m_document->restore(state);
    showRecord();
}

void QXMCUPLL::setLabelTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::All, QPalette::WindowText, color);
    widget->setPalette(palette);
}

void QXMCUPLL::setEditTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::All, QPalette::Text, color);
    widget->setPalette(palette);
}

void QXMCUPLL::setSheet(QWidget *widget, const QString &styleSheet)
{
    // A control placed over the drawing keeps its sheet in its proxy until
    // it is embedded (see StandInProxy).
    if (StandInProxy *standIn = StandInProxy::of(widget))
        standIn->setSheet(styleSheet);
    else if (widget->styleSheet() != styleSheet)
        widget->setStyleSheet(styleSheet);
}

QString QXMCUPLL::sheet(const QWidget *widget)
{
    if (const auto *combo = qobject_cast<const CustomComboBox1 *>(widget))
        return combo->lookSheet();
    const StandInProxy *standIn = StandInProxy::of(widget);
    return standIn ? standIn->sheet() : widget->styleSheet();
}

void QXMCUPLL::makeLive(QWidget *control) const
{
    if (StandInProxy *standIn = StandInProxy::of(control))
        standIn->embed();
}

QWidget *QXMCUPLL::controlOf(const QGraphicsProxyWidget *proxy)
{
    const auto *standIn = qobject_cast<const StandInProxy *>(proxy);
    return standIn ? standIn->control() : nullptr;
}

void QXMCUPLL::setControlShown(QWidget *control, bool shown)
{
    if (QGraphicsProxyWidget *proxy = proxyOf(control))
        proxy->setVisible(shown);
    m_editorHost->follow();
}

bool QXMCUPLL::controlShown(const QWidget *control)
{
    const QGraphicsProxyWidget *proxy = proxyOf(control);
    return proxy ? proxy->isVisible() : control->isVisible();
}

QGraphicsProxyWidget *QXMCUPLL::editorProxy() const
{
    return m_editorHost->proxy();
}

QWidget *QXMCUPLL::liveControl() const
{
    return m_editorHost->live();
}

QGraphicsProxyWidget *QXMCUPLL::proxyOf(const QWidget *control)
{
    return StandInProxy::of(control);
}

QString QXMCUPLL::radioStyle(bool active)
{
    const QString color = active ? QStringLiteral("rgb(0, 176, 240)") : QStringLiteral("gray");
    return QStringLiteral("QRadioButton{background: transparent; spacing: 0px;}"
                          "QRadioButton::indicator:checked {width:12px; height:12px; border-radius:6px; "
                          "background-color:%1;}"
                          "QRadioButton::indicator:unchecked {width:10px; height:10px; border-radius:5px; "
                          "border: 1px solid %1; }")
        .arg(color);
}

QWidget *QXMCUPLL::findPlacedWidget(const QString &name) const
{
    for (QWidget *widget : m_controls) {
        if (widget->objectName() == name)
            return widget;
    }
    return nullptr;
}

void QXMCUPLL::keepOffScreen(QWidget *widget)
{
    // The proxy paints it and routes its events: never a window on screen.
    widget->setAttribute(Qt::WA_DontShowOnScreen);
}

QGraphicsProxyWidget *QXMCUPLL::place(QWidget *widget, const QPoint &pos, qreal z)
{
    // Controls are drawn over the tree; only their own pixels may cover it.
    widget->setAttribute(Qt::WA_TranslucentBackground);
    m_controls << widget;
    // The proxy takes its place in the stacking order and paints the
    // widget, which keeps its sheet there until the user reaches it.
    auto *proxy = new StandInProxy(widget, m_editorHost.get());
    proxy->setZValue(z);
    proxy->setPos(pos);
    m_scene->addItem(proxy);
    if (m_placementFinished)
        proxy->follow();
    return proxy;
}

namespace {

// What a control shows: a change of any of it must reach the screen.
QByteArray look(const QWidget *widget)
{
    return ControlLooks::lookKey(widget, QXMCUPLL::sheet(widget));
}

} // namespace

void QXMCUPLL::finishPlacement()
{
    for (QWidget *control : qAsConst(m_controls)) {
        if (StandInProxy *standIn = StandInProxy::of(control))
            standIn->follow();
    }
    m_placementFinished = true;
    // Nothing is on screen yet: the looks as built are the ones to compare with.
    m_looks.clear();
    m_looks.reserve(m_controls.size());
    for (const QWidget *widget : qAsConst(m_controls))
        m_looks << look(widget);
}

void QXMCUPLL::repaintChangedControls()
{
    if (!m_placementFinished)
        return; // nothing shown yet: finishPlacement() takes the looks as built
    m_looks.resize(m_controls.size());
    for (int i = 0; i < m_controls.size(); ++i) {
        QByteArray now = look(m_controls.at(i));
        if (now == m_looks.at(i))
            continue;
        m_looks[i].swap(now);
        QWidget *control = m_controls.at(i);
        StandInProxy *standIn = StandInProxy::of(control);
        if (standIn)
            standIn->follow(); // its size and state, or embeds it
        if (QGraphicsProxyWidget *proxy = proxyOf(control))
            proxy->update();
        DrawingAccess::lookChanged(control);
    }
    m_editorHost->follow();
}

void QXMCUPLL::addFixedText(const QString &text, const QString &name, const QPoint &pos)
{
    m_drawing->addText(text, pos, arial(10, 0));
    m_fixedTexts.insert(name, text);
}

QString QXMCUPLL::shownText(const QString &name) const
{
    if (const auto *label = placedControl<QLabel>(name))
        return label->text();
    return m_fixedTexts.value(name);
}

QLabel *QXMCUPLL::addLabel(const QString &text, const QPoint &pos, int pointSize, int weight,
                           QGraphicsProxyWidget **proxy)
{
    auto *label = new QLabel(text);
    label->setFont(arial(pointSize, weight));
    label->setContentsMargins(0, 0, 0, 0);
    QGraphicsProxyWidget *item = place(label, pos, 1);
    if (proxy)
        *proxy = item;
    return label;
}

CustomComboBox1 *QXMCUPLL::addComboBox(const QStringList &items, int width, const QPoint &pos, qreal z,
                                       QGraphicsProxyWidget **proxy)
{
    auto *combo = new CustomComboBox1;
    combo->addItems(items);
    combo->setFixedWidth(width);
    combo->setFixedHeight(ClockTree::kComboHeight);
    connect(combo, &CustomComboBox1::listFocusChanged, m_view, &PinGraphicsView::Focus_InControl_Slot);
    QGraphicsProxyWidget *item = place(combo, pos, z);
    if (proxy)
        *proxy = item;
    return combo;
}

QLineEdit *QXMCUPLL::addLineEdit(const QString &text, const QPoint &pos, QGraphicsProxyWidget **proxy)
{
    auto *edit = new QLineEdit(text);
    edit->setFont(arial(10, 0));
    edit->setMaximumWidth(60);
    edit->setFixedSize(60, ClockTree::kEditHeight);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QGraphicsProxyWidget *item = place(edit, pos, 1);
    if (proxy)
        *proxy = item;
    return edit;
}

QRadioButton *QXMCUPLL::addRadioButton(const QPoint &pos, QButtonGroup *group)
{
    auto *radio = new QRadioButton;
    radio->setFixedSize(ClockTree::kRadioSize, ClockTree::kRadioSize);
    if (group)
        group->addButton(radio);
    place(radio, pos, 1);
    setSheet(radio, radioStyle(true));
    return radio;
}

QLineEdit *QXMCUPLL::addValueBox(const QPoint &pos)
{
    auto *box = new QLineEdit;
    box->setReadOnly(true);
    box->setFont(arial(10, 0));
    box->setFixedSize(80, ClockTree::kEditHeight);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFocusPolicy(Qt::NoFocus);
    place(box, pos, 1);
    return box;
}

QPushButton *QXMCUPLL::addListButton(const QPoint &pos)
{
    auto *button = new QPushButton(listIcon(false), ClockRules::translated("List"));
    button->setFont(arial(10, 75));
    place(button, pos, 0);
    setSheet(button, QStringLiteral("border-style: none;"));
    return button;
}

QGraphicsProxyWidget *QXMCUPLL::addListPanel(const QStringList &names, const QPoint &pos)
{
    auto *box = new QGroupBox;
    box->setStyleSheet(QString::fromLatin1(kListPanelStyle));
    auto *column = new QVBoxLayout(box);
    column->setSpacing(4);
    for (const QString &name : names) {
        auto *label = new QLabel(name, box);
        label->setFont(arial(9, QFont::Normal));
        label->setStyleSheet(QStringLiteral("border: none; padding: 0px;"));
        column->addWidget(label);
    }
    QGraphicsProxyWidget *item = place(box, pos, 2);
    // Its rounded frame on its own background.
    box->setAttribute(Qt::WA_TranslucentBackground, false);
    box->setAttribute(Qt::WA_NoSystemBackground, false);
    item->hide();
    m_listPanels << item;
    return item;
}

QIcon QXMCUPLL::listIcon(bool open)
{
    // Read once: a QIcon made from a file name decodes the image each time.
    static const QIcon folded(QStringLiteral(":/image/btn_right_slider_hover.png"));
    static const QIcon unfolded(QStringLiteral(":/image/btn_down_slider_hover.png"));
    return open ? unfolded : folded;
}

QSize QXMCUPLL::drawingSize() const
{
    return m_drawing->size();
}

ClockTreeItem *QXMCUPLL::addDrawingItem(QGraphicsScene *scene, const SeriesParams &series)
{
    auto *item = new ClockTreeItem(ClockTree::layoutFor(series));
    scene->addItem(item);
    return item;
}

void QXMCUPLL::renderDrawing(QPainter *painter, const QRectF &target)
{
    // A folded-out list covers the values next to it; the picture shows them.
    QVector<QGraphicsProxyWidget *> folded;
    for (QGraphicsProxyWidget *panel : qAsConst(m_listPanels)) {
        if (panel->isVisible()) {
            panel->hide();
            folded << panel;
        }
    }
    m_scene->render(painter, target, m_drawing->sceneBoundingRect());
    for (QGraphicsProxyWidget *panel : qAsConst(folded))
        panel->show();
}

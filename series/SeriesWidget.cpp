#include "SeriesWidget.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "SeriesTable.h"

#include <QButtonGroup>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegExpValidator>

using namespace ControlTable;

namespace {

using ClockRules::translated;

const char *const kEditTail = "border-style: outset; border-width: 2px; border-color: rgb(0, 176, "
                              "240);border-radius:1px;padding:1px 2px;;";

void setLabelText(QLabel *label, const QString &text)
{
    if (label->text() != text) {
        label->setText(text);
        // Labels are top-level inside their proxies: nothing resizes them for us.
        label->adjustSize();
    }
}

QString factorStyle(const char *background, const char *border)
{
    return QStringLiteral("background: %1; border-style: outset; border-width: 1px; border-color: "
                          "%2;border-radius:1px;padding:1px 2px;;")
        .arg(QLatin1String(background), QLatin1String(border));
}

QColor toneColor(Tone tone)
{
    // In the order of Tone: plain, in limit, over limit, gray, in use, refused.
    static const Qt::GlobalColor colors[] = {Qt::black, Qt::darkGreen, Qt::red, Qt::gray, Qt::blue, Qt::red};
    return colors[int(tone)];
}

} // namespace

SeriesWidget::SeriesWidget(int seriesId, QWidget *parent)
    : QXMCUPLL(seriesId, parent), m_series(SeriesTable::byId(seriesId)), m_widgets(rows().size())
{
    m_presentation.update(document());
    buildFixedLabels();
    buildClockOutputs();
    buildPanel();
    buildAdc();
    buildPeripheralSelectors();
    // The document starts in the factory state; showing it is all that is
    // left (the sclk entry keeps its plain look until shown again).
    showRecord();
    // The series class connects its slots once it is built, after these
    // factory settings, which must not run any slot.
    finishPlacement();
}

// ---------------------------------------------------------------------------
// Construction

void SeriesWidget::buildControl(const Row &row)
{
    if (!has(row.id))
        return;
    Widgets &widgets = widgetsOf(row.id);
    const QString name = QLatin1String(row.name);
    const ControlPresentation &shown = *m_presentation.find(name);
    // Controls whose caption is drawn with the tree have none of their own.
    const QString caption = row.id == Control::Sclk ? shown.caption
                            : row.caption           ? translated(row.caption)
                                                    : QString();
    // The PLL's captions follow its controls (grayed, hidden by mode).
    const bool pllCaption = name.startsWith(QLatin1String("pll")) && name != QLatin1String("pllrcs");
    const auto addCaption = [&] {
        if (caption.isEmpty())
            return;
        if (pllCaption)
            label(caption, name + QStringLiteral(".caption"));
        else
            fixedLabel(caption, name + QStringLiteral(".caption"));
    };
    switch (row.kind) {
    case Kind::Combo:
        addCaption();
        addCombo(row.id);
        break;
    case Kind::Radios:
        addRadios(row.id, values(*m_series, row.id).size());
        addCaption();
        break;
    case Kind::Entry:
        addCaption();
        widgets.edit = addLineEdit(QString(), at(name));
        widgets.edit->setObjectName(name);
        widgets.edit->setAccessibleName(shown.caption);
        const bool factor = row.id == Control::PllMs || row.id == Control::PllNs;
        const QString pattern = row.id == Control::PllMs   ? QStringLiteral("[\\/]?[0-9]+$")
                                : row.id == Control::PllNs ? QStringLiteral("[*]?[0-9]+$")
                                                           : QStringLiteral("[0-9.]+$");
        widgets.edit->setValidator(new QRegExpValidator(QRegExp(pattern), widgets.edit));
        if (row.id == Control::Sclk)
            widgets.edit->setMaxLength(9); // "1024.000" and no more

        if (factor)
            setSheet(widgets.edit,
                     factorCommittedStyle().mid(int(strlen("background: rgb(255, 255, 255); "))));
        m_signalSources << widgets.edit;
        break;
    }
}

// The named slot of the series classes that a control's signal reaches.
// Names follow the element, with the older names of the ADC controls, the
// clock-out pin boxes and the three sclk radios.
QByteArray SeriesWidget::slotSignature(const Row &row, int radio, bool textChanged)
{
    QByteArray stem(row.name);
    if (row.id == Control::AdcSwitch || row.id == Control::AdcDiv)
        stem.prepend("to");
    if (row.id == Control::SclkSelect)
        stem += QVector<QByteArray>{"hext", "pll", "hick"}.value(radio);
    switch (row.kind) {
    case Kind::Combo:
        return stem + (stem.endsWith("PinSelect") ? "" : "_") + "ComboBox_currentIndexChanged(int)";
    case Kind::Radios:
        return stem + "_RadioButton_checkSlot(bool)";
    case Kind::Entry:
        break;
    }
    return stem + (textChanged ? "_LineEdit_textChanged(QString)" : "_LineEdit_returnPressed()");
}

// Each series class that declares slots calls this from its constructor:
// only then does the meta-object know them. Each call connects the controls
// whose slots that class declares itself (QXE020 adds three to QXC320's).
void SeriesWidget::connectSlots()
{
    for (const Row &r : rows()) {
        if (!has(r.id))
            continue;
        const Widgets &widgets = widgetsOf(r.id);
        if (widgets.combo)
            linkToSlot(widgets.combo, "currentIndexChanged(int)", slotSignature(r));
        const char *radioSignal = r.wiring == Wiring::Clicked ? "clicked(bool)" : "toggled(bool)";
        for (int i = 0; i < widgets.radios.size(); ++i)
            linkToSlot(widgets.radios.at(i), radioSignal, slotSignature(r, i));
        if (widgets.edit) {
            linkToSlot(widgets.edit, "returnPressed()", slotSignature(r));
            linkToSlot(widgets.edit, "textChanged(QString)", slotSignature(r, 0, true));
        }
    }
    for (const FoldOutList &list : m_lists)
        linkToSlot(list.button, "clicked()", "to" + list.slotStem + "_List_Button_checkSlot()");
}

void SeriesWidget::linkToSlot(QObject *sender, const char *signal, const QByteArray &slot)
{
    const int slotIndex = metaObject()->indexOfSlot(slot.constData());
    const int signalIndex = sender->metaObject()->indexOfSignal(signal);
    if (slotIndex < metaObject()->methodOffset() || signalIndex < 0)
        return; // none, or a base class's: that class connected it
    connect(sender, sender->metaObject()->method(signalIndex), this, metaObject()->method(slotIndex));
}

// The drawing's fixed texts and value labels, with the controls in between
// in the order they are stacked over the drawing.
void SeriesWidget::buildFixedLabels()
{
    const ClockConfig defaults(seriesId());
    fixedLabel(translated("lick"), QStringLiteral("lick.caption"));
    fixedLabel(QString::number(defaults.lickKHz) + QStringLiteral(" kHz"), QStringLiteral("lick.value"));
    fixedLabel(translated("lext(kHz)"), QStringLiteral("lext.caption"));
    fixedLabel(QString::number(defaults.lextKHz), QStringLiteral("lext.value"));
    buildControl(row(Control::LextBypass));
    label(translated("IN"), QStringLiteral("lext.in"));
    label(translated("OUT"), QStringLiteral("lext.out"));

    buildControl(row(Control::Hext));
    buildControl(row(Control::HextBypass));
    label(translated("IN"), QStringLiteral("hext.in"));
    label(translated("OUT"), QStringLiteral("hext.out"));
    fixedLabel(translated("hick"), QStringLiteral("hick.caption"));
    fixedLabel(QString::number(defaults.hickMHz) + QStringLiteral(" MHz"), QStringLiteral("hick.value"));
    fixedLabel(translated("to wdt(kHz)"), QStringLiteral("wdt.caption"));
    fixedLabel(QString::number(defaults.lickKHz, 'f', 2), QStringLiteral("wdt.value"));

    buildControl(row(Control::RtcDiv));
    buildControl(row(Control::RtcSel));
    fixedLabel(translated(m_series->rtcSelCaption), QStringLiteral("rtcsel.caption"));
    buildControl(row(Control::RtcSwitch));
    fixedLabel(translated(m_series->rtcCaption), QStringLiteral("ertc.caption"));
    label(QString(), QStringLiteral("ertc.value"));

    buildControl(row(Control::HickToSclk));
    buildControl(row(Control::PllRcs));
    buildFlexiblePll();
    buildMultiplierPll();

    buildControl(row(Control::SclkSelect));
    buildControl(row(Control::Sclk));
    for (int i = 0; i < m_series->usageNotes.size(); ++i)
        label(translated(qPrintable(m_series->usageNotes.at(i))), QStringLiteral("note%1").arg(i + 1));
    for (Control id : {Control::AhbDiv, Control::Apb1Div, Control::Apb2Div, Control::UsbDiv,
                       Control::HickToUsb, Control::UsbSwitch})
        buildControl(row(id));
    if (has(Control::UsbSwitch))
        label(QString(), QStringLiteral("usb.value"));
}

void SeriesWidget::buildClockOutputs()
{
    for (int index = 0; index < m_series->clockOutputs.size() && index < 2; ++index) {
        const ClockOutputParams &output = m_series->clockOutputs.at(index);
        const QVector<Control> parts = clockOutputControls(*m_series, index);
        const QString mux = QLatin1String(row(parts.first()).name);
        // Each source's radio with its caption and value.
        for (int i = 0; i < output.sources.size(); ++i) {
            addRadios(parts.first(), 1, i);
            label(presentedText(mux + QStringLiteral(".src%1").arg(i)),
                  mux + QStringLiteral(".src%1").arg(i));
            label(QString(), mux + QStringLiteral(".val%1").arg(i));
        }
        label(mux, mux + QStringLiteral(".caption"));
        for (int part = 1; part < parts.size(); ++part) {
            const QString name = QLatin1String(row(parts.at(part)).name);
            label(presentedText(name + QStringLiteral(".caption")), name + QStringLiteral(".caption"));
            addCombo(parts.at(part));
        }
        label(QString(), mux + QStringLiteral(".output"));
    }
}

void SeriesWidget::buildPanel()
{
    fixedLabel(translated("i2s (MHz)"), QStringLiteral("i2s.caption"));
    valueBox(QStringLiteral("i2s.value"));
    for (int i = 0; i < m_series->ahbBoxes.size(); ++i) {
        fixedLabel(translated(qPrintable(SeriesParams::ahbBoxCaption(m_series->ahbBoxes.at(i)))),
                   QStringLiteral("ahb%1.caption").arg(i));
        valueBox(QStringLiteral("ahb%1.value").arg(i));
    }
    struct Bus {
        const char *anchor;
        const char *caption;
        const QStringList *names;
        const char *slotStem;
    };
    const Bus buses[4] = {{"apb1p", "apb1 peripheral (MHz)", &m_series->apb1Peripherals, "apb1peripheral"},
                          {"apb1t", "apb1 tmr (MHz)", &m_series->apb1Timers, "apb1tmr"},
                          {"apb2p", "apb2 peripheral (MHz)", &m_series->apb2Peripherals, "apb2peripheral"},
                          {"apb2t", "apb2 tmr (MHz)", &m_series->apb2Timers, "apb2tmr"}};
    for (int i = 0; i < 4; ++i) {
        const QString id = QLatin1String(buses[i].anchor);
        fixedLabel(translated(buses[i].caption), id + QStringLiteral(".caption"));
        valueBox(id + QStringLiteral(".value"));
        m_lists[i].button = addListButton(at(id + QStringLiteral(".list")));
        m_lists[i].button->setObjectName(id + QStringLiteral(".list"));
        // The list itself is built when it is first folded out.
        m_lists[i].names = *buses[i].names;
        m_lists[i].at = at(id + QStringLiteral(".panel"));
        m_lists[i].slotStem = buses[i].slotStem;
    }
    label(QString(), QStringLiteral("apb1mul"));
    label(QString(), QStringLiteral("apb2mul"));
}

// The flexible PLL's controls: ms, ns, fr and the CRM_PLLCFG word.
void SeriesWidget::buildFlexiblePll()
{
    if (has(Control::PllMs)) {
        for (Control id : {Control::PllMs, Control::PllNs}) {
            buildControl(row(id));
            const QString hint = QLatin1String(row(id).name) + QStringLiteral(".hint");
            label(presentedText(hint), hint);
        }
        buildControl(row(Control::PllFr));
    }
    label(QString(), QStringLiteral("pll.value"));
    if (!has(Control::PllMs))
        return;
    label(QXMCUPLL::tr("CRM_PLLCFG : "), QStringLiteral("pllcfg.caption"));
    QLineEdit *word = valueBox(QStringLiteral("pllcfg"));
    word->setFixedWidth(widthAt(QStringLiteral("pllcfg")));
    word->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSheet(word, QStringLiteral("border:  0px;"));
    word->setText(QStringLiteral("0x08000000"));
}

// The multiplier PLL (HEXT straight or divided, HICK / 12, an integer
// multiplier) and the PLL mode of the mode-selectable series.
void SeriesWidget::buildMultiplierPll()
{
    for (Control id : {Control::PllMode, Control::HextDiv, Control::PllHextDiv, Control::PllMult})
        buildControl(row(id));
    if (m_series->pllKind == PllKind::Flexible)
        return;
    fixedLabel(QXMCUPLL::tr("pllrcs"), QStringLiteral("pllrcs.caption"));
    fixedLabel(m_series->sclkHint(), QStringLiteral("sclk.hint"));
}

void SeriesWidget::buildAdc()
{
    if (!has(Control::AdcSwitch))
        return;
    buildControl(row(Control::AdcDiv));
    buildControl(row(Control::AdcSwitch));
    fixedLabel(translated("adc (MHz)"), QStringLiteral("adc.caption"));
    valueBox(QStringLiteral("adc.value"));
}

// The peripheral clock selectors of the low-power series, with their kernel clock boxes.
void SeriesWidget::buildPeripheralSelectors()
{
    for (Control id : {Control::Usart1Sel, Control::Usart2Sel, Control::I2c1Sel}) {
        if (!has(id))
            continue;
        buildControl(row(id));
        const QString name = QLatin1String(row(id).name);
        const QStringList texts = labels(*m_series, id);
        for (int k = 0; k < texts.size(); ++k)
            fixedLabel(texts.at(k), name + QStringLiteral(".text%1").arg(k));
        valueBox(name + QStringLiteral(".value"))->setFixedWidth(widthAt(name + QStringLiteral(".value")));
        label(translated("(MHz)"), name + QStringLiteral(".unit"));
    }
}

void SeriesWidget::addCombo(Control id)
{
    const QString name = QLatin1String(row(id).name);
    CustomComboBox1 *&combo = widgetsOf(id).combo;
    combo = addComboBox(m_presentation.find(name)->items, widthAt(name), at(name));
    combo->setObjectName(name);
    combo->setAccessibleName(m_presentation.find(name)->caption);
    m_signalSources << combo;
}

// The radios of a group from `first` on, each at its anchor; the group is made with the first.
void SeriesWidget::addRadios(Control id, int count, int first)
{
    Widgets &widgets = widgetsOf(id);
    if (!widgets.group)
        widgets.group = new QButtonGroup(this);
    for (int i = first; i < first + count; ++i) {
        QRadioButton *radio = addRadioButton(at(radioAnchor(id, i)), widgets.group);
        radio->setObjectName(radioAnchor(id, i));
        widgets.radios << radio;
        m_signalSources << radio;
    }
}

QLabel *SeriesWidget::label(const QString &text, const QString &anchor)
{
    QLabel *label = addLabel(text, at(anchor));
    label->setObjectName(anchor);
    return label;
}

void SeriesWidget::fixedLabel(const QString &text, const QString &anchor)
{
    addFixedText(text, anchor, at(anchor));
}

QLineEdit *SeriesWidget::valueBox(const QString &anchor)
{
    QLineEdit *box = addValueBox(at(anchor));
    box->setObjectName(anchor);
    return box;
}

// ---------------------------------------------------------------------------
// Controls and the document

void SeriesWidget::setControlSignalsBlocked(bool blocked)
{
    for (QObject *source : qAsConst(m_signalSources))
        source->blockSignals(blocked);
}

void SeriesWidget::showEntryText(Control id, const QString &text)
{
    QLineEdit *edit = widgetsOf(id).edit;
    if (edit->text() == text)
        return;
    edit->setText(text);
    if (id == Control::Hext || id == Control::Sclk)
        edit->setCursorPosition(0); // a value wider than its room shows its first digits
}

// A text put into an entry shows whole: wider than the entry, the entry grows
// to the right as far as its node leaves room (the node's margin kept).
void SeriesWidget::fitEntryWidth(QLineEdit *edit)
{
    const int width = widthAt(edit->objectName());
    const ClockTree::Anchor anchor = treeLayout().anchor(edit->objectName());
    const ClockTree::Node *node = treeLayout().node(anchor.node);
    const int room = node ? node->rect.right() + node->rect.left() - 2 * anchor.pos.x() : width;
    // Its sheet's 2 px border and 2 px padding, the entry's own 2 px margin, each side, and the cursor.
    const int needed = edit->fontMetrics().horizontalAdvance(edit->text()) + 2 * (2 + 2 + 2) + 1;
    edit->setFixedWidth(qBound(width, needed, qMax(width, room)));
}

// Everything the drawing shows follows the document's presentation: the
// choices, the entries, the gray states, the values and their colours.
void SeriesWidget::showRecord()
{
    m_presentation.update(document());
    setControlSignalsBlocked(true);
    for (const ControlPresentation &shown : m_presentation.controls())
        paintControl(shown);
    setControlSignalsBlocked(false);
    m_sclkStyled = true;
    repaintChangedControls();
}

void SeriesWidget::resetConfig()
{
    document().reset();
    for (FoldOutList &list : m_lists) {
        if (list.panel)
            list.panel->hide();
        list.button->setIcon(listIcon(false));
    }
    showRecord();
}

// Restoring a design file: the document sets every control as a user would,
// in the series' restore order, asking through the dialog seam; each box is
// shown once and a question answered "Cancel" leaves the value as the file
// has it (the checks before saving refuse it).
void SeriesWidget::loadConfig(const QString &fileName)
{
    const DesignFile::Elements file = DesignFile::read(fileName);
    document().setPrompter(&prompter());
    document().open(file.values());
    document().setPrompter(nullptr);
    showRecord();
}

// ---------------------------------------------------------------------------
// Signals become edits

void SeriesWidget::controlChanged(Control id, int index, bool checked)
{
    const Row &r = row(id);
    if (r.kind == Kind::Radios) {
        // An exclusive group reports the radio left, then the radio taken:
        // the edit is the radio taken.
        if (!checked)
            return;
        if (r.step != Step::SclkSource)
            index = widgetsOf(id).radios.indexOf(
                qobject_cast<QRadioButton *>(widgetsOf(id).group->checkedButton()));
    }
    applyEdit(DesignEdit::choose(id, index));
}

void SeriesWidget::entryReturnPressed(Control id)
{
    applyEdit(DesignEdit::commit(id));
}

void SeriesWidget::entryTextChanged(Control id, const QString &text)
{
    // Typing is no step of the design: only the entry's look follows.
    document().apply(DesignEdit::type(id, text));
    showRecord();
}

void SeriesWidget::toggleList(int index)
{
    FoldOutList &list = m_lists[index];
    if (!list.panel) {
        list.panel = addListPanel(list.names, list.at);
        controlOf(list.panel)->setObjectName(QStringLiteral("list%1").arg(index));
    }
    const bool open = !list.panel->isVisible();
    for (int i = 0; i < 4; ++i) {
        const bool show = open && i == index;
        if (m_lists[i].panel)
            m_lists[i].panel->setVisible(show);
        m_lists[i].button->setIcon(listIcon(show));
    }
    repaintChangedControls();
}

void SeriesWidget::mousePressEvent(QMouseEvent *event)
{
    for (FoldOutList &list : m_lists) {
        if (list.panel && list.panel->isVisible()) {
            list.panel->hide();
            list.button->setIcon(listIcon(false));
            makeLive(list.button);
            list.button->setFocus();
        }
    }
    repaintChangedControls();
    QWidget::mousePressEvent(event);
}

// ---------------------------------------------------------------------------
// Display

void SeriesWidget::paintControl(const ControlPresentation &shown)
{
    switch (shown.role) {
    case ControlRole::Combo:
        paintCombo(shown);
        break;
    case ControlRole::Radio:
        paintRadios(shown);
        break;
    case ControlRole::Entry:
        paintEntry(shown);
        break;
    case ControlRole::Label:
        paintLabel(shown);
        break;
    case ControlRole::Button:
        break; // the list buttons follow their lists
    }
}

void SeriesWidget::paintCombo(const ControlPresentation &shown)
{
    CustomComboBox1 *combo = widgetsOf(rowByName(shown.name)->id).combo;
    combo->setCurrentIndex(shown.current);
    if (shown.grayable)
        combo->setEnabledWithStyle(shown.enabled);
    if (controlShown(combo) != shown.shown)
        setControlShown(combo, shown.shown);
}

void SeriesWidget::paintRadios(const ControlPresentation &shown)
{
    const QVector<QRadioButton *> &radios = widgetsOf(rowByName(shown.name)->id).radios;
    radios.value(shown.current, radios.first())->setChecked(true);
    for (int i = 0; i < radios.size(); ++i) {
        const bool usable = shown.itemUsable(i);
        radios.at(i)->setEnabled(usable);
        setSheet(radios.at(i), radioStyle(usable));
    }
}

void SeriesWidget::paintEntry(const ControlPresentation &shown)
{
    const Control id = rowByName(shown.name)->id;
    QLineEdit *edit = widgetsOf(id).edit;
    showEntryText(id, shown.text);
    if (id == Control::Hext)
        fitEntryWidth(edit); // the crystal shows as written, also as typed (the sclk text is ours and fits)
    edit->setEnabled(shown.enabled);
    if (controlShown(edit) != shown.shown)
        setControlShown(edit, shown.shown);
    const bool factor = id == Control::PllMs || id == Control::PllNs;
    if (!shown.enabled)
        setSheet(edit, factor ? factorDisabledStyle() : disabledEditStyle());
    else if (factor)
        setSheet(edit, shown.pending ? factorPendingStyle() : factorCommittedStyle());
    else if (id != Control::Sclk || m_sclkStyled) // the sclk entry is plain until first shown again
        setSheet(edit, shown.pending ? pendingEditStyle() : committedEditStyle());
    setEditTextColor(edit, toneColor(shown.tone));
}

void SeriesWidget::paintLabel(const ControlPresentation &shown)
{
    QWidget *widget = presentedWidget(shown.name);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        setLabelText(label, shown.text);
        // The oscillators' pins take their colour from a sheet, values from the palette.
        const bool pin =
            shown.name.endsWith(QLatin1String(".in")) || shown.name.endsWith(QLatin1String(".out"));
        if (pin && shown.tone != Tone::Plain)
            setSheet(label, shown.tone == Tone::InUse ? QStringLiteral("color: blue")
                                                      : QStringLiteral("color: gray"));
        else if (shown.tone != Tone::Plain)
            setLabelTextColor(label, toneColor(shown.tone));
    } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        if (box->text() != shown.text)
            box->setText(shown.text);
        if (shown.tone != Tone::Plain)
            setEditTextColor(box, toneColor(shown.tone));
    }
    widget->setEnabled(shown.enabled);
    if (controlShown(widget) != shown.shown)
        setControlShown(widget, shown.shown);
}

QWidget *SeriesWidget::presentedWidget(const QString &name)
{
    QWidget *&widget = m_presented[name];
    if (!widget)
        widget = placedControl<QWidget>(name);
    return widget;
}

QString SeriesWidget::presentedText(const QString &name) const
{
    const ControlPresentation *shown = m_presentation.find(name);
    return shown ? shown->text : QString();
}

// ---------------------------------------------------------------------------
// Styles

QString SeriesWidget::committedEditStyle()
{
    return QStringLiteral("background: rgb(152, 251, 152); ") + QString::fromLatin1(kEditTail);
}

QString SeriesWidget::pendingEditStyle()
{
    return QStringLiteral("background: rgb(255, 255, 225); ") + QString::fromLatin1(kEditTail);
}

QString SeriesWidget::disabledEditStyle()
{
    return QStringLiteral("background: rgb(255, 255, 255); ") + QString::fromLatin1(kEditTail);
}

QString SeriesWidget::factorCommittedStyle()
{
    return factorStyle("rgb(255, 255, 255)", "rgb(0, 176, 240)");
}

QString SeriesWidget::factorPendingStyle()
{
    return factorStyle("rgb(255, 255, 225)", "rgb(0, 176, 240)");
}

QString SeriesWidget::factorDisabledStyle()
{
    return factorStyle("rgb(255, 255, 255)", "gray");
}

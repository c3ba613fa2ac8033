#include "SeriesWidget.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "SeriesTable.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QSignalBlocker>

using namespace ControlTable;

namespace {

const char *const kEditTail = "border-style: outset; border-width: 2px; border-color: rgb(0, 176, "
                              "240);border-radius:1px;padding:1px 2px;;";

QString mhz(double value)
{
    return QString::number(value, 'f', 3);
}

void setLabelText(QLabel *label, const QString &text)
{
    if (label->text() != text) {
        label->setText(text);
        // Labels are top-level inside their proxies: nothing resizes them for us.
        label->adjustSize();
    }
}

void valueColor(QWidget *widget, bool red, bool isEdit)
{
    const QColor color = red ? QColor(Qt::red) : QColor(Qt::darkGreen);
    if (isEdit)
        QXMCUPLL::setEditTextColor(widget, color);
    else
        QXMCUPLL::setLabelTextColor(widget, color);
}

QString pinStyle(bool inUse)
{
    return inUse ? QStringLiteral("color: blue") : QStringLiteral("color: gray");
}

} // namespace

SeriesWidget::SeriesWidget(int seriesId, QWidget *parent)
    : QXMCUPLL(seriesId, parent), m_series(SeriesTable::byId(seriesId)), m_widgets(rows().size())
{
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

bool SeriesWidget::has(Control id) const
{
    return ControlTable::has(*m_series, id);
}

// ---------------------------------------------------------------------------
// Construction

void SeriesWidget::buildControl(const Row &row)
{
    if (!has(row.id))
        return;
    Widgets &widgets = w(row.id);
    const QString name = QLatin1String(row.name);
    const QString caption = row.id == Control::Sclk && multiplierPll() ? QXMCUPLL::tr("sclk(MHz)")
                            : row.id == Control::Sclk
                                ? QXMCUPLL::tr("sclk(4 - %1MHz)").arg(m_series->sclkLimitMHz)
                            : row.caption ? QXMCUPLL::tr(row.caption)
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
    QStringList texts;
    for (const QString &label : labels(*m_series, row.id))
        texts << QXMCUPLL::tr(qPrintable(label));
    switch (row.kind) {
    case Kind::Combo:
        addCaption();
        widgets.combo = addComboBox(texts, widthAt(name), at(name));
        widgets.combo->setObjectName(name);
        m_signalSources << widgets.combo;
        break;
    case Kind::Radios:
        widgets.group = new QButtonGroup(this);
        for (int i = 0; i < values(*m_series, row.id).size(); ++i) {
            QRadioButton *radio = addRadioButton(at(radioAnchor(row.id, i)), widgets.group);
            radio->setObjectName(radioAnchor(row.id, i));
            widgets.radios << radio;
            m_signalSources << radio;
        }
        addCaption();
        break;
    case Kind::Entry:
        addCaption();
        widgets.edit = addLineEdit(QString(), at(name));
        widgets.edit->setObjectName(name);
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
        const Widgets &widgets = w(r.id);
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
    m_linked.insert(sender);
}

QStringList SeriesWidget::controlsWithoutSlot() const
{
    QStringList names;
    for (QObject *source : m_signalSources) {
        if (!m_linked.contains(source))
            names << source->objectName();
    }
    for (const FoldOutList &list : m_lists) {
        if (!m_linked.contains(list.button))
            names << list.button->objectName();
    }
    return names;
}

// The drawing's fixed texts and value labels, with the controls in between
// in the order they are stacked over the drawing.
void SeriesWidget::buildFixedLabels()
{
    const ClockConfig defaults(seriesId());
    fixedLabel(QXMCUPLL::tr("lick"), QStringLiteral("lick.caption"));
    fixedLabel(QString::number(defaults.lickKHz) + QStringLiteral(" kHz"), QStringLiteral("lick.value"));
    fixedLabel(QXMCUPLL::tr("lext(kHz)"), QStringLiteral("lext.caption"));
    fixedLabel(QString::number(defaults.lextKHz), QStringLiteral("lext.value"));
    buildControl(row(Control::LextBypass));
    m_lextIn = label(QXMCUPLL::tr("IN"), QStringLiteral("lext.in"));
    m_lextOut = label(QXMCUPLL::tr("OUT"), QStringLiteral("lext.out"));

    buildControl(row(Control::Hext));
    buildControl(row(Control::HextBypass));
    m_hextIn = label(QXMCUPLL::tr("IN"), QStringLiteral("hext.in"));
    m_hextOut = label(QXMCUPLL::tr("OUT"), QStringLiteral("hext.out"));
    fixedLabel(QXMCUPLL::tr("hick"), QStringLiteral("hick.caption"));
    fixedLabel(QString::number(defaults.hickMHz) + QStringLiteral(" MHz"), QStringLiteral("hick.value"));
    fixedLabel(QXMCUPLL::tr("to wdt(kHz)"), QStringLiteral("wdt.caption"));
    fixedLabel(QString::number(defaults.lickKHz, 'f', 2), QStringLiteral("wdt.value"));

    buildControl(row(Control::RtcDiv));
    buildControl(row(Control::RtcSel));
    fixedLabel(QXMCUPLL::tr(m_series->rtcSelCaption), QStringLiteral("rtcsel.caption"));
    buildControl(row(Control::RtcSwitch));
    fixedLabel(QXMCUPLL::tr(m_series->rtcCaption), QStringLiteral("ertc.caption"));
    m_ertcValue = label(QString(), QStringLiteral("ertc.value"));

    buildControl(row(Control::HickToSclk));
    buildControl(row(Control::PllRcs));
    buildFlexiblePll();
    buildMultiplierPll();

    buildControl(row(Control::SclkSelect));
    buildControl(row(Control::Sclk));
    for (int i = 0; i < m_series->usageNotes.size(); ++i) {
        QLabel *note =
            label(QXMCUPLL::tr(qPrintable(m_series->usageNotes.at(i))), QStringLiteral("note%1").arg(i + 1));
        setLabelTextColor(note, Qt::red);
        m_notes << note;
    }
    for (Control id : {Control::AhbDiv, Control::Apb1Div, Control::Apb2Div, Control::UsbDiv,
                       Control::HickToUsb, Control::UsbSwitch})
        buildControl(row(id));
    if (has(Control::UsbSwitch))
        m_usbLabel = label(QString(), QStringLiteral("usb.value"));
}

QVector<Control> SeriesWidget::outputControls(int index) const
{
    if (m_series->multiOutput()) {
        return index == 0 ? QVector<Control>{Control::Clkout1, Control::Clkout1Div1, Control::Clkout1Div2,
                                             Control::Clkout1Pin}
                          : QVector<Control>{Control::Clkout2, Control::Clkout2Div1, Control::Clkout2Div2,
                                             Control::Clkout2Pin};
    }
    QVector<Control> out{Control::Clkout};
    if (has(Control::ClkoutDiv))
        out << Control::ClkoutDiv;
    return out << Control::ClkoutPin;
}

void SeriesWidget::buildClockOutputs()
{
    for (int index = 0; index < m_series->clockOutputs.size() && index < 2; ++index) {
        const ClockOutputParams &output = m_series->clockOutputs.at(index);
        ClockOutput &out = m_outputs[index];
        const QVector<Control> parts = outputControls(index);
        const Row &sources = row(parts.first());
        const QString mux = QLatin1String(sources.name);
        Widgets &radios = w(sources.id);
        radios.group = new QButtonGroup(this);
        for (int i = 0; i < output.sources.size(); ++i) {
            QRadioButton *radio = addRadioButton(at(radioAnchor(sources.id, i)), radios.group);
            radio->setObjectName(radioAnchor(sources.id, i));
            radios.radios << radio;
            m_signalSources << radio;
            out.sourceCaptions << label(QXMCUPLL::tr(output.sources.at(i).text),
                                        mux + QStringLiteral(".src%1").arg(i));
            out.sourceValues << label(QString(), mux + QStringLiteral(".val%1").arg(i));
        }
        out.labels << label(mux, mux + QStringLiteral(".caption"));
        for (int part = 1; part < parts.size(); ++part) {
            const Row &r = row(parts.at(part));
            out.labels << label(QXMCUPLL::tr(r.caption), QLatin1String(r.name) + QStringLiteral(".caption"));
            QStringList texts;
            for (const QString &label : labels(*m_series, r.id))
                texts << QXMCUPLL::tr(qPrintable(label));
            Widgets &combo = w(r.id);
            combo.combo = addComboBox(texts, widthAt(QLatin1String(r.name)), at(QLatin1String(r.name)));
            combo.combo->setObjectName(QLatin1String(r.name));
            m_signalSources << combo.combo;
        }
        out.labels.removeLast(); // the pin caption stays usable without a pin
        out.output = label(QString(), mux + QStringLiteral(".output"));
        out.labels << out.output;
    }
}

void SeriesWidget::buildPanel()
{
    fixedLabel(QXMCUPLL::tr("i2s (MHz)"), QStringLiteral("i2s.caption"));
    m_i2sValue = valueBox(QStringLiteral("i2s.value"));
    for (int i = 0; i < m_series->ahbBoxes.size(); ++i) {
        fixedLabel(QXMCUPLL::tr(qPrintable(SeriesParams::ahbBoxCaption(m_series->ahbBoxes.at(i)))),
                   QStringLiteral("ahb%1.caption").arg(i));
        m_ahbValues << valueBox(QStringLiteral("ahb%1.value").arg(i));
    }
    struct Bus {
        const char *anchor;
        const char *caption;
        const QStringList *names;
        const char *slotStem;
    };
    const Bus buses[4] = {
        {"apb1p", QT_TRANSLATE_NOOP("QXMCUPLL", "apb1 peripheral (MHz)"), &m_series->apb1Peripherals,
         "apb1peripheral"},
        {"apb1t", QT_TRANSLATE_NOOP("QXMCUPLL", "apb1 tmr (MHz)"), &m_series->apb1Timers, "apb1tmr"},
        {"apb2p", QT_TRANSLATE_NOOP("QXMCUPLL", "apb2 peripheral (MHz)"), &m_series->apb2Peripherals,
         "apb2peripheral"},
        {"apb2t", QT_TRANSLATE_NOOP("QXMCUPLL", "apb2 tmr (MHz)"), &m_series->apb2Timers, "apb2tmr"}};
    for (int i = 0; i < 4; ++i) {
        const QString id = QLatin1String(buses[i].anchor);
        fixedLabel(QXMCUPLL::tr(buses[i].caption), id + QStringLiteral(".caption"));
        m_lists[i].value = valueBox(id + QStringLiteral(".value"));
        m_lists[i].button = addListButton(at(id + QStringLiteral(".list")));
        m_lists[i].button->setObjectName(id + QStringLiteral(".list"));
        // The list itself is built when it is first folded out.
        m_lists[i].names = *buses[i].names;
        m_lists[i].at = at(id + QStringLiteral(".panel"));
        m_lists[i].slotStem = buses[i].slotStem;
    }
    m_apbTimerMul[0] = label(QString(), QStringLiteral("apb1mul"));
    m_apbTimerMul[1] = label(QString(), QStringLiteral("apb2mul"));
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

void SeriesWidget::showControl(Control id)
{
    Widgets &widgets = w(id);
    const int index = document().shownIndex(id);
    if (widgets.combo)
        widgets.combo->setCurrentIndex(index);
    else if (!widgets.radios.isEmpty())
        widgets.radios.value(index, widgets.radios.first())->setChecked(true);
}

void SeriesWidget::showEntryText(Control id)
{
    QLineEdit *edit = w(id).edit;
    const QString text = document().entryText(id);
    if (!edit || edit->text() == text)
        return;
    edit->setText(text);
    if (id == Control::Hext || id == Control::Sclk)
        edit->setCursorPosition(0); // a value wider than the entry shows its first digits
}

// Everything the drawing shows follows the document: the choices, the
// entries' texts, the gray states, the values and their colours.
void SeriesWidget::showRecord()
{
    setControlSignalsBlocked(true);
    for (const Row &r : rows()) {
        if (has(r.id) && r.kind != Kind::Entry)
            showControl(r.id);
    }
    for (Control id : {Control::Hext, Control::Sclk, Control::PllMs, Control::PllNs})
        showEntryText(id);
    // Only a PLL system clock takes a typed target.
    w(Control::Sclk).edit->setEnabled(rec().sclkSource == ClockConfig::SclkPll);
    setControlSignalsBlocked(false);
    refreshBypass();
    updateActivePaths();
    refreshDisplay();
    refreshRtcDisplay();
    restyleEntries();
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
            index = w(id).radios.indexOf(qobject_cast<QRadioButton *>(w(id).group->checkedButton()));
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
    const QSignalBlocker blocker(w(id).edit);
    showEntryText(id);
    restyleEntry(id);
    repaintChangedControls();
}

void SeriesWidget::restyleEntry(Control id)
{
    QLineEdit *edit = w(id).edit;
    if (!edit)
        return;
    if (id == Control::PllMs || id == Control::PllNs) {
        restyleFactor(id);
        return;
    }
    if (!edit->isEnabled()) {
        setSheet(edit, disabledEditStyle());
        return;
    }
    const DesignDocument &doc = document();
    const bool committed = doc.entryCommitted(id) && !doc.entryRefused(id);
    if (id != Control::Sclk || m_sclkStyled)
        setSheet(edit, committed ? committedEditStyle() : pendingEditStyle());
    const bool inRange = doc.entryTextInRange(id);
    if (id == Control::Sclk && multiplierPll())
        setEditTextColor(edit, inRange ? QColor(Qt::darkGreen) : QColor(Qt::red));
    else if (id == Control::Sclk && committed)
        valueColor(edit, m_series->sclkRed(rec().sclkMHz), true);
    else
        setEditTextColor(edit, inRange ? QColor(Qt::black) : QColor(Qt::red));
}

void SeriesWidget::restyleEntries()
{
    for (Control id : {Control::Hext, Control::Sclk, Control::PllMs, Control::PllNs})
        restyleEntry(id);
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

void SeriesWidget::refreshDisplay()
{
    const ClockConfig &c = rec();
    const SeriesParams &s = *m_series;
    m_i2sValue->setText(mhz(c.sclkMHz));
    valueColor(m_i2sValue, s.sclkRed(c.sclkMHz), true);

    const bool notes = c.sclkMHz > s.usageNotesAboveMHz;
    for (QLabel *note : qAsConst(m_notes))
        setControlShown(note, notes);
    for (QLineEdit *ahb : qAsConst(m_ahbValues)) {
        ahb->setText(mhz(c.ahbMHz));
        valueColor(ahb, s.sclkRed(c.ahbMHz), true);
    }
    const double buses[4] = {c.apb1MHz, c.apb1TimerMHz, c.apb2MHz, c.apb2TimerMHz};
    for (int i = 0; i < 4; ++i) {
        m_lists[i].value->setText(mhz(buses[i]));
        valueColor(m_lists[i].value, i % 2 == 0 ? s.apbRed(buses[i]) : s.sclkRed(buses[i]), true);
    }
    refreshBusDividers();
    refreshAdc();
    refreshPeripheralClocks();

    if (m_usbLabel) {
        setLabelText(m_usbLabel, mhz(c.usbMHz) + QStringLiteral(" MHz"));
        if (c.usbDisabled)
            setLabelTextColor(m_usbLabel, Qt::gray); // a switched-off branch, not an error
        else
            valueColor(m_usbLabel, c.usbMHz != 48.0, false);
    }

    if (m_pllLabel->isEnabled()) {
        setLabelText(m_pllLabel, mhz(c.pllMHz) + QStringLiteral("MHz"));
        valueColor(m_pllLabel, ClockRules::pllRed(c), false);
    } else {
        // Empty, and coloured as an in-range value, so what is shown depends
        // on the record alone (undo and redo land on the same look).
        setLabelText(m_pllLabel, QString());
        valueColor(m_pllLabel, false, false);
    }
    if (m_pllcfgCaption && m_pllcfgCaption->isEnabled()) {
        setLabelText(m_pllcfgCaption, QXMCUPLL::tr("CRM_PLLCFG: "));
        m_pllcfgValue->setText(pllcfgText());
        if (!has(Control::PllMode) || c.pllFlexible)
            setControlShown(m_pllcfgValue, true);
    } else if (m_pllcfgCaption) {
        setLabelText(m_pllcfgCaption, QString());
        m_pllcfgValue->clear();
        setControlShown(m_pllcfgValue, false); // an empty box on the drawing would read as a value
    }
    for (int i = 0; i < m_series->clockOutputs.size() && i < 2; ++i) {
        // An output without a pin is grayed and keeps the text it last showed.
        if (ClockRules::clockOutputLive(c, i))
            refreshClkout(i);
    }
}

void SeriesWidget::refreshBusDividers()
{
    setLabelText(m_apbTimerMul[0], QStringLiteral("* ") + QString::number(rec().apb1TimerMul));
    setLabelText(m_apbTimerMul[1], QStringLiteral("* ") + QString::number(rec().apb2TimerMul));
}

void SeriesWidget::refreshClkout(int index)
{
    const ClockConfig &c = rec();
    const ClockOutput &out = m_outputs[index];
    const ClockOutputParams &output = m_series->clockOutputs.at(index);
    const bool single = !m_series->multiOutput();
    const int div1 = single ? c.clkoutDiv : index == 0 ? c.clkout1Div1 : c.clkout2Div1;
    const int div2 = single ? 1 : index == 0 ? c.clkout1Div2 : c.clkout2Div2;
    const ClockSourceItem *source = output.sourceByCode(single       ? c.clkoutSource
                                                        : index == 0 ? c.clkout1Source
                                                                     : c.clkout2Source);
    const int selected = source ? int(source - output.sources.constData()) : -1;

    double value = 0.0;
    QString unit = QStringLiteral(" MHz)");
    bool empty = false;
    switch (source ? source->kind : ClockSourceKind::None) {
    case ClockSourceKind::Sclk:
        value = c.sclkMHz;
        break;
    case ClockSourceKind::Hext:
        value = c.hextMHz;
        break;
    case ClockSourceKind::Pll:
        value = c.pllMHz;
        break;
    case ClockSourceKind::Usb:
        value = c.usbMHz;
        break;
    case ClockSourceKind::Hick:
        // A source named "hick48" is HICK undivided, whatever else runs on it.
        value = qstrcmp(source->text, "hick48") == 0 ? c.hickMHz : ClockRules::hickOutputMHz(c);
        break;
    case ClockSourceKind::Lick:
        value = c.lickKHz;
        unit = QStringLiteral(" kHz)");
        break;
    case ClockSourceKind::Lext:
        value = c.lextKHz;
        unit = QStringLiteral(" kHz)");
        // The multiplier series' LEXT runs only while it clocks the RTC.
        empty = multiplierPll() && !ClockRules::lextRunning(c);
        break;
    case ClockSourceKind::Adc:
        value = c.adcMHz;
        empty = !m_series->hasAdc();
        break;
    case ClockSourceKind::PllDiv2:
        value = c.pllMHz * 0.5;
        break;
    case ClockSourceKind::PllDiv4:
        value = c.pllMHz * 0.25;
        break;
    default:
        empty = true;
        break;
    }
    for (int i = 0; i < out.sourceValues.size(); ++i)
        setControlShown(out.sourceValues.at(i), i == selected);
    if (selected < 0)
        return;
    QLabel *valueLabel = out.sourceValues.at(selected);
    setLabelText(valueLabel, empty ? QString() : QStringLiteral("(") + mhz(value) + unit);
    setLabelText(out.output, empty ? QString() : QStringLiteral("(") + mhz(value / div1 / div2) + unit);
}

void SeriesWidget::refreshRtcDisplay()
{
    setLabelText(m_ertcValue, document().rtcText());
}

void SeriesWidget::refreshBypass()
{
    const ClockConfig &c = rec();
    m_lextOut->setEnabled(!c.lextBypass);
    setSheet(m_lextOut, pinStyle(!c.lextBypass));
    const bool hextOut = !c.hextBypass && w(Control::Hext).edit->isEnabled();
    m_hextOut->setEnabled(hextOut);
    setSheet(m_hextOut, pinStyle(hextOut));
}

void SeriesWidget::updateActivePaths()
{
    const ClockConfig &c = rec();
    const bool hext = ClockRules::hextInUse(c);
    QLineEdit *hextEdit = w(Control::Hext).edit;
    hextEdit->setEnabled(hext);
    setSheet(hextEdit, hext ? committedEditStyle() : disabledEditStyle());
    w(Control::HextBypass).combo->setEnabledWithStyle(hext);
    m_hextIn->setEnabled(hext);
    const bool hextOut = hext && !c.hextBypass;
    m_hextOut->setEnabled(hextOut);
    setSheet(m_hextOut, pinStyle(hextOut));
    setSheet(m_hextIn, pinStyle(hext));

    if (has(Control::RtcDiv))
        w(Control::RtcDiv).combo->setEnabledWithStyle(ClockRules::rtcDividerInUse(c));
    updatePllPaths(ClockRules::pllInUse(c));

    // HICK to sclk only matters while sclk runs on HICK.
    const bool hick = c.sclkSource == ClockConfig::SclkHick;
    for (QRadioButton *radio : qAsConst(w(Control::HickToSclk).radios)) {
        radio->setEnabled(hick);
        setSheet(radio, radioStyle(hick));
    }

    // Clock outputs: live only with a pin.
    for (int i = 0; i < m_series->clockOutputs.size() && i < 2; ++i) {
        const QVector<Control> parts = outputControls(i);
        ClockOutput &out = m_outputs[i];
        const bool live = ClockRules::clockOutputLive(c, i);
        const QVector<ClockSourceItem> &sources = m_series->clockOutputs.at(i).sources;
        for (int r = 0; r < sources.size(); ++r) {
            const bool usable = ClockRules::clockSourceUsable(c, i, sources.at(r).kind);
            QRadioButton *radio = w(parts.first()).radios.at(r);
            radio->setEnabled(usable);
            setSheet(radio, radioStyle(usable));
            out.sourceCaptions.at(r)->setEnabled(usable);
            out.sourceValues.at(r)->setEnabled(usable);
        }
        for (int part = 1; part + 1 < parts.size(); ++part)
            w(parts.at(part)).combo->setEnabledWithStyle(live);
        for (QLabel *label : qAsConst(out.labels))
            label->setEnabled(live);
    }
    updateMultiplierPaths();
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

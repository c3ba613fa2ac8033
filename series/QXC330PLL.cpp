#include "QXC330PLL.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "DialogService.h"
#include "SeriesTable.h"

#include <QButtonGroup>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QSignalBlocker>
#include <cmath>

namespace {

constexpr double kHextMinMHz = ClockRules::kHextMinMHz;
constexpr double kHextMaxMHz = ClockRules::kHextMaxMHz;
// Bus divider and PLL post-divider choices shared by the whole family.
const QVector<int> &kAhbDivs = ClockConfig::ahbDivValues();
const QVector<int> &kApbDivs = ClockConfig::apbDivValues();
const QVector<int> &kFrValues = ClockConfig::pllFrValues();
constexpr int kRtcDivMin = ClockConfig::kRtcDivMin;
constexpr int kRtcDivMax = ClockConfig::kRtcDivMax;

const char *const kEditTail = "border-style: outset; border-width: 2px; border-color: rgb(0, 176, "
                              "240);border-radius:1px;padding:1px 2px;;";
const char *const kFactorTail =
    "border-style: outset; border-width: 1px; border-color: %1;border-radius:1px;padding:1px 2px;;";

QString mhz(double value)
{
    return QString::number(value, 'f', 3);
}

QStringList dividerItems(const QVector<int> &values)
{
    QStringList items;
    for (int v : values)
        items << QStringLiteral("  /") + QString::number(v);
    return items;
}

int indexOfValue(const QVector<int> &values, int value)
{
    return qMax(0, values.indexOf(value));
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

// The number of an ms/ns entry without its "/" or "*"; unparsable text reads as 0.
int factorNumber(const QString &text, QChar prefix)
{
    QString digits = text.trimmed();
    if (digits.startsWith(prefix))
        digits.remove(0, 1);
    return digits.toInt();
}

} // namespace

QXC330PLL::QXC330PLL(QWidget *parent) : QXC330PLL(13, parent)
{}

QXC330PLL::QXC330PLL(int seriesId, QWidget *parent)
    : QXMCUPLL(seriesId, parent), m_series(SeriesTable::byId(seriesId))
{
    Q_ASSERT(m_series);
    ClockTree::FlexibleOptions options;
    options.bitmapName = m_series->bitmapPath().section(QLatin1Char('/'), -1);
    options.caption = m_series->seriesName();
    options.ahbRows = m_series->ahbBoxes.size();
    setTreeLayout(ClockTree::flexiblePllLayout(options));

    buildControls();
    resetConfig();
    // Only now: the factory settings above must not run any slot.
    connectSignals();
}

// ---------------------------------------------------------------------------
// Construction

void QXC330PLL::buildControls()
{
    buildOscillatorsAndRtc();
    buildPllAndSystem();
    buildClockOutput(0);
    buildClockOutput(1);
    buildPanel();
}

void QXC330PLL::buildOscillatorsAndRtc()
{
    const QStringList onOff{tr("disable"), tr("enable")};
    const ClockConfig defaults(seriesId());

    addLabel(tr("lick"), at(QStringLiteral("lick.caption")));
    addLabel(QString::number(defaults.lickKHz) + QStringLiteral(" kHz"), at(QStringLiteral("lick.value")));
    addLabel(tr("lext(kHz)"), at(QStringLiteral("lext.caption")));
    addLabel(QString::number(defaults.lextKHz), at(QStringLiteral("lext.value")));
    addLabel(tr("bypass"), at(QStringLiteral("lextbypass.caption")));
    m_lextbypass =
        addComboBox(onOff, widthAt(QStringLiteral("lextbypass")), at(QStringLiteral("lextbypass")));
    m_lextIn = addLabel(tr("IN"), at(QStringLiteral("lext.in")));
    m_lextOut = addLabel(tr("OUT"), at(QStringLiteral("lext.out")));

    addLabel(tr("hext(4-25MHz)"), at(QStringLiteral("hext.caption")));
    m_hext = addLineEdit(QString(), at(QStringLiteral("hext")));
    m_hext->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[0-9.]+$")), m_hext));
    addLabel(tr("bypass"), at(QStringLiteral("hextbypass.caption")));
    m_hextbypass =
        addComboBox(onOff, widthAt(QStringLiteral("hextbypass")), at(QStringLiteral("hextbypass")));
    m_hextIn = addLabel(tr("IN"), at(QStringLiteral("hext.in")));
    m_hextOut = addLabel(tr("OUT"), at(QStringLiteral("hext.out")));

    addLabel(tr("hick"), at(QStringLiteral("hick.caption")));
    addLabel(QString::number(defaults.hickMHz) + QStringLiteral(" MHz"), at(QStringLiteral("hick.value")));

    addLabel(tr("to wdt(kHz)"), at(QStringLiteral("wdt.caption")));
    addLabel(QString::number(defaults.lickKHz, 'f', 2), at(QStringLiteral("wdt.value")));

    addLabel(tr("ertcdiv"), at(QStringLiteral("rtcdiv.caption")));
    QStringList rtcDivs;
    for (int d = kRtcDivMin; d <= kRtcDivMax; ++d)
        rtcDivs << QStringLiteral("  /") + QString::number(d);
    m_rtcdiv = addComboBox(rtcDivs, widthAt(QStringLiteral("rtcdiv")), at(QStringLiteral("rtcdiv")));

    auto *rtcGroup = new QButtonGroup(this);
    m_rtcselLick = addRadioButton(at(QStringLiteral("rtcsel.lick")), rtcGroup);
    m_rtcselLext = addRadioButton(at(QStringLiteral("rtcsel.lext")), rtcGroup);
    m_rtcselHext = addRadioButton(at(QStringLiteral("rtcsel.hext")), rtcGroup);
    addLabel(tr(m_series->rtcSelCaption), at(QStringLiteral("rtcsel.caption")));
    m_rtcswitch = addComboBox(onOff, widthAt(QStringLiteral("rtcswitch")), at(QStringLiteral("rtcswitch")));
    addLabel(tr(m_series->rtcCaption), at(QStringLiteral("ertc.caption")));
    m_ertcValue = addLabel(QString(), at(QStringLiteral("ertc.value")));
}

void QXC330PLL::buildPllAndSystem()
{
    auto *hickSclkGroup = new QButtonGroup(this);
    m_hicktosclkDiv6 = addRadioButton(at(QStringLiteral("hicktosclk.div6")), hickSclkGroup);
    m_hicktosclkFull = addRadioButton(at(QStringLiteral("hicktosclk.full")), hickSclkGroup);
    addLabel(tr("hick to sclk"), at(QStringLiteral("hicktosclk.caption")));

    auto *pllrcsGroup = new QButtonGroup(this);
    m_pllrcsHext = addRadioButton(at(QStringLiteral("pllrcs.hext")), pllrcsGroup);
    m_pllrcsHick = addRadioButton(at(QStringLiteral("pllrcs.hick")), pllrcsGroup);

    addLabel(tr("pll_ms"), at(QStringLiteral("pllms.caption")));
    m_pllms = addLineEdit(QString(), at(QStringLiteral("pllms")));
    m_pllms->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[\\/]?[0-9]+$")), m_pllms));
    addLabel(tr("(1-15)"), at(QStringLiteral("pllms.hint")));
    addLabel(tr("pll_ns"), at(QStringLiteral("pllns.caption")));
    m_pllns = addLineEdit(QString(), at(QStringLiteral("pllns")));
    m_pllns->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[*]?[0-9]+$")), m_pllns));
    addLabel(tr("(31-500)"), at(QStringLiteral("pllns.hint")));
    for (QLineEdit *edit : {m_pllms, m_pllns})
        setSheet(edit, QString::fromLatin1(kFactorTail).arg(QStringLiteral("rgb(0, 176, 240)")));
    addLabel(tr("pll_fr"), at(QStringLiteral("pllfr.caption")));
    m_pllfr =
        addComboBox(dividerItems(kFrValues), widthAt(QStringLiteral("pllfr")), at(QStringLiteral("pllfr")));
    m_pllLabel = addLabel(QString(), at(QStringLiteral("pll.value")));
    m_pllcfgCaption = addLabel(tr("CRM_PLLCFG : "), at(QStringLiteral("pllcfg.caption")));
    m_pllcfgValue = addValueBox(at(QStringLiteral("pllcfg")));
    m_pllcfgValue->setFixedWidth(widthAt(QStringLiteral("pllcfg")));
    m_pllcfgValue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSheet(m_pllcfgValue, QStringLiteral("border:  0px;"));
    m_pllcfgValue->setText(QStringLiteral("0x08000000"));

    auto *sclkGroup = new QButtonGroup(this);
    m_sclkselectHext = addRadioButton(at(QStringLiteral("sclkselect.hext")), sclkGroup);
    m_sclkselectPll = addRadioButton(at(QStringLiteral("sclkselect.pll")), sclkGroup);
    m_sclkselectHick = addRadioButton(at(QStringLiteral("sclkselect.hick")), sclkGroup);
    addLabel(tr("sclk select"), at(QStringLiteral("sclkselect.caption")));
    addLabel(tr("sclk(4 - %1MHz)").arg(m_series->sclkLimitMHz), at(QStringLiteral("sclk.caption")));
    m_sclk = addLineEdit(QString(), at(QStringLiteral("sclk")));
    m_sclk->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[0-9.]+$")), m_sclk));
    for (int i = 0; i < m_series->usageNotes.size(); ++i) {
        QLabel *note =
            addLabel(tr(qPrintable(m_series->usageNotes.at(i))), at(QStringLiteral("note%1").arg(i + 1)));
        setLabelTextColor(note, Qt::red);
        m_notes << note;
    }

    addLabel(tr("ahbdiv"), at(QStringLiteral("ahbdiv.caption")));
    m_ahbdiv =
        addComboBox(dividerItems(kAhbDivs), widthAt(QStringLiteral("ahbdiv")), at(QStringLiteral("ahbdiv")));
    addLabel(tr("apb1div"), at(QStringLiteral("apb1div.caption")));
    m_apb1div = addComboBox(dividerItems(kApbDivs), widthAt(QStringLiteral("apb1div")),
                            at(QStringLiteral("apb1div")));
    addLabel(tr("apb2div"), at(QStringLiteral("apb2div.caption")));
    m_apb2div = addComboBox(dividerItems(kApbDivs), widthAt(QStringLiteral("apb2div")),
                            at(QStringLiteral("apb2div")));

    QStringList usbItems;
    for (double d : m_series->usbDivItems())
        usbItems << QStringLiteral("  /") + QString::number(d);
    addLabel(tr("usbdiv"), at(QStringLiteral("usbdiv.caption")));
    m_usbdiv = addComboBox(usbItems, widthAt(QStringLiteral("usbdiv")), at(QStringLiteral("usbdiv")));
    auto *usbGroup = new QButtonGroup(this);
    m_hicktousbPll = addRadioButton(at(QStringLiteral("hicktousb.pll")), usbGroup);
    m_hicktousbHick = addRadioButton(at(QStringLiteral("hicktousb.hick")), usbGroup);
    addLabel(tr("hick to usb"), at(QStringLiteral("hicktousb.caption")));
    addLabel(tr("to usb"), at(QStringLiteral("usbswitch.caption")));
    m_usbswitch = addComboBox({tr("enable"), tr("disable")}, widthAt(QStringLiteral("usbswitch")),
                              at(QStringLiteral("usbswitch")));
    m_usbLabel = addLabel(QString(), at(QStringLiteral("usb.value")));
}

void QXC330PLL::buildClockOutput(int index)
{
    const ClockOutputParams &output = m_series->clockOutputs.at(index);
    ClockOutputControls &out = m_clkout[index];
    const QString mux = QStringLiteral("clkout%1").arg(index + 1);
    const QString stem = QStringLiteral("clockout%1").arg(index + 1);

    out.group = new QButtonGroup(this);
    for (int i = 0; i < output.sources.size(); ++i) {
        out.sources << addRadioButton(at(mux + QStringLiteral(".radio%1").arg(i)), out.group);
        out.sourceCaptions << addLabel(tr(output.sources.at(i).text),
                                       at(mux + QStringLiteral(".src%1").arg(i)));
        out.sourceValues << addLabel(QString(), at(mux + QStringLiteral(".val%1").arg(i)));
    }
    out.caption = addLabel(mux, at(mux + QStringLiteral(".caption")));

    QStringList div1Items;
    for (int d : output.div1)
        div1Items << QStringLiteral("  /") + QString::number(d);
    out.div1Caption = addLabel(stem + QStringLiteral("div1"), at(stem + QStringLiteral("div1.caption")));
    out.div1 =
        addComboBox(div1Items, widthAt(stem + QStringLiteral("div1")), at(stem + QStringLiteral("div1")));
    out.div2Caption = addLabel(stem + QStringLiteral("div2"), at(stem + QStringLiteral("div2.caption")));
    out.div2 = addComboBox(dividerItems(output.div2), widthAt(stem + QStringLiteral("div2")),
                           at(stem + QStringLiteral("div2")));
    out.pinCaption = addLabel(tr("select pin"), at(stem + QStringLiteral("PinSelect.caption")));
    QStringList pins;
    for (const QString &pin : output.pins)
        pins << tr(qPrintable(pin));
    out.pin = addComboBox(pins, widthAt(stem + QStringLiteral("PinSelect")),
                          at(stem + QStringLiteral("PinSelect")));
    out.output = addLabel(QString(), at(mux + QStringLiteral(".output")));
}

void QXC330PLL::buildPanel()
{
    addLabel(tr("i2s (MHz)"), at(QStringLiteral("i2s.caption")));
    m_i2sValue = addValueBox(at(QStringLiteral("i2s.value")));
    for (int row = 0; row < m_series->ahbBoxes.size(); ++row) {
        addLabel(tr(qPrintable(SeriesParams::ahbBoxCaption(m_series->ahbBoxes.at(row)))),
                 at(QStringLiteral("ahb%1.caption").arg(row)));
        m_ahbValues << addValueBox(at(QStringLiteral("ahb%1.value").arg(row)));
    }

    struct Row {
        const char *anchor;
        const char *caption;
        const QStringList *names;
    };
    const Row rows[4] = {{"apb1p", QT_TR_NOOP("apb1 peripheral (MHz)"), &m_series->apb1Peripherals},
                         {"apb1t", QT_TR_NOOP("apb1 tmr (MHz)"), &m_series->apb1Timers},
                         {"apb2p", QT_TR_NOOP("apb2 peripheral (MHz)"), &m_series->apb2Peripherals},
                         {"apb2t", QT_TR_NOOP("apb2 tmr (MHz)"), &m_series->apb2Timers}};
    for (int i = 0; i < 4; ++i) {
        const QString id = QString::fromLatin1(rows[i].anchor);
        addLabel(tr(rows[i].caption), at(id + QStringLiteral(".caption")));
        m_lists[i].value = addValueBox(at(id + QStringLiteral(".value")));
        m_lists[i].button = addListButton(at(id + QStringLiteral(".list")));
        m_lists[i].panel = addListPanel(*rows[i].names, at(id + QStringLiteral(".panel")));
    }
    m_apb1TimerMul = addLabel(QString(), at(QStringLiteral("apb1mul")));
    m_apb2TimerMul = addLabel(QString(), at(QStringLiteral("apb2mul")));
}

void QXC330PLL::connectSignals()
{
    using Combo = QComboBox;
    const auto indexChanged = QOverload<int>::of(&Combo::currentIndexChanged);
    // Every change a user makes runs as one edit (see runEdit).
    auto combo = [&](CustomComboBox1 *box, void (QXC330PLL::*slot)(int)) {
        connect(box, indexChanged, this, [this, slot](int index) { runEdit([&] { (this->*slot)(index); }); });
        m_signalSources << box;
    };
    auto radio = [&](QRadioButton *button, void (QXC330PLL::*slot)(bool), bool clicked) {
        const auto handler = [this, slot](bool checked) {
            runEdit([&] { (this->*slot)(checked); });
        };
        if (clicked)
            connect(button, &QRadioButton::clicked, this, handler);
        else
            connect(button, &QRadioButton::toggled, this, handler);
        m_signalSources << button;
    };
    auto edit = [&](QLineEdit *line, void (QXC330PLL::*enter)(), void (QXC330PLL::*typed)(const QString &)) {
        connect(line, &QLineEdit::returnPressed, this, [this, enter] { runEdit([&] { (this->*enter)(); }); });
        connect(line, &QLineEdit::textChanged, this, typed);
        m_signalSources << line;
    };

    for (QRadioButton *r : {m_rtcselLick, m_rtcselLext, m_rtcselHext})
        radio(r, &QXC330PLL::rtcsel_RadioButton_checkSlot, true);
    combo(m_rtcswitch, &QXC330PLL::rtcswitch_ComboBox_currentIndexChanged);
    combo(m_rtcdiv, &QXC330PLL::rtcdiv_ComboBox_currentIndexChanged);
    combo(m_lextbypass, &QXC330PLL::lextbypass_ComboBox_currentIndexChanged);
    edit(m_hext, &QXC330PLL::hext_LineEdit_returnPressed, &QXC330PLL::hext_LineEdit_textChanged);
    combo(m_hextbypass, &QXC330PLL::hextbypass_ComboBox_currentIndexChanged);
    edit(m_pllms, &QXC330PLL::pllms_LineEdit_returnPressed, &QXC330PLL::pllms_LineEdit_textChanged);
    edit(m_pllns, &QXC330PLL::pllns_LineEdit_returnPressed, &QXC330PLL::pllns_LineEdit_textChanged);
    combo(m_pllfr, &QXC330PLL::pllfr_ComboBox_currentIndexChanged);
    for (QRadioButton *r : {m_pllrcsHext, m_pllrcsHick})
        radio(r, &QXC330PLL::pllrcs_RadioButton_checkSlot, true);
    radio(m_sclkselectHext, &QXC330PLL::sclkselecthext_RadioButton_checkSlot, false);
    radio(m_sclkselectPll, &QXC330PLL::sclkselectpll_RadioButton_checkSlot, false);
    radio(m_sclkselectHick, &QXC330PLL::sclkselecthick_RadioButton_checkSlot, false);
    combo(m_ahbdiv, &QXC330PLL::ahbdiv_ComboBox_currentIndexChanged);
    combo(m_apb1div, &QXC330PLL::apb1div_ComboBox_currentIndexChanged);
    combo(m_apb2div, &QXC330PLL::apb2div_ComboBox_currentIndexChanged);
    combo(m_usbdiv, &QXC330PLL::usbdiv_ComboBox_currentIndexChanged);
    combo(m_usbswitch, &QXC330PLL::usbswitch_ComboBox_currentIndexChanged);
    // A two-radio exclusive pair toggles both radios on every change; one
    // connection per pair runs the handler once per change.
    radio(m_hicktousbPll, &QXC330PLL::hicktousb_RadioButton_checkSlot, false);
    m_signalSources << m_hicktousbHick;
    radio(m_hicktosclkDiv6, &QXC330PLL::hicktosclk_RadioButton_checkSlot, false);
    m_signalSources << m_hicktosclkFull;
    for (QRadioButton *r : m_clkout[0].sources)
        radio(r, &QXC330PLL::clkout1_RadioButton_checkSlot, false);
    for (QRadioButton *r : m_clkout[1].sources)
        radio(r, &QXC330PLL::clkout2_RadioButton_checkSlot, false);
    combo(m_clkout[0].div1, &QXC330PLL::clockout1div1_ComboBox_currentIndexChanged);
    combo(m_clkout[0].div2, &QXC330PLL::clockout1div2_ComboBox_currentIndexChanged);
    combo(m_clkout[0].pin, &QXC330PLL::clockout1PinSelectComboBox_currentIndexChanged);
    combo(m_clkout[1].div1, &QXC330PLL::clockout2div1_ComboBox_currentIndexChanged);
    combo(m_clkout[1].div2, &QXC330PLL::clockout2div2_ComboBox_currentIndexChanged);
    combo(m_clkout[1].pin, &QXC330PLL::clockout2PinSelectComboBox_currentIndexChanged);
    edit(m_sclk, &QXC330PLL::sclk_LineEdit_returnPressed, &QXC330PLL::sclk_LineEdit_textChanged);
    connect(m_lists[0].button, &QPushButton::clicked, this,
            &QXC330PLL::toapb1peripheral_List_Button_checkSlot);
    connect(m_lists[1].button, &QPushButton::clicked, this, &QXC330PLL::toapb1tmr_List_Button_checkSlot);
    connect(m_lists[2].button, &QPushButton::clicked, this,
            &QXC330PLL::toapb2peripheral_List_Button_checkSlot);
    connect(m_lists[3].button, &QPushButton::clicked, this, &QXC330PLL::toapb2tmr_List_Button_checkSlot);
}

void QXC330PLL::setControlSignalsBlocked(bool blocked)
{
    for (QObject *source : qAsConst(m_signalSources))
        source->blockSignals(blocked);
}

// ---------------------------------------------------------------------------
// Factory state

void QXC330PLL::resetConfig()
{
    ClockConfig &c = *m_config;
    // Setting the controls must not run their slots: the record is written here.
    setControlSignalsBlocked(true);
    c.resetDefaults();

    m_rtcselLick->setChecked(true);
    c.rtcSource = 0;
    m_rtcswitch->setCurrentIndex(0);
    c.rtcEnabled = false;
    m_rtcdiv->setCurrentIndex(0);
    c.rtcHextDiv = kRtcDivMin;
    m_lextbypass->setCurrentIndex(0);
    c.lextBypass = false;
    c.pllFlexible = m_series->factoryPllFlexible;
    m_hextbypass->setCurrentIndex(0);
    c.hextBypass = false;
    m_hext->setText(QString::number(c.hextMHz));
    m_pllrcsHext->setChecked(true);
    c.pllSourceHick = 0;
    c.pllMs = m_series->factoryPllMs;
    c.pllNs = m_series->factoryPllNs;
    c.pllFr = m_series->factoryPllFr;
    m_pllms->setText(QStringLiteral("/") + QString::number(c.pllMs));
    m_pllns->setText(QStringLiteral("*") + QString::number(c.pllNs));
    m_pllfr->setCurrentIndex(indexOfValue(kFrValues, c.pllFr));
    m_sclkselectPll->setChecked(true);
    c.sclkSource = ClockConfig::SclkPll;
    m_sclk->setEnabled(true);
    m_ahbdiv->setCurrentIndex(0);
    m_apb1div->setCurrentIndex(0);
    m_apb2div->setCurrentIndex(0);
    c.ahbDiv = c.apb1Div = c.apb2Div = 1;
    c.usbDiv = m_series->factoryUsbDiv;
    m_usbdiv->setCurrentIndex(qMax(0, m_series->usbDivItems().indexOf(c.usbDiv)));
    m_hicktousbPll->setChecked(true);
    c.usbSourceHick48 = 0;
    m_usbswitch->setCurrentIndex(1);
    c.usbDisabled = 1;
    m_hicktosclkDiv6->setChecked(true);
    c.hickSclk48 = 0;
    for (ClockOutputControls &out : m_clkout) {
        out.sources.first()->setChecked(true);
        out.div1->setCurrentIndex(0);
        out.div2->setCurrentIndex(0);
        out.pin->setCurrentIndex(0);
    }
    c.clkout1Source = c.clkout2Source = 0;
    c.clkout1Div1 = c.clkout1Div2 = c.clkout2Div1 = c.clkout2Div2 = 1;
    c.clkout1Pin = c.clkout2Pin = 0;
    for (FoldOutList &list : m_lists) {
        list.panel->hide();
        list.button->setIcon(QIcon(QStringLiteral(":/image/btn_right_slider_hover.png")));
    }
    setControlSignalsBlocked(false);

    lextbypass_ComboBox_currentIndexChanged(0);
    hextbypass_ComboBox_currentIndexChanged(0);
    updateActivePaths();
    if (checkPllInputs()) {
        c.recompute();
        refreshDisplay();
    }
    refreshRtcDisplay();
    pllms_LineEdit_textChanged(m_pllms->text());
    pllns_LineEdit_textChanged(m_pllns->text());
    hext_LineEdit_textChanged(m_hext->text());
}

// ---------------------------------------------------------------------------
// Shared handler steps

bool QXC330PLL::readHext()
{
    bool ok = false;
    const double value = m_hext->text().toDouble(&ok);
    if (!ok || !ClockRules::hextAccepted(value)) {
        showError(tr("hext input error!"));
        return false;
    }
    m_config->hextMHz = value;
    return true;
}

bool QXC330PLL::readSclk(double &mhz)
{
    bool ok = false;
    const double value = m_sclk->text().toDouble(&ok);
    if (!ok || !ClockRules::sclkTargetAccepted(*m_series, value)) {
        showError(tr("sclk input error!"));
        return false;
    }
    mhz = value;
    return true;
}

void QXC330PLL::standardStep()
{
    if (checkPllInputs()) {
        m_config->recompute();
        refreshDisplay();
    }
}

void QXC330PLL::applySclkChange()
{
    ClockConfig &c = *m_config;
    if (c.sclkSource == ClockConfig::SclkPll) {
        c.applyTypedSclk();
    } else if (ClockRules::usbFromPll(c)) {
        c.retunePllForUsb();
    } else {
        // The PLL keeps its factors on a new input: they must still fit it.
        if (!checkPllInputs())
            return;
        c.recompute();
    }
    showPllFactors();
    refreshDisplay();
}

bool QXC330PLL::checkPllInputs()
{
    ClockConfig &c = *m_config;
    if (ClockRules::hextInUse(c) && !readHext())
        return false;
    if (!ClockRules::pllInUse(c))
        return true;

    int ms = factorNumber(m_pllms->text(), QLatin1Char('/'));
    if (ms < ClockConfig::kMsMin || ms > ClockConfig::kMsMax) {
        showError(tr("pll_ms input error!"));
        return false;
    }
    int suggestion = 0;
    if (c.suggestMs(ms, suggestion)) {
        c.pllMs = ms;
    } else {
        if (!askYes(tr("pll_ms input error, is it adjusted automatically?")))
            return false;
        ms = suggestion;
        c.pllMs = ms;
        m_pllms->setText(QStringLiteral("/") + QString::number(ms));
    }

    const int ns = factorNumber(m_pllns->text(), QLatin1Char('*'));
    if (ns < ClockConfig::kNsMin || ns > ClockConfig::kNsMax) {
        showError(tr("pll_ns input error!"));
        return false;
    }
    if (c.suggestNs(ns, ms, suggestion)) {
        c.pllNs = ns;
    } else {
        if (!askYes(tr("pll_ns input error, is it adjusted automatically?")))
            return false;
        c.pllNs = suggestion;
        m_pllns->setText(QStringLiteral("*") + QString::number(suggestion));
    }
    return true;
}

QString QXC330PLL::pllcfgText() const
{
    return m_config->pllcfgText();
}

// ---------------------------------------------------------------------------
// Styles

QString QXC330PLL::committedEditStyle()
{
    return QStringLiteral("background: rgb(152, 251, 152); ") + QString::fromLatin1(kEditTail);
}

QString QXC330PLL::pendingEditStyle()
{
    return QStringLiteral("background: rgb(255, 255, 225); ") + QString::fromLatin1(kEditTail);
}

QString QXC330PLL::disabledEditStyle()
{
    return QStringLiteral("background: rgb(255, 255, 255); ") + QString::fromLatin1(kEditTail);
}

QString QXC330PLL::factorCommittedStyle()
{
    return QStringLiteral("background: rgb(255, 255, 255); ") +
           QString::fromLatin1(kFactorTail).arg(QStringLiteral("rgb(0, 176, 240)"));
}

QString QXC330PLL::factorPendingStyle()
{
    return QStringLiteral("background: rgb(255, 255, 225); ") +
           QString::fromLatin1(kFactorTail).arg(QStringLiteral("rgb(0, 176, 240)"));
}

// ---------------------------------------------------------------------------
// Slots

void QXC330PLL::rtcsel_RadioButton_checkSlot(bool)
{
    m_config->rtcSource = m_rtcselHext->isChecked() ? 2 : m_rtcselLext->isChecked() ? 1 : 0;
    updateActivePaths();
    if (m_config->rtcSource == 2)
        hext_LineEdit_returnPressed();
    refreshRtcDisplay();
    refreshDisplay();
}

void QXC330PLL::rtcswitch_ComboBox_currentIndexChanged(int index)
{
    m_config->rtcEnabled = index != 0;
    updateActivePaths();
    if (m_config->rtcEnabled && m_config->rtcSource == 2)
        hext_LineEdit_returnPressed();
    refreshRtcDisplay();
    refreshDisplay();
}

void QXC330PLL::rtcdiv_ComboBox_currentIndexChanged(int index)
{
    m_config->rtcHextDiv = index + kRtcDivMin;
    refreshRtcDisplay();
}

void QXC330PLL::lextbypass_ComboBox_currentIndexChanged(int index)
{
    m_config->lextBypass = index != 0;
    m_lextOut->setEnabled(!m_config->lextBypass);
    setSheet(m_lextOut, m_config->lextBypass ? QStringLiteral("color: gray") : QStringLiteral("color: blue"));
}

void QXC330PLL::hext_LineEdit_returnPressed()
{
    ClockConfig &c = *m_config;
    if (!readHext())
        return;
    if (c.sclkSource != ClockConfig::SclkPll && ClockRules::usbFromPll(c)) {
        c.retunePllForUsb();
        showPllFactors();
    }
    standardStep();
    refreshRtcDisplay();
    // Committed, or white where nothing uses HEXT.
    hext_LineEdit_textChanged(m_hext->text());
}

void QXC330PLL::oscillatorTextChanged(QLineEdit *edit, const QString &text, double stored, double low,
                                      double high)
{
    if (!edit->isEnabled()) {
        setSheet(edit, disabledEditStyle());
        return;
    }
    bool ok = false;
    const double typed = text.toDouble(&ok);
    setSheet(edit, ok && typed == stored ? committedEditStyle() : pendingEditStyle());
    setEditTextColor(edit, ok && typed >= low && typed <= high ? QColor(Qt::black) : QColor(Qt::red));
}

void QXC330PLL::hext_LineEdit_textChanged(const QString &text)
{
    oscillatorTextChanged(m_hext, text, m_config->hextMHz, kHextMinMHz, kHextMaxMHz);
}

void QXC330PLL::hextbypass_ComboBox_currentIndexChanged(int index)
{
    m_config->hextBypass = index != 0;
    const bool outUsable = !m_config->hextBypass && m_hext->isEnabled();
    m_hextOut->setEnabled(outUsable);
    setSheet(m_hextOut, outUsable ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));
}

void QXC330PLL::factorReturnPressed(QLineEdit *edit, bool isMs)
{
    const int value = factorNumber(edit->text(), isMs ? QLatin1Char('/') : QLatin1Char('*'));
    const bool inRange = isMs ? (value >= ClockConfig::kMsMin && value <= ClockConfig::kMsMax)
                              : (value >= ClockConfig::kNsMin && value <= ClockConfig::kNsMax);
    if (!inRange) {
        showError(isMs ? tr("pll_ms input error!") : tr("pll_ns input error!"));
        return;
    }
    if (m_config->pllSourceHick == 0 && !readHext())
        return;
    standardStep();
    factorTextChanged(edit, edit->text(), isMs);
}

void QXC330PLL::factorTextChanged(QLineEdit *edit, const QString &text, bool isMs)
{
    if (!edit->isEnabled())
        return;
    const QChar prefix = isMs ? QLatin1Char('/') : QLatin1Char('*');
    if (!text.isEmpty() && !text.startsWith(prefix)) {
        // setText comes back here with the prefixed text, which is then styled.
        edit->setText(prefix + text);
        return;
    }
    const int value = factorNumber(text, prefix);
    const int stored = isMs ? m_config->pllMs : m_config->pllNs;
    setSheet(edit, value == stored ? factorCommittedStyle() : factorPendingStyle());
    const bool inRange = isMs ? (value >= ClockConfig::kMsMin && value <= ClockConfig::kMsMax)
                              : (value >= ClockConfig::kNsMin && value <= ClockConfig::kNsMax);
    setEditTextColor(edit, inRange ? QColor(Qt::black) : QColor(Qt::red));
}

void QXC330PLL::pllms_LineEdit_returnPressed()
{
    factorReturnPressed(m_pllms, true);
}

void QXC330PLL::pllms_LineEdit_textChanged(const QString &text)
{
    factorTextChanged(m_pllms, text, true);
}

void QXC330PLL::pllns_LineEdit_returnPressed()
{
    factorReturnPressed(m_pllns, false);
}

void QXC330PLL::pllns_LineEdit_textChanged(const QString &text)
{
    factorTextChanged(m_pllns, text, false);
}

void QXC330PLL::pllfr_ComboBox_currentIndexChanged(int index)
{
    if (m_config->pllSourceHick == 0 && !readHext())
        return;
    m_config->pllFr = kFrValues.value(index, 1);
    standardStep();
}

void QXC330PLL::pllrcs_RadioButton_checkSlot(bool)
{
    ClockConfig &c = *m_config;
    c.pllSourceHick = m_pllrcsHick->isChecked() ? 1 : 0;
    updateActivePaths();
    if (c.pllSourceHick == 0 && !readHext())
        return;
    double sclk = 0.0;
    if (!readSclk(sclk))
        return;
    c.sclkMHz = sclk;
    applySclkChange();
}

void QXC330PLL::sclkselecthext_RadioButton_checkSlot(bool)
{
    if (m_sclkselectHext->isChecked())
        m_config->sclkSource = ClockConfig::SclkHext;
    updateActivePaths();
    if (m_sclkselectHext->isChecked()) {
        m_sclk->setEnabled(false);
        setSheet(m_sclk, disabledEditStyle());
        if (!readHext())
            return;
        standardStep();
    }
    applySclkChange();
}

void QXC330PLL::sclkselecthick_RadioButton_checkSlot(bool)
{
    if (m_sclkselectHick->isChecked())
        m_config->sclkSource = ClockConfig::SclkHick;
    updateActivePaths();
    if (m_sclkselectHick->isChecked()) {
        m_sclk->setEnabled(false);
        setSheet(m_sclk, disabledEditStyle());
        standardStep();
    }
    applySclkChange();
}

void QXC330PLL::sclkselectpll_RadioButton_checkSlot(bool)
{
    if (m_sclkselectPll->isChecked())
        m_config->sclkSource = ClockConfig::SclkPll;
    updateActivePaths();
    if (m_sclkselectPll->isChecked()) {
        m_sclk->setEnabled(true);
        setSheet(m_sclk, committedEditStyle());
        if (m_config->pllSourceHick == 0 && !readHext())
            return;
        standardStep();
    }
    applySclkChange();
}

void QXC330PLL::ahbdiv_ComboBox_currentIndexChanged(int index)
{
    m_config->ahbDiv = kAhbDivs.value(index, 1);
    standardStep();
}

void QXC330PLL::apb1div_ComboBox_currentIndexChanged(int index)
{
    m_config->apb1Div = kApbDivs.value(index, 1);
    standardStep();
}

void QXC330PLL::apb2div_ComboBox_currentIndexChanged(int index)
{
    m_config->apb2Div = kApbDivs.value(index, 1);
    standardStep();
}

void QXC330PLL::usbRetuneOrStandardStep()
{
    ClockConfig &c = *m_config;
    if (c.sclkSource != ClockConfig::SclkPll && ClockRules::usbFromPll(c)) {
        if (c.pllSourceHick == 0 && !readHext())
            return;
        c.retunePllForUsb();
        showPllFactors();
        refreshDisplay();
    } else {
        standardStep();
    }
}

void QXC330PLL::usbdiv_ComboBox_currentIndexChanged(int index)
{
    m_config->usbDiv = m_series->usbDivItems().value(index, 1.0);
    usbRetuneOrStandardStep();
}

void QXC330PLL::usbswitch_ComboBox_currentIndexChanged(int index)
{
    m_config->usbDisabled = index;
    updateActivePaths();
    if (index == 0)
        usbRetuneOrStandardStep();
    else
        refreshDisplay(); // the PLL may have gone out of use: clear its lines
}

void QXC330PLL::hicktousb_RadioButton_checkSlot(bool)
{
    ClockConfig &c = *m_config;
    c.usbSourceHick48 = m_hicktousbHick->isChecked() ? 1 : 0;
    updateActivePaths();
    if (c.usbSourceHick48 == 1) {
        c.usbMHz = c.hickMHz;
        refreshDisplay();
        return;
    }
    if (c.sclkSource != ClockConfig::SclkPll) {
        if (c.pllSourceHick == 0 && !readHext())
            return;
        c.retunePllForUsb();
        showPllFactors();
        refreshDisplay();
    } else {
        standardStep();
    }
}

void QXC330PLL::hicktosclk_RadioButton_checkSlot(bool)
{
    m_config->hickSclk48 = m_hicktosclkFull->isChecked() ? 1 : 0;
    standardStep();
}

void QXC330PLL::clkout1_RadioButton_checkSlot(bool checked)
{
    if (!checked)
        return;
    m_config->clkout1Source = checkedSourceCode(0);
    updateActivePaths();
    standardStep();
}

void QXC330PLL::clkout2_RadioButton_checkSlot(bool checked)
{
    if (!checked)
        return;
    m_config->clkout2Source = checkedSourceCode(1);
    updateActivePaths();
    standardStep();
}

int QXC330PLL::checkedSourceCode(int output) const
{
    const ClockOutputControls &out = m_clkout[output];
    const int radio = qMax(0, out.sources.indexOf(qobject_cast<QRadioButton *>(out.group->checkedButton())));
    return m_series->clockOutputs.at(output).sources.value(radio).code;
}

void QXC330PLL::clockout1div1_ComboBox_currentIndexChanged(int index)
{
    m_config->clkout1Div1 = m_series->clockOutputs.at(0).div1.value(index, 1);
    standardStep();
}

void QXC330PLL::clockout1div2_ComboBox_currentIndexChanged(int index)
{
    m_config->clkout1Div2 = m_series->clockOutputs.at(0).div2.value(index, 1);
    standardStep();
}

void QXC330PLL::clockout1PinSelectComboBox_currentIndexChanged(int index)
{
    m_config->clkout1Pin = index;
    updateActivePaths();
    standardStep();
}

void QXC330PLL::clockout2div1_ComboBox_currentIndexChanged(int index)
{
    m_config->clkout2Div1 = m_series->clockOutputs.at(1).div1.value(index, 1);
    standardStep();
}

void QXC330PLL::clockout2div2_ComboBox_currentIndexChanged(int index)
{
    m_config->clkout2Div2 = m_series->clockOutputs.at(1).div2.value(index, 1);
    standardStep();
}

void QXC330PLL::clockout2PinSelectComboBox_currentIndexChanged(int index)
{
    m_config->clkout2Pin = index;
    updateActivePaths();
    standardStep();
}

void QXC330PLL::sclk_LineEdit_returnPressed()
{
    ClockConfig &c = *m_config;
    if (c.sclkSource != ClockConfig::SclkPll)
        return;
    double sclk = 0.0;
    if (!readSclk(sclk))
        return;
    c.sclkMHz = sclk;
    if (c.pllSourceHick == 0 && !readHext())
        return;
    c.applyTypedSclk();
    showPllFactors();
    setSheet(m_sclk, committedEditStyle());
    refreshDisplay();
}

void QXC330PLL::sclk_LineEdit_textChanged(const QString &text)
{
    oscillatorTextChanged(m_sclk, text, m_config->sclkMHz, SeriesParams::kSclkEntryMinMHz,
                          m_series->sclkLimitMHz);
}

void QXC330PLL::toapb1peripheral_List_Button_checkSlot()
{
    toggleList(0);
}

void QXC330PLL::toapb1tmr_List_Button_checkSlot()
{
    toggleList(1);
}

void QXC330PLL::toapb2peripheral_List_Button_checkSlot()
{
    toggleList(2);
}

void QXC330PLL::toapb2tmr_List_Button_checkSlot()
{
    toggleList(3);
}

void QXC330PLL::toggleList(int index)
{
    const bool open = !m_lists[index].panel->isVisible();
    for (int i = 0; i < 4; ++i) {
        const bool show = open && i == index;
        m_lists[i].panel->setVisible(show);
        m_lists[i].button->setIcon(QIcon(show ? QStringLiteral(":/image/btn_down_slider_hover.png")
                                              : QStringLiteral(":/image/btn_right_slider_hover.png")));
    }
}

void QXC330PLL::mousePressEvent(QMouseEvent *event)
{
    for (FoldOutList &list : m_lists) {
        if (list.panel->isVisible()) {
            list.panel->hide();
            list.button->setIcon(QIcon(QStringLiteral(":/image/btn_right_slider_hover.png")));
            list.button->setFocus();
        }
    }
    QWidget::mousePressEvent(event);
}

// ---------------------------------------------------------------------------
// Display

void QXC330PLL::refreshDisplay()
{
    const ClockConfig &c = *m_config;
    const SeriesParams &s = *m_series;

    m_sclk->setText(mhz(c.sclkMHz));
    valueColor(m_sclk, s.sclkRed(c.sclkMHz), true);
    m_i2sValue->setText(mhz(c.sclkMHz));
    valueColor(m_i2sValue, s.sclkRed(c.sclkMHz), true);

    const bool notes = c.sclkMHz > s.usageNotesAboveMHz;
    for (QLabel *note : qAsConst(m_notes))
        note->setVisible(notes);

    for (QLineEdit *ahb : qAsConst(m_ahbValues)) {
        ahb->setText(mhz(c.ahbMHz));
        valueColor(ahb, s.sclkRed(c.ahbMHz), true);
    }
    const struct {
        QLineEdit *box;
        double value;
        bool red;
    } buses[4] = {{m_lists[0].value, c.apb1MHz, s.apbRed(c.apb1MHz)},
                  {m_lists[1].value, c.apb1TimerMHz, s.sclkRed(c.apb1TimerMHz)},
                  {m_lists[2].value, c.apb2MHz, s.apbRed(c.apb2MHz)},
                  {m_lists[3].value, c.apb2TimerMHz, s.sclkRed(c.apb2TimerMHz)}};
    for (const auto &bus : buses) {
        bus.box->setText(mhz(bus.value));
        valueColor(bus.box, bus.red, true);
    }
    refreshBusDividers();

    setLabelText(m_usbLabel, mhz(c.usbMHz) + QStringLiteral(" MHz"));
    if (c.usbDisabled)
        QXMCUPLL::setLabelTextColor(m_usbLabel, Qt::gray); // a switched-off branch, not an error
    else
        valueColor(m_usbLabel, c.usbMHz != 48.0, false);
    {
        const QSignalBlocker blocker(m_usbdiv);
        const int index = s.usbDivItems().indexOf(c.usbDiv);
        m_usbdiv->setCurrentIndex(qMax(0, index));
    }

    if (m_pllLabel->isEnabled()) {
        setLabelText(m_pllLabel, mhz(c.pllMHz) + QStringLiteral("MHz"));
        valueColor(m_pllLabel, s.sclkRed(c.pllMHz), false);
    } else {
        setLabelText(m_pllLabel, QString());
    }
    if (m_pllcfgCaption->isEnabled()) {
        setLabelText(m_pllcfgCaption, tr("CRM_PLLCFG: "));
        m_pllcfgValue->setText(pllcfgText());
    } else {
        setLabelText(m_pllcfgCaption, QString());
        m_pllcfgValue->clear();
    }

    if (ClockRules::clockOutputLive(c, 0))
        refreshClkout1();
    if (ClockRules::clockOutputLive(c, 1))
        refreshClkout2();
}

void QXC330PLL::refreshBusDividers()
{
    const ClockConfig &c = *m_config;
    // The record leads here; re-running the divider slots would recompute again.
    const QSignalBlocker block1(m_apb1div);
    const QSignalBlocker block2(m_apb2div);
    m_apb1div->setCurrentIndex(indexOfValue(kApbDivs, c.apb1Div));
    m_apb2div->setCurrentIndex(indexOfValue(kApbDivs, c.apb2Div));
    setLabelText(m_apb1TimerMul, QStringLiteral("* ") + QString::number(c.apb1TimerMul));
    setLabelText(m_apb2TimerMul, QStringLiteral("* ") + QString::number(c.apb2TimerMul));
}

void QXC330PLL::refreshClkout(int index)
{
    const ClockConfig &c = *m_config;
    const ClockOutputControls &out = m_clkout[index];
    const ClockOutputParams &output = m_series->clockOutputs.at(index);
    const int div1 = index == 0 ? c.clkout1Div1 : c.clkout2Div1;
    const int div2 = index == 0 ? c.clkout1Div2 : c.clkout2Div2;
    const int code = index == 0 ? c.clkout1Source : c.clkout2Source;
    const ClockSourceItem *source = output.sourceByCode(code);
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
        value = ClockRules::hickOutputMHz(c);
        break;
    case ClockSourceKind::Lick:
        value = c.lickKHz;
        unit = QStringLiteral(" kHz)");
        break;
    case ClockSourceKind::Lext:
        value = c.lextKHz;
        unit = QStringLiteral(" kHz)");
        break;
    default:
        empty = true;
        break;
    }
    for (int i = 0; i < out.sourceValues.size(); ++i)
        out.sourceValues.at(i)->setVisible(i == selected);
    if (selected < 0)
        return;
    QLabel *valueLabel = out.sourceValues.at(selected);
    if (empty) {
        setLabelText(valueLabel, QString());
        setLabelText(out.output, QString());
        return;
    }
    setLabelText(valueLabel, QStringLiteral("(") + mhz(value) + unit);
    setLabelText(out.output, QStringLiteral("(") + mhz(value / div1 / div2) + unit);
}

void QXC330PLL::refreshClkout1()
{
    refreshClkout(0);
}

void QXC330PLL::refreshClkout2()
{
    refreshClkout(1);
}

void QXC330PLL::refreshRtcDisplay()
{
    const ClockConfig &c = *m_config;
    if (!c.rtcEnabled) {
        setLabelText(m_ertcValue, QString());
        return;
    }
    switch (c.rtcSource) {
    case 1:
        setLabelText(m_ertcValue, QString::number(c.lextKHz));
        break;
    case 2:
        // From the applied crystal; an entry not applied yet is not part of the design.
        if (ClockRules::hextAccepted(c.hextMHz) && c.rtcHextDiv > 0)
            setLabelText(m_ertcValue, QString::number(c.hextMHz * 1000.0 / c.rtcHextDiv, 'f', 3));
        else
            setLabelText(m_ertcValue, QString());
        break;
    default:
        setLabelText(m_ertcValue, QString::number(c.lickKHz));
        break;
    }
}

void QXC330PLL::showPllFactors()
{
    const ClockConfig &c = *m_config;
    m_pllms->setText(QStringLiteral("/") + QString::number(c.pllMs));
    m_pllns->setText(QStringLiteral("*") + QString::number(c.pllNs));
    // The record already holds fr: showing it must not run the fr slot again.
    const QSignalBlocker blocker(m_pllfr);
    m_pllfr->setCurrentIndex(indexOfValue(kFrValues, c.pllFr));
}

void QXC330PLL::updateActivePaths()
{
    const ClockConfig &c = *m_config;
    // HEXT section.
    const bool hext = ClockRules::hextInUse(c);
    m_hext->setEnabled(hext);
    setSheet(m_hext, hext ? committedEditStyle() : disabledEditStyle());
    m_hextbypass->setEnabledWithStyle(hext);
    m_hextIn->setEnabled(hext);
    const bool hextOut = hext && !c.hextBypass;
    m_hextOut->setEnabled(hextOut);
    setSheet(m_hextOut, hextOut ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));
    setSheet(m_hextIn, hext ? QStringLiteral("color: blue") : QStringLiteral("color: gray"));

    m_rtcdiv->setEnabledWithStyle(ClockRules::rtcDividerInUse(c));

    // PLL section.
    const bool pll = ClockRules::pllInUse(c);
    const QString border = pll ? QStringLiteral("rgb(0, 176, 240)") : QStringLiteral("gray");
    for (QLineEdit *edit : {m_pllms, m_pllns}) {
        edit->setEnabled(pll);
        setSheet(edit, QStringLiteral("background: rgb(255, 255, 255); ") +
                           QString::fromLatin1(kFactorTail).arg(border));
    }
    m_pllfr->setEnabledWithStyle(pll);
    for (QRadioButton *radio : {m_pllrcsHext, m_pllrcsHick}) {
        radio->setEnabled(pll);
        setSheet(radio, radioStyle(pll));
    }
    m_pllLabel->setEnabled(pll);
    m_pllcfgCaption->setEnabled(pll);
    m_pllcfgValue->setEnabled(pll);
    if (pll) {
        pllms_LineEdit_textChanged(m_pllms->text());
        pllns_LineEdit_textChanged(m_pllns->text());
    }

    // HICK to sclk only matters while sclk runs on HICK.
    const bool hick = c.sclkSource == ClockConfig::SclkHick;
    for (QRadioButton *radio : {m_hicktosclkDiv6, m_hicktosclkFull}) {
        radio->setEnabled(hick);
        setSheet(radio, radioStyle(hick));
    }

    // Clock outputs: live only with a pin.
    for (int i = 0; i < 2; ++i) {
        ClockOutputControls &out = m_clkout[i];
        const bool live = ClockRules::clockOutputLive(c, i);
        const ClockOutputParams &output = m_series->clockOutputs.at(i);
        for (int r = 0; r < out.sources.size(); ++r) {
            const bool usable = ClockRules::clockSourceUsable(c, i, output.sources.at(r).kind);
            out.sources.at(r)->setEnabled(usable);
            setSheet(out.sources.at(r), radioStyle(usable));
            out.sourceCaptions.at(r)->setEnabled(usable);
            out.sourceValues.at(r)->setEnabled(usable);
        }
        out.div1->setEnabledWithStyle(live);
        out.div2->setEnabledWithStyle(live);
        for (QLabel *label : {out.div1Caption, out.div2Caption, out.caption, out.output})
            label->setEnabled(live);
    }
}

// ---------------------------------------------------------------------------
// After a refused edit

QVector<QLineEdit *> QXC330PLL::entries() const
{
    return {m_hext, m_sclk, m_pllms, m_pllns};
}

void QXC330PLL::showRecord()
{
    const ClockConfig &c = *m_config;
    setControlSignalsBlocked(true);
    (c.rtcSource == 2 ? m_rtcselHext : c.rtcSource == 1 ? m_rtcselLext : m_rtcselLick)->setChecked(true);
    m_rtcswitch->setCurrentIndex(c.rtcEnabled ? 1 : 0);
    m_rtcdiv->setCurrentIndex(qMax(0, c.rtcHextDiv - kRtcDivMin));
    m_lextbypass->setCurrentIndex(c.lextBypass ? 1 : 0);
    m_hextbypass->setCurrentIndex(c.hextBypass ? 1 : 0);
    (c.pllSourceHick ? m_pllrcsHick : m_pllrcsHext)->setChecked(true);
    m_pllfr->setCurrentIndex(indexOfValue(kFrValues, c.pllFr));
    (c.sclkSource == ClockConfig::SclkPll    ? m_sclkselectPll
     : c.sclkSource == ClockConfig::SclkHick ? m_sclkselectHick
                                             : m_sclkselectHext)
        ->setChecked(true);
    m_sclk->setEnabled(c.sclkSource == ClockConfig::SclkPll);
    m_ahbdiv->setCurrentIndex(indexOfValue(kAhbDivs, c.ahbDiv));
    m_usbdiv->setCurrentIndex(qMax(0, m_series->usbDivItems().indexOf(c.usbDiv)));
    (c.usbSourceHick48 ? m_hicktousbHick : m_hicktousbPll)->setChecked(true);
    m_usbswitch->setCurrentIndex(c.usbDisabled ? 1 : 0);
    (c.hickSclk48 ? m_hicktosclkFull : m_hicktosclkDiv6)->setChecked(true);
    const int sources[2] = {c.clkout1Source, c.clkout2Source};
    const int div1s[2] = {c.clkout1Div1, c.clkout2Div1};
    const int div2s[2] = {c.clkout1Div2, c.clkout2Div2};
    const int pins[2] = {c.clkout1Pin, c.clkout2Pin};
    for (int i = 0; i < 2; ++i) {
        const ClockOutputParams &output = m_series->clockOutputs.at(i);
        const ClockSourceItem *source = output.sourceByCode(sources[i]);
        m_clkout[i].sources.value(source ? int(source - output.sources.constData()) : 0)->setChecked(true);
        m_clkout[i].div1->setCurrentIndex(indexOfValue(output.div1, div1s[i]));
        m_clkout[i].div2->setCurrentIndex(indexOfValue(output.div2, div2s[i]));
        m_clkout[i].pin->setCurrentIndex(pins[i]);
    }
    setControlSignalsBlocked(false);
    showPllFactors();
    updateActivePaths();
    refreshDisplay();
    refreshRtcDisplay();
    restyleEntries();
}

void QXC330PLL::restyleEntries()
{
    hext_LineEdit_textChanged(m_hext->text());
    sclk_LineEdit_textChanged(m_sclk->text());
    pllms_LineEdit_textChanged(m_pllms->text());
    pllns_LineEdit_textChanged(m_pllns->text());
}

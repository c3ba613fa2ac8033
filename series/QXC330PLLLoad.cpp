#include "QXC330PLL.h"

#include "ClockConfig.h"
#include "ClockRules.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "SeriesTable.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

// Restoring a design file: every control is set as a user would set it, so
// the change slots fire in file order (a combo box only when its index
// changes, the edits only their text-changed slot, the RTC and PLL source
// radios not at all), then the tree is settled once.

namespace {

// Index of the item "  /<value>" of a divider combo box; fallback when no
// item carries the value.
// Index of value in the values a combo box offers; fallback when it offers
// no such value.
template <typename T> int indexIn(const QVector<T> &values, T value, int fallback = 0)
{
    const int index = int(values.indexOf(value));
    return index < 0 ? fallback : index;
}

// A choice stored as an index: values outside the combo box's options take
// the given fallback instead of leaving the box without a selection.
int optionIndex(const QComboBox *combo, int value, int fallback)
{
    return value >= 0 && value < combo->count() ? value : fallback;
}

void check(QRadioButton *radio)
{
    if (radio)
        radio->setChecked(true);
}

} // namespace

void QXC330PLL::loadConfig(const QString &fileName)
{
    // Questions raised while opening may be answered Cancel: the value then
    // stays as the file has it, and the checks before saving refuse it.
    setLoading(true);
    // One read gives every element of the same file contents.
    const DesignFile::Elements file = DesignFile::read(fileName);
    const auto text = [&file](const char *name) {
        return file.value(QLatin1String(name));
    };
    const auto number = [&file](const char *name) {
        return file.value(QLatin1String(name)).toInt();
    };

    m_lextbypass->setCurrentIndex(number("lextbypass") == 0 ? 0 : 1);
    m_config->lextBypass = number("lextbypass") != 0;

    // The source radios react to clicks only: checking them fires nothing.
    const int rtcSource = number("rtcsel");
    check(rtcSource == 1 ? m_rtcselLext : rtcSource == 2 ? m_rtcselHext : m_rtcselLick);
    m_config->rtcSource = rtcSource == 1 || rtcSource == 2 ? rtcSource : 0;

    m_rtcswitch->setCurrentIndex(number("rtcswitch") == 0 ? 0 : 1);
    m_config->rtcEnabled = number("rtcswitch") != 0;

    const int rtcdiv = number("rtcdiv");
    const bool rtcdivTaken = rtcdiv >= ClockConfig::kRtcDivMin && rtcdiv <= ClockConfig::kRtcDivMax;
    m_rtcdiv->setCurrentIndex(rtcdivTaken ? rtcdiv - ClockConfig::kRtcDivMin : 0);
    m_config->rtcHextDiv = m_rtcdiv->currentIndex() + ClockConfig::kRtcDivMin;

    // Taken as written; the next read of the entry judges the range.
    m_hext->setText(text("hext"));
    m_config->hextMHz = text("hext").toDouble();

    m_hextbypass->setCurrentIndex(number("hextbypass") == 0 ? 0 : 1);
    m_config->hextBypass = number("hextbypass") != 0;

    const bool pllFromHick = number("pllrcs") != 0;
    check(pllFromHick ? m_pllrcsHick : m_pllrcsHext);
    m_config->pllSourceHick = pllFromHick ? 1 : 0;

    int ms = number("pllms");
    if (ms < ClockConfig::kMsMin || ms > ClockConfig::kMsMax)
        ms = ClockConfig::kMsMin;
    // The factors reach the record through checkPllInputs when the tree is
    // settled, so a refused pair never gets into it.
    m_pllms->setText(QLatin1Char('/') + QString::number(ms));

    int ns = number("pllns");
    if (ns < ClockConfig::kNsMin || ns > ClockConfig::kNsMax)
        ns = ClockConfig::kNsMin;
    m_pllns->setText(QLatin1Char('*') + QString::number(ns));

    const int frIndex = indexIn(ClockConfig::pllFrValues(), number("pllfr"));
    m_pllfr->setCurrentIndex(frIndex);

    const int sclkSource = number("sclkselect");
    check(sclkSource == ClockConfig::SclkPll    ? m_sclkselectPll
          : sclkSource == ClockConfig::SclkHick ? m_sclkselectHick
                                                : m_sclkselectHext);

    m_ahbdiv->setCurrentIndex(indexIn(ClockConfig::ahbDivValues(), number("ahbdiv")));
    m_apb1div->setCurrentIndex(indexIn(ClockConfig::apbDivValues(), number("apb1div")));
    m_apb2div->setCurrentIndex(indexIn(ClockConfig::apbDivValues(), number("apb2div")));
    m_usbdiv->setCurrentIndex(indexIn(m_series->usbDivItems(), text("usbdiv").toDouble()));

    check(number("hicktosclk") == 1 ? m_hicktosclkFull : m_hicktosclkDiv6);
    check(number("hicktousb") == 1 ? m_hicktousbHick : m_hicktousbPll);

    // "disable" for a value that is no option of the switch.
    m_usbswitch->setCurrentIndex(optionIndex(m_usbswitch, number("tousbswitch"), 1));
    m_config->usbDisabled = m_usbswitch->currentIndex();

    const char *const pins[] = {"clkout1pinselect", "clkout2pinselect"};
    const char *const sources[] = {"clkout1", "clkout2"};
    const char *const div1s[] = {"clkout1div1", "clkout2div1"};
    const char *const div2s[] = {"clkout1div2", "clkout2div2"};
    for (int i = 0; i < 2; ++i) {
        ClockOutputControls &out = m_clkout[i];
        out.pin->setCurrentIndex(optionIndex(out.pin, number(pins[i]), 0));
        (i == 0 ? m_config->clkout1Pin : m_config->clkout2Pin) = out.pin->currentIndex();

        const int source = number(sources[i]);
        check(out.sources.value(source >= 0 && source < out.sources.size() ? source : 0));

        const ClockOutputParams &params = m_series->clockOutputs.at(i);
        out.div1->setCurrentIndex(indexIn(params.div1, number(div1s[i])));
        out.div2->setCurrentIndex(indexIn(params.div2, number(div2s[i])));
    }

    // Handlers fired above may have solved the PLL anew (leaving the PLL as
    // system clock, enabling a PLL-fed USB clock). The design's own factors
    // win, or opening a file would silently change it.
    restorePllFactors(ms, ns, frIndex);

    updateActivePaths();
    refreshRtcDisplay();
    checkPllInputs();
    // The display shows what the record holds, even where a check refused it.
    m_config->recompute();
    refreshDisplay();
    setLoading(false);
    markRefusedEntries();
}

void QXC330PLL::markRefusedEntries()
{
    for (const ClockRules::Finding &finding : ClockRules::inputFindings(*m_config)) {
        QLineEdit *entry = finding.field == QLatin1String("hextMHz")              ? m_hext
                           : finding.message == nullptr                           ? nullptr
                           : qstrcmp(finding.message, "pll_ms input error!") == 0 ? m_pllms
                           : qstrcmp(finding.message, "pll_ns input error!") == 0 ? m_pllns
                                                                                  : nullptr;
        if (entry)
            entry->setStyleSheet(entry == m_hext ? pendingEditStyle() : factorPendingStyle());
    }
}

void QXC330PLL::restorePllFactors(int ms, int ns, int frIndex)
{
    const QSignalBlocker msBlocker(m_pllms);
    const QSignalBlocker nsBlocker(m_pllns);
    const QSignalBlocker frBlocker(m_pllfr);
    m_pllms->setText(QLatin1Char('/') + QString::number(ms));
    m_pllns->setText(QLatin1Char('*') + QString::number(ns));
    m_pllfr->setCurrentIndex(frIndex);
    m_config->pllFr = ClockConfig::pllFrValues().value(frIndex, 1);
    // Also while the PLL is unused, so that saving writes them back; when it is
    // in use, checkPllInputs judges them before anything is computed.
    m_config->pllMs = ms;
    m_config->pllNs = ns;
}

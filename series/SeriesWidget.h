#pragma once

#include "ControlTable.h"
#include "QXMCUPLL.h"

#include <QSet>
#include <QVector>

struct SeriesParams;
class QGraphicsProxyWidget;

// The series widget every series class is made of: the controls of the
// control table that its series has, laid over its drawing, and the shared
// handling of a change (record field, checks, recompute, display). The series
// classes only name their slots, each forwarding to controlChanged() or to
// one of the entry handlers; every control's signal reaches its series
// through the slot of its name (connectSlots()). The parts of one PLL kind live in files of
// their own (SeriesWidgetFlexible.cpp for ms/ns/fr, SeriesWidgetMultiplier.cpp
// for the multiplier family, SeriesWidgetSelectable.cpp for the PLL mode).
class SeriesWidget : public QXMCUPLL {
    Q_OBJECT
public:
    void resetConfig() override;
    void loadConfig(const QString &fileName) override;

    // Controls no slot of the series class listens to (none, once built).
    QStringList controlsWithoutSlot() const;

    // "0x" and the CRM_PLLCFG word in eight lower-case hex digits.
    QString pllcfgText() const;

    // Line-edit looks of the oscillator and sclk entries, and of the ms/ns entries.
    static QString committedEditStyle();
    static QString pendingEditStyle();
    static QString disabledEditStyle();
    static QString factorCommittedStyle();
    static QString factorPendingStyle();

protected:
    SeriesWidget(int seriesId, QWidget *parent);

    using Control = ControlTable::Control;
    // A change of a selection control: `index` is the combo index or the
    // radio's place in its group; `checked` what a toggled radio reports.
    void controlChanged(Control id, int index, bool checked = true);
    void entryReturnPressed(Control id);
    void entryTextChanged(Control id, const QString &text);
    void toggleList(int index);
    // Connects each control to the slot of its name that the class declares.
    void connectSlots();

    void mousePressEvent(QMouseEvent *event) override;
    void showRecord() override;

private:
    struct Widgets {
        CustomComboBox1 *combo = nullptr;
        QButtonGroup *group = nullptr;
        QVector<QRadioButton *> radios;
        QLineEdit *edit = nullptr;
    };
    struct ClockOutput {
        QVector<QLabel *> sourceCaptions;
        QVector<QLabel *> sourceValues;
        QVector<QLabel *> labels; // caption, divider captions, output
        QLabel *output = nullptr;
    };
    struct FoldOutList {
        QPushButton *button = nullptr;
        QGraphicsProxyWidget *panel = nullptr;
        QStringList names;
        QPoint at;
        QLineEdit *value = nullptr;
        QByteArray slotStem;
    };

    Widgets &w(Control id) { return m_widgets[int(id)]; }
    const Widgets &w(Control id) const { return m_widgets[int(id)]; }
    bool has(Control id) const;

    // Construction. Labels and value boxes at an anchor are named after it.
    QLabel *label(const QString &text, const QString &anchor);
    void fixedLabel(const QString &text, const QString &anchor);
    QLineEdit *valueBox(const QString &anchor);
    void buildControl(const ControlTable::Row &row);
    static QByteArray slotSignature(const ControlTable::Row &row, int radio = 0, bool textChanged = false);
    void linkToSlot(QObject *sender, const char *signal, const QByteArray &slot);
    void buildFixedLabels();
    void buildFlexiblePll();
    void buildMultiplierPll();
    void buildAdc();
    void buildPeripheralSelectors();
    void buildClockOutputs();
    // The selection controls of clock output `index`: its sources, then its
    // divider stages and last its pin combo.
    QVector<Control> outputControls(int index) const;
    void buildPanel();

    // A control shows what the document shows, signals blocked.
    void showControl(Control id);
    void showEntryText(Control id);
    void setControlSignalsBlocked(bool blocked);
    // Entry looks: committed, pending (typed, or refused by the checks), disabled.
    void restyleEntry(Control id);
    void restyleFactor(Control id);
    void restyleEntries();

    // Display.
    void refreshDisplay();
    void refreshBusDividers();
    void refreshClkout(int index);
    void refreshRtcDisplay();
    void refreshAdc();
    void refreshBypass();
    void updateActivePaths();
    void updatePllPaths(bool inUse);
    void updateMultiplierPaths();
    // The multiplier family: the multiplier series and the mode-selectable ones.
    bool multiplierPll() const;
    // Only the controls of the PLL mode in the record are shown.
    void showPllMode();
    void refreshPeripheralClocks();

    const ClockConfig &rec() const { return document().record(); }

    const SeriesParams *m_series = nullptr;
    bool m_sclkStyled = false;
    QVector<Widgets> m_widgets;
    QVector<QObject *> m_signalSources;
    QSet<const QObject *> m_linked; // sources connected to a slot
    ClockOutput m_outputs[2];
    FoldOutList m_lists[4];

    QLabel *m_hextIn = nullptr;
    QLabel *m_hextOut = nullptr;
    QLabel *m_lextIn = nullptr;
    QLabel *m_lextOut = nullptr;
    QLabel *m_ertcValue = nullptr;
    QLabel *m_usbLabel = nullptr;
    QLabel *m_pllLabel = nullptr;
    QLabel *m_pllcfgCaption = nullptr;
    QLineEdit *m_pllcfgValue = nullptr;
    QLabel *m_apbTimerMul[2] = {nullptr, nullptr};
    QVector<QLabel *> m_notes;
    QLineEdit *m_i2sValue = nullptr;
    QVector<QLineEdit *> m_ahbValues;
    QLineEdit *m_adcValue = nullptr;
    struct PeripheralClock {
        QLineEdit *value = nullptr;
        QLabel *unit = nullptr;
    };
    PeripheralClock m_peripheralClocks[3];
};

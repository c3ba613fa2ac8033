#pragma once

#include "ControlTable.h"
#include "Presentation.h"
#include "QXMCUPLL.h"

#include <QHash>
#include <QVector>

struct SeriesParams;
class QGraphicsProxyWidget;

// The series widget every series class is made of: the controls of the
// control table that its series has, laid over its drawing, and the shared
// handling of a change (record field, checks, recompute, display). The series
// classes only name their slots, each forwarding to controlChanged() or to
// one of the entry handlers; every control's signal reaches its series
// through the slot of its name (connectSlots()).
class SeriesWidget : public QXMCUPLL {
    Q_OBJECT
public:
    void resetConfig() override;
    void loadConfig(const QString &fileName) override;

    // Line-edit looks of the oscillator and sclk entries, and of the ms/ns entries.
    static QString committedEditStyle();
    static QString pendingEditStyle();
    static QString disabledEditStyle();
    static QString factorCommittedStyle();
    static QString factorPendingStyle();
    static QString factorDisabledStyle();

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
    struct FoldOutList {
        QPushButton *button = nullptr;
        QGraphicsProxyWidget *panel = nullptr;
        QStringList names;
        QPoint at;
        QByteArray slotStem;
    };

    // The widgets that show a control of the table.
    Widgets &widgetsOf(Control id) { return m_widgets[int(id)]; }
    const Widgets &widgetsOf(Control id) const { return m_widgets[int(id)]; }
    bool has(Control id) const { return ControlTable::has(*m_series, id); }

    // Construction. Labels and value boxes at an anchor are named after it.
    QLabel *label(const QString &text, const QString &anchor);
    void fixedLabel(const QString &text, const QString &anchor);
    QLineEdit *valueBox(const QString &anchor);
    void buildControl(const ControlTable::Row &row);
    void addCombo(Control id);
    void addRadios(Control id, int count, int first = 0);
    static QByteArray slotSignature(const ControlTable::Row &row, int radio = 0, bool textChanged = false);
    void linkToSlot(QObject *sender, const char *signal, const QByteArray &slot);
    void buildFixedLabels();
    void buildFlexiblePll();
    void buildMultiplierPll();
    void buildAdc();
    void buildPeripheralSelectors();
    void buildClockOutputs();
    void buildPanel();

    // Each control painted as the presentation of the document says, signals blocked.
    void paintControl(const ControlPresentation &shown);
    void paintCombo(const ControlPresentation &shown);
    void paintRadios(const ControlPresentation &shown);
    void paintEntry(const ControlPresentation &shown);
    void paintLabel(const ControlPresentation &shown);
    void showEntryText(Control id, const QString &text);
    void fitEntryWidth(QLineEdit *edit);
    void setControlSignalsBlocked(bool blocked);
    QWidget *presentedWidget(const QString &name);
    QString presentedText(const QString &name) const;

    const SeriesParams *m_series = nullptr;
    bool m_sclkStyled = false;
    QVector<Widgets> m_widgets;
    QVector<QObject *> m_signalSources;
    FoldOutList m_lists[4];

    TreePresentation m_presentation;
    QHash<QString, QWidget *> m_presented; // labels and value boxes by name
};

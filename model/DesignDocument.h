#pragma once

#include "ClockConfig.h"
#include "ClockRules.h"
#include "ControlTable.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

struct SeriesParams;

// One user edit as a value: what a person does to one control of the tree.
struct DesignEdit {
    enum class Action {
        Choose, // picks combo item or radio `index`
        Type,   // types `text` into an entry (not applied yet)
        Commit  // presses Return in an entry
    };
    ControlTable::Control control = ControlTable::Control::Hext;
    Action action = Action::Choose;
    int index = 0;
    QString text;

    static DesignEdit choose(ControlTable::Control control, int index)
    {
        return {control, Action::Choose, index, QString()};
    }
    static DesignEdit type(ControlTable::Control control, const QString &text)
    {
        return {control, Action::Type, 0, text};
    }
    static DesignEdit commit(ControlTable::Control control)
    {
        return {control, Action::Commit, 0, QString()};
    }
};

// A box an edit shows: an error, or a question the user answers.
struct DesignMessage {
    enum class Kind { Error, Question };
    Kind kind = Kind::Error;
    QString text;     // as shown, translated in the series' catalogue context
    bool yes = false; // a question's answer
    // An error that refused a correction changing the crystal (see
    // DesignDocument::setCrystalKept): the crystal it would have set, in MHz.
    double refusedCrystalMHz = 0.0;
};

// Answers the questions of a document. The window asks the user, the
// command-line tool answers from its options, tests from a script.
class DesignPrompter {
public:
    virtual ~DesignPrompter() = default;
    // An error box; the edit that raised it is refused unless it is a
    // correction (which the document says by going on).
    virtual void showError(const QString &text) = 0;
    // A question with "Yes" and "Cancel"; true for "Yes".
    virtual bool askYes(const QString &text) = 0;
};

// What became of one edit.
struct EditOutcome {
    enum class Status {
        Applied,  // the record took it (possibly unchanged)
        Refused,  // an error refused it: the record is as it was
        Cancelled // a question was answered "Cancel": the record is as it was
    };
    Status status = Status::Applied;
    QVector<DesignMessage> messages; // shown and asked, in order
    QStringList changedFields;       // record fields whose value changed
    ClockConfig before{0};
    ClockConfig after{0};

    bool applied() const { return status == Status::Applied; }
    bool changed() const { return !changedFields.isEmpty(); }
};

// What became of opening a design.
struct OpenOutcome {
    QVector<DesignMessage> messages; // shown and asked while opening, each once
};

// What the checks before saving and generating said.
// What an undo step puts back: the record, and the one thing shown that the
// record does not hold (whether the RTC box has left its creation text).
struct DesignState {
    ClockConfig record;
    bool rtcRefreshed = true;
};

struct GateOutcome {
    enum class Status { Passed, Refused, Cancelled };
    Status status = Status::Passed;
    ClockRules::Findings findings; // the refusal, or the warnings that were asked
    ClockConfig record{0};         // Passed: the recomputed record to write

    bool passed() const { return status == Status::Passed; }
};

// The design of one series, with everything an edit does: the reads of the
// entries, the corrections and their questions, the USB retune, the 2..16 MHz
// input correction, the recompute. Windows, the command-line tool and tests
// drive it with edits; a view shows record(), entryText() and the shown
// choices. Questions go to the prompter given (none: every question is
// answered "Cancel" and errors are only recorded).
class DesignDocument {
public:
    enum class Origin { Factory, Opened };

    explicit DesignDocument(int seriesId);

    const SeriesParams &series() const { return *m_series; }
    int seriesId() const { return m_config.seriesId; }
    const ClockConfig &record() const { return m_config; }
    Origin origin() const { return m_origin; }

    void setPrompter(DesignPrompter *prompter) { m_prompter = prompter; }

    // The window corrects a PLL input outside 2..16 MHz by changing the
    // crystal, and says so. A script cannot see that box, and firmware for
    // another crystal runs every clock wrong: with the crystal kept, an edit
    // whose correction would change it is refused instead (its error names
    // the crystal it would have set).
    void setCrystalKept(bool kept) { m_crystalKept = kept; }

    // The text an entry holds (hext, sclk, pllms, pllns); typed text stays
    // until an edit applies it or the record is shown anew.
    QString entryText(ControlTable::Control entry) const;
    // Whether the entry's text is the value the record holds.
    bool entryCommitted(ControlTable::Control entry) const;
    // The item or radio a selection control shows.
    int shownIndex(ControlTable::Control control) const;
    // Whether the entry's text is a number within the entry's range.
    bool entryTextInRange(ControlTable::Control entry) const;
    // Whether the checks refuse the value the entry stands for.
    bool entryRefused(ControlTable::Control entry) const;
    // The RTC frequency box (kHz). A multiplier series' box is created with
    // LICK's "40" and keeps it until an RTC edit, an opening or an undo
    // refreshes it; from then on a disabled RTC shows "0" there (empty on the
    // other series).
    QString rtcText() const;

    // Factory settings of the series.
    void reset();
    // Restores a design from its elements (element name to text), in the
    // series' restore order, as a user setting each control would.
    OpenOutcome open(const QHash<QString, QString> &elements);
    // One user edit; a refused or cancelled edit leaves the record, the
    // entries and the shown choices as they were.
    EditOutcome apply(const DesignEdit &edit);
    // Puts a record in place with its entries shown anew (undo, redo).
    void restore(const DesignState &state);
    DesignState state() const { return {m_config, m_rtcRefreshed}; }

    // The checks before saving and generating: a refusal ends them, each
    // warning is asked.
    GateOutcome passGate();
    ClockRules::Verdict verdict() const { return ClockRules::judge(m_config); }

    // Whether two records hold the same value in every field; the names of the fields that differ.
    static bool sameRecord(const ClockConfig &a, const ClockConfig &b);
    static QStringList differingFields(const ClockConfig &a, const ClockConfig &b);

private:
    using Control = ControlTable::Control;
    struct Snapshot;

    // The prompts of an edit: an error refuses it, a question answered other
    // than "Yes" too; within a refused edit they stay silent; while opening,
    // each text is shown once.
    void showError(const QString &text, double refusedCrystalMHz = 0.0);
    bool askYes(const QString &text);
    void correctionError(const QString &text);

    template <typename Handler> void runUnit(Handler &&handler);
    bool refusedSoFar() const { return m_inUnit && m_unitRefused; }

    // How each control is shown after the record changed.
    void showChoices();
    void showChoice(Control id);
    void showPllFactors();

    // Handler steps.
    void applyChange(Control id, int index, bool checked);
    void applyEntry(Control id);
    void typeText(Control id, const QString &text);
    bool readHext();
    bool readSclk(double &mhz);
    void standardStep();
    void applySclkChange();
    void usbChange(Control id);
    void rtcChange();
    void sclkSourceChange(int index, bool checked);
    bool checkPllInputs();
    bool checkFlexibleFactors();
    void factorReturnPressed(Control id);
    // After each change of the tree: a PLL input off its range is corrected,
    // or else the derived clocks are shown.
    bool correctPllInputAndShowClocks();
    bool checkPllSourceRange();
    bool has(Control id) const { return ControlTable::has(*m_series, id); }

    const SeriesParams *m_series = nullptr;
    ClockConfig m_config;
    Origin m_origin = Origin::Factory;
    DesignPrompter *m_prompter = nullptr;
    bool m_crystalKept = false;

    // What each entry holds, as typed or as shown (a factor with its "/" or "*").
    struct EntryTexts {
        QString hext, sclk, pllMs, pllNs;
    } m_entries;
    QVector<int> m_shown;
    bool m_rtcRefreshed = false; // the RTC box has left its creation text

    bool m_inUnit = false;
    bool m_unitRefused = false;
    bool m_unitCancelled = false;
    bool m_loading = false;
    bool m_restoring = false; // opening sets the elements one by one
    QHash<QString, bool> m_loadAnswers;
    QVector<DesignMessage> *m_messages = nullptr;
};

#pragma once

#include "ControlTable.h"
#include "DesignDocument.h"

#include <QStringList>
#include <QtGlobal>

// Answers a document's questions from a list ("yes", "cancel") and records
// every box: "E:" an error, "Q:text=yes|cancel" a question.
class ScriptedPrompter final : public DesignPrompter {
public:
    QStringList answers;
    QStringList shown;

    void showError(const QString &text) override { shown << QStringLiteral("E:") + text; }
    bool askYes(const QString &text) override
    {
        const bool yes = !answers.isEmpty() && answers.takeFirst() == QLatin1String("yes");
        shown << QStringLiteral("Q:") + text + (yes ? QStringLiteral("=yes") : QStringLiteral("=cancel"));
        return yes;
    }
};

// A control of the control table by its name ("hext", "clockout2PinSelect").
inline ControlTable::Control controlNamed(const QString &name)
{
    const ControlTable::Row *row = ControlTable::rowByName(name);
    if (!row)
        qFatal("no control %s", qPrintable(name));
    return row->id;
}

// "type hext=12", "commit hext", "choose usbdiv=1".
inline DesignEdit editOf(const QString &step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString rest = step.section(QLatin1Char(' '), 1);
    const QString name = rest.section(QLatin1Char('='), 0, 0);
    const QString value = rest.section(QLatin1Char('='), 1);
    if (verb == QLatin1String("type"))
        return DesignEdit::type(controlNamed(name), value);
    if (verb == QLatin1String("commit"))
        return DesignEdit::commit(controlNamed(name));
    return DesignEdit::choose(controlNamed(name), value.toInt());
}

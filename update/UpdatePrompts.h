#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// One notice or question of the update service, described before it is
// shown, every text already translated. The window shows it as a message
// box; the command-line tool answers it from its options.
struct UpdatePrompt {
    enum class Kind { Error, Information, Question, Warning };
    enum class Button { None, Ok, Cancel, Ignore, Abort };

    Kind kind = Kind::Information;
    QString title;
    QString text;
    QList<QPair<Button, QString>> buttons; // in order, with their labels
    QStringList extraButtons;              // action buttons after them (" Open Folder  ")
    Button defaultButton = Button::None;

    static UpdatePrompt make(Kind kind, const QString &title, const QString &text)
    {
        UpdatePrompt prompt;
        prompt.kind = kind;
        prompt.title = title;
        prompt.text = text;
        return prompt;
    }
    UpdatePrompt &withButton(Button button, const QString &label)
    {
        buttons.append({button, label});
        return *this;
    }
    UpdatePrompt &withExtraButton(const QString &label)
    {
        extraButtons.append(label);
        return *this;
    }
};

// A button of the prompt, or the index of an extra one (-1 when none).
struct UpdateAnswer {
    UpdatePrompt::Button button = UpdatePrompt::Button::None;
    int extraIndex = -1;

    bool is(UpdatePrompt::Button b) const { return extraIndex < 0 && button == b; }
    bool isExtra(int index) const { return extraIndex == index; }
};

// Whoever the update service talks to while it runs.
class UpdatePrompts {
public:
    virtual ~UpdatePrompts() = default;

    virtual UpdateAnswer message(const UpdatePrompt &prompt) = 0;
    // The folder for the package; a null string when the user cancelled.
    virtual QString existingDirectory(const QString &caption) = 0;
    // Shows the saved package's folder on the desktop.
    virtual void openFolder(const QString &path) = 0;
    // One transfer's progress: it began (cancel stops it), it moved, it ended.
    virtual void transferStarted(const QUrl &url, const std::function<void()> &cancel) = 0;
    virtual void transferProgress(qint64 received, qint64 total) = 0;
    virtual void transferEnded() = 0;
};

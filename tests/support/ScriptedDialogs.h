#pragma once

#include "DialogService.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

// A DialogService for tests: answers come from a script queued in advance and
// every request is recorded. Installs itself for its lifetime.
//
//   ScriptedDialogs dialogs;
//   dialogs.answerButton(QMessageBox::Yes);
//   widget.doSomething();
//   QCOMPARE(dialogs.requests.first().text, "...");
class ScriptedDialogs final : public DialogService {
public:
    enum class Kind { Message, OpenFile, SaveFile, Directory, OpenUrl, Overwrite, Dialog };

    struct Request {
        Kind kind = Kind::Message;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title; // message title or dialog caption
        QString text;  // message text, file name of an overwrite question
        QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
        QStringList buttonLabels; // labels of the standard buttons, in request order
        QStringList extraButtons;
        QString filter;
        QUrl url;
        QString dialogClass; // class name of a dialog passed to exec()
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    Q_DISABLE_COPY(ScriptedDialogs)

    // Queue answers; each request takes the next queued answer of its kind.
    // Without one, a request gets the "cancel" answer of its kind: Cancel (or
    // the Escape outcome), a null path, no overwrite, Rejected; openUrl succeeds.
    void answerButton(QMessageBox::StandardButton button);
    void answerExtra(int index);
    void answerPath(const QString &path); // open, save or directory dialog
    void answerOpenUrl(bool opened);
    void answerOverwrite(bool replace, bool replaceAll);
    void answerDialog(std::function<int(QDialog &)> handler);

    QList<Request> requests;
    // Recorded URLs that were asked to be opened, for convenience.
    QList<QUrl> openedUrls;

    int count(Kind kind) const;
    // Texts of the recorded requests of one kind, in order.
    QStringList texts(Kind kind = Kind::Message) const;
    const Request *last(Kind kind = Kind::Message) const;
    int pendingAnswers() const { return m_answers.size(); }
    void clear();

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    bool openUrl(const QUrl &url) override;
    OverwriteReply askOverwrite(const QString &fileName) override;
    int exec(QDialog &dialog) override;

private:
    enum class AnswerKind { Button, Path, OpenUrl, Overwrite, Dialog };
    struct Answer {
        AnswerKind kind;
        MessageReply reply;
        QString path;
        bool flag = false;
        OverwriteReply overwrite;
        std::function<int(QDialog &)> handler;
    };
    bool take(AnswerKind kind, Answer &answer);

    QList<Answer> m_answers;
    DialogService *m_previous = nullptr;
};

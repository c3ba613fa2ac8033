#pragma once

#include "DialogService.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

// A DialogService for tests: answers come from a script queued in advance and
// every request is recorded. Installs itself for its lifetime.
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
        QString proposed;    // the name or folder a file dialog starts with
        QString dialogClass; // class name of a dialog passed to exec()
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    Q_DISABLE_COPY(ScriptedDialogs)

    // Each request takes the next queued answer of its kind. Without one it
    // gets the "cancel" answer: Cancel (or what Escape gives), a null path, no
    // overwrite, Rejected; openUrl succeeds.
    void answerButton(QMessageBox::StandardButton button) { m_replies.append({button, -1}); }
    void answerExtra(int index) { m_replies.append({QMessageBox::NoButton, index}); }
    void answerPath(const QString &path) { m_paths.append(path); } // open, save or directory dialog
    void answerOpenUrl(bool opened) { m_opened.append(opened); }
    void answerOverwrite(bool replace, bool replaceAll) { m_overwrites.append({replace, replaceAll}); }
    void answerDialog(std::function<int(QDialog &)> handler) { m_handlers.append(std::move(handler)); }

    QList<Request> requests;
    QList<QUrl> openedUrls;
    int count(Kind kind) const;
    QStringList texts(Kind kind = Kind::Message) const; // texts of the requests of one kind, in order
    const Request *last(Kind kind = Kind::Message) const;
    void clear();

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override;
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override;
    QString existingDirectory(QWidget *, const QString &caption, const QString &) override;
    bool openUrl(const QUrl &url) override;
    OverwriteReply askOverwrite(const QString &fileName) override;
    int exec(QDialog &dialog) override;

private:
    QString record(Kind kind, const QString &title, const QString &proposed, const QString &filter = {});

    QList<MessageReply> m_replies;
    QStringList m_paths;
    QList<bool> m_opened;
    QList<OverwriteReply> m_overwrites;
    QList<std::function<int(QDialog &)>> m_handlers;
    DialogService *m_previous = nullptr;
};

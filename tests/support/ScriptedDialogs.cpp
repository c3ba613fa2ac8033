#include "ScriptedDialogs.h"

#include <QDialog>

namespace {
DialogService *currentService = nullptr;
}

ScriptedDialogs::ScriptedDialogs()
{
    m_previous = currentService;
    currentService = this;
    DialogService::setInstance(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    currentService = m_previous;
    DialogService::setInstance(m_previous);
}

void ScriptedDialogs::answerButton(QMessageBox::StandardButton button)
{
    Answer a{AnswerKind::Button, {}, {}, false, {}, {}};
    a.reply.button = button;
    m_answers.append(a);
}

void ScriptedDialogs::answerExtra(int index)
{
    Answer a{AnswerKind::Button, {}, {}, false, {}, {}};
    a.reply.extraIndex = index;
    m_answers.append(a);
}

void ScriptedDialogs::answerPath(const QString &path)
{
    m_answers.append({AnswerKind::Path, {}, path, false, {}, {}});
}

void ScriptedDialogs::answerOpenUrl(bool opened)
{
    m_answers.append({AnswerKind::OpenUrl, {}, {}, opened, {}, {}});
}

void ScriptedDialogs::answerOverwrite(bool replace, bool replaceAll)
{
    m_answers.append({AnswerKind::Overwrite, {}, {}, false, {replace, replaceAll}, {}});
}

void ScriptedDialogs::answerDialog(std::function<int(QDialog &)> handler)
{
    m_answers.append({AnswerKind::Dialog, {}, {}, false, {}, std::move(handler)});
}

int ScriptedDialogs::count(Kind kind) const
{
    int n = 0;
    for (const Request &r : requests)
        n += r.kind == kind ? 1 : 0;
    return n;
}

QStringList ScriptedDialogs::texts(Kind kind) const
{
    QStringList result;
    for (const Request &r : requests) {
        if (r.kind == kind)
            result << r.text;
    }
    return result;
}

const ScriptedDialogs::Request *ScriptedDialogs::last(Kind kind) const
{
    for (int i = requests.size() - 1; i >= 0; --i) {
        if (requests.at(i).kind == kind)
            return &requests.at(i);
    }
    return nullptr;
}

void ScriptedDialogs::clear()
{
    requests.clear();
    openedUrls.clear();
    m_answers.clear();
}

bool ScriptedDialogs::take(AnswerKind kind, Answer &answer)
{
    for (int i = 0; i < m_answers.size(); ++i) {
        if (m_answers.at(i).kind == kind) {
            answer = m_answers.takeAt(i);
            return true;
        }
    }
    return false;
}

MessageReply ScriptedDialogs::message(const MessageRequest &request)
{
    Request r;
    r.kind = Kind::Message;
    r.icon = request.icon;
    r.title = request.title;
    r.text = request.text;
    r.buttons = request.buttons;
    for (const auto &label : request.labels)
        r.buttonLabels.append(label.second);
    r.extraButtons = request.extraButtons;
    requests.append(r);

    Answer answer;
    if (take(AnswerKind::Button, answer))
        return answer.reply;
    // Unscripted: what Escape does.
    MessageReply reply;
    if (request.buttons.testFlag(QMessageBox::Cancel))
        reply.button = QMessageBox::Cancel;
    else if (request.buttons.testFlag(QMessageBox::Abort))
        reply.button = QMessageBox::Abort;
    else if (request.buttons.testFlag(QMessageBox::Ok))
        reply.button = QMessageBox::Ok;
    return reply;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption, const QString &,
                                      const QString &filter)
{
    Request r;
    r.kind = Kind::OpenFile;
    r.title = caption;
    r.filter = filter;
    requests.append(r);
    Answer answer;
    return take(AnswerKind::Path, answer) ? answer.path : QString();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &caption, const QString &,
                                      const QString &filter)
{
    Request r;
    r.kind = Kind::SaveFile;
    r.title = caption;
    r.filter = filter;
    requests.append(r);
    Answer answer;
    return take(AnswerKind::Path, answer) ? answer.path : QString();
}

QString ScriptedDialogs::existingDirectory(QWidget *, const QString &caption, const QString &)
{
    Request r;
    r.kind = Kind::Directory;
    r.title = caption;
    requests.append(r);
    Answer answer;
    return take(AnswerKind::Path, answer) ? answer.path : QString();
}

bool ScriptedDialogs::openUrl(const QUrl &url)
{
    Request r;
    r.kind = Kind::OpenUrl;
    r.url = url;
    requests.append(r);
    openedUrls.append(url);
    Answer answer;
    return take(AnswerKind::OpenUrl, answer) ? answer.flag : true;
}

OverwriteReply ScriptedDialogs::askOverwrite(const QString &fileName)
{
    Request r;
    r.kind = Kind::Overwrite;
    r.text = fileName;
    requests.append(r);
    Answer answer;
    return take(AnswerKind::Overwrite, answer) ? answer.overwrite : OverwriteReply{};
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    Request r;
    r.kind = Kind::Dialog;
    r.title = dialog.windowTitle();
    r.dialogClass = QString::fromLatin1(dialog.metaObject()->className());
    requests.append(r);
    Answer answer;
    return take(AnswerKind::Dialog, answer) && answer.handler ? answer.handler(dialog)
                                                              : int(QDialog::Rejected);
}

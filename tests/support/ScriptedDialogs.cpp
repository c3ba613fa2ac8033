#include "ScriptedDialogs.h"

#include <QDialog>
#include <algorithm>

namespace {
DialogService *currentService = nullptr;
}

ScriptedDialogs::ScriptedDialogs() : m_previous(currentService)
{
    currentService = this;
    DialogService::setInstance(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    currentService = m_previous;
    DialogService::setInstance(m_previous);
}

int ScriptedDialogs::count(Kind kind) const
{
    return int(
        std::count_if(requests.begin(), requests.end(), [kind](const Request &r) { return r.kind == kind; }));
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
    m_replies.clear();
    m_paths.clear();
    m_opened.clear();
    m_overwrites.clear();
    m_handlers.clear();
}

QString ScriptedDialogs::record(Kind kind, const QString &title, const QString &proposed,
                                const QString &filter)
{
    Request r;
    r.kind = kind;
    r.title = title;
    r.proposed = proposed;
    r.filter = filter;
    requests.append(r);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

MessageReply ScriptedDialogs::message(const MessageRequest &request)
{
    Request r;
    r.icon = request.icon;
    r.title = request.title;
    r.text = request.text;
    r.buttons = request.buttons;
    for (const auto &label : request.labels)
        r.buttonLabels.append(label.second);
    r.extraButtons = request.extraButtons;
    requests.append(r);
    if (!m_replies.isEmpty())
        return m_replies.takeFirst();
    MessageReply escape;
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::Abort, QMessageBox::Ok}) {
        if (escape.button == QMessageBox::NoButton && request.buttons.testFlag(b))
            escape.button = b;
    }
    return escape;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return record(Kind::OpenFile, caption, dir, filter);
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return record(Kind::SaveFile, caption, dir, filter);
}

QString ScriptedDialogs::existingDirectory(QWidget *, const QString &caption, const QString &dir)
{
    return record(Kind::Directory, caption, dir);
}

bool ScriptedDialogs::openUrl(const QUrl &url)
{
    Request r;
    r.kind = Kind::OpenUrl;
    requests.append(r);
    openedUrls.append(url);
    return m_opened.isEmpty() || m_opened.takeFirst();
}

OverwriteReply ScriptedDialogs::askOverwrite(const QString &fileName)
{
    Request r;
    r.kind = Kind::Overwrite;
    r.text = fileName;
    requests.append(r);
    return m_overwrites.isEmpty() ? OverwriteReply{} : m_overwrites.takeFirst();
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    Request r;
    r.kind = Kind::Dialog;
    r.title = dialog.windowTitle();
    r.dialogClass = QString::fromLatin1(dialog.metaObject()->className());
    requests.append(r);
    return m_handlers.isEmpty() ? int(QDialog::Rejected) : m_handlers.takeFirst()(dialog);
}

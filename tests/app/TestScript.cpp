#include "TestScript.h"

#include "FormConfiguration.h"
#include "QXMCUPLL.h"
#include "QXPLLConfig.h"
#include "RecoveryStore.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

void say(const QString &line)
{
    QString text = line;
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QMessageBox::StandardButton buttonNamed(const QString &name)
{
    static const QList<QPair<QString, QMessageBox::StandardButton>> names{
        {QStringLiteral("Yes"), QMessageBox::Yes},
        {QStringLiteral("No"), QMessageBox::No},
        {QStringLiteral("Ok"), QMessageBox::Ok},
        {QStringLiteral("Cancel"), QMessageBox::Cancel}};
    for (const auto &entry : names) {
        if (entry.first == name)
            return entry.second;
    }
    return QMessageBox::Cancel;
}

} // namespace

std::unique_ptr<TestScript> TestScript::fromFile(const QString &fileName, FormConfiguration &window)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        say(QStringLiteral("error cannot read ") + fileName);
        return nullptr;
    }
    return std::unique_ptr<TestScript>(
        new TestScript(window, QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))));
}

TestScript::TestScript(FormConfiguration &window, const QStringList &lines) : m_window(window)
{
    for (const QString &line : lines) {
        const QString step = line.trimmed();
        const int blank = step.indexOf(QLatin1Char(' '));
        const QString word = step.left(blank);
        const QString rest = blank < 0 ? QString() : step.mid(blank + 1);
        if (word == QLatin1String("answer"))
            m_answers << buttonNamed(rest);
        else if (word == QLatin1String("path"))
            m_paths << rest;
        else if (!word.isEmpty())
            m_steps << step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    DialogService::setInstance(this);
}

TestScript::~TestScript()
{
    DialogService::setInstance(nullptr);
}

bool TestScript::run()
{
    for (const QStringList &step : qAsConst(m_steps)) {
        const QString &word = step.first();
        if (word == QLatin1String("choose") && step.size() == 3) {
            QXMCUPLL *widget = m_window.workspace()->currentWidget();
            auto *box = widget ? widget->findControl<QComboBox>(step.at(1)) : nullptr;
            if (!box) {
                say(QStringLiteral("error no combo box ") + step.at(1));
                return false;
            }
            box->setCurrentIndex(step.at(2).toInt());
        } else if (word == QLatin1String("wait") && step.size() == 2) {
            QEventLoop loop;
            QTimer::singleShot(step.at(1).toInt(), &loop, &QEventLoop::quit);
            loop.exec();
        } else if (word == QLatin1String("delay") && step.size() == 2) {
            auto *store = m_window.findChild<RecoveryStore *>();
            if (!store) {
                say(QStringLiteral("error no crash recovery"));
                return false;
            }
            store->setDelay(step.at(1).toInt());
        } else if (word == QLatin1String("title")) {
            say(QStringLiteral("title ") +
                (m_window.windowHandle() ? m_window.windowHandle()->title() : m_window.windowTitle()));
        } else if (word == QLatin1String("save")) {
            m_window.action(FormConfiguration::SaveAction)->trigger();
        } else if (word == QLatin1String("close")) {
            m_window.close();
        } else {
            say(QStringLiteral("error unknown step ") + step.join(QLatin1Char(' ')));
            return false;
        }
    }
    return true;
}

MessageReply TestScript::message(const MessageRequest &request)
{
    say(QStringLiteral("message ") + request.title + QStringLiteral(" | ") + request.text);
    MessageReply reply;
    reply.button = m_answers.isEmpty() ? QMessageBox::Cancel : m_answers.takeFirst();
    return reply;
}

QString TestScript::nextPath(const QString &kind, const QString &caption)
{
    say(kind + QLatin1Char(' ') + caption);
    return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
}

QString TestScript::openFileName(QWidget *, const QString &caption, const QString &, const QString &)
{
    return nextPath(QStringLiteral("file"), caption);
}

QString TestScript::saveFileName(QWidget *, const QString &caption, const QString &, const QString &)
{
    return nextPath(QStringLiteral("file"), caption);
}

QString TestScript::existingDirectory(QWidget *, const QString &caption, const QString &)
{
    return nextPath(QStringLiteral("folder"), caption);
}

bool TestScript::openUrl(const QUrl &url)
{
    say(QStringLiteral("url ") + url.toString());
    return true;
}

OverwriteReply TestScript::askOverwrite(const QString &fileName)
{
    say(QStringLiteral("overwrite ") + fileName);
    return {};
}

int TestScript::exec(QDialog &dialog)
{
    say(QStringLiteral("dialog ") + QLatin1String(dialog.metaObject()->className()));
    return QDialog::Rejected;
}

// The update command, built as the module tickforge-cli-update.so that
// tickforge-cli loads when the command runs (CliUpdateLoader.cpp).
#include "CliUpdate.h"

#include "CliOutput.h"
#include "DownloadTransfer.h"
#include "UpdatePrompts.h"
#include "UpdateService.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegExp>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// Answers the check's questions as the command line asked: the download
// question (always the first) with --download, the overwrite question with
// --overwrite, a certificate question never. Errors go to standard error;
// progress is a line rewritten in place when a person watches.
class UpdateAnswers final : public UpdatePrompts {
public:
    UpdateAnswers(const QString &directory, bool overwrite) : m_directory(directory), m_overwrite(overwrite)
    {}

    UpdateAnswer message(const UpdatePrompt &prompt) override
    {
        UpdateAnswer answer;
        switch (prompt.kind) {
        case UpdatePrompt::Kind::Question: {
            const bool yes = m_questions++ == 0 ? !m_directory.isNull() : m_overwrite;
            answer.button = yes ? UpdatePrompt::Button::Ok : UpdatePrompt::Button::Cancel;
            break;
        }
        case UpdatePrompt::Kind::Information:
            break;
        case UpdatePrompt::Kind::Error:
        case UpdatePrompt::Kind::Warning: // a certificate question: nobody is there to waive it
            print(stderr, prompt.title + QStringLiteral(": ") + prompt.text + QLatin1Char('\n'));
            answer.button = prompt.kind == UpdatePrompt::Kind::Error ? UpdatePrompt::Button::Ok
                                                                     : UpdatePrompt::Button::Abort;
            break;
        }
        return answer;
    }
    QString existingDirectory(const QString &) override { return m_directory; }
    void openFolder(const QString &) override {}
    void transferStarted(const QUrl &, const std::function<void()> &) override { m_timer.invalidate(); }
    void transferProgress(qint64 received, qint64 total) override;
    void transferEnded() override {}

    bool progressShown() const { return m_progressShown; }

private:
    QString m_directory;
    bool m_overwrite = false;
    int m_questions = 0;
    bool m_watched = isatty(fileno(stderr)) != 0;
    bool m_progressShown = false;
    QElapsedTimer m_timer;
};

// "Downloading 12.3 of 200.0 MB" rewritten in place.
void UpdateAnswers::transferProgress(qint64 received, qint64 total)
{
    // Small transfers (the list) pass too quickly to watch.
    if (!m_watched || (total >= 0 && total < 1000000) ||
        (m_timer.isValid() && m_timer.elapsed() < 100 && received != total))
        return;
    m_timer.start();
    m_progressShown = true;
    const QString size = total < 0 ? QString() : QStringLiteral(" of %1").arg(total / 1e6, 0, 'f', 1);
    print(stderr, QStringLiteral("\rDownloading %1%2 MB ").arg(received / 1e6, 0, 'f', 1).arg(size));
}

struct UpdateLine {
    QString base;
    QString directory; // null: only report
    QString sha256;
    bool overwrite = false;
};

// Fills line from arguments; an error text when they do not fit.
QString parseUpdateLine(const QStringList &arguments, UpdateLine &line)
{
    for (int i = 0; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        QString value;
        const int equals = option.indexOf(QLatin1Char('='));
        const bool inlineValue = option.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = option.mid(equals + 1);
            option.truncate(equals);
        }
        if (option == QLatin1String("--overwrite") && !inlineValue) {
            line.overwrite = true;
            continue;
        }
        QString *target = option == QLatin1String("--base")       ? &line.base
                          : option == QLatin1String("--download") ? &line.directory
                          : option == QLatin1String("--sha256")   ? &line.sha256
                                                                  : nullptr;
        if (!target)
            return QStringLiteral("update: unknown argument \"%1\"").arg(arguments.at(i));
        if (!inlineValue && ++i >= arguments.size())
            return QStringLiteral("update: %1 needs a value").arg(option);
        *target = inlineValue ? value : arguments.at(i);
        if (target->isEmpty())
            return QStringLiteral("update: %1 needs a value").arg(option);
    }
    if (!line.directory.isNull() && !QFileInfo(line.directory).isDir())
        return QStringLiteral("update: \"%1\" is not a directory").arg(line.directory);
    if (!line.sha256.isNull() && !QRegExp(QStringLiteral("[0-9a-fA-F]{64}")).exactMatch(line.sha256))
        return QStringLiteral("update: --sha256 needs 64 hexadecimal digits");
    return QString();
}

// SIGINT and SIGTERM stop the check as its Cancel button would, so that it
// removes its temporary folder and any partial package before the tool
// exits with 128 + the signal's number. The handler only writes the
// signal's number to a pipe; the event loop of the running transfer reads it.
class SignalStop final {
public:
    SignalStop()
    {
        if (pipe(s_pipe) != 0)
            return;
        for (const int end : s_pipe)
            fcntl(end, F_SETFD, FD_CLOEXEC);
        fcntl(s_pipe[1], F_SETFL, O_NONBLOCK);
        m_notifier.reset(new QSocketNotifier(s_pipe[0], QSocketNotifier::Read));
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
            unsigned char number = 0;
            if (read(s_pipe[0], &number, 1) == 1 && m_signal == 0) {
                m_signal = number;
                UpdateCheck::cancelRunningCheck();
            }
        });
        struct sigaction action = {};
        action.sa_handler = &SignalStop::handle;
        sigemptyset(&action.sa_mask);
        // A second signal ends the tool at once, the usual way.
        action.sa_flags = SA_RESETHAND;
        for (const int number : {SIGINT, SIGTERM})
            sigaction(number, &action, nullptr);
    }
    ~SignalStop()
    {
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        m_notifier.reset();
        for (int &end : s_pipe) {
            if (end >= 0)
                close(end);
            end = -1;
        }
    }
    Q_DISABLE_COPY(SignalStop)

    int signal() const { return m_signal; }

private:
    static void handle(int number)
    {
        const int saved = errno;
        const unsigned char byte = static_cast<unsigned char>(number);
        if (write(s_pipe[1], &byte, 1) < 0) {
            // Nothing to do: the pipe is full or gone.
        }
        errno = saved;
    }

    static int s_pipe[2];
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_signal = 0;
};
int SignalStop::s_pipe[2] = {-1, -1};

int exitStatus(UpdateCheck::Outcome outcome, bool downloading)
{
    switch (outcome) {
    case UpdateCheck::Outcome::UpToDate:
    case UpdateCheck::Outcome::Downloaded:
        return CliDone;
    case UpdateCheck::Outcome::Declined:
        return downloading ? CliUpdateFailed : CliNewerVersion;
    case UpdateCheck::Outcome::NotReplaced:
        return CliExists;
    case UpdateCheck::Outcome::NotSaved: // a full disk, say: the I/O status
        return CliGenFailed;
    default:
        return CliUpdateFailed;
    }
}

} // namespace

namespace {

int runUpdateCommand(const QStringList &arguments)
{
    UpdateLine line;
    const QString error = parseUpdateLine(arguments, line);
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("tickforge-cli: ") + error +
                          QStringLiteral("\nTry \"tickforge-cli --help\".\n"));
        return CliUsage;
    }

    UpdateCheck::Settings settings = UpdateCheck::defaultSettings();
    if (!line.base.isEmpty()) {
        const QString base = line.base.endsWith(QLatin1Char('/')) ? line.base : line.base + QLatin1Char('/');
        settings.englishBase = settings.chineseBase = base;
        settings.httpsOnly = false; // a list over https still needs an https package
    }
    settings.certificatePrompt = false; // nobody is there to answer
    settings.expectedSha256 = line.sha256;
    UpdateAnswers answers(line.directory, line.overwrite);
    DownloadTransfer downloader(answers);
    SignalStop stop;
    const UpdateCheck::Result result = UpdateCheck::runCheck(downloader, 0, settings);
    if (answers.progressShown())
        print(stderr, QStringLiteral("\n"));
    if (stop.signal() != 0) {
        print(stderr, QStringLiteral("tickforge-cli: update: stopped by a signal\n"));
        return 128 + stop.signal();
    }
    if (!result.version.isEmpty()) {
        const bool newer = result.outcome != UpdateCheck::Outcome::UpToDate;
        print(stdout, QStringLiteral("version %1\ncurrent %2\nnewer %3\n")
                          .arg(result.version, QLatin1String(UpdateCheck::programVersionText()),
                               newer ? QStringLiteral("yes") : QStringLiteral("no")));
    }
    if (!result.signatureChecked)
        print(stdout, QStringLiteral("signature: not checked (this build has no key)\n"));
    if (result.outcome == UpdateCheck::Outcome::Downloaded)
        print(stdout, QStringLiteral("saved %1\n").arg(result.packagePath));
    if (result.outcome == UpdateCheck::Outcome::NotReplaced)
        print(stderr,
              QStringLiteral("tickforge-cli: update: the package's file exists in \"%1\"; --overwrite "
                             "replaces it\n")
                  .arg(line.directory));
    return exitStatus(result.outcome, !line.directory.isNull());
}

} // namespace

extern "C" Q_DECL_EXPORT int tickforgeCliUpdate(const QStringList *arguments)
{
    return runUpdateCommand(*arguments);
}

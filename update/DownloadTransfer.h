#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QSslError>
#include <QTimer>
#include <QUrl>

#include <memory>

class StagedFile;
class UpdatePrompts;

// Downloads one file from an http or https address into a directory.
// download() returns only when the transfer has ended (it runs a local event
// loop); every problem is told through the prompts, the caller only learns
// the outcome. Needs QtCore and QtNetwork only: the window wraps it in
// HttpsDownload with a progress dialog, the command-line tool uses it bare.
//
// The body goes to a file in a private folder beside the target that
// replaces the target only when the whole transfer succeeded and the file
// on the disk has been read back: its length must be what was received
// (and announced), its SHA-256 the expected one when one is given. So a
// cancelled or failed download, or a full disk, never leaves a partial file
// nor costs the user an older copy.
class DownloadTransfer : public QObject {
    // Its texts are the downloader's, whoever shows them.
    Q_DECLARE_TR_FUNCTIONS(HttpsDownload)

public:
    enum class Result { Done, Busy, InvalidAddress, NotReplaced, SaveFailed, Cancelled, Failed };

    explicit DownloadTransfer(UpdatePrompts &prompts);
    ~DownloadTransfer() override;
    Q_DISABLE_COPY(DownloadTransfer)

    // url: the address (surrounding white space ignored). path: on entry the
    // target directory; once the target name is known, its full path.
    // versionSuffix, when not empty, goes into the name: Tool.zip -> Tool_V<suffix>.zip.
    bool download(QString url, QString &path, QString versionSuffix);
    // How the last download() ended, and the text of its failure, if any.
    Result result() const { return m_result; }
    QString failureText() const { return m_failureText; }
    UpdatePrompts &prompts() const { return m_prompts; }

    // Hex SHA-256 the next download must match (empty: not checked).
    void setExpectedSha256(const QString &hex);
    // A transfer that receives less than the minimum progress in any period
    // of this length fails (default 30 s), so a server that sends a byte now
    // and then cannot hold it open for ever.
    void setInactivityTimeout(int msecs);
    void setMinimumProgress(qint64 bytes) { m_minimumProgress = bytes; }
    // The whole download, redirects included, must end within this (0: no limit).
    void setDeadline(int msecs);
    // On: a body whose end the server does not mark (by its length or the
    // last chunk) fails, since a cut connection would look the same.
    void setRequireMarkedEnd(bool on) { m_requireMarkedEnd = on; }
    // A body larger than this fails (default 1 GiB).
    void setMaximumSize(qint64 bytes) { m_maximumSize = bytes; }
    // Off: a certificate error fails the transfer and nobody is asked.
    void setCertificatePrompt(bool ask) { m_certificatePrompt = ask; }
    // On: every address, redirects included, must be https.
    void setHttpsOnly(bool on) { m_httpsOnly = on; }
    // On: failures are only kept in failureText(), not shown.
    void setQuiet(bool on) { m_quiet = on; }
    // Stops the running transfer, as a progress dialog's Cancel does.
    void cancelDownload();
    // Cancels the running transfer and every later one (for a signal handler).
    void cancelForGood();

    static constexpr int MaxRedirects = 10;
    static constexpr int DefaultInactivityTimeoutMs = 30 * 1000;
    static constexpr qint64 DefaultMinimumProgress = 16 * 1024;
    static constexpr qint64 DefaultMaximumSize = qint64(1) << 30;

private:
    bool prepare(const QString &address, QString &path, const QString &versionSuffix, QUrl &source);
    void startRequest(const QUrl &requestedUrl);
    void httpFinished();
    void httpReadyRead();
    void sslErrors(QNetworkReply *reply, const QList<QSslError> &errors);
    bool openFileForWrite(const QString &fileName);
    void discardFile();
    QString keepFile();
    QString saveProblem(int errorNumber) const;
    void fail(const QString &reason);
    void finish(Result result);
    void onMetaDataChanged();
    void onInactivity();
    QString incompleteBody(const QNetworkReply *finished) const;
    static bool endUnmarked(const QNetworkReply *finished);
    QString replyProblem(const QNetworkReply *finished) const;
    static QString encodingProblem(const QNetworkReply *finished);
    bool checkRedirect(const QUrl &target, QString &reason) const;
    void showError(const QString &text);
    void endProgress();

    UpdatePrompts &m_prompts;
    // The fields below keep the names the rest of the program knows them by.
    QEventLoop loop;
    QUrl url;
    QNetworkReply *reply = nullptr;
    QNetworkRequest request;
    std::unique_ptr<StagedFile> file;
    bool requestAborted = false;
    bool succeeded = false;

    QTimer m_inactivity;
    QTimer m_deadline;
    QByteArray m_chunk;          // read buffer, reused
    QByteArray m_nextSha256;     // set for the next download
    QByteArray m_expectedSha256; // lower-case hex for this one, empty when not checked
    QString m_fileName;          // full name of the target file
    QString m_failure;           // reason that ended the running transfer
    QString m_failureText;       // message of the last failure
    Result m_result = Result::Done;
    bool m_writeFailed = false;
    bool m_running = false;
    bool m_loopRunning = false;
    bool m_transferEnded = false;
    bool m_progressShown = false;
    bool m_certificatePrompt = true;
    bool m_httpsOnly = false;
    bool m_quiet = false;
    bool m_requireMarkedEnd = false;
    bool m_cancelledForGood = false;
    int m_redirects = 0;
    qint64 m_received = 0;
    qint64 m_announced = -1;       // the body's length as the server gave it; -1: not given
    qint64 m_receivedAtWindow = 0; // m_received when the current progress period began
    qint64 m_minimumProgress = DefaultMinimumProgress;
    qint64 m_maximumSize = DefaultMaximumSize;
};

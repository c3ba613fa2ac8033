#pragma once

#include "Crypto.h"

#include <QAuthenticator>
#include <QByteArray>
#include <QDialog>
#include <QEventLoop>
#include <QList>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslError>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

class QSaveFile;
class QTemporaryDir;
class ProgressDialog;

// Downloads one file from an http or https address into a directory, with a
// progress dialog the user can cancel. download() returns only when the
// transfer has ended (it runs a local event loop); every problem is reported
// to the user through the dialog seam, the caller only learns the outcome.
//
// The body goes to a temporary file beside the target that replaces the
// target only when the whole transfer succeeded, so a cancelled or failed
// download never leaves a partial file nor costs the user an older copy.
class HttpsDownload : public QDialog {
    Q_OBJECT

public:
    enum class Result { Done, Busy, InvalidAddress, NotReplaced, SaveFailed, Cancelled, Failed };

    explicit HttpsDownload(QWidget *progressParent);
    ~HttpsDownload() override;

    // url: the address (surrounding white space ignored). path: on entry the
    // target directory; once the target name is known, its full path.
    // versionSuffix, when not empty, goes into the name: Tool.zip -> Tool_V<suffix>.zip.
    bool download(QString url, QString &path, QString versionSuffix);
    // How the last download() ended, and the text of its failure, if any.
    Result result() const { return m_result; }
    QString failureText() const { return m_failureText; }

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
    void setMaximumSize(qint64 bytes);
    // Off: a certificate error fails the transfer and nobody is asked.
    void setCertificatePrompt(bool ask) { m_certificatePrompt = ask; }
    // On: every address, redirects included, must be https.
    void setHttpsOnly(bool on) { m_httpsOnly = on; }
    // On: failures are only kept in failureText(), not shown.
    void setQuiet(bool on) { m_quiet = on; }
    // Cancels the running transfer and every later one (for a signal handler).
    void cancelForGood();
    // Set: progress goes to this function instead of a progress dialog.
    void setProgressReporter(std::function<void(qint64 received, qint64 total)> reporter);

    static constexpr int MaxRedirects = 10;
    static constexpr int DefaultInactivityTimeoutMs = 30 * 1000;
    static constexpr qint64 DefaultMinimumProgress = 16 * 1024;
    static constexpr qint64 DefaultMaximumSize = qint64(1) << 30;

private slots:
    void cancelDownload();
    void httpFinished();
    void httpReadyRead();
    void slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator);
    void sslErrors(QNetworkReply *reply, const QList<QSslError> &errors);

private:
    bool prepare(const QString &address, QString &path, const QString &versionSuffix, QUrl &source);
    void startRequest(const QUrl &requestedUrl);
    QSaveFile *openFileForWrite(const QString &fileName);
    void discardFile();
    bool commitFile();
    void fail(const QString &reason);
    void finish(Result result);
    void onMetaDataChanged();
    void onInactivity();
    QString incompleteBody(const QNetworkReply *finished) const;
    static bool endUnmarked(const QNetworkReply *finished);
    QString replyProblem(const QNetworkReply *finished) const;
    bool checkRedirect(const QUrl &target, QString &reason) const;
    void showError(const QString &text);

    // The fields below keep the names the rest of the program knows them by.
    QEventLoop loop;
    QWidget *progressParent = nullptr;
    QUrl url;
    QNetworkReply *reply = nullptr;
    QNetworkRequest request;
    QSaveFile *file = nullptr;
    bool requestAborted = false;
    bool succeeded = false;

    QPointer<ProgressDialog> m_progress;
    std::function<void(qint64, qint64)> m_reporter;
    QTimer m_inactivity;
    QTimer m_deadline;
    Sha256 m_hash;
    QByteArray m_chunk; // read buffer, reused
    // Set while the target name is a symbolic link: the body is saved here
    // first and then takes the place of the link itself, never of its target.
    std::unique_ptr<QTemporaryDir> m_staging;
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
    bool m_certificatePrompt = true;
    bool m_httpsOnly = false;
    bool m_quiet = false;
    bool m_requireMarkedEnd = false;
    bool m_cancelledForGood = false;
    int m_redirects = 0;
    qint64 m_received = 0;
    qint64 m_receivedAtWindow = 0; // m_received when the current progress period began
    qint64 m_minimumProgress = DefaultMinimumProgress;
    qint64 m_maximumSize = DefaultMaximumSize;
};

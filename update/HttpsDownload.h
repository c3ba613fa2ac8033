#pragma once

#include <QAuthenticator>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDialog>
#include <QEventLoop>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslError>
#include <QTimer>
#include <QUrl>

class QSaveFile;
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
    explicit HttpsDownload(QWidget *progressParent);
    ~HttpsDownload() override;

    // url: the address (surrounding white space ignored). path: on entry the
    // target directory; once the target name is known, its full path.
    // versionSuffix, when not empty, goes into the name: Tool.zip -> Tool_V<suffix>.zip.
    bool download(QString url, QString &path, QString versionSuffix);

    // Hex SHA-256 the next download must match (empty: not checked).
    void setExpectedSha256(const QString &hex);
    // A transfer that receives nothing for this long fails (default 30 s).
    void setInactivityTimeout(int msecs);
    // A body larger than this fails (default 1 GiB).
    void setMaximumSize(qint64 bytes);

    static constexpr int MaxRedirects = 10;
    static constexpr int DefaultInactivityTimeoutMs = 30 * 1000;
    static constexpr qint64 DefaultMaximumSize = qint64(1) << 30;

private slots:
    void cancelDownload();
    void httpFinished();
    void httpReadyRead();
    void slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator);
    void sslErrors(QNetworkReply *reply, const QList<QSslError> &errors);

private:
    void startRequest(const QUrl &requestedUrl);
    QSaveFile *openFileForWrite(const QString &fileName);
    void discardFile();
    bool commitFile();
    void fail(const QString &reason);
    void finish(bool ok);
    void onMetaDataChanged();
    void onInactivity();
    bool checkRedirect(const QUrl &target, QString &reason) const;
    void showError(const QString &text);

    // The fields below keep the names the rest of the program knows them by.
    QEventLoop loop;
    QWidget *progressParent = nullptr;
    QUrl url;
    QNetworkAccessManager manager;
    QNetworkReply *reply = nullptr;
    QNetworkRequest request;
    QSaveFile *file = nullptr;
    bool requestAborted = false;
    bool succeeded = false;

    QPointer<ProgressDialog> m_progress;
    QTimer m_inactivity;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QByteArray m_nextSha256;     // set for the next download
    QByteArray m_expectedSha256; // lower-case hex for this one, empty when not checked
    QString m_fileName;          // full name of the target file
    QString m_failure;           // reason that ended the running transfer
    bool m_writeFailed = false;
    bool m_loopRunning = false;
    bool m_transferEnded = false;
    int m_redirects = 0;
    qint64 m_received = 0;
    qint64 m_maximumSize = DefaultMaximumSize;
};

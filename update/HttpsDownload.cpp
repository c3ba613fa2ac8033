#include "HttpsDownload.h"

#include "DialogService.h"
#include "ProgressDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QStringList>

namespace {

// How much the reply may buffer ahead of the disk; keeps memory flat for any size.
constexpr qint64 ReadBufferSize = 1024 * 1024;

bool isHttpScheme(const QUrl &address)
{
    const QString scheme = address.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// A name taken from a server must stay inside the chosen directory.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            return false;
    }
    return true;
}

bool isSha256Hex(const QByteArray &hex)
{
    if (hex.size() != 64)
        return false;
    for (const char c : hex) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

HttpsDownload::HttpsDownload(QWidget *progressParent) : QDialog(nullptr), progressParent(progressParent)
{
    // Verify the server against the system's certificates; the SSL-errors
    // question is the only way past a certificate the system does not trust.
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    ssl.setProtocol(QSsl::TlsV1_2OrLater);
    request.setSslConfiguration(ssl);
    // Redirects are followed by hand so that each hop can be checked.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

    m_inactivity.setSingleShot(true);
    m_inactivity.setInterval(DefaultInactivityTimeoutMs);
    connect(&m_inactivity, &QTimer::timeout, this, &HttpsDownload::onInactivity);

    connect(&manager, &QNetworkAccessManager::authenticationRequired, this,
            &HttpsDownload::slotAuthenticationRequired);
    connect(&manager, &QNetworkAccessManager::sslErrors, this, &HttpsDownload::sslErrors);
}

HttpsDownload::~HttpsDownload()
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
    }
    discardFile();
    delete m_progress.data();
}

void HttpsDownload::setExpectedSha256(const QString &hex)
{
    m_nextSha256 = hex.trimmed().toLower().toLatin1();
}

void HttpsDownload::setInactivityTimeout(int msecs)
{
    m_inactivity.setInterval(msecs);
}

void HttpsDownload::setMaximumSize(qint64 bytes)
{
    m_maximumSize = bytes;
}

bool HttpsDownload::download(QString address, QString &path, QString versionSuffix)
{
    m_expectedSha256 = m_nextSha256;
    m_nextSha256.clear();

    const QString invalid = tr("Invalid URL : ") + address;
    const QString typed = address.trimmed();
    if (typed.isEmpty()) {
        showError(invalid);
        return false;
    }
    const QUrl source = QUrl::fromUserInput(typed);
    if (!source.isValid() || !isHttpScheme(source)) {
        showError(invalid);
        return false;
    }
    QString name = source.fileName(QUrl::FullyDecoded);
    if (!isPlainFileName(name)) {
        showError(invalid);
        return false;
    }
    if (!versionSuffix.isEmpty()) {
        const QFileInfo info(name);
        name =
            info.completeBaseName() + QLatin1String("_V") + versionSuffix + QLatin1Char('.') + info.suffix();
        if (!isPlainFileName(name)) {
            showError(invalid);
            return false;
        }
    }
    if (!m_expectedSha256.isEmpty() && !isSha256Hex(m_expectedSha256)) {
        showError(tr("Download failed: ") + tr("The expected SHA-256 checksum is not valid."));
        return false;
    }

    name = path.isEmpty() ? name : path + QLatin1Char('/') + name;
    if (QFileInfo::exists(name)) {
        const MessageReply answer = DialogService::instance().message(
            MessageRequest::make(QMessageBox::Question, tr("Overwrite Existing File"),
                                 name + tr(" already exists in the current directory. Overwrite?"))
                .withButton(QMessageBox::Ok, tr("Ok"))
                .withButton(QMessageBox::Cancel, tr("Cancel")));
        if (!answer.is(QMessageBox::Ok))
            return false;
        // The old file stays until the new one has arrived in full.
    }

    file = openFileForWrite(name);
    if (!file)
        return false;
    path = name;
    m_fileName = name;

    succeeded = false;
    m_transferEnded = false;
    m_redirects = 0;
    startRequest(source);
    if (!m_transferEnded) {
        m_loopRunning = true;
        loop.exec();
        m_loopRunning = false;
    }
    return succeeded;
}

void HttpsDownload::startRequest(const QUrl &requestedUrl)
{
    url = requestedUrl;
    requestAborted = false;
    m_failure.clear();
    m_writeFailed = false;
    m_received = 0;
    m_hash.reset();

    request.setUrl(url);
    reply = manager.get(request);
    reply->setReadBufferSize(ReadBufferSize);
    connect(reply, &QNetworkReply::finished, this, &HttpsDownload::httpFinished);
    connect(reply, &QIODevice::readyRead, this, &HttpsDownload::httpReadyRead);
    connect(reply, &QNetworkReply::metaDataChanged, this, &HttpsDownload::onMetaDataChanged);
    connect(reply, &QNetworkReply::downloadProgress, &m_inactivity, qOverload<>(&QTimer::start));

    m_progress = new ProgressDialog(url, progressParent);
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_progress.data(), &QProgressDialog::canceled, this, &HttpsDownload::cancelDownload);
    connect(reply, &QNetworkReply::downloadProgress, m_progress.data(),
            &ProgressDialog::networkReplyProgress);
    connect(reply, &QNetworkReply::finished, m_progress.data(), &QWidget::hide);
    m_progress->show();

    m_inactivity.start();
}

QSaveFile *HttpsDownload::openFileForWrite(const QString &fileName)
{
    auto *saveFile = new QSaveFile(fileName);
    if (!saveFile->open(QIODevice::WriteOnly)) {
        showError(tr("Unable to save the file ") + QDir::toNativeSeparators(fileName));
        delete saveFile;
        return nullptr;
    }
    return saveFile;
}

void HttpsDownload::httpReadyRead()
{
    if (!reply)
        return;
    m_inactivity.start();
    const QByteArray data = reply->readAll();
    if (!file || !m_failure.isEmpty() || m_writeFailed)
        return;
    m_received += data.size();
    if (m_received > m_maximumSize) {
        fail(tr("The file exceeds the size limit."));
        return;
    }
    m_hash.addData(data);
    if (file->write(data) != data.size()) {
        m_writeFailed = true;
        if (reply)
            reply->abort();
    }
}

void HttpsDownload::onMetaDataChanged()
{
    if (!reply)
        return;
    m_inactivity.start();
    bool known = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    // A redirect's own body does not count; the size check is for the file.
    const bool redirect = !reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isNull();
    if (known && !redirect && announced > m_maximumSize)
        fail(tr("The file exceeds the size limit."));
}

void HttpsDownload::onInactivity()
{
    fail(tr("The connection timed out."));
}

void HttpsDownload::fail(const QString &reason)
{
    if (m_failure.isEmpty())
        m_failure = reason;
    if (reply)
        reply->abort();
}

void HttpsDownload::cancelDownload()
{
    requestAborted = true;
    if (reply)
        reply->abort();
}

void HttpsDownload::httpFinished()
{
    m_inactivity.stop();
    QNetworkReply *finished = reply;
    if (!finished)
        return;
    reply = nullptr;
    finished->deleteLater();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }

    if (requestAborted) {
        discardFile();
        finish(false);
        return;
    }
    if (m_writeFailed) {
        discardFile();
        showError(tr("Unable to save the file ") + QDir::toNativeSeparators(m_fileName));
        finish(false);
        return;
    }
    QString failure = m_failure;
    if (failure.isEmpty() && finished->error() != QNetworkReply::NoError)
        failure = finished->errorString();
    const QVariant target = finished->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (failure.isEmpty() && !target.isNull()) {
        const QUrl next = url.resolved(target.toUrl());
        if (checkRedirect(next, failure)) {
            ++m_redirects;
            // The redirect's own body is not the file: start it afresh.
            discardFile();
            file = openFileForWrite(m_fileName);
            if (!file) {
                finish(false);
                return;
            }
            startRequest(next);
            return;
        }
    }
    if (failure.isEmpty() && !m_expectedSha256.isEmpty() && m_hash.result().toHex() != m_expectedSha256)
        failure = tr("The file does not match its SHA-256 checksum.");
    if (!failure.isEmpty()) {
        discardFile();
        showError(tr("Download failed: ") + failure);
        finish(false);
        return;
    }
    if (!commitFile()) {
        showError(tr("Unable to save the file ") + QDir::toNativeSeparators(m_fileName));
        finish(false);
        return;
    }
    finish(true);
}

bool HttpsDownload::checkRedirect(const QUrl &target, QString &reason) const
{
    if (m_redirects >= MaxRedirects) {
        reason = tr("The server redirected too many times.");
        return false;
    }
    if (!target.isValid() || !isHttpScheme(target)) {
        reason = tr("Refused a redirect to an unsupported address.");
        return false;
    }
    if (url.scheme() == QLatin1String("https") && target.scheme() == QLatin1String("http")) {
        reason = tr("Refused a redirect from HTTPS to an insecure address.");
        return false;
    }
    return true;
}

void HttpsDownload::slotAuthenticationRequired(QNetworkReply *, QAuthenticator *)
{
    // No credentials are supplied: the server's refusal ends the transfer.
}

void HttpsDownload::sslErrors(QNetworkReply *failing, const QList<QSslError> &errors)
{
    QStringList texts;
    for (const QSslError &error : errors)
        texts.append(error.errorString());

    // The user may take longer than the inactivity limit to answer.
    m_inactivity.stop();
    const MessageReply answer = DialogService::instance().message(
        MessageRequest::make(QMessageBox::Warning, tr("SSL Errors"),
                             tr("One or more SSL errors has occurred: ") +
                                 tr("\n%1").arg(texts.join(QLatin1Char('\n'))))
            .withButton(QMessageBox::Ignore, tr("Ignore"))
            .withButton(QMessageBox::Abort, tr("Abort")));
    // Only the errors the user has seen are waived; anything else still fails.
    if (answer.is(QMessageBox::Ignore) && failing && failing == reply)
        failing->ignoreSslErrors(errors);
    if (reply)
        m_inactivity.start();
}

void HttpsDownload::discardFile()
{
    if (!file)
        return;
    file->cancelWriting();
    delete file; // an uncommitted save file removes its temporary file
    file = nullptr;
}

bool HttpsDownload::commitFile()
{
    if (!file)
        return false;
    const bool ok = file->commit();
    delete file;
    file = nullptr;
    return ok;
}

void HttpsDownload::finish(bool ok)
{
    succeeded = ok;
    m_transferEnded = true;
    m_expectedSha256.clear();
    if (m_loopRunning)
        loop.exit();
}

void HttpsDownload::showError(const QString &text)
{
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, tr("Error"), text).withButton(QMessageBox::Ok, tr("Ok")));
}

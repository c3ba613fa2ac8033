#include "DownloadTransfer.h"

#include "Crypto.h"
#include "HttpGet.h"
#include "SafeSave.h"
#include "UpdatePrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QScopedValueRollback>
#include <QSslConfiguration>
#include <QStringList>

namespace {

// How much the reply may buffer ahead of the disk; keeps memory flat for any
// size. Larger buffers were barely faster here but let the peak memory of a
// 200 MB download wander up to 25 MB on a busy machine.
constexpr qint64 ReadBufferSize = 256 * 1024;
constexpr int ChunkSize = 64 * 1024;

bool isHttpScheme(const QUrl &address)
{
    const QString scheme = address.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// A name taken from a server must stay inside the chosen directory, be
// visible there, and read on screen as what it is: no hidden dot-file, no
// drive or stream prefix, no control or direction-changing characters.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        const QChar::Category category = c.category();
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            category == QChar::Other_Control || category == QChar::Other_Format)
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

DownloadTransfer::DownloadTransfer(UpdatePrompts &prompts) : m_prompts(prompts)
{
    // Verify the server against the system's certificates; the SSL-errors
    // question is the only way past a certificate the system does not trust.
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    ssl.setProtocol(QSsl::TlsV1_2OrLater);
    request.setSslConfiguration(ssl);
    // Redirects are followed by hand so that each hop can be checked.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Otherwise Qt asks for gzip and inflates the body itself, beyond any size
    // check of ours: a small reply could grow without bound in memory.
    request.setRawHeader("Accept-Encoding", "identity");

    m_inactivity.setSingleShot(true);
    m_inactivity.setInterval(DefaultInactivityTimeoutMs);
    connect(&m_inactivity, &QTimer::timeout, this, &DownloadTransfer::onInactivity);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { fail(tr("The transfer took too long.")); });
}

DownloadTransfer::~DownloadTransfer()
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
    }
    discardFile();
    endProgress();
}

void DownloadTransfer::setExpectedSha256(const QString &hex)
{
    m_nextSha256 = hex.trimmed().toLower().toLatin1();
}

void DownloadTransfer::setInactivityTimeout(int msecs)
{
    m_inactivity.setInterval(msecs);
}

void DownloadTransfer::setDeadline(int msecs)
{
    m_deadline.setInterval(msecs);
}

bool DownloadTransfer::download(QString address, QString &path, QString versionSuffix)
{
    // One transfer at a time: a second request while one runs is ignored.
    if (m_running) {
        m_result = Result::Busy;
        return false;
    }
    const QScopedValueRollback<bool> running(m_running, true);
    if (m_cancelledForGood) {
        m_result = Result::Cancelled;
        return false;
    }
    m_expectedSha256 = m_nextSha256;
    m_nextSha256.clear();
    m_failureText.clear();

    QUrl source;
    if (!prepare(address, path, versionSuffix, source))
        return false;
    succeeded = false;
    m_transferEnded = false;
    m_redirects = 0;
    if (m_deadline.interval() > 0)
        m_deadline.start();
    startRequest(source);
    if (!m_transferEnded) {
        m_loopRunning = true;
        loop.exec();
        m_loopRunning = false;
    }
    return succeeded;
}

// Checks the address and the name, asks before replacing, and creates the
// file. On failure m_result says why and the user has been told.
bool DownloadTransfer::prepare(const QString &address, QString &path, const QString &versionSuffix,
                               QUrl &source)
{
    const QString typed = address.trimmed();
    source = typed.isEmpty() ? QUrl() : QUrl::fromUserInput(typed);
    QString name = source.fileName(QUrl::FullyDecoded);
    bool plain = isPlainFileName(name);
    if (plain && !versionSuffix.isEmpty()) {
        const QFileInfo info(name);
        name =
            info.completeBaseName() + QLatin1String("_V") + versionSuffix + QLatin1Char('.') + info.suffix();
        plain = isPlainFileName(name);
    }
    m_result = Result::InvalidAddress;
    if (!source.isValid() || !isHttpScheme(source) || !plain) {
        showError(tr("Invalid URL : ") + address);
        return false;
    }
    m_result = Result::Failed;
    if (m_httpsOnly && source.scheme() != QLatin1String("https")) {
        showError(tr("Download failed: ") + tr("Refused an insecure address: HTTPS is required."));
        return false;
    }
    if (!m_expectedSha256.isEmpty() && !isSha256Hex(m_expectedSha256)) {
        showError(tr("Download failed: ") + tr("The expected SHA-256 checksum is not valid."));
        return false;
    }

    name = path.isEmpty() ? name : path + QLatin1Char('/') + name;
    // What a killed run left here goes first, whatever this target is.
    StagedFile::removeStale(QFileInfo(name).absolutePath());
    // A link counts as there even when it points nowhere.
    const QFileInfo existing(name);
    if (existing.exists() || existing.isSymLink()) {
        const UpdateAnswer answer = m_prompts.message(
            UpdatePrompt::make(UpdatePrompt::Kind::Question, tr("Overwrite Existing File"),
                               name + tr(" already exists in the current directory. Overwrite?"))
                .withButton(UpdatePrompt::Button::Ok, tr("Ok"))
                .withButton(UpdatePrompt::Button::Cancel, tr("Cancel")));
        m_result = Result::NotReplaced;
        if (!answer.is(UpdatePrompt::Button::Ok))
            return false;
        // The old file stays until the new one has arrived in full.
    }
    m_result = Result::SaveFailed;
    m_fileName = name;
    if (!openFileForWrite(name))
        return false;
    path = name;
    return true;
}

void DownloadTransfer::startRequest(const QUrl &requestedUrl)
{
    url = requestedUrl;
    requestAborted = false;
    m_failure.clear();
    m_writeFailed = false;
    m_received = 0;
    m_announced = -1;
    m_receivedAtWindow = 0;

    request.setUrl(url);
    // Our own reader, not Qt's: Qt's takes any number of header lines and
    // files them in quadratic time on this thread (see HttpGet).
    reply = new HttpGet(request, this);
    connect(reply, &QNetworkReply::sslErrors, this,
            [this, started = reply](const QList<QSslError> &errors) { sslErrors(started, errors); });
    reply->setReadBufferSize(ReadBufferSize);
    connect(reply, &QNetworkReply::finished, this, &DownloadTransfer::httpFinished);
    connect(reply, &QIODevice::readyRead, this, &DownloadTransfer::httpReadyRead);
    connect(reply, &QNetworkReply::metaDataChanged, this, &DownloadTransfer::onMetaDataChanged);

    connect(reply, &QNetworkReply::downloadProgress, this,
            [this](qint64 received, qint64 total) { m_prompts.transferProgress(received, total); });
    m_progressShown = true;
    m_prompts.transferStarted(url, [this] { cancelDownload(); });
    m_inactivity.start();
}

bool DownloadTransfer::openFileForWrite(const QString &fileName)
{
    file.reset(new StagedFile(fileName));
    if (file->open())
        return true;
    showError(saveProblem(file->errorNumber()));
    file.reset();
    return false;
}

// "Unable to save the file NAME" and why, a full disk said as such.
QString DownloadTransfer::saveProblem(int errorNumber) const
{
    const QString text = tr("Unable to save the file ") + QDir::toNativeSeparators(m_fileName);
    return errorNumber == 0 ? text : QStringLiteral("%1\n%2").arg(text, saveErrorText(errorNumber));
}

void DownloadTransfer::httpReadyRead()
{
    if (!reply)
        return;
    // One buffer serves every read: no allocation per chunk keeps the heap flat.
    m_chunk.resize(ChunkSize);
    for (qint64 n; reply && (n = reply->read(m_chunk.data(), ChunkSize)) > 0;) {
        m_received += n;
        if (m_received > m_maximumSize)
            return fail(tr("The file exceeds the size limit."));
        if (!file || !m_failure.isEmpty() || m_writeFailed)
            continue;
        if (!file->write(m_chunk.constData(), n)) {
            m_writeFailed = true;
            reply->abort();
        }
    }
}

void DownloadTransfer::onMetaDataChanged()
{
    if (!reply)
        return;
    // Such a body is read and dropped, not aborted: Qt reports errors of
    // its own for some statuses, and the size limit still bounds the body.
    if (m_failure.isEmpty())
        m_failure = replyProblem(reply);
    bool known = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    // A redirect's own body does not count; the size check is for the file.
    const bool redirect = !reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isNull();
    m_announced = known && !redirect ? announced : -1;
    if (known && !redirect && announced > m_maximumSize)
        fail(tr("The file exceeds the size limit."));
}

// What makes a reply's body unfit to be the file, judged from its headers:
// anything but 200 (redirects aside), or an encoding that was not asked for.
QString DownloadTransfer::replyProblem(const QNetworkReply *finished) const
{
    const QVariant status = finished->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isNull() || !finished->attribute(QNetworkRequest::RedirectionTargetAttribute).isNull())
        return QString();
    if (status.toInt() != 200)
        return tr("The server answered with status %1.").arg(status.toInt());
    return encodingProblem(finished);
}

// Only the bytes of the file itself are saved: a body whose transfer coding
// is not chunked (or identity), or that has any content coding, would be
// saved still encoded, so it is refused, naming the coding.
QString DownloadTransfer::encodingProblem(const QNetworkReply *finished)
{
    struct Allowed {
        const char *header;
        const char *framing; // a coding that only frames the bytes (none: nullptr)
    };
    for (const Allowed &allowed :
         {Allowed{"Transfer-Encoding", "chunked"}, Allowed{"Content-Encoding", nullptr}}) {
        const QByteArray value = finished->rawHeader(allowed.header);
        for (const QByteArray &item : value.split(',')) {
            const QByteArray coding = item.trimmed().toLower();
            if (coding.isEmpty() || coding == "identity" || (allowed.framing && coding == allowed.framing))
                continue;
            return tr("The server sent the file encoded (%1: %2); only the plain file is taken.")
                .arg(QLatin1String(allowed.header), QString::fromLatin1(value.left(80)));
        }
    }
    return QString();
}

void DownloadTransfer::onInactivity()
{
    // Progress is judged per period, not per byte: a byte now and then
    // would otherwise keep a transfer alive for ever.
    if (m_received - m_receivedAtWindow >= m_minimumProgress) {
        m_receivedAtWindow = m_received;
        m_inactivity.start();
        return;
    }
    fail(tr("The connection timed out."));
}

// A body that ended before its announced length: Qt does not always report
// a connection cut midway as an error.
QString DownloadTransfer::incompleteBody(const QNetworkReply *finished) const
{
    bool known = false;
    const qint64 announced = finished->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    return known && announced != m_received ? tr("The connection ended before the whole file arrived.")
                                            : QString();
}

// Neither a length nor the last chunk marks the end: a cut connection would
// look the same as the whole body.
bool DownloadTransfer::endUnmarked(const QNetworkReply *finished)
{
    bool known = false;
    finished->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    return !known && !finished->rawHeader("Transfer-Encoding").toLower().contains("chunked");
}

void DownloadTransfer::fail(const QString &reason)
{
    if (m_failure.isEmpty())
        m_failure = reason;
    // Queued: aborting inside the reply's own signals upsets its bookkeeping.
    if (reply)
        QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
}

void DownloadTransfer::cancelForGood()
{
    m_cancelledForGood = true;
    cancelDownload();
}

void DownloadTransfer::cancelDownload()
{
    requestAborted = true;
    if (reply)
        reply->abort();
}

void DownloadTransfer::httpFinished()
{
    m_inactivity.stop();
    QNetworkReply *finished = reply;
    if (!finished)
        return;
    reply = nullptr;
    finished->deleteLater();
    endProgress();

    if (requestAborted) {
        discardFile();
        return finish(Result::Cancelled);
    }
    if (m_writeFailed) {
        const int errorNumber = file ? file->errorNumber() : 0;
        discardFile();
        showError(saveProblem(errorNumber));
        return finish(Result::SaveFailed);
    }
    QString failure = m_failure.isEmpty() ? replyProblem(finished) : m_failure;
    const QVariant target = finished->attribute(QNetworkRequest::RedirectionTargetAttribute);
    // A closed connection says more as "ended before the whole file".
    const QNetworkReply::NetworkError error = finished->error();
    if (failure.isEmpty() && error != QNetworkReply::NoError && error != QNetworkReply::RemoteHostClosedError)
        failure = finished->errorString();
    if (failure.isEmpty() && target.isNull())
        failure = incompleteBody(finished);
    if (failure.isEmpty() && error != QNetworkReply::NoError)
        failure = finished->errorString();
    if (failure.isEmpty() && target.isNull() && m_requireMarkedEnd && endUnmarked(finished))
        failure = tr("The server did not give the file's length, so a cut transfer could not be told "
                     "from a whole one.");
    if (failure.isEmpty() && !target.isNull()) {
        const QUrl next = url.resolved(target.toUrl());
        if (checkRedirect(next, failure)) {
            ++m_redirects;
            // The redirect's own body is not the file: start it afresh.
            discardFile();
            if (!openFileForWrite(m_fileName))
                return finish(Result::SaveFailed);
            startRequest(next);
            return;
        }
    }
    if (!failure.isEmpty()) {
        discardFile();
        showError(tr("Download failed: ") + failure);
        return finish(Result::Failed);
    }
    const QString unsaved = keepFile();
    if (!unsaved.isEmpty()) {
        showError(unsaved);
        return finish(m_result);
    }
    finish(Result::Done);
}

bool DownloadTransfer::checkRedirect(const QUrl &target, QString &reason) const
{
    if (m_redirects >= MaxRedirects) {
        reason = tr("The server redirected too many times.");
        return false;
    }
    if (!target.isValid() || !isHttpScheme(target)) {
        reason = tr("Refused a redirect to an unsupported address.");
        return false;
    }
    if ((m_httpsOnly || url.scheme() == QLatin1String("https")) && target.scheme() == QLatin1String("http")) {
        reason = tr("Refused a redirect from HTTPS to an insecure address.");
        return false;
    }
    return true;
}

void DownloadTransfer::sslErrors(QNetworkReply *failing, const QList<QSslError> &errors)
{
    QStringList texts;
    for (const QSslError &error : errors)
        texts.append(error.errorString());

    bool ignore = false;
    if (m_certificatePrompt) {
        // The user may take longer than the inactivity limit to answer.
        m_inactivity.stop();
        UpdatePrompt question = UpdatePrompt::make(UpdatePrompt::Kind::Warning, tr("SSL Errors"),
                                                   tr("One or more SSL errors has occurred: ") +
                                                       tr("\n%1").arg(texts.join(QLatin1Char('\n'))));
        question.withButton(UpdatePrompt::Button::Ignore, tr("Ignore"))
            .withButton(UpdatePrompt::Button::Abort, tr("Abort"));
        // Return and Escape refuse: going on takes a deliberate click.
        question.defaultButton = UpdatePrompt::Button::Abort;
        ignore = m_prompts.message(question).is(UpdatePrompt::Button::Ignore);
        if (reply) {
            m_receivedAtWindow = m_received;
            m_inactivity.start();
        }
    }
    // Only the errors the user has seen are waived; anything else still fails.
    if (!failing || failing != reply)
        return;
    if (ignore)
        failing->ignoreSslErrors(errors);
    else if (m_failure.isEmpty()) // the reply fails by itself; say why
        m_failure = texts.join(QLatin1Char('\n'));
}

void DownloadTransfer::discardFile()
{
    file.reset(); // removes what was written
}

// Puts the received file in the target's place once it is all on the disk
// as it was received: synced, its length read from the disk, its SHA-256
// (when one is expected) taken from the bytes read back. Otherwise the
// target stays as it was; the message says why, and m_result is set.
QString DownloadTransfer::keepFile()
{
    m_result = Result::SaveFailed;
    if (!file)
        return saveProblem(0);
    const std::unique_ptr<StagedFile> staged = std::move(file);
    if (!staged->sync())
        return saveProblem(staged->errorNumber());
    const auto wrongLength = [this](qint64 saved) {
        return QStringLiteral("%1\n%2").arg(
            saveProblem(0),
            tr("The saved file holds %1 bytes, but %2 were received.").arg(saved).arg(m_received));
    };
    const qint64 onDisk = staged->sizeOnDisk();
    if (onDisk < 0)
        return saveProblem(staged->errorNumber());
    if (onDisk != m_received || (m_announced >= 0 && onDisk != m_announced))
        return wrongLength(onDisk);
    if (!m_expectedSha256.isEmpty()) {
        Sha256 hash;
        qint64 readBack = 0;
        if (!staged->readBack([&](const char *data, qint64 size) {
                hash.addData(data, size);
                readBack += size;
            }))
            return saveProblem(staged->errorNumber());
        if (readBack != onDisk)
            return wrongLength(readBack);
        if (hash.hexResult() != m_expectedSha256) {
            m_result = Result::Failed;
            return tr("Download failed: ") + tr("The file does not match its SHA-256 checksum.");
        }
    }
    if (!staged->commit())
        return saveProblem(staged->errorNumber());
    m_result = Result::Done;
    return QString();
}

void DownloadTransfer::finish(Result result)
{
    m_deadline.stop();
    m_result = result;
    succeeded = result == Result::Done;
    m_transferEnded = true;
    m_expectedSha256.clear();
    if (m_loopRunning)
        loop.exit();
}

void DownloadTransfer::showError(const QString &text)
{
    m_failureText = text;
    if (m_quiet)
        return;
    m_prompts.message(UpdatePrompt::make(UpdatePrompt::Kind::Error, tr("Error"), text)
                          .withButton(UpdatePrompt::Button::Ok, tr("Ok")));
}

void DownloadTransfer::endProgress()
{
    if (!m_progressShown)
        return;
    m_progressShown = false;
    m_prompts.transferEnded();
}

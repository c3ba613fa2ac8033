#include "UpdateService.h"

#include "Crypto.h"
#include "DownloadTransfer.h"
#include "SafeSave.h"
#include "UpdatePrompts.h"
#include "VersionCheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegExp>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <QUrl>

#include <unistd.h>

#ifndef TF_UPDATE_BASE_EN
#define TF_UPDATE_BASE_EN "https://en.velorn.example/download/"
#endif
#ifndef TF_UPDATE_BASE_ZH
#define TF_UPDATE_BASE_ZH "https://www.velorn.example/download/"
#endif
#ifndef TF_UPDATE_PUBLIC_KEY
#define TF_UPDATE_PUBLIC_KEY ""
#endif
#ifndef TF_UPDATE_CERTIFICATE_PROMPT
#define TF_UPDATE_CERTIFICATE_PROMPT 0
#endif

namespace UpdateCheck {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("FormConfiguration", source);
}

// A base64 Ed25519 signature is 88 characters.
constexpr qint64 SignatureSizeLimit = 1024;
const QString FolderPrefix = QStringLiteral("tickforge-update-");

// The running check's downloader, for cancelRunningCheck().
QPointer<DownloadTransfer> activeDownloader;

void showError(UpdatePrompts &prompts, const QString &message)
{
    prompts.message(
        UpdatePrompt::make(UpdatePrompt::Kind::Error, text(QT_TRANSLATE_NOOP("FormConfiguration", "Error")),
                           message)
            .withButton(UpdatePrompt::Button::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok"))));
}

QByteArray readFile(const QString &path, qint64 limit)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(limit) : QByteArray();
}

// Fetches the list's detached signature quietly; empty when it could not be
// had, and then detail says why.
QByteArray fetchSignature(DownloadTransfer &downloader, const QString &listAddress, const QString &dir,
                          QString &detail)
{
    QString path = dir;
    downloader.setQuiet(true);
    downloader.setMaximumSize(SignatureSizeLimit);
    const bool fetched = downloader.download(listAddress + QLatin1String(".sig"), path, QString());
    downloader.setQuiet(false);
    detail = downloader.failureText();
    return fetched ? readFile(path, SignatureSizeLimit) : QByteArray();
}

// A line that tells the user the list was taken on trust.
QString unsignedNote(const Settings &settings)
{
    return settings.publicKey.isEmpty()
               ? QStringLiteral("\n\n") +
                     text(QT_TRANSLATE_NOOP("FormConfiguration",
                                            "Signature: not checked (this build has no key)."))
               : QString();
}

// Downloads the list (and with a key its signature) into dir and judges it.
// On failure, why (the user has been told).
bool fetchList(DownloadTransfer &downloader, const Settings &settings, const QString &listAddress,
               const QString &dir, UpdateListEntry &entry, Outcome &failure)
{
    QString listPath = dir;
    downloader.setMaximumSize(settings.listSizeLimit);
    // A list that drips in must not hold the check open for ever.
    downloader.setDeadline(settings.listDeadlineMs);
    failure = Outcome::ListFailed;
    if (!downloader.download(listAddress, listPath, QString())) {
        if (downloader.result() == DownloadTransfer::Result::SaveFailed)
            failure = Outcome::NotSaved;
        return false;
    }
    // Read once: checked and parsed from the same bytes.
    const QByteArray list = readFile(listPath, settings.listSizeLimit);
    QFile::remove(listPath);
    QString detail;
    const QByteArray signature =
        settings.publicKey.isEmpty() ? QByteArray() : fetchSignature(downloader, listAddress, dir, detail);
    downloader.setDeadline(0);
    if (downloader.result() == DownloadTransfer::Result::Cancelled)
        return false;
    const QDate today = settings.today.isNull() ? QDateTime::currentDateTimeUtc().date() : settings.today;
    const CheckedList checked = checkUpdateList(list, signature, settings.publicKey, today);
    entry = checked.entry;
    switch (checked.verdict) {
    case ListVerdict::Good:
        return true;
    case ListVerdict::BadSignature:
        showError(downloader.prompts(),
                  text(QT_TRANSLATE_NOOP("FormConfiguration",
                                         "The signature of the update list is missing or wrong.")) +
                      (detail.isEmpty() ? QString() : QLatin1Char('\n') + detail));
        failure = Outcome::SignatureFailed;
        return false;
    case ListVerdict::Expired:
        showError(downloader.prompts(),
                  text(QT_TRANSLATE_NOOP("FormConfiguration",
                                         "The update list expired on %1: it may be an old list sent again."))
                      .arg(entry.expires));
        failure = Outcome::ListExpired;
        return false;
    case ListVerdict::ExpiresTooLate:
        showError(downloader.prompts(),
                  text(QT_TRANSLATE_NOOP("FormConfiguration",
                                         "The update list claims to be valid until %1, more than %2 days "
                                         "ahead: it is refused."))
                      .arg(entry.expires)
                      .arg(MaxListLifeDays));
        failure = Outcome::ListUnreadable;
        return false;
    case ListVerdict::Unreadable:
        break;
    }
    showError(downloader.prompts(),
              text(QT_TRANSLATE_NOOP("FormConfiguration", "The update list could not be read.")));
    failure = Outcome::ListUnreadable;
    return false;
}

// Asks, and downloads the package the list names into a folder the user picks.
Outcome fetchPackage(DownloadTransfer &downloader, const QString &packageAddress,
                     const UpdateListEntry &entry, const Settings &settings, QString &packagePath)
{
    UpdatePrompts &prompts = downloader.prompts();
    const UpdateAnswer answer = prompts.message(
        UpdatePrompt::make(
            UpdatePrompt::Kind::Question, text(QT_TRANSLATE_NOOP("FormConfiguration", "Infomation")),
            text(QT_TRANSLATE_NOOP(
                "FormConfiguration",
                "A new version of \"Tickforge\" has been detected, do you want to download it?")) +
                unsignedNote(settings))
            .withButton(UpdatePrompt::Button::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok")))
            .withButton(UpdatePrompt::Button::Cancel,
                        text(QT_TRANSLATE_NOOP("FormConfiguration", "Cancel"))));
    if (!answer.is(UpdatePrompt::Button::Ok))
        return Outcome::Declined;
    const QString target =
        prompts.existingDirectory(text(QT_TRANSLATE_NOOP("FormConfiguration", "Select directory")));
    if (target.isNull())
        return Outcome::Declined;

    // Both sums must hold; differing ones cannot, so nothing is fetched.
    const QString checksum = settings.expectedSha256.isEmpty() ? entry.sha256 : settings.expectedSha256;
    if (!entry.sha256.isEmpty() && entry.sha256.compare(checksum, Qt::CaseInsensitive) != 0) {
        showError(prompts, QCoreApplication::translate("HttpsDownload", "Download failed: ") +
                               QCoreApplication::translate("HttpsDownload",
                                                           "The file does not match its SHA-256 checksum."));
        return Outcome::PackageFailed;
    }
    // A package whose name already carries its version keeps that name.
    const QRegExp versioned(QStringLiteral("_V(\\d+).(\\d+).(\\d+)"), Qt::CaseSensitive);
    const QString suffix = versioned.indexIn(packageAddress) >= 0 ? QString() : entry.version;
    packagePath = target;
    downloader.setExpectedSha256(checksum);
    downloader.setRequireMarkedEnd(true);
    downloader.setMaximumSize(settings.packageSizeLimit > 0 ? settings.packageSizeLimit
                                                            : DownloadTransfer::DefaultMaximumSize);
    if (!downloader.download(packageAddress, packagePath, suffix)) {
        switch (downloader.result()) {
        case DownloadTransfer::Result::NotReplaced:
            return Outcome::NotReplaced;
        case DownloadTransfer::Result::SaveFailed:
            return Outcome::NotSaved;
        default:
            return Outcome::PackageFailed;
        }
    }

    const UpdateAnswer done = prompts.message(
        UpdatePrompt::make(
            UpdatePrompt::Kind::Information, text(QT_TRANSLATE_NOOP("FormConfiguration", "Information")),
            text(QT_TRANSLATE_NOOP("FormConfiguration", "Download succeeded, storage location: ")) +
                QLatin1Char('\n') + QDir::toNativeSeparators(packagePath) + unsignedNote(settings))
            .withExtraButton(text(QT_TRANSLATE_NOOP("FormConfiguration", " Open Folder  ")))
            .withExtraButton(text(QT_TRANSLATE_NOOP("FormConfiguration", "OK"))));
    if (done.isExtra(0))
        prompts.openFolder(target);
    return Outcome::Downloaded;
}

} // namespace

Settings defaultSettings()
{
    Settings settings;
    settings.englishBase = QStringLiteral(TF_UPDATE_BASE_EN);
    settings.chineseBase = QStringLiteral(TF_UPDATE_BASE_ZH);
    settings.tempRoot = QDir::tempPath();
    settings.publicKey = QByteArray::fromBase64(QByteArrayLiteral(TF_UPDATE_PUBLIC_KEY));
    settings.httpsOnly = true;
    settings.certificatePrompt = TF_UPDATE_CERTIFICATE_PROMPT != 0;
    return settings;
}

Result runCheck(DownloadTransfer &downloader, int language, const Settings &settings)
{
    // The transfers run nested event loops, so the menu entry can be picked
    // again meanwhile; that second request is ignored.
    static bool running = false;
    Result result;
    if (running) {
        result.outcome = Outcome::Busy;
        return result;
    }
    const QScopedValueRollback<bool> guard(running, true);

    const bool chinese = language == 1;
    result.signatureChecked = !settings.publicKey.isEmpty();
    activeDownloader = &downloader;
    if (settings.inactivityTimeoutMs > 0)
        downloader.setInactivityTimeout(settings.inactivityTimeoutMs);
    if (settings.minimumProgress > 0)
        downloader.setMinimumProgress(settings.minimumProgress);
    downloader.setCertificatePrompt(settings.certificatePrompt);
    downloader.setHttpsOnly(settings.httpsOnly);

    // The list copy lives in a private temporary folder that is removed with
    // everything in it on every way out of this function.
    removeStaleFolders(settings.tempRoot);
    QTemporaryDir listDir(
        QDir(settings.tempRoot)
            .filePath(FolderPrefix + QString::number(qint64(getpid())) + QLatin1String("-XXXXXX")));
    if (!listDir.isValid()) {
        showError(downloader.prompts(),
                  QCoreApplication::translate("HttpsDownload", "Unable to save the file ") +
                      QDir::toNativeSeparators(listDir.path()) + QLatin1Char('\n') + listDir.errorString());
        result.outcome = Outcome::NotSaved;
        return result;
    }
    const QString listAddress =
        (chinese ? settings.chineseBase : settings.englishBase) + QLatin1String(listFileName());
    UpdateListEntry entry;
    if (!fetchList(downloader, settings, listAddress, listDir.path(), entry, result.outcome))
        return result;
    const int version = versionNumber(entry.version);
    result.version = entry.version;
    result.outcome = Outcome::UpToDate;
    if (version <= programVersion) {
        downloader.prompts().message(
            UpdatePrompt::make(
                UpdatePrompt::Kind::Information, text(QT_TRANSLATE_NOOP("FormConfiguration", "Information")),
                text(QT_TRANSLATE_NOOP("FormConfiguration", "The current tool is the latest version.")) +
                    unsignedNote(settings))
                .withButton(UpdatePrompt::Button::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok"))));
        return result;
    }

    // A package named by a list that came over https comes over https too.
    if (QUrl(listAddress).scheme() == QLatin1String("https"))
        downloader.setHttpsOnly(true);
    result.outcome =
        fetchPackage(downloader, chinese ? entry.url : entry.urlEn, entry, settings, result.packagePath);
    if (result.outcome != Outcome::Downloaded)
        result.packagePath.clear();
    return result;
}

void cancelRunningCheck()
{
    if (activeDownloader)
        activeDownloader->cancelForGood();
}

void removeStaleFolders(const QString &tempRoot)
{
    removeEndedRunFolders(tempRoot, FolderPrefix);
}

} // namespace UpdateCheck

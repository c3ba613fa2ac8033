#include "UpdateCheck.h"

#include "Crypto.h"
#include "DialogService.h"
#include "HttpsDownload.h"
#include "VersionCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegExp>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <QUrl>

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

const QString section = QStringLiteral("VelornTool");
const QString product = QStringLiteral("Tickforge");
// A base64 Ed25519 signature is 88 characters.
constexpr qint64 SignatureSizeLimit = 1024;

void showError(const QString &message)
{
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, text(QT_TRANSLATE_NOOP("FormConfiguration", "Error")),
                             message)
            .withButton(QMessageBox::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok"))));
}

QByteArray readFile(const QString &path, qint64 limit)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(limit) : QByteArray();
}

// Fetches the list's detached signature quietly and checks it against the
// list's exact bytes. On failure, what went wrong with the signature's transfer.
bool listSignatureHolds(HttpsDownload &downloader, const QString &listAddress, const QString &dir,
                        const QByteArray &list, const QByteArray &publicKey, QString &detail)
{
    QString path = dir;
    downloader.setQuiet(true);
    downloader.setMaximumSize(SignatureSizeLimit);
    const bool fetched = downloader.download(listAddress + QLatin1String(".sig"), path, QString());
    downloader.setQuiet(false);
    detail = downloader.failureText();
    return fetched && verifyEd25519(publicKey, list,
                                    QByteArray::fromBase64(readFile(path, SignatureSizeLimit).trimmed()));
}

bool isSha256(const QString &hex)
{
    static const QRegExp pattern(QStringLiteral("[0-9a-fA-F]{64}"));
    return pattern.exactMatch(hex);
}

// Downloads the list into dir and checks its signature; its bytes go to
// list. On failure, why (the user has been told).
bool fetchList(HttpsDownload &downloader, const Settings &settings, const QString &listAddress,
               const QString &dir, QByteArray &list, Outcome &failure)
{
    QString listPath = dir;
    downloader.setMaximumSize(settings.listSizeLimit);
    failure = Outcome::ListFailed;
    if (!downloader.download(listAddress, listPath, QString()))
        return false;
    // Read once: checked and parsed from the same bytes.
    list = readFile(listPath, settings.listSizeLimit);
    QFile::remove(listPath);
    QString detail;
    if (!settings.publicKey.isEmpty() &&
        !listSignatureHolds(downloader, listAddress, dir, list, settings.publicKey, detail)) {
        showError(text(QT_TRANSLATE_NOOP("FormConfiguration",
                                         "The signature of the update list is missing or wrong.")) +
                  (detail.isEmpty() ? QString() : QLatin1Char('\n') + detail));
        failure = Outcome::SignatureFailed;
        return false;
    }
    return true;
}

// Asks, and downloads the package the list names into a folder the user picks.
Outcome fetchPackage(HttpsDownload &downloader, QWidget *mainWindow, const QString &packageAddress,
                     const UpdateListEntry &entry, const Settings &settings, QString &packagePath)
{
    const MessageReply answer = DialogService::instance().message(
        MessageRequest::make(
            QMessageBox::Question, text(QT_TRANSLATE_NOOP("FormConfiguration", "Infomation")),
            text(QT_TRANSLATE_NOOP(
                "FormConfiguration",
                "A new version of \"Tickforge\" has been detected, do you want to download it?")))
            .withButton(QMessageBox::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok")))
            .withButton(QMessageBox::Cancel, text(QT_TRANSLATE_NOOP("FormConfiguration", "Cancel"))));
    if (!answer.is(QMessageBox::Ok))
        return Outcome::Declined;
    const QString target = DialogService::instance().existingDirectory(
        mainWindow, text(QT_TRANSLATE_NOOP("FormConfiguration", "Select directory")), QString());
    if (target.isNull())
        return Outcome::Declined;

    // Both sums must hold; differing ones cannot, so nothing is fetched.
    const QString checksum = settings.expectedSha256.isEmpty() ? entry.sha256 : settings.expectedSha256;
    if (!entry.sha256.isEmpty() && entry.sha256.compare(checksum, Qt::CaseInsensitive) != 0) {
        showError(
            QCoreApplication::translate("HttpsDownload", "Download failed: ") +
            QCoreApplication::translate("HttpsDownload", "The file does not match its SHA-256 checksum."));
        return Outcome::PackageFailed;
    }
    // A package whose name already carries its version keeps that name.
    const QRegExp versioned(QStringLiteral("_V(\\d+).(\\d+).(\\d+)"), Qt::CaseSensitive);
    const QString suffix = versioned.indexIn(packageAddress) >= 0 ? QString() : entry.version;
    packagePath = target;
    downloader.setExpectedSha256(checksum);
    downloader.setMaximumSize(settings.packageSizeLimit > 0 ? settings.packageSizeLimit
                                                            : HttpsDownload::DefaultMaximumSize);
    if (!downloader.download(packageAddress, packagePath, suffix))
        return downloader.result() == HttpsDownload::Result::NotReplaced ? Outcome::NotReplaced
                                                                         : Outcome::PackageFailed;

    const MessageReply done = DialogService::instance().message(
        MessageRequest::make(
            QMessageBox::Information, text(QT_TRANSLATE_NOOP("FormConfiguration", "Information")),
            text(QT_TRANSLATE_NOOP("FormConfiguration", "Download succeeded, storage location: ")) +
                QLatin1Char('\n') + QDir::toNativeSeparators(packagePath))
            .withExtraButton(text(QT_TRANSLATE_NOOP("FormConfiguration", " Open Folder  ")))
            .withExtraButton(text(QT_TRANSLATE_NOOP("FormConfiguration", "OK"))));
    if (done.isExtra(0))
        DialogService::instance().openUrl(QUrl::fromLocalFile(target));
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

void checkForNewVersion(QWidget *mainWindow, int language)
{
    checkForNewVersion(mainWindow, language, defaultSettings());
}

Result checkForNewVersion(QWidget *mainWindow, int language, const Settings &settings)
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
    HttpsDownload downloader(nullptr);
    if (settings.inactivityTimeoutMs > 0)
        downloader.setInactivityTimeout(settings.inactivityTimeoutMs);
    downloader.setCertificatePrompt(settings.certificatePrompt);
    downloader.setHttpsOnly(settings.httpsOnly);
    if (settings.progress)
        downloader.setProgressReporter(settings.progress);

    // The list copy lives in a private temporary folder that is removed with
    // everything in it on every way out of this function.
    QTemporaryDir listDir(QDir(settings.tempRoot).filePath(QStringLiteral("tickforge-update-XXXXXX")));
    if (!listDir.isValid()) {
        showError(QCoreApplication::translate("HttpsDownload", "Unable to save the file ") +
                  QDir::toNativeSeparators(listDir.path()));
        return result;
    }
    const QString listAddress =
        (chinese ? settings.chineseBase : settings.englishBase) + QLatin1String(listFileName());
    QByteArray list;
    if (!fetchList(downloader, settings, listAddress, listDir.path(), list, result.outcome))
        return result;

    const UpdateListEntry entry = readUpdateList(list, section, product);
    bool versionRead = false;
    const int version = versionNumber(entry.version, &versionRead);
    // A signed list vouches for the package through its checksum.
    if (!versionRead || (!settings.publicKey.isEmpty() && !isSha256(entry.sha256))) {
        showError(text(QT_TRANSLATE_NOOP("FormConfiguration", "The update list could not be read.")));
        result.outcome = Outcome::ListUnreadable;
        return result;
    }
    result.version = entry.version;
    result.outcome = Outcome::UpToDate;
    if (version <= programVersion) {
        DialogService::instance().message(
            MessageRequest::make(
                QMessageBox::Information, text(QT_TRANSLATE_NOOP("FormConfiguration", "Information")),
                text(QT_TRANSLATE_NOOP("FormConfiguration", "The current tool is the latest version.")))
                .withButton(QMessageBox::Ok, text(QT_TRANSLATE_NOOP("FormConfiguration", "Ok"))));
        return result;
    }

    // A package named by a list that came over https comes over https too.
    if (QUrl(listAddress).scheme() == QLatin1String("https"))
        downloader.setHttpsOnly(true);
    result.outcome = fetchPackage(downloader, mainWindow, chinese ? entry.url : entry.urlEn, entry, settings,
                                  result.packagePath);
    if (result.outcome != Outcome::Downloaded)
        result.packagePath.clear();
    return result;
}

} // namespace UpdateCheck

#include "UpdateCheck.h"

#include "DialogService.h"
#include "HttpsDownload.h"
#include "VersionCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegExp>
#include <QTemporaryDir>
#include <QUrl>

#ifndef TF_UPDATE_BASE_EN
#define TF_UPDATE_BASE_EN "https://en.velorn.example/download/"
#endif
#ifndef TF_UPDATE_BASE_ZH
#define TF_UPDATE_BASE_ZH "https://www.velorn.example/download/"
#endif

namespace UpdateCheck {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("FormConfiguration", source);
}

const QString section = QStringLiteral("VelornTool");
const QString product = QStringLiteral("Tickforge");

} // namespace

Settings defaultSettings()
{
    Settings settings;
    settings.englishBase = QStringLiteral(TF_UPDATE_BASE_EN);
    settings.chineseBase = QStringLiteral(TF_UPDATE_BASE_ZH);
    settings.tempRoot = QDir::tempPath();
    return settings;
}

void checkForNewVersion(QWidget *mainWindow, int language)
{
    checkForNewVersion(mainWindow, language, defaultSettings());
}

Outcome checkForNewVersion(QWidget *mainWindow, int language, const Settings &settings)
{
    const bool chinese = language == 1;
    HttpsDownload downloader(nullptr);
    if (settings.inactivityTimeoutMs > 0)
        downloader.setInactivityTimeout(settings.inactivityTimeoutMs);

    // The list copy lives in a private temporary folder that is removed with
    // everything in it on every way out of this function.
    QTemporaryDir listDir(QDir(settings.tempRoot).filePath(QStringLiteral("tickforge-update-XXXXXX")));
    if (!listDir.isValid()) {
        DialogService::instance().message(
            MessageRequest::make(QMessageBox::Critical, QCoreApplication::translate("HttpsDownload", "Error"),
                                 QCoreApplication::translate("HttpsDownload", "Unable to save the file ") +
                                     QDir::toNativeSeparators(listDir.path()))
                .withButton(QMessageBox::Ok, QCoreApplication::translate("HttpsDownload", "Ok")));
        return Outcome::ListFailed;
    }
    const QString listAddress =
        (chinese ? settings.chineseBase : settings.englishBase) + QLatin1String(listFileName());

    QString listPath = listDir.path();
    if (!downloader.download(listAddress, listPath, QString()))
        return Outcome::ListFailed;

    const QString version = readListValue(listPath, section, product, QStringLiteral("Version"));
    if (versionNumber(version) <= programVersion) {
        DialogService::instance().message(
            MessageRequest::make(QMessageBox::Information, text("Information"),
                                 text("The current tool is the latest version."))
                .withButton(QMessageBox::Ok, text("Ok")));
        return Outcome::UpToDate;
    }

    const MessageReply answer = DialogService::instance().message(
        MessageRequest::make(
            QMessageBox::Question, text("Infomation"),
            text("A new version of \"Tickforge\" has been detected, do you want to download it?"))
            .withButton(QMessageBox::Ok, text("Ok"))
            .withButton(QMessageBox::Cancel, text("Cancel")));
    if (!answer.is(QMessageBox::Ok))
        return Outcome::Declined;

    const QString target =
        DialogService::instance().existingDirectory(mainWindow, text("Select directory"), QString());
    if (target.isNull())
        return Outcome::Declined;

    const QString packageAddress =
        readListValue(listPath, section, product, chinese ? QStringLiteral("URL") : QStringLiteral("URLEN"));
    const QString checksum = readListValue(listPath, section, product, QStringLiteral("SHA256"));
    QFile::remove(listPath);

    // A package whose name already carries its version keeps that name.
    const QRegExp versioned(QStringLiteral("_V(\\d+).(\\d+).(\\d+)"), Qt::CaseSensitive);
    const QString suffix = versioned.indexIn(packageAddress) >= 0 ? QString() : version;

    QString packagePath = target;
    if (!checksum.isEmpty())
        downloader.setExpectedSha256(checksum);
    if (!downloader.download(packageAddress, packagePath, suffix))
        return Outcome::PackageFailed;

    const MessageReply done = DialogService::instance().message(
        MessageRequest::make(QMessageBox::Information, text("Information"),
                             text("Download succeeded, storage location: ") + QLatin1Char('\n') +
                                 QDir::toNativeSeparators(packagePath))
            .withExtraButton(text(" Open Folder  "))
            .withExtraButton(text("OK")));
    if (done.isExtra(0))
        DialogService::instance().openUrl(QUrl::fromLocalFile(target));
    return Outcome::Downloaded;
}

} // namespace UpdateCheck

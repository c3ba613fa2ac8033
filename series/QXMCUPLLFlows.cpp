#include "QXMCUPLL.h"

#include "DesignFile.h"
#include "DialogService.h"
#include "Generator.h"
#include "SafeSave.h"
#include "SeriesTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

// Save and generation flows shared by every series widget. Their texts belong
// to the concrete series class's translation context.

namespace {

QString translated(const QObject *widget, const char *text)
{
    return QCoreApplication::translate(widget->metaObject()->className(), text);
}

void showError(const QObject *widget, const char *text, const char *button = "Ok")
{
    DialogService::instance().message(
        MessageRequest::make(QMessageBox::Critical, translated(widget, "Error"), translated(widget, text))
            .withButton(QMessageBox::Ok, translated(widget, button)));
}

// Creates path with its missing parents; false when it is not a folder then.
bool makeFolder(const QString &path)
{
    return QFileInfo(path).isDir() || (QDir().mkpath(path) && QFileInfo(path).isDir());
}

} // namespace

bool QXMCUPLL::writeDesign(const QString &seriesName)
{
    if (seriesName.isEmpty() || !m_config)
        return false;
    const QString path = DialogService::instance().saveFileName(this, translated(this, "Save"),
                                                                seriesName + QStringLiteral("_Clock"),
                                                                translated(this, "Config file (*.TFCC)"));
    if (path.isNull())
        return false;

    // Written through the safe-save helper: on any failure the previous file
    // stays exactly as it was instead of being truncated first.
    const QByteArray document = DesignFile::write(*m_config, seriesName);
    if (document.isEmpty() || !saveFileSafely(path, document)) {
        DialogService::instance().message(MessageRequest::make(QMessageBox::Critical,
                                                               translated(this, "Error"),
                                                               translated(this, "Save file failed!"))
                                              .withButton(QMessageBox::Ok, translated(this, "Ok")));
        return false;
    }
    DialogService::instance().message(MessageRequest::make(QMessageBox::Information,
                                                           translated(this, "Information"),
                                                           translated(this, "Save file succeed!"))
                                          .withButton(QMessageBox::Ok, translated(this, "Ok")));
    return true;
}

bool QXMCUPLL::runGeneration()
{
    const SeriesParams *series = SeriesTable::byId(seriesId());
    if (!series || !m_config)
        return false;
    const QString dir =
        DialogService::instance().existingDirectory(this, translated(this, "Select directory"), QString());
    if (dir.isNull())
        return false;

    const QString inc = dir + QStringLiteral("/inc");
    const QString src = dir + QStringLiteral("/src");
    if (!makeFolder(inc)) {
        showError(this, "Creating \"inc\" folder error!");
        return false;
    }
    if (!makeFolder(src)) {
        showError(this, "Creating \"src\" folder error!");
        return false;
    }

    const QString stem = series->templateStem();
    const bool generated = Codegen::generate(*m_config, inc, src, stem, [](const QString &fileName) {
        const OverwriteReply reply = DialogService::instance().askOverwrite(fileName);
        return Codegen::ConflictAnswer{reply.replace, reply.replaceAll};
    });
    if (!generated) {
        showError(this, "Generate code failed!", "OK");
        return false;
    }

    const QString files = QStringLiteral("\n\nsrc/main.c\nsrc/") + stem + QStringLiteral("_clock.c\ninc/") +
                          stem + QStringLiteral("_clock.h\ninc/") + stem + QStringLiteral("_conf.h\n");
    const MessageReply reply = DialogService::instance().message(
        MessageRequest::make(QMessageBox::Information, translated(this, "Information"),
                             translated(this, "Generate code finished!  Files:") + files)
            .withExtraButton(translated(this, " Open Folder  "))
            .withButton(QMessageBox::Ok, translated(this, "OK")));
    if (reply.isExtra(0))
        DialogService::instance().openUrl(QUrl::fromLocalFile(dir));
    return true;
}

QString QXMCUPLL::readElement(const QString &fileName, const QString &elementName)
{
    return DesignFile::readElement(fileName, elementName);
}

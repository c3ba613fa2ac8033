#include "QXMCUPLL.h"

#include "DesignFile.h"
#include "DialogService.h"
#include "SafeSave.h"

#include <QCoreApplication>

// Save and generation flows shared by every series widget. Their texts belong
// to the concrete series class's translation context.

namespace {

QString translated(const QObject *widget, const char *text)
{
    return QCoreApplication::translate(widget->metaObject()->className(), text);
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
    return false;
}

QString QXMCUPLL::readElement(const QString &fileName, const QString &elementName)
{
    return DesignFile::readElement(fileName, elementName);
}

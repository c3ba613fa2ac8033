#include "DialogService.h"

#include "OverwriteDialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

MessageRequest MessageRequest::make(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    MessageRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    return request;
}

MessageRequest &MessageRequest::withButton(QMessageBox::StandardButton button, const QString &label)
{
    buttons |= button;
    labels.append({button, label});
    return *this;
}

MessageRequest &MessageRequest::withExtraButton(const QString &label)
{
    extraButtons.append(label);
    return *this;
}

namespace {
DialogService *installedService = nullptr;
} // namespace

DialogService &DialogService::instance()
{
    static QtDialogService qtService;
    return installedService ? *installedService : qtService;
}

void DialogService::setInstance(DialogService *service)
{
    installedService = service;
}

MessageReply QtDialogService::message(const MessageRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons);
    for (const auto &label : request.labels) {
        if (QAbstractButton *button = box.button(label.first))
            button->setText(label.second);
    }
    QList<QAbstractButton *> extras;
    for (const QString &text : request.extraButtons)
        extras.append(box.addButton(text, QMessageBox::ActionRole));
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);

    const int result = box.exec();
    MessageReply reply;
    reply.extraIndex = int(extras.indexOf(box.clickedButton()));
    if (reply.extraIndex < 0)
        reply.button = static_cast<QMessageBox::StandardButton>(result);
    return reply;
}

QString QtDialogService::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

namespace {
const char *const QtFileDialogContext = "QFileDialog";
} // namespace

QStringList DialogService::filterSuffixes(const QString &filter)
{
    QStringList suffixes;
    const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    auto it = pattern.globalMatch(filter);
    while (it.hasNext())
        suffixes << it.next().captured(1);
    return suffixes;
}

QString DialogService::withSuffix(const QString &fileName, const QString &filter)
{
    const QStringList suffixes = filterSuffixes(filter);
    if (fileName.isEmpty() || suffixes.isEmpty() || QFileInfo(fileName).isDir())
        return fileName;
    const QString suffix = QFileInfo(fileName).suffix();
    for (const QString &wanted : suffixes) {
        if (suffix.compare(wanted, Qt::CaseInsensitive) == 0)
            return fileName;
    }
    return fileName + QLatin1Char('.') + suffixes.first();
}

QString QtDialogService::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    // The name proposed and the name returned carry the extension of the
    // chosen type: a file saved without one would be hidden by the filter
    // of the Open dialog, and an export would not know its format.
    const QString first = filter.section(QStringLiteral(";;"), 0, 0);
    QFileDialog dialog(parent, caption, withSuffix(dir, first), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(filterSuffixes(first).value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &chosen) {
        dialog.setDefaultSuffix(filterSuffixes(chosen).value(0));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    // A name typed with the extension of another type the dialog offers
    // ("tree.pdf" while PNG is selected) says which type is wanted.
    const bool offered = filterSuffixes(filter).contains(QFileInfo(chosen).suffix(), Qt::CaseInsensitive);
    const QString fileName = offered ? chosen : withSuffix(chosen, dialog.selectedNameFilter());
    // The dialog asked about the name as typed; a suffix added here gives
    // another file, which may exist too.
    if (fileName != chosen && QFileInfo::exists(fileName)) {
        const auto answer = QMessageBox::warning(
            parent, caption,
            // Qt's own text, in Qt's catalogue.
            QCoreApplication::translate(QtFileDialogContext, "%1 already exists.\nDo you want to replace it?")
                .arg(QFileInfo(fileName).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return QString();
    }
    return fileName;
}

QString QtDialogService::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, QFileDialog::ShowDirsOnly);
}

bool QtDialogService::openUrl(const QUrl &url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop services report the opener started, not the file opened:
    // with no viewer for the type, xdg-open fails a moment later and nobody
    // hears of it. So run it here and watch it for a while: a quick failure
    // is a failure; one still running has found a viewer.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!url.isLocalFile() || opener.isEmpty())
        return QDesktopServices::openUrl(url);
    auto *process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url.toLocalFile()});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool finished = false, opened = false;
    QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                     [&](int code, QProcess::ExitStatus status) {
                         finished = true;
                         opened = status == QProcess::NormalExit && code == 0;
                         loop.quit();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            finished = true;
            loop.quit();
        }
    });
    QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process,
                     &QObject::deleteLater);
    QTimer::singleShot(m_openerPatienceMs, &loop, &QEventLoop::quit);
    process->start();
    loop.exec();
    if (finished && !opened)
        process->deleteLater();
    return finished ? opened : true;
#else
    return QDesktopServices::openUrl(url);
#endif
}

OverwriteReply QtDialogService::askOverwrite(const QString &fileName)
{
    // "Yes" replaces (and, with the box ticked, replaces the rest silently);
    // "Cancel", Escape and closing refuse.
    OverwriteDialog dialog(fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {accepted, accepted && dialog.replaceAll()};
}

int QtDialogService::exec(QDialog &dialog)
{
    return dialog.exec();
}

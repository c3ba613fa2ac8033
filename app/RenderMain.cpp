#include "CliDesign.h"
#include "CliDialogs.h"
#include "DrawingExport.h"
#include "QXMCUPLL.h"
#include "SeriesFactory.h"
#include "tf_version.h"

#include <QApplication>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>
#include <memory>

// tickforge-render FILE OUT.png|OUT.pdf [--overwrite]: the only command that
// paints. It lives in the desktop package; `tickforge-cli render` runs it.

using namespace CliOut;

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

const char kUsage[] = "Usage: tickforge-render FILE OUT.png|OUT.pdf|OUT.svg [--overwrite]\n"
                      "Writes the clock tree of the design FILE as the program shows it (drawing,\n"
                      "controls and values, lists folded in) at the drawing's full size, as\n"
                      "Project > Export drawing does: a PNG image, a one-page vector PDF (texts\n"
                      "searchable) or an SVG drawing. Prints OUT.\n"
                      "An existing OUT is kept unless --overwrite is given. Exit statuses as\n"
                      "tickforge-cli's: 0 done, 1 usage or unreadable file, 4 OUT exists, 5 failed.\n";

// Opens the design into a series widget as Open does: questions "Cancel",
// boxes on standard error.
std::unique_ptr<QXMCUPLL> openWidget(const QString &fileName, int *status)
{
    CliReport report;
    const SeriesParams *series = seriesOfFile(fileName, report);
    std::unique_ptr<QXMCUPLL> widget(series ? createSeriesWidget(series->id, nullptr) : nullptr);
    if (series && !widget)
        report.err << notSupportedText();
    if (widget) {
        CliDialogs dialogs;
        dialogs.echo = &report.err;
        widget->loadConfig(fileName);
    }
    print(report);
    *status = widget ? CliDone : CliUsage;
    return widget;
}

int render(const QStringList &arguments)
{
    QStringList positionals;
    bool overwrite = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--overwrite")) {
            overwrite = true;
        } else if (argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            errLine(QStringLiteral("tickforge-render: unknown option \"%1\"").arg(argument));
            return CliUsage;
        } else {
            positionals << argument;
        }
    }
    if (positionals.size() != 2) {
        std::fputs(kUsage, stderr);
        return CliUsage;
    }
    const QString target = positionals.at(1);
    if (!DrawingExport::supportedFile(target)) {
        errLine(QStringLiteral("tickforge-cli: render writes a .png, .pdf or .svg file: ") + target);
        return CliUsage;
    }
    if (QFileInfo::exists(target) && !overwrite) {
        errLine(QStringLiteral("exists: ") + target);
        return CliExists;
    }
    int status = CliDone;
    const std::unique_ptr<QXMCUPLL> widget = openWidget(positionals.first(), &status);
    if (!widget)
        return status;
    QString reason;
    if (!DrawingExport::exportDrawing(*widget, target, &reason)) {
        errLine(QStringLiteral("render failed: ") + reason);
        return CliGenFailed;
    }
    outLine(target);
    return CliDone;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TICKFORGE_CLI_DEBUG"))
        qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    QTranslator translator;
    if (translator.load(QStringLiteral(":/image/tr_en.qm")))
        QApplication::installTranslator(&translator);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (arguments == QStringList{QStringLiteral("--version")})
        return std::fputs("tickforge-render " TF_VERSION_TEXT "\n", stdout) < 0 ? 1 : 0;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")))
        return std::fputs(kUsage, stdout) < 0 ? 1 : 0;
    return render(arguments);
}

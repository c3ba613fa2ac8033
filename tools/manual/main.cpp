// Renders a user manual from its Markdown source to PDF:
//     tf_manual SOURCE.md OUTPUT.pdf
// The pictures of the program are taken from its own widgets, offscreen, in
// the manual's language.
#include "CliReference.h"
#include "DialogService.h"
#include "ManualDocument.h"
#include "SeriesBlocks.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace {

// Nobody answers while pictures are taken: a box is reported and cancelled,
// so a manual whose designs raise questions is noticed at build time.
class SilentDialogs final : public DialogService {
public:
    SilentDialogs() { DialogService::setInstance(this); }
    ~SilentDialogs() override { DialogService::setInstance(nullptr); }
    Q_DISABLE_COPY(SilentDialogs)

    MessageReply message(const MessageRequest &request) override
    {
        std::fprintf(stderr, "tf_manual: the program showed \"%s: %s\"\n", qPrintable(request.title),
                     qPrintable(request.text));
        MessageReply reply;
        reply.button = request.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
        return reply;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    bool openUrl(const QUrl &) override { return false; }
    OverwriteReply askOverwrite(const QString &) override { return {}; }
    int exec(QDialog &) override { return 0; }
};

// Qt's chatter about the offscreen platform would bury the tool's own
// warnings, which all start with "tf_manual:".
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg || message.startsWith(QLatin1String("tf_manual:")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int fail(const QString &message)
{
    std::fprintf(stderr, "tf_manual: %s\n", qPrintable(message));
    return 1;
}

// The fonts the manual is set in, and the Debian package of each. Qt would
// quietly stand in another font for a missing one, or draw a Chinese manual
// as empty boxes: the build must stop instead.
QString missingFont(bool chinese)
{
    struct Font {
        const char *family;
        const char *package;
        bool chinese;
    };
    static const Font fonts[] = {{"Liberation Sans", "fonts-liberation", false},
                                 {"Liberation Mono", "fonts-liberation", false},
                                 {"WenQuanYi Zen Hei", "fonts-wqy-zenhei", true},
                                 {"WenQuanYi Zen Hei Mono", "fonts-wqy-zenhei", true}};
    const QStringList installed = QFontDatabase().families();
    for (const Font &font : fonts) {
        const QString family = QLatin1String(font.family);
        // A family two foundries share is listed as "Family [Foundry]".
        const bool found = std::any_of(installed.cbegin(), installed.cend(), [&family](const QString &name) {
            return name == family || name.startsWith(family + QLatin1String(" ["));
        });
        if ((chinese || !font.chinese) && !found)
            return QStringLiteral("the font \"%1\" is missing (Debian package %2)")
                .arg(family, QLatin1String(font.package));
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    // Widgets are drawn without a display, and lengths are counted at 96 dpi
    // whatever the machine's screen says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    // The pictures open designs like a user would: the list of recent
    // designs they leave goes to a folder of its own, not the user's settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3)
        return fail(QStringLiteral("usage: tf_manual SOURCE.md OUTPUT.pdf"));

    QFile source(arguments.at(1));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1").arg(arguments.at(1)));
    const QString text = QString::fromUtf8(source.readAll());
    const bool chinese = text.contains(QLatin1String("\nlanguage: zh\n"));
    const QString font = missingFont(chinese);
    if (!font.isEmpty())
        return fail(font);

    // The program's pictures in the manual's language.
    QTranslator translator;
    if (chinese && translator.load(QStringLiteral(":/image/tr_zh.qm")))
        QApplication::installTranslator(&translator);
    SilentDialogs dialogs;

    ManualDocument manual(QFileInfo(source).absoluteDir());
    QString error;
    if (!manual.setSource(expandSeriesBlocks(expandCliReference(text)), &error) || !manual.writePdf(arguments.at(2), &error))
        return fail(error);
    return 0;
}

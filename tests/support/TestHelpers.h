#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

// Once a modal loop runs, hands its window to fn as a Dialog. Any other modal
// window is closed instead, so a failing test cannot hang.
template <typename Dialog, typename Fn> void whenModal(Fn fn)
{
    QTimer::singleShot(0, [fn] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<Dialog *>(modal))
            fn(dialog);
        else if (modal)
            modal->close();
    });
}

// How a program run ended: its exit status (-1: it did not end within ten
// minutes, -2: it crashed) and what it wrote.
struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
    QString both() const { return out + err; }
};

inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment = {}, const QString &workingDir = {})
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(600000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Writes a small file; returns its path, or a null string when it could not be written.
inline QString writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

// Makes a file or folder unchangeable, or changeable again. Root ignores mode
// bits, so there it takes the immutable attribute, which also stops a file
// from being replaced; otherwise the owner's write bit.
inline bool setReadOnly(const QString &path, bool readOnly)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {readOnly ? "+i" : "-i", path}) == 0;
    return QFile::setPermissions(
        path, QFile::ReadOwner | QFile::ExeOwner |
                  (readOnly ? QFile::Permissions() : QFile::Permissions(QFile::WriteOwner)));
}

// A design file that names a series and holds nothing else of note.
inline QByteArray designNaming(const QString &mcu)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TFCC>\n  <MCU>" + mcu.toUtf8() +
           "</MCU>\n  <HEXT>8</HEXT>\n</TFCC>\n";
}

#pragma once

#include "DialogService.h"

#include <QList>
#include <QStringList>
#include <memory>

class FormConfiguration;

// The dialogs of tickforge-scripted answered from a script: end-to-end tests
// drive the program's start-up with it (a kill needs a process of its own).
// While it exists it is the dialog seam: every request is printed on standard
// output as one line, "message TITLE | TEXT" (line feeds as "\n"), "file
// CAPTION", "dialog CLASS", and answered from the script. One step a line:
//
//   answer Yes|No|Ok|Cancel   the next message box's answer (Cancel when none is left)
//   path FILE                 the next file or folder dialog's answer (cancelled when none)
//   choose CONTROL INDEX      the open design's combo box CONTROL takes item INDEX
//   wait MILLISECONDS         lets the event loop run
//   delay MILLISECONDS        the crash-recovery copy is written this long after an edit
//   title                     prints "title TEXT", the window's title as shown
//   save | close              Project > Save; closing the window
//
// Answers are queued when the script is read; the other steps run in order
// once start-up is over.
class TestScript final : public DialogService {
public:
    // Null, with a line "error ...", when the file cannot be read.
    static std::unique_ptr<TestScript> fromFile(const QString &fileName, FormConfiguration &window);
    ~TestScript() override;
    Q_DISABLE_COPY(TestScript)

    // The steps; false (with a line "error ...") at the first that can't run.
    bool run();

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &) override;
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &) override;
    QString existingDirectory(QWidget *, const QString &caption, const QString &) override;
    bool openUrl(const QUrl &url) override;
    OverwriteReply askOverwrite(const QString &fileName) override;
    int exec(QDialog &dialog) override;

private:
    TestScript(FormConfiguration &window, const QStringList &lines);
    QString nextPath(const QString &kind, const QString &caption);

    FormConfiguration &m_window;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_paths;
    QList<QStringList> m_steps;
};

#pragma once

#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

class QDialog;
class QWidget;

// One modal message box, described before it is shown. Callers pass every
// text already translated in their own context.
struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
    // Labels for the standard buttons above, e.g. {Yes, tr("Yes")}.
    QList<QPair<QMessageBox::StandardButton, QString>> labels;
    // Buttons added with the action role, in this order (" Open Folder  ").
    QStringList extraButtons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

    static MessageRequest make(QMessageBox::Icon icon, const QString &title, const QString &text);
    MessageRequest &withButton(QMessageBox::StandardButton button, const QString &label);
    MessageRequest &withExtraButton(const QString &label);
};

// What the user did with a message box: a standard button, or the index of
// an extra button (-1 when none was pressed).
struct MessageReply {
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    int extraIndex = -1;

    bool is(QMessageBox::StandardButton b) const { return extraIndex < 0 && button == b; }
    bool isExtra(int index) const { return extraIndex == index; }
};

// Answer of the overwrite-conflict question asked while generating code.
struct OverwriteReply {
    bool replace = false;
    bool replaceAll = false;
};

// Every modal interaction of the program goes through this seam, so tests can
// script the answers. The program uses the Qt implementation.
class DialogService {
public:
    virtual ~DialogService() = default;

    virtual MessageReply message(const MessageRequest &request) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    // Directories only. A null string means the dialog was cancelled.
    virtual QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;
    // Opens a local file or folder with the desktop's handler.
    virtual bool openUrl(const QUrl &url) = 0;
    // "<fileName> file already exists. Do you want to replace it ?"
    virtual OverwriteReply askOverwrite(const QString &fileName) = 0;
    // Any other modal dialog of ours (MCU selection, About); returns exec()'s result.
    virtual int exec(QDialog &dialog) = 0;

    // The extensions (without the dot) a name filter such as
    // "PNG image (*.png);;PDF document (*.pdf)" lists, in order.
    static QStringList filterSuffixes(const QString &filter);
    // The name with the filter's first extension added, unless it already
    // ends in one of the filter's extensions (in any case).
    static QString withSuffix(const QString &fileName, const QString &filter);

    // The service in use; the Qt implementation unless a test installed another.
    static DialogService &instance();
    // Installs a service (not owned); nullptr restores the Qt implementation.
    static void setInstance(DialogService *service);
};

// The real dialogs.
class QtDialogService final : public DialogService {
public:
    // openerPatienceMs: how long the desktop's opener may take to fail before a
    // file counts as opened.
    explicit QtDialogService(int openerPatienceMs = 2500) : m_openerPatienceMs(openerPatienceMs) {}

    MessageReply message(const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    bool openUrl(const QUrl &url) override;
    OverwriteReply askOverwrite(const QString &fileName) override;
    int exec(QDialog &dialog) override;

private:
    int m_openerPatienceMs;
};

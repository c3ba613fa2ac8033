#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// Asks whether an existing output file may be replaced while generating code.
// "Yes" accepts; replaceAll() then tells whether "Do this for the next
// conflicts" was ticked. "Cancel", Escape and closing reject.
class OverwriteDialog final : public QDialog {
    Q_OBJECT
public:
    explicit OverwriteDialog(const QString &fileName, QWidget *parent = nullptr);
    bool replaceAll() const;

    QLabel *questionLabel() const { return m_question; }
    QCheckBox *forNextBox() const { return m_forNext; }
    QPushButton *yesButton() const { return m_yes; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QLabel *m_question = nullptr;
    QCheckBox *m_forNext = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_cancel = nullptr;
};

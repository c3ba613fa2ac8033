#pragma once

#include <QDialog>
#include <QString>

class CustomComboBox1;
class QPushButton;

// Asks which series a new configuration is for. exec() returns 1 when a
// series was chosen with OK; selectedSeries() then holds its name.
class MCUSelect_Form : public QDialog {
    Q_OBJECT
public:
    // The parent is not used: the dialog is a top-level window of its own.
    explicit MCUSelect_Form(QWidget *parent = nullptr);

    QString selectedSeries() const { return m_selectedSeries; }
    CustomComboBox1 *combo() const { return m_combo; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public slots:
    void ok_button_clicked();
    void cancel_button_clicked();

private:
    QString m_selectedSeries;
    CustomComboBox1 *m_combo = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_okButton = nullptr;
};

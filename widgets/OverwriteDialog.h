#pragma once

#include <QDialog>

class QCheckBox;

// Asks whether an existing output file may be replaced while generating code.
// Accepted means "Yes"; replaceAll() tells whether the box was ticked.
class OverwriteDialog final : public QDialog {
    Q_OBJECT
public:
    explicit OverwriteDialog(const QString &fileName, QWidget *parent = nullptr);
    bool replaceAll() const;

private:
    QCheckBox *m_forNext = nullptr;
};

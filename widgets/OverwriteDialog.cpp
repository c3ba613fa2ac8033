#include "OverwriteDialog.h"

#include <QCheckBox>

// Placeholder until the generation flow lands; replaced by the full dialog.
OverwriteDialog::OverwriteDialog(const QString &fileName, QWidget *parent)
    : QDialog(parent)
    , m_forNext(new QCheckBox(this))
{
    setWindowTitle(fileName);
}

bool OverwriteDialog::replaceAll() const
{
    return m_forNext->isChecked();
}

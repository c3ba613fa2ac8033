#include "OverwriteDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

namespace {
// The conflict question belongs to the program's general context.
QString trGeneral(const char *text)
{
    return QCoreApplication::translate("QObject", text);
}
} // namespace

OverwriteDialog::OverwriteDialog(const QString &fileName, QWidget *parent)
    : QDialog(parent)
    , m_question(new QLabel(fileName + trGeneral(QT_TRANSLATE_NOOP(
                                           "QObject", " file already exists.Do you want to replace it ? ")),
                            this))
    , m_forNext(
          new QCheckBox(trGeneral(QT_TRANSLATE_NOOP("QObject", "Do this for the next conflicts")), this))
    , m_yes(new QPushButton(trGeneral(QT_TRANSLATE_NOOP("QObject", "Yes")), this))
    , m_cancel(new QPushButton(trGeneral(QT_TRANSLATE_NOOP("QObject", "Cancel")), this))
{
    setWindowTitle(trGeneral(QT_TRANSLATE_NOOP("QObject", "warning")));
    setModal(true);

    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size));

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addWidget(m_question, 0, 1, 1, 4);
    grid->addItem(new QSpacerItem(30, 30), 1, 1, 1, 4);
    grid->addWidget(m_forNext, 3, 0, 1, 4);
    grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 1);
    grid->addWidget(m_yes, 4, 2);
    grid->addWidget(m_cancel, 4, 3);

    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool OverwriteDialog::replaceAll() const
{
    return m_forNext->isChecked();
}

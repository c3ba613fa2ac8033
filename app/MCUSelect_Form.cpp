#include "MCUSelect_Form.h"

#include "CustomComboBox1.h"
#include "SeriesTable.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>

MCUSelect_Form::MCUSelect_Form(QWidget *parent) : QDialog(nullptr)
{
    Q_UNUSED(parent)
    setWindowTitle(tr("MCU Select"));
    setWindowIcon(QIcon(QStringLiteral(":/image/VelornIcon.ico")));
    // A title bar with a close button only; the dialog type is kept so the
    // window manager treats it as a dialog.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 20);
    const QFont plain(QStringLiteral("Arial"), 10, 0);
    const QFont bold(QStringLiteral("Arial"), 10, QFont::Bold);

    auto *label = new QLabel(tr("Please select MCU:"), this);
    label->setFont(plain);

    m_combo = new CustomComboBox1(this);
    m_combo->setFont(bold);
    for (const SeriesParams &series : SeriesTable::all())
        m_combo->addItem(series.seriesName());
    m_combo->setMaxVisibleItems(15);

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setFont(plain);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setFont(plain);

    grid->addWidget(label, 0, 0);
    grid->addItem(new QSpacerItem(30, 40, QSizePolicy::Fixed, QSizePolicy::Expanding), 0, 1);
    grid->addWidget(m_combo, 0, 2, 1, 2);
    grid->addItem(new QSpacerItem(50, 40, QSizePolicy::Expanding, QSizePolicy::Fixed), 1, 0, 1, 4);
    grid->addWidget(m_okButton, 2, 2);
    grid->addWidget(m_cancelButton, 2, 3);

    connect(m_okButton, &QPushButton::clicked, this, &MCUSelect_Form::ok_button_clicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &MCUSelect_Form::cancel_button_clicked);
}

void MCUSelect_Form::ok_button_clicked()
{
    m_selectedSeries = m_combo->currentText();
    done(1);
}

void MCUSelect_Form::cancel_button_clicked()
{
    m_selectedSeries = QStringLiteral("");
    done(0);
}

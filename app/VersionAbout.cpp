#include "VersionAbout.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>

VersionAbout::VersionAbout(QWidget *parent) : QDialog(nullptr)
{
    // Like the MCU dialog, the About box is a top-level window of its own.
    Q_UNUSED(parent)
    setWindowTitle(tr("About"));
    setWindowIcon(QIcon(QStringLiteral(":/image/VelornIcon.ico")));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(220, 160);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 20);

    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/image/Velorn_log.png"))
                        .scaled(150, 150, Qt::KeepAspectRatio, Qt::FastTransformation));
    grid->addWidget(logo, 0, 0, 4, 1);

    const QFont font(QStringLiteral("Arial"), 10, 0);
    const QString texts[] = {productName(), versionText(),
                             tr("Clock tree configuration and code generation for QX microcontrollers."),
                             tr("Copyright (C) the Tickforge developers. All rights reserved.")};
    int row = 0;
    for (const QString &text : texts) {
        grid->addItem(new QSpacerItem(30, 20, QSizePolicy::Fixed, QSizePolicy::Expanding), row, 1);
        auto *label = new QLabel(text, this);
        label->setFont(font);
        grid->addWidget(label, row, 2);
        ++row;
    }
}

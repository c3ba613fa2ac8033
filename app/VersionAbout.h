#pragma once

#include "tf_version.h"

#include <QDialog>

// The About box: logo, product name, version and the maker's notice.
class VersionAbout : public QDialog {
    Q_OBJECT
public:
    explicit VersionAbout(QWidget *parent = nullptr);

    static QString productName() { return QStringLiteral("Tickforge"); }
    static QString versionText() { return QStringLiteral("V" TF_VERSION_TEXT); }
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace Codegen {

struct OutputFile {
    QString path;
    QByteArray bytes;
};

// Writes every file or none. Each is first written and synced beside its
// target under a temporary name; only when all are staged do they replace
// their targets, in order. Should one fail then, the files already replaced
// get their old contents back (or are removed when they did not exist).
// False with "path: reason" in *error.
bool writeAllOrNone(const QVector<OutputFile> &files, QString *error = nullptr);

} // namespace Codegen

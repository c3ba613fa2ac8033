#pragma once

#include <QStringList>

// Exit statuses of "update" beyond the tool's shared ones (0, 1, 4).
enum CliUpdateStatus {
    CliUpdateFailed = 6,  // network, TLS, HTTP status, size, unreadable list or signature
    CliNewerVersion = 10, // a newer version exists (and --download was not given)
};

// tickforge-cli update [--base URL] [--download DIR] [--sha256 HEX] [--overwrite]
// arguments: those after the command name. Loads the command's module,
// tickforge-cli-update.so (CliUpdate.cpp), and runs it there: only this
// command needs QtNetwork and OpenSSL.
int commandUpdate(const QStringList &arguments);

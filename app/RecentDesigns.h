#pragma once

#include <QStringList>

// The design files last opened or saved, newest first, kept between runs in
// the user's settings.
namespace RecentDesigns {

constexpr int kMaxFiles = 8;

// The list with `fileName` moved (or put) in front, at most kMaxFiles long.
// Names are compared as absolute clean paths.
QStringList pushed(const QStringList &files, const QString &fileName);

// The menu texts of a list: each file's name, with its folder's name where
// two entries share a file name (and more of the path while they still do).
QStringList displayNames(const QStringList &files);

QStringList load();
// False when the list could not be saved (the old one then stays).
bool store(const QStringList &files);
// Puts a file in front of the stored list.
void add(const QString &fileName);
// Drops a file from the stored list (it no longer exists).
void remove(const QString &fileName);

} // namespace RecentDesigns

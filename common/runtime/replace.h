#pragma once

#include "runtime/error.h"

#include <QFileDevice>
#include <QString>
#include <optional>

namespace rt {

// What putting a new file in the place of an old one takes, the one place where the two
// systems differ in it: POSIX calls elsewhere, the system's own calls on Windows.

// Writes what the system still holds of the file to the disk, so that a power cut after the
// new file took the old one's place cannot leave it empty. Failures are not reported: the
// write itself has succeeded, and some file systems cannot do this at all.
void syncToDisk(QFileDevice& file);

// Moves from over to in one step, replacing it; the toolkit's own rename will not replace a
// file. Gives the error when the move failed, and then to is as it was.
std::optional<ErrorCode> replaceFile(const QString& from, const QString& to);

// The permissions a file the program creates gets from the system (on POSIX systems what the
// umask leaves of read and write for everyone). Only the owner, group and others' bits.
QFileDevice::Permissions newFilePermissions();

} // namespace rt

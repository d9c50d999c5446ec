#pragma once

#include "runtime/error.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>
#include <variant>

namespace rt {

// What reading a file and putting a new file in the place of an old one take, the places where
// the two systems differ in files: POSIX calls elsewhere, the system's own calls on Windows.

// Why a call on a file failed: the runtime's error, and whether the system said that another
// program has the file open (a sharing violation on Windows), which the message should say: the
// user would otherwise look for a permission problem.
struct FileFault {
    ErrorCode code;
    bool inUse = false;
};

// At most limit bytes of the file at path, which must be a regular file. It is opened without
// waiting (a pipe would wait for a writer), and what was opened is checked, not only the name:
// a pipe, a device or a folder that took the file's place since it was looked at is the
// not-a-file error.
std::variant<QByteArray, FileFault> readRegularFile(const QString& path, qint64 limit);

// Writes what the system still holds of the file to the disk, so that a power cut after the
// new file took the old one's place cannot leave it empty. Failures are not reported: the
// write itself has succeeded, and some file systems cannot do this at all.
void syncToDisk(QFileDevice& file);

// Moves from over to in one step, replacing it; the toolkit's own rename will not replace a
// file. Gives the fault when the move failed, and then to is as it was.
std::optional<FileFault> replaceFile(const QString& from, const QString& to);

// The permissions a file the program creates gets from the system (on POSIX systems what the
// umask leaves of read and write for everyone). Only the owner, group and others' bits.
QFileDevice::Permissions newFilePermissions();

} // namespace rt

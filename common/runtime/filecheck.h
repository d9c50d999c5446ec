#pragma once

#include "runtime/filesystem.h"

#include <QFileInfo>
#include <QString>

// What a path leads to and how a message names it, for the input and the output file alike.
namespace rt::filecheck {

// The path as the user gave it and, when links lead elsewhere, where they lead: the file named
// in a message may otherwise look perfectly fine.
QString named(const QString& path, const QString& target);

// The regular file the path leads to once every symbolic link on the way is followed, checked
// without opening it: opening a pipe waits for a writer, and a device never ends. Links that
// lead round are the link-loop error, a missing folder on the way path-not-found, anything
// but a regular file not-a-file; a missing file is the file-not-found error only when it must
// be there.
QFileInfo regularFile(const QString& path, bool mayBeMissing);

// The fault's error, naming the file, and saying so when another program holds it open.
[[noreturn]] void raiseFault(const FileFault& fault, const QString& name);

} // namespace rt::filecheck

#pragma once

#include <QString>

namespace rt {

// Where the program's files are kept, each system in a file of its own that the build takes:
// storage.cpp for a desktop's disk, storage_wasm.cpp for the browser's page, which keeps the
// program's folder in the browser's storage (web/page-and-program.md).

// The folder the program works in (App.Path, unless a test's host names another), without a
// trailing separator.
QString programFolder();

// After a file of that folder is put in place: a disk holds it already; in the browser that
// file, and only that one, goes into the browser's storage, where another tab of the same
// program keeps its own files.
void storeFile(const QString& path);

} // namespace rt

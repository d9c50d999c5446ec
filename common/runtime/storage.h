#pragma once

#include <QString>

namespace rt {

// Where the program's files are kept, each system in a file of its own that the build takes:
// storage.cpp for a desktop's disk, storage_wasm.cpp for the browser's page, which keeps the
// program's folder in the browser's storage (web/page-and-program.md).

// The folder the program works in (App.Path, unless a test's host names another), without a
// trailing separator.
QString programFolder();

// After a file of that folder is put in place: a disk holds it already; the browser's folder
// goes back to the browser's storage.
void storeFolder();

} // namespace rt

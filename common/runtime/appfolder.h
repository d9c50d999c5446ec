#pragma once

#include <QString>

namespace rt::App {

// The program's folder, without a trailing separator.
QString Path();
// A file in the program's folder, joined with the platform's separator.
QString File(const QString& name);

} // namespace rt::App

namespace rt {

// The folder a program works in, given the folder its executable stands in. Run from where it
// was built or unpacked, that is its own folder. Installed for the whole system, it cannot
// write there: its files were installed under <prefix>/share/<project>/<program>, and it works
// in <dataHome>/<project>/<program>, the user's own, which its first start makes and fills
// with a copy of those files.
QString workingFolder(const QString& programFolder, const QString& program,
                      const QString& dataHome);

} // namespace rt

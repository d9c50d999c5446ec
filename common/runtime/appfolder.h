#pragma once

#include <QString>

namespace rt::App {

// The program's folder, without a trailing separator.
QString Path();
// A file in the program's folder, joined with the platform's separator.
QString File(const QString& name);

} // namespace rt::App

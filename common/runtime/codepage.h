#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace rt {

// Code page 936 (GBK) both ways, the one place where the builds differ in text: the system's
// own conversion on Windows (codepage_windows.cpp), the toolkit's ICU converter on Linux
// (codepage_icu.cpp), and tables made from that converter in the browser, which has no ICU
// (codepage_table.cpp). Each gives nothing when the input has something the other side cannot
// hold (bytes that are no code page 936, or a character outside it): nothing is replaced
// quietly.
std::optional<QString> fromCodePage(const QByteArray& bytes);
std::optional<QByteArray> toCodePage(const QString& text);

} // namespace rt

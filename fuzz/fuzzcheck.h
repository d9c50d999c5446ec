#pragma once

#include "runtime/error.h"

#include <QDir>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a property that does not hold is a finding, reported the way
// libFuzzer reports a crash, with the input kept.
namespace fuzzcheck {

[[noreturn]] inline void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "property failed: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

inline void check(bool holds, const char* what, const QString& detail = {})
{
    if (!holds)
        fail(what, detail);
}

// A folder of the process's own for the files the readers open; gone at exit.
inline QString scratch(const QString& name)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary folder");
    return dir.filePath(name);
}

inline void writeFile(const QString& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        fail("cannot write the input file", path);
}

// The line count of the bytes as the reader counts lines: one more than the line feeds.
inline int lineCount(const std::uint8_t* data, std::size_t size)
{
    int lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        lines += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
    return lines;
}

// A reader's error names the file and a line that is in it.
inline void checkNamesFileAndLine(const rt::Error& e, const QString& path, int lines)
{
    const QString message = e.message();
    check(message.contains(QDir::toNativeSeparators(path)), "the error names the file", message);
    static const QRegularExpression line(QStringLiteral("第 (\\d+) 行"));
    const auto m = line.match(message);
    check(m.hasMatch(), "the error names a line", message);
    const int n = m.captured(1).toInt();
    check(n >= 1 && n <= lines, "the line is in the file", message);
}

} // namespace fuzzcheck

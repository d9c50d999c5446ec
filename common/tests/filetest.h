#pragma once

#include "runtime/codepage.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// Helpers for tests that look at files byte for byte.
namespace filetest {

// The text in code page 936, as the records files hold it.
inline QByteArray gbk(const QString& text)
{
    return *rt::toCodePage(text);
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The file's bytes; nothing when it is missing.
inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace filetest

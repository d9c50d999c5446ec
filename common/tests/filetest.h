#pragma once

#include "runtime/codepage.h"
#include "runtime/error.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <functional>

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

// The message of the error the call raises, or an empty text.
inline QString messageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const rt::Error& e) {
        return e.message();
    }
    return {};
}

} // namespace filetest

#include "runtime/codepage.h"

#include <climits>
#include <windows.h>

namespace rt {

namespace {

constexpr UINT kCodePage = 936;

} // namespace

std::optional<QString> fromCodePage(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (bytes.size() > INT_MAX)
        return std::nullopt;
    const int size = int(bytes.size());
    // Every byte gives at most one UTF-16 unit in this code page.
    QString text(size, Qt::Uninitialized);
    const int written = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.constData(),
                                            size, reinterpret_cast<wchar_t*>(text.data()), size);
    if (written <= 0)
        return std::nullopt;
    text.truncate(written);
    return text;
}

std::optional<QByteArray> toCodePage(const QString& text)
{
    if (text.isEmpty())
        return QByteArray();
    if (text.size() > INT_MAX / 2)
        return std::nullopt;
    const int size = int(text.size());
    const auto* units = reinterpret_cast<const wchar_t*>(text.constData());
    // Every UTF-16 unit gives at most two bytes in this code page.
    QByteArray bytes(2 * qsizetype(size), Qt::Uninitialized);
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, units, size,
                                            bytes.data(), int(bytes.size()), nullptr, &usedDefault);
    if (written <= 0 || usedDefault)
        return std::nullopt;
    bytes.truncate(written);
    // A lone half of a surrogate pair has no code, whatever the conversion made of it.
    if (fromCodePage(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace rt

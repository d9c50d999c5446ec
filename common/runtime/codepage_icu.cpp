#include "runtime/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace rt {

// Opening a converter looks its name up afresh each time, which costs more than converting a
// short line, so each thread keeps one of each; a failed one is replaced by a fresh one.
std::optional<QString> fromCodePage(const QByteArray& bytes)
{
    thread_local std::optional<QStringDecoder> decoder;
    if (!decoder)
        decoder.emplace("GBK", QStringDecoder::Flag::Stateless);
    QString text = (*decoder)(bytes);
    if (decoder->hasError()) {
        decoder.reset(); // its error sticks
        return std::nullopt;
    }
    return text;
}

std::optional<QByteArray> toCodePage(const QString& text)
{
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder)
        encoder.emplace("GBK", QStringEncoder::Flag::Stateless);
    QByteArray bytes = (*encoder)(text);
    if (encoder->hasError()) {
        encoder.reset();
        return std::nullopt;
    }
    // Some converters put a substitute in without saying so: a faithful conversion comes back.
    if (fromCodePage(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace rt

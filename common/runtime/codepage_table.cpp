#include "runtime/codepage.h"

#include "codepage936_table.h" // made at build time from ICU (tools/codepage)

#include <algorithm>
#include <iterator>

// The browser's toolkit has neither ICU nor a system conversion, so code page 936 comes from
// tables that gen_codepage936 took from the toolkit's ICU converter: the same bytes, the same
// characters and the same refusals as on Linux. A code is an ASCII byte, a high byte alone, or
// a lead byte and a trail byte.
namespace rt {

std::optional<QString> fromCodePage(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        if (byte < 0x80) {
            text += QChar(byte);
            continue;
        }
        if (const char16_t single = cp936::kHighBytes[byte - 0x80]) {
            text += QChar(single);
            continue;
        }
        // A lead byte: its trail byte must follow, and the pair must stand for a character.
        if (++i == bytes.size())
            return std::nullopt;
        const auto trail = uchar(bytes[i]);
        if (trail < cp936::kFirstTrail || trail > cp936::kLastTrail)
            return std::nullopt;
        const char16_t character = cp936::kPairs[byte - 0x80][trail - cp936::kFirstTrail];
        if (!character)
            return std::nullopt;
        text += QChar(character);
    }
    return text;
}

std::optional<QByteArray> toCodePage(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar unit : text) {
        if (unit.unicode() < 0x80) {
            bytes += char(unit.unicode());
            continue;
        }
        // Surrogates are not in the table: no code gives one back, so ICU refuses them too.
        const auto* const code =
            std::lower_bound(std::begin(cp936::kCodes), std::end(cp936::kCodes), unit.unicode(),
                             [](const cp936::Code& c, char16_t u) { return c.character < u; });
        if (code == std::end(cp936::kCodes) || code->character != unit.unicode())
            return std::nullopt;
        if (code->code > 0xFF)
            bytes += char(code->code >> 8);
        bytes += char(code->code & 0xFF);
    }
    return bytes;
}

} // namespace rt

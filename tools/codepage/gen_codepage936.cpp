// Writes code page 936 as C++ tables (codepage936_table.h), asking the toolkit's own "GBK"
// converter, ICU, the one the Linux build converts with: the browser's build converts from
// these tables (common/runtime/codepage_table.cpp) and so gives the same bytes and refusals.
//
// Usage: gen_codepage936 <codepage936_table.h>

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr unsigned kFirstHigh = 0x80; // the first byte that is no ASCII character

// What ICU makes of the bytes, or nothing when it refuses them.
std::optional<QString> decode(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The code ICU gives the character, if that code gives the character back: codepage_icu.cpp
// refuses any other.
std::optional<QByteArray> encode(char16_t character)
{
    const QString text(QChar{character});
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (encoder.hasError() || decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

[[noreturn]] void fail(const char* what, unsigned value)
{
    std::fprintf(stderr, "gen_codepage936: %s: %04X\n", what, value);
    std::exit(EXIT_FAILURE);
}

struct Tables {
    std::vector<char16_t> highBytes;          // [byte - 0x80], 0 for a lead byte
    std::vector<std::vector<char16_t>> pairs; // [lead - 0x80][trail], 0 for none
    unsigned firstTrail = 0xFF;
    unsigned lastTrail = 0;
    std::vector<std::pair<char16_t, unsigned>> codes; // beyond ASCII, in order of character
};

// The tables hold a character as one UTF-16 unit and mark "none" with 0.
char16_t tableCharacter(const QString& text, unsigned code)
{
    if (text.size() != 1 || text[0].isNull() || text[0].isSurrogate())
        fail("not one character of the Basic Multilingual Plane", code);
    return text[0].unicode();
}

Tables askIcu()
{
    // codepage_table.cpp takes bytes below 0x80 for their ASCII characters, both ways.
    for (unsigned byte = 0; byte < kFirstHigh; ++byte) {
        const QByteArray bytes(1, char(byte));
        if (decode(bytes) != QString(QChar{char16_t(byte)}) || encode(char16_t(byte)) != bytes)
            fail("not ASCII", byte);
    }

    // A high byte is a character alone or leads a pair; a pair is one character or none.
    Tables tables;
    tables.highBytes.assign(0x100 - kFirstHigh, 0);
    tables.pairs.assign(0x100 - kFirstHigh, std::vector<char16_t>(0x100, 0));
    for (unsigned lead = kFirstHigh; lead <= 0xFF; ++lead) {
        if (const auto single = decode(QByteArray(1, char(lead)))) {
            tables.highBytes[lead - kFirstHigh] = tableCharacter(*single, lead);
            continue;
        }
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            QByteArray pair(2, char(lead));
            pair[1] = char(trail);
            const auto text = decode(pair);
            if (!text)
                continue;
            tables.pairs[lead - kFirstHigh][trail] = tableCharacter(*text, lead << 8 | trail);
            tables.firstTrail = std::min(tables.firstTrail, trail);
            tables.lastTrail = std::max(tables.lastTrail, trail);
        }
    }
    if (tables.firstTrail > tables.lastTrail)
        fail("no pairs", 0);

    // No code above gives a surrogate back, so a surrogate gets none.
    for (unsigned character = kFirstHigh; character <= 0xFFFF; ++character) {
        if (QChar::isSurrogate(character))
            continue;
        const auto bytes = encode(char16_t(character));
        if (!bytes)
            continue;
        unsigned code = 0;
        for (const char byte : *bytes)
            code = code << 8 | uchar(byte);
        if (bytes->size() > 2 || code < kFirstHigh)
            fail("a code of neither one byte nor two", character);
        tables.codes.emplace_back(char16_t(character), code);
    }
    return tables;
}

QString hex(unsigned value, int digits = 4)
{
    return u"0x"_s + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// The characters from first to last, eight to a line.
void writeCharacters(QTextStream& out, const std::vector<char16_t>& characters, std::size_t first,
                     std::size_t last, const char* indent)
{
    for (std::size_t i = first; i <= last; ++i) {
        out << (((i - first) % 8 == 0) ? indent : " ") << hex(characters[i]) << ',';
        if ((i - first) % 8 == 7 || i == last)
            out << '\n';
    }
}

void write(QTextStream& out, const Tables& tables)
{
    out << "// Made by gen_codepage936 from the toolkit's \"GBK\" converter (ICU); not to be "
           "edited.\n"
           "#pragma once\n\n#include <cstdint>\n\nnamespace rt::cp936 {\n\n";

    out << "// Bytes 0x80 to 0xFF alone: the character, or 0 where the byte leads a pair.\n"
           "constexpr char16_t kHighBytes[0x80] = {\n";
    writeCharacters(out, tables.highBytes, 0, tables.highBytes.size() - 1, "    ");
    out << "};\n\n";

    out << "// The character of each pair, by [lead - 0x80][trail - kFirstTrail]; 0 where none.\n"
        << "constexpr unsigned kFirstTrail = " << hex(tables.firstTrail, 2) << ";\n"
        << "constexpr unsigned kLastTrail = " << hex(tables.lastTrail, 2) << ";\n"
        << "constexpr char16_t kPairs[0x80][kLastTrail - kFirstTrail + 1] = {\n";
    for (unsigned lead = kFirstHigh; lead <= 0xFF; ++lead) {
        out << "    // " << hex(lead, 2) << "\n    {\n";
        writeCharacters(out, tables.pairs[lead - kFirstHigh], tables.firstTrail, tables.lastTrail,
                        "        ");
        out << "    },\n";
    }
    out << "};\n\n";

    out << "struct Code {\n    char16_t character;\n"
           "    std::uint16_t code; // one byte up to 0xFF, else the lead byte and the trail byte\n"
           "};\n\n"
           "// Each character beyond ASCII that has a code, in order of character.\n"
           "constexpr Code kCodes[] = {\n";
    for (std::size_t i = 0; i < tables.codes.size(); ++i) {
        const auto& [character, code] = tables.codes[i];
        out << (i % 4 == 0 ? "    " : " ") << '{' << hex(character) << ", " << hex(code) << "},";
        if (i % 4 == 3 || i + 1 == tables.codes.size())
            out << '\n';
    }
    out << "};\n\n} // namespace rt::cp936\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_codepage936 <codepage936_table.h>\n");
        return EXIT_FAILURE;
    }
    const Tables tables = askIcu();
    // Written whole or not at all, so that a failed run leaves no table the build takes as made.
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        fail("cannot write the table", 0);
    QTextStream out(&file);
    write(out, tables);
    out.flush();
    if (!file.commit())
        fail("cannot write the table", 0);
    return EXIT_SUCCESS;
}

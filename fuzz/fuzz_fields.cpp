// The sequential-input reader over any bytes. The first byte picks the kinds of the fields
// read, two bits a field (text, Double, Integer, Long, over and over); the rest is the file.
// Reading goes on until the end of the file or a run-time error, which must name the file
// and a line in it; every field advances the reader, so the reading ends.
#include "fuzzcheck.h"
#include "runtime/inputfile.h"

#include <cmath>

using fuzzcheck::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const unsigned kinds = data[0];
    ++data;
    --size;
    static const QString path = fuzzcheck::scratch(QStringLiteral("fields.txt"));
    fuzzcheck::writeFile(path, data, size);
    const int lines = fuzzcheck::lineCount(data, size);

    try {
        rt::InputFile in(path);
        int lastLine = 0;
        // A field takes at least one character or a separator, so the file bounds the count.
        for (std::size_t n = 0; !in.Eof(); ++n) {
            check(n <= size, "reading ends", path);
            switch ((kinds >> (2 * (n % 4))) & 3u) {
            case 0: {
                QString s;
                in.Input(s);
                check(!s.contains(u'\r') && !s.contains(u'\n'), "no line end inside a field", s);
                break;
            }
            case 1: {
                double d = 0;
                in.Input(d);
                check(std::isfinite(d), "a Double field is finite");
                break;
            }
            case 2: {
                rt::Integer i;
                in.Input(i);
                break;
            }
            default: {
                rt::Long l;
                in.Input(l);
                break;
            }
            }
            check(in.line() >= lastLine && in.line() <= lines, "fields go forward line by line",
                  QString::number(in.line()));
            lastLine = in.line();
        }
    } catch (const rt::Error& e) {
        fuzzcheck::checkNamesFileAndLine(e, path, lines);
    }
    return 0;
}

#include "glyphs.h"

#include "runtime/random.h"
#include "runtime/text.h"

using namespace Qt::StringLiterals;

namespace glyphmix {

QString DrawCharacter()
{
    return rt::Chr(rt::CInt(rt::Int(rt::Rnd() * 94) + 33));
}

QString DrawUntilZ()
{
    QString text;
    QString last; // empty, so the first test never stops the loop
    while (last != u"Z"_s) {
        last = DrawCharacter();
        text += last;
    }
    return text;
}

QString DrawUntilRepeat()
{
    QString text;
    for (;;) {
        const QString last = DrawCharacter();
        text += last;
        if (rt::InStr(rt::Left(text, rt::Len(text) - 1), last) > 0)
            return text;
    }
}

ClassCounts CountClasses(const QString& s)
{
    ClassCounts n;
    const rt::Long end = rt::Len(s);
    for (rt::Long i = 1; i <= end; ++i) {
        const rt::Integer c = rt::Asc(rt::Mid(s, i, 1));
        if (c >= 48 && c <= 57)
            ++n.digits;
        else if (c >= 65 && c <= 90)
            ++n.capitals;
        else if (c > rt::Asc(u"z"_s) || c < rt::Asc(u"a"_s))
            ++n.others; // punctuation, blanks, line breaks and every double-byte character
        else
            ++n.smalls;
    }
    return n;
}

} // namespace glyphmix

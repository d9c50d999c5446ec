#include "forms/fonts.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace forms {

bool acceptsFontSize(float size)
{
    return std::isfinite(size) && size >= kMinFontSize && size <= kMaxFontSize;
}

bool isVertical(const QString& face)
{
    return face.startsWith(u'@');
}

QString familyFor(const QString& face)
{
    const QString plain = isVertical(face) ? face.mid(1) : face;
    if (plain == u"宋体"_s || plain == u"新宋体"_s)
        return u"AR PL UMing CN"_s;
    if (plain == u"隶书"_s || plain == u"楷体"_s)
        return u"AR PL UKai CN"_s;
    return plain;
}

QFont toQFont(const Font& font)
{
    QFont f(familyFor(font.name));
    f.setPointSizeF(font.size);
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

} // namespace forms

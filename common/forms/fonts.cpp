#include "forms/fonts.h"

#include <QStringList>
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

namespace {

// The faces the programs name are a Chinese Windows' own: 宋体 is SimSun, 隶书 LiSu. Where a
// face is not installed under that name, the toolkit draws with the first of these it finds.
void insertFaceSubstitutes()
{
    const QStringList song{u"SimSun"_s,         u"NSimSun"_s,           u"AR PL UMing CN"_s,
                           u"AR PL New Sung"_s, u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s};
    // Where no Kai face is there at all (the browser carries only the Ming one), the Ming
    // face still draws the characters.
    const QStringList kai{u"KaiTi"_s, u"STKaiti"_s, u"AR PL UKai CN"_s, u"AR PL KaitiM GB"_s,
                          u"AR PL UMing CN"_s};
    QFont::insertSubstitutions(u"宋体"_s, song);
    QFont::insertSubstitutions(u"新宋体"_s, song);
    QFont::insertSubstitutions(u"隶书"_s, QStringList{u"LiSu"_s} + kai);
    QFont::insertSubstitutions(u"楷体"_s, kai);
}

} // namespace

QFont toQFont(const Font& font)
{
    static const bool substitutesInserted = (insertFaceSubstitutes(), true);
    Q_UNUSED(substitutesInserted);
    QFont f(isVertical(font.name) ? font.name.mid(1) : font.name);
    f.setPointSizeF(font.size);
    f.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

} // namespace forms

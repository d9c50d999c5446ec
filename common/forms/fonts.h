#pragma once

#include <QFont>
#include <QString>

namespace forms {

// A font as the programs set and read it. The face keeps the name the program gave it
// ("宋体", "隶书", "@宋体"); only drawing looks for an installed face.
struct Font {
    QString name = QStringLiteral("宋体");
    float size = 9;    // points, single precision
    int weight = 400;  // 400 normal, 700 bold
    int charset = 134; // GB2312
};

// Sizes outside this range are not taken: the font keeps its size.
inline constexpr float kMinFontSize = 1;
inline constexpr float kMaxFontSize = 1000;
bool acceptsFontSize(float size);

// A face with a leading "@" is the vertical-writing variant: its text is drawn turned a
// quarter turn clockwise.
bool isVertical(const QString& face);
// The toolkit's font for a face; where the face itself is not installed, the toolkit
// substitutes an installed one (AR PL UMing for 宋体, AR PL UKai for 隶书 on Linux).
QFont toQFont(const Font& font);

} // namespace forms

#pragma once

#include <QString>
#include <QStringList>

// Captions and texts hold CR LF, as the records do; the widgets want LF. The conversion
// happens at the widget's edge, here.
namespace forms {

inline QString toWidget(const QString& text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    return s;
}

inline QString fromWidget(const QString& text)
{
    QString s = text;
    s.replace(QChar::ParagraphSeparator, u'\n');
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s;
}

// A caption's lines; a caption that ends with a line break has an empty last line.
inline QStringList captionLines(const QString& caption)
{
    return toWidget(caption).split(u'\n');
}

} // namespace forms

#pragma once

#include "runtime/fixedstring.h"
#include "runtime/numbers.h"

#include <QFrame>
#include <QList>
#include <QString>
#include <QStringList>

namespace forms {

// The separators of a Print statement: after an item, Semi continues the line, Comma moves
// to the next 14-column print zone; an item with no separator after it ends the line.
enum class Sep {
    Semi,
    Comma
};
inline constexpr Sep Semi = Sep::Semi;
inline constexpr Sep Comma = Sep::Comma;

// One piece of a Print statement: a text as it is, a number in the number form (a sign place,
// the digits, a trailing blank), or a separator.
class PrintPiece {
public:
    // A Print statement takes texts and numbers as they come: every piece converts implicitly.
    // NOLINTBEGIN(google-explicit-constructor)
    PrintPiece(const QString& text)
        : text_(text)
    {
    }
    PrintPiece(const char16_t* text)
        : text_(QString::fromUtf16(text))
    {
    }
    template <int N>
    PrintPiece(const rt::FixedString<N>& text)
        : text_(text.value())
    {
    }
    template <typename T>
    PrintPiece(rt::Checked<T> n)
        : text_(rt::PrintText(n))
    {
    }
    PrintPiece(int n)
        : text_(rt::PrintText(rt::Long(n)))
    {
    }
    PrintPiece(float n)
        : text_(rt::PrintText(n))
    {
    }
    PrintPiece(double n)
        : text_(rt::PrintText(n))
    {
    }
    PrintPiece(Sep sep)
        : separator_(true)
        , sep_(sep)
    {
    }
    // NOLINTEND(google-explicit-constructor)

    bool isSeparator() const { return separator_; }
    Sep separator() const { return sep_; }
    const QString& text() const { return text_; }

private:
    QString text_;
    bool separator_ = false;
    Sep sep_ = Sep::Semi;
};

// A surface that Print writes on: the client area of a form or a picture box. It keeps what
// was printed, so it is drawn again whenever the window is covered and shown again, and so
// the printed text can be read back line by line.
class Surface : public QFrame {
public:
    explicit Surface(QWidget* parent = nullptr);

    void print(const QList<PrintPiece>& pieces);
    void Cls();

    // The printed lines in order; the line being printed counts once it holds anything.
    QStringList printedLines() const;
    // The printed lines as one text, a line break between neighbours; what a screen reader reads.
    QString printedText() const { return printedLines().join(u'\n'); }
    // The print position in twips from the top-left corner.
    float CurrentX() const;
    float CurrentY() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Run {
        QPointF at;
        QString text;
    };
    void write(const QString& text);
    void endLine();

    QList<Run> runs_;
    QStringList lines_{QString()};
    QPointF position_;
};

} // namespace forms

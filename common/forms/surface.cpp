#include "forms/surface.h"

#include "forms/accessibility.h"
#include "forms/layout.h"

#include <QAccessible>
#include <QPainter>
#include <cmath>

namespace forms {

namespace {
constexpr int kZoneColumns = 14;
}

Surface::Surface(QWidget* parent)
    : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(true);
    installAccessibility();
}

void Surface::print(const QList<PrintPiece>& pieces)
{
    const QString before = QAccessible::isActive() ? printedText() : QString();
    for (const PrintPiece& piece : pieces) {
        if (!piece.isSeparator()) {
            write(piece.text());
            continue;
        }
        if (piece.separator() == Sep::Comma) {
            // To the start of the next print zone, in the text and on the surface alike.
            const qsizetype column = lines_.last().size();
            const qsizetype next = (column / kZoneColumns + 1) * kZoneColumns;
            lines_.last() += QString(next - column, u' ');
            const qreal zone = kZoneColumns * fontMetrics().averageCharWidth();
            position_.setX((std::floor(position_.x() / zone) + 1) * zone);
        }
    }
    if (pieces.isEmpty() || !pieces.last().isSeparator())
        endLine();
    update();
    announceChange(*this, before);
}

void Surface::write(const QString& text)
{
    if (text.isEmpty())
        return;
    runs_.append({position_, text});
    lines_.last() += text;
    position_.rx() += fontMetrics().horizontalAdvance(text);
}

void Surface::endLine()
{
    lines_.append(QString());
    position_ = QPointF(0, position_.y() + fontMetrics().height());
}

void Surface::Cls()
{
    const QString before = QAccessible::isActive() ? printedText() : QString();
    runs_.clear();
    lines_ = QStringList{QString()};
    position_ = QPointF();
    update();
    announceChange(*this, before);
}

QStringList Surface::printedLines() const
{
    QStringList lines = lines_;
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

float Surface::CurrentX() const
{
    return float(twips(position_.x()));
}

float Surface::CurrentY() const
{
    return float(twips(position_.y()));
}

void Surface::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QPointF origin = contentsRect().topLeft();
    const qreal ascent = fontMetrics().ascent();
    for (const Run& run : runs_)
        p.drawText(origin + run.at + QPointF(0, ascent), run.text);
}

} // namespace forms

#include "forms/accessibility.h"

#include "forms/controlkinds.h"
#include "forms/form.h"
#include "forms/surface.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>

namespace forms {

namespace {

// A print surface read as a text: its printed lines, in order, one per line.
class SurfaceAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SurfaceAccessible(Surface* surface)
        : QAccessibleWidget(surface, QAccessible::Client)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return all();
        return QAccessibleWidget::text(t);
    }

    // Nothing on a surface can be selected, and it has no caret.
    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        return all().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(all().size()); }

    // Where a character stands: its printed line gives the height, the text before it on
    // that line the distance from the left edge.
    QRect characterRect(int offset) const override
    {
        const QStringList lines = surface()->printedLines();
        const QFontMetrics metrics = surface()->fontMetrics();
        int start = 0;
        for (int row = 0; row < lines.size(); ++row) {
            const QString& line = lines[row];
            if (offset <= start + line.size()) {
                const int column = offset - start;
                const int x = metrics.horizontalAdvance(line.left(column));
                const int w = column < line.size() ? metrics.horizontalAdvance(line[column]) : 0;
                const QPoint topLeft =
                    surface()->contentsRect().topLeft() + QPoint(x, row * metrics.height());
                return QRect(surface()->mapToGlobal(topLeft), QSize(w, metrics.height()));
            }
            start += int(line.size()) + 1;
        }
        return QRect();
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QStringList lines = surface()->printedLines();
        const QFontMetrics metrics = surface()->fontMetrics();
        const QPoint at = surface()->mapFromGlobal(point) - surface()->contentsRect().topLeft();
        const int row = at.y() / metrics.height();
        if (at.y() < 0 || at.x() < 0 || row >= lines.size())
            return -1;
        int start = 0;
        for (int i = 0; i < row; ++i)
            start += int(lines[i].size()) + 1;
        const QString& line = lines[row];
        for (int column = 0; column < line.size(); ++column)
            if (metrics.horizontalAdvance(line.left(column + 1)) > at.x())
                return start + column;
        return -1;
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

private:
    const Surface* surface() const { return static_cast<const Surface*>(widget()); }
    QString all() const { return surface()->printedText(); }
};

// A button of a form, as the toolkit's own buttons are seen, except that its press action
// clicks at once: the toolkit's animates a click for 100 ms, and presses within that time
// merge into one, where each should be a Click of its own.
class ButtonAccessible : public QAccessibleWidget {
public:
    ButtonAccessible(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text().remove(u'&');
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled()) {
            if (button()->isCheckable())
                names << toggleAction();
            if (role() != QAccessible::RadioButton)
                names << pressAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (!widget()->isEnabled())
            return;
        if (action == pressAction())
            button()->click();
        else if (action == toggleAction())
            button()->toggle();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(object()); }
};

QAccessibleInterface* formsFactory(const QString&, QObject* object)
{
    if (auto* surface = dynamic_cast<Surface*>(object))
        return new SurfaceAccessible(surface);
    auto* button = qobject_cast<QAbstractButton*>(object);
    // Only the forms' own buttons; a message box keeps the toolkit's.
    if (!button || !dynamic_cast<Form*>(button->window()))
        return nullptr;
    // A kind with a role of its own says so; the others are push buttons.
    for (const ControlKind& kind : controlKinds()) {
        if (!kind.accessible)
            continue;
        if (QAccessibleInterface* own = kind.accessible(button))
            return own;
    }
    return new ButtonAccessible(button, QAccessible::Button);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(formsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceChange(Surface& surface, const QString& before)
{
    if (!QAccessible::isActive())
        return;
    const QString after = surface.printedText();
    if (after == before)
        return;
    if (after.startsWith(before)) {
        QAccessibleTextInsertEvent event(&surface, int(before.size()), after.mid(before.size()));
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(&surface, 0, before, after);
        QAccessible::updateAccessibility(&event);
    }
}

QAccessibleInterface* accessibleButton(QAbstractButton* button, QAccessible::Role role)
{
    return new ButtonAccessible(button, role);
}

} // namespace forms

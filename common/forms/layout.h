#pragma once

#include "forms/fonts.h"

#include <QColor>
#include <QString>

namespace forms {

// Layout tables: a window is described by one FormRow, one ControlRow per control and one
// MenuRow per menu item, all in twips (1440 to the inch, 15 to a logical pixel).

enum class Border {
    Sizable,
    FixedSingle,
    None
};
enum class StartUp {
    Default,
    CenterScreen
};

struct FormRow {
    QString caption;
    int width = 0; // client area, twips
    int height = 0;
    Border border = Border::Sizable;
    StartUp startUp = StartUp::Default;
    QColor background = {}; // invalid: the system's window colour
    Font font = {};
};

enum class Kind {
    TextBox,
    CommandButton,
    Label,
    ListBox,
    CheckBox,
    OptionButton,
    PictureBox,
    Timer
};

// Styles of a control, combined with |.
enum Style : unsigned {
    Plain = 0,
    MultiLine = 1 << 0, // TextBox: several lines, wrapped at the box's width
    VScroll = 1 << 1,   // TextBox: vertical scroll bar, always shown
    Locked = 1 << 2,    // TextBox: the keyboard cannot change the text
    Graphical = 1 << 3, // CommandButton: the picture stands above the caption
    AutoSize = 1 << 4,  // Label: sizes itself to its caption
};

struct ControlRow {
    Kind kind;
    const char* name;
    QString text = {}; // caption or initial text; "\r\n" breaks a caption's lines
    int left = 0, top = 0, width = 0, height = 0; // twips
    int tabIndex = -1;
    Font font = {};
    unsigned style = Plain;
    QString picture = {}; // a resource path, for a graphical button
    int interval = 0;     // Timer: milliseconds; enabled when not 0
};

struct MenuRow {
    const char* name;
    QString caption;              // "-" is a separator line
    const char* parent = nullptr; // nullptr: on the menu bar
    QString shortcut = {};        // "Ctrl+O"
    bool visible = true;
};

// Twips in a logical pixel: a layout's twips become the toolkit's pixels, and its pixels twips,
// here alone.
inline constexpr int kTwipsPerPixel = 15;

// Twips to logical pixels, to the nearest.
inline int px(int value)
{
    const int half = kTwipsPerPixel / 2;
    return (value + (value >= 0 ? half : -half)) / kTwipsPerPixel;
}

// Logical pixels to twips.
inline constexpr int twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace forms

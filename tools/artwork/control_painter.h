#pragma once

#include <QPainter>

// Painters of the skinned controls' state bitmaps. Each paints onto a bitmap
// already filled with the control's key colour, which stands for the surface
// the control sits on.
namespace artwork {

enum class Look
{
    Raised,
    Sunken,
    Focused,
    Disabled
};

enum class Glyph
{
    Close,
    Minimize,
    Right,
    Up,
    Down,
    Play,
    Stop
};

// A text button's face; the caption is drawn over it at run time.
void paintTextButton(QPainter &p, QSize size, Look look);

// A button face with a glyph: play and stop.
void paintGlyphButton(QPainter &p, QSize size, Glyph glyph, Look look);

// The round close and minimise buttons of the windows' corners.
void paintRoundButton(QPainter &p, QSize size, Glyph glyph, Look look);

// The main panel's small buttons that open the dialogs.
void paintPanelArrow(QPainter &p, QSize size, Look look);

// One half of a spin pair: Glyph::Up or Glyph::Down.
void paintSpinArrow(QPainter &p, QSize size, Glyph glyph, Look look);

// A check box: only Look::Raised and Look::Disabled are drawn differently.
void paintCheckBox(QPainter &p, QSize size, bool checked, Look look);

// The AM / PM radio buttons: a lamp and the word.
void paintRadioLamp(QPainter &p, QSize size, const QString &word, bool checked, Look look);

} // namespace artwork

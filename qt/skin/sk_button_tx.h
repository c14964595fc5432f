#pragma once

#include "qt/skin/sk_button.h"
#include "qt/skin/sk_three_state_font_color.h"

#include <QRect>
#include <QString>

// The bitmap push button with a caption drawn on its bitmap, centred on one line in the
// control's font. The caption's colour follows the look asked for: the font colour (the
// palette's WindowText) when raised, FontColors' Sunken, Focused or Disabled otherwise; an unset
// colour means the font colour, except that a disabled caption without its own colour takes the
// system's grey text colour. In the drawing that follows a press the caption moves right and
// down by half of (dispX, dispY), one pixel each by default.
class SkButtonTx : public SkButton
{
    Q_OBJECT
public:
    explicit SkButtonTx(QWidget *parent = nullptr);
    ~SkButtonTx() override;

    // How far the sunken caption's rectangle grows on the left and at the top. No repaint.
    void SetDisp(int x, int y);
    // Where the caption is centred, in control coordinates; the whole control after every
    // resize.
    void SetTextBounds(int left, int top, int width, int height);
    QRect textRect() const { return m_textRect; }

    QString Caption() const { return m_caption; }
    QString GetText() const { return m_caption; }
    // Sets the caption and redraws it over the current state bitmap.
    void SetText(const QString &text);

    SkThreeStateFontColor &FontColors() { return *m_fontColors; }
    const SkThreeStateFontColor &FontColors() const { return *m_fontColors; }
    // Copies the three colours (one repaint).
    void SetFontColors(const SkThreeStateFontColor &colors);
    QColor GetFontColorOfCurState() const;

    void ShowBitmap(int index) override;
    void ShowSunken() override;
    void Repaint() override { DoRepaint(); }
    // Copies the state bitmap onto the surface again, wiping the old caption, and draws the
    // caption on it.
    void DoRepaint();

    QString accessibleCaption() const override { return m_caption; }

protected:
    void DrawText();
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_dispX = 2;
    int m_dispY = 2;
    bool m_sunkenPending = false;
    QRect m_textRect;
    QString m_caption;
    SkThreeStateFontColor *m_fontColors;
};

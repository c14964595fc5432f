#pragma once

#include "skin/sk_button.h"
#include "skin/sk_three_state_font_color.h"

#include <string>

// The bitmap push button with a caption drawn over the state bitmap, centred on one line. In
// the sunken look the caption drawn right after the press moves by half of (dispX, dispY).
class SkButtonTx : public SkButton
{
public:
    SkButtonTx(HWND parent, int left, int top, const SkWindowShape &shape = {});

    void SetText(const std::string &text);
    const std::string &GetText() const { return m_caption; }

    // The caption font (not owned); null uses the parent window's font.
    void SetFont(HFONT font);
    HFONT Font() const { return m_font; }
    COLORREF FontColor() const { return m_fontColor; }
    void SetFontColor(COLORREF colour);
    // The caption colours of the sunken, focused and disabled looks; CLR_INVALID (-1) uses the
    // font colour.
    void SetFontColors(COLORREF sunken, COLORREF focused, COLORREF disabled)
    {
        FontColors.Assign(sunken, focused, disabled);
    }
    SkThreeStateFontColor FontColors;

    void SetDisp(int x, int y);
    void SetTextBounds(int left, int top, int width, int height);
    void SetBounds(int left, int top, int width, int height) override;

    void ShowBitmap(int index) override;
    void ShowSunken() override;
    void Repaint() override { DoRepaint(); }

    // The caption colour of the look asked for, as a plain RGB value.
    COLORREF GetFontColorOfCurState() const;
    const RECT &textRect() const { return m_textRect; }

    std::string accessibleCaption() const override { return m_caption; }

private:
    void DoRepaint();
    void DrawText();

    int m_dispX = 2;
    int m_dispY = 2;
    bool m_sunkenPending = false;
    RECT m_textRect{0, 0, 0, 0};
    std::string m_caption;
    HFONT m_font = nullptr;
    COLORREF m_fontColor;
};

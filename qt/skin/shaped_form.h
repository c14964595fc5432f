#pragma once

#include "qt/skin/sk_picture.h"

#include <QColor>
#include <QPointer>

#include <memory>

class QWidget;

// Cuts a top-level window to the outline of its background picture and lets the user drag the
// window by that picture.
//
// The window keeps one ShapedForm for its whole life (as a member) and calls Apply once before
// it is first shown. Apply turns the window into a frameless window (nothing of it outside the
// outline shows, caption and borders included), installs the picture's opaque area as the
// window's mask, offset by the picture's place in the window (a background picture at (-63, -10)
// moves the outline by that much), and hooks the picture's mouse-down handler.
//
// A left-button press on the picture hands the move to the window manager
// (QWindow::startSystemMove); where the platform refuses, the window follows the mouse until the
// button is released. The handler that the picture had before is called after that for every
// press, whatever the button, and is put back when the ShapedForm is destroyed. The mask stays.
class ShapedForm
{
public:
    ShapedForm(QWidget *window, SkPicture *picture);
    ~ShapedForm();
    ShapedForm(const ShapedForm &) = delete;
    ShapedForm &operator=(const ShapedForm &) = delete;

    // Shapes the window with the picture's transparent colour.
    void Apply();
    // Shapes the window with the given transparent colour. Only the first call does anything.
    void Apply(QColor colour);

    bool applied() const { return m_applied; }
    // Whether the last left-button press fell back to moving the window itself.
    bool movingByMouse() const;

private:
    class FallbackMove;

    void pictureMouseDown(QWidget *sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                          int x, int y);

    QPointer<QWidget> m_window;
    QPointer<SkPicture> m_picture;
    SkPicture::MouseHandler m_savedMouseDown;
    bool m_applied = false;
    std::unique_ptr<FallbackMove> m_fallback;
};

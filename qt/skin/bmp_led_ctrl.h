#pragma once

#include <QImage>

#include <functional>
#include <vector>

class QWidget;

// The state-bitmap display of a skinned control: a fixed number of state bitmaps, the current
// state, and the surface (24 bits per pixel) onto which the current state's bitmap is copied and
// from which the control paints. The surface is the control's picture: it lies at the control's
// (0, 0) and takes no mouse input.
//
// Every change of a state bitmap runs the change handler with the bitmap's index. The display
// installs its own (redraw when the current state's bitmap changed); the control replaces it and
// calls the display's own from its handler.
class TBmpLEDCtrl
{
public:
    using ChangeHandler = std::function<void(int index)>;

    // host is the widget that shows the surface and is repainted when it changes.
    TBmpLEDCtrl(QWidget *host, int stateCount);
    TBmpLEDCtrl(const TBmpLEDCtrl &) = delete;
    TBmpLEDCtrl &operator=(const TBmpLEDCtrl &) = delete;

    int StateCount() const { return static_cast<int>(m_bitmaps.size()); }
    int State() const { return m_state; }
    // Shows state i: its bitmap is copied onto the surface at (0, 0). Nothing happens when i is
    // the current state.
    void SetState(int state);
    // Copies the current state's bitmap onto the surface again and repaints.
    void Redraw();

    int Width() const { return m_surface.width(); }
    int Height() const { return m_surface.height(); }
    // Resizes the surface; an area newly exposed right of the old width or below the old height
    // is white.
    void Resize(int width, int height);

    // The live state bitmap at index.
    const QImage &Bitmap(int index) const;
    // Replaces the state bitmap at index and runs the change handler.
    void SetBitmap(int index, const QImage &bitmap);

    const ChangeHandler &changeHandler() const { return m_changeHandler; }
    void setChangeHandler(ChangeHandler handler) { m_changeHandler = std::move(handler); }

    bool transparent() const { return m_transparent; }
    void setTransparent(bool value) { m_transparent = value; }
    // The transparent colour, red, green and blue only.
    QColor transparentColor() const { return m_transparentColor; }
    void setTransparentColor(QColor colour);

    // The surface, to draw on (captions) and to paint from.
    QImage &surface() { return m_surface; }
    const QImage &surface() const { return m_surface; }

private:
    void copyCurrentToSurface();
    void bitmapChanged(int index);

    QWidget *m_host;
    std::vector<QImage> m_bitmaps;
    int m_state = 0;
    QImage m_surface;
    bool m_transparent = false;
    QColor m_transparentColor = QColor(Qt::white);
    ChangeHandler m_changeHandler;
};

#pragma once

#include <windows.h>

// A control of the system's own (STATIC, EDIT, COMBOBOX, BUTTON) owned by one
// C++ object. The program keeps which object owns which window, so that the
// window holding the control can hand it its notifications and colour
// requests. Destroying the object destroys the control.
class StandardControl
{
public:
    StandardControl(const StandardControl &) = delete;
    StandardControl &operator=(const StandardControl &) = delete;
    virtual ~StandardControl();

    HWND Handle() const { return m_handle; }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    void SetFont(HFONT font);
    HFONT Font() const { return m_font; }
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // The object that owns `handle`, if it is one of these controls.
    static StandardControl *fromHandle(HWND handle);

    // A notification code of WM_COMMAND from this control.
    virtual void command(WORD) {}
    // The brush for a WM_CTLCOLOR* request, after setting the DC's colours;
    // null for the system's own.
    virtual HBRUSH colour(HDC) { return nullptr; }

protected:
    // A control in `font`, or in the system's font when it is null.
    StandardControl(HWND parent, const char *className, const char *text, DWORD style, int left,
                    int top, int width, int height, DWORD exStyle = 0, HFONT font = nullptr);

    // Makes this object the one fromHandle answers for `part`, a window the
    // control made itself (a combo box's dropped list), until it is destroyed.
    void answerFor(HWND part);

private:
    HWND m_handle = nullptr;
    HFONT m_font = nullptr;
    HWND m_part = nullptr;
};

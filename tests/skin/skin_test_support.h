#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

// Shared helpers of the skin tests: bitmaps made in code, a host window, message pumping with a
// bound, real mouse and keyboard input, and pixels read back from the screen.
namespace skintest {

// A 24-bit DIB section filled with one colour (a COLORREF).
inline HBITMAP solid(int width, int height, COLORREF colour)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (width * 3 + 3) & ~3;
    auto *bytes = static_cast<std::uint8_t *>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t *p = bytes + y * stride + 3 * x;
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    return bitmap;
}

// Sets one pixel of a bitmap.
inline void setPixel(HBITMAP bitmap, int x, int y, COLORREF colour)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixelV(dc, x, y, colour);
    SelectObject(dc, old);
    DeleteDC(dc);
}

inline COLORREF pixel(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

// A disc on a square of the background colour, its edge blended into the background the way an
// anti-aliased drawing is, with a hole: edge pixels differ from the background by small amounts.
inline HBITMAP antiAliasedDisc(int size, COLORREF background, COLORREF disc)
{
    HBITMAP bitmap = solid(size, size, background);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const double c = size / 2.0, r = size / 2.0 - 3.0;
    const double hx = size * 0.4, hy = size * 0.43, hr = size * 0.09;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            const double h = std::hypot(x + 0.5 - hx, y + 0.5 - hy);
            double cover = std::clamp(r - d + 0.5, 0.0, 1.0) * std::clamp(h - hr + 0.5, 0.0, 1.0);
            if (cover <= 0.0)
                continue;
            auto mix = [cover](int a, int b) {
                return static_cast<int>(std::lround(a + (b - a) * cover));
            };
            SetPixelV(dc, x, y,
                      RGB(mix(GetRValue(background), GetRValue(disc)),
                          mix(GetGValue(background), GetGValue(disc)),
                          mix(GetBValue(background), GetBValue(disc))));
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// Dispatches messages until the condition holds or the bound passes.
inline bool pumpUntil(const std::function<bool()> &condition, DWORD boundMs = 3000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (GetTickCount() - start > boundMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Dispatches what is queued now (and what arrives within a short while).
inline void pump()
{
    const DWORD start = GetTickCount();
    pumpUntil([&] { return GetTickCount() - start > 60; });
}

// A plain top-level window to hold the controls under test.
class HostWindow
{
public:
    HostWindow(int left = 100, int top = 100, int width = 300, int height = 200)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "SkTestHost";
        RegisterClassA(&windowClass);
        m_hwnd = CreateWindowExA(0, "SkTestHost", "skin test",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top, width, height,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(m_hwnd);
        pump();
    }
    HostWindow(const HostWindow &) = delete;
    HostWindow &operator=(const HostWindow &) = delete;
    ~HostWindow() { DestroyWindow(m_hwnd); }
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Real input through the window system.
inline void mouseInput(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Puts the pointer on the middle of the window with a real move event there,
// as a hand gives one; the caller pumps its own messages.
inline void pointAtMiddle(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    mouseInput(MOUSEEVENTF_MOVE);
}

// Moves the pointer to the client point of the window and waits until the window system has it.
inline void moveTo(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx =
        static_cast<LONG>(std::lround(p.x * 65535.0 / (GetSystemMetrics(SM_CXSCREEN) - 1)));
    input.mi.dy =
        static_cast<LONG>(std::lround(p.y * 65535.0 / (GetSystemMetrics(SM_CYSCREEN) - 1)));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    pump();
    // The scaled position can land a pixel off: put the pointer exactly there.
    SetCursorPos(p.x, p.y);
    pumpUntil([&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    });
    pump();
}

inline void leftDown()
{
    mouseInput(MOUSEEVENTF_LEFTDOWN);
    pump();
}

inline void leftUp()
{
    mouseInput(MOUSEEVENTF_LEFTUP);
    pump();
}

inline void rightClick()
{
    mouseInput(MOUSEEVENTF_RIGHTDOWN);
    pump();
    mouseInput(MOUSEEVENTF_RIGHTUP);
    pump();
}

inline void clickAt(HWND window, int x, int y)
{
    moveTo(window, x, y);
    leftDown();
    leftUp();
}

inline void key(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
    pump();
}

// The colour the window shows at its client point, read back from its device context.
inline COLORREF shownAt(HWND window, int x = 1, int y = 1)
{
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The colour the screen shows at the point.
inline COLORREF screenAt(int x, int y)
{
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return colour;
}

// Pixels of exactly this colour in a bitmap.
inline int pixelsOf(HBITMAP bitmap, COLORREF colour)
{
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    int count = 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < std::abs(info.bmHeight); ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            count += GetPixel(dc, x, y) == colour ? 1 : 0;
    SelectObject(dc, old);
    DeleteDC(dc);
    return count;
}

// The pixels of a bitmap, for comparing two surfaces.
inline std::vector<COLORREF> pixelsOfArea(HBITMAP bitmap, int left, int top, int width, int height)
{
    std::vector<COLORREF> pixels;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return pixels;
}

} // namespace skintest

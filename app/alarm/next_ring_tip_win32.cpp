#include "app/alarm/next_ring_tip.h"

#include <commctrl.h>

namespace {

// The surface window keeps its own user data; the tip finds itself through a
// window property instead.
const char TipProperty[] = "VesperinNextRingTip";

} // namespace

NextRingTip::NextRingTip(HWND surface, const std::vector<HWND> &labels,
                         std::function<std::string()> text)
    : m_surface(surface), m_labels(labels), m_text(std::move(text))
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, surface,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_tooltip == nullptr)
        return;
    // The next-ring line is one line; the tip is as wide as it needs.
    SendMessageA(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 400);

    for (size_t index = 0; index < m_labels.size(); ++index) {
        // The version-5 size of the record: comctl32 of every Windows takes it.
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = 0;
        tool.hwnd = surface;
        tool.uId = index + 1;
        tool.rect = labelArea(m_labels[index]);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // The tooltip learns of the mouse and asks for its text through the
    // surface's messages: the surface's procedure is wrapped to relay them.
    SetPropA(surface, TipProperty, this);
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(surface, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&surfaceProc)));
}

NextRingTip::~NextRingTip()
{
    if (m_previous != nullptr && IsWindow(m_surface)) {
        // Only unwrapped when no one wrapped the surface after this tip.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_surface, GWLP_WNDPROC)) == &surfaceProc)
            SetWindowLongPtrA(m_surface, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        RemovePropA(m_surface, TipProperty);
    }
    if (m_tooltip != nullptr)
        DestroyWindow(m_tooltip);
}

RECT NextRingTip::labelArea(HWND label) const
{
    RECT area{};
    GetWindowRect(label, &area);
    MapWindowPoints(HWND_DESKTOP, m_surface, reinterpret_cast<POINT *>(&area), 2);
    return area;
}

void NextRingTip::followLabels()
{
    if (m_tooltip == nullptr)
        return;
    for (size_t index = 0; index < m_labels.size(); ++index) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = m_surface;
        tool.uId = index + 1;
        tool.rect = labelArea(m_labels[index]);
        SendMessageA(m_tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT CALLBACK NextRingTip::surfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *tip = static_cast<NextRingTip *>(GetPropA(window, TipProperty));
    if (tip == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return tip->handle(message, wParam, lParam);
}

LRESULT NextRingTip::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && m_tooltip != nullptr) {
        MSG relayed{m_surface, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        const DWORD position = GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        SendMessageA(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    if (message == WM_NOTIFY) {
        auto *header = reinterpret_cast<NMHDR *>(lParam);
        if (header->hwndFrom == m_tooltip &&
            (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)) {
            m_shown = m_text ? m_text() : std::string();
            if (header->code == TTN_GETDISPINFOA) {
                reinterpret_cast<NMTTDISPINFOA *>(lParam)->lpszText =
                    const_cast<char *>(m_shown.c_str());
            } else {
                // A Unicode tooltip asks in UTF-16; the line is ASCII.
                static wchar_t wide[128];
                size_t n = 0;
                for (; n < m_shown.size() && n + 1 < 128; ++n)
                    wide[n] = static_cast<unsigned char>(m_shown[n]);
                wide[n] = 0;
                reinterpret_cast<NMTTDISPINFOW *>(lParam)->lpszText = wide;
            }
            return 0;
        }
    }
    return CallWindowProcA(m_previous, m_surface, message, wParam, lParam);
}

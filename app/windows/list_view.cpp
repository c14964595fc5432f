#include "app/windows/list_view.h"

#include "skin/shown_repaint.h"

#include <vector>

namespace {

// The list view's window class comes with the common controls, which register
// it only when asked.
const char *listViewClass()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    return WC_LISTVIEWA;
}

} // namespace

ListView::ListView(HWND parent, int left, int top, int width, int height)
    : StandardControl(parent, listViewClass(), "",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                          LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                      left, top, width, height)
{
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT);
}

void ListView::AddColumn(int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, WPARAM(m_columns), reinterpret_cast<LPARAM>(&column));
    ++m_columns;
}

void ListView::Clear()
{
    ListView_DeleteAllItems(Handle());
}

int ListView::AddRow(const std::string &caption, const std::string &second)
{
    std::vector<char> text(caption.begin(), caption.end());
    text.push_back('\0');
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = text.data();
    const int row =
        int(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        return row;
    std::vector<char> subText(second.begin(), second.end());
    subText.push_back('\0');
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = subText.data();
    SendMessageA(Handle(), LVM_SETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&sub));
    return row;
}

void ListView::AddRows(const std::vector<std::pair<std::string, std::string>> &rows)
{
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCount(Handle(), Count() + int(rows.size()));
    for (const auto &[caption, second] : rows)
        AddRow(caption, second);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    ShownRepaint::invalidate(Handle(), TRUE);
}

int ListView::Count() const
{
    return ListView_GetItemCount(Handle());
}

std::string ListView::Text(int row, int column) const
{
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = int(sizeof text);
    const LRESULT length =
        SendMessageA(Handle(), LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return std::string(text, size_t(std::max<LRESULT>(0, std::min<LRESULT>(length, 259))));
}

int ListView::Selected() const
{
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void ListView::Select(int row)
{
    ListView_SetItemState(Handle(), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Handle(), row, FALSE);
}

void ListView::ClearSelection()
{
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED);
}

void ListView::SetColours(COLORREF text, COLORREF background)
{
    ListView_SetTextColor(Handle(), text);
    ListView_SetTextBkColor(Handle(), background);
    ListView_SetBkColor(Handle(), background);
}

void ListView::notify(const NMHDR &header)
{
    if (header.code != LVN_ITEMCHANGED)
        return;
    const auto &change = reinterpret_cast<const NMLISTVIEW &>(header);
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
    const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
    if ((change.uChanged & LVIF_STATE) && nowSelected && !wasSelected && OnChange)
        OnChange();
}

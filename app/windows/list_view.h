#pragma once

#include "app/windows/standard_control.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A SysListView32 in report style without column headers: whole rows are
// selected, one at a time, the selection stays visible without the focus,
// and the user cannot edit the texts. OnChange runs when a row becomes
// selected. The window that holds it hands it its WM_NOTIFY messages.
class ListView : public StandardControl
{
public:
    ListView(HWND parent, int left, int top, int width, int height);

    // Adds a column of `width` pixels.
    void AddColumn(int width);
    void Clear();
    // Adds a row with one text per column; answers its index.
    int AddRow(const std::string &caption, const std::string &second);
    // Adds the rows in one go: the list lays itself out, and sets its
    // scroll bar, once for them all instead of once for each row.
    void AddRows(const std::vector<std::pair<std::string, std::string>> &rows);
    int Count() const;
    std::string Text(int row, int column) const;
    // The first selected row; -1 when none is.
    int Selected() const;
    void Select(int row);
    void ClearSelection();
    void SetColours(COLORREF text, COLORREF background);

    std::function<void()> OnChange;

    // A WM_NOTIFY from this control.
    void notify(const NMHDR &header);

private:
    int m_columns = 0;
};

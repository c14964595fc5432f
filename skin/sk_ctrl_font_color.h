#pragma once

#include <windows.h>

#include <functional>

// Font colours of a skinned control's caption. A colour of CLR_INVALID (-1) means "not set":
// the font colour is used. Setting a colour to a different value stores it and calls OnChange.
class SkCtrlFontColor
{
public:
    static constexpr COLORREF kNotSet = CLR_INVALID;

    virtual ~SkCtrlFontColor() = default;

    std::function<void(SkCtrlFontColor &)> OnChange;

protected:
    void change(COLORREF &field, COLORREF value)
    {
        if (field == value)
            return;
        field = value;
        changed();
    }
    void changed()
    {
        if (OnChange)
            OnChange(*this);
    }
};

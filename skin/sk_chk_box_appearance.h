#pragma once

#include "skin/sk_four_state_appearance.h"

// The three groups of a check box's bitmaps: unchecked (base 0), checked (4), grayed (8).
class SkChkBoxAppearance
{
public:
    explicit SkChkBoxAppearance(SkCustomControl &control)
        : Uncheck(control, 0), Check(control, 4), Gray(control, 8)
    {
    }

    void Assign(const SkChkBoxAppearance &other)
    {
        Uncheck.Assign(other.Uncheck);
        Check.Assign(other.Check);
        Gray.Assign(other.Gray);
    }

    SkFourStateAppearance Uncheck;
    SkFourStateAppearance Check;
    SkFourStateAppearance Gray;
};

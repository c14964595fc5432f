#pragma once

#include "skin/sk_four_state_appearance.h"

// The two groups of a radio button's bitmaps: unchecked (base 0), checked (4).
class SkRadioBtnAppearance : public SkCtrlAppearance
{
public:
    explicit SkRadioBtnAppearance(SkCustomControl &control)
        : SkCtrlAppearance(control), Uncheck(control, 0), Check(control, 4)
    {
    }

    void Assign(const SkRadioBtnAppearance &other)
    {
        Uncheck.Assign(other.Uncheck);
        Check.Assign(other.Check);
    }

    SkFourStateAppearance Uncheck;
    SkFourStateAppearance Check;
};

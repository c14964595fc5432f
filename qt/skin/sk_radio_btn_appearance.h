#pragma once

#include "qt/skin/sk_four_state_appearance.h"

// The two groups of four state bitmaps of a radio button: Uncheck from state 0, Check from 4.
class SkRadioBtnAppearance : public SkCtrlAppearance
{
public:
    explicit SkRadioBtnAppearance(SkCustomControl *control)
        : SkCtrlAppearance(control), m_uncheck(control, 0), m_check(control, 4)
    {
    }

    SkFourStateAppearance &Check() { return m_check; }
    SkFourStateAppearance &Uncheck() { return m_uncheck; }
    const SkFourStateAppearance &Check() const { return m_check; }
    const SkFourStateAppearance &Uncheck() const { return m_uncheck; }
    void SetCheck(const SkFourStateAppearance &value) { m_check.Assign(value); }
    void SetUncheck(const SkFourStateAppearance &value) { m_uncheck.Assign(value); }

    // Copies Uncheck, then Check.
    void Assign(const SkRadioBtnAppearance &other)
    {
        m_uncheck.Assign(other.m_uncheck);
        m_check.Assign(other.m_check);
    }

private:
    SkFourStateAppearance m_uncheck;
    SkFourStateAppearance m_check;
};

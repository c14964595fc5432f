#pragma once

#include "qt/skin/sk_four_state_appearance.h"

// The three groups of four state bitmaps of a check box: Uncheck from state 0, Check from 4,
// Gray from 8.
class SkChkBoxAppearance
{
public:
    explicit SkChkBoxAppearance(SkCustomControl *control)
        : m_uncheck(control, 0), m_check(control, 4), m_gray(control, 8)
    {
    }
    SkChkBoxAppearance(const SkChkBoxAppearance &) = delete;
    SkChkBoxAppearance &operator=(const SkChkBoxAppearance &) = delete;

    SkFourStateAppearance &Check() { return m_check; }
    SkFourStateAppearance &Uncheck() { return m_uncheck; }
    SkFourStateAppearance &Gray() { return m_gray; }
    const SkFourStateAppearance &Check() const { return m_check; }
    const SkFourStateAppearance &Uncheck() const { return m_uncheck; }
    const SkFourStateAppearance &Gray() const { return m_gray; }
    // Each copies the given appearance's four bitmaps into the group.
    void SetCheck(const SkFourStateAppearance &value) { m_check.Assign(value); }
    void SetUncheck(const SkFourStateAppearance &value) { m_uncheck.Assign(value); }
    void SetGray(const SkFourStateAppearance &value) { m_gray.Assign(value); }

    // Copies Uncheck, then Check, then Gray.
    void Assign(const SkChkBoxAppearance &other)
    {
        m_uncheck.Assign(other.m_uncheck);
        m_check.Assign(other.m_check);
        m_gray.Assign(other.m_gray);
    }

private:
    SkFourStateAppearance m_uncheck;
    SkFourStateAppearance m_check;
    SkFourStateAppearance m_gray;
};

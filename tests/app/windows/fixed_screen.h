#pragma once

#include "app/windows/screen_size.h"

// A screen of a known size, in place for as long as it lives.
class FixedScreen : public ScreenSize
{
public:
    FixedScreen(int width, int height) : m_size{width, height} { ScreenSize::install(this); }
    ~FixedScreen() override { ScreenSize::install(nullptr); }
    Size size() const override { return m_size; }

private:
    Size m_size;
};

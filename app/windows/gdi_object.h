#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (font, brush, bitmap, region) and deletes it once.
template <typename Handle> class GdiObject
{
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;
    GdiObject(GdiObject &&other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GdiObject &operator=(GdiObject &&other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Gives the object away: the caller deletes it.
    Handle release() { return std::exchange(m_handle, nullptr); }
    void reset(Handle handle = nullptr)
    {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

using FontObject = GdiObject<HFONT>;
using BrushObject = GdiObject<HBRUSH>;
using BitmapObject = GdiObject<HBITMAP>;

#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (bitmap, region, font, brush) and deletes it when it goes, so no path
// leaks one.
template <typename Handle> class GdiHandle
{
public:
    GdiHandle() = default;
    explicit GdiHandle(Handle handle) : m_handle(handle) {}
    GdiHandle(const GdiHandle &) = delete;
    GdiHandle &operator=(const GdiHandle &) = delete;
    GdiHandle(GdiHandle &&other) noexcept : m_handle(other.release()) {}
    GdiHandle &operator=(GdiHandle &&other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~GdiHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
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

using BitmapHandle = GdiHandle<HBITMAP>;
using RegionHandle = GdiHandle<HRGN>;
using FontHandle = GdiHandle<HFONT>;
using BrushHandle = GdiHandle<HBRUSH>;

// A memory device context compatible with the screen, deleted when it goes.
class MemoryDC
{
public:
    MemoryDC() : m_dc(CreateCompatibleDC(nullptr)) {}
    MemoryDC(const MemoryDC &) = delete;
    MemoryDC &operator=(const MemoryDC &) = delete;
    ~MemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back when it goes.
class SelectedObject
{
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject &) = delete;
    SelectedObject &operator=(const SelectedObject &) = delete;
    ~SelectedObject()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

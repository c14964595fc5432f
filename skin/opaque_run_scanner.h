#pragma once

#include <cstdint>
#include <vector>

// Finds the runs of opaque pixels in rows of 24-bit pixels (blue, green, red), where a pixel is
// transparent when its three bytes equal the key colour's exactly. A row is looked at a group of
// pixels at a time: a group that is wholly transparent or wholly opaque costs a few word
// operations, and only the groups at the outline's edges are looked at pixel by pixel.
class OpaqueRunScanner
{
public:
    // How a row is looked at. Every method gives the same runs; the fastest the processor has
    // is the one Scan uses.
    enum class Method
    {
        Pixels, // one pixel at a time: the plain model of the rule
        Words,  // groups of as many pixels as a machine word has bytes, in plain C++
        Sse2,   // groups of 16 pixels in the processor's 16-byte registers
    };

    OpaqueRunScanner(std::uint8_t blue, std::uint8_t green, std::uint8_t red);

    // Appends, for every maximal run of opaque pixels of the row from left to right, its first
    // pixel and the pixel after its last. The row holds exactly 3 * width bytes that are read.
    void Scan(const std::uint8_t *row, int width, std::vector<int> &runs) const;
    void ScanWith(Method method, const std::uint8_t *row, int width, std::vector<int> &runs) const;

    static bool Available(Method method);
    static Method Fastest();

private:
    bool transparent(const std::uint8_t *pixel) const
    {
        return pixel[0] == m_blue && pixel[1] == m_green && pixel[2] == m_red;
    }
    void scanBy(Method method, const std::uint8_t *row, int width, std::vector<int> &runs) const;
    // Looks at the pixels from..to - 1 one by one; the run still open at the end stays open.
    void pixelByPixel(const std::uint8_t *row, int from, int to, std::vector<int> &runs,
                      int &runStart) const;
    void scanPixels(const std::uint8_t *row, int from, int width, std::vector<int> &runs,
                    int &runStart) const;
    void scanWords(const std::uint8_t *row, int width, std::vector<int> &runs) const;
    void scanSse2(const std::uint8_t *row, int width, std::vector<int> &runs) const;

    std::uint8_t m_blue;
    std::uint8_t m_green;
    std::uint8_t m_red;
    // The key repeated over 48 bytes: 16 pixels, so that every group starts at its first byte.
    std::uint8_t m_pattern[48];
    Method m_fastest;
};

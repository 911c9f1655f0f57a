// The library's image container: a bottom-up device-independent bitmap
// (40-byte header, 256-entry colour table) whose pixels live in a DIB
// section selected into a memory device context, or in plain memory for
// the bit counts GDI refuses (48 and 64). Row 0 of the memory is the first
// line the camera delivered; GDI shows it at the bottom.
//
// No lock of its own: the camera object's locks protect shared images.
#pragma once

#include <cstdint>

#include <windows.h>

namespace lumvex {

// An unscaled pixel routine over one clipped rectangle: top and bottom are
// memory row indices, the destination starts at (x, row).
using PixelConverter = int (*)(uint8_t* dst, const uint8_t* src, const RECT& rect, int dstX, int dstRow,
                               uint16_t dstBpp, uint16_t srcBpp, int dstStride, int srcStride, const void* p1,
                               const void* p2);
// A scaling routine; sizes are packed width (low half) and height.
using ScaledPixelConverter = int (*)(uint8_t* dst, const uint8_t* src, const RECT& dstRect, const RECT& srcRect,
                                     uint64_t dstSize, uint64_t srcSize, uint16_t dstBpp, uint16_t srcBpp,
                                     int dstStride, int srcStride, const void* p1, const void* p2);

inline uint64_t PackSize(int width, int height)
{
    return static_cast<uint32_t>(width) | static_cast<uint64_t>(static_cast<uint32_t>(height)) << 32;
}

class CDibImage {
public:
    CDibImage();
    ~CDibImage() { Release(); }
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // 1 on success; 0 for bad geometry (the image is unchanged) or when the
    // pixels cannot be had (the image is then empty).
    int Create(int width, int height, uint16_t bitCount);
    int CreateLike(const CDibImage* other);
    void Release();

    // Mode 0: the gray ramp, into the stored table and the bitmap. Mode 2:
    // count entries from first into the bitmap only. Always 1.
    int SetPalette(int mode, const RGBQUAD* colours, int first, int count);

    int BlitFrom(const CDibImage& source, const RECT* sourceRect, int x, int y);
    int ConvertFrom(PixelConverter converter, const CDibImage& source, const RECT* sourceRect, int x, int y,
                    const void* p1, const void* p2);
    int ConvertScaledFrom(ScaledPixelConverter converter, const CDibImage& source, const RECT* sourceRect,
                          const RECT* destinationRect, const void* p1, const void* p2);

    // Clips a top-down source rectangle placed at (x, y) against both
    // images; on success the rectangle's vertical edges and *y become
    // memory row indices. False when nothing is visible.
    bool ClipToImages(const CDibImage& source, RECT* rect, int* x, int* y) const;

    const BITMAPINFOHEADER& Header() const { return m_header; }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&m_header); }
    const RGBQUAD* ColorTable() const { return m_colors; }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    uint8_t* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }
    uint16_t BitCount() const { return m_bitCount; }
    uint16_t BytesPerPixel() const { return static_cast<uint16_t>(m_bitCount >> 3); }
    size_t SizeBytes() const { return static_cast<size_t>(m_height) * static_cast<size_t>(m_stride); }

    static int StrideFor(int width, uint16_t bitCount) { return ((bitCount / 8) * width + 3) & ~3; }

private:
    int Allocate(HDC reference);

    // Header and colour table together form a BITMAPINFO of 256 colours.
    BITMAPINFOHEADER m_header;
    RGBQUAD m_colors[256];
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    uint8_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    uint16_t m_bitCount = 0;
    HGDIOBJ m_previous = nullptr;
};

static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is written to files verbatim");

}  // namespace lumvex

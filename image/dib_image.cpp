#include "image/dib_image.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace lumvex {

CDibImage::CDibImage()
{
    std::memset(&m_header, 0, sizeof m_header);
    std::memset(m_colors, 0, sizeof m_colors);
    m_header.biSize = sizeof(BITMAPINFOHEADER);
}

int CDibImage::Create(int width, int height, uint16_t bitCount)
{
    if (width <= 0 || height <= 0 || bitCount == 0)
        return 0;
    Release();
    m_header.biWidth = width;
    m_header.biHeight = height;  // positive: bottom-up
    m_header.biPlanes = 1;
    m_header.biBitCount = bitCount;
    m_header.biCompression = BI_RGB;
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_stride = StrideFor(width, bitCount);
    return Allocate(nullptr);
}

int CDibImage::CreateLike(const CDibImage* other)
{
    if (!other || other->m_width <= 0 || other->m_height <= 0 || other->m_bitCount == 0)
        return 0;
    Release();
    m_header = other->m_header;
    m_width = other->m_width;
    m_height = other->m_height;
    m_stride = other->m_stride;
    m_bitCount = other->m_bitCount;
    return Allocate(other->m_dc);
}

int CDibImage::Allocate(HDC reference)
{
    static_assert(offsetof(CDibImage, m_colors) == offsetof(CDibImage, m_header) + sizeof(BITMAPINFOHEADER),
                  "header and colour table form one BITMAPINFO");
    if (m_bitCount == 8)
        SetPalette(0, nullptr, 0, 256);

    void* bits = nullptr;
    m_bitmap = CreateDIBSection(reference, reinterpret_cast<BITMAPINFO*>(&m_header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap) {
        m_bits = static_cast<uint8_t*>(bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_previous = m_dc ? SelectObject(m_dc, m_bitmap) : nullptr;
        if (!m_dc || !m_previous || m_previous == HGDI_ERROR) {
            if (m_previous == HGDI_ERROR)
                m_previous = nullptr;
            Release();
            return 0;
        }
        return 1;  // an 8-bit section took the gray ramp from the header
    }
    // GDI takes no 48 or 64 bits per pixel: plain memory with the same rows.
    m_bits = static_cast<uint8_t*>(std::calloc(SizeBytes(), 1));
    if (!m_bits) {
        Release();
        return 0;
    }
    return 1;
}

void CDibImage::Release()
{
    if (m_bitmap) {
        if (m_dc && m_previous)
            SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        m_previous = nullptr;
        m_bits = nullptr;  // the bitmap's
    }
    if (m_dc) {
        DeleteDC(m_dc);
        m_dc = nullptr;
    }
    if (m_bits)
        std::free(m_bits);
    m_bits = nullptr;
    m_width = m_height = m_stride = 0;
    m_bitCount = 0;
    std::memset(&m_header, 0, sizeof m_header);
    std::memset(m_colors, 0, sizeof m_colors);
    m_header.biSize = sizeof(BITMAPINFOHEADER);
}

int CDibImage::SetPalette(int mode, const RGBQUAD* colours, int first, int count)
{
    if (mode == 0) {
        for (int i = 0; i < 256; ++i)
            m_colors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        if (m_dc)
            SetDIBColorTable(m_dc, 0, 256, m_colors);
    } else if (mode == 2 && m_dc && colours) {
        SetDIBColorTable(m_dc, static_cast<UINT>(first), static_cast<UINT>(count), colours);
    }
    return 1;
}

int CDibImage::BlitFrom(const CDibImage& source, const RECT* sourceRect, int x, int y)
{
    const RECT r = sourceRect ? *sourceRect : RECT{0, 0, source.m_width, source.m_height};
    return BitBlt(m_dc, x, y, r.right - r.left, r.bottom - r.top, source.m_dc, r.left, r.top, SRCCOPY);
}

bool CDibImage::ClipToImages(const CDibImage& source, RECT* rect, int* x, int* y) const
{
    const int dw = m_width, dh = m_height, sw = source.m_width, sh = source.m_height;
    const RECT r = *rect;
    auto nothing = [&] {
        *rect = RECT{0, 0, 0, 0};
        *x = *y = 0;
        return false;
    };
    RECT d{*x, *y, *x + r.right - r.left, *y + r.bottom - r.top};
    if (d.right <= 0 || d.bottom <= 0 || d.left >= dw || d.top >= dh)
        return nothing();
    const RECT c{std::max<LONG>(d.left, 0), std::max<LONG>(d.top, 0), std::min<LONG>(d.right, dw),
                 std::min<LONG>(d.bottom, dh)};
    RECT s;
    s.left = r.left + (c.left - *x);
    s.top = r.top + (c.top - *y);
    s.right = s.left + (c.right - c.left);
    s.bottom = s.top + (c.bottom - c.top);
    if (s.right <= 0 || s.bottom <= 0 || s.left >= sw || s.top >= sh)
        return nothing();
    s = RECT{std::max<LONG>(s.left, 0), std::max<LONG>(s.top, 0), std::min<LONG>(s.right, sw),
             std::min<LONG>(s.bottom, sh)};
    *rect = RECT{s.left, sh - s.bottom, s.right, sh - s.top};
    *x = c.left;
    *y = dh - c.bottom;
    return true;
}

int CDibImage::ConvertFrom(PixelConverter converter, const CDibImage& source, const RECT* sourceRect, int x, int y,
                           const void* p1, const void* p2)
{
    if (!converter)
        return 0;
    RECT r = sourceRect ? *sourceRect : RECT{0, 0, source.m_width, source.m_height};
    if (!ClipToImages(source, &r, &x, &y))
        return 0;
    return converter(m_bits, source.m_bits, r, x, y, BytesPerPixel(), source.BytesPerPixel(), m_stride,
                     source.m_stride, p1, p2);
}

int CDibImage::ConvertScaledFrom(ScaledPixelConverter converter, const CDibImage& source, const RECT* sourceRect,
                                 const RECT* destinationRect, const void* p1, const void* p2)
{
    if (!converter)
        return 0;
    const RECT s = sourceRect ? *sourceRect : RECT{0, 0, source.m_width, source.m_height};
    const RECT d = destinationRect ? *destinationRect : RECT{0, 0, m_width, m_height};
    return converter(m_bits, source.m_bits, d, s, PackSize(m_width, m_height), PackSize(source.m_width, source.m_height),
                     BytesPerPixel(), source.BytesPerPixel(), m_stride, source.m_stride, p1, p2);
}

}  // namespace lumvex

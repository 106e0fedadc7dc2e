// A 32-bit top-down memory bitmap selected into a memory DC, filled with one
// colour, whose pixels the tests read back and compare with the pixel canvas.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "PixelCanvas.h"

class MemoryDc {
public:
    MemoryDc(int width, int height, COLORREF background) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const DWORD*>(bits);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        HBRUSH fill = CreateSolidBrush(background);
        const RECT all{0, 0, width, height};
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
    }
    ~MemoryDc() {
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Dc() const { return dc_; }
    // The bitmap holds 0x00RRGGBB; turn it into 0x00BBGGRR.
    std::uint32_t At(int x, int y) {
        GdiFlush();
        const DWORD p = bits_[y * width_ + x];
        return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    const DWORD* bits_ = nullptr;
    HGDIOBJ oldBitmap_;
};

// Reports the first few pixels where the device differs from the pixel canvas.
inline void ExpectSamePixels(MemoryDc& device, const swatch::PixelCanvas& expected, const std::string& what) {
    int wrong = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (device.At(x, y) != expected.At(x, y) && ++wrong <= 5)
                ADD_FAILURE() << what << " at (" << x << ", " << y << "): " << std::hex << device.At(x, y)
                              << " instead of " << expected.At(x, y);
}

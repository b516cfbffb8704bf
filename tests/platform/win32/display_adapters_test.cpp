// The Windows display adapters: the fire's copy into real DirectDraw 7
// surfaces of 16 and 32 bits per pixel, the saver display on a real window,
// and the GDI stretch used when DirectDraw is missing.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/blt_array.h"
#include "display/color565.h"
#include "platform/win32/ddraw_display.h"
#include "platform/win32/ddraw_surface.h"
#include "platform/win32/gdi_display.h"

namespace cindral::platform::win32 {
namespace {

struct DirectDraw {
    IDirectDraw7* dd = nullptr;
    DirectDraw() {
        void* object = nullptr;
        if (SUCCEEDED(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr))) {
            dd = static_cast<IDirectDraw7*>(object);
            dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
        }
    }
    ~DirectDraw() {
        if (dd) dd->Release();
    }
    // A 320 x 240 off-screen surface of the given depth in system memory.
    IDirectDrawSurface7* Surface(int bpp) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.dwWidth = 320;
        desc.dwHeight = 240;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
        desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
        desc.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(bpp);
        desc.ddpfPixelFormat.dwRBitMask = bpp == 16 ? 0xF800 : 0xFF0000;
        desc.ddpfPixelFormat.dwGBitMask = bpp == 16 ? 0x07E0 : 0x00FF00;
        desc.ddpfPixelFormat.dwBBitMask = bpp == 16 ? 0x001F : 0x0000FF;
        IDirectDrawSurface7* surface = nullptr;
        if (FAILED(dd->CreateSurface(&desc, &surface, nullptr))) return nullptr;
        return surface;
    }
};

// Reads pixel (x, y) of a locked DirectDraw surface.
std::uint32_t PixelAt(IDirectDrawSurface7* surface, int x, int y) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
        ADD_FAILURE() << "lock for reading failed";
        return 0xDEADBEEF;
    }
    const auto* row = static_cast<const std::uint8_t*>(desc.lpSurface) + y * desc.lPitch;
    std::uint32_t value = 0;
    if (desc.ddpfPixelFormat.dwRGBBitCount == 16) {
        std::uint16_t v16;
        std::memcpy(&v16, row + 2 * x, 2);
        value = v16;
    } else {
        std::memcpy(&value, row + 4 * x, 4);
    }
    surface->Unlock(nullptr);
    return value;
}

// The frame copy as render makes it: rectangle (4, 0, 328, 244) of a 325 x 245
// buffer to (0, 0), so surface pixel (x, y) shows buffer cell (x + 4, y).
TEST(DirectDrawSurface, TakesTheFrameCopyAt16And32BitsPerPixel) {
    DirectDraw dd;
    ASSERT_NE(dd.dd, nullptr) << "DirectDraw 7 could not be created";
    std::vector<std::uint8_t> cells(325 * 245, 0);
    auto cell = [&](int c, int r) -> std::uint8_t& { return cells[r * 325 + c]; };
    cell(4, 0) = 1;      // surface (0, 0)
    cell(323, 239) = 2;  // surface (319, 239), the last pixel
    cell(14, 200) = 3;   // surface (10, 200): rows past the first need the pitch
    cell(324, 5) = 1;    // column 324 lies outside the surface
    cell(10, 240) = 1;   // so does row 240
    display::Palette colours{};
    colours[1] = 0xFF0000;
    colours[2] = 0x00FF00;
    colours[3] = 0x0000FF;
    colours[77] = 0xFF8100;
    cell(100, 100) = 77;  // surface (96, 100)

    struct Case {
        int bpp;
        std::uint32_t red, green, blue, orange;
    } cases[] = {
        {32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF8100},
        {16, 0xF800, 0x07E0, 0x001F, 0xFC00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bpp);
        IDirectDrawSurface7* raw = dd.Surface(c.bpp);
        ASSERT_NE(raw, nullptr);
        display::Palette table = colours;
        if (c.bpp == 16) {
            for (auto& v : table) v = display::ColorTo565(v);
        }
        {
            DirectDrawSurface surface(raw);
            EXPECT_EQ(surface.Width(), 320);
            EXPECT_EQ(surface.Height(), 240);
            EXPECT_EQ(surface.BitsPerPixel(), c.bpp);
            display::BltRect rect{4, 0, 328, 244};
            const display::ByteGrid grid{cells.data(), 324, 244};
            EXPECT_EQ(display::BltArray(grid, table, 0, 0, rect, surface),
                      display::BltResult::kCopied);
        }
        EXPECT_EQ(PixelAt(raw, 0, 0), c.red);
        EXPECT_EQ(PixelAt(raw, 319, 239), c.green);
        EXPECT_EQ(PixelAt(raw, 10, 200), c.blue);
        EXPECT_EQ(PixelAt(raw, 96, 100), c.orange);
        EXPECT_EQ(PixelAt(raw, 1, 0), 0u);
        EXPECT_EQ(PixelAt(raw, 319, 5), 0u);  // from cell (323, 5), not (324, 5)
        raw->Release();
    }
}

// Lost surfaces cannot be provoked here (no display change under Wine): the
// retry is checked against a scripted surface.
TEST(RetryAfterRestore, RestoresALostSurfaceAndTriesOnceMore) {
    struct Case {
        std::vector<HRESULT> calls;  // what the lock or blit returns, in turn
        HRESULT restore;
        HRESULT result;
        std::string log;
    } cases[] = {
        {{DD_OK}, DD_OK, DD_OK, "call "},
        {{DDERR_SURFACELOST, DD_OK}, DD_OK, DD_OK, "call restore call "},
        {{DDERR_SURFACELOST, DDERR_SURFACELOST}, DD_OK, DDERR_SURFACELOST, "call restore call "},
        {{DDERR_SURFACELOST}, DDERR_WRONGMODE, DDERR_SURFACELOST, "call restore "},
        {{DDERR_SURFACEBUSY}, DD_OK, DDERR_SURFACEBUSY, "call "},
    };
    for (const Case& c : cases) {
        std::string log;
        std::size_t next = 0;
        const HRESULT hr = RetryAfterRestore(
            [&] {
                log += "call ";
                return c.calls.at(next++);
            },
            [&] {
                log += "restore ";
                return c.restore;
            });
        EXPECT_EQ(hr, c.result) << c.log;
        EXPECT_EQ(log, c.log);
    }
}

HWND HiddenWindow() {
    return CreateWindowExW(0, L"STATIC", L"display test", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(DirectDrawDisplay, SetsUpOnAWindowWithABackSurfaceInTheDesktopFormat) {
    HWND window = HiddenWindow();
    ASSERT_NE(window, nullptr);
    {
        DirectDrawDisplay display({window});
        ASSERT_TRUE(display.InitDisplay());
        HDC screen = GetDC(nullptr);
        const int desktopBpp = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(display.DisplayBitsPerPixel(), desktopBpp);
        EXPECT_EQ(display.BackSurface().Width(), 320);
        EXPECT_EQ(display.BackSurface().Height(), 240);
        EXPECT_EQ(display.BackSurface().BitsPerPixel(), desktopBpp);
        display::LockedPixels pixels;
        ASSERT_TRUE(display.BackSurface().Lock(pixels));
        EXPECT_NE(pixels.data, nullptr);
        EXPECT_GE(pixels.pitch, 320 * desktopBpp / 8);
        display.BackSurface().Unlock();
        display.PresentFrame();  // a hidden window: clipped away, but no failure
    }
    DestroyWindow(window);
}

TEST(DirectDrawDisplay, WithoutWindowsIsNotSetUp) {
    DirectDrawDisplay display({});
    EXPECT_FALSE(display.InitDisplay());
    EXPECT_EQ(display.DisplayBitsPerPixel(), 0);
}

// A 2 x 2 image stretched over 4 x 4 pixels: each source pixel fills one
// quadrant, with rows taken top-down.
TEST(GdiStretch, FillsEachQuadrantFromItsSourcePixel) {
    const std::uint32_t image[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    StretchImage(dc, RECT{0, 0, 4, 4}, image, 2, 2);
    GdiFlush();
    const auto* out = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t expected[4][4] = {
        {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00},
        {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00},
        {0x0000FF, 0x0000FF, 0xFFFFFF, 0xFFFFFF},
        {0x0000FF, 0x0000FF, 0xFFFFFF, 0xFFFFFF},
    };
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(out[y * 4 + x] & 0xFFFFFF, expected[y][x]) << x << "," << y;
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
}  // namespace cindral::platform::win32

// Building masks by a colour-to-monochrome block copy, and masked drawing by one MaskBlt when the
// sizes match or by four stretched transfers through a scratch bitmap when they do not.
#include "graphics/Masks.h"

#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapCopy.h"
#include "graphics/Color.h"
#include "graphics/GdiSupport.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {

constexpr gdi::DWORD kKeepDestination = gdi::DSTCOPY;

// Deletes a bitmap of ours at the end of a scope.
struct OwnedBitmap {
    gdi::HBITMAP handle = nullptr;
    ~OwnedBitmap() {
        if (handle) gdi::DeleteObject(handle);
    }
};

int Width(const gdi::RECT& r) {
    return r.right - r.left;
}
int Height(const gdi::RECT& r) {
    return r.bottom - r.top;
}

}  // namespace

gdi::HBITMAP MakeMaskBitmap(gdi::HBITMAP handle, gdi::HPALETTE palette, gdi::COLORREF color) {
    if (!handle) return nullptr;
    gdi::DIBSECTION description;
    const int described = gdi::GetObject(handle, sizeof description, &description);
    if (described < gdi::kBitmapObjectSize) return nullptr;
    const int width = description.dsBm.bmWidth;
    const int height = description.dsBm.bmHeight;
    OwnedBitmap mask{GdiCheck(gdi::CreateBitmap(width, height, 1, 1, nullptr))};
    {
        ScopedMemoryDc target;
        target.Select(mask.handle);
        if (color == gdi::COLORREF(clNone)) {
            gdi::PatBlt(target.Get(), 0, 0, width, height, gdi::BLACKNESS);
        } else {
            // Colours are compared as the display shows them, so a section is copied to a device
            // bitmap first.
            OwnedBitmap copy;
            gdi::HBITMAP source = handle;
            if (described == gdi::kDibSectionObjectSize) {
                gdi::DIBSECTION header{};
                header.dsBm = description.dsBm;
                header.dsBm.bmBits = nullptr;
                copy.handle = MakeBitmapCopy(handle, palette, palette, header, nullptr);
                source = copy.handle;
            } else {
                DeselectBitmapFromCanvases(handle);
            }
            ScopedMemoryDc from;
            from.Select(source);
            from.SelectPalette(palette);
            target.SelectPalette(palette);
            const gdi::COLORREF old = gdi::SetBkColor(from.Get(), color);
            gdi::BitBlt(target.Get(), 0, 0, width, height, from.Get(), 0, 0, gdi::SRCCOPY);
            gdi::SetBkColor(from.Get(), old);
        }
    }
    const gdi::HBITMAP made = mask.handle;
    mask.handle = nullptr;
    return made;
}

void MaskedStretchCopy(gdi::HDC target, const gdi::RECT& targetRect, gdi::HDC source,
                       const gdi::RECT& sourceRect, gdi::HDC maskDc, gdi::POINT maskOrigin) {
    const int width = Width(targetRect), height = Height(targetRect);
    const int sourceWidth = Width(sourceRect), sourceHeight = Height(sourceRect);
    if (width == sourceWidth && height == sourceHeight) {
        // MaskBlt takes the mask as a bitmap: it is borrowed from its context for the transfer.
        OwnedBitmap stand{GdiCheck(gdi::CreateBitmap(1, 1, 1, 1, nullptr))};
        const gdi::HBITMAP mask = gdi::SelectObject(maskDc, stand.handle);
        gdi::MaskBlt(target, targetRect.left, targetRect.top, width, height, source, sourceRect.left,
                     sourceRect.top, mask, maskOrigin.x, maskOrigin.y,
                     gdi::MAKEROP4(kKeepDestination, gdi::SRCCOPY));
        gdi::SelectObject(maskDc, mask);
        return;
    }
    // Scratch := the source with the see-through part black; target := target with the opaque
    // part black; target ^= scratch.
    // In the display's format, so that the bit operations work on colours, not palette indices.
    OwnedBitmap scratchBitmap{GdiCheck(gdi::CreateCompatibleBitmap(nullptr, sourceWidth, sourceHeight))};
    ScopedMemoryDc scratch;
    scratch.Select(scratchBitmap.handle);
    // The source context's palette, found by swapping it out for a moment.
    const gdi::HPALETTE sourcePalette = gdi::SelectPalette(source, Standard16Palette(), 1);
    gdi::SelectPalette(source, sourcePalette, 1);
    scratch.SelectPalette(sourcePalette ? sourcePalette : Standard16Palette());
    gdi::BitBlt(scratch.Get(), 0, 0, sourceWidth, sourceHeight, maskDc, maskOrigin.x, maskOrigin.y,
                gdi::SRCCOPY);
    gdi::BitBlt(scratch.Get(), 0, 0, sourceWidth, sourceHeight, source, sourceRect.left, sourceRect.top,
                gdi::SRCERASE);
    const gdi::COLORREF oldText = gdi::SetTextColor(target, gdi::RGB(0, 0, 0));
    const gdi::COLORREF oldBack = gdi::SetBkColor(target, gdi::RGB(255, 255, 255));
    gdi::StretchBlt(target, targetRect.left, targetRect.top, width, height, maskDc, maskOrigin.x,
                    maskOrigin.y, sourceWidth, sourceHeight, gdi::SRCAND);
    gdi::SetTextColor(target, oldText);
    gdi::SetBkColor(target, oldBack);
    gdi::StretchBlt(target, targetRect.left, targetRect.top, width, height, scratch.Get(), 0, 0, sourceWidth,
                    sourceHeight, gdi::SRCINVERT);
}

}  // namespace plexon

// Building a bitmap of a wanted size and format from an old one: a device bitmap or a DIB section
// with the right colour table, filled, then the old pixels copied in (or converted in one step).
#include "graphics/BitmapCopy.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graphics/BitmapCanvas.h"
#include "graphics/BmpFormat.h"
#include "graphics/Canvas.h"
#include "graphics/GdiSupport.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

// Deletes a new bitmap unless it is handed out.
struct PendingBitmap {
    gdi::HBITMAP handle = nullptr;
    ~PendingBitmap() {
        if (handle) gdi::DeleteObject(handle);
    }
    gdi::HBITMAP Release() {
        gdi::HBITMAP h = handle;
        handle = nullptr;
        return h;
    }
};

// Colour table of a new DIB section of up to 8 bits; returns the entry count.
int NewColorTable(gdi::HBITMAP source, bool sourceIsDib, gdi::HPALETTE targetPalette, gdi::DIBSECTION& header,
                  gdi::BITMAPINFO& info) {
    const int bits = header.dsBmih.biBitCount;
    if (bits == 1 && !sourceIsDib) {
        info.bmiColors[0] = {0, 0, 0, 0};
        info.bmiColors[1] = {0xFF, 0xFF, 0xFF, 0};
        return 2;
    }
    if (targetPalette) return ColorTableFromPalette(targetPalette, info.bmiColors);
    if (sourceIsDib) {
        const int count = DibColorTable(source, info.bmiColors);
        header.dsBmih.biClrUsed = std::uint32_t(count);
        return count;
    }
    if (!source) return 0;
    // A device bitmap: the colours the platform reports for it in this format.
    ScopedMemoryDc dc;
    gdi::GetDIBits(dc.Get(), source, 0, std::uint32_t(std::abs(header.dsBmih.biHeight)), nullptr, &info,
                   gdi::DIB_RGB_COLORS);
    const int reported = int(info.bmiHeader.biClrUsed);
    info.bmiHeader = header.dsBmih;
    return reported != 0 ? reported : 1 << bits;
}

}  // namespace

gdi::HBITMAP MakeBitmapCopy(gdi::HBITMAP source, gdi::HPALETTE sourcePalette, gdi::HPALETTE targetPalette,
                            gdi::DIBSECTION& header, TCanvas* canvas) {
    gdi::BITMAP& bm = header.dsBm;
    gdi::BITMAPINFOHEADER& bi = header.dsBmih;
    // A zero dimension means no pixels; the header keeps the values asked for.
    if (bi.biSize != 0 ? (bi.biWidth == 0 || bi.biHeight == 0) : (bm.bmWidth == 0 || bm.bmHeight == 0)) {
        return nullptr;
    }
    gdi::DIBSECTION sourceInfo;
    bool sourceIsDib = false;
    if (source) {
        const int size = gdi::GetObject(source, sizeof sourceInfo, &sourceInfo);
        if (size < gdi::kBitmapObjectSize) throw EInvalidGraphic(std::string(msg::kInvalidBitmap));
        sourceIsDib = size == gdi::kDibSectionObjectSize;
    }

    PendingBitmap result;
    bool oneBitDib = false;
    gdi::SetLastError(0);
    if (bi.biSize < std::uint32_t(kInfoHeaderSize)) {
        // Monochrome only when the header asks for one plane of one bit; a bitmap that became 1-bit
        // (a mask, a handed-in 1-bit handle) is resized at the display's depth.
        const bool mono = bi.biPlanes * bi.biBitCount == 1;
        result.handle = mono ? gdi::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr)
                             : gdi::CreateCompatibleBitmap(nullptr, bm.bmWidth, bm.bmHeight);
        GdiCheck(result.handle);
    } else {
        bi.biSize = kInfoHeaderSize;
        bi.biPlanes = 1;
        if (bi.biBitCount == 0) bi.biBitCount = std::uint16_t(DisplayBitsPerPixel());
        bm.bmWidth = bi.biWidth;
        bm.bmHeight = bi.biHeight;
        gdi::BITMAPINFO info;
        info.bmiHeader = bi;
        if (bi.biBitCount <= 8) {
            // A palette longer than the depth can index gives its first entries.
            int colors =
                std::min(NewColorTable(source, sourceIsDib, targetPalette, header, info), 1 << bi.biBitCount);
            if (colors == 0 && bi.biBitCount == 1) {
                // A direct-colour source without a palette has no table to give: black and white.
                info.bmiColors[0] = {0, 0, 0, 0};
                info.bmiColors[1] = {0xFF, 0xFF, 0xFF, 0};
                colors = 2;
            }
            info.bmiHeader.biClrUsed = std::uint32_t(colors);
            oneBitDib = bi.biBitCount == 1;
        } else if ((bi.biBitCount == 16 || bi.biBitCount == 32) && bi.biCompression == gdi::BI_BITFIELDS) {
            if (header.dsBitfields[0] == 0) DefaultMasks(header);
            std::memcpy(info.bmiColors, header.dsBitfields, sizeof header.dsBitfields);
        }
        void* bits = nullptr;
        gdi::SetLastError(0);
        result.handle = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!result.handle || !bits) RaiseGdiError();

        // Same size and direct colour: one conversion straight into the section.
        if (source && bi.biBitCount > 8 && sourceInfo.dsBm.bmWidth == bi.biWidth &&
            std::abs(sourceInfo.dsBm.bmHeight) == std::abs(bi.biHeight)) {
            ScopedMemoryDc dc;
            gdi::GetDIBits(dc.Get(), source, 0, std::uint32_t(std::abs(bi.biHeight)), bits, &info,
                           gdi::DIB_RGB_COLORS);
            gdi::GetObject(result.handle, sizeof header, &header);
            return result.Release();
        }
    }

    const int width = bm.bmWidth;
    const int height = std::abs(bm.bmHeight);
    {
        ScopedMemoryDc target;
        target.Select(result.handle);
        target.SelectPalette(targetPalette);
        if (canvas) {
            const gdi::COLORREF brushColor = ResolveColor(canvas->Brush().Color());
            const gdi::COLORREF fontColor = ResolveColor(canvas->Font().Color());
            gdi::SetTextColor(target.Get(), fontColor);
            gdi::SetBkColor(target.Get(), brushColor);
            if (oneBitDib) {
                const gdi::RGBQUAD table[2] = {
                    {gdi::GetBValue(fontColor), gdi::GetGValue(fontColor), gdi::GetRValue(fontColor), 0},
                    {gdi::GetBValue(brushColor), gdi::GetGValue(brushColor), gdi::GetRValue(brushColor), 0}};
                gdi::SetDIBColorTable(target.Get(), 0, 2, table);
            }
            const gdi::RECT all{0, 0, width, height};
            gdi::FillRect(target.Get(), &all, canvas->Brush().Handle());
        } else {
            gdi::PatBlt(target.Get(), 0, 0, width, height, gdi::WHITENESS);
        }
        if (source) {
            DeselectBitmapFromCanvases(source);
            ScopedMemoryDc from;
            from.Select(source);
            from.SelectPalette(sourcePalette);
            // Colour turned monochrome: the brush colour becomes 1 (white), as on the canvas.
            if (canvas) gdi::SetBkColor(from.Get(), ResolveColor(canvas->Brush().Color()));
            gdi::BitBlt(target.Get(), 0, 0, width, height, from.Get(), 0, 0, gdi::SRCCOPY);
        }
    }

    gdi::DIBSECTION described;
    if (gdi::GetObject(result.handle, sizeof described, &described) == gdi::kDibSectionObjectSize) {
        header = described;
    } else {
        header.dsBm = described.dsBm;
    }
    return result.Release();
}

}  // namespace plexon

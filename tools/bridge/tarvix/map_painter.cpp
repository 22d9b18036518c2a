// Drawing of the bridge window.
#include "tarvix/map_painter.h"

#include "map/map_layout.h"
#include "protocol/bridge_protocol.h"
#include "os/win32_text.h"
#include "win/program_folder.h"

namespace vondrel::tarvix {

namespace {

constexpr COLORREF kMissing = RGB(238, 236, 230);
constexpr COLORREF kGrid = RGB(214, 210, 198);
constexpr COLORREF kBand = RGB(44, 62, 92);
constexpr COLORREF kPointFill = RGB(214, 48, 40);
constexpr COLORREF kText = RGB(30, 30, 30);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMark = RGB(20, 90, 220);
constexpr COLORREF kSelected = RGB(255, 200, 0);
constexpr int kIconSize = 16;
constexpr int kParentLevels = 4;  // how far up a loaded tile may stand in for a missing one

HGDIOBJ JapaneseFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
}

BITMAPINFO TileInfo(const TilePixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

SIZE TextSize(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void Fill(HDC dc, RECT rect, COLORREF colour) {
    // The DC brush: no brush object to create per rectangle.
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

MapPainter::MapPainter() : pointBrush(CreateSolidBrush(kPointFill)) { SetDpi(96); }

void MapPainter::DropIcons() {
    for (win::OwnedIcon& icon : icons) icon.Reset();
    iconTried.fill(false);
}

void MapPainter::SetDpi(int screenDpi) {
    dpi = screenDpi;
    font.Reset(JapaneseFont(Scaled(13)));
    smallFont.Reset(JapaneseFont(Scaled(11)));
    gridPen.Reset(CreatePen(PS_SOLID, Scaled(1), kGrid));
    pointPen.Reset(CreatePen(PS_SOLID, Scaled(2), kWhite));
    markPen.Reset(CreatePen(PS_SOLID, Scaled(2), kMark));
    barPen.Reset(CreatePen(PS_SOLID, Scaled(2), kText));
    selectedPen.Reset(CreatePen(PS_SOLID, Scaled(3), kSelected));
    DropIcons();  // loaded again at the new size
    nameSizes.clear();
    keptValid = false;
}

HICON MapPainter::MarkIcon(int mark) {
    if (mark < 1 || mark > kMarkIcons) return nullptr;
    if (!iconTried[mark]) {
        // The same files the editor shows: mark01.ico ... mark55.ico beside the program.
        iconTried[mark] = true;
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", mark);
        const os::Path path = win::ProgramFolder() / name;
        const int side = Scaled(kIconSize);
        icons[mark].Reset(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, side, side, LR_LOADFROMFILE)));
    }
    return icons[mark].Get();
}

void MapPainter::EnsureBuffer(HDC target, int newWidth, int newHeight) {
    if (buffer && newWidth <= width && newHeight <= height) return;
    // Grown only, so dragging a window edge does not make a new bitmap on every step.
    width = std::max(newWidth, width);
    height = std::max(newHeight, height);
    buffer.Reset(CreateCompatibleDC(target));
    bitmap.Reset(CreateCompatibleBitmap(target, width, height));
    SelectObject(buffer.Get(), bitmap.Get());
    kept.Reset(CreateCompatibleDC(target));
    keptBitmap.Reset(CreateCompatibleBitmap(target, width, height));
    SelectObject(kept.Get(), keptBitmap.Get());
    keptValid = false;
    SetBkMode(buffer.Get(), TRANSPARENT);
    SetStretchBltMode(buffer.Get(), COLORONCOLOR);
}

void MapPainter::Paint(HWND window, HDC target, const MapScene& scene, TileBook& book) {
    RECT client{};
    GetClientRect(window, &client);
    const int w = std::max<int>(client.right, 1);
    const int h = std::max<int>(client.bottom, 1);
    EnsureBuffer(target, w, h);
    const PixelRect plot = scene.view->Plot();
    {
        const int saved = SaveDC(buffer.Get());
        IntersectClipRect(buffer.Get(), plot.left, plot.top, plot.right, plot.bottom);
        const bool drag = scene.dragged >= 0;
        if (drag && keptValid) {
            BitBlt(buffer.Get(), 0, 0, w, h, kept.Get(), 0, 0, SRCCOPY);
        } else {
            DrawTiles(scene, book);
            DrawPoints(scene, scene.dragged, false);
            DrawMark(scene);
            DrawScaleBar(scene);
            DrawAttribution(scene);
            if (drag) BitBlt(kept.Get(), 0, 0, w, h, buffer.Get(), 0, 0, SRCCOPY);
            keptValid = drag;
        }
        if (drag) DrawPoints(scene, scene.dragged, true);
        RestoreDC(buffer.Get(), saved);
    }
    DrawStatus(scene, client);
    BitBlt(target, 0, 0, w, h, buffer.Get(), 0, 0, SRCCOPY);
}

void MapPainter::DrawTiles(const MapScene& scene, TileBook& book) {
    // Beyond the world's edges (panned to them, or far north and south at low zoom): background.
    const PixelRect plot = scene.view->Plot();
    Fill(buffer.Get(), {plot.left, plot.top, plot.right, plot.bottom}, kMissing);
    for (const TileSlot& slot : scene.view->Tiles()) {
        const TileKey key{scene.layer, slot.z, slot.x, slot.y};
        // Resampled once to the slot's side and kept, so drawing it is a plain copy.
        if (const TilePixels* pixels = book.UseAt(key, slot.size)) {
            const BITMAPINFO info = TileInfo(*pixels);
            SetDIBitsToDevice(buffer.Get(), slot.corner.x, slot.corner.y, slot.size, slot.size, 0, 0, 0, slot.size,
                              pixels->bgra.data(), &info, DIB_RGB_COLORS);
        } else if (!DrawFromParent(key, slot, book)) {
            DrawGrid(slot);
        }
    }
}

void MapPainter::DrawGrid(const TileSlot& slot) {
    HDC dc = buffer.Get();
    const int left = slot.corner.x, top = slot.corner.y, side = slot.size;
    Fill(dc, {left, top, left + side, top + side}, kMissing);
    win::SelectedObject pen(dc, gridPen.Get());
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int step = side * quarter / 4;
        MoveToEx(dc, left + step, top, nullptr);
        LineTo(dc, left + step, top + side);
        MoveToEx(dc, left, top + step, nullptr);
        LineTo(dc, left + side, top + step);
    }
}

bool MapPainter::DrawFromParent(const TileKey& key, const TileSlot& slot, TileBook& book) {
    for (int up = 1; up <= kParentLevels && key.z - up >= kMinZoom; ++up) {
        const TilePixels* parent = book.Use({key.layer, key.z - up, key.x >> up, key.y >> up});
        if (!parent) continue;
        // The part of the parent that covers this tile, enlarged.
        const int part = parent->width >> up;
        const int partHeight = parent->height >> up;
        if (part == 0 || partHeight == 0) return false;
        const int mask = (1 << up) - 1;
        const BITMAPINFO info = TileInfo(*parent);
        StretchDIBits(buffer.Get(), slot.corner.x, slot.corner.y, slot.size, slot.size, (key.x & mask) * part, (key.y & mask) * partHeight,
                      part, partHeight, parent->bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        return true;
    }
    return false;
}

void MapPainter::Label(int x, int y, const std::string& cp932, COLORREF text, COLORREF back) {
    HDC dc = buffer.Get();
    const std::wstring wide = os::ToWide(cp932);
    const SIZE size = TextSize(dc, wide);
    Fill(dc, {x - Scaled(3), y - Scaled(1), x + size.cx + Scaled(3), y + size.cy + Scaled(1)}, back);
    SetTextColor(dc, text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE MapPainter::NameSize(HDC dc, const std::string& name) {
    const auto found = nameSizes.find(name);
    if (found != nameSizes.end()) return found->second;
    if (nameSizes.size() > 4096) nameSizes.clear();  // names of sets long gone
    const SIZE size = TextSize(dc, os::ToWide(name));
    nameSizes.emplace(name, size);
    return size;
}

void MapPainter::DrawPoints(const MapScene& scene, int skip, bool only) {
    HDC dc = buffer.Get();
    win::SelectedObject selectedFont(dc, font.Get());
    const PixelRect plot = scene.view->Plot();
    std::vector<Pixel> at;
    std::vector<Pixel> sizes;
    std::vector<std::size_t> drawn;  // indices into the scene's points
    at.reserve(scene.points->size());
    sizes.reserve(scene.points->size());
    const int icon = Scaled(kIconSize);
    for (std::size_t i = 0; i < scene.points->size(); ++i) {
        if ((static_cast<int>(i) == skip) != only) continue;
        const MapPoint& point = (*scene.points)[i];
        const Pixel p = scene.view->ToScreen(point.at);
        // Points well off the plot are left out: neither they nor their names are seen.
        if (p.x < plot.left - icon || p.x > plot.right + icon || p.y < plot.top - icon || p.y > plot.bottom + icon) {
            continue;
        }
        at.push_back(p);
        drawn.push_back(i);
        const SIZE size = point.name.empty() ? SIZE{0, 0} : NameSize(dc, point.name);
        sizes.push_back({static_cast<int>(size.cx) + Scaled(6), static_cast<int>(size.cy) + Scaled(2)});  // with the label's margin
    }
    {
        win::SelectedObject pen(dc, selectedPen.Get());
        win::SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
        for (std::size_t i = 0; i < at.size(); ++i) {
            const Pixel p = at[i];
            if ((*scene.points)[drawn[i]].selected || static_cast<int>(drawn[i]) == scene.dragged) {
                const int ring = Scaled(11);
                Ellipse(dc, p.x - ring, p.y - ring, p.x + ring + 1, p.y + ring + 1);
            }
        }
    }
    {
        win::SelectedObject pen(dc, pointPen.Get());
        win::SelectedObject brush(dc, pointBrush.Get());
        const int r = Scaled(6);
        for (std::size_t i = 0; i < at.size(); ++i) {
            const Pixel p = at[i];
            if (HICON markIcon = MarkIcon((*scene.points)[drawn[i]].mark)) {
                DrawIconEx(dc, p.x - icon / 2, p.y - icon / 2, markIcon, icon, icon, 0, nullptr, DI_NORMAL);
            } else {
                Ellipse(dc, p.x - r, p.y - r, p.x + r + 1, p.y + r + 1);
            }
        }
    }
    const std::vector<PixelRect> labels = PlaceLabels(at, sizes, Scaled(8), plot);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::string& name = (*scene.points)[drawn[i]].name;
        if (!name.empty() && !IsEmpty(labels[i])) Label(labels[i].left + Scaled(3), labels[i].top + Scaled(1), name, kText, kWhite);
    }
}

void MapPainter::DrawMark(const MapScene& scene) {
    if (!scene.mark) return;
    HDC dc = buffer.Get();
    const Pixel at = scene.view->ToScreen(*scene.mark);
    {
        win::SelectedObject pen(dc, markPen.Get());
        win::SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
        const int arm = Scaled(14), gap = Scaled(3), ring = Scaled(8);
        MoveToEx(dc, at.x - arm, at.y, nullptr);
        LineTo(dc, at.x - gap, at.y);
        MoveToEx(dc, at.x + gap, at.y, nullptr);
        LineTo(dc, at.x + arm + 1, at.y);
        MoveToEx(dc, at.x, at.y - arm, nullptr);
        LineTo(dc, at.x, at.y - gap);
        MoveToEx(dc, at.x, at.y + gap, nullptr);
        LineTo(dc, at.x, at.y + arm + 1);
        Ellipse(dc, at.x - ring, at.y - ring, at.x + ring + 1, at.y + ring + 1);
    }
    win::SelectedObject selectedFont(dc, smallFont.Get());
    Label(at.x + Scaled(12), at.y + Scaled(10), DisplayPosition(*scene.mark), kWhite, kMark);
}

void MapPainter::DrawScaleBar(const MapScene& scene) {
    const PixelRect plot = scene.view->Plot();
    const ScaleBar bar = ChooseScaleBar(scene.view->MetresPerPixel(), Scaled(120));
    if (bar.pixels <= 0) return;
    HDC dc = buffer.Get();
    const int left = plot.left + Scaled(12);
    const int base = plot.bottom - Scaled(12);
    Fill(dc, {left - Scaled(6), base - Scaled(24), left + bar.pixels + Scaled(8), base + Scaled(5)}, RGB(250, 250, 250));
    {
        win::SelectedObject pen(dc, barPen.Get());
        MoveToEx(dc, left, base - Scaled(6), nullptr);
        LineTo(dc, left, base);
        LineTo(dc, left + bar.pixels, base);
        LineTo(dc, left + bar.pixels, base - Scaled(7));
    }
    win::SelectedObject selectedFont(dc, smallFont.Get());
    SetTextColor(dc, kText);
    const std::wstring label = os::ToWide(bar.label);
    TextOutW(dc, left + Scaled(4), base - Scaled(20), label.c_str(), static_cast<int>(label.size()));
}

void MapPainter::DrawAttribution(const MapScene& scene) {
    HDC dc = buffer.Get();
    win::SelectedObject selectedFont(dc, smallFont.Get());
    const std::string text = "地理院タイル";
    const SIZE size = TextSize(dc, os::ToWide(text));
    const PixelRect plot = scene.view->Plot();
    Label(plot.right - size.cx - Scaled(6), plot.bottom - size.cy - Scaled(4), text, kText, RGB(250, 250, 250));
}

void MapPainter::DrawStatus(const MapScene& scene, RECT client) {
    HDC dc = buffer.Get();
    const RECT band{0, client.bottom - StatusHeight(), client.right, client.bottom};
    Fill(dc, band, kBand);
    win::SelectedObject selectedFont(dc, font.Get());
    SetTextColor(dc, kWhite);
    const std::wstring left = os::ToWide(scene.statusLeft);
    const std::wstring right = os::ToWide(scene.statusRight);
    // Each text keeps to its own part of the line: where both do not fit, the right one gets
    // what it needs up to half the line and both end in "..." rather than overlap.
    const int margin = Scaled(8);
    const int gap = Scaled(16);
    const int room = std::max<int>(band.right - 2 * margin - gap, 0);
    const int leftWidth = TextSize(dc, left).cx;
    int rightWidth = TextSize(dc, right).cx;
    if (leftWidth + rightWidth > room) rightWidth = std::min(rightWidth, std::max(room - leftWidth, room / 2));
    RECT rightRect{band.right - margin - rightWidth, band.top, band.right - margin, band.bottom};
    RECT leftRect{margin, band.top, std::max<LONG>(rightRect.left - gap, margin), band.bottom};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    DrawTextW(dc, left.c_str(), static_cast<int>(left.size()), &leftRect, format | DT_LEFT);
    DrawTextW(dc, right.c_str(), static_cast<int>(right.size()), &rightRect, format | DT_RIGHT);
}

}  // namespace vondrel::tarvix

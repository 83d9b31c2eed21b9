#include "app/WindowPlacement.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace qv {

namespace {

int32_t ReadSigned(const ProfileStore& p, const std::string& section, const std::string& name,
                   int32_t fallback) {
    const auto v = p.ReadNumber(section, name);
    return v ? static_cast<int32_t>(*v) : fallback;
}

std::string ListSection(int list) { return "ListStateInfo\\List" + std::to_string(list); }

std::string ColumnName(int column) {
    char name[32];
    std::snprintf(name, sizeof name, "Column Width %02d", column);
    return name;
}

bool Intersects(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

WindowPlacement LoadWindowPlacement(const ProfileStore& p) {
    WindowPlacement w;
    const char* s = kPlacementSection;
    w.length = ReadSigned(p, s, "FrameWnd Length", 44);
    w.flags = ReadSigned(p, s, "FrameWnd Flags", kPlacementRestoreToMaximized);
    w.showCmd = ReadSigned(p, s, "FrameWnd showCmd", kShowMaximized);
    w.minX = ReadSigned(p, s, "FrameWnd MinPos X", 0);
    w.minY = ReadSigned(p, s, "FrameWnd MinPos Y", 0);
    w.maxX = ReadSigned(p, s, "FrameWnd MaxPos X", 0);
    w.maxY = ReadSigned(p, s, "FrameWnd MaxPos Y", 0);
    w.normal.left = ReadSigned(p, s, "FrameWnd Normal left", -1);
    w.normal.top = ReadSigned(p, s, "FrameWnd Normal top", -1);
    w.normal.right = ReadSigned(p, s, "FrameWnd Normal right", -1);
    w.normal.bottom = ReadSigned(p, s, "FrameWnd Normal bottom", -1);
    return w;
}

void SaveWindowPlacement(ProfileStore& p, const WindowPlacement& w) {
    const char* s = kPlacementSection;
    const std::pair<const char*, int32_t> values[] = {
        {"FrameWnd Length", w.length},         {"FrameWnd Flags", w.flags},
        {"FrameWnd showCmd", w.showCmd},       {"FrameWnd MinPos X", w.minX},
        {"FrameWnd MinPos Y", w.minY},         {"FrameWnd MaxPos X", w.maxX},
        {"FrameWnd MaxPos Y", w.maxY},         {"FrameWnd Normal left", w.normal.left},
        {"FrameWnd Normal top", w.normal.top}, {"FrameWnd Normal right", w.normal.right},
        {"FrameWnd Normal bottom", w.normal.bottom},
    };
    for (const auto& [name, value] : values)
        p.WriteNumber(s, name, static_cast<uint32_t>(value));
}

WindowPlacement UsablePlacement(WindowPlacement w, const std::vector<Rect>& screens) {
    if (w.showCmd == kShowMinimized || w.showCmd == kShowMinimize ||
        w.showCmd == kShowMinNoActive || w.showCmd <= 0)
        w.showCmd = (w.flags & kPlacementRestoreToMaximized) ? kShowMaximized : kShowNormal;
    if (w.NothingStored() || screens.empty())
        return w;
    const bool onScreen =
        w.normal.Width() > 0 && w.normal.Height() > 0 &&
        std::any_of(screens.begin(), screens.end(),
                    [&](const Rect& s) { return Intersects(w.normal, s); });
    if (onScreen)
        return w;
    const Rect& s = screens.front();
    const int32_t width = std::clamp(w.normal.Width(), std::min<int32_t>(200, s.Width()), s.Width());
    const int32_t height =
        std::clamp(w.normal.Height(), std::min<int32_t>(150, s.Height()), s.Height());
    w.normal.left = s.left + (s.Width() - width) / 2;
    w.normal.top = s.top + (s.Height() - height) / 2;
    w.normal.right = w.normal.left + width;
    w.normal.bottom = w.normal.top + height;
    return w;
}

void LoadListState(const ProfileStore& p, ColumnWidthTable& widths, int list) {
    for (int n = 0; n < kListCount; ++n) {
        if (list >= 0 && n != list)
            continue;
        for (int c = 0; c < kListColumns; ++c)
            widths[n][c] = ReadSigned(p, ListSection(n), ColumnName(c), -1);
    }
}

void SaveListState(ProfileStore& p, const ColumnWidthTable& widths, int list) {
    for (int n = 0; n < kListCount; ++n) {
        if (list >= 0 && n != list)
            continue;
        for (int c = 0; c < kListColumns; ++c)
            p.WriteNumber(ListSection(n), ColumnName(c), static_cast<uint32_t>(widths[n][c]));
    }
}

} // namespace qv

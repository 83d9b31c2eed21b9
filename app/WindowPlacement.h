// The main window's placement and the column widths of the program's lists,
// kept in the profile.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "document/ProfileStore.h"

namespace qv {

constexpr const char* kPlacementSection = "Workspace\\WindowPlacement";

// Show states, as stored.
enum ShowState : int32_t {
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowMinimize = 6,
    kShowMinNoActive = 7,
};
constexpr int32_t kPlacementRestoreToMaximized = 2;

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

struct WindowPlacement {
    int32_t length = 44;
    int32_t flags = kPlacementRestoreToMaximized;
    int32_t showCmd = kShowMaximized;
    int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    Rect normal{-1, -1, -1, -1};

    bool NothingStored() const {
        return normal.left == -1 && normal.top == -1 && normal.right == -1 && normal.bottom == -1;
    }
};

WindowPlacement LoadWindowPlacement(const ProfileStore& profile);
void SaveWindowPlacement(ProfileStore& profile, const WindowPlacement& placement);

// A stored placement made fit to show: never minimised, and on a screen the
// machine has now (a window saved on a screen since removed is moved onto the
// first one, shrunk to fit when needed).
WindowPlacement UsablePlacement(WindowPlacement placement, const std::vector<Rect>& screens);

// Column widths of the program's 15 lists, 10 columns each; -1 = none stored.
constexpr int kListCount = 15;
constexpr int kListColumns = 10;
using ColumnWidthTable = std::array<std::array<int32_t, kListColumns>, kListCount>;

// A negative list number loads or saves every list.
void LoadListState(const ProfileStore& profile, ColumnWidthTable& widths, int list);
void SaveListState(ProfileStore& profile, const ColumnWidthTable& widths, int list);

} // namespace qv

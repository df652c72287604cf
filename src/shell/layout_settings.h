#pragma once

#include <cstdint>
#include <vector>

#include "common/status.h"
#include "shell/settings_file.h"

// Where the main window and its two toolbars stand: [WindowPos], [SearchDock] (the search
// toolbar) and [ViewDock] (the sort toolbar).

namespace gryvel {

enum TWindowState : std::int32_t { kWindowNormal = 0, kWindowMinimized = 1, kWindowMaximized = 2 };

// The window's normal (restored) bounds, so that a maximised window keeps the size and place
// it returns to, and its state.
struct TWindowPosition {
  std::int32_t Width = 525;
  std::int32_t Height = 395;
  std::int32_t Left = -1;  // -1 (Left or Top): centred on the screen
  std::int32_t Top = -1;
  std::int32_t State = kWindowNormal;

  bool Centred() const { return Left == -1 || Top == -1; }

  bool operator==(const TWindowPosition&) const = default;
};

// A screen's available area, in desktop pixels.
struct TScreenArea {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// What a window manager is taken to add around a window's client area: its borders, and a
// title bar with them.
inline constexpr std::int32_t kFrameWidth = 16;
inline constexpr std::int32_t kFrameHeight = 48;

// `position` (Left and Top being the frame's corner, Width and Height the client area's) made to
// fit `screens`. A window whose size, with its frame, exceeds the screen it shows on is cut to
// that screen and kept inside it (a size saved at another scale or on a larger monitor). A
// window whose top, where its title bar is, lies on no screen (a monitor unplugged, a damaged
// file) is moved onto the nearest one, cut the same way, and kept inside it. Unchanged when
// centred (the window is then fitted to the screen it opens on) or when there are no screens.
TWindowPosition PlaceOnScreens(TWindowPosition position, const std::vector<TScreenArea>& screens);

// Reads [WindowPos] over `position`: start from TWindowPosition{} with State set to the
// window's current state. A state other than the three is ignored. Shows "код 005" on failure.
bool ReadWindowPosition(TSettingsFile& file, TWindowPosition& position);
TStatus WriteWindowPosition(TSettingsFile& file, const TWindowPosition& position);

struct TToolbarDock {
  bool DockedTo = true;  // docked at the top; false: floating
  bool Visible = true;
  std::int32_t DockRow = 0;
  std::int32_t DockPos = 0;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;

  bool operator==(const TToolbarDock&) const = default;
};

struct TToolbarPositions {
  TToolbarDock Search;  // [SearchDock]
  TToolbarDock View;    // [ViewDock]

  bool operator==(const TToolbarPositions&) const = default;
};

// Reads both sections over `positions`, whose incoming values (the toolbars' current ones)
// are the defaults but for DockedTo and Visible, which default to true. Shows "код 004" once
// on failure.
bool ReadToolbarPositions(TSettingsFile& file, TToolbarPositions& positions);
TStatus WriteToolbarPositions(TSettingsFile& file, const TToolbarPositions& positions);

}  // namespace gryvel

#include "shell/layout_settings.h"

#include <algorithm>

#include "shell/settings_io.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

constexpr char kWindowPos[] = "WindowPos";
constexpr char kSearchDock[] = "SearchDock";
constexpr char kViewDock[] = "ViewDock";

template <typename Io, typename Position>
void WindowKeys(Io& io, Position& p) {
  io.Int("Width", p.Width);
  io.Int("Height", p.Height);
  io.Int("Left", p.Left);
  io.Int("Top", p.Top);
  io.Int("State", p.State);
}

template <typename Io, typename Dock>
void DockKeys(Io& io, Dock& d) {
  io.Bool("DockedTo", d.DockedTo);
  io.Bool("Visible", d.Visible);
  io.Int("DockRow", d.DockRow);
  io.Int("DockPos", d.DockPos);
  io.Int("Left", d.Left);
  io.Int("Top", d.Top);
  io.Int("Width", d.Width);
  io.Int("Height", d.Height);
}

}  // namespace

bool ReadWindowPosition(TSettingsFile& file, TWindowPosition& position) {
  const std::int32_t current_state = position.State;
  const bool ok =
      ReadSettingsGroup(file, ShellText(TShellText::WindowReadError), [&](const TIniStore& store) {
        const TSectionReader io(store, kWindowPos);
        WindowKeys(io, position);
        return TStatus::Ok();
      });
  if (position.State < kWindowNormal || position.State > kWindowMaximized)
    position.State = current_state;
  return ok;
}

TStatus WriteWindowPosition(TSettingsFile& file, const TWindowPosition& position) {
  return file.Update([&](TIniStore& store) {
    TSectionWriter io(store, kWindowPos);
    WindowKeys(io, position);
  });
}

bool ReadToolbarPositions(TSettingsFile& file, TToolbarPositions& positions) {
  positions.Search.DockedTo = positions.Search.Visible = true;
  positions.View.DockedTo = positions.View.Visible = true;
  return ReadSettingsGroup(file, ShellText(TShellText::ToolbarReadError),
                           [&](const TIniStore& store) {
                             const TSectionReader search(store, kSearchDock);
                             DockKeys(search, positions.Search);
                             const TSectionReader view(store, kViewDock);
                             DockKeys(view, positions.View);
                             return TStatus::Ok();
                           });
}

TStatus WriteToolbarPositions(TSettingsFile& file, const TToolbarPositions& positions) {
  return file.Update([&](TIniStore& store) {
    TSectionWriter search(store, kSearchDock);
    DockKeys(search, positions.Search);
    TSectionWriter view(store, kViewDock);
    DockKeys(view, positions.View);
  });
}

namespace {

// The title bar's height taken as the part of a window that must show for it to be moved.
constexpr std::int64_t kTitleHeight = 24;

bool Overlaps(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  return a0 < b1 && b0 < a1;
}

// Squared distance from the point to the area (0 inside it).
std::int64_t Distance(const TScreenArea& s, std::int64_t x, std::int64_t y) {
  const std::int64_t dx = std::max<std::int64_t>({s.Left - x, 0, x - (s.Left + s.Width)});
  const std::int64_t dy = std::max<std::int64_t>({s.Top - y, 0, y - (s.Top + s.Height)});
  return dx * dx + dy * dy;
}

std::int32_t KeepInside(std::int64_t start, std::int64_t size, std::int64_t area_start,
                        std::int64_t area_size) {
  const std::int64_t last = area_start + std::max<std::int64_t>(0, area_size - size);
  return static_cast<std::int32_t>(std::clamp(start, area_start, last));
}

// The screen the window's title bar lies on, or null.
const TScreenArea* ShowingOn(const TWindowPosition& position,
                             const std::vector<TScreenArea>& screens) {
  const std::int64_t left = position.Left, top = position.Top;
  const std::int64_t right = left + std::max(position.Width, 1);
  const std::int64_t title_bottom =
      top + std::min<std::int64_t>(kTitleHeight, std::max(position.Height, 1));
  for (const TScreenArea& s : screens)
    if (Overlaps(left, right, s.Left, std::int64_t{s.Left} + s.Width) &&
        Overlaps(top, title_bottom, s.Top, std::int64_t{s.Top} + s.Height))
      return &s;
  return nullptr;
}

const TScreenArea& Nearest(const TWindowPosition& position,
                           const std::vector<TScreenArea>& screens) {
  const std::int64_t cx = std::int64_t{position.Left} + position.Width / 2;
  const std::int64_t cy = std::int64_t{position.Top} + position.Height / 2;
  const TScreenArea* nearest = &screens.front();
  for (const TScreenArea& s : screens)
    if (Distance(s, cx, cy) < Distance(*nearest, cx, cy)) nearest = &s;
  return *nearest;
}

}  // namespace

TWindowPosition PlaceOnScreens(TWindowPosition position, const std::vector<TScreenArea>& screens) {
  if (position.Centred() || screens.empty()) return position;
  const TScreenArea* showing = ShowingOn(position, screens);
  const TScreenArea& screen = showing != nullptr ? *showing : Nearest(position, screens);
  const std::int32_t width = std::min(position.Width, std::max(1, screen.Width - kFrameWidth));
  const std::int32_t height = std::min(position.Height, std::max(1, screen.Height - kFrameHeight));
  if (showing != nullptr && width == position.Width && height == position.Height) return position;
  position.Width = width;
  position.Height = height;
  position.Left = KeepInside(position.Left, width + kFrameWidth, screen.Left, screen.Width);
  position.Top = KeepInside(position.Top, height + kFrameHeight, screen.Top, screen.Height);
  return position;
}

}  // namespace gryvel

#include "shell/layout_settings.h"

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

}  // namespace gryvel

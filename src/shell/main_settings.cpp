#include "shell/main_settings.h"

#include <algorithm>

#include "shell/settings_io.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

constexpr char kMain[] = "Main";
constexpr char kSearch[] = "Search";

// [Search] keys, in file order. The key of the case option is spelt as the file has always
// spelt it.
template <typename Io, typename Options>
void SearchKeys(Io& io, Options& o) {
  io.Bool("DoSaveLast", o.DoSaveLast);
  io.Int("SaveLastCount", o.SaveLastCount);
  io.Bool("DoFastSearch", o.DoFastSearch);
  io.Bool("CaseSensetive", o.CaseSensitive);
  io.Int("ResultLimit", o.ResultLimit);
}

}  // namespace

TMainSettings ReadMainSettings(TSettingsFile& file) {
  TMainSettings s;
  s.InitialDir = file.ProgramDir();
  ReadSettingsGroup(file, ShellText(TShellText::MainReadError), [&](const TIniStore& store) {
    const TSectionReader io(store, kMain);
    io.Path("InitialDir", s.InitialDir);
    io.Bool("ShowStatusBar", s.ShowStatusBar);
    io.Bool("ShowStandardScroll", s.ShowStandardScroll);
    io.Int("RightWidth", s.RightWidth);
    io.Int("LeftWidth", s.LeftWidth);
    io.Int("RightPanelKind", s.RightPanelKind);
    io.Bool("ShowRightPanel", s.ShowRightPanel);
    io.Int("ToolBarLabels", s.ToolBarLabels);
    io.Bool("LargeToolBarIcons", s.LargeToolBarIcons);
    return TStatus::Ok();
  });
  if (s.RightPanelKind < 0 || s.RightPanelKind >= kRightPanelPages) s.RightPanelKind = 0;
  // The toolbar ignores any other mode and keeps its designed one.
  if (s.ToolBarLabels < 0 || s.ToolBarLabels > 2) s.ToolBarLabels = TMainSettings().ToolBarLabels;
  return s;
}

TStatus WriteMainSettings(TSettingsFile& file, const TMainSettings& s) {
  return file.Update([&](TIniStore& store) {
    TSectionWriter io(store, kMain);
    io.Path("InitialDir", s.InitialDir);
    io.Bool("ShowStatusBar", s.ShowStatusBar);
    io.Bool("ShowStandardScroll", s.ShowStandardScroll);
    io.Bool("ShowRightPanel", s.ShowRightPanel);
    io.Int("RightWidth", s.RightWidth);
    io.Int("LeftWidth", s.LeftWidth);
    io.Int("RightPanelKind", s.RightPanelKind);
    io.Int("ToolBarLabels", s.ToolBarLabels);
    io.Bool("LargeToolBarIcons", s.LargeToolBarIcons);
    io.Text("Language", s.Language);
  });
}

std::string ReadLanguage(TSettingsFile& file) {
  std::string language = "RUS";
  ReadSettingsGroup(file, "", [&](const TIniStore& store) {
    TSectionReader(store, kMain).Text("Language", language);
    return TStatus::Ok();
  });
  return language.empty() ? "Eng" : language;
}

TSearchOptions ReadSearchOptions(TSettingsFile& file) {
  TSearchOptions options;
  ReadSettingsGroup(file, ShellText(TShellText::SearchReadError), [&](const TIniStore& store) {
    const TSectionReader io(store, kSearch);
    SearchKeys(io, options);
    return TStatus::Ok();
  });
  options.SaveLastCount = std::clamp(options.SaveLastCount, 0, kMaxSaveLastCount);
  options.ResultLimit = std::clamp(options.ResultLimit, 1, TResultList::kMaxLimit);
  return options;
}

TStatus WriteSearchOptions(TSettingsFile& file, const TSearchOptions& options) {
  return file.Update([&](TIniStore& store) {
    TSectionWriter io(store, kSearch);
    SearchKeys(io, options);
  });
}

}  // namespace gryvel

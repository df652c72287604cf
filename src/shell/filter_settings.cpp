#include "shell/filter_settings.h"

#include <algorithm>

#include "shell/settings_io.h"

namespace gryvel {

namespace {

constexpr char kFilter[] = "Filter";

template <typename Io, typename Settings>
void FilterKeys(Io& io, Settings& s) {
  io.Bool("Enable", s.Enable);
  io.Bool("PatternEnable", s.PatternEnable);
  io.Text("Pattern", s.Pattern);
  io.Bool("LengthEnable", s.LengthEnable);
  io.Int("MinLength", s.MinLength);
  io.Int("MaxLength", s.MaxLength);
}

}  // namespace

TFilterSettings ReadFilterSettings(TSettingsFile& file) {
  TFilterSettings s;
  s.MinLength = s.MaxLength = 1;
  ReadSettingsGroup(file, "", [&](const TIniStore& store) {
    const TSectionReader io(store, kFilter);
    FilterKeys(io, s);
    return TStatus::Ok();
  });
  s.MinLength = std::clamp(s.MinLength, 0, kMaxFilterLength);
  s.MaxLength = std::max(s.MinLength, std::clamp(s.MaxLength, 0, kMaxFilterLength));
  return s;
}

TStatus WriteFilterSettings(TSettingsFile& file, const TFilterSettings& settings) {
  return file.Update([&](TIniStore& store) {
    TSectionWriter io(store, kFilter);
    FilterKeys(io, settings);
  });
}

}  // namespace gryvel

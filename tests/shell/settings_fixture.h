#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dictionary/file_io.h"
#include "shell/settings_file.h"
#include "support/capture_messages.h"
#include "support/text.h"

namespace gryvel::testing {

// A settings file held in memory, "/prog/gryvel.ini", of a program in "/prog"; the messages
// shown are captured.
class SettingsFixture : public ::testing::Test {
 protected:
  static constexpr char kIniPath[] = "/prog/gryvel.ini";

  // Stores the settings file from UTF-8 text; "\n" may end its lines.
  void SetIni(std::string_view utf8) {
    const std::string bytes = Cp(utf8);
    files_.SetFile(kIniPath, {bytes.begin(), bytes.end()});
  }

  // The settings file as UTF-8, its CR LF line ends as "\n".
  std::string Ini() const {
    const std::vector<std::uint8_t> bytes = files_.File(kIniPath);
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
      if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
    return Utf(text);
  }

  CaptureMessages messages_;
  TMemoryFileSystem files_;
  TSettingsFile settings_{files_, kIniPath, "/prog"};
};

}  // namespace gryvel::testing

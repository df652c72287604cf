#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

// A one-line status on stderr for long runs, rewritten in place with "\r" and shown only when
// stderr is a terminal, so that pipes and log files never see it.

namespace gryvel::cli {

class TProgressLine {
 public:
  // The line of this process; enabled when stderr is a terminal.
  static TProgressLine& Stderr();

  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

  bool Enabled() const { return FEnabled; }
  // Replaces the line with `utf8`, cut to the terminal's width; skipped within a tenth of a
  // second of the previous update, or of the first call after construction or Clear.
  void Show(std::string_view utf8);
  // Erases the line, if one is shown, leaving the cursor at the start of the line.
  void Clear();

 private:
  explicit TProgressLine(bool enabled) : FEnabled(enabled) {}

  bool FEnabled;
  bool FStarted = false;        // Show was called since the last Clear
  std::size_t FShownWidth = 0;  // characters on screen
  std::chrono::steady_clock::time_point FLastShown{};
};

}  // namespace gryvel::cli

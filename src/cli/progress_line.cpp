#include "cli/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace gryvel::cli {

namespace {

constexpr auto kMinInterval = std::chrono::milliseconds(100);

// Columns of the terminal on stderr, leaving the last one free so the line never wraps.
std::size_t UsableColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col < 2) return 79;
  return size.ws_col - 1u;
}

// The first `columns` characters of `utf8` and their count.
std::string_view CutToColumns(std::string_view utf8, std::size_t columns, std::size_t* width) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    if (chars == columns) {
      *width = chars;
      return utf8.substr(0, i);
    }
    ++chars;
  }
  *width = chars;
  return utf8;
}

}  // namespace

TProgressLine& TProgressLine::Stderr() {
  static TProgressLine line(isatty(STDERR_FILENO) == 1);
  return line;
}

void TProgressLine::Show(std::string_view utf8) {
  if (!FEnabled) return;
  // A run that ends within the first interval shows nothing at all.
  const auto now = std::chrono::steady_clock::now();
  if (!FStarted) {
    FStarted = true;
    FLastShown = now;
  }
  if (now - FLastShown < kMinInterval) return;
  FLastShown = now;
  std::size_t width = 0;
  const std::string_view text = CutToColumns(utf8, UsableColumns(), &width);
  std::string line = "\r" + std::string(text);
  if (width < FShownWidth) line.append(FShownWidth - width, ' ');
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  FShownWidth = width;
}

void TProgressLine::Clear() {
  FStarted = false;
  if (!FEnabled || FShownWidth == 0) return;
  const std::string blank = "\r" + std::string(FShownWidth, ' ') + "\r";
  std::fwrite(blank.data(), 1, blank.size(), stderr);
  std::fflush(stderr);
  FShownWidth = 0;
}

}  // namespace gryvel::cli

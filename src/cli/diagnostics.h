#pragma once

#include <string_view>

#include "common/message_sink.h"

// Exit codes and every message the tool writes to stderr: its own errors, usage errors with a
// hint to --help, and the messages the engine shows.

namespace gryvel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // a file or dictionary problem at run time
inline constexpr int kExitUsage = 2;          // the command line is wrong
inline constexpr int kExitInterrupted = 130;  // Ctrl+C stopped a search; its results were printed

// Writes "gryvel-cli: <utf8>" and a line end to stderr, erasing the progress line first.
void PrintError(std::string_view utf8);
// PrintError for engine text (code page 1251); carriage returns are dropped.
void PrintEngineError(std::string_view cp1251);
// Writes "gryvel-cli: warning: <utf8 of cp1251>" and a line end to stderr; carriage returns
// are dropped.
void PrintEngineWarning(std::string_view cp1251);
// PrintError, then a hint to --help; returns kExitUsage.
int UsageError(std::string_view utf8);
// PrintError; returns kExitFailure.
int Failure(std::string_view utf8);

// While it lives, every message the engine shows is printed: a warning (something the engine
// went on after) as a warning, any other as an error, whose coming is remembered. Questions
// are answered No (or Cancel).
class TMessagePrinter {
 public:
  TMessagePrinter();
  ~TMessagePrinter();
  TMessagePrinter(const TMessagePrinter&) = delete;
  TMessagePrinter& operator=(const TMessagePrinter&) = delete;

  // Whether a message other than a warning was shown since construction or the last Reset.
  bool Shown() const { return FShown; }
  void Reset() { FShown = false; }

 private:
  TMessageSink FPrevious;
  bool FShown = false;
};

}  // namespace gryvel::cli

#include "cli/diagnostics.h"

#include <cstdio>
#include <string>
#include <utility>

#include "cli/progress_line.h"
#include "common/cp1251_utf8.h"

namespace gryvel::cli {

void PrintError(std::string_view utf8) {
  TProgressLine::Stderr().Clear();
  std::string line = "gryvel-cli: " + std::string(utf8);
  while (!line.empty() && line.back() == '\n') line.pop_back();
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

namespace {

std::string EngineText(std::string_view cp1251) {
  std::string text = Cp1251ToUtf8(cp1251);
  std::erase(text, '\r');
  return text;
}

}  // namespace

void PrintEngineError(std::string_view cp1251) {
  PrintError(EngineText(cp1251));
}

void PrintEngineWarning(std::string_view cp1251) {
  PrintError("warning: " + EngineText(cp1251));
}

int UsageError(std::string_view utf8) {
  PrintError(utf8);
  std::fputs("Try 'gryvel-cli --help' for more information.\n", stderr);
  return kExitUsage;
}

int Failure(std::string_view utf8) {
  PrintError(utf8);
  return kExitFailure;
}

TMessagePrinter::TMessagePrinter() {
  FPrevious = SetMessageSink([this](const TMessage& message) {
    if (message.Kind == TMessageKind::Warning) {
      PrintEngineWarning(message.Text);
    } else {
      FShown = true;
      PrintEngineError(message.Text);
    }
    return message.Buttons == TMessageButtons::Ok      ? TMessageAnswer::Ok
           : message.Buttons == TMessageButtons::YesNo ? TMessageAnswer::No
                                                       : TMessageAnswer::Cancel;
  });
}

TMessagePrinter::~TMessagePrinter() {
  SetMessageSink(std::move(FPrevious));
}

}  // namespace gryvel::cli

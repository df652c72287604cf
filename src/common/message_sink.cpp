#include "common/message_sink.h"

#include <cstdio>
#include <utility>

#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

TMessageAnswer PrintToStderr(const TMessage& message) {
  const std::string text = MessageTextUtf8(message);
  std::fprintf(stderr, "%s\n", text.c_str());
  switch (message.Buttons) {
    case TMessageButtons::Ok:
      return TMessageAnswer::Ok;
    case TMessageButtons::YesNo:
      return TMessageAnswer::No;
    case TMessageButtons::YesNoCancel:
      break;
  }
  return TMessageAnswer::Cancel;
}

TMessageSink& CurrentSink() {
  static TMessageSink sink = PrintToStderr;
  return sink;
}

}  // namespace

std::string MessageTextUtf8(const TMessage& message) {
  return message.Utf8 ? message.Text : Cp1251ToUtf8(message.Text);
}

TMessageSink SetMessageSink(TMessageSink sink) {
  if (!sink) sink = PrintToStderr;
  return std::exchange(CurrentSink(), std::move(sink));
}

TMessageAnswer ShowMessage(const TMessage& message) { return CurrentSink()(message); }

void ShowMessage(std::string_view text) { ShowMessage(TMessage{std::string(text), {}, {}, {}}); }

void ShowError(std::string_view text) {
  ShowMessage(TMessage{std::string(text), {}, TMessageKind::Error, TMessageButtons::Ok});
}

}  // namespace gryvel

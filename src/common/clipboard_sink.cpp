#include "common/clipboard_sink.h"

#include <utility>

namespace gryvel {

namespace {

TClipboardSink& CurrentSink() {
  static TClipboardSink sink;
  return sink;
}

}  // namespace

TClipboardSink SetClipboardSink(TClipboardSink sink) {
  return std::exchange(CurrentSink(), std::move(sink));
}

void PutOnClipboard(const TClipboardData& data) {
  if (const TClipboardSink& sink = CurrentSink()) sink(data);
}

}  // namespace gryvel

#pragma once

#include <functional>
#include <string>

// The one way the engine puts something on the clipboard. The GUI installs a sink that fills
// the system clipboard; without one a copy goes nowhere.

namespace gryvel {

// The name under which the entry format is registered.
inline constexpr const char* kArticleClipboardFormat = "Kiv Article";

// What one copy puts on the clipboard, in one opening. Code page 1251 bytes.
struct TClipboardData {
  std::string Text;     // plain text
  std::string Article;  // the entry format (kArticleClipboardFormat)
};

using TClipboardSink = std::function<void(const TClipboardData&)>;

// Installs `sink` (an empty function restores the default, which drops the data) and returns
// the previous one.
TClipboardSink SetClipboardSink(TClipboardSink sink);

// Hands `data` to the current sink.
void PutOnClipboard(const TClipboardData& data);

}  // namespace gryvel

#pragma once

#include <functional>
#include <string>
#include <string_view>

// The one way the engine shows a message to the user. The GUI installs a sink that opens a
// message box, the command-line tool one that prints, tests one that records.
// All texts are code page 1251 bytes, unless a message says it is UTF-8.

namespace gryvel {

enum class TMessageKind { Information, Warning, Error, Question };
enum class TMessageButtons { Ok, YesNo, YesNoCancel };
enum class TMessageAnswer { Ok, Yes, No, Cancel };

struct TMessage {
  std::string Text;
  std::string Caption;  // empty: the application title
  TMessageKind Kind = TMessageKind::Information;
  TMessageButtons Buttons = TMessageButtons::Ok;
  // Text is UTF-8: it names a character that code page 1251 lacks.
  bool Utf8 = false;
};

// The text of `message` as UTF-8.
std::string MessageTextUtf8(const TMessage& message);

using TMessageSink = std::function<TMessageAnswer(const TMessage&)>;

// Installs `sink` (an empty function restores the default) and returns the previous one.
// The default prints the text to stderr as UTF-8 and answers Ok, No or Cancel.
TMessageSink SetMessageSink(TMessageSink sink);

// Hands the message to the current sink and returns its answer.
TMessageAnswer ShowMessage(const TMessage& message);

// A plain message box with an OK button.
void ShowMessage(std::string_view text);
// A message box with the error icon and an OK button, for an operation that failed.
void ShowError(std::string_view text);

}  // namespace gryvel

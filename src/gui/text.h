#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

#include "common/message_sink.h"

// The one place where text crosses between the engine (code page 1251 bytes) and Qt.

namespace gryvel::gui {

// Engine text as shown on screen.
QString ToQString(std::string_view cp1251);

// What the user typed as engine text; nullopt when it holds a character code page 1251 cannot
// hold (`error`, when given, then gets a message naming it).
std::optional<std::string> FromQString(const QString& text, QString* error = nullptr);

// The first character of `text` that code page 1251 cannot hold: where an edit showing `text`
// selects it, and the message naming it and its position, in the interface language (UTF-8).
struct TUnstorableText {
  int Start = 0;
  int Length = 0;
  std::string Message;
};
std::optional<TUnstorableText> FindUnstorable(const QString& text);

// The text of a message as Qt shows it.
QString MessageText(const TMessage& message);

// A native (UTF-8) file name as Qt shows and takes it, and back.
QString PathToQString(std::string_view native);
std::string PathFromQString(const QString& path);

// An edit's validator refusing characters code page 1251 cannot hold, so that what the user
// types always reaches the engine whole.
class TCodePageValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace gryvel::gui

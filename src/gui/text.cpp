#include "gui/text.h"

#include "common/cp1251_utf8.h"
#include "results/language.h"

namespace gryvel::gui {

QString ToQString(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

namespace {

TStatus ToCodePage(const QString& text, std::string* out) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                      out);
}

}  // namespace

std::optional<std::string> FromQString(const QString& text, QString* error) {
  std::string out;
  if (!ToCodePage(text, &out).ok()) {
    if (error != nullptr) *error = QString::fromStdString(FindUnstorable(text)->Message);
    return std::nullopt;
  }
  return out;
}

std::optional<TUnstorableText> FindUnstorable(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::optional<TUnstorable> found =
      gryvel::FindUnstorable(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  if (!found) return std::nullopt;
  return TUnstorableText{static_cast<int>(found->Utf16Start), static_cast<int>(found->Utf16Length),
                         UnstorableText(*found)};
}

QString MessageText(const TMessage& message) {
  return message.Utf8 ? QString::fromStdString(message.Text) : ToQString(message.Text);
}

QString PathToQString(std::string_view native) {
  return QString::fromUtf8(native.data(), static_cast<qsizetype>(native.size()));
}

std::string PathFromQString(const QString& path) { return path.toUtf8().toStdString(); }

QValidator::State TCodePageValidator::validate(QString& input, int&) const {
  return FromQString(input) ? Acceptable : Invalid;
}

}  // namespace gryvel::gui

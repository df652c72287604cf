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

// "«ж» (U+0436)" for the first character of `text` the code page cannot hold.
QString FirstUnheld(const QString& text) {
  for (const char32_t code : text.toUcs4()) {
    const QString one = QString::fromUcs4(&code, 1);
    std::string ignored;
    if (!ToCodePage(one, &ignored).ok())
      return QStringLiteral("«%1» (U+%2)")
          .arg(one, QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, '0'));
  }
  return {};
}

}  // namespace

std::optional<std::string> FromQString(const QString& text, QString* error) {
  std::string out;
  if (!ToCodePage(text, &out).ok()) {
    if (error != nullptr)
      *error = ToQString(Term(TTerm::CharacterNotHeld)).replace("{1}", FirstUnheld(text));
    return std::nullopt;
  }
  return out;
}

QString PathToQString(std::string_view native) {
  return QString::fromUtf8(native.data(), static_cast<qsizetype>(native.size()));
}

std::string PathFromQString(const QString& path) { return path.toUtf8().toStdString(); }

QValidator::State TCodePageValidator::validate(QString& input, int&) const {
  return FromQString(input) ? Acceptable : Invalid;
}

}  // namespace gryvel::gui

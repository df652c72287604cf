#include "gui/text.h"

#include "common/cp1251_utf8.h"

namespace gryvel::gui {

QString ToQString(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> FromQString(const QString& text, QString* error) {
  const QByteArray utf8 = text.toUtf8();
  std::string out;
  const TStatus status =
      Utf8ToCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), &out);
  if (!status.ok()) {
    if (error != nullptr) *error = QString::fromUtf8(status.message().c_str());
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

#include "shell/shell_texts.h"

#include <array>
#include <cassert>
#include <string_view>

#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

// Written in UTF-8 so that they read as they show; converted to the code page once.
constexpr std::string_view kTexts[] = {
    "Ошибка при чтении параметров (код 001)",
    "Ошибка при чтении параметров (код 002)",
    "Ошибка при чтении параметров (код 003)",
    "Ошибка при чтении параметров (код 004)",
    "Ошибка при чтении параметров (код 005)",
    "Ошибка при чтении параметров поиска (шаблон)",
    "Ошибка при чтении параметров поиска (анаграммы)",
    "Ошибка при чтении параметров поиска (эквивалентные буквы)",
    "Ошибка при загрузке словарей",
    "<Словарь>",
    "Вид поиска: КРОССВОРД",
    "Маска: ",
    "Вид поиска: АНАГРАММЫ",
    "Набор букв: ",
    "Вид поиска: ПАЛИНДРОМЫ",
    "------- Результаты -------",
    "Запрос",
    "Сохранить изменения в словаре \"%s\"?",
    "Удалить словарь \"%s\" из списка?",
    "Сделать словарь \"%s\" активным?",
    "Сохраняю словарь в ",
    "Информация",
    "Выберите, пожалуйста, словарь.\r\n\r\nЕсли список пуст, то создайте новый словарь:\r\n"
    "Меню Файл|Новый словарь...",
    "Вид поиска: ПО СМЫСЛУ",
    "Ошибка при чтении параметров поиска (по смыслу)",
};

// The web addresses, the e-mail address and the notices are this project's own; the line
// structure (the two spaces before the notes in brackets, the prefix of the address line)
// is fixed.
constexpr std::string_view kBanner[kResultsBannerLines] = {
    "Результаты поиска.",
    "Программа: Gryvel 2.6",
    "https://gryvel.example/en/  (английская версия)",
    "https://gryvel.example/ru/  (русская версия)",
    "",
    "Результаты поиска можно использовать для любых целей,",
    "КРОМЕ ПОЛУЧЕНИЯ ПРИБЫЛИ.",
    "По всем вопросам обращайтесь: author@gryvel.example",
    "",
    "Если вы публикуете эти результаты, пожалуйста, укажите",
    "ссылку на сайт автора: https://gryvel.example/",
    "Спасибо!",
    "",
};

template <std::size_t N>
std::array<std::string, N> Convert(const std::string_view (&utf8)[N]) {
  std::array<std::string, N> texts;
  for (std::size_t i = 0; i < N; ++i) {
    [[maybe_unused]] const TStatus status = Utf8ToCp1251(utf8[i], &texts[i]);
    assert(status.ok());  // the tables hold code page characters only
  }
  return texts;
}

}  // namespace

const std::string& ShellText(TShellText text) {
  static const auto texts = Convert(kTexts);
  return texts[static_cast<std::size_t>(text)];
}

std::string ShellTextWith(TShellText text, std::string_view value) {
  std::string result = ShellText(text);
  if (const std::size_t at = result.find("%s"); at != std::string::npos)
    result.replace(at, 2, value);
  return result;
}

const std::string& ResultsBanner(int line) {
  static const auto lines = Convert(kBanner);
  return lines[static_cast<std::size_t>(line)];
}

}  // namespace gryvel

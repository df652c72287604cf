#include "gui/search_dialog/crossword_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <utility>

#include "gui/search_dialog/page_widgets.h"
#include "gui/text.h"
#include "shell/search_request.h"

namespace gryvel::gui {

TCrosswordPage::TCrosswordPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheetCrossword");
  MaskWord = NewEdit(this, "MaskWord");
  PatternLabel = NewLabel(this, "PatternLabel", MaskWord);
  ClueEdit = NewEdit(this, "ClueEdit");
  ClueLabel = NewLabel(this, "ClueLabel", ClueEdit);
  QWidget::setTabOrder(MaskWord, ClueEdit);
  auto* legend = new QGroupBox(this);
  auto* legend_layout = new QVBoxLayout(legend);
  WildcardsLabel = NewLabel(legend, "WildcardsLabel");
  AnyCharLabel = NewLabel(legend, "AnyCharLabel");
  AnyStringLabel = NewLabel(legend, "AnyStringLabel");
  AnyCLabel = NewLabel(legend, "AnyCLabel");
  AnyVLabel = NewLabel(legend, "AnyVLabel");
  ExampleLabel = NewLabel(legend, "ExampleLabel");
  for (QLabel* label :
       {WildcardsLabel, AnyCharLabel, AnyStringLabel, AnyCLabel, AnyVLabel, ExampleLabel})
    legend_layout->addWidget(label);
  CrosswordTipLabel = NewLabel(this, "CrosswordTipLabel");
  CrosswordTipLabel->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PatternLabel);
  layout->addWidget(MaskWord);
  layout->addWidget(ClueLabel);
  layout->addWidget(ClueEdit);
  layout->addWidget(legend);
  layout->addWidget(CrosswordTipLabel);
  layout->addStretch();
}

void TCrosswordPage::ApplyLanguage() {
  const std::pair<QLabel*, const char*> labels[] = {
      {PatternLabel, "PatternLabel"},   {ClueLabel, "ClueLabel"},
      {WildcardsLabel, "WildcardsLabel"}, {AnyCharLabel, "AnyCharLabel"},
      {AnyStringLabel, "AnyStringLabel"}, {AnyCLabel, "AnyConsonantLabel"},
      {AnyVLabel, "AnyVowelLabel"},     {ExampleLabel, "ExampleLabel"},
      {CrosswordTipLabel, "CrosswordTipLabel"},
  };
  for (const auto& [label, key] : labels) label->setText(SearchText(key));
}

void TCrosswordPage::ShowRequest(const QString& typed) {
  const std::optional<std::string> text = FromQString(typed);
  const std::optional<TMeaningText> meaning = text ? SplitMeaningText(*text) : std::nullopt;
  MaskWord->setText(meaning ? ToQString(meaning->Pattern) : typed);
  ClueEdit->setText(meaning ? ToQString(meaning->Clue) : QString());
}

QString TCrosswordPage::RequestText() const {
  const std::optional<std::string> pattern = EditText(MaskWord);
  const std::optional<std::string> clue = EditText(ClueEdit);
  if (!pattern || !clue) return MaskWord->text();
  return ToQString(DialogSearchText(*pattern, *clue));
}

}  // namespace gryvel::gui

#include "gui/search_dialog/anagram_page.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "gui/search_dialog/page_widgets.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

QRadioButton* NewRadio(QWidget* parent, const char* name) {
  auto* radio = new QRadioButton(parent);
  radio->setObjectName(name);
  return radio;
}

}  // namespace

TAnagramPage::TAnagramPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheetAnagrams");
  AnagramWord = NewEdit(this, "AnagramWord");
  AnagramWordLabel = NewLabel(this, "AnagramWordLabel", AnagramWord);
  SearchKindLabel = NewLabel(this, "SearchKindLabel");
  rbUsual = NewRadio(this, "rbUsual");
  rbExpanded = NewRadio(this, "rbExpanded");
  rbMakeUpWords = NewRadio(this, "rbMakeUpWords");
  FModes = new QButtonGroup(this);
  FModes->addButton(rbUsual, aoUsual);
  FModes->addButton(rbExpanded, aoExtended);
  FModes->addButton(rbMakeUpWords, aoMakeWords);
  rbUsual->setChecked(true);
  AnagramDescription = NewLabel(this, "AnagramDescription");
  AnagramDescription->setWordWrap(true);
  AnagramsTipLabel = NewLabel(this, "AnagramsTipLabel");
  AnagramsTipLabel->setWordWrap(true);
  auto* modes = new QHBoxLayout;
  for (QRadioButton* radio : {rbUsual, rbExpanded, rbMakeUpWords}) modes->addWidget(radio);
  modes->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AnagramWordLabel);
  layout->addWidget(AnagramWord);
  layout->addWidget(SearchKindLabel);
  layout->addLayout(modes);
  layout->addWidget(AnagramDescription);
  layout->addWidget(AnagramsTipLabel);
  layout->addStretch();
  connect(FModes, &QButtonGroup::idToggled, this, &TAnagramPage::UpdateDescription);
}

void TAnagramPage::ApplyLanguage() {
  const std::pair<QLabel*, const char*> labels[] = {
      {AnagramWordLabel, "AnagramWordLabel"},
      {SearchKindLabel, "SearchKindLabel"},
      {AnagramsTipLabel, "AnagramsTipLabel"},
  };
  for (const auto& [label, key] : labels) label->setText(SearchText(key));
  const std::pair<QRadioButton*, const char*> radios[] = {
      {rbUsual, "UsualRadio"}, {rbExpanded, "IncludeAllRadio"}, {rbMakeUpWords, "MakeUpWordsRadio"}};
  for (const auto& [radio, key] : radios) radio->setText(SearchText(key));
  UpdateDescription();
}

void TAnagramPage::ShowRequest(const QString& letters, TAnagramOptions mode) {
  AnagramWord->setText(letters);
  FModes->button(mode)->setChecked(true);
}

QString TAnagramPage::Letters() const { return AnagramWord->text(); }

TAnagramOptions TAnagramPage::Mode() const {
  return static_cast<TAnagramOptions>(FModes->checkedId());
}

void TAnagramPage::UpdateDescription() {
  const TTerm terms[] = {TTerm::AnagramsUsual, TTerm::AnagramsIncludeAll,
                         TTerm::AnagramsMakeUpWords};
  const int mode = std::clamp(FModes->checkedId(), 0, 2);
  AnagramDescription->setText(ToQString(Term(terms[mode])));
}

}  // namespace gryvel::gui

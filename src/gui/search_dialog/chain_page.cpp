#include "gui/search_dialog/chain_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "gui/search_dialog/page_widgets.h"
#include "gui/text.h"
#include "gui/widgets/count_spin_box.h"
#include "results/language.h"
#include "solvers/search_worker.h"
#include "solvers/word_chain.h"

namespace gryvel::gui {

TChainPage::TChainPage(TResultSource& source, QWidget* parent)
    : TResultPage(parent),
      FChain(std::make_unique<TWordChain>(source)),
      FWorker(std::make_unique<TSearchWorker>(*FChain)) {
  setObjectName("TabSheetChainOfWords");
  FirstWord = NewEdit(this, "FirstWord");
  LastWord = NewEdit(this, "LastWord");
  FirstWordLabel = NewLabel(this, "FirstWordLabel", FirstWord);
  LastWordLabel = NewLabel(this, "LastWordLabel", LastWord);
  ChangeCountEdit = new TCountSpinBox(1, this);
  ChangeCountEdit->setObjectName("Edit1");
  ChangeLabel = NewLabel(this, "ChangeLabel", ChangeCountEdit);
  LettersLabel = NewLabel(this, "LettersLabel");
  auto* layout = new QGridLayout(this);
  layout->addWidget(FirstWordLabel, 0, 0);
  layout->addWidget(FirstWord, 0, 1, 1, 3);
  layout->addWidget(LastWordLabel, 1, 0);
  layout->addWidget(LastWord, 1, 1, 1, 3);
  layout->addWidget(ChangeLabel, 2, 0);
  layout->addWidget(ChangeCountEdit, 2, 1);
  layout->addWidget(LettersLabel, 2, 2);
  layout->setColumnStretch(3, 1);
  for (QLineEdit* edit : {FirstWord, LastWord}) {
    connect(edit, &QLineEdit::textChanged, this, &TChainPage::UpdateChangeMaximum);
    connect(edit, &QLineEdit::textChanged, this, &TResultPage::ReadyChanged);
  }
  connect(ChangeCountEdit, &QSpinBox::valueChanged, this, &TChainPage::UpdateLettersLabel);
  UpdateChangeMaximum();
  UpdateLettersLabel();
}

TChainPage::~TChainPage() = default;

void TChainPage::ApplyLanguage() {
  const std::pair<QLabel*, const char*> labels[] = {
      {FirstWordLabel, "FirstWordLabel"},
      {LastWordLabel, "LastWordLabel"},
      {ChangeLabel, "ChangeLabel"},
  };
  for (const auto& [label, key] : labels) label->setText(SearchText(key));
  UpdateLettersLabel();
}

TResultSearch& TChainPage::Search() const { return *FChain; }

std::function<void()> TChainPage::Request() const {
  const std::optional<std::string> start = EditText(FirstWord);
  const std::optional<std::string> final = EditText(LastWord);
  const int n = ChangeCountEdit->value();
  if (!start || !final || start->empty() || final->empty() || start->size() != final->size() ||
      n < 1)
    return {};
  return [chain = FChain.get(), start = *start, final = *final, n] { chain->Find(start, final, n); };
}

bool TChainPage::Ready() const {
  const qsizetype first = FirstWord->text().size();
  return first > 0 && first == LastWord->text().size();
}

// No step changes more letters than a word has.
void TChainPage::UpdateChangeMaximum() {
  const int first = static_cast<int>(FirstWord->text().size());
  const int last = static_cast<int>(LastWord->text().size());
  ChangeCountEdit->setMaximum(std::max({1, first, last}));
}

void TChainPage::UpdateLettersLabel() {
  LettersLabel->setText(ToQString(LetterCountWord(ChangeCountEdit->value())));
}

}  // namespace gryvel::gui

#include "gui/search_dialog/analysis_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "gui/search_dialog/page_widgets.h"
#include "solvers/search_worker.h"
#include "solvers/word_analysis.h"

namespace gryvel::gui {

TAnalysisPage::TAnalysisPage(TResultSource& source, QWidget* parent)
    : TResultPage(parent),
      FAnalysis(std::make_unique<TWordAnalysis>(source)),
      FWorker(std::make_unique<TSearchWorker>(*FAnalysis)) {
  setObjectName("TabSheetWordAnalysis");
  edAnalyze = NewEdit(this, "edAnalyze");
  AnalyzeWordLabel = NewLabel(this, "AnalyzeWordLabel", edAnalyze);
  ItemsLabel = NewLabel(this, "ItemsLabel");
  rbAll = new QRadioButton(this);
  rbAll->setObjectName("rbAll");
  rbRange = new QRadioButton(this);
  rbRange->setObjectName("rbRange");
  FromItemEdit = NewSpin(this, "Edit2", 2);
  ToItemEdit = NewSpin(this, "Edit3", 2);
  FromLabel = NewLabel(this, "FromLabel", FromItemEdit);
  ToLabel = NewLabel(this, "ToLabel", ToItemEdit);
  auto* items = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{ItemsLabel, rbAll, rbRange, FromLabel,
                                                         FromItemEdit, ToLabel, ToItemEdit})
    items->addWidget(widget);
  items->addStretch();
  auto* layout = new QGridLayout(this);
  layout->addWidget(AnalyzeWordLabel, 0, 0);
  layout->addWidget(edAnalyze, 0, 1);
  layout->addLayout(items, 1, 0, 1, 2);
  rbAll->setChecked(true);
  connect(FromItemEdit, &QSpinBox::valueChanged, this, [this](int from) {
    if (ToItemEdit->value() < from) ToItemEdit->setValue(from);
  });
  connect(ToItemEdit, &QSpinBox::valueChanged, this, [this](int to) {
    if (FromItemEdit->value() > to) FromItemEdit->setValue(to);
  });
  connect(rbAll, &QRadioButton::toggled, this, &TAnalysisPage::UpdateRangeEnabled);
  UpdateRangeEnabled();
}

TAnalysisPage::~TAnalysisPage() = default;

void TAnalysisPage::ApplyLanguage() {
  const std::pair<QLabel*, const char*> labels[] = {
      {AnalyzeWordLabel, "AnalyzeWordLabel"},
      {ItemsLabel, "ItemsLabel"},
      {FromLabel, "FromLabel"},
      {ToLabel, "ToLabel"},
  };
  for (const auto& [label, key] : labels) label->setText(SearchText(key));
  rbAll->setText(SearchText("AllRadio"));
  rbRange->setText(SearchText("RangeRadio"));
}

TResultSearch& TAnalysisPage::Search() const { return *FAnalysis; }

std::function<void()> TAnalysisPage::Request() const {
  const std::optional<std::string> word = EditText(edAnalyze);
  if (!word || word->empty()) return {};
  const bool range = rbRange->isChecked();
  const std::int32_t from = range ? FromItemEdit->value() : 0;
  const std::int32_t to = range ? ToItemEdit->value() : TWordAnalysis::kAnyItems;
  return [analysis = FAnalysis.get(), word = *word, from, to] { analysis->Find(word, from, to); };
}

void TAnalysisPage::UpdateRangeEnabled() {
  const bool range = rbRange->isChecked();
  for (QWidget* widget :
       std::initializer_list<QWidget*>{FromLabel, ToLabel, FromItemEdit, ToItemEdit})
    widget->setEnabled(range);
}

}  // namespace gryvel::gui

#include "gui/search_dialog/search_counters.h"

#include <QGridLayout>
#include <QLabel>
#include <string>
#include <utility>

#include "common/format.h"
#include "gui/search_dialog/page_widgets.h"
#include "gui/text.h"
#include "results/language.h"
#include "solvers/search_worker.h"

namespace gryvel::gui {

int TSearchCounters::Build(QWidget* panel, QGridLayout* layout) {
  VariantsCaption = NewLabel(panel, "VariantsCaption");
  FoundCaption = NewLabel(panel, "FoundCaption");
  TimeCaption = NewLabel(panel, "TimeCaption");
  VariantsCountLabel = NewLabel(panel, "Label4");
  FoundCountLabel = NewLabel(panel, "Label5");
  ElapsedLabel = NewLabel(panel, "Label6");
  int column = 0;
  for (auto [caption, value] : {std::pair{VariantsCaption, VariantsCountLabel},
                                std::pair{FoundCaption, FoundCountLabel},
                                std::pair{TimeCaption, ElapsedLabel}}) {
    value->setText(QStringLiteral("0"));
    // Room for 20 digits with their separators, so no count widens the dialog.
    const QString widest = QStringLiteral("0") + ToQString(FormatCount(1'000'000'000'000'000'000));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(widest));
    layout->addWidget(caption, 0, column);
    layout->addWidget(value, 1, column++);
  }
  LimitLabel = NewLabel(panel, "LimitLabel");
  LimitLabel->setWordWrap(true);
  LimitLabel->hide();
  layout->addWidget(LimitLabel, 2, 0, 1, column);
  return column;
}

void TSearchCounters::ApplyLanguage() {
  VariantsCaption->setText(SearchText("VariantsLabel"));
  FoundCaption->setText(SearchText("FoundLabel"));
  TimeCaption->setText(SearchText("TimeLabel"));
}

void TSearchCounters::ShowProgress(const TSearchProgress& progress) {
  VariantsCountLabel->setText(ToQString(FormatCount(static_cast<std::int64_t>(progress.Variants))));
  FoundCountLabel->setText(ToQString(FormatCount(progress.Found)));
  ElapsedLabel->setText(QString::number(progress.Seconds));
}

void TSearchCounters::ShowFinalSeconds(double seconds) {
  ElapsedLabel->setText(ToQString(FormatSeconds(seconds)));
}

void TSearchCounters::ShowLimitReached(std::int32_t limit) {
  std::string text = WindowText(TWindowTexts::Search, "LimitReachedLabel");
  text.replace(text.find("{count}"), 7, FormatCount(limit));
  LimitLabel->setText(ToQString(text));
  LimitLabel->show();
}

void TSearchCounters::ClearSteps() {
  VariantsCountLabel->setText(QStringLiteral("0"));
  ElapsedLabel->setText(QStringLiteral("0"));
}

void TSearchCounters::ClearFound() {
  FoundCountLabel->setText(QStringLiteral("0"));
  LimitLabel->hide();
}

}  // namespace gryvel::gui

#pragma once

#include <cstdint>

class QGridLayout;
class QLabel;
class QWidget;

namespace gryvel {
struct TSearchProgress;
}

namespace gryvel::gui {

// The search dialog's counters under their captions (steps taken, results found, seconds) and
// the note that a search stopped at the result limit. They sit in the first columns of the
// grid of the panel that holds them, beside that panel's buttons.
class TSearchCounters {
 public:
  // Places the counters into `layout` of `panel`; returns the first column left free.
  int Build(QWidget* panel, QGridLayout* layout);
  void ApplyLanguage();

  void ShowProgress(const TSearchProgress& progress);
  void ShowFinalSeconds(double seconds);
  void ShowLimitReached(std::int32_t limit);
  // A new search: no steps taken, no time spent.
  void ClearSteps();
  // An empty list: nothing found, no limit reached.
  void ClearFound();

 private:
  QLabel* VariantsCaption = nullptr;
  QLabel* FoundCaption = nullptr;
  QLabel* TimeCaption = nullptr;
  QLabel* VariantsCountLabel = nullptr;
  QLabel* FoundCountLabel = nullptr;
  QLabel* ElapsedLabel = nullptr;  // seconds
  QLabel* LimitLabel = nullptr;
};

}  // namespace gryvel::gui

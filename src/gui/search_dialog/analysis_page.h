#pragma once

#include <memory>

#include "gui/search_dialog/result_page.h"

class QLabel;
class QRadioButton;
class QSpinBox;

namespace gryvel {
class TResultSource;
class TWordAnalysis;
}  // namespace gryvel

namespace gryvel::gui {

// The search dialog's word analysis page: a word and how many items its results may have,
// any number or a range.
class TAnalysisPage : public TResultPage {
  Q_OBJECT

 public:
  explicit TAnalysisPage(TResultSource& source, QWidget* parent = nullptr);
  ~TAnalysisPage() override;

  void ApplyLanguage() override;
  TResultSearch& Search() const override;
  TSearchWorker& Worker() const override { return *FWorker; }
  std::function<void()> Request() const override;
  QLineEdit* FirstEdit() const override { return edAnalyze; }

 private:
  void UpdateRangeEnabled();

  QLineEdit* edAnalyze = nullptr;
  QLabel* AnalyzeWordLabel = nullptr;
  QLabel* ItemsLabel = nullptr;
  QRadioButton* rbAll = nullptr;
  QRadioButton* rbRange = nullptr;
  QLabel* FromLabel = nullptr;
  QLabel* ToLabel = nullptr;
  QSpinBox* FromItemEdit = nullptr;
  QSpinBox* ToItemEdit = nullptr;
  std::unique_ptr<TWordAnalysis> FAnalysis;
  std::unique_ptr<TSearchWorker> FWorker;
};

}  // namespace gryvel::gui

#pragma once

#include <memory>

#include "gui/search_dialog/result_page.h"

class QLabel;
class QSpinBox;

namespace gryvel {
class TResultSource;
class TWordChain;
}  // namespace gryvel

namespace gryvel::gui {

// The search dialog's word chain page: a first and a last word of one length and how many
// letters a step may change.
class TChainPage : public TResultPage {
  Q_OBJECT

 public:
  explicit TChainPage(TResultSource& source, QWidget* parent = nullptr);
  ~TChainPage() override;

  void ApplyLanguage() override;
  TResultSearch& Search() const override;
  TSearchWorker& Worker() const override { return *FWorker; }
  std::function<void()> Request() const override;
  bool Ready() const override;
  QLineEdit* FirstEdit() const override { return FirstWord; }

 private:
  void UpdateChangeMaximum();
  void UpdateLettersLabel();

  QLineEdit* FirstWord = nullptr;
  QLineEdit* LastWord = nullptr;
  QLabel* FirstWordLabel = nullptr;
  QLabel* LastWordLabel = nullptr;
  QLabel* ChangeLabel = nullptr;
  QSpinBox* ChangeCountEdit = nullptr;
  QLabel* LettersLabel = nullptr;
  std::unique_ptr<TWordChain> FChain;
  std::unique_ptr<TSearchWorker> FWorker;
};

}  // namespace gryvel::gui

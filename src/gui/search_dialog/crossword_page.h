#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace gryvel::gui {

// The search dialog's crossword page: a pattern, an optional clue and the wildcards' legend.
class TCrosswordPage : public QWidget {
  Q_OBJECT

 public:
  explicit TCrosswordPage(QWidget* parent = nullptr);

  void ApplyLanguage();
  // A request as the quick search holds it, into the pattern and clue fields: "pattern : clue"
  // fills both, anything else the pattern field alone.
  void ShowRequest(const QString& typed);
  // The text the fields ask the quick search for; the pattern alone when either holds a
  // character no dictionary can hold (the main window refuses it then).
  QString RequestText() const;
  QLineEdit* PatternEdit() const { return MaskWord; }
  QLineEdit* ClueField() const { return ClueEdit; }

 private:
  QLineEdit* MaskWord = nullptr;
  QLabel* PatternLabel = nullptr;
  QLineEdit* ClueEdit = nullptr;
  QLabel* ClueLabel = nullptr;
  QLabel* WildcardsLabel = nullptr;
  QLabel* AnyCharLabel = nullptr;
  QLabel* AnyStringLabel = nullptr;
  QLabel* AnyCLabel = nullptr;
  QLabel* AnyVLabel = nullptr;
  QLabel* ExampleLabel = nullptr;
  QLabel* CrosswordTipLabel = nullptr;
};

}  // namespace gryvel::gui

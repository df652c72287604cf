#pragma once

#include <QString>
#include <QWidget>

#include "search/string_searcher.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace gryvel::gui {

// The search dialog's anagram page: the letters and the mode the anagrams are searched in.
class TAnagramPage : public QWidget {
  Q_OBJECT

 public:
  explicit TAnagramPage(QWidget* parent = nullptr);

  void ApplyLanguage();
  void ShowRequest(const QString& letters, TAnagramOptions mode);
  QString Letters() const;
  TAnagramOptions Mode() const;
  QLineEdit* LettersEdit() const { return AnagramWord; }

 private:
  void UpdateDescription();

  QLineEdit* AnagramWord = nullptr;
  QLabel* AnagramWordLabel = nullptr;
  QLabel* SearchKindLabel = nullptr;
  QRadioButton* rbUsual = nullptr;
  QRadioButton* rbExpanded = nullptr;
  QRadioButton* rbMakeUpWords = nullptr;
  QButtonGroup* FModes = nullptr;
  QLabel* AnagramDescription = nullptr;
  QLabel* AnagramsTipLabel = nullptr;
};

}  // namespace gryvel::gui

#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "shell/session.h"
#include "shell/viewer_settings.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The options dialog: the search options and the equal-letters groups, the interface
// (language, toolbars, scroll bar) and the look of the word list, edited on a working copy
// and applied on Apply or OK. It edits the session itself and hands what belongs to the main
// window back through its callbacks.

namespace gryvel::gui {

class TEqualLettersBox;
class TWordListPage;

// What the dialog edits of the main window, as values.
struct TWindowOptions {
  TViewerSettings Viewer;  // the word list's look and its two Show switches
  bool ShowStandardScroll = false;
  std::int32_t ToolBarLabels = 1;  // 0 no text, 1 beside the icon, 2 under it
  bool LargeToolBarIcons = true;
};

class TOptionForm : public QDialog {
  Q_OBJECT

 public:
  // `session` (borrowed) must outlive the dialog and have a settings file.
  explicit TOptionForm(TSession& session, QWidget* parent = nullptr);

  // Applying runs, in this order: OnApplyWordList; the [Viewer] settings are written when the
  // list's look differs from the one in force; the search options are set and the [Search]
  // settings written when they differ; OnApplyLanguage when the language changed;
  // OnApplyToolbars; the equal-letters groups go to the session when they were changed.
  std::function<void(const TViewerSettings& viewer, bool standard_scroll)> OnApplyWordList;
  // `code` is "RUS" or "ENG".
  std::function<void(const std::string& code)> OnApplyLanguage;
  std::function<void(std::int32_t labels, bool large_icons)> OnApplyToolbars;

  // Loads every page from what is in force (the session, the language, `window`) and shows
  // the dialog window-modal; returns at once.
  void Open(const TWindowOptions& window);
  // Applies what was changed; nothing when Apply is disabled.
  void Apply();

  void ApplyLanguage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildSearchPage();
  QWidget* BuildInterfacePage();
  QGroupBox* BuildToolbarsGroup(QWidget* parent);
  void Load(const TWindowOptions& window);
  TSearchOptions SearchOptionsShown() const;
  TWindowOptions WindowOptionsShown() const;
  void Changed();
  void Ok();

  TSession& FSession;
  bool FLoading = false;  // controls are being set, not changed by the user
  TViewerSettings FViewerInForce;  // as the word-list page showed it when loaded or applied

  QTabWidget* PageControl;
  QWidget* SearchPage;
  QGroupBox* OptionsGroup;
  QCheckBox* FastSearchCheck;
  QCheckBox* CaseSensitiveCheck;
  QCheckBox* SaveLastCheck;
  QSpinBox* SaveLastCountEdit;
  QLabel* ResultLimitLabel;
  QSpinBox* ResultLimitEdit;
  QLabel* SaveLastLabel;
  TEqualLettersBox* EqualLetters;
  QWidget* InterfacePage;
  QGroupBox* LanguageGroup;
  QComboBox* LanguageBox;
  QGroupBox* ToolbarsGroup;
  QLabel* TextOptionsLabel;
  QComboBox* TextOptionsBox;
  QLabel* IconOptionsLabel;
  QComboBox* IconOptionsBox;
  QGroupBox* MiscellaneousGroup;
  QCheckBox* StandardScrollCheck;
  TWordListPage* WordListPage;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonApply;
};

}  // namespace gryvel::gui

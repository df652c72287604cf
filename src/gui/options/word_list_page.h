#pragma once

#include <QWidget>
#include <functional>

#include "dictionary/dictionary_collection.h"
#include "results/result_source.h"
#include "shell/viewer_settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// The options dialog's word-list page: a preview list of sample rows carrying the look being
// edited, the element box choosing what to edit (also by a click in the preview), the editor
// of that element, and the two Show switches of the main list.

namespace gryvel::gui {

class TKivViewer;

class TWordListPage : public QWidget {
  Q_OBJECT

 public:
  // What the element box edits, in its order.
  enum TElement { kBackground = 0, kWord = 1, kDescription = 2, kSelection = 3, kPartOfSpeech = 4 };

  explicit TWordListPage(QWidget* parent = nullptr);
  ~TWordListPage() override;

  // Any change of the look or of the two switches.
  std::function<void()> OnChanged;

  // Shows `settings` in the preview, which always shows descriptions and parts of speech; the
  // two switches take the settings' own.
  void Load(const TViewerSettings& settings);
  // The look as edited, with the two switches.
  TViewerSettings Settings() const;

  int Element() const;
  void SetElement(int element);
  TKivViewer& Preview() const { return *FPreview; }

  void ApplyLanguage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildFontPart();
  QWidget* BuildBackgroundPart();
  QWidget* BuildSelectionPart();
  void FillSamples();
  void ShowElement();
  void ShowFontLabel(const QFont& font);
  void Changed();
  // The element under the preview's point (x, y); -1 outside the preview.
  int ElementAt(int x, int y) const;

  QFont ElementFont() const;
  QColor ElementColor() const;
  void SetElementFont(const QFont& font, const QColor& color);
  void ChangeFont();
  void ChangeFontColor();
  void ChooseBackgroundColor();
  void SetTextureShown(bool shown);
  void TextureNameEdited(const QString& name);
  void LoadTexture();
  void UseDefaultTexture();
  // Shows the picture of `file` in the preview; the built-in texture when it does not load.
  void ShowTextureFile(const QString& file);
  void ChooseSelectionColor(bool border);
  void TransparencyChanged(int percent);

  TDictionaryCollection FSampleWords;
  TResultSource FSampleSource;
  TKivDictionary* FSampleDictionary = nullptr;
  bool FLoading = false;    // controls are being set, not changed by the user
  bool FSelecting = false;  // the preview's selection is being set
  bool FDefaultTexture = true;

  TKivViewer* FPreview;
  QLabel* ElementLabel;
  QComboBox* ElementBox;
  QStackedWidget* EditorStack;
  QGroupBox* FontGroup;
  QLabel* FontLabel;
  QLabel* FontSwatch;
  QPushButton* FontChangeButton;
  QPushButton* FontColorButton;
  QGroupBox* BackgroundGroup;
  QRadioButton* ColorRadio;
  QPushButton* BackColorButton;
  QLabel* BackSwatch;
  QRadioButton* TextureRadio;
  QLineEdit* TextureEdit;
  QToolButton* TextureButton;
  QAction* DefaultTextureAction;
  QAction* LoadTextureAction;
  QGroupBox* SelectionGroup;
  QPushButton* SelColorButton;
  QLabel* SelSwatch;
  QPushButton* SelBorderButton;
  QLabel* SelBorderSwatch;
  QLabel* TransparencyLabel;
  QSpinBox* TransparencyEdit;
  QCheckBox* ShowPartsCheck;
  QCheckBox* ShowEntriesCheck;
};

}  // namespace gryvel::gui

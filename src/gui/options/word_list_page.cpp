#include "gui/options/word_list_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/dialogs.h"
#include "gui/fonts.h"
#include "gui/text.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/viewer_style.h"
#include "results/entry_marks.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

QString OptionsText(const char* key) {
  return ToQString(WindowText(TWindowTexts::Options, key));
}

// The element box's items, in element order.
constexpr const char* kElementKeys[] = {"BackgroundElementItem", "WordElementItem",
                                        "DescriptionElementItem", "SelectionElementItem",
                                        "PartOfSpeechElementItem"};

// The editor parts of the stack.
constexpr int kFontPart = 0;
constexpr int kBackgroundPart = 1;
constexpr int kSelectionPart = 2;

// The preview's rows: word, description, parts of speech.
struct TSample {
  const char* WordKey;
  const char* DescriptionKey;
  std::uint16_t Parts;
  bool Selected;
};

constexpr TSample kSamples[] = {
    {"SampleWordItem", "SampleWordDescriptionItem", kPartNoun, false},
    {"SampleSelectedWordItem", "SampleSelectedDescriptionItem", kPartNoun, true},
};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* NewSwatch(QWidget* parent, const char* name) {
  auto* swatch = Named(new QLabel(parent), name);
  const int side = swatch->fontMetrics().height();
  swatch->setFixedSize(side * 2, side);
  return swatch;
}

void ShowSwatch(QLabel* swatch, const QColor& color) {
  swatch->setStyleSheet(
      QStringLiteral("background-color: %1; border: 1px solid palette(dark);").arg(color.name()));
  swatch->setToolTip(color.name());
}

}  // namespace

TWordListPage::TWordListPage(QWidget* parent)
    : QWidget(parent), FPreview(Named(new TKivViewer(this), "KivViewerOpt")) {
  setObjectName("WordListPage");
  FSampleDictionary = FSampleWords.Dictionary(FSampleWords.NewDictionary());
  FSampleSource.SetDictionary(&FSampleWords);
  ApplyMainWindowStyle(*FPreview);
  FPreview->SetDataSource(&FSampleSource);
  FPreview->setMinimumHeight(fontMetrics().height() * 7);
  FPreview->OnGetPartOfSpeechText = [this](TKivViewer&, std::int32_t index, std::string& text) {
    text = EntryPartOfSpeechText(FSampleWords, index);
  };
  // A click chooses an element; the sample selection stays where it is.
  FPreview->OnBeforeSelectionChanged = [this](TKivViewer&, std::int32_t, bool& allow) {
    allow = FSelecting;
  };
  FPreview->installEventFilter(this);

  ElementLabel = Named(new QLabel(this), "ElementLabel");
  ElementBox = Named(new QComboBox(this), "ElementBox");
  for (int i = 0; i < static_cast<int>(std::size(kElementKeys)); ++i) ElementBox->addItem({});
  ElementLabel->setBuddy(ElementBox);
  EditorStack = Named(new QStackedWidget(this), "EditorStack");
  EditorStack->addWidget(BuildFontPart());
  EditorStack->addWidget(BuildBackgroundPart());
  EditorStack->addWidget(BuildSelectionPart());
  ShowPartsCheck = Named(new QCheckBox(this), "ShowPartsCheck");
  ShowEntriesCheck = Named(new QCheckBox(this), "ShowEntriesCheck");

  auto* element_row = new QHBoxLayout;
  element_row->addWidget(ElementLabel);
  element_row->addWidget(ElementBox, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FPreview, 1);
  layout->addLayout(element_row);
  layout->addWidget(EditorStack);
  layout->addWidget(ShowPartsCheck);
  layout->addWidget(ShowEntriesCheck);

  connect(ElementBox, &QComboBox::currentIndexChanged, this, &TWordListPage::ShowElement);
  for (QCheckBox* check : {ShowPartsCheck, ShowEntriesCheck})
    connect(check, &QCheckBox::toggled, this, &TWordListPage::Changed);
  ApplyLanguage();
  // As designed: the selection's editor first, then the background's.
  SetElement(kSelection);
  SetElement(kBackground);
}

// The source goes with this object, before the preview, which must let go of it first.
TWordListPage::~TWordListPage() { FPreview->SetDataSource(nullptr); }

QWidget* TWordListPage::BuildFontPart() {
  FontGroup = Named(new QGroupBox(this), "FontGroup");
  FontLabel = Named(new QLabel(FontGroup), "FontLabel");
  FontSwatch = NewSwatch(FontGroup, "FontSwatch");
  FontChangeButton = Named(new QPushButton(FontGroup), "FontChangeButton");
  FontColorButton = Named(new QPushButton(FontGroup), "FontColorButton");
  auto* layout = new QGridLayout(FontGroup);
  layout->addWidget(FontLabel, 0, 0);
  layout->addWidget(FontChangeButton, 0, 1);
  layout->addWidget(FontSwatch, 1, 0, Qt::AlignLeft);
  layout->addWidget(FontColorButton, 1, 1);
  layout->setColumnStretch(0, 1);
  connect(FontChangeButton, &QPushButton::clicked, this, &TWordListPage::ChangeFont);
  connect(FontColorButton, &QPushButton::clicked, this, &TWordListPage::ChangeFontColor);
  return FontGroup;
}

QWidget* TWordListPage::BuildBackgroundPart() {
  BackgroundGroup = Named(new QGroupBox(this), "BackgroundGroup");
  ColorRadio = Named(new QRadioButton(BackgroundGroup), "ColorRadio");
  BackColorButton = Named(new QPushButton(BackgroundGroup), "BackColorButton");
  BackSwatch = NewSwatch(BackgroundGroup, "BackSwatch");
  TextureRadio = Named(new QRadioButton(BackgroundGroup), "TextureRadio");
  TextureEdit = Named(new QLineEdit(BackgroundGroup), "TextureEdit");
  TextureButton = Named(new QToolButton(BackgroundGroup), "TextureButton");
  auto* menu = new QMenu(TextureButton);
  DefaultTextureAction = menu->addAction(QString(), this, &TWordListPage::UseDefaultTexture);
  DefaultTextureAction->setObjectName("DefaultTextureAction");
  LoadTextureAction = menu->addAction(QString(), this, &TWordListPage::LoadTexture);
  LoadTextureAction->setObjectName("LoadTextureAction");
  TextureButton->setMenu(menu);
  TextureButton->setPopupMode(QToolButton::MenuButtonPopup);
  TextureButton->setDefaultAction(LoadTextureAction);

  auto* layout = new QGridLayout(BackgroundGroup);
  layout->addWidget(ColorRadio, 0, 0);
  auto* color_row = new QHBoxLayout;
  color_row->addWidget(BackColorButton);
  color_row->addWidget(BackSwatch);
  color_row->addStretch();
  layout->addLayout(color_row, 0, 1);
  layout->addWidget(TextureRadio, 1, 0);
  auto* texture_row = new QHBoxLayout;
  texture_row->addWidget(TextureEdit, 1);
  texture_row->addWidget(TextureButton);
  layout->addLayout(texture_row, 1, 1);
  layout->setColumnStretch(1, 1);

  connect(ColorRadio, &QRadioButton::clicked, this, [this] { SetTextureShown(false); });
  connect(TextureRadio, &QRadioButton::clicked, this, [this] { SetTextureShown(true); });
  connect(BackColorButton, &QPushButton::clicked, this, &TWordListPage::ChooseBackgroundColor);
  connect(TextureEdit, &QLineEdit::textEdited, this, &TWordListPage::TextureNameEdited);
  return BackgroundGroup;
}

QWidget* TWordListPage::BuildSelectionPart() {
  SelectionGroup = Named(new QGroupBox(this), "SelectionGroup");
  SelColorButton = Named(new QPushButton(SelectionGroup), "SelColorButton");
  SelSwatch = NewSwatch(SelectionGroup, "SelSwatch");
  SelBorderButton = Named(new QPushButton(SelectionGroup), "SelBorderButton");
  SelBorderSwatch = NewSwatch(SelectionGroup, "SelBorderSwatch");
  TransparencyLabel = Named(new QLabel(SelectionGroup), "TransparencyLabel");
  TransparencyEdit = Named(new QSpinBox(SelectionGroup), "TransparencyEdit");
  TransparencyEdit->setRange(0, 99);
  TransparencyEdit->setSuffix(QStringLiteral(" %"));
  TransparencyLabel->setBuddy(TransparencyEdit);

  auto* layout = new QGridLayout(SelectionGroup);
  layout->addWidget(SelColorButton, 0, 0);
  layout->addWidget(SelSwatch, 0, 1);
  layout->addWidget(TransparencyLabel, 0, 3);
  layout->addWidget(TransparencyEdit, 0, 4);
  layout->addWidget(SelBorderButton, 1, 0);
  layout->addWidget(SelBorderSwatch, 1, 1);
  layout->setColumnStretch(2, 1);

  connect(SelColorButton, &QPushButton::clicked, this, [this] { ChooseSelectionColor(false); });
  connect(SelBorderButton, &QPushButton::clicked, this, [this] { ChooseSelectionColor(true); });
  connect(TransparencyEdit, &QSpinBox::valueChanged, this, &TWordListPage::TransparencyChanged);
  return SelectionGroup;
}

void TWordListPage::ApplyLanguage() {
  FLoading = true;
  ElementLabel->setText(OptionsText("ElementLabel"));
  for (int i = 0; i < static_cast<int>(std::size(kElementKeys)); ++i)
    ElementBox->setItemText(i, OptionsText(kElementKeys[i]));
  FontGroup->setTitle(OptionsText("FontGroup"));
  FontChangeButton->setText(OptionsText("FontChangeButton"));
  FontColorButton->setText(OptionsText("ColorButton"));
  BackgroundGroup->setTitle(OptionsText("BackgroundGroup"));
  ColorRadio->setText(OptionsText("ColorRadio"));
  BackColorButton->setText(OptionsText("ChooseColorButton"));
  TextureRadio->setText(OptionsText("TextureRadio"));
  DefaultTextureAction->setText(OptionsText("DefaultTextureItem"));
  LoadTextureAction->setText(OptionsText("LoadTextureItem"));
  if (FDefaultTexture) TextureEdit->setText(ToQString(Term(TTerm::Default)));
  SelectionGroup->setTitle(OptionsText("SelectionGroup"));
  SelColorButton->setText(OptionsText("ColorButton"));
  SelBorderButton->setText(OptionsText("BorderButton"));
  TransparencyLabel->setText(OptionsText("TransparencyLabel"));
  ShowPartsCheck->setText(OptionsText("ShowPartsOfSpeechCheck"));
  ShowEntriesCheck->setText(OptionsText("ShowEntriesCheck"));
  FLoading = false;
  FillSamples();
}

// The sample rows in the current language, the selected one selected.
void TWordListPage::FillSamples() {
  FSampleWords.Disconnect(*FSampleDictionary);
  FSampleDictionary->ClearAll();
  std::string selected;
  for (const TSample& sample : kSamples) {
    const std::string& word = WindowText(TWindowTexts::Options, sample.WordKey);
    const std::int32_t index = FSampleDictionary->AddWord(word);
    if (index < 0) continue;
    FSampleDictionary->Entries().Get(index)->Parts = sample.Parts;
    FSampleDictionary->SetDescription(index,
                                      WindowText(TWindowTexts::Options, sample.DescriptionKey));
    if (sample.Selected) selected = word;
  }
  FSampleWords.Connect(*FSampleDictionary);
  FSelecting = true;
  FPreview->SetSelItem(FSampleWords.Find(selected));
  FSelecting = false;
}

void TWordListPage::Load(const TViewerSettings& settings) {
  FLoading = true;
  ApplyViewerSettings(*FPreview, settings);
  FPreview->SetShowDescription(true);
  FPreview->SetShowPartsOfSpeech(true);
  FDefaultTexture = FPreview->TextureFileName().isEmpty();
  TextureEdit->setText(FDefaultTexture ? ToQString(Term(TTerm::Default))
                                       : FPreview->TextureFileName());
  ShowPartsCheck->setChecked(settings.ShowPartsOfSpeech);
  ShowEntriesCheck->setChecked(settings.ShowDescription);
  ShowElement();
  FLoading = false;
}

TViewerSettings TWordListPage::Settings() const {
  TViewerSettings settings = ViewerSettingsOf(*FPreview);
  settings.ShowPartsOfSpeech = ShowPartsCheck->isChecked();
  settings.ShowDescription = ShowEntriesCheck->isChecked();
  settings.TextureFileName = FDefaultTexture ? std::string() : PathFromQString(TextureEdit->text());
  return settings;
}

int TWordListPage::Element() const { return ElementBox->currentIndex(); }

void TWordListPage::SetElement(int element) { ElementBox->setCurrentIndex(element); }

// The editor of the chosen element, showing the preview's values.
void TWordListPage::ShowElement() {
  const bool loading = FLoading;
  FLoading = true;
  switch (Element()) {
    case kBackground: {
      const bool texture = FPreview->ShowTexture();
      (texture ? TextureRadio : ColorRadio)->setChecked(true);
      BackColorButton->setEnabled(!texture);
      BackSwatch->setEnabled(!texture);
      TextureEdit->setEnabled(texture);
      TextureButton->setEnabled(texture);
      ShowSwatch(BackSwatch, FPreview->Color());
      EditorStack->setCurrentIndex(kBackgroundPart);
      break;
    }
    case kSelection:
      ShowSwatch(SelSwatch, FPreview->SelColor());
      ShowSwatch(SelBorderSwatch, FPreview->SelBorderColor());
      TransparencyEdit->setValue(TransparencyPercent(FPreview->Transparency()));
      EditorStack->setCurrentIndex(kSelectionPart);
      break;
    default:
      ShowFontLabel(ElementFont());
      ShowSwatch(FontSwatch, ElementColor());
      EditorStack->setCurrentIndex(kFontPart);
      break;
  }
  FLoading = loading;
}

void TWordListPage::ShowFontLabel(const QFont& font) {
  FontLabel->setText(ToQString(FontDescription(FontSettingsOf(font, QColor()))));
}

void TWordListPage::Changed() {
  if (!FLoading && OnChanged) OnChanged();
}

bool TWordListPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FPreview && event->type() == QEvent::MouseButtonPress) {
    const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
    const int element = ElementAt(point.x(), point.y());
    if (element >= 0) SetElement(element);
  }
  return QWidget::eventFilter(watched, event);
}

int TWordListPage::ElementAt(int x, int y) const {
  for (const TKivViewer::TItemSlot& slot : FPreview->Layout())
    if (slot.Selected && slot.Rect.contains(x, y)) return kSelection;
  switch (FPreview->HitTest(x, y)) {
    case TKivViewer::kHitOutside: return -1;
    case TKivViewer::kHitWord: return kWord;
    case TKivViewer::kHitPartOfSpeech: return kPartOfSpeech;
    case TKivViewer::kHitDescription: return kDescription;
    default: return kBackground;
  }
}

// --- Fonts

QFont TWordListPage::ElementFont() const {
  switch (Element()) {
    case kDescription: return FPreview->DescriptionFont();
    case kPartOfSpeech: return FPreview->PartOfSpeechFont();
    default: return FPreview->WordFont();
  }
}

QColor TWordListPage::ElementColor() const {
  switch (Element()) {
    case kDescription: return FPreview->DescriptionFontColor();
    case kPartOfSpeech: return FPreview->PartOfSpeechFontColor();
    default: return FPreview->WordFontColor();
  }
}

void TWordListPage::SetElementFont(const QFont& font, const QColor& color) {
  switch (Element()) {
    case kDescription: FPreview->SetDescriptionFont(font, color); break;
    case kPartOfSpeech: FPreview->SetPartOfSpeechFont(font, color); break;
    default: FPreview->SetWordFont(font, color); break;
  }
  ShowElement();
  Changed();
}

void TWordListPage::ChangeFont() {
  const std::optional<QFont> font = Dialogs().ChooseFont(
      this, FontAsDrawn(ElementFont()), [this](const QFont& trying) { ShowFontLabel(trying); });
  if (font) {
    // The list takes the font as the settings keep it, so what it shows is what comes back.
    SetElementFont(FontFromSettings(FontSettingsOf(*font, QColor())), ElementColor());
  } else {
    ShowElement();
  }
}

void TWordListPage::ChangeFontColor() {
  if (const std::optional<QColor> color = Dialogs().ChooseColor(this, ElementColor()))
    SetElementFont(ElementFont(), *color);
}

// --- Background

void TWordListPage::ChooseBackgroundColor() {
  const std::optional<QColor> color = Dialogs().ChooseColor(this, FPreview->Color());
  if (!color) return;
  FPreview->SetColor(*color);
  ShowElement();
  Changed();
}

void TWordListPage::SetTextureShown(bool shown) {
  FPreview->SetShowTexture(shown);
  ShowElement();
  Changed();
}

void TWordListPage::TextureNameEdited(const QString& name) {
  FDefaultTexture = false;
  FPreview->SetTextureFileName(name);
  if (QFileInfo(name).isFile()) ShowTextureFile(name);
  Changed();
}

void TWordListPage::LoadTexture() {
  const QString current = TextureEdit->text();
  const QString start = !FDefaultTexture && QFileInfo(current).isFile() ? current : QString();
  const QString file = Dialogs().OpenFileName(this, LoadTextureAction->text(), start,
                                              QtFileFilter(WindowText(TWindowTexts::Options,
                                                                      "TextureFilter")));
  if (file.isEmpty()) return;
  FDefaultTexture = false;
  TextureEdit->setText(file);
  FPreview->SetTextureFileName(file);
  ShowTextureFile(file);
  Changed();
}

void TWordListPage::UseDefaultTexture() {
  FDefaultTexture = true;
  TextureEdit->setText(ToQString(Term(TTerm::Default)));
  FPreview->SetTextureFileName(QString());
  FPreview->SetBackGround(DefaultTexture());
  Changed();
}

void TWordListPage::ShowTextureFile(const QString& file) {
  QImage image;
  if (!image.load(file)) image = DefaultTexture();
  FPreview->SetBackGround(image);
}

// --- Selection

void TWordListPage::ChooseSelectionColor(bool border) {
  const QColor current = border ? FPreview->SelBorderColor() : FPreview->SelColor();
  const std::optional<QColor> color = Dialogs().ChooseColor(this, current);
  if (!color) return;
  if (border) {
    FPreview->SetSelBorderColor(*color);
  } else {
    FPreview->SetSelColor(*color);
  }
  ShowElement();
  Changed();
}

void TWordListPage::TransparencyChanged(int percent) {
  if (FLoading) return;
  const std::optional<std::int32_t> transparency = TransparencyFromPercent(percent);
  if (!transparency) return;
  FPreview->SetTransparency(*transparency);
  Changed();
}

}  // namespace gryvel::gui

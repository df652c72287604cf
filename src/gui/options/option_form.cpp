#include "gui/options/option_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/message_sink.h"
#include "gui/help_window.h"
#include "gui/options/equal_letters_box.h"
#include "gui/options/word_list_page.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/main_settings.h"

namespace gryvel::gui {

namespace {

QString OptionsText(const char* key) {
  return ToQString(WindowText(TWindowTexts::Options, key));
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// The language box's codes, in its order.
constexpr const char* kLanguageCodes[] = {"RUS", "ENG"};
constexpr const char* kLanguageKeys[] = {"RussianItem", "EnglishItem"};
constexpr const char* kLabelKeys[] = {"NoTextLabelsItem", "SelectiveTextItem",
                                      "ShowTextLabelsItem"};
constexpr const char* kIconKeys[] = {"SmallIconsItem", "LargeIconsItem"};

int LanguageIndex() { return UILanguage() == TUILanguage::Russian ? 0 : 1; }

// A written group that failed is reported; the file keeps its old contents.
void Report(const TSettingsFile& settings, const TStatus& status) {
  if (!status.ok()) ShowError(WriteFailureText(TTerm::SettingsNotWritten, settings.Path(), status));
}

}  // namespace

TOptionForm::TOptionForm(TSession& session, QWidget* parent)
    : QDialog(parent), FSession(session) {
  setObjectName("OptionForm");
  PageControl = Named(new QTabWidget(this), "PageControl");
  PageControl->addTab(BuildSearchPage(), QString());
  PageControl->addTab(BuildInterfacePage(), QString());
  WordListPage = new TWordListPage(PageControl);
  PageControl->addTab(WordListPage, QString());

  ButtonOk = Named(new QPushButton(this), "ButtonOk");
  ButtonCancel = Named(new QPushButton(this), "ButtonCancel");
  ButtonApply = Named(new QPushButton(this), "ButtonApply");
  ButtonOk->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ButtonOk, QDialogButtonBox::AcceptRole);
  buttons->addButton(ButtonCancel, QDialogButtonBox::RejectRole);
  buttons->addButton(ButtonApply, QDialogButtonBox::ApplyRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl, 1);
  layout->addWidget(buttons);

  connect(ButtonOk, &QPushButton::clicked, this, &TOptionForm::Ok);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonApply, &QPushButton::clicked, this, &TOptionForm::Apply);
  EqualLetters->OnChanged = [this] { Changed(); };
  WordListPage->OnChanged = [this] { Changed(); };
  ApplyLanguage();
  // The help opens on the part about the page shown.
  AddHelpKey(*this, [this] {
    constexpr const char* kTopics[] = {"options#search", "options#interface", "options#wordlist"};
    return QString::fromLatin1(kTopics[std::clamp(PageControl->currentIndex(), 0, 2)]);
  });
}

QWidget* TOptionForm::BuildSearchPage() {
  SearchPage = Named(new QWidget(this), "SearchPage");
  OptionsGroup = Named(new QGroupBox(SearchPage), "OptionsGroup");
  FastSearchCheck = Named(new QCheckBox(OptionsGroup), "FastSearchCheck");
  CaseSensitiveCheck = Named(new QCheckBox(OptionsGroup), "CaseSensitiveCheck");
  SaveLastCheck = Named(new QCheckBox(OptionsGroup), "SaveLastCheck");
  SaveLastCountEdit = Named(new QSpinBox(OptionsGroup), "SaveLastCountEdit");
  SaveLastCountEdit->setRange(0, kMaxSaveLastCount);
  SaveLastLabel = Named(new QLabel(OptionsGroup), "SaveLastLabel");
  SaveLastLabel->installEventFilter(this);
  auto* save_last = new QHBoxLayout;
  save_last->addWidget(SaveLastCheck);
  save_last->addWidget(SaveLastCountEdit);
  save_last->addWidget(SaveLastLabel);
  save_last->addStretch();
  ResultLimitEdit = Named(new QSpinBox(OptionsGroup), "ResultLimitEdit");
  ResultLimitEdit->setRange(1, TResultList::kMaxLimit);
  ResultLimitEdit->setSingleStep(1'000'000);
  ResultLimitEdit->setGroupSeparatorShown(true);
  ResultLimitLabel = Named(new QLabel(OptionsGroup), "ResultLimitLabel");
  ResultLimitLabel->setBuddy(ResultLimitEdit);
  auto* result_limit = new QHBoxLayout;
  result_limit->addWidget(ResultLimitLabel);
  result_limit->addWidget(ResultLimitEdit);
  result_limit->addStretch();
  auto* options = new QVBoxLayout(OptionsGroup);
  options->addWidget(FastSearchCheck);
  options->addWidget(CaseSensitiveCheck);
  options->addLayout(save_last);
  options->addLayout(result_limit);
  EqualLetters = new TEqualLettersBox(SearchPage);
  auto* page = new QVBoxLayout(SearchPage);
  page->addWidget(OptionsGroup);
  page->addWidget(EqualLetters, 1);

  for (QCheckBox* check : {FastSearchCheck, CaseSensitiveCheck, SaveLastCheck})
    connect(check, &QCheckBox::toggled, this, &TOptionForm::Changed);
  connect(SaveLastCheck, &QCheckBox::toggled, SaveLastCountEdit, &QWidget::setEnabled);
  for (QSpinBox* spin : {SaveLastCountEdit, ResultLimitEdit})
    connect(spin, &QSpinBox::valueChanged, this, &TOptionForm::Changed);
  return SearchPage;
}

QWidget* TOptionForm::BuildInterfacePage() {
  InterfacePage = Named(new QWidget(this), "InterfacePage");
  LanguageGroup = Named(new QGroupBox(InterfacePage), "LanguageGroup");
  LanguageBox = Named(new QComboBox(LanguageGroup), "LanguageBox");
  for ([[maybe_unused]] const char* key : kLanguageKeys) LanguageBox->addItem(QString());
  auto* language = new QVBoxLayout(LanguageGroup);
  language->addWidget(LanguageBox);
  MiscellaneousGroup = Named(new QGroupBox(InterfacePage), "MiscellaneousGroup");
  StandardScrollCheck = Named(new QCheckBox(MiscellaneousGroup), "StandardScrollCheck");
  auto* miscellaneous = new QVBoxLayout(MiscellaneousGroup);
  miscellaneous->addWidget(StandardScrollCheck);
  auto* page = new QVBoxLayout(InterfacePage);
  page->addWidget(LanguageGroup);
  page->addWidget(BuildToolbarsGroup(InterfacePage));
  page->addWidget(MiscellaneousGroup);
  page->addStretch();

  connect(LanguageBox, &QComboBox::currentIndexChanged, this, &TOptionForm::Changed);
  connect(StandardScrollCheck, &QCheckBox::toggled, this, &TOptionForm::Changed);
  return InterfacePage;
}

QGroupBox* TOptionForm::BuildToolbarsGroup(QWidget* parent) {
  ToolbarsGroup = Named(new QGroupBox(parent), "ToolbarsGroup");
  TextOptionsLabel = Named(new QLabel(ToolbarsGroup), "TextOptionsLabel");
  TextOptionsBox = Named(new QComboBox(ToolbarsGroup), "TextOptionsBox");
  for ([[maybe_unused]] const char* key : kLabelKeys) TextOptionsBox->addItem(QString());
  IconOptionsLabel = Named(new QLabel(ToolbarsGroup), "IconOptionsLabel");
  IconOptionsBox = Named(new QComboBox(ToolbarsGroup), "IconOptionsBox");
  for ([[maybe_unused]] const char* key : kIconKeys) IconOptionsBox->addItem(QString());
  TextOptionsLabel->setBuddy(TextOptionsBox);
  IconOptionsLabel->setBuddy(IconOptionsBox);
  auto* form = new QFormLayout(ToolbarsGroup);
  form->addRow(TextOptionsLabel, TextOptionsBox);
  form->addRow(IconOptionsLabel, IconOptionsBox);
  for (QComboBox* box : {TextOptionsBox, IconOptionsBox})
    connect(box, &QComboBox::currentIndexChanged, this, &TOptionForm::Changed);
  return ToolbarsGroup;
}

void TOptionForm::ApplyLanguage() {
  const bool loading = FLoading;
  FLoading = true;
  setWindowTitle(OptionsText("Caption"));
  PageControl->setTabText(0, OptionsText("SearchTab").trimmed());
  PageControl->setTabText(1, OptionsText("InterfaceTab"));
  PageControl->setTabText(2, OptionsText("WordListTab"));
  OptionsGroup->setTitle(OptionsText("OptionsGroup"));
  FastSearchCheck->setText(OptionsText("InstantSearchCheck"));
  CaseSensitiveCheck->setText(OptionsText("CaseSensitiveCheck"));
  // "remember {count} last entries": the check box before the number, the label after it.
  const QString remember = ToQString(Term(TTerm::RememberLastEntries));
  const qsizetype at = remember.indexOf(QStringLiteral("{count}"));
  SaveLastCheck->setText(remember.left(at).trimmed());
  SaveLastLabel->setText(remember.mid(at + 7).trimmed());
  ResultLimitLabel->setText(OptionsText("ResultLimitLabel"));
  EqualLetters->ApplyLanguage();
  LanguageGroup->setTitle(OptionsText("LanguageGroup"));
  for (int i = 0; i < LanguageBox->count(); ++i)
    LanguageBox->setItemText(i, OptionsText(kLanguageKeys[i]));
  ToolbarsGroup->setTitle(OptionsText("ToolbarsGroup"));
  TextOptionsLabel->setText(OptionsText("TextOptionsLabel"));
  for (int i = 0; i < TextOptionsBox->count(); ++i)
    TextOptionsBox->setItemText(i, OptionsText(kLabelKeys[i]));
  IconOptionsLabel->setText(OptionsText("IconOptionsLabel"));
  for (int i = 0; i < IconOptionsBox->count(); ++i)
    IconOptionsBox->setItemText(i, OptionsText(kIconKeys[i]));
  MiscellaneousGroup->setTitle(OptionsText("MiscellaneousGroup"));
  StandardScrollCheck->setText(OptionsText("StandardScrollBarCheck"));
  WordListPage->ApplyLanguage();
  ButtonOk->setText(ToQString(Term(TTerm::Ok)));
  ButtonCancel->setText(ToQString(Term(TTerm::Cancel)));
  ButtonApply->setText(ToQString(Term(TTerm::Apply)));
  FLoading = loading;
}

void TOptionForm::Open(const TWindowOptions& window) {
  Load(window);
  open();
}

void TOptionForm::Load(const TWindowOptions& window) {
  FLoading = true;
  const TSearchOptions& search = FSession.SearchOptions();
  FastSearchCheck->setChecked(search.DoFastSearch);
  CaseSensitiveCheck->setChecked(search.CaseSensitive);
  SaveLastCheck->setChecked(search.DoSaveLast);
  SaveLastCountEdit->setValue(search.SaveLastCount);
  SaveLastCountEdit->setEnabled(search.DoSaveLast);
  ResultLimitEdit->setValue(search.ResultLimit);
  EqualLetters->Load(FSession.Manager);
  LanguageBox->setCurrentIndex(LanguageIndex());
  TextOptionsBox->setCurrentIndex(window.ToolBarLabels);
  IconOptionsBox->setCurrentIndex(window.LargeToolBarIcons ? 1 : 0);
  StandardScrollCheck->setChecked(window.ShowStandardScroll);
  WordListPage->Load(window.Viewer);
  FViewerInForce = WordListPage->Settings();
  ButtonApply->setEnabled(false);
  FLoading = false;
}

TSearchOptions TOptionForm::SearchOptionsShown() const {
  TSearchOptions options;
  options.DoFastSearch = FastSearchCheck->isChecked();
  options.CaseSensitive = CaseSensitiveCheck->isChecked();
  options.DoSaveLast = SaveLastCheck->isChecked();
  options.SaveLastCount = SaveLastCountEdit->value();
  options.ResultLimit = ResultLimitEdit->value();
  return options;
}

TWindowOptions TOptionForm::WindowOptionsShown() const {
  TWindowOptions window;
  window.Viewer = WordListPage->Settings();
  window.ShowStandardScroll = StandardScrollCheck->isChecked();
  window.ToolBarLabels = TextOptionsBox->currentIndex();
  window.LargeToolBarIcons = IconOptionsBox->currentIndex() == 1;
  return window;
}

void TOptionForm::Apply() {
  if (!ButtonApply->isEnabled()) return;
  TSettingsFile& settings = *FSession.Settings();
  const TWindowOptions window = WindowOptionsShown();
  if (OnApplyWordList) OnApplyWordList(window.Viewer, window.ShowStandardScroll);
  // A change undone before applying writes nothing.
  if (window.Viewer != FViewerInForce) {
    Report(settings, WriteViewerSettings(settings, window.Viewer));
    FViewerInForce = window.Viewer;
  }
  const TSearchOptions search = SearchOptionsShown();
  if (search != FSession.SearchOptions()) {
    // The session trims both history branches at once to a lowered count.
    FSession.SetSearchOptions(search);
    Report(settings, WriteSearchOptions(settings, FSession.SearchOptions()));
  }
  const int language = LanguageBox->currentIndex();
  if (language != LanguageIndex() && OnApplyLanguage) OnApplyLanguage(kLanguageCodes[language]);
  if (OnApplyToolbars) OnApplyToolbars(window.ToolBarLabels, window.LargeToolBarIcons);
  if (EqualLetters->Changed()) {
    FSession.Manager.AssignEqualLetters(EqualLetters->Manager());
    FSession.History.RebuildEqualNodes(FSession.Manager);
    EqualLetters->ClearChanged();
  }
  ButtonApply->setEnabled(false);
}

void TOptionForm::Ok() {
  Apply();
  accept();
}

void TOptionForm::Changed() {
  if (!FLoading) ButtonApply->setEnabled(true);
}

// A click on the word after the number switches the history as its check box does.
bool TOptionForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SaveLastLabel && event->type() == QEvent::MouseButtonRelease)
    SaveLastCheck->toggle();
  return QDialog::eventFilter(watched, event);
}

}  // namespace gryvel::gui

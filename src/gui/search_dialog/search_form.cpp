#include "gui/search_dialog/search_form.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/format.h"
#include "gui/dialogs.h"
#include "gui/help_window.h"
#include "gui/icons.h"
#include "gui/search_dialog/result_list_model.h"
#include "gui/search_dialog/result_row_delegate.h"
#include "gui/text.h"
#include "gui/widgets/count_spin_box.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/result_lines_file.h"
#include "shell/search_request.h"
#include "shell/session.h"
#include "solvers/search_worker.h"
#include "solvers/word_analysis.h"
#include "solvers/word_chain.h"

namespace gryvel::gui {

namespace {

// Rows the list lays out in one pass, so that millions of rows never hold the dialog up.
constexpr int kLayoutBatch = 50'000;

QString SearchText(std::string_view key) {
  return ToQString(WindowText(TWindowTexts::Search, key));
}

QLineEdit* NewEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QLabel* NewLabel(QWidget* parent, const char* name, QWidget* buddy = nullptr) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

// Enter on a focused button presses it: a push button of a dialog is an auto-default one.
QPushButton* NewButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  return button;
}

QSpinBox* NewSpin(QWidget* parent, const char* name, int minimum) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(minimum, 99);
  spin->setValue(minimum);
  return spin;
}

// The code page text of an edit; nullopt for a character no dictionary can hold.
std::optional<std::string> EditText(const QLineEdit* edit) { return FromQString(edit->text()); }

// A request as the quick search holds it, into the pattern and clue fields: "pattern : clue"
// fills both, anything else the pattern field alone.
void ShowCrosswordRequest(const QString& typed, QLineEdit* pattern, QLineEdit* clue) {
  const std::optional<std::string> text = FromQString(typed);
  const std::optional<TMeaningText> meaning = text ? SplitMeaningText(*text) : std::nullopt;
  pattern->setText(meaning ? ToQString(meaning->Pattern) : typed);
  clue->setText(meaning ? ToQString(meaning->Clue) : QString());
}

// The text the pattern and clue fields ask the quick search for; the pattern alone when either
// holds a character no dictionary can hold (the main window refuses it then).
QString CrosswordRequestText(const QLineEdit* pattern, const QLineEdit* clue) {
  const std::optional<std::string> pattern_text = EditText(pattern);
  const std::optional<std::string> clue_text = EditText(clue);
  if (!pattern_text || !clue_text) return pattern->text();
  return ToQString(DialogSearchText(*pattern_text, *clue_text));
}

}  // namespace

TSearchForm::TSearchForm(TSession& session, QWidget* parent)
    : QDialog(parent),
      FSession(session),
      FChain(std::make_unique<TWordChain>(session.Source)),
      FAnalysis(std::make_unique<TWordAnalysis>(session.Source)),
      FChainWorker(std::make_unique<TSearchWorker>(*FChain)),
      FAnalysisWorker(std::make_unique<TSearchWorker>(*FAnalysis)) {
  setObjectName("SearchForm");
  setWindowModality(Qt::WindowModal);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  PageControl->addTab(BuildChainPage(), Icon(TIcon::WordChain), {});
  PageControl->addTab(BuildCrosswordPage(), Icon(TIcon::Crossword), {});
  PageControl->addTab(BuildAnagramPage(), Icon(TIcon::Anagram), {});
  PageControl->addTab(BuildAnalysisPage(), Icon(TIcon::WordAnalysis), {});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addWidget(BuildResultPanel(), 1);
  layout->addWidget(BuildRequestButtons());
  layout->addWidget(BuildSearchPanel());
  FTicker = new QTimer(this);
  FTicker->setSingleShot(true);
  // A finished search is taken at once, not at the next poll.
  for (TSearchWorker* worker : {FChainWorker.get(), FAnalysisWorker.get()})
    worker->OnDone = [this] { QMetaObject::invokeMethod(this, &TSearchForm::Poll, Qt::QueuedConnection); };
  rbAll->setChecked(true);
  Connect();
  AddHelpKey(*this, [this] { return HelpTopic(); });
  ApplyLanguage();
  UpdateRangeEnabled();
  UpdateLettersLabel();
}

TSearchForm::~TSearchForm() {
  StopSearch();
  FModel->SetList(nullptr);
}

QWidget* TSearchForm::BuildCrosswordPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetCrossword");
  MaskWord = NewEdit(page, "MaskWord");
  PatternLabel = NewLabel(page, "PatternLabel", MaskWord);
  ClueEdit = NewEdit(page, "ClueEdit");
  ClueLabel = NewLabel(page, "ClueLabel", ClueEdit);
  QWidget::setTabOrder(MaskWord, ClueEdit);
  auto* legend = new QGroupBox(page);
  auto* legend_layout = new QVBoxLayout(legend);
  WildcardsLabel = NewLabel(legend, "WildcardsLabel");
  AnyCharLabel = NewLabel(legend, "AnyCharLabel");
  AnyStringLabel = NewLabel(legend, "AnyStringLabel");
  AnyCLabel = NewLabel(legend, "AnyCLabel");
  AnyVLabel = NewLabel(legend, "AnyVLabel");
  ExampleLabel = NewLabel(legend, "ExampleLabel");
  for (QLabel* label :
       {WildcardsLabel, AnyCharLabel, AnyStringLabel, AnyCLabel, AnyVLabel, ExampleLabel})
    legend_layout->addWidget(label);
  CrosswordTipLabel = NewLabel(page, "CrosswordTipLabel");
  CrosswordTipLabel->setWordWrap(true);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PatternLabel);
  layout->addWidget(MaskWord);
  layout->addWidget(ClueLabel);
  layout->addWidget(ClueEdit);
  layout->addWidget(legend);
  layout->addWidget(CrosswordTipLabel);
  layout->addStretch();
  return page;
}

QWidget* TSearchForm::BuildAnagramPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetAnagrams");
  AnagramWord = NewEdit(page, "AnagramWord");
  AnagramWordLabel = NewLabel(page, "AnagramWordLabel", AnagramWord);
  SearchKindLabel = NewLabel(page, "SearchKindLabel");
  rbUsual = new QRadioButton(page);
  rbUsual->setObjectName("rbUsual");
  rbExpanded = new QRadioButton(page);
  rbExpanded->setObjectName("rbExpanded");
  rbMakeUpWords = new QRadioButton(page);
  rbMakeUpWords->setObjectName("rbMakeUpWords");
  FAnagramModes = new QButtonGroup(page);
  FAnagramModes->addButton(rbUsual, aoUsual);
  FAnagramModes->addButton(rbExpanded, aoExtended);
  FAnagramModes->addButton(rbMakeUpWords, aoMakeWords);
  rbUsual->setChecked(true);
  AnagramDescription = NewLabel(page, "AnagramDescription");
  AnagramDescription->setWordWrap(true);
  AnagramsTipLabel = NewLabel(page, "AnagramsTipLabel");
  AnagramsTipLabel->setWordWrap(true);
  auto* modes = new QHBoxLayout;
  for (QRadioButton* radio : {rbUsual, rbExpanded, rbMakeUpWords}) modes->addWidget(radio);
  modes->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(AnagramWordLabel);
  layout->addWidget(AnagramWord);
  layout->addWidget(SearchKindLabel);
  layout->addLayout(modes);
  layout->addWidget(AnagramDescription);
  layout->addWidget(AnagramsTipLabel);
  layout->addStretch();
  return page;
}

QWidget* TSearchForm::BuildChainPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetChainOfWords");
  FirstWord = NewEdit(page, "FirstWord");
  LastWord = NewEdit(page, "LastWord");
  FirstWordLabel = NewLabel(page, "FirstWordLabel", FirstWord);
  LastWordLabel = NewLabel(page, "LastWordLabel", LastWord);
  ChangeCountEdit = new TCountSpinBox(1, page);
  ChangeCountEdit->setObjectName("Edit1");
  ChangeLabel = NewLabel(page, "ChangeLabel", ChangeCountEdit);
  LettersLabel = NewLabel(page, "LettersLabel");
  auto* layout = new QGridLayout(page);
  layout->addWidget(FirstWordLabel, 0, 0);
  layout->addWidget(FirstWord, 0, 1, 1, 3);
  layout->addWidget(LastWordLabel, 1, 0);
  layout->addWidget(LastWord, 1, 1, 1, 3);
  layout->addWidget(ChangeLabel, 2, 0);
  layout->addWidget(ChangeCountEdit, 2, 1);
  layout->addWidget(LettersLabel, 2, 2);
  layout->setColumnStretch(3, 1);
  return page;
}

QWidget* TSearchForm::BuildAnalysisPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheetWordAnalysis");
  edAnalyze = NewEdit(page, "edAnalyze");
  AnalyzeWordLabel = NewLabel(page, "AnalyzeWordLabel", edAnalyze);
  ItemsLabel = NewLabel(page, "ItemsLabel");
  rbAll = new QRadioButton(page);
  rbAll->setObjectName("rbAll");
  rbRange = new QRadioButton(page);
  rbRange->setObjectName("rbRange");
  FromItemEdit = NewSpin(page, "Edit2", 2);
  ToItemEdit = NewSpin(page, "Edit3", 2);
  FromLabel = NewLabel(page, "FromLabel", FromItemEdit);
  ToLabel = NewLabel(page, "ToLabel", ToItemEdit);
  auto* items = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{ItemsLabel, rbAll, rbRange, FromLabel,
                                                         FromItemEdit, ToLabel, ToItemEdit})
    items->addWidget(widget);
  items->addStretch();
  auto* layout = new QGridLayout(page);
  layout->addWidget(AnalyzeWordLabel, 0, 0);
  layout->addWidget(edAnalyze, 0, 1);
  layout->addLayout(items, 1, 0, 1, 2);
  return page;
}

QWidget* TSearchForm::BuildRequestButtons() {
  RequestPanel = new QWidget(this);
  RequestPanel->setObjectName("RequestPanel");
  btnFind = NewButton(RequestPanel, "btnFind");
  btnCancel = NewButton(RequestPanel, "btnCancel");
  btnHelp = NewButton(RequestPanel, "btnHelp");
  auto* layout = new QHBoxLayout(RequestPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  for (QPushButton* button : {btnFind, btnCancel, btnHelp}) layout->addWidget(button);
  return RequestPanel;
}

QWidget* TSearchForm::BuildSearchPanel() {
  SearchPanel = new QWidget(this);
  SearchPanel->setObjectName("SearchPanel");
  auto* layout = new QGridLayout(SearchPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  VariantsCaption = NewLabel(SearchPanel, "VariantsCaption");
  FoundCaption = NewLabel(SearchPanel, "FoundCaption");
  TimeCaption = NewLabel(SearchPanel, "TimeCaption");
  VariantsCountLabel = NewLabel(SearchPanel, "Label4");
  FoundCountLabel = NewLabel(SearchPanel, "Label5");
  ElapsedLabel = NewLabel(SearchPanel, "Label6");
  int column = 0;
  for (auto [caption, value] : {std::pair{VariantsCaption, VariantsCountLabel}, std::pair{FoundCaption, FoundCountLabel},
                                std::pair{TimeCaption, ElapsedLabel}}) {
    value->setText(QStringLiteral("0"));
    // Room for 20 digits with their separators, so no count widens the dialog.
    const QString widest = QStringLiteral("0") + ToQString(FormatCount(1'000'000'000'000'000'000));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(widest));
    layout->addWidget(caption, 0, column);
    layout->addWidget(value, 1, column++);
  }
  LimitLabel = NewLabel(SearchPanel, "LimitLabel");
  LimitLabel->setWordWrap(true);
  LimitLabel->hide();
  layout->addWidget(LimitLabel, 2, 0, 1, column);
  layout->setColumnStretch(column++, 1);
  btnFind2 = NewButton(SearchPanel, "btnFind2");
  btnStop = NewButton(SearchPanel, "btnStop");
  btnCancel2 = NewButton(SearchPanel, "btnCancel2");
  btnHelp2 = NewButton(SearchPanel, "btnHelp2");
  btnStop->setEnabled(false);
  for (QPushButton* button : {btnFind2, btnStop, btnCancel2, btnHelp2})
    layout->addWidget(button, 0, column++, 2, 1, Qt::AlignBottom);
  return SearchPanel;
}

QWidget* TSearchForm::BuildResultPanel() {
  ResultPanel = new QWidget(this);
  ResultPanel->setObjectName("Panel3");
  FModel = new TResultListModel(this);
  FList = new QListView(ResultPanel);
  FList->setObjectName("ResultList");
  FList->setModel(FModel);
  FList->setUniformItemSizes(true);
  FList->setLayoutMode(QListView::Batched);
  FList->setBatchSize(kLayoutBatch);
  FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FRowDelegate = new TResultRowDelegate(FList);
  FList->setItemDelegate(FRowDelegate);
  SetListLook(TViewerSettings{});
  FList->setMinimumHeight(FList->fontMetrics().height() * 6);
  FList->setContextMenuPolicy(Qt::ActionsContextMenu);
  FCopyAction = new QAction(FList);
  FCopyAction->setObjectName("CopyResultsAction");
  FCopyAction->setShortcut(QKeySequence::Copy);
  FSelectAllAction = new QAction(FList);
  FSelectAllAction->setObjectName("SelectAllResultsAction");
  FSelectAllAction->setShortcut(QKeySequence::SelectAll);
  FSaveAction = new QAction(FList);
  FSaveAction->setObjectName("SaveResultsAction");
  for (QAction* action : {FCopyAction, FSelectAllAction, FSaveAction}) {
    action->setShortcutContext(Qt::WidgetShortcut);
    FList->addAction(action);
  }
  auto* layout = new QHBoxLayout(ResultPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FList, 1);
  return ResultPanel;
}

void TSearchForm::Connect() {
  connect(btnFind, &QPushButton::clicked, this, &TSearchForm::FindRequest);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* button : {btnHelp, btnHelp2})
    connect(button, &QPushButton::clicked, this, &TSearchForm::ShowHelpTopic);
  connect(btnFind2, &QPushButton::clicked, this, &TSearchForm::FindSearch);
  connect(btnStop, &QPushButton::clicked, this, [this] {
    if (FWorker != nullptr) FWorker->Stop();
  });
  connect(btnCancel2, &QPushButton::clicked, this, &QDialog::reject);
  for (QLineEdit* edit : {FirstWord, LastWord})
    connect(edit, &QLineEdit::textChanged, this, &TSearchForm::UpdateFind2);
  connect(ChangeCountEdit, &QSpinBox::valueChanged, this, &TSearchForm::UpdateLettersLabel);
  connect(FromItemEdit, &QSpinBox::valueChanged, this, [this](int from) {
    if (ToItemEdit->value() < from) ToItemEdit->setValue(from);
  });
  connect(ToItemEdit, &QSpinBox::valueChanged, this, [this](int to) {
    if (FromItemEdit->value() > to) FromItemEdit->setValue(to);
  });
  connect(rbAll, &QRadioButton::toggled, this, &TSearchForm::UpdateRangeEnabled);
  connect(FAnagramModes, &QButtonGroup::idToggled, this, &TSearchForm::UpdateAnagramDescription);
  connect(FTicker, &QTimer::timeout, this, [this] {
    if (FWorker == nullptr) return;
    ShowProgress();
    ArmTicker();
  });
  connect(FCopyAction, &QAction::triggered, this, &TSearchForm::CopyResults);
  connect(FSelectAllAction, &QAction::triggered, FList, &QListView::selectAll);
  connect(FSaveAction, &QAction::triggered, this, &TSearchForm::SaveResults);
}

void TSearchForm::ApplyLanguage() {
  setWindowTitle(SearchText("Caption"));
  const char* tabs[] = {"WordChainTab", "CrosswordTab", "AnagramsTab", "WordAnalysisTab"};
  for (int i = 0; i < 4; ++i) PageControl->setTabText(i, SearchText(tabs[i]).trimmed());
  const std::pair<QLabel*, const char*> labels[] = {
      {PatternLabel, "PatternLabel"},         {ClueLabel, "ClueLabel"},
      {WildcardsLabel, "WildcardsLabel"},
      {AnyCharLabel, "AnyCharLabel"},         {AnyStringLabel, "AnyStringLabel"},
      {AnyCLabel, "AnyConsonantLabel"},       {AnyVLabel, "AnyVowelLabel"},
      {ExampleLabel, "ExampleLabel"},         {CrosswordTipLabel, "CrosswordTipLabel"},
      {AnagramWordLabel, "AnagramWordLabel"}, {SearchKindLabel, "SearchKindLabel"},
      {AnagramsTipLabel, "AnagramsTipLabel"}, {FirstWordLabel, "FirstWordLabel"},
      {LastWordLabel, "LastWordLabel"},       {ChangeLabel, "ChangeLabel"},
      {AnalyzeWordLabel, "AnalyzeWordLabel"}, {ItemsLabel, "ItemsLabel"},
      {FromLabel, "FromLabel"},               {ToLabel, "ToLabel"},
      {VariantsCaption, "VariantsLabel"},     {FoundCaption, "FoundLabel"},
      {TimeCaption, "TimeLabel"},
  };
  for (const auto& [label, key] : labels) label->setText(SearchText(key));
  const std::pair<QRadioButton*, const char*> radios[] = {
      {rbUsual, "UsualRadio"}, {rbExpanded, "IncludeAllRadio"}, {rbMakeUpWords, "MakeUpWordsRadio"},
      {rbAll, "AllRadio"},     {rbRange, "RangeRadio"},
  };
  for (const auto& [radio, key] : radios) radio->setText(SearchText(key));
  btnFind->setText(ToQString(Term(TTerm::Find)));
  btnFind2->setText(ToQString(Term(TTerm::Find)));
  btnCancel->setText(ToQString(Term(TTerm::Cancel)));
  btnCancel2->setText(ToQString(Term(TTerm::Cancel)));
  btnHelp->setText(ToQString(Term(TTerm::Help)));
  btnHelp2->setText(ToQString(Term(TTerm::Help)));
  btnStop->setText(ToQString(Term(TTerm::Stop)));
  FCopyAction->setText(SearchText("CopyResults"));
  FSelectAllAction->setText(SearchText("SelectAllResults"));
  FSaveAction->setText(SearchText("SaveResults"));
  UpdateAnagramDescription();
  UpdateLettersLabel();
}

void TSearchForm::SetListLook(const TViewerSettings& main) {
  TViewerSettings look = main;
  look.Font.Name = "Small Fonts";
  look.Font.Size = 7;
  look.DescrFont.Name = "Verdana";
  look.DescrFont.Size = 10;
  QPalette palette = FList->palette();
  palette.setBrush(QPalette::Base, FRowDelegate->SetLook(look));
  FList->setPalette(palette);
  FList->viewport()->update();
}

void TSearchForm::Open(TSearchPage page, const QString& pattern, bool use_pattern,
                       const QString& letters) {
  FPage = page;
  const bool request = page == TSearchPage::Crossword || page == TSearchPage::Anagram;
  for (int i = 0; i < PageControl->count(); ++i) {
    const bool shown = i == static_cast<int>(page);
    PageControl->setTabVisible(i, shown);
    // Hidden pages must not size the page control.
    const QSizePolicy::Policy policy = shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    PageControl->widget(i)->setSizePolicy(policy, policy);
  }
  // With a result list, the list takes the height the dialog gains and the page keeps what it
  // needs; without one, the page takes it, its controls at its top, whatever their heights.
  PageControl->setSizePolicy(QSizePolicy::Preferred,
                             request ? QSizePolicy::Preferred : QSizePolicy::Maximum);
  PageControl->updateGeometry();
  PageControl->setCurrentIndex(static_cast<int>(page));
  RequestPanel->setVisible(request);
  SearchPanel->setVisible(!request);
  ResultPanel->setVisible(!request);
  // Enter in an edit, a spin box or on a radio button runs the page's search; a disabled Find
  // takes it and does nothing.
  (request ? btnFind : btnFind2)->setDefault(true);
  QLineEdit* focus = nullptr;
  switch (page) {
    case TSearchPage::Crossword:
      if (use_pattern) ShowCrosswordRequest(pattern, MaskWord, ClueEdit);
      focus = MaskWord;
      break;
    case TSearchPage::Anagram:
      AnagramWord->setText(letters);
      FAnagramModes->button(FSession.Searcher.AnagramOptions())->setChecked(true);
      focus = AnagramWord;
      break;
    case TSearchPage::Chain:
      focus = FirstWord;
      UpdateFind2();
      break;
    case TSearchPage::Analysis:
      focus = edAnalyze;
      btnFind2->setEnabled(!Searching());
      break;
  }
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  if (!request) flags |= Qt::WindowMaximizeButtonHint;
  setWindowFlags(flags);
  layout()->activate();
  const QSize size = sizeHint().expandedTo(QSize(500, 315));
  if (request) {
    setFixedSize(size);
  } else {
    setMinimumSize(minimumSizeHint());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(size);
  }
  if (const QScreen* screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
    move(screen->availableGeometry().center() - rect().center());
  setWindowState(Qt::WindowNoState);
  show();
  raise();
  activateWindow();
  focus->setFocus();
  focus->selectAll();
}

void TSearchForm::FindRequest() {
  if (FPage == TSearchPage::Crossword) {
    const QString typed = CrosswordRequestText(MaskWord, ClueEdit);
    accept();
    if (!typed.isEmpty()) Q_EMIT CrosswordRequested(typed);
  } else if (FPage == TSearchPage::Anagram) {
    const QString letters = AnagramWord->text();
    accept();
    if (letters.isEmpty()) return;
    FSession.Searcher.SetAnagramOptions(static_cast<TAnagramOptions>(FAnagramModes->checkedId()));
    Q_EMIT AnagramRequested(letters);
  }
}

void TSearchForm::FocusClue() {
  ClueEdit->setFocus();
  ClueEdit->selectAll();
}

bool TSearchForm::Searching() const { return FWorker != nullptr; }

std::int32_t TSearchForm::ResultCount() const { return FModel->rowCount(); }

void TSearchForm::FindSearch() {
  if (Searching()) return;
  if (FPage == TSearchPage::Chain) {
    const std::optional<std::string> start = EditText(FirstWord);
    const std::optional<std::string> final = EditText(LastWord);
    const int n = ChangeCountEdit->value();
    if (!start || !final || start->empty() || final->empty() || start->size() != final->size() ||
        n < 1)
      return;
    StartSearch(*FChainWorker, *FChain,
                [this, start = *start, final = *final, n] { FChain->Find(start, final, n); });
  } else if (FPage == TSearchPage::Analysis) {
    const std::optional<std::string> word = EditText(edAnalyze);
    if (!word || word->empty()) return;
    const bool range = rbRange->isChecked();
    const std::int32_t from = range ? FromItemEdit->value() : 0;
    const std::int32_t to = range ? ToItemEdit->value() : TWordAnalysis::kAnyItems;
    StartSearch(*FAnalysisWorker, *FAnalysis,
                [this, word = *word, from, to] { FAnalysis->Find(word, from, to); });
  }
}

void TSearchForm::StartSearch(TSearchWorker& worker, TResultSearch& search,
                              std::function<void()> find) {
  ClearResults();
  VariantsCountLabel->setText(QStringLiteral("0"));
  ElapsedLabel->setText(QStringLiteral("0"));
  btnStop->setEnabled(true);
  btnFind2->setEnabled(false);
  FWorker = &worker;
  FSearch = &search;
  search.Results().SetLimit(FSession.SearchOptions().ResultLimit);
  worker.Start(std::move(find));
  FModel->SetList(&search.Results());
  ArmTicker();
}

void TSearchForm::ArmTicker() {
  const double elapsed = FSearch->Elapsed();
  const int into_second = static_cast<int>((elapsed - std::floor(elapsed)) * 1000);
  FTicker->start(std::max(1, 1000 - into_second));
}

void TSearchForm::ShowProgress() {
  const TSearchProgress progress = FWorker->Progress();
  FFound = progress.Found;
  FModel->ShowCount(progress.Found);
  VariantsCountLabel->setText(ToQString(FormatCount(static_cast<std::int64_t>(progress.Variants))));
  FoundCountLabel->setText(ToQString(FormatCount(progress.Found)));
  ElapsedLabel->setText(QString::number(progress.Seconds));
}

void TSearchForm::Poll() {
  if (FWorker == nullptr) return;
  if (!FWorker->Busy()) Finish();
}

void TSearchForm::Finish() {
  FWorker->Wait();
  FTicker->stop();
  ShowProgress();
  ElapsedLabel->setText(ToQString(FormatSeconds(FWorker->Seconds())));
  FWorker = nullptr;
  const TResultList& results = FSearch->Results();
  if (results.LimitReached()) {
    std::string text = WindowText(TWindowTexts::Search, "LimitReachedLabel");
    text.replace(text.find("{count}"), 7, FormatCount(results.Limit()));
    LimitLabel->setText(ToQString(text));
    LimitLabel->show();
  }
  btnStop->setEnabled(false);
  if (FPage == TSearchPage::Chain) {
    UpdateFind2();
  } else {
    btnFind2->setEnabled(true);
  }
}

// Empties the list and gives the memory of the results back.
void TSearchForm::ClearResults() {
  FModel->SetList(nullptr);
  // The view keeps the layout of as many rows as it ever showed (bytes per row) until its
  // mode is built anew.
  FList->setViewMode(QListView::IconMode);
  FList->setViewMode(QListView::ListMode);
  FSearch = nullptr;
  if (FWorker == nullptr) {
    FChain->Results().Clear();
    FAnalysis->Results().Clear();
  }
  FFound = 0;
  FoundCountLabel->setText(QStringLiteral("0"));
  LimitLabel->hide();
}

void TSearchForm::CopyResults() {
  const TResultList* results = FModel->List();
  if (results == nullptr) return;
  QItemSelection selection = FList->selectionModel()->selection();
  std::sort(selection.begin(), selection.end(),
            [](const QItemSelectionRange& a, const QItemSelectionRange& b) { return a.top() < b.top(); });
  std::string lines;
  for (const QItemSelectionRange& range : selection)
    AppendResultLines(*results, range.top(), range.bottom(), lines);
  if (!lines.empty()) QGuiApplication::clipboard()->setText(ToQString(lines));
}

// One result a line in UTF-8; the dialog asks before replacing a file, and a name typed
// without an extension gets ".txt".
void TSearchForm::SaveResults() {
  const TResultList* results = FModel->List();
  if (results == nullptr || Searching()) return;
  const std::string filter = WindowText(TWindowTexts::MainWindow, "TextFileFilter");
  QString chosen = QtFileFilter(filter).section(QStringLiteral(";;"), 0, 0);
  const QString file = Dialogs().SaveFileName(this, QString(), PathToQString(FLastSaved),
                                              QtFileFilter(filter), &chosen);
  if (file.isEmpty()) return;
  const std::string path = WithDefaultExtension(PathFromQString(file), FilterExtension(filter, 0));
  if (SaveResultLines(PosixFileSystem(), path, *results).ok()) FLastSaved = path;
}

void TSearchForm::StopSearch() {
  if (FWorker == nullptr) return;
  FWorker->Stop();
  Finish();
}

void TSearchForm::done(int result) {
  StopSearch();
  if (FPage == TSearchPage::Chain || FPage == TSearchPage::Analysis) {
    ClearResults();
    VariantsCountLabel->setText(QStringLiteral("0"));
    ElapsedLabel->setText(QStringLiteral("0"));
  }
  QDialog::done(result);
}

void TSearchForm::closeEvent(QCloseEvent* event) {
  // The title bar's close button: as Cancel.
  event->ignore();
  reject();
}

void TSearchForm::UpdateFind2() {
  const int first = FirstWord->text().size();
  const int last = LastWord->text().size();
  ChangeCountEdit->setMaximum(std::max({1, first, last}));
  if (Searching()) return;
  btnFind2->setEnabled(first > 0 && first == last);
}

void TSearchForm::UpdateLettersLabel() { LettersLabel->setText(ToQString(LetterCountWord(ChangeCountEdit->value()))); }

void TSearchForm::UpdateRangeEnabled() {
  const bool range = rbRange->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{FromLabel, ToLabel, FromItemEdit, ToItemEdit})
    widget->setEnabled(range);
}

void TSearchForm::UpdateAnagramDescription() {
  const TTerm terms[] = {TTerm::AnagramsUsual, TTerm::AnagramsIncludeAll,
                         TTerm::AnagramsMakeUpWords};
  const int mode = std::clamp(FAnagramModes->checkedId(), 0, 2);
  AnagramDescription->setText(ToQString(Term(terms[mode])));
}

QString TSearchForm::HelpTopic() const {
  // In the order of TSearchPage.
  static const QString pages[] = {QStringLiteral("word_chain"), QStringLiteral("wildcards"),
                                  QStringLiteral("find_anagram"), QStringLiteral("word_analysis")};
  return pages[static_cast<int>(FPage)];
}

void TSearchForm::ShowHelpTopic() {
  const bool english = UILanguage() != TUILanguage::Russian;
  ShowHelp(this, english, HelpTopicPage(HelpTopic(), english));
}

}  // namespace gryvel::gui

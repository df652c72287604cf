#include "gui/main_window/kiv_main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/format.h"
#include "gui/about_box.h"
#include "gui/dialogs.h"
#include "gui/fonts.h"
#include "gui/help_window.h"
#include "gui/icons.h"
#include "gui/main_window/dictionary_tree.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/search_tree.h"
#include "gui/options/option_form.h"
#include "gui/qt_translation.h"
#include "gui/search_dialog/search_form.h"
#include "gui/statistics/stat_form.h"
#include "gui/text.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/list_places.h"
#include "gui/widgets/skin_scroll.h"
#include "gui/widgets/viewer_style.h"
#include "results/entry_marks.h"
#include "results/language.h"
#include "shell/shell_texts.h"

namespace gryvel::gui {

namespace {

// Designed widths of status panels 1 to 4.
constexpr int kPanelWidths[] = {0, 40, 60, 60, 150};

}  // namespace

TKivMainForm::TKivMainForm(TSession& session, QWidget* parent)
    : QMainWindow(parent),
      FSession(session),
      FSettings(*session.Settings()),
      FCharacters(session.Manager),
      FSearcher(session.Searcher),
      FCollection(session.Collection),
      FSource(session.Source),
      FHistory(session.History) {
  setObjectName("KivMainForm");
  setWindowTitle(QStringLiteral("Gryvel"));
  setWindowIcon(Icon(TIcon::Application));
  setMinimumHeight(300);
  PrepareSmallIcons();

  FCommands = new TMainCommands(*this);
  BuildLeftPanel();
  BuildRightPanel();
  PanelSplitter = new QSplitter(Qt::Horizontal, this);
  PanelSplitter->setObjectName("Splitter1");
  PanelSplitter->setHandleWidth(3);
  PanelSplitter->setChildrenCollapsible(false);
  PanelSplitter->addWidget(LeftPanel);
  PanelSplitter->addWidget(RightPanel);
  PanelSplitter->setStretchFactor(0, 1);
  PanelSplitter->setStretchFactor(1, 0);
  setCentralWidget(PanelSplitter);
  RightPanel->hide();
  BuildStatusBar();

  ConnectEngine();
  ConnectCommands();
  ConnectDictionaryCommands();
  ReadSettings();
  FCommands->PrepareToolBarIcons();
  FInitializing = false;
  FastSearch->setFocus();
  UpdateCommandStates();
  UpdateCountPanels();
}

// The subscriptions end with their members; the widgets end with the window.
TKivMainForm::~TKivMainForm() = default;

// The small pictures the first paint shows (the quick search's, the panel buttons', the search
// tree's) are drawn on a worker while the window is built.
void TKivMainForm::PrepareSmallIcons() {
  const std::vector<TIcon> icons = {
      TIcon::Search,        TIcon::PanelShow,   TIcon::PanelHide,    TIcon::CrosswordRoot,
      TIcon::AnagramRoot,   TIcon::EqualRoot,   TIcon::InfoNode,     TIcon::NewSearch,
      TIcon::PatternEntry,  TIcon::AnagramEntry, TIcon::EqualActive, TIcon::EqualInactive,
  };
  const int pixels = style()->pixelMetric(QStyle::PM_SmallIconSize);
  PrepareIcons(icons, QSize(pixels, pixels) * devicePixelRatio());
}

void TKivMainForm::BuildLeftPanel() {
  LeftPanel = new QWidget(this);
  LeftPanel->setObjectName("LeftPanel");
  WordList = new TKivViewer(LeftPanel);
  WordList->setObjectName("KivViewer1");
  ApplyMainWindowStyle(*WordList);
  Scroll = new TSkinScroll(LeftPanel);
  Scroll->setObjectName("Scroll");
  ScrollStd = new QScrollBar(Qt::Vertical, LeftPanel);
  ScrollStd->setObjectName("ScrollStd");
  ScrollStd->hide();
  FastSearch = new TEnterEdit(LeftPanel);
  FastSearch->setObjectName("FastSearch");
  FastSearch->setFont(PixelFont(QStringLiteral("Courier New"), 13));
  SearchIcon = new QLabel(LeftPanel);
  SearchIcon->setObjectName("Image1");
  SearchIcon->setPixmap(Icon(TIcon::Search).pixmap(16, 16));
  tbAdvanced = new QToolButton(LeftPanel);
  tbAdvanced->setObjectName("tbAdvanced");
  tbAdvanced->setAutoRaise(true);
  tbAdvanced->setIcon(Icon(TIcon::PanelShow));
  tbAdvanced->setFocusPolicy(Qt::NoFocus);

  auto* list_row = new QHBoxLayout;
  list_row->setSpacing(0);
  list_row->addWidget(WordList, 1);
  list_row->addWidget(Scroll);
  list_row->addWidget(ScrollStd);
  auto* edit_row = new QHBoxLayout;
  edit_row->setSpacing(2);
  edit_row->addWidget(FastSearch, 1);
  edit_row->addWidget(SearchIcon);
  edit_row->addWidget(tbAdvanced);
  auto* column = new QVBoxLayout(LeftPanel);
  column->setContentsMargins(0, 0, 0, 1);
  column->setSpacing(3);
  column->addLayout(list_row, 1);
  column->addLayout(edit_row);
  // Typed text lines up with the words of the list.
  FastSearch->setTextMargins(std::max(0, WordList->TextIndent() - 2), 0, 0, 0);
  setTabOrder(FastSearch, WordList);
}

void TKivMainForm::BuildRightPanel() {
  RightPanel = new QWidget(this);
  RightPanel->setObjectName("RightPanel");
  PageControl = new QTabWidget(RightPanel);
  PageControl->setObjectName("PageControl");
  SearchTree = new TSearchTree(FHistory, FCharacters, PageControl);
  DictionaryTree = new TDictionaryTree(FCollection, PageControl);
  PageControl->addTab(SearchTree, QString());
  PageControl->addTab(DictionaryTree, QString());
  CloseRightPanel = new QToolButton(RightPanel);
  CloseRightPanel->setObjectName("ToolbarButton971");
  CloseRightPanel->setAutoRaise(true);
  CloseRightPanel->setIcon(Icon(TIcon::PanelHide));
  CloseRightPanel->setFocusPolicy(Qt::NoFocus);
  PageControl->setCornerWidget(CloseRightPanel, Qt::TopRightCorner);
  auto* column = new QVBoxLayout(RightPanel);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(PageControl);
}

void TKivMainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  for (int i = 1; i < 5; ++i) {
    FPanels[i] = new QLabel(bar);
    FPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    FPanels[i]->setAlignment(i < 4 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    FPanels[i]->setFrameShape(QFrame::StyledPanel);
    FPanels[i]->setFrameShadow(QFrame::Sunken);
    FPanels[i]->setMinimumWidth(kPanelWidths[i]);
    bar->addWidget(FPanels[i], i == 4 ? 1 : 0);
  }
}

void TKivMainForm::SetInitTime(double seconds) {
  FInitTime = seconds;
  UpdateCountPanels();
}

// Panel 2: the words shown; panel 3: the search time while results are shown, else the
// start-up time.
void TKivMainForm::UpdateCountPanels() {
  FPanels[2]->setText(ToQString(FormatCount(FSource.Count())));
  const double seconds = FSource.FilterActive() ? FSource.SearchTime() : FInitTime;
  FPanels[3]->setText(ToQString(FormatSeconds(seconds)));
}

void TKivMainForm::ConnectEngine() {
  WordList->SetDataSource(&FSource);
  FListPlaces = std::make_unique<TListPlaces>(FSource, *WordList);
  FListPlaces->OnPlaced = [this](std::int32_t position, std::int32_t max) {
    ListScrolled(position, max);
  };
  FEngineHooks += FSource.OnChange.Subscribe([this](TResultSource&) {
    FollowSelectedWord();
    UpdateCountPanels();
  });
  for (TResultSource::TNotify* after :
       {&FSource.OnAfterFilterActivated, &FSource.OnAfterFilterDeactivated}) {
    FEngineHooks += after->Subscribe([this](TResultSource& source) {
      FCommands->ViewResults->setChecked(source.FilterActive());
      UpdateCommandStates();
    });
  }

  WordList->OnScroll = [this](TKivViewer&, std::int32_t position, std::int32_t max) {
    ListScrolled(position, max);
  };
  WordList->OnAfterSelectionChanged = [this](TKivViewer& viewer) {
    FCurrentIndex = viewer.SelItem();
    FCurrentWord = FCurrentIndex >= 0 && FCurrentIndex < FCollection.Count() ? FCollection.Item(FCurrentIndex)->Word
                                                                     : std::string();
    UpdateCommandStates();
  };
  WordList->OnChangeDictionary = [this](TKivViewer&) { UpdateCountPanels(); };
  WordList->OnGetPartOfSpeechText = [this](TKivViewer&, std::int32_t index, std::string& text) {
    text = EntryPartOfSpeechText(FCollection, index);
  };
  WordList->installEventFilter(this);
  FastSearch->installEventFilter(this);

  FEngineHooks += FCollection.OnProgress.Subscribe(
      [this](TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent,
             const std::string&) { Progress(sender, stage, percent); });
  FEngineHooks += FCollection.OnConnect.Subscribe([this](TDictionaryCollection& collection,
                                                 std::int32_t index) {
    DictionaryTree->SetConnected(*collection.Dictionary(index), true);
  });
  FEngineHooks += FCollection.OnDisconnect.Subscribe([this](TDictionaryCollection& collection,
                                                    std::int32_t index) {
    DictionaryTree->SetConnected(*collection.Dictionary(index), false);
  });
  FEngineHooks += FCollection.OnActiveDictionary.Subscribe([this](TDictionaryCollection&) {
    DictionaryTree->ActiveChanged();
    UpdateCommandStates();
  });

  for (QScrollBar* bar : {static_cast<QScrollBar*>(Scroll), ScrollStd})
    connect(bar, &QScrollBar::valueChanged, this, &TKivMainForm::ScrollBarMoved);
  FastSearch->OnEnterDown = [this](TEnterEdit&, Qt::KeyboardModifiers modifiers) {
    FastSearchEnterDown((modifiers & Qt::AltModifier) != 0);
  };
  // The list's navigation keys move the selection while the caret stays in the edit.
  FastSearch->OnForwardKey = [this](QKeyEvent* event) {
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(WordList, &copy);
    return true;
  };
  connect(FastSearch, &QLineEdit::textChanged, this, &TKivMainForm::FastSearchChanged);
  SearchTree->OnAction = [this](const THistoryAction& action) { RunHistoryAction(action); };
}

void TKivMainForm::ConnectCommands() {
  TMainCommands& c = *FCommands;
  connect(c.FileExit, &QAction::triggered, this, &QWidget::close);
  connect(c.EditCopy, &QAction::triggered, this, &TKivMainForm::CopySelectedWord);
  connect(c.SearchPalindromes, &QAction::triggered, this, &TKivMainForm::RunPalindromeSearch);
  connect(c.ViewResults, &QAction::triggered, this, &TKivMainForm::SetResultsShown);
  connect(c.ViewFilter, &QAction::triggered, this, &TKivMainForm::FilterToggled);
  for (QAction* sort : {c.SortAscending, c.SortDescending, c.SortAlphabetical, c.SortByLength})
    connect(sort, &QAction::triggered, this, &TKivMainForm::SortChanged);
  connect(c.ViewStatusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
  connect(c.ViewDescriptions, &QAction::toggled, this,
          [this](bool on) { WordList->SetShowDescription(on); });
  connect(c.OptionsStatistics, &QAction::triggered, this, &TKivMainForm::ToggleStatistics);
  connect(c.HelpContents, &QAction::triggered, this,
          [this] { ShowHelp(this, UILanguage() != TUILanguage::Russian); });
  connect(c.HelpHomePage, &QAction::triggered, this, [this] { ShowHomePage(this); });
  connect(c.HelpAbout, &QAction::triggered, this, [this] {
    TAboutBox about(this);
    about.exec();
  });
  connect(tbAdvanced, &QToolButton::clicked, this, [this] {
    if (isMaximized()) return;
    if (RightPanel->isVisible()) {
      HideRightPanel();
    } else {
      ShowRightPanel();
    }
  });
  connect(CloseRightPanel, &QToolButton::clicked, this, &TKivMainForm::HideRightPanel);
  ConnectOptionCommands();
  ConnectSearchDialog();
}

// Loading reports; nothing once closing has begun, so a loader that ends while the window
// closes touches no widget.
void TKivMainForm::Progress(TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent) {
  if (FClosing) return;
  const QString phrase = ToQString(LoadingTitle(FCollection.LoadingCount() > 1));
  if (stage == kStageAllDone) {
    statusBar()->clearMessage();
    // The first search by meaning should find its index ready.
    FSource.BuildMeaningIndexInBackground();
    return;
  }
  if (stage == kStageLoaded && sender != nullptr) {
    statusBar()->showMessage(QStringLiteral(" %1 \"%2\" ...")
                                 .arg(ToQString(Term(TTerm::ConnectingDictionary)),
                                      ToQString(sender->Name())));
  } else {
    statusBar()->showMessage(QStringLiteral(" %1 : %2%").arg(phrase).arg(percent));
  }
  if (stage == kStageMerged && sender != nullptr) DictionaryTree->DictionaryLoaded(*sender);
}

void TKivMainForm::ListScrolled(std::int32_t position, std::int32_t max) {
  const int page = std::max(1, WordList->VisibleCount() - 1);
  for (QScrollBar* bar : {static_cast<QScrollBar*>(Scroll), ScrollStd}) {
    const QSignalBlocker block(bar);
    bar->setRange(0, max);
    bar->setPageStep(page);
    if (!FListPlaces->Restoring()) bar->setValue(position);
  }
}

void TKivMainForm::ScrollBarMoved(int position) {
  WordList->SetTopIndex(position);
  const QSignalBlocker block(Scroll);
  Scroll->setValue(WordList->TopIndex());
}

// At start-up both panels take their remembered widths; later the list keeps its width and
// the window grows by the panel (a maximised window gives the panel part of the list).
void TKivMainForm::ShowRightPanel() {
  const int left = FInitializing ? FMain.LeftWidth : LeftPanel->width();
  RightPanel->show();
  if (!isMaximized() && !FInitializing)
    resize(width() + FMain.RightWidth + PanelSplitter->handleWidth(), height());
  PanelSplitter->setSizes({left, FMain.RightWidth});
  tbAdvanced->setIcon(Icon(TIcon::PanelHide));
}

void TKivMainForm::HideRightPanel() {
  if (!RightPanel->isVisible()) return;
  FMain.RightWidth = RightPanel->width();
  const int shrink = RightPanel->width() + PanelSplitter->handleWidth();
  RightPanel->hide();
  if (!isMaximized()) resize(std::max(minimumWidth(), width() - shrink), height());
  tbAdvanced->setIcon(Icon(TIcon::PanelShow));
}

// Maximised, the list gains a little air on the left; restored, it returns to its indents.
void TKivMainForm::SetZoomed(bool zoomed) {
  if (zoomed == FZoomed) return;
  const int step = zoomed ? 4 : -4;
  {
    const THoldViewer hold(*WordList);
    WordList->SetTextIndent(WordList->TextIndent() + step);
    WordList->SetDescriptionIndent(WordList->DescriptionIndent() + step);
  }
  FZoomed = zoomed;
  tbAdvanced->setVisible(!zoomed);
  SearchIcon->setVisible(!zoomed);
  CloseRightPanel->setVisible(!zoomed);
}

void TKivMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) SetZoomed(isMaximized());
}

// Ctrl+click on the list copies the selected word into the quick-search edit.
// Ctrl+Insert in the quick-search edit with nothing selected there copies the list's word.
bool TKivMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == WordList && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if ((mouse->modifiers() & Qt::ControlModifier) != 0) CopyWordToFastSearch();
  }
  if (watched == FastSearch && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ControlModifier &&
        !FastSearch->hasSelectedText()) {
      QCoreApplication::sendEvent(WordList, key);
      return true;
    }
  }
  // The list's Ctrl+Insert copies its entry in both clipboard forms.
  if (watched == WordList && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ControlModifier) {
      if (FCurrentIndex >= 0 && FCurrentIndex < FCollection.Count()) FCollection.CopyToClipboard({FCurrentIndex});
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TKivMainForm::CopyWordToFastSearch() {
  if (FCurrentIndex < 0 || FCurrentIndex >= FCollection.Count()) return;
  FLocateWhileTyping = false;
  FastSearch->setText(ToQString(FCollection.Item(FCurrentIndex)->Word));
  FastSearch->end(false);
  FastSearch->setFocus();
  FLocateWhileTyping = true;
}

void TKivMainForm::CopySelectedWord() {
  if (!WordList->hasFocus() || FCurrentIndex < 0 || FCurrentIndex >= FCollection.Count()) return;
  FCollection.CopyToClipboard({FCurrentIndex});
}

// Commands whose windows come later stay disabled; the rest follow the state they need.
void TKivMainForm::UpdateCommandStates() {
  TMainCommands& c = *FCommands;
  for (QAction* later : c.Later()) later->setEnabled(false);
  c.EditCopy->setEnabled(FCurrentIndex >= 0);
  UpdateDictionaryCommandStates();
}

void TKivMainForm::ApplyLanguage(const std::string& code) {
  SetLanguage(code);
  FMain.Language = code;
  SetQtTranslation(UILanguage() == TUILanguage::Russian);
  FCommands->ApplyLanguage();
  PageControl->setTabText(0, ToQString(WindowText(TWindowTexts::MainWindow, "SearchHint")));
  PageControl->setTabText(1, ToQString(WindowText(TWindowTexts::MainWindow, "DictionariesHint")));
  tbAdvanced->setToolTip(ToQString(WindowText(TWindowTexts::MainWindow, "DictionariesHint")));
  SearchTree->ApplyLanguage();
  DictionaryTree->ApplyLanguage();
  if (FStatForm != nullptr) FStatForm->ApplyLanguage();
  if (FOptionForm != nullptr) FOptionForm->ApplyLanguage();
  WordList->update();
  if (FSearchForm != nullptr) FSearchForm->ApplyLanguage();
}

void TKivMainForm::closeEvent(QCloseEvent* event) {
  if (!FClosing && !CloseQuery()) {
    event->ignore();
    return;
  }
  FClosing = true;
  if (FStatForm != nullptr) FStatForm->close();
  CloseSearchDialog();
  if (!FSettingsWritten && !WriteSettingsOrAsk()) {
    FClosing = false;
    event->ignore();
    return;
  }
  FSettingsWritten = true;
  event->accept();
}

// Asks about every modified dictionary; false when the user cancels.
bool TKivMainForm::CloseQuery() {
  if (FCollection.Active() == nullptr) return true;
  for (std::int32_t i = 0; i < FCollection.DictionaryCount(); ++i) {
    TKivDictionary& dictionary = *FCollection.Dictionary(i);
    if (!dictionary.Modified()) continue;
    const std::string name =
        dictionary.Name().empty() ? ShellText(TShellText::NoDictionaryName) : dictionary.Name();
    TMessage question;
    question.Text = ShellTextWith(TShellText::SaveChangesQuestion, name);
    question.Caption = ShellText(TShellText::QuestionCaption);
    question.Kind = TMessageKind::Question;
    question.Buttons = TMessageButtons::YesNoCancel;
    const TMessageAnswer answer = Dialogs().Ask(this, question);
    if (answer == TMessageAnswer::Cancel) return false;
    if (answer != TMessageAnswer::Yes) continue;
    // A cancelled save dialog or a failed save keeps the window open with the changes.
    if (!SaveModifiedDictionary(dictionary)) return false;
  }
  return true;
}

}  // namespace gryvel::gui

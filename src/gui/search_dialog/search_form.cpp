#include "gui/search_dialog/search_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "gui/dialogs.h"
#include "gui/help_window.h"
#include "gui/icons.h"
#include "gui/search_dialog/anagram_page.h"
#include "gui/search_dialog/analysis_page.h"
#include "gui/search_dialog/chain_page.h"
#include "gui/search_dialog/crossword_page.h"
#include "gui/search_dialog/page_widgets.h"
#include "gui/search_dialog/result_list_model.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/session.h"
#include "solvers/search_worker.h"

namespace gryvel::gui {

TSearchForm::TSearchForm(TSession& session, QWidget* parent) : QDialog(parent), FSession(session) {
  setObjectName("SearchForm");
  setWindowModality(Qt::WindowModal);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  FChainPage = new TChainPage(session.Source);
  FCrosswordPage = new TCrosswordPage;
  FAnagramPage = new TAnagramPage;
  FAnalysisPage = new TAnalysisPage(session.Source);
  PageControl->addTab(FChainPage, Icon(TIcon::WordChain), {});
  PageControl->addTab(FCrosswordPage, Icon(TIcon::Crossword), {});
  PageControl->addTab(FAnagramPage, Icon(TIcon::Anagram), {});
  PageControl->addTab(FAnalysisPage, Icon(TIcon::WordAnalysis), {});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl);
  layout->addWidget(BuildResultPanel(), 1);
  layout->addWidget(BuildRequestButtons());
  layout->addWidget(BuildSearchPanel());
  FTicker = new QTimer(this);
  FTicker->setSingleShot(true);
  connect(FTicker, &QTimer::timeout, this, [this] {
    if (FRunning == nullptr) return;
    ShowProgress();
    ArmTicker();
  });
  // A finished search is taken at once, not at the next tick.
  for (TResultPage* page : {static_cast<TResultPage*>(FChainPage), static_cast<TResultPage*>(FAnalysisPage)})
    page->Worker().OnDone = [this] { QMetaObject::invokeMethod(this, &TSearchForm::Poll, Qt::QueuedConnection); };
  connect(FChainPage, &TResultPage::ReadyChanged, this, &TSearchForm::UpdateFind2);
  AddHelpKey(*this, [this] { return HelpTopic(); });
  ApplyLanguage();
}

TSearchForm::~TSearchForm() {
  StopSearch();
  FModel->SetList(nullptr);
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
  connect(btnFind, &QPushButton::clicked, this, &TSearchForm::FindRequest);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnHelp, &QPushButton::clicked, this, &TSearchForm::ShowHelpTopic);
  return RequestPanel;
}

QWidget* TSearchForm::BuildSearchPanel() {
  SearchPanel = new QWidget(this);
  SearchPanel->setObjectName("SearchPanel");
  auto* layout = new QGridLayout(SearchPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  int column = FCounters.Build(SearchPanel, layout);
  layout->setColumnStretch(column++, 1);
  btnFind2 = NewButton(SearchPanel, "btnFind2");
  btnStop = NewButton(SearchPanel, "btnStop");
  btnCancel2 = NewButton(SearchPanel, "btnCancel2");
  btnHelp2 = NewButton(SearchPanel, "btnHelp2");
  btnStop->setEnabled(false);
  for (QPushButton* button : {btnFind2, btnStop, btnCancel2, btnHelp2})
    layout->addWidget(button, 0, column++, 2, 1, Qt::AlignBottom);
  connect(btnFind2, &QPushButton::clicked, this, &TSearchForm::FindSearch);
  connect(btnStop, &QPushButton::clicked, this, [this] {
    if (FRunning != nullptr) FRunning->Worker().Stop();
  });
  connect(btnCancel2, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnHelp2, &QPushButton::clicked, this, &TSearchForm::ShowHelpTopic);
  return SearchPanel;
}

void TSearchForm::ApplyLanguage() {
  setWindowTitle(SearchText("Caption"));
  const char* tabs[] = {"WordChainTab", "CrosswordTab", "AnagramsTab", "WordAnalysisTab"};
  for (int i = 0; i < 4; ++i) PageControl->setTabText(i, SearchText(tabs[i]).trimmed());
  FChainPage->ApplyLanguage();
  FCrosswordPage->ApplyLanguage();
  FAnagramPage->ApplyLanguage();
  FAnalysisPage->ApplyLanguage();
  FCounters.ApplyLanguage();
  for (QPushButton* find : {btnFind, btnFind2}) find->setText(ToQString(Term(TTerm::Find)));
  for (QPushButton* cancel : {btnCancel, btnCancel2}) cancel->setText(ToQString(Term(TTerm::Cancel)));
  for (QPushButton* help : {btnHelp, btnHelp2}) help->setText(ToQString(Term(TTerm::Help)));
  btnStop->setText(ToQString(Term(TTerm::Stop)));
  FCopyAction->setText(SearchText("CopyResults"));
  FSelectAllAction->setText(SearchText("SelectAllResults"));
  FSaveAction->setText(SearchText("SaveResults"));
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
      if (use_pattern) FCrosswordPage->ShowRequest(pattern);
      focus = FCrosswordPage->PatternEdit();
      break;
    case TSearchPage::Anagram:
      FAnagramPage->ShowRequest(letters, FSession.Searcher.AnagramOptions());
      focus = FAnagramPage->LettersEdit();
      break;
    case TSearchPage::Chain:
    case TSearchPage::Analysis:
      focus = ResultPage()->FirstEdit();
      UpdateFind2();
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

TResultPage* TSearchForm::ResultPage() const {
  if (FPage == TSearchPage::Chain) return FChainPage;
  if (FPage == TSearchPage::Analysis) return FAnalysisPage;
  return nullptr;
}

void TSearchForm::FindRequest() {
  if (FPage == TSearchPage::Crossword) {
    const QString typed = FCrosswordPage->RequestText();
    accept();
    if (!typed.isEmpty()) Q_EMIT CrosswordRequested(typed);
  } else if (FPage == TSearchPage::Anagram) {
    const QString letters = FAnagramPage->Letters();
    accept();
    if (letters.isEmpty()) return;
    FSession.Searcher.SetAnagramOptions(FAnagramPage->Mode());
    Q_EMIT AnagramRequested(letters);
  }
}

void TSearchForm::FocusClue() {
  FCrosswordPage->ClueField()->setFocus();
  FCrosswordPage->ClueField()->selectAll();
}

bool TSearchForm::Searching() const { return FRunning != nullptr; }

void TSearchForm::FindSearch() {
  TResultPage* page = ResultPage();
  if (Searching() || page == nullptr) return;
  if (std::function<void()> find = page->Request()) StartSearch(*page, std::move(find));
}

void TSearchForm::StartSearch(TResultPage& page, std::function<void()> find) {
  ClearResults();
  FCounters.ClearSteps();
  btnStop->setEnabled(true);
  btnFind2->setEnabled(false);
  FRunning = &page;
  FSearch = &page.Search();
  FSearch->Results().SetLimit(FSession.SearchOptions().ResultLimit);
  page.Worker().Start(std::move(find));
  FModel->SetList(&FSearch->Results());
  ArmTicker();
}

void TSearchForm::ArmTicker() {
  const double elapsed = FSearch->Elapsed();
  const int into_second = static_cast<int>((elapsed - std::floor(elapsed)) * 1000);
  FTicker->start(std::max(1, 1000 - into_second));
}

void TSearchForm::ShowProgress() {
  const TSearchProgress progress = FRunning->Worker().Progress();
  FFound = progress.Found;
  FModel->ShowCount(progress.Found);
  FCounters.ShowProgress(progress);
}

void TSearchForm::Poll() {
  if (FRunning == nullptr) return;
  if (!FRunning->Worker().Busy()) Finish();
}

void TSearchForm::Finish() {
  TSearchWorker& worker = FRunning->Worker();
  worker.Wait();
  FTicker->stop();
  ShowProgress();
  FCounters.ShowFinalSeconds(worker.Seconds());
  FRunning = nullptr;
  const TResultList& results = FSearch->Results();
  if (results.LimitReached()) FCounters.ShowLimitReached(results.Limit());
  btnStop->setEnabled(false);
  UpdateFind2();
}

void TSearchForm::StopSearch() {
  if (FRunning == nullptr) return;
  FRunning->Worker().Stop();
  Finish();
}

void TSearchForm::done(int result) {
  StopSearch();
  if (ResultPage() != nullptr) {
    ClearResults();
    FCounters.ClearSteps();
  }
  QDialog::done(result);
}

void TSearchForm::closeEvent(QCloseEvent* event) {
  // The title bar's close button: as Cancel.
  event->ignore();
  reject();
}

void TSearchForm::UpdateFind2() {
  const TResultPage* page = ResultPage();
  if (Searching() || page == nullptr) return;
  btnFind2->setEnabled(page->Ready());
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

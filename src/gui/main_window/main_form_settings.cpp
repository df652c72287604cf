// The main window's side of the settings file: every group read at start-up and applied to the
// widgets, the window's first size and place, and every group written back at close.

#include <QAction>
#include <QCursor>
#include <algorithm>
#include <chrono>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "common/cp1251_utf8.h"
#include "common/synchronize.h"
#include "gui/dialogs.h"
#include "gui/main_window/dictionary_tree.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/search_tree.h"
#include "gui/main_window/toolbar_fit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/skin_scroll.h"
#include "gui/widgets/viewer_style.h"
#include "results/language.h"
#include "shell/dictionary_list_settings.h"
#include "shell/filter_settings.h"
#include "shell/history_settings.h"
#include "shell/viewer_settings.h"

namespace gryvel::gui {

namespace {

// How long the window waits for the first words of a loading dictionary before it shows.
constexpr std::chrono::milliseconds kFirstWordsWait{100};

std::vector<TScreenArea> ScreenAreas() {
  std::vector<TScreenArea> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    areas.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  return areas;
}

}  // namespace

void TKivMainForm::ReadSettings() {
  const TFilterSettings filter = ReadFilterSettings(FSettings);
  FSource.SetFilterSettings(filter);
  FCommands->ViewFilter->setChecked(filter.Enable);

  for (TKivDictionary* dictionary : ReadDictionaryList(FSettings, FCollection))
    DictionaryTree->AddDictionaryNode(dictionary->Name(), *dictionary);

  FMain.Language = ReadLanguage(FSettings);
  SetLanguage(FMain.Language);

  FSession.SetSearchOptions(ReadSearchOptions(FSettings));

  TToolbarPositions toolbars = ToolbarPositions();
  ReadToolbarPositions(FSettings, toolbars);
  ApplyToolbarPositions(toolbars);

  const std::string language = FMain.Language;
  FMain = ReadMainSettings(FSettings);
  FMain.Language = language;
  ApplyMainSettings(FMain);

  FSavedPosition.State = kWindowNormal;
  ReadWindowPosition(FSettings, FSavedPosition);
  FSavedPosition = PlaceOnScreens(FSavedPosition, ScreenAreas());
  // The size is the client area's and the place the frame's, as WindowPosition saves them.
  resize(FSavedPosition.Width, FSavedPosition.Height);
  if (!FSavedPosition.Centred()) move(FSavedPosition.Left, FSavedPosition.Top);

  TViewerSettings viewer = ViewerSettingsOf(*WordList);
  ReadViewerSettings(FSettings, viewer);
  ApplyViewerSettings(*WordList, viewer);
  FCommands->ViewDescriptions->setChecked(WordList->ShowDescription());

  ReadPatternHistory(FSettings, FHistory);
  ReadAnagramHistory(FSettings, FHistory);
  ReadEqualLetters(FSettings, FCharacters, FHistory);
  ReadMeaningHistory(FSettings, FHistory);
  SearchTree->ExpandAllAndScrollTop();

  ApplyLanguage(FMain.Language);
  // The first-run values are in effect all the same; once the window shows (so that the
  // start-up time is not the time the user takes to read), say once that they are not kept.
  if (const TStatus& failure = FSettings.KeepFailure(); !failure.ok()) {
    const std::string text =
        TermWith(TTerm::SettingsNotKept, PathForMessage(FSettings.Path()), FailureReason(failure));
    QTimer::singleShot(0, this, [text] { ShowMessage(text); });
  }
}

void TKivMainForm::ApplyMainSettings(const TMainSettings& settings) {
  statusBar()->setVisible(settings.ShowStatusBar);
  FCommands->ViewStatusBar->setChecked(settings.ShowStatusBar);
  Scroll->setVisible(!settings.ShowStandardScroll);
  ScrollStd->setVisible(settings.ShowStandardScroll);
  PageControl->setCurrentIndex(settings.RightPanelKind);
  if (settings.ShowRightPanel) ShowRightPanel();
  FCommands->SetLargeToolBarIcons(settings.LargeToolBarIcons);
  FCommands->SetToolBarLabels(settings.ToolBarLabels);
}

// Qt places docked toolbars by itself; what carries over is which are shown, their order and
// whether they share a row.
void TKivMainForm::ApplyToolbarPositions(const TToolbarPositions& positions) {
  QToolBar* search = FCommands->SearchToolBar;
  QToolBar* sort = FCommands->SortToolBar;
  const bool one_row = positions.View.DockRow == positions.Search.DockRow;
  const bool sort_first = one_row ? positions.View.DockPos < positions.Search.DockPos
                                  : positions.View.DockRow < positions.Search.DockRow;
  removeToolBarBreak(sort);
  removeToolBarBreak(search);
  QToolBar* second = sort_first ? search : sort;
  removeToolBar(second);
  addToolBar(Qt::TopToolBarArea, second);
  if (!one_row) insertToolBarBreak(second);
  search->setVisible(positions.Search.Visible);
  sort->setVisible(positions.View.Visible);
}

TToolbarPositions TKivMainForm::ToolbarPositions() const {
  auto dock = [this](const QToolBar* bar) {
    TToolbarDock d;
    d.DockedTo = !bar->isFloating();
    d.Visible = bar->toggleViewAction()->isChecked();
    d.DockRow = toolBarBreak(const_cast<QToolBar*>(bar)) ? 1 : 0;
    d.DockPos = bar->x();
    d.Left = bar->x();
    d.Top = bar->y();
    d.Width = bar->width();
    d.Height = bar->height();
    return d;
  };
  return {dock(FCommands->SearchToolBar), dock(FCommands->SortToolBar)};
}

TWindowPosition TKivMainForm::WindowPosition() const {
  const QRect bounds = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const QPoint frame = geometry().topLeft() - pos();  // the title bar and the border
  TWindowPosition position;
  position.Width = bounds.width();
  position.Height = bounds.height();
  position.Left = bounds.x() - frame.x();
  position.Top = bounds.y() - frame.y();
  position.State = isMaximized() ? kWindowMaximized : isMinimized() ? kWindowMinimized
                                                                   : kWindowNormal;
  return position;
}

TMainSettings TKivMainForm::MainSettings() {
  TMainSettings settings = FMain;
  settings.ShowStatusBar = FCommands->ViewStatusBar->isChecked();
  settings.ShowStandardScroll = ScrollStd->isVisibleTo(LeftPanel);
  settings.ShowRightPanel = RightPanel->isVisibleTo(this);
  if (settings.ShowRightPanel) {
    settings.RightWidth = RightPanel->width();
    settings.LeftWidth = LeftPanel->width();
  }
  settings.RightPanelKind = PageControl->currentIndex();
  settings.ToolBarLabels = FCommands->ToolBarLabels();
  settings.LargeToolBarIcons = FCommands->LargeToolBarIcons();
  return settings;
}

void TKivMainForm::FitFirstRunWindow() {
  const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (screen == nullptr) screen = this->screen();
  const QRect area = screen->availableGeometry();
  // Room for the title bar and the borders the window manager adds.
  const QSize room = area.size() - QSize(kFrameWidth, kFrameHeight);

  auto toolbars = [this] {
    return ToolBarsWidth(*this, *FCommands->SearchToolBar, *FCommands->SortToolBar);
  };
  // Captioned buttons that cannot fit the screen lose their captions, not their place.
  if (toolbars() > room.width()) FCommands->SetToolBarLabels(0);

  const int w = std::min(std::max({width(), toolbars(), room.width() / 2}), room.width());
  const int h = std::min(std::max({height(), minimumHeight(), w * 3 / 4}), room.height());
  resize(w, h);
  move(area.center() - QPoint(w / 2, h / 2));
}

void TKivMainForm::ShowAsSaved() {
  // A dictionary that is loading shows its first words within a few milliseconds: wait for
  // them (not long) so that the window does not open on an empty list that fills at once.
  const auto deadline = std::chrono::steady_clock::now() + kFirstWordsWait;
  SynchronizeWhile([this, deadline] {
    return FCollection.Count() == 0 && FCollection.LoadingCount() > 0 &&
           std::chrono::steady_clock::now() < deadline;
  });
  if (FSavedPosition.Centred()) FitFirstRunWindow();
  if (FSavedPosition.State == kWindowMaximized) {
    showMaximized();
  } else if (FSavedPosition.State == kWindowMinimized) {
    showMinimized();
  } else {
    show();
  }
}

// Every group, in the order the settings file expects; the first failure stops nothing but
// is the one reported. The settings are left as they were in the file when it cannot be written.
bool TKivMainForm::WriteSettingsOrAsk() {
  const TStatus results[] = {
      WriteDictionaryList(FSettings, DictionaryListOf(FCollection)),
      WriteFilterSettings(FSettings, FSource.FilterSettings()),
      WriteWindowPosition(FSettings, WindowPosition()),
      WriteMainSettings(FSettings, MainSettings()),
      WriteToolbarPositions(FSettings, ToolbarPositions()),
      WritePatternHistory(FSettings, FHistory),
      WriteAnagramHistory(FSettings, FHistory),
      WriteEqualLetters(FSettings, FCharacters),
      WriteMeaningHistory(FSettings, FHistory),
  };
  for (const TStatus& status : results) {
    if (status.ok()) continue;
    TMessage question;
    question.Text =
        TermWith(TTerm::SettingsNotSaved, PathForMessage(FSettings.Path()), FailureReason(status));
    question.Kind = TMessageKind::Warning;
    question.Buttons = TMessageButtons::YesNo;
    return Dialogs().Ask(this, question) == TMessageAnswer::Yes;
  }
  return true;
}

}  // namespace gryvel::gui

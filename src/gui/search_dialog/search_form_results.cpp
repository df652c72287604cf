// The search dialog's result list: its creation, look and actions, all in this one file.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPalette>
#include <algorithm>

#include "gui/dialogs.h"
#include "gui/search_dialog/chain_page.h"
#include "gui/search_dialog/analysis_page.h"
#include "gui/search_dialog/result_list_model.h"
#include "gui/search_dialog/result_list_view.h"
#include "gui/search_dialog/result_row_delegate.h"
#include "gui/search_dialog/search_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/result_lines_file.h"
#include "solvers/result_search.h"

namespace gryvel::gui {

QWidget* TSearchForm::BuildResultPanel() {
  ResultPanel = new QWidget(this);
  ResultPanel->setObjectName("Panel3");
  FModel = new TResultListModel(this);
  FList = new TResultListView(ResultPanel);
  FList->setObjectName("ResultList");
  FList->setModel(FModel);
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
  connect(FCopyAction, &QAction::triggered, this, &TSearchForm::CopyResults);
  connect(FSelectAllAction, &QAction::triggered, FList, &QAbstractItemView::selectAll);
  connect(FSaveAction, &QAction::triggered, this, &TSearchForm::SaveResults);
  auto* layout = new QHBoxLayout(ResultPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FList, 1);
  return ResultPanel;
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

std::int32_t TSearchForm::ResultCount() const { return FModel->rowCount(); }

// Empties the list and gives the memory of the results back.
void TSearchForm::ClearResults() {
  FModel->SetList(nullptr);
  FSearch = nullptr;
  if (FRunning == nullptr) {
    FChainPage->Search().Results().Clear();
    FAnalysisPage->Search().Results().Clear();
  }
  FFound = 0;
  FCounters.ClearFound();
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

}  // namespace gryvel::gui

// The main window's dictionary commands: the dictionary tree's clicks, menu and renames, and
// the File menu's new, open, save, save as and properties, with files dropped on the window;
// the enabling of these commands; and the results files ("Save results", "Save results as...").

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <exception>

#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "dictionary/file_kind.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/text_writer.h"
#include "gui/dialogs.h"
#include "gui/dictionary_properties_dialog.h"
#include "gui/main_window/dictionary_tree.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/storable_edit.h"
#include "gui/text.h"
#include "gui/widgets/kiv_viewer.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/dictionary_list_settings.h"
#include "shell/results_file.h"
#include "shell/shell_texts.h"

namespace gryvel::gui {

namespace {

// The tree menu's items in order; null keys are separators.
constexpr const char* kMenuItems[] = {"DictionaryGoToItem",       "DictionaryMessageItem",
                                      nullptr,                    "DictionaryRenameItem",
                                      "EditDeleteItem",           nullptr,
                                      "DictionaryMakeActiveItem", nullptr,
                                      "FilePropertiesItem"};

QAction* MenuItem(QMenu* menu, const char* key) {
  for (QAction* action : menu->actions())
    if (action->objectName() == QLatin1String(key)) return action;
  return nullptr;
}

bool AskYesNo(QWidget* parent, const std::string& text) {
  TMessage question;
  question.Text = text;
  question.Caption = ShellText(TShellText::QuestionCaption);
  question.Kind = TMessageKind::Question;
  question.Buttons = TMessageButtons::YesNo;
  return Dialogs().Ask(parent, question) == TMessageAnswer::Yes;
}

bool AskYesNo(QWidget* parent, TShellText text, const std::string& name) {
  return AskYesNo(parent, ShellTextWith(text, name));
}

std::string DisplayName(const std::string& title) {
  return title.empty() ? ShellText(TShellText::NoDictionaryName) : title;
}

std::string SaveFilter() { return WindowText(TWindowTexts::MainWindow, "SaveDictionaryFilter"); }

// The existing file of `dictionary`, or empty.
QString ExistingFile(const TKivDictionary& dictionary) {
  const QString file = PathToQString(dictionary.FileName());
  return !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

}  // namespace

void TKivMainForm::ConnectDictionaryCommands() {
  TMainCommands& c = *FCommands;
  connect(c.FileNewDictionary, &QAction::triggered, this, &TKivMainForm::NewDictionary);
  connect(c.FileOpen, &QAction::triggered, this, &TKivMainForm::OpenDictionary);
  connect(c.FileSave, &QAction::triggered, this, &TKivMainForm::SaveDictionary);
  connect(c.FileSaveAs, &QAction::triggered, this, &TKivMainForm::SaveDictionaryAs);
  connect(c.FileProperties, &QAction::triggered, this,
          [this] { ShowDictionaryProperties(DictionaryTree->currentItem()); });
  connect(c.FileSaveResults, &QAction::triggered, this, [this] { SaveResults(false); });
  connect(c.FileSaveResultsAs, &QAction::triggered, this, [this] { SaveResults(true); });
  connect(c.EditDelete, &QAction::triggered, this, &TKivMainForm::DeleteSelectedEntry);
  connect(c.EditAddEntry, &QAction::triggered, this, [this] { ShowEntryEditor(false); });
  connect(c.EditChangeEntry, &QAction::triggered, this, [this] { ShowEntryEditor(true); });
  // The list's own menu holds the entry commands.
  WordList->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* separator = new QAction(WordList);
  separator->setSeparator(true);
  WordList->addActions({c.EditAddEntry, c.EditChangeEntry, separator, c.EditCopy, c.EditDelete});
  setAcceptDrops(true);
  // The results commands start disabled and follow each showing of results.
  c.FileSaveResults->setEnabled(false);
  c.FileSaveResultsAs->setEnabled(false);
  FEngineHooks += FSource.OnAfterFilterActivated.Subscribe([this](TResultSource& source) {
    TResultSource::TEntryList words;
    source.ResultsToList(words);
    FCommands->FileSaveResults->setEnabled(!words.empty());
    FCommands->FileSaveResultsAs->setEnabled(!words.empty());
  });

  DictionaryTree->OnStateImageClick = [this](TKivDictionary& d) { ToggleConnected(d); };
  DictionaryTree->OnRenamed = [this](TKivDictionary& d, const QString& t) { RenameDictionary(d, t); };
  FDictionaryMenu = new QMenu(DictionaryTree);
  FDictionaryMenu->setObjectName("DictionaryMenu");
  for (const char* key : kMenuItems) {
    QAction* action = key != nullptr ? FDictionaryMenu->addAction(QString())
                                     : FDictionaryMenu->addSeparator();
    if (key != nullptr) action->setObjectName(key);
  }
  connect(DictionaryTree, &QWidget::customContextMenuRequested, this,
          &TKivMainForm::ShowDictionaryMenu);
  connect(FDictionaryMenu, &QMenu::triggered, this, [this](QAction* action) {
    QTreeWidgetItem* item = DictionaryTree->currentItem();
    const TNodeInfo* info = DictionaryTree->NodeInfo(item);
    const QString key = action->objectName();
    if (key == QLatin1String("FilePropertiesItem")) return ShowDictionaryProperties(item);
    if (info == nullptr) return;
    TKivDictionary& dictionary = *info->Object;
    if (key == QLatin1String("DictionaryRenameItem")) {
      DictionaryTree->EditNode(item);
    } else if (key == QLatin1String("EditDeleteItem")) {
      RemoveDictionary(dictionary);
    } else if (key == QLatin1String("DictionaryMakeActiveItem")) {
      if (FCollection.Active() != &dictionary) FCollection.SetActive(&dictionary);
    } else if (key == QLatin1String("DictionaryGoToItem")) {
      const std::string target = WebTarget(dictionary.Head().Web);
      if (!target.empty() && ToQString(dictionary.Head().Web) == item->text(0))
        OpenExternalUrl(this, QUrl::fromUserInput(ToQString(target)));
    } else if (key == QLatin1String("DictionaryMessageItem")) {
      const std::string target = MailTarget(dictionary.Head().Email);
      if (!target.empty() && ToQString(dictionary.Head().Email) == item->text(0))
        OpenExternalUrl(this, QUrl(ToQString(target)));
    }
  });
}

// The menu's items follow the node under the mouse (selected by the press).
void TKivMainForm::ShowDictionaryMenu(const QPoint& at) {
  QTreeWidgetItem* item = DictionaryTree->currentItem();
  const TNodeInfo* info = DictionaryTree->NodeInfo(item);
  const bool top = info != nullptr && item->parent() == nullptr;
  const QList<QAction*> actions = FDictionaryMenu->actions();
  for (std::size_t i = 0; i < std::size(kMenuItems); ++i) {
    if (kMenuItems[i] != nullptr)
      actions[static_cast<qsizetype>(i)]->setText(
          ToQString(WindowText(TWindowTexts::MainWindow, kMenuItems[i])));
  }
  const bool web = info != nullptr && info->NodeKind == TNodeKind::Web;
  const bool mail = info != nullptr && info->NodeKind == TNodeKind::Email;
  MenuItem(FDictionaryMenu, "DictionaryGoToItem")->setVisible(web);
  MenuItem(FDictionaryMenu, "DictionaryMessageItem")->setVisible(mail);
  actions[2]->setVisible(web || mail);
  MenuItem(FDictionaryMenu, "DictionaryRenameItem")->setEnabled(top);
  MenuItem(FDictionaryMenu, "EditDeleteItem")->setEnabled(top);
  MenuItem(FDictionaryMenu, "DictionaryMakeActiveItem")
      ->setEnabled(info != nullptr && CanMakeActive(FCollection, *info->Object));
  MenuItem(FDictionaryMenu, "FilePropertiesItem")
      ->setEnabled(info != nullptr && HasProperties(*info->Object));
  FDictionaryMenu->popup(DictionaryTree->viewport()->mapToGlobal(at));
}

// --- The tree

void TKivMainForm::ToggleConnected(TKivDictionary& dictionary) {
  const THoldViewer hold(*WordList);
  if (dictionary.Connected()) {
    FCollection.Disconnect(dictionary);
    return;
  }
  FCollection.Connect(dictionary);
  if (!dictionary.Loaded() && !dictionary.Loading()) {
    try {
      FCollection.QueueLoad(dictionary);
    } catch (const std::exception& error) {
      ShowMessage(error.what());
    }
  }
}

// An empty text is the name of a dictionary without one. A name that cannot be stored keeps
// the old one; once the edit that ended has closed, the message says why and the edit opens
// again on the text as typed.
void TKivMainForm::RenameDictionary(TKivDictionary& dictionary, const QString& text) {
  if (const std::optional<TUnstorableText> found = FindUnstorable(text)) {
    DictionaryTree->SetNodeText(dictionary, dictionary.Name());
    QMetaObject::invokeMethod(
        this,
        [this, &dictionary, text, found = *found] {
          SayUnstorable(this, found);
          DictionaryTree->EditNodeAgain(dictionary, text, found.Start, found.Length);
        },
        Qt::QueuedConnection);
    return;
  }
  std::string name = *FromQString(text.trimmed());
  if (name.empty()) name = ShellText(TShellText::NoDictionaryName);
  dictionary.SetName(name);
  DictionaryTree->SetNodeText(dictionary, name);
  WriteDictionaryListNow();
}

void TKivMainForm::RemoveDictionary(TKivDictionary& dictionary) {
  if (!AskYesNo(this, TShellText::RemoveDictionaryQuestion, dictionary.Name())) return;
  const THoldViewer hold(*WordList);
  DictionaryTree->RemoveDictionaryNode(dictionary);
  FCollection.Remove(dictionary);
  UpdateCommandStates();
}

void TKivMainForm::WriteDictionaryListNow() {
  const TStatus status = WriteDictionaryList(FSettings, DictionaryListOf(FCollection));
  if (!status.ok())
    ShowError(WriteFailureText(TTerm::SettingsNotWritten, FSettings.Path(), status));
}

// --- File menu

void TKivMainForm::NewDictionary() {
  TDictionaryPropertiesDialog dialog(this);
  dialog.Fill(nullptr);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return;
  TKivDictionary& dictionary = *FCollection.Dictionary(FCollection.NewDictionary());
  TDictHead head = dialog.Header(dictionary.Head());
  head.Signature = std::string(kDictSignature);
  dictionary.SetHeader(head);
  dictionary.SetName(DisplayName(head.Title));
  FCollection.Connect(dictionary);
  dictionary.SetModified(true);
  DictionaryTree->AddDictionaryNode(dictionary.Name(), dictionary);
  if (FCollection.Active() == nullptr ||
      AskYesNo(this, TShellText::MakeActiveQuestion, dictionary.Name()))
    FCollection.SetActive(&dictionary);
  UpdateCommandStates();
}

void TKivMainForm::OpenDictionary() {
  const QString file = Dialogs().OpenFileName(
      this, QString(), PathToQString(FMain.InitialDir),
      QtFileFilter(WindowText(TWindowTexts::MainWindow, "DictionaryFileFilter")));
  if (file.isEmpty()) return;
  QCoreApplication::processEvents();
  FMain.InitialDir = PathFromQString(QFileInfo(file).absolutePath());
  OpenDictionaryFiles({file});
}

void TKivMainForm::OpenDictionaryFiles(const QStringList& files) {
  bool added = false;
  for (const QString& file : files) {
    const std::string path = PathFromQString(QFileInfo(file).absoluteFilePath());
    if (TKivDictionary* open = FindOpenDictionary(FCollection, path)) {
      DictionaryTree->setCurrentItem(DictionaryTree->NodeOf(*open));
      continue;
    }
    added = OpenDictionaryFile(path) || added;
  }
  if (added) WriteDictionaryListNow();
  UpdateCommandStates();
}

// A file that is no dictionary nor word list is refused and not listed; one that cannot be
// read is listed all the same, marked with the reason its load gives, for a later retry.
bool TKivMainForm::OpenDictionaryFile(const std::string& path) {
  const TFileClass kind = ClassifyFile(FCollection.FileSystem(), path);
  if (!kind.Listed()) {
    ShowError(FileRefusalText(kind, path));
    return false;
  }
  if (kind.Doubtful() &&
      !AskYesNo(this, TermWith(TTerm::WordListDoubtful, PathForMessage(path),
                               std::to_string(kind.NonWordPercent))))
    return false;
  const std::int32_t index = FCollection.AddDictionary(path, /*keep_unreadable=*/true);
  if (index < 0) return false;
  TKivDictionary& dictionary = *FCollection.Dictionary(index);
  const std::string title = dictionary.Head().Title;
  dictionary.SetName(title.empty() ? FromQString(PathToQString(path).section(QLatin1Char('/'), -1))
                                         .value_or(ShellText(TShellText::NoDictionaryName))
                                   : title);
  FCollection.Connect(dictionary);
  DictionaryTree->setCurrentItem(DictionaryTree->AddDictionaryNode(dictionary.Name(), dictionary));
  FCollection.QueueLoad(dictionary);
  return true;
}

QString TKivMainForm::AskDictionaryFileName(const QString& start, bool* as_text) {
  const std::string filter = SaveFilter();
  const QString qt_filter = QtFileFilter(filter);
  QString chosen = qt_filter.section(QStringLiteral(";;"), 0, 0);
  const QString file = Dialogs().SaveFileName(this, QString(), start, qt_filter, &chosen);
  if (file.isEmpty()) return {};
  const int index = std::max(0, static_cast<int>(qt_filter.split(QStringLiteral(";;")).indexOf(chosen)));
  *as_text = index == 1;
  return PathToQString(WithDefaultExtension(PathFromQString(file), FilterExtension(filter, index)));
}

bool TKivMainForm::SaveDictionaryTo(TKivDictionary& dictionary, const std::string& path,
                                    bool as_text) {
  statusBar()->showMessage(
      ToQString(ShellText(TShellText::SavingDictionary)) + PathToQString(path));
  TStatus status;
  // A dictionary saved before its entries are read would lose them.
  try {
    dictionary.EnsureLoaded();
  } catch (const std::exception& error) {
    statusBar()->clearMessage();
    ShowError(error.what());
    return false;
  }
  if (dictionary.LoadFailure()) {  // the user has been told why
    statusBar()->clearMessage();
    return false;
  }
  if (!MayReplace(dictionary, path)) {
    statusBar()->clearMessage();
    return false;
  }
  if (as_text) {
    status = WriteWordList(dictionary.Entries(), path, TWordListEncoding::Utf8Lf);
    if (!status.ok()) ShowError(WriteFailureText(TTerm::FileNotWritten, path, status));
  } else {
    const bool renamed = path != dictionary.FileName();
    status = dictionary.SaveToFile(path);
    if (!status.ok()) ShowError(WriteFailureText(TTerm::DictionaryNotSaved, path, status));
    if (status.ok() && renamed) DictionaryTree->RefreshDictionaryNode(DictionaryTree->NodeOf(dictionary));
  }
  statusBar()->clearMessage();
  WriteDictionaryListNow();
  return status.ok();
}

// Whether `dictionary` may be written to `path`: never over another open dictionary's file,
// and over a write-protected file only when the user says so.
bool TKivMainForm::MayReplace(const TKivDictionary& dictionary, const std::string& path) {
  if (const TKivDictionary* other = OtherDictionaryUsing(FCollection, dictionary, path)) {
    ShowError(TermWith(TTerm::FileOfOtherDictionary, PathForMessage(path), other->Name()));
    return false;
  }
  return !WriteProtected(path) ||
         AskYesNo(this, TermWith(TTerm::FileWriteProtected, PathForMessage(path)));
}

// Saves a modified dictionary to its file, asking for one when it has none; false when the
// user cancelled or the save failed.
bool TKivMainForm::SaveModifiedDictionary(TKivDictionary& dictionary) {
  QString file = ExistingFile(dictionary);
  bool as_text = false;
  if (file.isEmpty()) file = AskDictionaryFileName(PathToQString(FMain.InitialDir), &as_text);
  if (file.isEmpty()) return false;
  return SaveDictionaryTo(dictionary, PathFromQString(file), as_text);
}

void TKivMainForm::SaveDictionary() {
  TKivDictionary* active = FCollection.Active();
  if (active == nullptr || !active->Modified()) return;
  SaveModifiedDictionary(*active);
}

void TKivMainForm::SaveDictionaryAs() {
  TKivDictionary* active = FCollection.Active();
  if (active == nullptr) return;
  const QString existing = ExistingFile(*active);
  bool as_text = false;
  const QString file =
      AskDictionaryFileName(existing.isEmpty() ? PathToQString(FMain.InitialDir) : existing, &as_text);
  if (file.isEmpty()) return;
  QCoreApplication::processEvents();
  SaveDictionaryTo(*active, PathFromQString(file), as_text);
  FMain.InitialDir = PathFromQString(QFileInfo(file).absolutePath());
}

void TKivMainForm::UpdateDictionaryCommandStates() {
  TMainCommands& c = *FCommands;
  c.EditChangeEntry->setEnabled(ActiveHolderOf(FCollection, FCurrentIndex) != nullptr);
  c.FileSaveAs->setEnabled(FCollection.Active() != nullptr);
  c.EditDelete->setEnabled(FCurrentIndex >= 0);
}

// The header goes into the dictionary after OK when something changed, or after Cancel as far
// as "Apply" took it; a protected dictionary keeps its own. A node showing the default name
// follows a new title.
void TKivMainForm::ShowDictionaryProperties(QTreeWidgetItem* node) {
  if (node == nullptr) node = DictionaryTree->topLevelItem(0);
  while (node != nullptr && node->parent() != nullptr) node = node->parent();
  const TNodeInfo* info = DictionaryTree->NodeInfo(node);
  if (info == nullptr || !HasProperties(*info->Object)) return;
  TKivDictionary& dictionary = *info->Object;
  const TDictHead old = dictionary.Head();
  const QString text = node->text(0);
  const bool default_name = text == ToQString(DisplayName(old.Title)) ||
                            text == ToQString(ShellText(TShellText::NoDictionaryName));
  TDictionaryPropertiesDialog dialog(this);
  dialog.Fill(&dictionary);
  const bool accepted = Dialogs().Exec(dialog) == QDialog::Accepted;
  const bool was_modified = dictionary.Modified();
  if ((old.Flags & (kHeadReadOnly | kHeadProtected)) != 0) return;
  TDictHead head = old;
  if (accepted && (dialog.Changed() || was_modified)) {
    head = dialog.Header(old);
  } else if (dialog.WasApplied()) {
    head = dialog.AppliedHeader(old);
  } else {
    return;
  }
  dictionary.SetHeader(head);
  if (default_name && head.Title != old.Title) {
    dictionary.SetName(DisplayName(head.Title));
    DictionaryTree->SetNodeText(dictionary, dictionary.Name());
  }
  if (!ExistingFile(dictionary).isEmpty()) {
    if (!SaveDictionaryTo(dictionary, dictionary.FileName(), false)) dictionary.SetModified(true);
  } else {
    dictionary.SetModified(true);
  }
  DictionaryTree->RefreshDictionaryNode(DictionaryTree->NodeOf(dictionary));
}

// --- Dropped files

// "Save results" writes again to the last results file without a dialog; the dialog asks
// before replacing a file, and a name typed without an extension gets ".txt". The file is
// UTF-8 with LF line ends, as the desktop's editors expect.
void TKivMainForm::SaveResults(bool save_as) {
  std::string path = FLastResultsFile;
  if (ResultsNeedFileName(save_as, FLastResultsFile)) {
    const std::string filter = WindowText(TWindowTexts::MainWindow, "TextFileFilter");
    QString chosen = QtFileFilter(filter).section(QStringLiteral(";;"), 0, 0);
    const QString file = Dialogs().SaveFileName(this, QString(), PathToQString(FLastResultsFile),
                                                QtFileFilter(filter), &chosen);
    if (file.isEmpty()) return;
    path = WithDefaultExtension(PathFromQString(file), FilterExtension(filter, 0));
  }
  const TResultsRequest request{FSource.ResultKind(), FLastPattern, FLastAnagram};
  (void)SaveResultsFile(PosixFileSystem(), path, FSource, request,
                        TWordListEncoding::Utf8Lf, &FLastResultsFile);
}

void TKivMainForm::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasUrls() && !data->urls().isEmpty() && data->urls().constFirst().isLocalFile())
    event->acceptProposedAction();
}

void TKivMainForm::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  OpenDictionaryFiles(files);
}

}  // namespace gryvel::gui

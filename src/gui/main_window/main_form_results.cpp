// The main window's results files: "Save results" and "Save results as...".

#include <QAction>

#include "gui/dialogs.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/results_file.h"

namespace gryvel::gui {

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
  const TResultsRequest request{ResultSource1.ResultKind(), FLastPattern, FLastAnagram};
  (void)SaveResultsFile(PosixFileSystem(), path, ResultSource1, request,
                        TWordListEncoding::Utf8Lf, &FLastResultsFile);
}

}  // namespace gryvel::gui

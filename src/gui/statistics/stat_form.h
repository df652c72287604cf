#pragma once

#include <QWidget>

#include "common/event.h"
#include "results/statistics.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace gryvel {
class TDictionaryCollection;
class TResultSource;
}  // namespace gryvel

namespace gryvel::gui {

class TStatChart;

// The statistics window: charts the lengths, first letters, letters in words or all letters of
// the words the result source shows, in the collection's words. Non-modal; while it is
// visible it recomputes on every change of the result source, and once each time it is shown.
// The chart can be ordered by category or by value, drawn as a line, columns or both, marked
// with values or percentages, and saved as a PNG or SVG image.
//
// UI thread only. The source and the collection are borrowed and must outlive the window.
class TStatForm : public QWidget {
  Q_OBJECT

 public:
  // `parent` is the window it belongs to: it stays above it, the main-window button brings
  // that window forward, and it ends with it.
  TStatForm(TResultSource& source, TDictionaryCollection& collection, QWidget* parent = nullptr);
  ~TStatForm() override;

  // Computes the chosen statistic over the source's view and shows it; an empty view clears
  // the chart and leaves the caption as it was.
  void Recompute();
  // Sets every caption, item and axis title in the current language.
  void ApplyLanguage();
  // Writes the chart to `file_name` as PNG, or SVG when the name ends in ".svg" (any case);
  // written to a temporary file and renamed. False (and nothing changed) when it fails.
  bool SaveImageTo(const QString& file_name);

  const TStatistic& Statistic() const { return FStatistic; }

 Q_SIGNALS:
  void VisibilityChanged(bool visible);
  // The main-window button: the owner gives the focus back to the main window.
  void MainFormRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildActions();
  void BuildToolBar();
  void BuildMenus();
  void BuildLayout();
  void Fill();
  void SetOrder(TStatOrder order);
  void NextChartStyle();
  void ChartStyleChosen();
  void MarksChanged();
  void SaveImage();
  void ShowCaption();
  void BackToMainForm();

  TResultSource& FSource;
  TDictionaryCollection& FCollection;
  TSubscription FHook;
  TStatistic FStatistic;
  TStatOrder FOrder = TStatOrder::ByCategory;

  QLabel* FStatisticLabel = nullptr;
  QComboBox* StatisticCombo = nullptr;
  QToolBar* FToolBar = nullptr;
  QToolButton* ChartStyleButton = nullptr;
  TStatChart* Chart = nullptr;
  QMenu* ChartStyleMenu = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QAction* tbIncrease = nullptr;
  QAction* tbDecrease = nullptr;
  QAction* tbAlpha = nullptr;
  QAction* tbMainForm = nullptr;
  QAction* GraphPopupMenuLineItem = nullptr;
  QAction* GraphPopupMenuColumnItem = nullptr;
  QAction* GraphPopupMenuAllItem = nullptr;
  QAction* GraphPopupMenuValuesItem = nullptr;
  QAction* GraphPopupMenuPercentItem = nullptr;
  QAction* GraphPopupMenuDataValuesItem = nullptr;  // also the toolbar's tbShowMarks
  QAction* FSaveImageItem = nullptr;
};

}  // namespace gryvel::gui

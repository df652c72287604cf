#pragma once

#include <QChartView>
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

#include "results/statistics.h"

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

// The statistics chart: a line series with diamond markers and a bar series over one
// category axis, a value axis from 0, and marks above the points showing each value or its
// percentage of the total. Marks are laid out largest count first and a mark that would
// overlap one already placed is left out, so the largest counts stay readable however many
// categories there are; category labels that would not fit side by side are set smaller.
//
// UI thread only.

namespace gryvel::gui {

enum class TChartStyle { Line, Column, All };
enum class TMarkMode { Values, Percent };

class TStatChart : public QChartView {
  Q_OBJECT

 public:
  explicit TStatChart(QWidget* parent = nullptr);

  // Shows `points` (sorted by X, as ChartPoints gives them) with the axis titles.
  void SetPoints(std::vector<TStatPoint> points, const QString& category_title,
                 const QString& value_title);
  // Removes every point and mark; the axis titles stay, the category title not shown.
  void Clear();
  void SetAxisTitles(const QString& category_title, const QString& value_title);

  void SetStyle(TChartStyle style);
  TChartStyle Style() const { return FStyle; }
  void SetMarksVisible(bool visible);
  bool MarksVisible() const { return FMarksVisible; }
  void SetMarkMode(TMarkMode mode);
  TMarkMode MarkMode() const { return FMarkMode; }

  // What the chart shows, for the window's tests and the image: the category labels and
  // values in axis order, and the text of every mark (in axis order).
  QStringList Categories() const;
  std::vector<double> LineValues() const;
  std::vector<double> BarValues() const;
  QStringList MarkTexts() const;
  // The texts of the marks placed on the chart, in axis order.
  QStringList PlacedMarks() const;
  bool LineShown() const;
  bool BarsShown() const;
  // The value axis' range.
  double ValueAxisMin() const;
  double ValueAxisMax() const;

  // The size of the category labels' font against its usual size: 1, or less when they were
  // shrunk to fit.
  qreal CategoryLabelsShrink() const;
  // Lays out the marks anew (also done after a resize of the plot area).
  void PlaceMarks();

 private:
  void BuildSeries();
  // Takes `points` and makes one hidden mark for each.
  void ReplaceMarks(std::vector<TStatPoint> points);
  void ApplyStyle();
  void FitCategoryLabels();
  void SetValueRange(std::int32_t largest);
  QString MarkText(const TStatPoint& point) const;

  QChart* FChart = nullptr;
  QLineSeries* Series1 = nullptr;
  QBarSeries* Series2 = nullptr;
  QBarSet* FBars = nullptr;
  QBarCategoryAxis* FCategoryAxis = nullptr;
  QString FCategoryTitle;  // the title in force, shown while there are categories
  QValueAxis* FValueAxis = nullptr;
  QFont FLabelFont;  // the category labels' usual font
  std::vector<TStatPoint> FPoints;
  std::vector<QGraphicsSimpleTextItem*> FMarks;  // one per point, owned by the chart
  TChartStyle FStyle = TChartStyle::Line;
  TMarkMode FMarkMode = TMarkMode::Values;
  bool FMarksVisible = true;
};

}  // namespace gryvel::gui

#include "gui/statistics/stat_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/format.h"
#include "gui/text.h"

namespace gryvel::gui {

namespace {

constexpr double kMarkRoom = 1.12;   // the value axis reaches past the largest count by this
constexpr int kMarkGap = 3;          // pixels between a point and its mark
constexpr int kDiamond = 9;          // the line's point markers, in pixels
constexpr qreal kSmallestLabel = 5;  // points

// A tick interval of 1, 2 or 5 times a power of ten that splits [0, top] into at most about
// eight steps; never below 1, since the values are counts.
double TickInterval(double top) {
  const double raw = std::max(1.0, top / 8);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * power >= raw) return factor * power;
  return 10 * power;
}

QImage DiamondMarker(const QColor& color) {
  QImage image(kDiamond, kDiamond, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(color.darker(140));
  painter.setBrush(color);
  const double half = kDiamond / 2.0;
  const QPointF corners[] = {
      {half, 0.5}, {kDiamond - 0.5, half}, {half, kDiamond - 0.5}, {0.5, half}};
  painter.drawPolygon(corners, 4);
  return image;
}

}  // namespace

TStatChart::TStatChart(QWidget* parent) : QChartView(parent) {
  FChart = new QChart;
  FChart->setObjectName("Chart1");
  FChart->legend()->hide();
  FChart->setAnimationOptions(QChart::NoAnimation);
  setChart(FChart);  // the view owns the chart
  setRenderHint(QPainter::Antialiasing);
  BuildSeries();
  ApplyStyle();
  connect(FChart, &QChart::plotAreaChanged, this, &TStatChart::PlaceMarks);
  // Resizing the labels changes the layout that reported the change: once it has ended.
  connect(FChart, &QChart::plotAreaChanged, this, &TStatChart::FitCategoryLabels,
          Qt::QueuedConnection);
}

// The bars go first, so the line is drawn over them when both are shown.
void TStatChart::BuildSeries() {
  Series2 = new QBarSeries(FChart);
  Series2->setObjectName("Series2");
  Series2->setBarWidth(0.85);
  FBars = new QBarSet(QString(), Series2);
  Series2->append(FBars);
  Series1 = new QLineSeries(FChart);
  Series1->setObjectName("Series1");
  FChart->addSeries(Series2);
  FChart->addSeries(Series1);

  FCategoryAxis = new QBarCategoryAxis(FChart);
  FLabelFont = FCategoryAxis->labelsFont();
  FValueAxis = new QValueAxis(FChart);
  FValueAxis->setLabelFormat("%.0f");
  FValueAxis->setTickType(QValueAxis::TicksDynamic);
  FValueAxis->setTickAnchor(0);
  FChart->addAxis(FCategoryAxis, Qt::AlignBottom);
  FChart->addAxis(FValueAxis, Qt::AlignLeft);
  for (QAbstractSeries* series :
       {static_cast<QAbstractSeries*>(Series2), static_cast<QAbstractSeries*>(Series1)}) {
    series->attachAxis(FCategoryAxis);
    series->attachAxis(FValueAxis);
  }
  Series1->setLightMarker(DiamondMarker(Series1->color()));
  Series1->setMarkerSize(kDiamond);
  SetValueRange(0);
}

void TStatChart::SetPoints(std::vector<TStatPoint> points, const QString& category_title,
                           const QString& value_title) {
  // The points and their marks change together, before anything the chart does to its
  // series can lay it out again and place the marks.
  ReplaceMarks(std::move(points));
  QStringList categories;
  QList<QPointF> line;
  QList<qreal> bars;
  categories.reserve(static_cast<qsizetype>(FPoints.size()));
  std::int32_t largest = 0;
  for (std::size_t i = 0; i < FPoints.size(); ++i) {
    const TStatPoint& point = FPoints[i];
    categories << ToQString(point.Label);
    line << QPointF(static_cast<qreal>(i), point.Y);
    bars << point.Y;
    largest = std::max(largest, point.Y);
  }
  FCategoryAxis->setCategories(categories);
  Series1->replace(line);
  FBars->remove(0, FBars->count());
  FBars->append(bars);
  SetValueRange(largest);
  SetAxisTitles(category_title, value_title);
  FitCategoryLabels();
  PlaceMarks();
}

void TStatChart::ReplaceMarks(std::vector<TStatPoint> points) {
  for (QGraphicsSimpleTextItem* mark : FMarks) delete mark;
  FMarks.clear();
  FPoints = std::move(points);
  FMarks.reserve(FPoints.size());
  for (const TStatPoint& point : FPoints) {
    auto* mark = new QGraphicsSimpleTextItem(MarkText(point), FChart);
    mark->setZValue(10);
    mark->setVisible(false);  // until placed
    FMarks.push_back(mark);
  }
}

void TStatChart::Clear() { SetPoints({}, FCategoryTitle, FValueAxis->titleText()); }

void TStatChart::SetAxisTitles(const QString& category_title, const QString& value_title) {
  FCategoryTitle = category_title;
  // With no categories the axis has no place of its own, and its title would stand alone in
  // the chart's corner. Emptied rather than hidden: a hidden axis title outlives its chart.
  FCategoryAxis->setTitleText(FCategoryAxis->categories().isEmpty() ? QString() : category_title);
  FValueAxis->setTitleText(value_title);
}

// From 0 to past the largest count, leaving room for the marks above the points.
void TStatChart::SetValueRange(std::int32_t largest) {
  const double interval = TickInterval(std::max(1.0, largest * kMarkRoom));
  const double top = interval * std::ceil(std::max(1.0, largest * kMarkRoom) / interval);
  FValueAxis->setTickInterval(interval);
  FValueAxis->setRange(0, top);
}

void TStatChart::SetStyle(TChartStyle style) {
  FStyle = style;
  ApplyStyle();
}

void TStatChart::ApplyStyle() {
  Series1->setVisible(FStyle != TChartStyle::Column);
  Series2->setVisible(FStyle != TChartStyle::Line);
}

void TStatChart::SetMarksVisible(bool visible) {
  FMarksVisible = visible;
  PlaceMarks();
}

void TStatChart::SetMarkMode(TMarkMode mode) {
  FMarkMode = mode;
  for (std::size_t i = 0; i < FMarks.size(); ++i) FMarks[i]->setText(MarkText(FPoints[i]));
  PlaceMarks();
}

QString TStatChart::MarkText(const TStatPoint& point) const {
  if (FMarkMode == TMarkMode::Percent)
    return QString::number(point.Percent, 'f', 1) + QLatin1Char('%');
  return ToQString(FormatCount(point.Y));
}

// Category labels too wide for their share of the axis would be cut short: their font shrinks
// until they fit, down to a size that stays legible.
void TStatChart::FitCategoryLabels() {
  QFont font = FLabelFont;
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const QString& category : FCategoryAxis->categories())
    widest = std::max(widest, metrics.horizontalAdvance(category));
  const qreal share = FChart->plotArea().width() /
                      static_cast<qreal>(std::max<qsizetype>(1, FCategoryAxis->count()));
  const qreal needed = widest + 2 * metrics.averageCharWidth();
  if (needed > share && share > 0)
    font.setPointSizeF(std::max(kSmallestLabel, font.pointSizeF() * share / needed));
  if (FCategoryAxis->labelsFont() != font) FCategoryAxis->setLabelsFont(font);
}

// Largest count first (the first in axis order on ties); a mark that would overlap a placed
// one, or leave the chart, stays hidden.
void TStatChart::PlaceMarks() {
  std::vector<std::size_t> order(FMarks.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this](std::size_t a, std::size_t b) { return FPoints[a].Y > FPoints[b].Y; });
  const QRectF area = FChart->rect();
  std::vector<QRectF> placed;
  for (const std::size_t i : order) {
    QGraphicsSimpleTextItem* mark = FMarks[i];
    const QPointF point =
        FChart->mapToPosition(QPointF(static_cast<qreal>(i), FPoints[i].Y), Series1);
    const QRectF box = mark->boundingRect();
    const QRectF rect(point.x() - box.width() / 2, point.y() - box.height() - kMarkGap, box.width(),
                      box.height());
    const bool fits = FMarksVisible && area.contains(rect) &&
                      std::none_of(placed.begin(), placed.end(),
                                   [&](const QRectF& other) { return other.intersects(rect); });
    mark->setVisible(fits);
    if (!fits) continue;
    mark->setPos(rect.topLeft());
    placed.push_back(rect.adjusted(-kMarkGap, 0, kMarkGap, 0));
  }
}

QStringList TStatChart::Categories() const {
  return FCategoryAxis->categories();
}

std::vector<double> TStatChart::LineValues() const {
  std::vector<double> values;
  for (const QPointF& point : Series1->points()) values.push_back(point.y());
  return values;
}

std::vector<double> TStatChart::BarValues() const {
  std::vector<double> values;
  for (int i = 0; i < FBars->count(); ++i) values.push_back(FBars->at(i));
  return values;
}

QStringList TStatChart::MarkTexts() const {
  QStringList texts;
  for (const QGraphicsSimpleTextItem* mark : FMarks) texts << mark->text();
  return texts;
}

QStringList TStatChart::PlacedMarks() const {
  QStringList texts;
  for (const QGraphicsSimpleTextItem* mark : FMarks)
    if (mark->isVisible()) texts << mark->text();
  return texts;
}

bool TStatChart::LineShown() const {
  return Series1->isVisible();
}
bool TStatChart::BarsShown() const {
  return Series2->isVisible();
}
qreal TStatChart::CategoryLabelsShrink() const {
  return FCategoryAxis->labelsFont().pointSizeF() / FLabelFont.pointSizeF();
}
double TStatChart::ValueAxisMin() const {
  return FValueAxis->min();
}
double TStatChart::ValueAxisMax() const {
  return FValueAxis->max();
}

}  // namespace gryvel::gui

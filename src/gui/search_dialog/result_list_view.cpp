#include "gui/search_dialog/result_list_view.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace gryvel::gui {

TResultListView::TResultListView(QWidget* parent) : QAbstractItemView(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(ScrollPerItem);
}

int TResultListView::Rows() const { return model() == nullptr ? 0 : model()->rowCount(rootIndex()); }

int TResultListView::RowHeight() const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QModelIndex first = model() == nullptr ? QModelIndex() : model()->index(0, 0, rootIndex());
  return std::max(1, itemDelegate()->sizeHint(option, first).height());
}

int TResultListView::PageRows() const { return std::max(1, viewport()->height() / RowHeight()); }

int TResultListView::TopRow() const { return verticalScrollBar()->value(); }

qint64 TResultListView::RowAt(int y) const {
  const int height = RowHeight();
  // Rounds down for heights above the viewport too.
  const int band = y >= 0 ? y / height : (y - height + 1) / height;
  return qint64{TopRow()} + band;
}

QRect TResultListView::RowRect(int row) const {
  const qint64 top = (qint64{row} - TopRow()) * RowHeight();
  const qint64 clamped = std::clamp<qint64>(top, INT_MIN / 2, INT_MAX / 2);
  return QRect(0, static_cast<int>(clamped), viewport()->width(), RowHeight());
}

QRect TResultListView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.parent() != rootIndex()) return {};
  return RowRect(index.row());
}

QModelIndex TResultListView::indexAt(const QPoint& point) const {
  const qint64 row = RowAt(point.y());
  if (row < 0 || row >= Rows() || point.x() < 0 || point.x() >= viewport()->width()) return {};
  return model()->index(static_cast<int>(row), 0, rootIndex());
}

void TResultListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const int row = index.row();
  const int page = PageRows();
  int top = TopRow();
  switch (hint) {
    case PositionAtTop: top = row; break;
    case PositionAtBottom: top = row - page + 1; break;
    case PositionAtCenter: top = row - page / 2; break;
    case EnsureVisible:
      if (row < top) top = row;
      else if (row >= top + page) top = row - page + 1;
      break;
  }
  verticalScrollBar()->setValue(top);
}

int TResultListView::verticalOffset() const {
  return static_cast<int>(std::min<qint64>(INT_MAX / 2, qint64{TopRow()} * RowHeight()));
}

QModelIndex TResultListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int rows = Rows();
  if (rows == 0) return {};
  const QModelIndex current = currentIndex();
  const qint64 row = current.isValid() ? current.row() : -1;
  qint64 next = row;
  switch (action) {
    case MoveUp: case MovePrevious: next = row - 1; break;
    case MoveDown: case MoveNext: next = row + 1; break;
    case MovePageUp: next = row - PageRows(); break;
    case MovePageDown: next = row + PageRows(); break;
    case MoveHome: next = 0; break;
    case MoveEnd: next = rows - 1; break;
    case MoveLeft: case MoveRight: next = std::max<qint64>(row, 0); break;
  }
  return model()->index(static_cast<int>(std::clamp<qint64>(next, 0, rows - 1)), 0, rootIndex());
}

void TResultListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  const int rows = Rows();
  if (rows == 0) return;
  const QRect r = rect.normalized();
  const int first = static_cast<int>(std::clamp<qint64>(RowAt(r.top()), 0, rows - 1));
  const int last = static_cast<int>(std::clamp<qint64>(RowAt(r.bottom()), 0, rows - 1));
  selectionModel()->select(
      QItemSelection(model()->index(first, 0, rootIndex()), model()->index(last, 0, rootIndex())),
      command);
}

QRegion TResultListView::visualRegionForSelection(const QItemSelection& selection) const {
  const int top = TopRow();
  const int bottom = top + PageRows();  // the partly shown row below the page included
  QRegion region;
  for (const QItemSelectionRange& range : selection) {
    const int first = std::max(range.top(), top);
    const int last = std::min(range.bottom(), bottom);
    if (first <= last) region += RowRect(first).united(RowRect(last));
  }
  return region;
}

void TResultListView::updateGeometries() {
  const int page = PageRows();
  verticalScrollBar()->setRange(0, std::max(0, Rows() - page));
  verticalScrollBar()->setPageStep(page);
  verticalScrollBar()->setSingleStep(1);
  QAbstractItemView::updateGeometries();
}

void TResultListView::scrollContentsBy(int, int) { viewport()->update(); }

void TResultListView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QAbstractItemView::rowsInserted(parent, start, end);
  updateGeometries();
  if (start <= TopRow() + PageRows()) viewport()->update();
}

void TResultListView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int rows = Rows();
  if (rows == 0) return;
  const int first = static_cast<int>(std::clamp<qint64>(RowAt(event->rect().top()), 0, rows - 1));
  const int last = static_cast<int>(std::clamp<qint64>(RowAt(event->rect().bottom()), 0, rows - 1));
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QModelIndex current = currentIndex();
  for (int row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(row, 0, rootIndex());
    option.rect = RowRect(row);
    option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    if (selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
    if (index == current && hasFocus()) option.state |= QStyle::State_HasFocus;
    itemDelegate()->paint(&painter, option, index);
  }
}

}  // namespace gryvel::gui

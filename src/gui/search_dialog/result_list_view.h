#pragma once

#include <QAbstractItemView>

namespace gryvel::gui {

// The search dialog's result list: one column of rows of one height, laid out by arithmetic,
// so that millions of rows keep no memory per row and arriving rows cost no layout pass (a
// QListView keeps two integers a row and lays every row out again as rows arrive). The rows
// are drawn by the item delegate; selection, keys and mouse are the item view's own. The
// vertical scroll bar counts rows.
class TResultListView : public QAbstractItemView {
  Q_OBJECT

 public:
  explicit TResultListView(QWidget* parent = nullptr);

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override { return 0; }
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex&) const override { return false; }
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  void paintEvent(QPaintEvent* event) override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;

 private:
  int Rows() const;
  int RowHeight() const;
  // Rows that fit wholly in the viewport, at least one.
  int PageRows() const;
  int TopRow() const;
  // The row under viewport height `y`, unclamped.
  qint64 RowAt(int y) const;
  QRect RowRect(int row) const;
};

}  // namespace gryvel::gui

// The search dialog's result list: rows by arithmetic over millions of rows, and the item
// view's keys, mouse and selection on them.

#include "gui/search_dialog/result_list_view.h"

#include <QAbstractListModel>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTest>

namespace gryvel::gui {
namespace {

constexpr int kRowHeight = 10;

// `rows` rows that make no text until asked, as the results do.
class TRowsModel : public QAbstractListModel {
 public:
  explicit TRowsModel(int rows) : FRows(rows) {}
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : FRows; }
  QVariant data(const QModelIndex& index, int role) const override {
    return role == Qt::DisplayRole ? QVariant(QString::number(index.row())) : QVariant();
  }
  void Grow(int rows) {
    beginInsertRows({}, FRows, FRows + rows - 1);
    FRows += rows;
    endInsertRows();
  }

 private:
  int FRows;
};

class TFixedRows : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(40, kRowHeight);
  }
};

// A view over `rows` rows whose viewport shows 9 whole rows and half of a tenth.
struct TView {
  explicit TView(int rows) : model(rows) {
    view.setItemDelegate(new TFixedRows(&view));
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setModel(&model);
    view.resize(200, 95 + 2 * view.frameWidth());
    view.show();
    view.setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.viewport()->height(), 95);
  }
  int Row(int y) { return view.indexAt(QPoint(5, y)).row(); }
  int Current() { return view.currentIndex().row(); }
  qsizetype Selected() { return view.selectionModel()->selectedIndexes().size(); }

  TRowsModel model;
  TResultListView view;
};

class TResultListViewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void RowsLieOneHeightApart() {
    TView t(100);
    QCOMPARE(t.Row(0), 0);
    QCOMPARE(t.Row(9), 0);
    QCOMPARE(t.Row(10), 1);
    QCOMPARE(t.Row(94), 9);  // the half-shown row
    QCOMPARE(t.view.visualRect(t.model.index(3, 0)), QRect(0, 30, t.view.viewport()->width(), 10));
    QCOMPARE(t.view.verticalScrollBar()->maximum(), 100 - 9);
    QCOMPARE(t.view.indexAt(QPoint(5, -1)), QModelIndex());
  }

  void KeysMoveAndSelectOverTenMillionRows() {
    TView t(10'000'000);
    QTest::keyClick(&t.view, Qt::Key_End);
    QCOMPARE(t.Current(), 9'999'999);
    QCOMPARE(t.Row(85), 9'999'999);  // scrolled so that the last row shows whole
    QCOMPARE(t.Row(94), -1);         // and nothing below it
    QTest::keyClick(&t.view, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&t.view, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(t.Selected(), 3);
    QTest::keyClick(&t.view, Qt::Key_Home);
    QCOMPARE(t.Current(), 0);
    QCOMPARE(t.view.verticalScrollBar()->value(), 0);
    QTest::keyClick(&t.view, Qt::Key_PageDown);
    QCOMPARE(t.Current(), 9);
    t.view.selectAll();
    const QItemSelection all = t.view.selectionModel()->selection();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all.front().bottom(), 9'999'999);
  }

  void ClicksSelectRowsAndRanges() {
    TView t(100);
    QTest::mouseClick(t.view.viewport(), Qt::LeftButton, {}, QPoint(5, 25));
    QCOMPARE(t.Current(), 2);
    QTest::mouseClick(t.view.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 55));
    QCOMPARE(t.Selected(), 4);  // rows 2 .. 5
    QTest::mouseClick(t.view.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 35));
    QCOMPARE(t.Selected(), 3);  // row 3 taken out
    QVERIFY(!t.view.selectionModel()->isRowSelected(3, {}));
  }

  void ArrivingRowsKeepThePlaceAndGrowTheScrollRange() {
    TView t(50);
    t.view.scrollTo(t.model.index(30, 0), QAbstractItemView::PositionAtTop);
    QCOMPARE(t.Row(0), 30);
    t.model.Grow(1'000'000);
    QCOMPARE(t.Row(0), 30);
    QCOMPARE(t.view.verticalScrollBar()->maximum(), 1'000'050 - 9);
    t.view.scrollTo(t.model.index(500'000, 0));
    QCOMPARE(t.Row(85), 500'000);  // brought into view as the last whole row
  }
};

}  // namespace
}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TResultListViewTest)
#include "result_list_view_test.moc"

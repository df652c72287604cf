#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>

#include "shell/viewer_settings.h"

namespace gryvel::gui {

// Draws a row of the search dialog's results in a word list's look: the result's number
// ("0001") in the word font, the result in the description font, the selection blended and
// edged as the main list draws it. The list's background (texture or colour) is the view's
// base brush, which SetLook returns for the view to take.
class TResultRowDelegate : public QStyledItemDelegate {
 public:
  explicit TResultRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

  // Takes the look; returns the brush the view's background should be painted with.
  QBrush SetLook(const TViewerSettings& look);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QFont FNumberFont;
  QFont FTextFont;
  QColor FNumberColor;
  QColor FTextColor;
  QColor FSelection;
  QColor FSelectionEdge;
  int FIndent = 5;
};

// The row number as the list shows it: at least four digits, zero-filled.
QString ResultNumber(int row);

}  // namespace gryvel::gui

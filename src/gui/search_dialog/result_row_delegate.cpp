#include "gui/search_dialog/result_row_delegate.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "gui/text.h"
#include "gui/widgets/viewer_style.h"

namespace gryvel::gui {

namespace {

constexpr int kNumberGap = 3;  // between the number and the result

QImage Texture(const TViewerSettings& look) {
  QImage texture;
  const QString file = PathToQString(look.TextureFileName);
  if (!file.isEmpty() && QFileInfo(file).isFile()) texture.load(file);
  return texture.isNull() ? DefaultTexture() : texture;
}

}  // namespace

QString ResultNumber(int row) { return QStringLiteral("%1").arg(row + 1, 4, 10, QChar(u'0')); }

QBrush TResultRowDelegate::SetLook(const TViewerSettings& look) {
  FNumberFont = FontFromSettings(look.Font);
  FTextFont = FontFromSettings(look.DescrFont);
  FNumberColor = ColorFromSetting(look.Font.Color);
  FTextColor = ColorFromSetting(look.DescrFont.Color);
  FSelection = ColorFromSetting(look.SelectionColor);
  FSelectionEdge = ColorFromSetting(look.SelectionBorderColor);
  // The selection's opacity, as in the main list.
  FSelection.setAlpha(look.Transparency);
  FSelectionEdge.setAlpha(look.Transparency);
  if (look.ShowTexture) return QBrush(Texture(look));
  QColor color = ColorFromSetting(look.Color);
  color.setAlpha(255);
  return QBrush(color);
}

void TResultRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const QRect r = option.rect;
  painter->save();
  if (option.state & QStyle::State_Selected) {
    painter->fillRect(r.adjusted(0, 1, 0, -1), FSelection);
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), FSelectionEdge);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), FSelectionEdge);
  }
  const QString number = ResultNumber(index.row());
  const int number_width = QFontMetrics(FNumberFont).horizontalAdvance(QStringLiteral("00000"));
  QRect number_rect(r.left() + FIndent, r.top(), number_width, r.height());
  painter->setFont(FNumberFont);
  painter->setPen(FNumberColor);
  painter->drawText(number_rect, Qt::AlignLeft | Qt::AlignVCenter, number);
  QRect text_rect = r.adjusted(number_rect.right() + kNumberGap - r.left(), 0, 0, 0);
  painter->setFont(FTextFont);
  painter->setPen(FTextColor);
  const QString text = index.data(Qt::DisplayRole).toString();
  painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter,
                    QFontMetrics(FTextFont).elidedText(text, Qt::ElideRight, text_rect.width()));
  painter->restore();
}

QSize TResultRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const int height = std::max(QFontMetrics(FNumberFont).height(), QFontMetrics(FTextFont).height());
  const int width = QStyledItemDelegate::sizeHint(option, index).width();
  return QSize(width, height + 2);
}

}  // namespace gryvel::gui

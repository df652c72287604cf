#include "gui/widgets/skin_scroll.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionSlider>

namespace gryvel::gui {

namespace {

const QColor kTrack(236, 236, 238);
const QColor kTrackPressed(218, 218, 222);
const QColor kEdge(168, 170, 178);
const QColor kThumbTop(250, 250, 252);
const QColor kThumbBottom(214, 217, 226);
const QColor kThumbHover(232, 236, 246);
const QColor kArrow(80, 84, 96);
const QColor kArrowDisabled(176, 176, 180);

// A small triangle centred in `box`, pointing up or down.
void DrawArrow(QPainter& painter, const QRectF& box, bool up, const QColor& color) {
  const QPointF c = box.center();
  const qreal w = std::min(box.width(), box.height()) * 0.25;
  const qreal h = w * 0.6;
  const QPolygonF arrow =
      up ? QPolygonF({QPointF(c.x() - w, c.y() + h), QPointF(c.x() + w, c.y() + h),
                      QPointF(c.x(), c.y() - h)})
         : QPolygonF({QPointF(c.x() - w, c.y() - h), QPointF(c.x() + w, c.y() - h),
                      QPointF(c.x(), c.y() + h)});
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawPolygon(arrow);
}

}  // namespace

TSkinScroll::TSkinScroll(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
  setFixedWidth(kWidth);
}

QSize TSkinScroll::sizeHint() const { return QSize(kWidth, QScrollBar::sizeHint().height()); }

void TSkinScroll::paintEvent(QPaintEvent*) {
  // The parts sit where the style puts them, so QScrollBar's own hit-testing matches the picture.
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect sub = style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                            QStyle::SC_ScrollBarSubLine, this);
  const QRect add = style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                            QStyle::SC_ScrollBarAddLine, this);
  const QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                              QStyle::SC_ScrollBarSlider, this);
  const bool enabled = isEnabled() && maximum() > minimum();
  const auto pressed = [&](QStyle::SubControl part) {
    return (option.activeSubControls & part) && (option.state & QStyle::State_Sunken);
  };

  QPainter painter(this);
  painter.fillRect(rect(), kTrack);
  if (pressed(QStyle::SC_ScrollBarSubPage) || pressed(QStyle::SC_ScrollBarAddPage)) {
    const QRect page = style()->subControlRect(
        QStyle::CC_ScrollBar, &option,
        pressed(QStyle::SC_ScrollBarSubPage) ? QStyle::SC_ScrollBarSubPage
                                             : QStyle::SC_ScrollBarAddPage,
        this);
    painter.fillRect(page, kTrackPressed);
  }
  painter.fillRect(QRect(0, 0, 1, height()), kEdge);  // the seam with the list

  painter.setRenderHint(QPainter::Antialiasing);
  for (const auto& [box, up, part] : {std::tuple{sub, true, QStyle::SC_ScrollBarSubLine},
                                      std::tuple{add, false, QStyle::SC_ScrollBarAddLine}}) {
    if (box.isEmpty()) continue;
    if (pressed(part)) painter.fillRect(box.adjusted(1, 0, 0, 0), kTrackPressed);
    DrawArrow(painter, QRectF(box), up, enabled ? kArrow : kArrowDisabled);
  }

  if (enabled && !thumb.isEmpty()) {
    const QRectF body = QRectF(thumb).adjusted(2.5, 0.5, -1.5, -0.5);
    QLinearGradient fill(body.topLeft(), body.topRight());
    const bool hot = pressed(QStyle::SC_ScrollBarSlider) ||
                     (option.activeSubControls & QStyle::SC_ScrollBarSlider);
    fill.setColorAt(0, hot ? kThumbHover : kThumbTop);
    fill.setColorAt(1, kThumbBottom);
    painter.setPen(QPen(kEdge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, 2, 2);
  }
}

}  // namespace gryvel::gui

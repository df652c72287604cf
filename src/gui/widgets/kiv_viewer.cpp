#include "gui/widgets/kiv_viewer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QApplication>
#include <QWheelEvent>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/message_sink.h"
#include "dictionary/dictionary_collection.h"
#include "gui/text.h"

namespace gryvel::gui {

namespace {

constexpr std::int32_t kAllFit = std::numeric_limits<std::int32_t>::max();
constexpr int kUnbounded = 1 << 24;  // height of the rectangle a description is measured in
constexpr int kDescriptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

int RightOf(const QRect& r) { return r.x() + r.width(); }    // exclusive
int BottomOf(const QRect& r) { return r.y() + r.height(); }  // exclusive

}  // namespace

TKivViewer::TKivViewer(QWidget* parent)
    : QWidget(parent),
      FWordMetrics(FLook.WordFont, this),
      FPosMetrics(FLook.PosFont, this),
      FDescriptionMetrics(FLook.DescriptionFont, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  FLineHeight = FWordMetrics.height() + 2;
  resize(120, 80);
}

TKivViewer::~TKivViewer() {
  if (FDataSource != nullptr) FDataSource->RemoveViewer(this);
}

// --- Data ------------------------------------------------------------------------------------

const std::vector<std::int32_t>* TKivViewer::View() const {
  if (FDataSource == nullptr || FDataSource->Dictionary() == nullptr) return nullptr;
  return &FDataSource->View();
}

TDictionaryCollection* TKivViewer::Collection() const {
  return FDataSource == nullptr ? nullptr : FDataSource->Dictionary();
}

QString TKivViewer::WordOf(std::int32_t index) const {
  const TDictionaryCollection* collection = Collection();
  if (collection == nullptr || index < 0 || index >= collection->Count()) return {};
  return ToQString(collection->Items()[static_cast<std::size_t>(index)]->Word);
}

QString TKivViewer::DescriptionOf(std::int32_t index) const {
  const TDictionaryCollection* collection = Collection();
  if (collection == nullptr || index < 0 || index >= collection->Count()) return {};
  // Without either flag no holder has a description: skip asking (it may read a file).
  const TArticleItem& item = *collection->Items()[static_cast<std::size_t>(index)];
  if (!(item.Flags & (kFlagHasDescription | kFlagInOtherDictionary))) return {};
  const std::string text = collection->Description(index);
  if (text.empty()) return {};
  QString shown = ToQString(text);
  if (shown.contains(QLatin1Char('\r'))) {
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  }
  return shown;
}

QString TKivViewer::PartOfSpeechOf(std::int32_t index) {
  FPosBuffer.clear();
  if (OnGetPartOfSpeechText) OnGetPartOfSpeechText(*this, index, FPosBuffer);
  return FPosBuffer.empty() ? QString() : ToQString(FPosBuffer);
}

void TKivViewer::SetDataSource(TResultSource* source) {
  if (source == FDataSource) return;
  if (FDataSource != nullptr) FDataSource->RemoveViewer(this);
  FDataSource = source;
  if (FDataSource != nullptr) FDataSource->AddViewer(this);
  FSelPositionHint = -1;
  FOwnerlessShown = false;
  Relayout();
  if (OnChangeDictionary) OnChangeDictionary(*this);
  Invalidate();
}

// --- Layout ----------------------------------------------------------------------------------

QRect TKivViewer::ContentRect() const {
  return QRect(1, 1, std::max(0, width() - 2), std::max(0, height() - 2));
}

bool TKivViewer::LayoutItem(int x, int y, std::int32_t index, QRect& rect, TSlotText* text) {
  const QRect content = ContentRect();
  const int right = RightOf(content);
  const int bottom = BottomOf(content);
  if (bottom - y < FLineHeight) {
    rect = QRect();
    return false;
  }
  int item_bottom = y + FLineHeight;
  QString description;
  int height = 0;
  if (FLook.ShowDescription) {
    description = DescriptionOf(index);
    if (!description.isEmpty()) {
      const int left = x + FLook.TextIndent + FLook.DescriptionIndent;
      const QRect bounds(left, item_bottom, std::max(1, right - left), kUnbounded);
      height = FDescriptionMetrics.boundingRect(bounds, kDescriptionFlags, description).height();
      item_bottom = std::min(item_bottom + height + 2, bottom);
    }
  }
  if (text != nullptr) {
    text->Description = std::move(description);
    text->DescriptionHeight = height;
  }
  rect = QRect(x, y, right - x, item_bottom - y);
  return true;
}

void TKivViewer::DoLayout() {
  FLayout.clear();
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || view->empty()) return;
  const QRect content = ContentRect();
  int y = content.y();
  for (std::size_t position = static_cast<std::size_t>(std::max(0, FTopIndex));
       position < view->size(); ++position) {
    const std::size_t slot = FLayout.size();
    if (FSlotTexts.size() <= slot) FSlotTexts.resize(slot + 10);
    const std::int32_t entry = (*view)[position];
    QRect rect;
    if (!LayoutItem(content.x(), y, entry, rect, &FSlotTexts[slot])) break;
    FLayout.push_back({rect, entry, entry == FSelItem});
    y = BottomOf(rect);
  }
}

void TKivViewer::ComputeFitAtEnd() {
  const QRect content = ContentRect();
  if (!FLook.ShowDescription) {
    FFitAtEnd = FLineHeight > 0 ? content.height() / FLineHeight : 0;
    return;
  }
  const std::vector<std::int32_t>* view = View();
  FFitAtEnd = kAllFit;
  if (view == nullptr || view->empty()) return;
  int total = content.y();
  std::int32_t walked = 0;
  for (auto position = static_cast<std::ptrdiff_t>(view->size()) - 1; position >= 0;
       --position) {
    QRect rect;
    // An item whose word line cannot fit at all ends the walk like an overflow.
    if (!LayoutItem(content.x(), content.y(), (*view)[static_cast<std::size_t>(position)], rect,
                    nullptr)) {
      FFitAtEnd = walked;
      return;
    }
    total += rect.height();
    if (total > BottomOf(content)) {
      FFitAtEnd = walked;
      return;
    }
    ++walked;
  }
}

std::int32_t TKivViewer::MaxTop() const {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || FFitAtEnd == kAllFit) return 0;
  const std::int64_t max = static_cast<std::int64_t>(view->size()) - FFitAtEnd;
  return static_cast<std::int32_t>(std::max<std::int64_t>(0, max));
}

void TKivViewer::Relayout() {
  ComputeFitAtEnd();
  FTopIndex = std::clamp(FTopIndex, 0, MaxTop());
  DoLayout();
}

void TKivViewer::FireScroll() {
  if (OnScroll) OnScroll(*this, FTopIndex, MaxTop());
}

void TKivViewer::SetTopIndex(std::int32_t position) {
  position = std::clamp(position, 0, MaxTop());
  if (position == FTopIndex) return;
  FTopIndex = position;
  DoLayout();
  Invalidate();
}

void TKivViewer::DataChanged() {
  Relayout();
  FireScroll();
  Invalidate();
}

void TKivViewer::ItemChanged(std::int32_t index) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr) return;
  // On screen, or the first item below it.
  bool shown = MaxTop() == 0 || std::any_of(FLayout.begin(), FLayout.end(), [&](const TItemSlot& s) {
                 return s.Index == index;
               });
  const std::size_t next = static_cast<std::size_t>(FTopIndex) + FLayout.size();
  if (!shown && next < view->size() && (*view)[next] == index) shown = true;
  if (shown) DataChanged();
}

void TKivViewer::LocateItem(std::int32_t index, std::int32_t position) {
  BeginUpdate();
  FSelPositionHint = position;
  SetSelItem(index);
  SetTopIndex(CenteredTop(position, VisibleCount()));
  FireScroll();
  EndUpdate(true);
}

void TKivViewer::SourceDestroyed() {
  FDataSource = nullptr;
  FSelPositionHint = -1;
  Relayout();
  Invalidate();
}

void TKivViewer::BeginUpdate() { ++FUpdateLock; }

void TKivViewer::EndUpdate(bool relayout) {
  if (--FUpdateLock >= 1) return;
  FUpdateLock = 0;
  if (relayout) {
    Relayout();
    Invalidate();
  }
}

// --- Selection and input ---------------------------------------------------------------------

std::int32_t TKivViewer::PositionOf(std::int32_t entry) const {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr) return -1;
  const auto size = static_cast<std::int32_t>(view->size());
  if (FSelPositionHint >= 0 && FSelPositionHint < size &&
      (*view)[static_cast<std::size_t>(FSelPositionHint)] == entry)
    return FSelPositionHint;
  for (std::size_t slot = 0; slot < FLayout.size(); ++slot)
    if (FLayout[slot].Index == entry) return FSelPositionHint = FTopIndex + static_cast<std::int32_t>(slot);
  const auto at = std::find(view->begin(), view->end(), entry);
  if (at == view->end()) return -1;
  return FSelPositionHint = static_cast<std::int32_t>(at - view->begin());
}

void TKivViewer::SelectPosition(std::int32_t position) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || position < 0 || position >= static_cast<std::int32_t>(view->size()))
    return;
  FSelPositionHint = position;
  SetSelItem((*view)[static_cast<std::size_t>(position)]);
}

void TKivViewer::SetSelItem(std::int32_t entry_index) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || view->empty()) {
    FSelItem = 0;
    return;
  }
  if (entry_index == FSelItem) return;
  bool allow = true;
  if (OnBeforeSelectionChanged) {
    BeginUpdate();
    OnBeforeSelectionChanged(*this, entry_index, allow);
    EndUpdate(false);
  }
  if (!allow) return;
  const std::int32_t old = FSelItem;
  FSelItem = entry_index;
  RedrawEntry(old, false);
  RedrawEntry(entry_index, true);
  if (OnAfterSelectionChanged) OnAfterSelectionChanged(*this);
  FNeedsLayout = true;
}

void TKivViewer::RedrawEntry(std::int32_t entry, bool selected) {
  for (std::size_t slot = 0; slot < FLayout.size(); ++slot) {
    if (FLayout[slot].Index != entry) continue;
    FLayout[slot].Selected = selected;
    if (FUpdateLock == 0) update(FLayout[slot].Rect);
    return;
  }
}

void TKivViewer::MoveBy(std::int32_t top_step, std::int32_t selection_step, bool ctrl) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || view->empty()) return;
  SetTopIndex(FTopIndex + top_step);
  const std::int32_t base = ctrl ? 0 : PositionOf(FSelItem);
  const auto last = static_cast<std::int32_t>(view->size()) - 1;
  SelectPosition(std::clamp(base + selection_step, 0, last));
}

void TKivViewer::keyPressEvent(QKeyEvent* event) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || view->empty()) {
    QWidget::keyPressEvent(event);
    return;
  }
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  const auto last = static_cast<std::int32_t>(view->size()) - 1;
  const std::int32_t page = VisibleCount() - 2;
  bool handled = true;
  BeginUpdate();
  if (ctrl && event->key() == Qt::Key_End) {
    SetTopIndex(last);
    SelectPosition(last);
  } else if (ctrl && event->key() == Qt::Key_Home) {
    SetTopIndex(0);
    SelectPosition(0);
  } else if (ctrl && event->key() == Qt::Key_Insert) {
    const QString word = WordOf(FSelItem);
    if (!word.isEmpty()) QGuiApplication::clipboard()->setText(word);
  }
  switch (event->key()) {
    case Qt::Key_PageUp: MoveBy(-page, -page, ctrl); break;
    case Qt::Key_PageDown: MoveBy(page, page, ctrl); break;
    case Qt::Key_Up: MoveBy(-1, -1, ctrl); break;
    case Qt::Key_Down: MoveBy(1, 1, ctrl); break;
    case Qt::Key_Home: MoveBy(0, FTopIndex - PositionOf(FSelItem), ctrl); break;
    case Qt::Key_End:
    case Qt::Key_Insert: handled = ctrl; break;
    default: handled = false; break;
  }
  FireScroll();
  EndUpdate(FNeedsLayout);
  if (handled)
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

void TKivViewer::wheelEvent(QWheelEvent* event) {
  constexpr double kNotch = 120;  // angleDelta of one wheel notch
  const int delta = event->angleDelta().y();
  if (delta == 0) return QWidget::wheelEvent(event);
  // A turn the other way drops what was left of the last one.
  if ((delta > 0) != (FWheelRows > 0)) FWheelRows = 0;
  FWheelRows += delta / kNotch * QApplication::wheelScrollLines();
  const auto rows = static_cast<std::int32_t>(FWheelRows);
  FWheelRows -= rows;
  event->accept();
  if (rows == 0) return;
  const std::int32_t before = FTopIndex;
  SetTopIndex(FTopIndex - rows);
  if (FTopIndex != before) FireScroll();
}

void TKivViewer::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  for (std::size_t slot = 0; slot < FLayout.size(); ++slot) {
    if (!FLayout[slot].Rect.contains(point)) continue;
    FSelPositionHint = FTopIndex + static_cast<std::int32_t>(slot);
    SetSelItem(FLayout[slot].Index);
    break;
  }
  setFocus(Qt::MouseFocusReason);
  event->accept();
}

int TKivViewer::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x > width() || y > height()) return kHitOutside;
  if (FLook.Border > 0 && !(FLook.Border <= x && FLook.Border <= y && x <= width() - 2 * FLook.Border &&
                       y <= height() - 2 * FLook.Border))
    return kHitBorder;
  const auto slot = std::find_if(FLayout.begin(), FLayout.end(), [&](const TItemSlot& s) {
    return s.Rect.contains(x, y);
  });
  if (slot == FLayout.end()) return kHitBackground;
  if (y >= slot->Rect.y() + FLineHeight) return kHitDescription;
  std::string part;
  // The handler takes the viewer as its sender; asking it changes nothing here.
  if (OnGetPartOfSpeechText)
    OnGetPartOfSpeechText(const_cast<TKivViewer&>(*this), slot->Index, part);
  const QString pos = part.empty() ? QString() : ToQString(part);
  int w = FWordMetrics.horizontalAdvance(WordOf(slot->Index)) + FLook.TextIndent;
  if (!pos.isEmpty()) w += kWordGap;
  if (x < w) return kHitWord;
  if (x < w + FPosMetrics.horizontalAdvance(pos)) return kHitPartOfSpeech;
  return kHitBackground;
}

// --- Look ------------------------------------------------------------------------------------

void TKivViewer::Invalidate() { update(); }

void TKivViewer::SetColor(const QColor& color) {
  if (color == FLook.Color) return;
  FLook.Color = color;
  Invalidate();
}

void TKivViewer::SetBorderColor(const QColor& color) {
  if (color == FLook.BorderColor) return;
  FLook.BorderColor = color;
  Invalidate();
}

void TKivViewer::SetSelColor(const QColor& color) {
  if (color == FLook.SelColor) return;
  FLook.SelColor = color;
  Invalidate();
}

void TKivViewer::SetSelBorderColor(const QColor& color) {
  if (color == FLook.SelBorderColor) return;
  FLook.SelBorderColor = color;
  Invalidate();
}

void TKivViewer::SetBorder(int border) {
  if (border == FLook.Border) return;
  FLook.Border = border;
  Invalidate();
}

void TKivViewer::SetSelBorder(int border) {
  if (border == FLook.SelBorder) return;
  FLook.SelBorder = border;
  Invalidate();
}

void TKivViewer::SetTransparency(int transparency) {
  transparency = std::clamp(transparency, 0, 255);
  if (transparency == FLook.Transparency) return;
  FLook.Transparency = transparency;
  RedrawEntry(FSelItem, true);
}

void TKivViewer::SetTextIndent(int indent) {
  if (indent == FLook.TextIndent) return;
  FLook.TextIndent = indent;
  Relayout();
  Invalidate();
}

void TKivViewer::SetDescriptionIndent(int indent) {
  if (indent == FLook.DescriptionIndent) return;
  FLook.DescriptionIndent = indent;
  Relayout();
  Invalidate();
}

void TKivViewer::FontsChanged() {
  FWordMetrics = QFontMetrics(FLook.WordFont, this);
  FPosMetrics = QFontMetrics(FLook.PosFont, this);
  FDescriptionMetrics = QFontMetrics(FLook.DescriptionFont, this);
  FLineHeight = FWordMetrics.height() + 2;
  Relayout();
  FireScroll();
  Invalidate();
}

void TKivViewer::SetWordFont(const QFont& font, const QColor& color) {
  FLook.WordFont = font;
  FLook.WordColor = color;
  FontsChanged();
}

void TKivViewer::SetPartOfSpeechFont(const QFont& font, const QColor& color) {
  FLook.PosFont = font;
  FLook.PosColor = color;
  FontsChanged();
}

void TKivViewer::SetDescriptionFont(const QFont& font, const QColor& color) {
  FLook.DescriptionFont = font;
  FLook.DescriptionColor = color;
  FontsChanged();
}

void TKivViewer::SetBackGround(const QImage& image) {
  FLook.BackGround = image;
  // Tiles are opaque: a texture with holes would let stale pixels show.
  FLook.Texture = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  Invalidate();
}

void TKivViewer::SetShowDescription(bool show) {
  if (show == FLook.ShowDescription) return;
  FLook.ShowDescription = show;
  Relayout();
  FireScroll();
  Invalidate();
}

void TKivViewer::SetShowTexture(bool show) {
  if (show == FLook.ShowTexture) return;
  FLook.ShowTexture = show;
  Invalidate();
}

void TKivViewer::SetShowPartsOfSpeech(bool show) {
  if (show == FLook.ShowPartsOfSpeech) return;
  FLook.ShowPartsOfSpeech = show;
  Invalidate();
}

void TKivViewer::SetShowWordSource(bool show) {
  if (show == FLook.ShowWordSource) return;
  FLook.ShowWordSource = show;
  Invalidate();
}

void TKivViewer::SetImages(std::vector<QImage> images) {
  FLook.Images = std::move(images);
  Invalidate();
}

void TKivViewer::Assign(const TKivViewer& other) {
  if (&other == this) return;
  FLook = other.FLook;
  // Tags that styling helpers keep on a viewer (such as where a colour came from) go along.
  for (const QByteArray& name : other.dynamicPropertyNames())
    setProperty(name.constData(), other.property(name.constData()));
  FontsChanged();
}

// --- Painting --------------------------------------------------------------------------------

void TKivViewer::FillBackground(QPainter& painter, const QRect& rect) const {
  if (!FLook.Texture.isNull() && FLook.ShowTexture) {
    // The brush's origin is the painter's, the control's top-left corner.
    painter.fillRect(rect, QBrush(FLook.Texture));
  } else {
    QColor opaque = FLook.Color;
    opaque.setAlpha(255);
    painter.fillRect(rect, opaque);
  }
}

void TKivViewer::DrawItem(QPainter& painter, std::size_t slot) {
  const TItemSlot& item = FLayout[slot];
  const QRect& r = item.Rect;
  ++FDrawnItems;
  FillBackground(painter, r);
  const TDictionaryCollection* collection = Collection();
  if (collection == nullptr || item.Index < 0 || item.Index >= collection->Count()) return;

  const int bottom = BottomOf(r);
  if (item.Selected) DrawSelection(painter, r, slot == 0, bottom == BottomOf(ContentRect()));
  if (collection->Owner(item.Index) == nullptr) {
    if (!FOwnerlessShown) {
      FOwnerlessShown = true;
      // Not from inside a paint: a message box runs its own event loop.
      QMetaObject::invokeMethod(
          this, [] { ShowMessage("Dictionary = nil!!!"); }, Qt::QueuedConnection);
    }
    return;
  }
  DrawWordLine(painter, item);
  if (FLook.ShowDescription) {
    DrawDescription(painter, r, bottom, FSlotTexts[slot]);
  } else if (!FLook.Images.empty() && !FLook.Images.front().isNull() &&
             !DescriptionOf(item.Index).isEmpty()) {
    const QImage& marker = FLook.Images.front();
    const int mx = width() - marker.width() - 3;
    const int my = r.y() + static_cast<int>(std::lround((FLineHeight - marker.height()) / 2.0));
    painter.drawImage(QPoint(mx, my), marker);
  }
}

void TKivViewer::DrawSelection(QPainter& painter, const QRect& r, bool first, bool at_bottom) {
  // Transparency is the selection's opacity: at 255 - Transparency the designed 223 would
  // leave the selection all but invisible on a white list.
  const int alpha = FLook.Transparency;
  const int bottom = BottomOf(r);
  const int top = first ? r.y() : r.y() + 1;
  const int fill_bottom = (at_bottom ? bottom : bottom - 1) - 1;  // exclusive
  const int width = r.width() - 1;
  QColor fill = FLook.SelColor;
  fill.setAlpha(alpha);
  painter.fillRect(QRect(r.x(), top, width, fill_bottom - top), fill);
  QColor edge = FLook.SelBorderColor;
  edge.setAlpha(alpha);
  if (!first) painter.fillRect(QRect(r.x(), r.y(), width, 1), edge);
  if (!at_bottom) painter.fillRect(QRect(r.x(), bottom - 1, width, 1), edge);
}

void TKivViewer::DrawWordLine(QPainter& painter, const TItemSlot& item) {
  const QRect& r = item.Rect;
  const QString word = WordOf(item.Index);
  const QString part = FLook.ShowPartsOfSpeech ? PartOfSpeechOf(item.Index) : QString();
  const int x = r.x() + FLook.TextIndent;
  const int part_x = x + FWordMetrics.horizontalAdvance(word) + kWordGap;
  const int line_end = part.isEmpty() ? part_x : part_x + FPosMetrics.horizontalAdvance(part);
  // Clipping costs: only a word line wider than the item needs it.
  const bool clip = line_end > RightOf(r);
  if (clip) painter.setClipRect(r);
  const int baseline = r.y() + FWordMetrics.ascent();
  painter.setFont(FLook.WordFont);
  painter.setPen(FLook.WordColor);
  painter.drawText(QPoint(x, baseline), word);
  if (!part.isEmpty()) {
    // One baseline with the word.
    painter.setFont(FLook.PosFont);
    painter.setPen(FLook.PosColor);
    painter.drawText(QPoint(part_x, baseline), part);
  }
  if (clip) painter.setClipping(false);
}

void TKivViewer::DrawDescription(QPainter& painter, const QRect& r, int bottom,
                                 const TSlotText& text) {
  const int left = r.x() + FLook.TextIndent + FLook.DescriptionIndent;
  const int top = r.y() + FLineHeight;
  int height = bottom - top;
  // A cut description shows whole lines only.
  if (text.DescriptionHeight > height) {
    const int line = std::max(1, FDescriptionMetrics.lineSpacing());
    height = height / line * line;
  }
  if (text.Description.isEmpty() || height <= 0) return;
  painter.setFont(FLook.DescriptionFont);
  painter.setPen(FLook.DescriptionColor);
  painter.drawText(QRect(left, top, RightOf(r) - left, height), kDescriptionFlags,
                   text.Description);
}

void TKivViewer::DrawFrame(QPainter& painter) const {
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, width() - 1, height() - 1);
}

// Draws the part `area` of the control. Items outside it are skipped; what they would
// draw there is clipped away by the painter anyway.
void TKivViewer::Paint(QPainter& painter, const QRegion& area) {
  const std::vector<std::int32_t>* view = View();
  if (view == nullptr || view->empty()) {
    FLayout.clear();
    FillBackground(painter, rect());
    DrawFrame(painter);
    return;
  }
  // Each item fills its own rectangle: only the rest needs the background here.
  QRegion rest = area;
  if (!FLayout.empty()) {
    const QRect content = ContentRect();
    const int items_bottom = BottomOf(FLayout.back().Rect);
    rest -= QRect(content.x(), content.y(), content.width(), items_bottom - content.y());
  }
  for (const QRect& part : rest) FillBackground(painter, part);
  for (std::size_t slot = 0; slot < FLayout.size(); ++slot)
    if (area.intersects(FLayout[slot].Rect)) DrawItem(painter, slot);
  if (FLook.Border > 0) DrawFrame(painter);
}

// The window's backing store is already an off-screen buffer: the exposed area is drawn
// straight into it, with no image of the control's own in between.
void TKivViewer::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  Paint(painter, event->region());
  FNeedsLayout = false;
}

void TKivViewer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
  FireScroll();
  Invalidate();
}

}  // namespace gryvel::gui

#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "results/result_source.h"

// The word list: an owner-drawn, focusable list of the entries in a result source's view. Each
// item shows the word, optionally a part-of-speech text after it on the same baseline, and
// optionally the word's description wrapped under it, so items differ in height. It paints
// straight into its window's backing store, which is off-screen, so a texture and a
// translucent selection draw without flicker. Only the items on screen are laid out, and only
// those in the area to repaint are drawn.
//
// Lifetime: the viewer is borrowed by its result source. It removes itself from the source
// when destroyed; a source destroyed first tells it (SourceDestroyed), and the viewer then
// shows an empty list.
//
// Thread safety: UI thread only.

namespace gryvel::gui {

// The list's look: its colours, fonts, indents, texture, marker images and show switches,
// everything one viewer copies from another (Assign), compared whole.
struct TListLook {
  QColor Color{152, 164, 203};
  int Border = 0;
  QColor BorderColor{Qt::black};
  QColor SelColor{200, 174, 162};
  QColor SelBorderColor{0, 0, 128};
  int SelBorder = 1;
  int Transparency = 223;
  int TextIndent = 3;
  int DescriptionIndent = 3;
  QFont WordFont;
  QFont PosFont;
  QFont DescriptionFont;
  QColor WordColor{Qt::black};
  QColor PosColor{Qt::black};
  QColor DescriptionColor{Qt::black};
  QImage BackGround;
  QImage Texture;  // BackGround as an opaque brush image
  QString TextureFileName;
  bool ShowDescription = true;
  bool ShowTexture = true;
  bool ShowPartsOfSpeech = false;
  bool ShowWordSource = false;
  std::vector<QImage> Images;

  bool operator==(const TListLook&) const = default;
};

class TKivViewer : public QWidget, public TResultViewer {
  Q_OBJECT

 public:
  // One item on screen.
  struct TItemSlot {
    QRect Rect;            // the whole item: word line and description
    std::int32_t Index;    // entry index in the collection's merged list
    bool Selected;
  };

  // Hit-test zones.
  static constexpr int kHitOutside = 0;
  static constexpr int kHitBorder = 1;
  static constexpr int kHitWord = 2;
  static constexpr int kHitPartOfSpeech = 3;
  static constexpr int kHitDescription = 4;
  static constexpr int kHitBackground = 5;

  // Pixels between the end of the word and the part-of-speech text.
  static constexpr int kWordGap = 7;

  explicit TKivViewer(QWidget* parent = nullptr);
  ~TKivViewer() override;
  TKivViewer(const TKivViewer&) = delete;
  TKivViewer& operator=(const TKivViewer&) = delete;

  // Fired with the new entry; setting `allow` to false keeps the old selection.
  std::function<void(TKivViewer&, std::int32_t new_item, bool& allow)> OnBeforeSelectionChanged;
  std::function<void(TKivViewer&)> OnAfterSelectionChanged;
  // The data source was changed.
  std::function<void(TKivViewer&)> OnChangeDictionary;
  // The top position or its greatest value may have changed; the owner moves its scroll bar.
  std::function<void(TKivViewer&, std::int32_t position, std::int32_t max)> OnScroll;
  // Supplies the part-of-speech text (code page 1251) of entry `index`; `text` comes empty.
  std::function<void(TKivViewer&, std::int32_t index, std::string& text)> OnGetPartOfSpeechText;

  // The source whose view is shown (borrowed); null shows an empty list.
  TResultSource* DataSource() const { return FDataSource; }
  void SetDataSource(TResultSource* source);

  QColor Color() const { return FLook.Color; }
  void SetColor(const QColor& color);
  QColor BorderColor() const { return FLook.BorderColor; }
  void SetBorderColor(const QColor& color);
  QColor SelColor() const { return FLook.SelColor; }
  void SetSelColor(const QColor& color);
  QColor SelBorderColor() const { return FLook.SelBorderColor; }
  void SetSelBorderColor(const QColor& color);
  // A 1-pixel frame is drawn when above 0.
  int Border() const { return FLook.Border; }
  void SetBorder(int border);
  int SelBorder() const { return FLook.SelBorder; }
  void SetSelBorder(int border);
  // The selection's fill and edges are blended with opacity Transparency (the texture shows
  // through the rest); clamped to 0 .. 255.
  int Transparency() const { return FLook.Transparency; }
  void SetTransparency(int transparency);
  // Pixels from the item's left edge to the word, and further to the description.
  int TextIndent() const { return FLook.TextIndent; }
  void SetTextIndent(int indent);
  int DescriptionIndent() const { return FLook.DescriptionIndent; }
  void SetDescriptionIndent(int indent);

  // The fonts of the three texts with their colours.
  void SetWordFont(const QFont& font, const QColor& color);
  void SetPartOfSpeechFont(const QFont& font, const QColor& color);
  void SetDescriptionFont(const QFont& font, const QColor& color);
  QFont WordFont() const { return FLook.WordFont; }
  QColor WordFontColor() const { return FLook.WordColor; }
  QFont PartOfSpeechFont() const { return FLook.PosFont; }
  QColor PartOfSpeechFontColor() const { return FLook.PosColor; }
  QFont DescriptionFont() const { return FLook.DescriptionFont; }
  QColor DescriptionFontColor() const { return FLook.DescriptionColor; }

  // The texture tiled behind the items when ShowTexture is on; a null image fills with Color.
  const QImage& BackGround() const { return FLook.BackGround; }
  void SetBackGround(const QImage& image);
  // The texture's file name; only stored (and copied by Assign), never read here.
  QString TextureFileName() const { return FLook.TextureFileName; }
  void SetTextureFileName(const QString& name) { FLook.TextureFileName = name; }

  bool ShowDescription() const { return FLook.ShowDescription; }
  void SetShowDescription(bool show);
  bool ShowTexture() const { return FLook.ShowTexture; }
  void SetShowTexture(bool show);
  bool ShowPartsOfSpeech() const { return FLook.ShowPartsOfSpeech; }
  void SetShowPartsOfSpeech(bool show);
  bool ShowWordSource() const { return FLook.ShowWordSource; }
  void SetShowWordSource(bool show);

  // The first image marks words that have a description while descriptions are hidden.
  const std::vector<QImage>& Images() const { return FLook.Images; }
  void SetImages(std::vector<QImage> images);

  // The selected entry index (not a view position); -1 when none.
  std::int32_t SelItem() const { return FSelItem; }
  // Selects entry `entry_index`, asking OnBeforeSelectionChanged first; redraws only the two
  // items concerned. Without a view the selection becomes 0.
  void SetSelItem(std::int32_t entry_index);

  // The view position of the first item shown.
  std::int32_t TopIndex() const { return FTopIndex; }
  // Clamps `position` to 0 .. MaxTop and, when it moves, lays out and repaints.
  void SetTopIndex(std::int32_t position);
  // How many items fit when the list is scrolled to its end (INT32_MAX when all fit).
  std::int32_t FitAtEnd() const { return FFitAtEnd; }
  // The greatest TopIndex.
  std::int32_t MaxTop() const;
  // Number of items on screen.
  std::int32_t VisibleCount() const { return static_cast<std::int32_t>(FLayout.size()); }
  // Height of the word line: the height of "W" in the word font plus 2.
  int LineHeight() const { return FLineHeight; }
  // The items on screen, top to bottom.
  const std::vector<TItemSlot>& Layout() const { return FLayout; }
  // The area items are laid out in: the control shrunk by 1 pixel on every side.
  QRect ContentRect() const;

  // Hold repaints; the last EndUpdate lays out and repaints when `relayout`.
  void BeginUpdate();
  void EndUpdate(bool relayout);
  // The selection changed while held: pass this to EndUpdate.
  bool NeedsLayout() const { return FNeedsLayout; }

  // The zone at (x, y): kHitOutside, kHitBorder, kHitWord, kHitPartOfSpeech,
  // kHitDescription or kHitBackground.
  int HitTest(int x, int y) const;

  // Takes the look of `other`: colours, border, transparency, indents, fonts, switches,
  // texture and images; then lays out and repaints.
  void Assign(const TKivViewer& other);
  const TListLook& Look() const { return FLook; }

  // Schedules a repaint of the whole control.
  void Invalidate();
  // Items drawn since the last reset.
  std::int64_t DrawnItems() const { return FDrawnItems; }
  void ResetDrawnItems() { FDrawnItems = 0; }

  // TResultViewer
  void DataChanged() override;
  void ItemChanged(std::int32_t index) override;
  void LocateItem(std::int32_t index, std::int32_t position) override;
  void SourceDestroyed() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Scrolls by the desktop's wheel setting (rows per notch); high-resolution steps of a
  // touchpad add up, so it scrolls smoothly.
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Texts of a slot, read once per layout.
  struct TSlotText {
    QString Description;         // empty when hidden or none
    int DescriptionHeight = 0;   // its wrapped height, uncut
  };

  const std::vector<std::int32_t>* View() const;
  TDictionaryCollection* Collection() const;
  // The item rectangle of entry `index` at (x, y); false when its word line does not fit.
  // `description` receives the description when it is laid out.
  bool LayoutItem(int x, int y, std::int32_t index, QRect& rect, TSlotText* text);
  void DoLayout();
  void ComputeFitAtEnd();
  // FitAtEnd, TopIndex clamped, Layout.
  void Relayout();
  void FireScroll();
  void FontsChanged();
  // The description of entry `index` as shown, empty without one.
  QString DescriptionOf(std::int32_t index) const;
  QString WordOf(std::int32_t index) const;
  QString PartOfSpeechOf(std::int32_t index);
  std::int32_t PositionOf(std::int32_t entry) const;
  void SelectPosition(std::int32_t position);
  void MoveBy(std::int32_t top_step, std::int32_t selection_step, bool ctrl);
  // Marks the slot holding `entry` and schedules a repaint of its rectangle.
  void RedrawEntry(std::int32_t entry, bool selected);
  void FillBackground(QPainter& painter, const QRect& rect) const;
  void DrawItem(QPainter& painter, std::size_t slot);
  // DrawItem's steps: the selection's fill and edges (none on the list's first and last rows),
  // the word with its part of speech on one baseline, and the description's whole lines.
  void DrawSelection(QPainter& painter, const QRect& r, bool first, bool at_bottom);
  void DrawWordLine(QPainter& painter, const TItemSlot& item);
  void DrawDescription(QPainter& painter, const QRect& r, int bottom, const TSlotText& text);
  void DrawFrame(QPainter& painter) const;
  void Paint(QPainter& painter, const QRegion& area);

  TResultSource* FDataSource = nullptr;
  TListLook FLook;
  QFontMetrics FWordMetrics;
  QFontMetrics FPosMetrics;
  QFontMetrics FDescriptionMetrics;

  std::int32_t FSelItem = -1;
  mutable std::int32_t FSelPositionHint = -1;
  std::int32_t FTopIndex = 0;
  double FWheelRows = 0;  // rows the wheel moved that are not yet scrolled
  std::int32_t FFitAtEnd = 0;
  int FLineHeight = 0;
  std::vector<TItemSlot> FLayout;
  std::vector<TSlotText> FSlotTexts;  // parallel to FLayout, never shrunk
  int FUpdateLock = 0;
  bool FNeedsLayout = false;
  bool FOwnerlessShown = false;  // the missing-dictionary message was shown
  std::int64_t FDrawnItems = 0;
  std::string FPosBuffer;
};

// Holds a viewer's repaints for its lifetime; the last one released lays out and repaints.
class THoldViewer {
 public:
  explicit THoldViewer(TKivViewer& viewer) : FViewer(viewer) { FViewer.BeginUpdate(); }
  ~THoldViewer() { FViewer.EndUpdate(true); }
  THoldViewer(const THoldViewer&) = delete;
  THoldViewer& operator=(const THoldViewer&) = delete;

 private:
  TKivViewer& FViewer;
};

}  // namespace gryvel::gui

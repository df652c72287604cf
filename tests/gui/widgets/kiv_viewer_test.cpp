// The word list: layout with and without descriptions, scrolling limits, keys, mouse, the
// selection and its partial redraw, what reaches the screen pixel for pixel, the drawn look
// (baseline, marker, blending), the notifications from its result source; the [Viewer]
// settings mapping; the enter edit and the skinned scroll bar.

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "gui/widgets/enter_edit.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/skin_scroll.h"
#include "gui/widgets/viewer_style.h"
#include "results/result_source.h"
#include "support/temp_dir.h"

namespace gryvel::gui {
namespace {

// word00, word01, ... in word order.
std::vector<std::string> NumberedWords(int count) {
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i)
    words.push_back("word" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  return words;
}

// A collection of one dictionary shown by a result source in a viewer of a fixed look:
// plain white background, the main window's fonts, no frame.
struct World {
  explicit World(const std::vector<std::string>& words,
                 const std::vector<std::pair<int, std::string>>& descriptions = {}) {
    TKivDictionary& dictionary = *collection.Dictionary(collection.NewDictionary());
    testing::Fill(dictionary, words);
    for (const auto& [index, text] : descriptions) dictionary.SetDescription(index, text);
    collection.Connect(dictionary);
    source.SetDictionary(&collection);
    ApplyMainWindowStyle(viewer);
    viewer.SetShowTexture(false);
    viewer.SetBorder(0);
    viewer.SetDataSource(&source);
  }

  // Shows the viewer `rows` word lines high (plus `extra` pixels) and composes it.
  void Show(int rows, int extra = 0, int width = 240) {
    viewer.resize(width, rows * viewer.LineHeight() + 2 + extra);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.repaint();
  }

  std::int32_t SelPosition() const {
    const auto& view = source.View();
    return static_cast<std::int32_t>(std::find(view.begin(), view.end(), viewer.SelItem()) -
                                     view.begin());
  }

  TDictionaryCollection collection;
  TResultSource source;
  TKivViewer viewer;  // last: leaves the source before it goes
};

const std::string kLong =
    "a long description that needs many lines when it is wrapped into a narrow list, "
    "more lines than the list has room for, so that it has to be cut at the bottom of the "
    "list while the word above it stays whole; and it goes on and on and on for a while more "
    "to be certain of that, with yet more words after these ones.";

// The lowest row in columns [x0, x1) of the word line of `slot` holding a pixel darker than
// the background; -1 when none.
int LowestInk(const QImage& image, const QRect& slot, int line_height, int x0, int x1) {
  for (int y = slot.y() + line_height - 1; y >= slot.y(); --y)
    for (int x = x0; x < x1; ++x)
      if (qGray(image.pixel(x, y)) < 200) return y;
  return -1;
}

// The pixels of `widget` as its window's backing store holds them: what reached the screen.
QImage OnScreen(QWidget& widget) {
  QWidget* window = widget.window();
  const QPoint at = widget.mapTo(window, QPoint(0, 0));
  return window->screen()
      ->grabWindow(window->winId(), at.x(), at.y(), widget.width(), widget.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// One entry as the list shows it.
struct TRow {
  QString Word;
  QString Part;         // part-of-speech text
  QString Description;  // one line or a few
};

// The list `look` (its fonts, colours, indents, texture) must show for `rows` scrolled to
// `top` with row `selected` chosen, composed here from the drawing rules alone: the texture
// tiled from the list's corner, items laid out from the top (a word line each, the
// description wrapped under it, only whole lines of a cut one), the selection blended over
// its item, the word and the part of speech on one baseline, and the black frame.
QImage ExpectedList(const TKivViewer& look, const std::vector<TRow>& rows, int top,
                    int selected) {
  const QSize size = look.size();
  QImage image(size, QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(look.logicalDpiX() / 0.0254));
  image.setDotsPerMeterY(qRound(look.logicalDpiY() / 0.0254));
  const QFontMetrics word(look.WordFont(), &look);
  const QFontMetrics part(look.PartOfSpeechFont(), &look);
  const QFontMetrics note(look.DescriptionFont(), &look);
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const int line = word.height() + 2;
  const int right = size.width() - 1;    // exclusive
  const int bottom = size.height() - 1;  // exclusive
  const int text_x = 1 + look.TextIndent();
  const int note_x = text_x + look.DescriptionIndent();

  QPainter painter(&image);
  painter.fillRect(image.rect(), QBrush(look.BackGround().convertToFormat(QImage::Format_RGB32)));
  int y = 1;
  for (int row = top; row < static_cast<int>(rows.size()) && bottom - y >= line; ++row) {
    const TRow& r = rows[static_cast<std::size_t>(row)];
    int item_bottom = y + line;
    int note_height = 0;
    if (!r.Description.isEmpty()) {
      note_height =
          note.boundingRect(QRect(note_x, item_bottom, right - note_x, 1 << 24), flags,
                            r.Description)
              .height();
      item_bottom = std::min(item_bottom + note_height + 2, bottom);
    }
    const bool first = row == top;
    const bool last = item_bottom == bottom;
    if (row == selected) {
      QColor fill = look.SelColor();
      fill.setAlpha(look.Transparency());
      QColor edge = look.SelBorderColor();
      edge.setAlpha(look.Transparency());
      const int fill_top = first ? y : y + 1;
      const int fill_end = (last ? item_bottom : item_bottom - 1) - 1;
      painter.fillRect(QRect(1, fill_top, right - 2, fill_end - fill_top), fill);
      if (!first) painter.fillRect(QRect(1, y, right - 2, 1), edge);
      if (!last) painter.fillRect(QRect(1, item_bottom - 1, right - 2, 1), edge);
    }
    painter.setFont(look.WordFont());
    painter.setPen(look.WordFontColor());
    painter.drawText(QPoint(text_x, y + word.ascent()), r.Word);
    if (!r.Part.isEmpty()) {
      painter.setFont(look.PartOfSpeechFont());
      painter.setPen(look.PartOfSpeechFontColor());
      painter.drawText(QPoint(text_x + word.horizontalAdvance(r.Word) + TKivViewer::kWordGap,
                              y + word.ascent()),
                       r.Part);
    }
    int shown = item_bottom - (y + line);
    if (note_height > shown) shown = shown / note.lineSpacing() * note.lineSpacing();
    if (!r.Description.isEmpty() && shown > 0) {
      painter.setFont(look.DescriptionFont());
      painter.setPen(look.DescriptionFontColor());
      painter.drawText(QRect(note_x, y + line, right - note_x, shown), flags, r.Description);
    }
    y = item_bottom;
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return image;
}

// Empty when the images are equal; else how many pixels differ and the first of them.
QString Difference(const QImage& got, const QImage& want) {
  if (got.size() != want.size())
    return QStringLiteral("size %1x%2, want %3x%4")
        .arg(got.width()).arg(got.height()).arg(want.width()).arg(want.height());
  int count = 0;
  QString first;
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if (got.pixel(x, y) != want.pixel(x, y) && count++ == 0)
        first = QStringLiteral("(%1, %2): %3, want %4")
                    .arg(x).arg(y)
                    .arg(got.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(want.pixel(x, y), 8, 16, QLatin1Char('0'));
  return count == 0 ? QString() : QStringLiteral("%1 pixels differ, first %2").arg(count).arg(first);
}

}  // namespace

class TKivViewerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void LayoutWithoutDescriptionsIsWholeLines() {
    World w(NumberedWords(30));
    w.viewer.SetShowDescription(false);
    w.Show(10, 5);
    // A word line is as high as the word font's text, plus 2.
    const int lh = QFontMetrics(w.viewer.WordFont(), &w.viewer).height() + 2;
    QVERIFY(lh > 5);
    // Ten lines and 5 pixels: the eleventh line does not fit.
    QCOMPARE(w.viewer.FitAtEnd(), 10);
    QCOMPARE(w.viewer.VisibleCount(), 10);
    QCOMPARE(w.viewer.MaxTop(), 20);
    int top = w.viewer.ContentRect().top();
    for (const auto& slot : w.viewer.Layout()) {
      QCOMPARE(slot.Rect.top(), top);
      QCOMPARE(slot.Rect.height(), lh);
      top += lh;
    }
    w.viewer.SetTopIndex(1000);
    QCOMPARE(w.viewer.TopIndex(), 20);
    QCOMPARE(w.viewer.Layout().back().Index, 29);
    w.viewer.SetTopIndex(-5);
    QCOMPARE(w.viewer.TopIndex(), 0);
  }

  void LayoutWithDescriptions() {
    World w(NumberedWords(30), {{1, "a short note that wraps in a narrow list"}, {3, kLong}});
    w.Show(10, 0, 160);
    const int lh = w.viewer.LineHeight();
    const auto& slots = w.viewer.Layout();
    QVERIFY(slots.size() >= 4);
    QCOMPARE(slots[0].Rect.height(), lh);      // no description: one line
    QVERIFY(slots[1].Rect.height() > 2 * lh);  // wrapped under the word
    QCOMPARE(slots[2].Rect.top(), slots[1].Rect.bottom() + 1);
    QCOMPARE(slots[2].Rect.height(), lh);
    // The long one is cut at the content's bottom and is the last item on screen.
    QCOMPARE(slots.size(), std::size_t{4});
    QCOMPARE(slots[3].Rect.bottom(), w.viewer.ContentRect().bottom());
    QVERIFY(slots[3].Rect.height() >= lh);
  }

  void FitAtEndCountsTheItemsThatFitAtTheEnd() {
    World w(NumberedWords(30), {{27, "a short note that wraps in a narrow list"}});
    w.Show(10, 0, 160);
    // Items 29, 28 one line each, 27 taller: fewer than 10 fit at the end.
    QVERIFY(w.viewer.FitAtEnd() < 10);
    QVERIFY(w.viewer.FitAtEnd() >= 3);
    w.viewer.SetTopIndex(w.viewer.MaxTop());
    QCOMPARE(w.viewer.Layout().back().Index, 29);
  }

  void MaxTopIsZeroWhenAllFit_data() {
    QTest::addColumn<bool>("descriptions");
    QTest::newRow("descriptions hidden") << false;
    QTest::newRow("descriptions shown") << true;
  }
  void MaxTopIsZeroWhenAllFit() {
    QFETCH(bool, descriptions);
    World w(NumberedWords(3), {{0, "described"}});
    w.viewer.SetShowDescription(descriptions);
    w.Show(10);
    QCOMPARE(w.viewer.MaxTop(), 0);
    if (descriptions) QCOMPARE(w.viewer.FitAtEnd(), std::numeric_limits<std::int32_t>::max());
    w.viewer.SetTopIndex(2);
    QCOMPARE(w.viewer.TopIndex(), 0);
    QCOMPARE(w.viewer.VisibleCount(), 3);
  }

  void PageDownMovesTopAndSelectionByVisibleMinusTwo() {
    World w(NumberedWords(40));
    w.Show(10);
    w.viewer.SetSelItem(0);
    QTest::keyClick(&w.viewer, Qt::Key_PageDown);
    QCOMPARE(w.viewer.TopIndex(), 8);
    QCOMPARE(w.SelPosition(), 8);
    QTest::keyClick(&w.viewer, Qt::Key_PageUp);
    QCOMPARE(w.viewer.TopIndex(), 0);
    QCOMPARE(w.SelPosition(), 0);
  }

  void ArrowsStopAtTheEnds() {
    World w(NumberedWords(5));
    w.Show(10);
    w.viewer.SetSelItem(0);
    QTest::keyClick(&w.viewer, Qt::Key_Up);
    QCOMPARE(w.viewer.SelItem(), 0);
    QTest::keyClick(&w.viewer, Qt::Key_Down);
    QCOMPARE(w.viewer.SelItem(), 1);
    w.viewer.SetSelItem(4);
    QTest::keyClick(&w.viewer, Qt::Key_Down);
    QCOMPARE(w.viewer.SelItem(), 4);
  }

  void CtrlEndAndHomeGoToTheEnds() {
    World w(NumberedWords(40));
    w.Show(10);
    w.viewer.SetSelItem(3);
    std::vector<std::pair<std::int32_t, std::int32_t>> scrolls;
    w.viewer.OnScroll = [&](TKivViewer&, std::int32_t position, std::int32_t max) {
      scrolls.emplace_back(position, max);
    };
    QTest::keyClick(&w.viewer, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(w.viewer.SelItem(), 39);
    QCOMPARE(w.viewer.TopIndex(), 30);
    QVERIFY(!scrolls.empty());
    QCOMPARE(scrolls.back(), std::make_pair(30, 30));
    QTest::keyClick(&w.viewer, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(w.viewer.SelItem(), 0);
    QCOMPARE(w.viewer.TopIndex(), 0);
    // Home alone selects the item at the top of the page.
    w.viewer.SetTopIndex(5);
    w.viewer.SetSelItem(9);
    QTest::keyClick(&w.viewer, Qt::Key_Home);
    QCOMPARE(w.viewer.SelItem(), 5);
  }

  void CtrlInsertPutsTheWordOnTheClipboard() {
    World w(NumberedWords(20));
    w.Show(10);
    w.viewer.SetSelItem(4);
    w.viewer.SetTopIndex(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&w.viewer, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("word04"));
    QCOMPARE(w.viewer.SelItem(), 4);
    QCOMPARE(w.viewer.TopIndex(), 2);
  }

  void RefusedSelectionKeepsTheOld() {
    World w(NumberedWords(10));
    w.Show(10);
    w.viewer.SetSelItem(2);
    bool allow = false;
    std::int32_t asked = -1;
    int after = 0;
    w.viewer.OnBeforeSelectionChanged = [&](TKivViewer&, std::int32_t item, bool& ok) {
      asked = item;
      ok = allow;
    };
    w.viewer.OnAfterSelectionChanged = [&](TKivViewer&) { ++after; };
    w.viewer.SetSelItem(5);
    QCOMPARE(asked, 5);
    QCOMPARE(w.viewer.SelItem(), 2);
    QCOMPARE(after, 0);
    QTest::keyClick(&w.viewer, Qt::Key_Down);
    QCOMPARE(w.viewer.SelItem(), 2);
    allow = true;
    w.viewer.SetSelItem(5);
    QCOMPARE(w.viewer.SelItem(), 5);
    QCOMPARE(after, 1);
  }

  void MousePressSelectsTheSlotAndTakesFocus() {
    World w(NumberedWords(10));
    QWidget other;
    other.show();
    w.Show(10);
    w.viewer.SetTopIndex(0);
    const QRect slot = w.viewer.Layout()[3].Rect;
    QTest::mouseClick(&w.viewer, Qt::LeftButton, {}, slot.center());
    QCOMPARE(w.viewer.SelItem(), w.viewer.Layout()[3].Index);
    QTRY_VERIFY(w.viewer.hasFocus());
  }

  void SelectionChangeRedrawsTwoItemsBlended() {
    World w(NumberedWords(20));
    w.viewer.SetColor(Qt::white);
    w.viewer.SetSelColor(QColor(200, 174, 162));
    w.viewer.SetTransparency(223);
    w.Show(10);
    w.viewer.SetSelItem(1);
    w.viewer.repaint();
    w.viewer.ResetDrawnItems();
    w.viewer.SetSelItem(6);
    QTRY_COMPARE(w.viewer.DrawnItems(), std::int64_t{2});
    QApplication::processEvents();
    QCOMPARE(w.viewer.DrawnItems(), std::int64_t{2});

    // The fill is SelColor at opacity 223 over white, right of the text.
    const QRect r = w.viewer.Layout()[6].Rect;
    const QImage image = OnScreen(w.viewer);
    const QRgb fill = image.pixel(r.right() - 5, r.center().y());
    const auto blend = [](int c) { return 255 + (c - 255) * 223 / 255; };
    QVERIFY(std::abs(qRed(fill) - blend(200)) <= 2);
    QVERIFY(std::abs(qGreen(fill) - blend(174)) <= 2);
    QVERIFY(std::abs(qBlue(fill) - blend(162)) <= 2);
    const QRgb old = image.pixel(w.viewer.Layout()[1].Rect.right() - 5,
                                               w.viewer.Layout()[1].Rect.center().y());
    QCOMPARE(old, qRgb(255, 255, 255));
  }

  // The selection's band, probed by hand at fixed rows of its item: a one-pixel edge in the
  // border colour on the item's first and last row, the fill from the row under the top edge
  // to two rows above the bottom one, which leaves one row of background above the bottom
  // edge; the first item shown has no top edge, its fill starts on its first row. Rows
  // outside the item keep the background.
  void SelectionBandHasEdgesAndFill() {
    const QRgb white = qRgb(255, 255, 255), fill = qRgb(0, 0, 200), edge = qRgb(200, 0, 0);
    struct TProbe {
      int Selected;
      int Row;  // from the selected item's top; negative: above it
      QRgb Want;
    };
    World w(NumberedWords(20));
    w.viewer.SetColor(Qt::white);
    w.viewer.SetSelColor(QColor(fill));
    w.viewer.SetSelBorderColor(QColor(edge));
    w.viewer.SetTransparency(255);
    w.Show(10);
    const int last = w.viewer.LineHeight() - 1;
    for (const TProbe probe :
         {TProbe{3, -1, white}, TProbe{3, 0, edge}, TProbe{3, 1, fill}, TProbe{3, last - 2, fill},
          TProbe{3, last - 1, white}, TProbe{3, last, edge}, TProbe{3, last + 1, white},
          TProbe{0, 0, fill}, TProbe{0, last - 2, fill}, TProbe{0, last - 1, white},
          TProbe{0, last, edge}, TProbe{0, last + 1, white}}) {
      w.viewer.SetSelItem(probe.Selected);
      const QRect item = w.viewer.Layout()[static_cast<std::size_t>(probe.Selected)].Rect;
      QTRY_COMPARE(OnScreen(w.viewer).pixel(item.right() - 5, item.top() + probe.Row),
                   probe.Want);
    }
  }

  // What reaches the screen, after a full paint and after the partial ones that a selection
  // change or a scroll makes, is exactly the list composed by the drawing rules. The list
  // sits inside its window, so a texture tiled from the window's corner would show.
  void ScreenShowsTheListPixelForPixel() {
    std::vector<TRow> rows;
    std::vector<std::pair<int, std::string>> descriptions = {
        {3, "a short note"}, {6, "a note long enough to wrap onto a second line here"}, {8, kLong}};
    for (const std::string& word : NumberedWords(30)) rows.push_back({QString::fromStdString(word), {}, {}});
    for (const auto& [index, text] : descriptions)
      rows[static_cast<std::size_t>(index)].Description = QString::fromStdString(text);
    QWidget window;
    World w(NumberedWords(30), descriptions);
    w.viewer.OnGetPartOfSpeechText = [](TKivViewer&, std::int32_t index, std::string& text) {
      if (index % 3 == 1) text = "n. pl.";
    };
    for (int i = 1; i < 30; i += 3) rows[static_cast<std::size_t>(i)].Part = QStringLiteral("n. pl.");
    QImage tile(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) tile.setPixel(x, y, qRgb(255 - 9 * x, 250 - 11 * y, 240 + 3 * x));
    w.viewer.SetBackGround(tile);
    w.viewer.SetShowTexture(true);
    w.viewer.SetBorder(1);
    w.viewer.setParent(&window);
    w.viewer.setGeometry(13, 7, 300, 12 * w.viewer.LineHeight() + 2);
    window.resize(330, w.viewer.height() + 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    struct TStep {
      int Top;
      int Selected;
    };
    // First and middle items selected, a cut description at the bottom, scrolls both ways.
    for (const TStep step : {TStep{0, 2}, TStep{0, 0}, TStep{0, 5}, TStep{4, 9}, TStep{4, 4},
                             TStep{1, 4}, TStep{18, 29}}) {
      w.viewer.SetTopIndex(step.Top);
      w.viewer.SetSelItem(step.Selected);
      QCOMPARE(w.viewer.TopIndex(), step.Top);
      const QImage want = ExpectedList(w.viewer, rows, step.Top, step.Selected);
      QTRY_COMPARE(Difference(OnScreen(w.viewer), want), QString());
    }
  }

  void PartOfSpeechSharesTheWordsBaseline() {
    World w({"mum"});
    w.viewer.OnGetPartOfSpeechText = [](TKivViewer&, std::int32_t, std::string& text) {
      text = "nnn";
    };
    w.Show(3);
    const QImage image = OnScreen(w.viewer);
    const QRect slot = w.viewer.Layout()[0].Rect;
    const int lh = w.viewer.LineHeight();
    const int word_end = slot.x() + w.viewer.TextIndent() +
                         QFontMetrics(w.viewer.WordFont(), &w.viewer).horizontalAdvance("mum");
    const int word_bottom = LowestInk(image, slot, lh, slot.x(), word_end);
    const int pos_start = word_end + TKivViewer::kWordGap;
    const int pos_bottom = LowestInk(image, slot, lh, pos_start, slot.right());
    QVERIFY(word_bottom > 0);
    QVERIFY(pos_bottom > 0);
    QVERIFY2(std::abs(word_bottom - pos_bottom) <= 1,
             qPrintable(QString("word %1, part of speech %2").arg(word_bottom).arg(pos_bottom)));
    // Top-aligned small text would end well above the word's baseline.
    QVERIFY(w.viewer.WordFont().pixelSize() > w.viewer.PartOfSpeechFont().pixelSize() + 3);
  }

  void MarkerShowsForHiddenDescriptions() {
    World w(NumberedWords(3), {{1, "described"}});
    QImage red(9, 9, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    w.viewer.SetImages({red});
    w.viewer.SetShowDescription(false);
    w.Show(5);
    const QImage image = OnScreen(w.viewer);
    const int right = w.viewer.width() - 3;  // first column right of the marker
    const auto is_red = [&](int x, int y) { return image.pixel(x, y) == qRgb(255, 0, 0); };
    // The red rows of each item, in the marker's middle column.
    const auto red_rows = [&](const QRect& r) {
      std::vector<int> rows;
      for (int y = r.top(); y <= r.bottom(); ++y)
        if (is_red(right - 5, y)) rows.push_back(y);
      return rows;
    };
    QVERIFY(red_rows(w.viewer.Layout()[0].Rect).empty());
    QVERIFY(red_rows(w.viewer.Layout()[2].Rect).empty());
    // The whole 9 × 9 image, centred in its word line to within a pixel.
    const QRect r = w.viewer.Layout()[1].Rect;
    const std::vector<int> rows = red_rows(r);
    QCOMPARE(rows.size(), std::size_t{9});
    const int top = rows.front();
    QCOMPARE(rows.back(), top + 8);
    const int line_bottom = r.top() + QFontMetrics(w.viewer.WordFont(), &w.viewer).height() + 1;
    QVERIFY2(std::abs((top - r.top()) - (line_bottom - rows.back())) <= 1,
             qPrintable(QString("line %1..%2, marker %3..%4")
                            .arg(r.top()).arg(line_bottom).arg(top).arg(rows.back())));
    QVERIFY(is_red(right - 9, top) && is_red(right - 1, top + 8));
    QVERIFY(!is_red(right, top + 4));
    QVERIFY(!is_red(right - 10, top + 4));
  }

  void HitTestZones() {
    World w({"mum", "nun"}, {{0, "described"}});
    w.viewer.SetBorder(1);
    w.viewer.OnGetPartOfSpeechText = [](TKivViewer&, std::int32_t, std::string& text) {
      text = "n.";
    };
    w.Show(6);
    const QRect first = w.viewer.Layout()[0].Rect;
    const int lh = w.viewer.LineHeight();
    const int word_end = w.viewer.TextIndent() +
                         QFontMetrics(w.viewer.WordFont(), &w.viewer).horizontalAdvance("mum");
    QCOMPARE(w.viewer.HitTest(-1, 5), TKivViewer::kHitOutside);
    QCOMPARE(w.viewer.HitTest(0, 5), TKivViewer::kHitBorder);
    QCOMPARE(w.viewer.HitTest(2, first.y() + 2), TKivViewer::kHitWord);
    QCOMPARE(w.viewer.HitTest(word_end + TKivViewer::kWordGap + 2, first.y() + 2),
             TKivViewer::kHitPartOfSpeech);
    QCOMPARE(w.viewer.HitTest(first.x() + 100, first.y() + 2), TKivViewer::kHitBackground);
    QCOMPARE(w.viewer.HitTest(5, first.y() + lh), TKivViewer::kHitDescription);
    QCOMPARE(w.viewer.HitTest(5, w.viewer.height() - 5), TKivViewer::kHitBackground);
  }

  void LocateSelectsAndCentres() {
    World w(NumberedWords(60));
    w.Show(10);
    w.source.Locate("word30");
    QCOMPARE(w.viewer.SelItem(), 30);
    // In the middle of ten rows: the fifth, with four words above it and five below.
    QCOMPARE(w.viewer.TopIndex(), 26);
    QCOMPARE(w.viewer.Layout()[4].Index, 30);
    const int lh = QFontMetrics(w.viewer.WordFont(), &w.viewer).height() + 2;
    QCOMPARE(w.viewer.Layout()[4].Rect.top(), w.viewer.ContentRect().top() + 4 * lh);
    w.source.Locate("zzz");  // past the end: the last item
    QCOMPARE(w.viewer.SelItem(), 59);
    QCOMPARE(w.viewer.TopIndex(), w.viewer.MaxTop());
  }

  void ChangedDescriptionOnScreenRelaysOut() {
    World w(NumberedWords(20));
    w.collection.SetActive(w.collection.Dictionary(0));
    w.Show(10);
    const int lh = w.viewer.LineHeight();
    QCOMPARE(w.viewer.Layout()[2].Rect.height(), lh);
    w.source.SetDescription(2, "now it has one");
    QVERIFY(w.viewer.Layout()[2].Rect.height() > lh);
  }

  void EmptySourceDrawsTheFrame() {
    TKivViewer viewer;
    viewer.SetColor(Qt::white);
    viewer.resize(50, 40);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.repaint();
    const QImage image = OnScreen(viewer);
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(10, 10), qRgb(255, 255, 255));
    QTest::keyClick(&viewer, Qt::Key_Down);  // nothing to move
    QCOMPARE(viewer.VisibleCount(), 0);
    QCOMPARE(viewer.HitTest(10, 10), TKivViewer::kHitBackground);
  }

  void SourceGoingFirstIsLetGo() {
    TDictionaryCollection collection;
    testing::Fill(*collection.Dictionary(collection.NewDictionary()), {"ant", "bee", "cat"});
    collection.Connect(*collection.Dictionary(0));
    auto source = std::make_unique<TResultSource>();
    source->SetDictionary(&collection);
    TKivViewer viewer;
    ApplyMainWindowStyle(viewer);
    viewer.SetShowTexture(false);
    viewer.SetColor(Qt::white);
    viewer.SetBorder(0);
    viewer.SetDataSource(source.get());
    viewer.resize(200, 100);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(viewer.VisibleCount(), 3);

    source.reset();  // still attached
    QCOMPARE(viewer.DataSource(), nullptr);
    QCOMPARE(viewer.VisibleCount(), 0);
    viewer.repaint();
    // No word is drawn any more: inside the frame of an empty list, only the background.
    const QImage image = OnScreen(viewer);
    for (int y = 1; y < image.height() - 1; ++y)
      for (int x = 1; x < image.width() - 1; ++x)
        QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
  }

  void AssignCopiesTheLook() {
    TKivViewer main;
    ApplyMainWindowStyle(main);
    TKivViewer preview;
    preview.Assign(main);
    // The whole look goes along, the word-source switch the main window's style sets too.
    QVERIFY(preview.Look() == main.Look());
    QVERIFY(preview.ShowWordSource());
    QCOMPARE(preview.SelColor(), main.SelColor());
    QCOMPARE(preview.WordFont(), main.WordFont());
    QCOMPARE(preview.LineHeight(), main.LineHeight());
    QCOMPARE(preview.DescriptionIndent(), 16);
    QCOMPARE(preview.Images().size(), std::size_t{1});
    QCOMPARE(ViewerSettingsOf(preview).BorderColor, ViewerSettingsOf(main).BorderColor);
  }

  void ViewerSettingsRoundTrip() {
    TKivViewer viewer;
    const TViewerSettings designed;
    ApplyViewerSettings(viewer, designed);
    QCOMPARE(viewer.SelColor(), QColor(208, 184, 147));
    QCOMPARE(viewer.BorderColor(), QGuiApplication::palette().color(QPalette::ButtonText));
    QCOMPARE(viewer.DescriptionFontColor(), QColor(0, 0, 128));
    QCOMPARE(viewer.BackGround(), DefaultTexture());
    QVERIFY(viewer.TextureFileName().isEmpty());
    const TViewerSettings back = ViewerSettingsOf(viewer);
    QCOMPARE(back.Color, designed.Color);
    QCOMPARE(back.BorderColor, designed.BorderColor);  // still the system colour
    QCOMPARE(back.SelectionColor, designed.SelectionColor);
    QCOMPARE(back.SelectionBorderColor, designed.SelectionBorderColor);
    QCOMPARE(back.Transparency, designed.Transparency);
    for (const auto& [got, want] : {std::pair{back.Font, designed.Font},
                                    std::pair{back.POSFont, designed.POSFont},
                                    std::pair{back.DescrFont, designed.DescrFont}}) {
      QCOMPARE(got.Name, want.Name);
      QCOMPARE(got.Size, want.Size);
      QCOMPARE(got.Color, want.Color);
      QCOMPARE(got.Style, want.Style);
    }

    TViewerSettings changed = designed;
    changed.Font.Style = kFontBold | kFontItalic;
    changed.Transparency = 10;
    changed.BorderColor = 0x0000FF;
    ApplyViewerSettings(viewer, changed);
    QVERIFY(viewer.WordFont().bold() && viewer.WordFont().italic());
    QCOMPARE(ViewerSettingsOf(viewer).Font.Style, kFontBold | kFontItalic);
    QCOMPARE(ViewerSettingsOf(viewer).BorderColor, 0x0000FF);
    QCOMPARE(viewer.BorderColor(), QColor(255, 0, 0));
  }

  void TextureFileIsLoadedWhenItExists() {
    testing::TempDir dir;
    QImage tile(7, 5, QImage::Format_RGB32);
    tile.fill(QColor(10, 20, 30));
    const std::string file = dir.File("tile.png");
    QVERIFY(tile.save(QString::fromStdString(file)));
    TKivViewer viewer;
    TViewerSettings settings;
    settings.TextureFileName = file;
    ApplyViewerSettings(viewer, settings);
    QCOMPARE(viewer.BackGround().size(), QSize(7, 5));
    QCOMPARE(viewer.TextureFileName(), QString::fromStdString(file));
    settings.TextureFileName = dir.File("missing.png");
    ApplyViewerSettings(viewer, settings);
    QCOMPARE(viewer.BackGround(), DefaultTexture());
    QVERIFY(viewer.TextureFileName().isEmpty());
  }

  void TextureTilesFromTheControlsCorner() {
    World w(NumberedWords(2));
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixel(0, 0, qRgb(0, 200, 0));
    w.viewer.SetBackGround(tile);
    w.viewer.SetShowTexture(true);
    w.Show(6);
    const QImage image = OnScreen(w.viewer);
    const int y = w.viewer.height() - 4;  // below the items
    QCOMPARE(image.pixel(100, y - y % 4), qRgb(0, 200, 0));
    QCOMPARE(image.pixel(101, y - y % 4), qRgb(255, 255, 255));
  }

  void EnterEditReportsItsKeys() {
    TEnterEdit edit;
    Qt::KeyboardModifiers enter_modifiers;
    int enters = 0, escapes = 0;
    edit.OnEnterDown = [&](TEnterEdit&, Qt::KeyboardModifiers modifiers) {
      ++enters;
      enter_modifiers = modifiers;
    };
    edit.OnEscapeDown = [&](TEnterEdit&) { ++escapes; };
    std::vector<int> forwarded;
    edit.OnForwardKey = [&](QKeyEvent* event) {
      forwarded.push_back(event->key());
      return event->key() != Qt::Key_Up;
    };
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(enter_modifiers, Qt::KeyboardModifiers{});
    QTest::keyClick(&edit, Qt::Key_Enter, Qt::AltModifier);
    QVERIFY(enter_modifiers & Qt::AltModifier);
    QCOMPARE(enters, 2);
    QTest::keyClick(&edit, Qt::Key_Escape);
    QCOMPARE(escapes, 1);
    QTest::keyClicks(&edit, "ab");
    QTest::keyClick(&edit, Qt::Key_PageDown);
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(forwarded, (std::vector<int>{Qt::Key_PageDown, Qt::Key_Down, Qt::Key_Up}));
    QCOMPARE(edit.text(), QStringLiteral("ab"));
  }

  void SkinScrollBehavesAsAScrollBar() {
    TSkinScroll bar;
    bar.setRange(0, 100);
    bar.setPageStep(10);
    bar.resize(TSkinScroll::kWidth, 200);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCOMPARE(bar.width(), TSkinScroll::kWidth);
    QSignalSpy moved(&bar, &QScrollBar::valueChanged);
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Vertical;
    option.minimum = 0;
    option.maximum = 100;
    option.pageStep = 10;
    option.singleStep = 1;
    const QRect add =
        bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, &bar);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, add.center());
    QCOMPARE(bar.value(), 1);
    QCOMPARE(moved.count(), 1);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QCOMPARE(bar.value(), 11);
    QVERIFY(!bar.grab().isNull());
  }

  // The wheel scrolls the list by the desktop's rows per notch; a touchpad's small steps add
  // up to the same, and the owner's scroll bar is told.
  void WheelScrollsByTheDesktopsRowsPerNotch() {
    World w(NumberedWords(40));
    w.Show(10);
    QApplication::setWheelScrollLines(3);
    std::vector<std::int32_t> positions;
    w.viewer.OnScroll = [&](TKivViewer&, std::int32_t position, std::int32_t) {
      positions.push_back(position);
    };
    auto wheel = [&](int delta) {
      const QPointF at(20, 20);
      QWheelEvent event(at, w.viewer.mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&w.viewer, &event);
    };
    wheel(-120);
    QCOMPARE(w.viewer.TopIndex(), 3);
    for (int i = 0; i < 4; ++i) wheel(-30);  // one notch in four touchpad steps
    QCOMPARE(w.viewer.TopIndex(), 6);
    wheel(-20);  // less than a row
    QCOMPARE(w.viewer.TopIndex(), 6);
    wheel(240);
    QCOMPARE(w.viewer.TopIndex(), 0);
    wheel(120);  // at the top already
    QCOMPARE(w.viewer.TopIndex(), 0);
    QCOMPARE(positions, (std::vector<std::int32_t>{3, 4, 5, 6, 0}));  // smoothly, row by row
  }
};

}  // namespace gryvel::gui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont::insertSubstitution("Courier New", "Liberation Mono");
  QFont::insertSubstitution("Verdana", "DejaVu Sans");
  gryvel::gui::TKivViewerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "kiv_viewer_test.moc"

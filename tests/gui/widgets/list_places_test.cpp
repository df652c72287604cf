// The word list's place in the whole dictionary and in the result, each kept while the other
// is shown.

#include "gui/widgets/list_places.h"

#include <QTest>
#include <string>
#include <vector>

#include "dictionary/collection_checks.h"
#include "dictionary/dictionary_collection.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/viewer_style.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel::gui {
namespace {

// The i-th word in word order: waa, wab, .. waz, wba, ..
std::string W(int i) { return {'w', static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26)}; }

// W(0) .. W(199), shown 10 rows high.
struct World {
  World() {
    searcher.SetCharacterManager(&manager);
    collection.SetStringSearcher(&searcher);
    std::vector<std::string> words;
    for (int i = 0; i < 200; ++i) words.push_back(W(i));
    TKivDictionary& dictionary = *collection.Dictionary(collection.NewDictionary());
    testing::Fill(dictionary, words);
    collection.Connect(dictionary);
    source.SetDictionary(&collection);
    ApplyMainWindowStyle(viewer);
    viewer.SetShowDescription(false);
    viewer.SetDataSource(&source);
    viewer.resize(200, 10 * viewer.LineHeight() + 2);
    viewer.show();
  }
  // The word at the list's top and the selected one.
  std::string Top() const { return collection.Item(source.View()[viewer.TopIndex()])->Word; }
  std::string Selected() const {
    return viewer.SelItem() < 0 ? std::string() : collection.Item(viewer.SelItem())->Word;
  }
  void Search(const char* pattern) {
    places.ForgetResultPlace();
    source.SearchPattern(pattern);
    source.SetFilterActive(true);
  }

  TCharacterManager manager;
  TStringSearcher searcher;
  TDictionaryCollection collection;
  TResultSource source;
  TKivViewer viewer;
  TListPlaces places{source, viewer};
};

}  // namespace

class TListPlacesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void EachListComesBackWhereItWasLeft() {
    World w;
    std::vector<std::pair<int, int>> placed;
    w.places.OnPlaced = [&](std::int32_t position, std::int32_t max) {
      placed.push_back({position, max});
    };
    w.viewer.SetTopIndex(120);
    w.viewer.SetSelItem(w.collection.Find(W(125)));
    w.Search("wc*");  // W(52) .. W(77)
    QVERIFY(w.places.ResultsShown());
    QCOMPARE(w.Top(), W(52));
    QCOMPARE(w.Selected(), std::string());
    w.viewer.SetTopIndex(5);
    w.viewer.SetSelItem(w.collection.Find(W(60)));

    w.source.SetFilterActive(false);
    QVERIFY(!w.places.ResultsShown());
    QCOMPARE(w.Top(), W(120));
    QCOMPARE(w.Selected(), W(125));
    w.source.SetFilterActive(true);
    QCOMPARE(w.Top(), W(57));
    QCOMPARE(w.Selected(), W(60));
    QCOMPARE(placed.size(), std::size_t{3});
    QCOMPARE(placed.back(), std::make_pair(5, w.viewer.MaxTop()));
  }

  // A search made while a result is shown keeps the whole list's place as it was saved.
  void ASecondSearchKeepsTheWholeListsPlace() {
    World w;
    w.viewer.SetTopIndex(30);
    w.viewer.SetSelItem(w.collection.Find(W(33)));
    w.Search("wc*");
    w.viewer.SetTopIndex(7);
    w.Search("wb*");
    QCOMPARE(w.Top(), W(26));
    w.source.SetFilterActive(false);
    QCOMPARE(w.Top(), W(30));
    QCOMPARE(w.Selected(), W(33));
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TListPlacesTest)
#include "list_places_test.moc"

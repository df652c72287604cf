#include "gui/main_window/dictionary_tree.h"

#include <QtTest>
#include <memory>

#include "dictionary/dictionary_collection.h"
#include "gui/icons.h"
#include "results/language.h"
#include "search/letter_maps.h"
#include "support/fake_clock.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"

namespace gryvel::gui {

class TDictionaryTreeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::TempDir> FDir;
  std::unique_ptr<TDictionaryCollection> FCollection;
  TSubscriptions FHooks;
  std::unique_ptr<TDictionaryTree> FTree;

  // The collection's dictionary on a file of `bytes` named `name`, listed in the tree.
  TKivDictionary& Open(const char* name, const std::string& bytes) {
    const std::int32_t index = FCollection->AddDictionary(FDir->Write(name, bytes));
    TKivDictionary& dictionary = *FCollection->Dictionary(index);
    FTree->AddDictionaryNode(name, dictionary);
    return dictionary;
  }
  TKivDictionary& OpenBinary() {
    const std::string bytes =
        testing::V2Header(3, {"Words", "", "Ann", "ann@example.org", "http://example.org"}) +
        testing::V2Record("ant") + testing::V2Record("cat") + testing::V2Record("dog");
    return Open("words.kiv", bytes);
  }
  // Each node below `node` as "indent text", depth first.
  static QStringList Outline(const QTreeWidgetItem* node, const QString& indent = "") {
    QStringList lines;
    for (int i = 0; i < node->childCount(); ++i) {
      lines << indent + node->child(i)->text(0);
      lines << Outline(node->child(i), indent + "  ");
    }
    return lines;
  }
  static bool SameIcon(const QTreeWidgetItem* item, TIcon icon) {
    return item->icon(0).cacheKey() == Icon(icon).cacheKey();
  }

 private Q_SLOTS:
  void init() {
    ResetLetterMaps();
    FillCollationMap();
    SetUILanguage(TUILanguage::English);
    FDir = std::make_unique<testing::TempDir>();
    FCollection = std::make_unique<TDictionaryCollection>();
    FTree = std::make_unique<TDictionaryTree>(*FCollection);
    // As the main window wires them.
    FHooks += FCollection->OnConnect.Subscribe([this](TDictionaryCollection& c, std::int32_t i) {
      FTree->SetConnected(*c.Dictionary(i), true);
    });
    FHooks += FCollection->OnDisconnect.Subscribe([this](TDictionaryCollection& c, std::int32_t i) {
      FTree->SetConnected(*c.Dictionary(i), false);
    });
    FHooks += FCollection->OnActiveDictionary.Subscribe([this](TDictionaryCollection&) { FTree->ActiveChanged(); });
    FHooks += FCollection->OnProgress.Subscribe([this](TKivDictionary* sender, std::uint8_t stage, std::uint8_t,
                                     const std::string&) {
      if (stage == kStageMerged && sender != nullptr) FTree->DictionaryLoaded(*sender);
    });
  }
  void cleanup() {
    FTree.reset();
    FCollection.reset();
    FDir.reset();
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  void BinaryDictionaryShowsItsHeaderBeforeLoading() {
    TKivDictionary& dictionary = OpenBinary();
    QCOMPARE(FTree->objectName(), QString("DictionaryTree"));
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    QCOMPARE(node->text(0), QString("words.kiv"));
    QVERIFY(SameIcon(node, TIcon::DictionaryBinary));
    QCOMPARE(Outline(node), (QStringList{"Author: Ann", "  http://example.org", "  ann@example.org",
                                         "Words: 3", "File name: words.kiv", "Loading: "}));
    QTreeWidgetItem* author = node->child(0);
    QVERIFY(author->isExpanded());
    QVERIFY(SameIcon(author->child(0), TIcon::WebNode));
    QVERIFY(SameIcon(author->child(1), TIcon::EmailNode));
    QVERIFY(SameIcon(node->child(1), TIcon::InfoNode));
    QCOMPARE(node->font(0).pointSize(), 10);
    QCOMPARE(node->child(1)->font(0).pointSize(), 8);

    const TNodeInfo* info = FTree->NodeInfo(author->child(1));
    QVERIFY(info != nullptr);
    QCOMPARE(info->Object, &dictionary);
    QCOMPARE(info->NodeKind, TNodeKind::Email);
    QCOMPARE(FTree->NodeInfo(node)->NodeKind, TNodeKind::Dictionary);
    QVERIFY(FTree->NodeInfo(nullptr) == nullptr);
    QVERIFY(!dictionary.Loaded());
  }

  void TextListCountsItsWordsOnceLoaded() {
    TKivDictionary& dictionary = Open("animals.txt", "cat dog\nant\n");
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    QVERIFY(SameIcon(node, TIcon::DictionaryText));
    QCOMPARE(Outline(node), (QStringList{"Words: ?", "File name: animals.txt", "Loading: "}));
    node->setExpanded(true);
    // Every clock reading moves time on by 2.5 s: the load is timed from its start to its end.
    testing::FakeClock clock(std::chrono::milliseconds(2500));
    FCollection->Connect(dictionary);
    FCollection->QueueLoad(dictionary);
    dictionary.EnsureLoaded();
    QVERIFY(dictionary.Loaded());
    QCOMPARE(node->child(0)->text(0), QString("Words: 3"));
    QCOMPARE(node->child(2)->text(0), QString("Loading: 2.500 sec"));
    QVERIFY(node->isExpanded());
  }

  // The word count follows every word added and deleted, in a binary dictionary (whose
  // header count is only what the file held) and in a text list.
  void WordCountFollowsAddsAndDeletes() {
    for (const bool binary : {true, false}) {
      FTree->clear();
      TKivDictionary& dictionary = binary ? OpenBinary() : Open("animals.txt", "cat dog\nant\n");
      QTreeWidgetItem* count = FTree->NodeOf(dictionary)->child(binary ? 1 : 0);
      FCollection->Connect(dictionary);
      FCollection->SetActive(&dictionary);
      FCollection->LoadNow({&dictionary});
      QCOMPARE(count->text(0), QString("Words: 3"));
      for (const char* word : {"bee", "cow", "elk"}) QVERIFY(FCollection->AddWord(word) >= 0);
      QCOMPARE(count->text(0), QString("Words: 6"));
      FCollection->DeleteEntry(FCollection->Find("ant"));
      QCOMPARE(count->text(0), QString("Words: 5"));
      FCollection->Remove(dictionary);
    }
  }

  void StateImageAndBoldFollowConnectionAndActive() {
    TKivDictionary& first = OpenBinary();
    TKivDictionary& second = Open("animals.txt", "cat dog\n");
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    QCOMPARE(FTree->StateImage(node), 1);
    FCollection->Connect(first);
    QCOMPARE(FTree->StateImage(node), 2);
    FCollection->SetActive(&first);
    QCOMPARE(FTree->StateImage(node), 4);
    QVERIFY(node->font(0).bold());
    QVERIFY(!FTree->topLevelItem(1)->font(0).bold());
    FCollection->Disconnect(first);
    QCOMPARE(FTree->StateImage(node), 3);
    FCollection->SetActive(&second);
    QCOMPARE(FTree->StateImage(node), 1);
    QVERIFY(!node->font(0).bold());
    QCOMPARE(FTree->StateImage(FTree->topLevelItem(1)), 3);
    QCOMPARE(FTree->StateImage(node->child(0)), 0);
  }

  // A file cut short in its last record: the load fails; mended, a reconnect loads it.
  void AFailedLoadShowsItsStateAndReasonUntilAReconnectLoadsIt() {
    const std::string whole = testing::V2Header(2) + testing::V2Record("ant") +
                              testing::V2Record("bee");
    TKivDictionary& dictionary = Open("cut.kiv", whole.substr(0, whole.size() - 2));
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    FCollection->Connect(dictionary);
    QCOMPARE(FTree->StateImage(node), 2);
    FCollection->LoadNow({&dictionary});
    QCOMPARE(FTree->StateImage(node), 5);
    QCOMPARE(node->toolTip(0), QString("Could not be loaded: Unexpected end of file. Error on "
                                       "reading the dictionary\r\nClick the mark to connect it "
                                       "and try again."));
    FCollection->SetActive(&dictionary);
    QCOMPARE(FTree->StateImage(node), 6);
    SetUILanguage(TUILanguage::Russian);
    FTree->ActiveChanged();
    QVERIFY(node->toolTip(0).startsWith(QString::fromUtf8("Не удалось загрузить: Неожиданный")));

    // Connecting it again shows it connected while the load runs; a load that fails again
    // shows the failure again, one that works clears it.
    FCollection->Connect(dictionary);
    QCOMPARE(FTree->StateImage(node), 4);
    QVERIFY(node->toolTip(0).isEmpty());
    FCollection->LoadNow({&dictionary});
    QCOMPARE(FTree->StateImage(node), 6);
    FDir->Write("cut.kiv", whole);
    FCollection->Connect(dictionary);
    FCollection->LoadNow({&dictionary});
    QCOMPARE(FTree->StateImage(node), 4);
    QVERIFY(node->toolTip(0).isEmpty());
    QCOMPARE(dictionary.Count(), 2);
  }

  void StateImageIsDrawnBeforeTheIcon() {
    OpenBinary();
    FTree->resize(300, 200);
    FTree->show();
    QVERIFY(QTest::qWaitForWindowExposed(FTree.get()));
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    const QRect state = FTree->StateImageRect(node);
    QVERIFY(!state.isEmpty());
    QVERIFY(FTree->visualItemRect(node).contains(state));
    QVERIFY(FTree->StateImageRect(node->child(0)).isEmpty());
    // The state image takes room: the row is wider than its text and one icon.
    const QSize hint =
        FTree->itemDelegate()->sizeHint(QStyleOptionViewItem(), FTree->indexFromItem(node));
    QVERIFY(hint.width() >= 2 * 16 + node->font(0).pointSize());
  }

  void TextsFollowTheLanguage() {
    OpenBinary();
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    node->setExpanded(true);
    SetUILanguage(TUILanguage::Russian);
    FTree->ApplyLanguage();
    QCOMPARE(Outline(node), (QStringList{"Автор: Ann", "  http://example.org", "  ann@example.org",
                                         "Слов: 3", "Имя файла: words.kiv", "Открытие: "}));
    QVERIFY(node->isExpanded());
    QVERIFY(node->child(0)->isExpanded());
  }

  void RefreshRebuildsTheInfoNodesKeepingTheNodeCollapsed() {
    TKivDictionary& dictionary = OpenBinary();
    QTreeWidgetItem* node = FTree->topLevelItem(0);
    node->setExpanded(false);
    TDictHead head = dictionary.Head();
    head.Author.clear();
    dictionary.SetHeader(head);
    FTree->RefreshDictionaryNode(node);
    QCOMPARE(Outline(node), (QStringList{"Words: 3", "File name: words.kiv", "Loading: "}));
    QVERIFY(!node->isExpanded());
    FTree->RefreshDictionaryNode(node->child(0));  // not a dictionary node: nothing
    QCOMPARE(node->childCount(), 3);
  }

  void NodesAreFoundByCollectionIndexAndListedInTreeOrder() {
    TKivDictionary& first = OpenBinary();
    TKivDictionary& second = Open("animals.txt", "cat\n");
    QCOMPARE(FTree->FindDictionaryNode(0), FTree->topLevelItem(0));
    QCOMPARE(FTree->FindDictionaryNode(1), FTree->topLevelItem(1));
    QVERIFY(FTree->FindDictionaryNode(2) == nullptr);
    QVERIFY(FTree->FindDictionaryNode(-1) == nullptr);
    QCOMPARE(FTree->DictionaryOrder(), (std::vector<TKivDictionary*>{&first, &second}));
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TDictionaryTreeTest)
#include "dictionary_tree_test.moc"

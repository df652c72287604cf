#include "dictionary/article_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/word_order.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

void AddAll(TArticleList& list, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) list.AddArticle(w);
}

std::vector<std::string> Words(const TArticleList& list) {
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < list.Count(); ++i) words.push_back(list.Get(i)->Word);
  return words;
}

// The text of the EListError `action` raises, or "" when it raises none.
std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const EListError& e) {
    return e.what();
  }
  return "";
}

class ArticleListTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLetterMaps(); }
  void TearDown() override { ResetLetterMaps(); }

  TArticleList list_;
};

TEST_F(ArticleListTest, AddArticleAppendsShownRecords) {
  EXPECT_EQ(0, list_.AddArticle("b"));
  EXPECT_EQ(1, list_.AddArticle("a"));
  EXPECT_EQ((std::vector<std::string>{"b", "a"}), Words(list_));
  EXPECT_EQ(2, list_.ArtCount());
  const TArticleItem* item = list_.Get(1);
  EXPECT_EQ(kFlagShown, item->Flags);
  EXPECT_EQ(0, item->Offset);
  EXPECT_EQ(0, item->Parts);
}

TEST_F(ArticleListTest, SetCapacityRefusesSizesBelowUseOrAtTheLimit) {
  list_.SetCapacity(100);
  AddAll(list_, {"a", "b", "c"});
  EXPECT_EQ(100, list_.Capacity());

  EXPECT_EQ("List capacity out of bounds (2)", ErrorText([&] { list_.SetCapacity(2); }));
  EXPECT_EQ("List capacity out of bounds (-1)", ErrorText([&] { list_.SetCapacity(-1); }));
  EXPECT_EQ("List capacity out of bounds (134217728)",
            ErrorText([&] { list_.SetCapacity(TArticleList::kMaxCapacity); }));
  // A deleted entry's record is still in use.
  list_.Delete(2);
  EXPECT_EQ("List capacity out of bounds (2)", ErrorText([&] { list_.SetCapacity(2); }));
  EXPECT_EQ(100, list_.Capacity());

  list_.SetCapacity(3);
  EXPECT_EQ(3, list_.Capacity());
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), Words(list_));
}

TEST_F(ArticleListTest, BoundsErrorsLeaveTheListUnchanged) {
  AddAll(list_, {"a", "b", "c"});
  TArticleItem outside;
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { list_.Get(-1); }, "List index out of bounds (-1)"},
      {[&] { list_.Get(3); }, "List index out of bounds (3)"},
      {[&] { list_.Insert(4, &outside); }, "List index out of bounds (4)"},
      {[&] { list_.Insert(-1, &outside); }, "List index out of bounds (-1)"},
      {[&] { list_.InsertArticle("x", 4); }, "List index out of bounds (4)"},
      {[&] { list_.Delete(3); }, "List index out of bounds (3)"},
      {[&] { list_.Move(3, 0); }, "List index out of bounds (3)"},
      {[&] { list_.Move(0, 3); }, "List index out of bounds (3)"},
      {[&] { list_.Move(-1, -1); }, "List index out of bounds (-1)"},
      {[&] { list_.SetCount(-1); }, "List count out of bounds (-1)"},
      {[&] { list_.SetCount(TArticleList::kMaxCapacity); }, "List count out of bounds (134217728)"},
  };
  for (const auto& [action, text] : cases) {
    EXPECT_EQ(text, ErrorText(action));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Words(list_)) << text;
    EXPECT_EQ(3, list_.ArtCount()) << text;
    EXPECT_EQ(4, list_.Capacity()) << text;
  }
}

TEST_F(ArticleListTest, FindPositionOnEmptyAndOneEntryLists) {
  EXPECT_EQ(0, list_.FindPosition("a"));
  list_.AddArticle("b");
  EXPECT_EQ(0, list_.FindPosition("a"));
  EXPECT_EQ(0, list_.FindPosition("b"));
  EXPECT_EQ(1, list_.FindPosition("c"));
  EXPECT_EQ(0, list_.FindPosition(""));
}

// A lower bound by brute force; an empty word is placed first by definition.
std::int32_t LowerBound(const TArticleList& list, std::string_view word) {
  if (word.empty()) return 0;
  std::int32_t i = 0;
  while (i < list.Count() && CompareWords(word, list.Get(i)->Word) > 0) ++i;
  return i;
}

std::string RandomWord(std::mt19937& rng) {
  // Case variants, hyphens and Ё/ё/е make many words equal or tied in the word order.
  static const std::string kAlphabet = "aAb-\xA8\xB8\xE5";
  std::uniform_int_distribution<int> length(0, 5);
  std::uniform_int_distribution<std::size_t> letter(0, kAlphabet.size() - 1);
  std::string word(length(rng), ' ');
  for (char& c : word) c = kAlphabet[letter(rng)];
  return word;
}

TEST_F(ArticleListTest, SortAndFindPositionAgreeWithBruteForce) {
  std::mt19937 rng(20240611);
  for (bool filled : {false, true}) {
    if (filled) FillCollationMap();
    for (int size : {1, 2, 3, 4, 5, 8, 13, 64, 500}) {
      TArticleList list;
      for (int i = 0; i < size; ++i) list.AddArticle(RandomWord(rng));
      list.Sort();
      for (std::int32_t i = 1; i < list.Count(); ++i) {
        const std::string& prev = list.Get(i - 1)->Word;
        if (!prev.empty()) {
          ASSERT_LE(CompareWords(prev, list.Get(i)->Word), 0) << i;
        }
      }
      for (int q = 0; q < 200; ++q) {
        const std::string word = RandomWord(rng);
        const std::int32_t expected = LowerBound(list, word);
        ASSERT_EQ(expected, list.FindPosition(word)) << "size " << size << " word " << word;
        const bool found =
            expected < list.Count() && CompareWords(word, list.Get(expected)->Word) == 0;
        ASSERT_EQ(found ? expected : -1, list.IndexOf(word));
      }
    }
  }
}

TEST_F(ArticleListTest, IndexOfKeepsHyphenatedWordsApart) {
  AddAll(list_, {"a-b", "b", "ab", "A"});
  list_.Sort();
  EXPECT_EQ((std::vector<std::string>{"A", "ab", "a-b", "b"}), Words(list_));
  EXPECT_EQ(1, list_.IndexOf("ab"));
  EXPECT_EQ(2, list_.IndexOf("a-b"));
  EXPECT_EQ(-1, list_.IndexOf("a"));
  EXPECT_EQ(-1, list_.IndexOf(""));
  EXPECT_EQ(-1, list_.IndexOf("AB"));
  FillCollationMap();
  EXPECT_EQ(1, list_.IndexOf("AB"));
}

TEST_F(ArticleListTest, SortThenPackRemovesEveryDuplicate) {
  FillCollationMap();
  for (const char* w : {"кот", "Кот", "кот", "пёс", "КОТ", "кот", "пес", "пёс", "Кот", "ёж"})
    list_.AddArticle(Cp(w));
  list_.Sort();
  list_.Pack();

  std::vector<std::string> words = Words(list_);
  std::sort(words.begin(), words.end());
  std::vector<std::string> expected;
  for (const char* w : {"кот", "Кот", "КОТ", "пёс", "пес", "ёж"}) expected.push_back(Cp(w));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, words);
  EXPECT_EQ(6, list_.ArtCount());
  EXPECT_EQ(Cp("ёж"), list_.Get(0)->Word);

  // The kept records are the first ones of the store: new records do not overwrite them.
  const std::vector<std::string> before = Words(list_);
  list_.AddArticle("zz");
  list_.AddArticle("zzz");
  std::vector<std::string> after = Words(list_);
  after.resize(before.size());
  EXPECT_EQ(before, after);
}

TEST_F(ArticleListTest, PackKeepsCopiesSeparatedByACaseVariant) {
  FillCollationMap();
  for (const char* w : {"a", "a", "кот", "Кот", "кот", "b", "b", "b"}) list_.AddArticle(Cp(w));
  list_.Pack();
  std::vector<std::string> expected;
  for (const char* w : {"a", "кот", "Кот", "кот", "b"}) expected.push_back(Cp(w));
  EXPECT_EQ(expected, Words(list_));
  EXPECT_EQ(5, list_.ArtCount());
}

TEST_F(ArticleListTest, DeletedRecordStaysUntilPackOrClear) {
  AddAll(list_, {"a", "b", "c"});
  const TArticleItem* b = list_.Get(1);
  list_.Delete(1);
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), Words(list_));
  EXPECT_EQ(3, list_.ArtCount());
  EXPECT_EQ("b", b->Word);
  EXPECT_TRUE(list_.IsInStorage(b));

  list_.Pack();
  EXPECT_EQ(2, list_.ArtCount());
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), Words(list_));

  list_.Clear();
  EXPECT_EQ(0, list_.Count());
  EXPECT_EQ(0, list_.ArtCount());
  EXPECT_EQ(0, list_.Capacity());
  EXPECT_EQ(0, list_.AddArticle("d"));
}

TEST_F(ArticleListTest, ClearAfterDeletingEveryEntry) {
  AddAll(list_, {"a", "b"});
  list_.Delete(1);
  list_.Delete(0);
  list_.Clear();
  EXPECT_EQ(0, list_.ArtCount());
  EXPECT_EQ(0, list_.Capacity());
}

TEST_F(ArticleListTest, RecordsStayPutWhileTheStoreGrowsAndShrinks) {
  std::vector<const TArticleItem*> held;
  for (int i = 0; i < 6; ++i) {
    list_.AddArticle("w" + std::to_string(i));
    held.push_back(list_.Get(i));
  }
  list_.Delete(5);  // held records need not be in the index
  list_.Delete(0);
  for (int i = 6; i < 100'000; ++i) list_.AddArticle("w" + std::to_string(i));
  list_.SetCapacity(list_.ArtCount());
  list_.SetCapacity(list_.ArtCount() + 5000);
  for (int i = 0; i < 20'000; ++i) list_.AddArticle("x");

  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ("w" + std::to_string(i), held[i]->Word);
    EXPECT_TRUE(list_.IsInStorage(held[i]));
  }
  EXPECT_EQ("w99999", list_.Get(99'997)->Word);
}

TEST_F(ArticleListTest, IsInStorageCoversUsedRecordsOnly) {
  list_.SetCapacity(8);
  AddAll(list_, {"a", "b", "c"});
  const TArticleItem* first = list_.Get(0);
  TArticleItem outside;
  EXPECT_TRUE(list_.IsInStorage(first + 2));
  EXPECT_TRUE(list_.IsInStorage(first + 3));  // the next record to be used
  EXPECT_FALSE(list_.IsInStorage(first + 4));
  EXPECT_FALSE(list_.IsInStorage(&outside));
  EXPECT_FALSE(list_.IsInStorage(nullptr));
}

TEST_F(ArticleListTest, SetCountAddsNullSlotsAndDropsFromTheEnd) {
  AddAll(list_, {"a", "b"});
  list_.SetCount(10);
  EXPECT_EQ(10, list_.Count());
  EXPECT_EQ(10, list_.Capacity());
  EXPECT_EQ(nullptr, list_.Get(9));
  EXPECT_EQ(2, list_.ArtCount());

  list_.SetCount(1);
  EXPECT_EQ((std::vector<std::string>{"a"}), Words(list_));
  EXPECT_EQ(1, list_.ArtCount());
  list_.Get(0)->Parts = kPartNoun;
  // The dropped record is reused as a fresh one.
  EXPECT_EQ(1, list_.AddArticle("c"));
  EXPECT_EQ(0, list_.Get(1)->Parts);
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), Words(list_));
}

TEST_F(ArticleListTest, MoveReinsertsAtTheTarget) {
  struct Case {
    std::int32_t from, to;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, 2, {"b", "c", "a", "d"}},
      {3, 0, {"d", "a", "b", "c"}},
      {1, 1, {"a", "b", "c", "d"}},
      {2, 3, {"a", "b", "d", "c"}},
  };
  for (const Case& c : cases) {
    TArticleList list;
    AddAll(list, {"a", "b", "c", "d"});
    list.Move(c.from, c.to);
    EXPECT_EQ(c.expected, Words(list)) << c.from << " -> " << c.to;
  }
}

TEST_F(ArticleListTest, InsertArticlePlacesThePointer) {
  AddAll(list_, {"a", "c"});
  EXPECT_EQ(-1, list_.InsertArticle("x", -1));
  EXPECT_EQ(1, list_.InsertArticle("b", 1));
  EXPECT_EQ(3, list_.InsertArticle("d", 3));
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Words(list_));
  EXPECT_EQ(4, list_.ArtCount());
  EXPECT_EQ(kFlagShown, list_.Get(1)->Flags);
}

class RecordingList : public TArticleList {
 public:
  ~RecordingList() override = default;
  std::vector<std::pair<std::string, TListAction>> events;
  bool fail_allocation = false;
  bool scribble = false;  // fill new record memory with garbage, as fresh heap memory may hold
  int allocations = 0;    // record blocks allocated

 protected:
  void Notify(TArticleItem* item, TListAction action) override {
    events.emplace_back(item->Word, action);
  }
  void* AllocateRecords(std::int32_t count) override {
    if (fail_allocation) throw std::bad_alloc();
    ++allocations;
    void* memory = TArticleList::AllocateRecords(count);
    if (scribble) std::memset(memory, 0xA5, sizeof(TArticleItem) * count);
    return memory;
  }
};

// The store is sized without constructing its records: each is made when first used, and
// only those made are destroyed, through lowering, reuse, packing and release.
TEST_F(ArticleListTest, RecordsAreMadeOnFirstUse) {
  auto list = std::make_unique<RecordingList>();
  list->scribble = true;
  list->SetCapacity(1000);
  AddAll(*list, {"c", "a", "b", "a"});
  list->SetCount(2);
  AddAll(*list, {"a long word that does not fit in place", "b"});
  EXPECT_EQ((std::vector<std::string>{"c", "a", "a long word that does not fit in place", "b"}),
            Words(*list));
  EXPECT_EQ(kFlagShown, list->Get(3)->Flags);
  EXPECT_EQ(0, list->Get(3)->Parts);
  list->Sort();
  list->Pack();
  EXPECT_EQ((std::vector<std::string>{"a", "a long word that does not fit in place", "b", "c"}),
            Words(*list));
  list->SetCapacity(500);
  list->AddArticle("d");
  list->SetCapacity(2000);  // a second block, again made on use
  for (int i = 0; i < 1500; ++i) list->AddArticle("w");
  EXPECT_EQ(1505, list->Count());
  list.reset();
}

// Growth is by a share of what is held, not by a fixed step, so that a long word list is
// loaded with few allocations; records never move, so earlier pointers stay good.
TEST_F(ArticleListTest, AddingManyWordsAllocatesRarelyAndMovesNoRecord) {
  RecordingList list;
  std::vector<const TArticleItem*> records;
  for (int i = 0; i < 30'000; ++i) {
    list.AddArticle("w" + std::to_string(i));
    if (i % 1000 == 0) records.push_back(list.Get(i));
  }
  // Growing by an eighth from a thousand on reaches 30,000 in about 30 steps.
  EXPECT_LE(list.allocations, 64);
  EXPECT_GE(list.Capacity(), list.Count());
  for (std::size_t k = 0; k < records.size(); ++k) {
    const auto i = static_cast<std::int32_t>(k * 1000);
    EXPECT_EQ(records[k], list.Get(i));
    EXPECT_EQ("w" + std::to_string(i), records[k]->Word);
  }
}

TEST_F(ArticleListTest, NotifiesInsertionsAndRemovals) {
  RecordingList list;
  AddAll(list, {"a", "b", "c"});
  list.InsertArticle("d", 0);
  list.Move(0, 3);
  list.Delete(3);
  list.SetCount(1);
  using A = TListAction;
  const std::vector<std::pair<std::string, TListAction>> expected = {
      {"a", A::kAdded},   {"b", A::kAdded},   {"c", A::kAdded},   {"d", A::kAdded},
      {"d", A::kDeleted}, {"c", A::kDeleted}, {"b", A::kDeleted},
  };
  EXPECT_EQ(expected, list.events);
}

TEST_F(ArticleListTest, OutOfMemoryShowsMessageAndKeepsTheList) {
  testing::CaptureMessages messages;
  RecordingList list;
  list.fail_allocation = true;
  list.SetCapacity(10);
  EXPECT_EQ(0, list.Capacity());
  EXPECT_EQ(
      (std::vector<std::string>{"Can't Realloc memory (FArtList)\n\rCount: 10\n\rPrevCount: 0",
                                "Can't allocate memory (code 002)\n\rCount: 10\n\rPrevCount: 0"}),
      messages.Texts());

  list.fail_allocation = false;
  AddAll(list, {"a", "b", "c", "d"});
  list.fail_allocation = true;
  EXPECT_EQ(-1, list.AddArticle("e"));
  EXPECT_EQ(-1, list.InsertArticle("e", 0));
  EXPECT_EQ(4, list.Capacity());
  EXPECT_EQ(4, list.ArtCount());
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Words(list));
  EXPECT_EQ("Can't Realloc memory (FArtList)\n\rCount: 8\n\rPrevCount: 4", messages.Texts().back());

  list.fail_allocation = false;
  EXPECT_EQ(4, list.AddArticle("e"));
}

}  // namespace
}  // namespace gryvel

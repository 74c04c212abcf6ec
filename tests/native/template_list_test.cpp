#include "settings/template_list.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace {

// A case-blind order such as the list box's, enough to show where entries go.
int caseBlind(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int x = std::tolower(static_cast<unsigned char>(*a)), y = std::tolower(static_cast<unsigned char>(*b));
    if (x != y || !x) return x - y;
  }
}

using Entries = std::vector<std::string>;

TemplateList stored(const std::string& bytes) {
  TemplateList list(caseBlind);
  const std::vector<char> block(bytes.begin(), bytes.end());  // exactly its size, for the sanitizer
  list.addStored(block.data(), block.size());
  return list;
}

}  // namespace

TEST(TemplateList, StoredEntriesAreSortedWithoutDuplicates) {
  struct Case { const char* name; std::string bytes; Entries entries; };
  const std::string a101(101, 'a');
  const Case cases[] = {
      {"sorted on reading", std::string("zeta\xFF" "Alpha\xFF" "mid\xFF", 15), {"Alpha", "mid", "zeta"}},
      {"the first spelling of a duplicate stays", std::string("abc\xFF" "ABC\xFF" "aBc\xFF") + '\0', {"abc"}},
      {"empty entries", std::string("\xFF\xFFx\xFF\xFF") + '\0', {"x"}},
      {"101 characters, one lost after them", a101 + "Zrest\xFF", {a101, "rest"}},
      {"no terminating zero", "one\xFFtwo", {"one", "two"}},
      {"nothing after a zero byte", std::string("one\xFF\0two\xFF", 9), {"one"}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(stored(c.bytes).entries(), c.entries) << c.name;
}

// Read at once, a stored list gives what adding its entries in turn gives: the same order, and the
// first spelling of each entry that differs from others only by case.
TEST(TemplateList, ReadingAStoredListIsAddingItsEntriesInTurn) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    TemplateList inTurn(caseBlind);
    std::string bytes;
    const int count = static_cast<int>(random() % 300);
    for (int i = 0; i < count; ++i) {
      std::string entry;
      for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) entry += "aBbA#$"[random() % 6];
      inTurn.add(entry.c_str());
      bytes += entry + '\xFF';
    }
    ASSERT_EQ(stored(bytes).entries(), inTurn.entries()) << "round " << round;
  }
  // An entry already in the list keeps its spelling.
  TemplateList list(caseBlind);
  list.add("b");
  list.addStored("B\xFF" "a\xFF", 4);
  EXPECT_EQ(list.entries(), (Entries{"a", "b"}));
}

TEST(TemplateList, AddAndRemoveTellWhere) {
  TemplateList list(caseBlind);
  EXPECT_EQ(list.add("m"), 0);
  EXPECT_EQ(list.add("z"), 1);
  EXPECT_EQ(list.add("A"), 0);
  EXPECT_EQ(list.add("M"), -1);  // equal to "m" but for case
  EXPECT_EQ(list.add("n"), 2);
  EXPECT_EQ(list.entries(), (Entries{"A", "m", "n", "z"}));
  EXPECT_EQ(list.find("Z"), 3);
  EXPECT_EQ(list.find("o"), -1);
  EXPECT_EQ(list.remove("N"), 2);
  EXPECT_EQ(list.remove("n"), -1);
  EXPECT_EQ(list.entries(), (Entries{"A", "m", "z"}));
}

TEST(TemplateList, StoredFormLeavesOutWhatItCannotCarry) {
  TemplateList list(caseBlind);
  EXPECT_EQ(list.stored(), std::string(1, '\0'));
  list.add("");
  EXPECT_EQ(list.stored(), std::string(1, '\0'));
  list.add("b #r");
  list.add("a\xFF" "b");  // would come back as two entries
  list.add("c");
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(list.stored(), std::string("b #r\xFF" "c\xFF") + '\0');
  EXPECT_EQ(stored(list.stored()).entries(), (Entries{"b #r", "c"}));
}

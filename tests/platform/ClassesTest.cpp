#include "platform/core/Classes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Exceptions.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStrings& L) {
  Lines R;
  for (int I = 0; I < L.Count(); ++I) R.push_back(L.Strings(I));
  return R;
}

void Fill(TStrings& L, const Lines& Items) {
  for (const std::string& S : Items) L.Add(S);
}

// Counts its destructions, for OwnsObjects.
struct TCounted : TObject {
  explicit TCounted(int* Deaths) : Deaths_(Deaths) {}
  ~TCounted() override { ++*Deaths_; }
  int* Deaths_;
};

struct TNotPersistentStrings : TPersistent {};

}  // namespace

// --- Text ----------------------------------------------------------------------

struct TextSplitCase {
  std::string Text;
  Lines Expected;
};

TEST(StringList, TextSplitsAtCrLfCrOrLf) {
  const TextSplitCase Cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"\r\n", {""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\r", {"a", ""}},
      {"  x  \n\ty", {"  x  ", "\ty"}},
      {"\xE4\xB8\xAD\xE6\x96\x87\r\nb", {"\xE4\xB8\xAD\xE6\x96\x87", "b"}},
  };
  for (const auto& C : Cases) {
    TStringList L;
    L.Add("old");
    L.SetText(C.Text);
    EXPECT_EQ(LinesOf(L), C.Expected) << "text: " << testing::PrintToString(C.Text);
  }
}

TEST(StringList, TextPutsCrLfAfterEveryLine) {
  TStringList L;
  EXPECT_EQ(L.Text(), "");
  Fill(L, {"a", "", "b"});
  EXPECT_EQ(L.Text(), "a\r\n\r\nb\r\n");
  TStringList Copy;
  Copy.SetText(L.Text());
  EXPECT_TRUE(Copy.Equals(&L));
}

// --- CommaText and DelimitedText -------------------------------------------------

struct CommaCase {
  Lines Items;
  std::string Text;
};

TEST(StringList, CommaTextQuotesItemsWithBlanksCommasOrQuotes) {
  const CommaCase Cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b", "c"}, "a,b,c"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"a,b"}, "\"a,b\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"a", "", "b"}, "a,,b"},
      {{"tab\there"}, "\"tab\there\""},
      {{"\xE4\xB8\xAD"}, "\xE4\xB8\xAD"},
  };
  for (const auto& C : Cases) {
    TStringList L;
    Fill(L, C.Items);
    EXPECT_EQ(L.CommaText(), C.Text);
    TStringList Back;
    Back.SetCommaText(C.Text);
    EXPECT_EQ(LinesOf(Back), C.Items) << "text: " << C.Text;
  }
}

TEST(StringList, SetCommaTextFollowsTheClassicReader) {
  const CommaCase Cases[] = {
      {{"a", "b", "c"}, "a, b ,c"},
      {{"a", "b"}, "a b"},
      {{"a", "b"}, "  a  b  "},
      {{"a", ""}, "a,"},
      {{"", "a"}, ",a"},
      {{"x\"y"}, "\"x\"\"y\""},
      {{"open ended"}, "\"open ended"},
      {{"a", "b"}, "\"a\"b"},
      {{}, "   "},
  };
  for (const auto& C : Cases) {
    TStringList L;
    L.SetCommaText(C.Text);
    EXPECT_EQ(LinesOf(L), C.Items) << "text: " << C.Text;
  }
}

TEST(StringList, DelimitedTextUsesDelimiterQuoteCharAndStrictDelimiter) {
  TStringList L;
  L.SetDelimiter(';');
  L.SetQuoteChar('\'');
  L.SetDelimitedText("a b;'c;d';'it''s'");
  EXPECT_THAT(LinesOf(L), ElementsAre("a", "b", "c;d", "it's"));
  EXPECT_EQ(L.DelimitedText(), "a;b;'c;d';'it''s'");
  EXPECT_EQ(L.CommaText(), "a,b,c;d,it's");  // CommaText ignores the list's settings

  L.SetStrictDelimiter(true);
  L.SetDelimitedText(" a b ; c");
  EXPECT_THAT(LinesOf(L), ElementsAre(" a b ", " c"));
  EXPECT_EQ(L.DelimitedText(), " a b ; c");
}

// --- names and values ----------------------------------------------------------

TEST(StringList, ValuesGetSetAndRemove) {
  TStringList L;
  Fill(L, {"Server=alpha", "plain line", "Port=8080", "Empty=", "server=second"});
  EXPECT_EQ(L.Values("Server"), "alpha");
  EXPECT_EQ(L.Values("SERVER"), "alpha");  // case-insensitive, first match
  EXPECT_EQ(L.Values("Port"), "8080");
  EXPECT_EQ(L.Values("Empty"), "");
  EXPECT_EQ(L.Values("Missing"), "");
  EXPECT_EQ(L.Names(0), "Server");
  EXPECT_EQ(L.Names(1), "");
  EXPECT_EQ(L.ValueFromIndex(2), "8080");
  EXPECT_EQ(L.ValueFromIndex(1), "");
  EXPECT_EQ(L.IndexOfName("port"), 2);
  EXPECT_EQ(L.IndexOfName("plain line"), -1);

  L.SetValues("Port", "9090");  // changes in place
  EXPECT_EQ(L.Strings(2), "Port=9090");
  L.SetValues("User", "sa");  // appends
  EXPECT_EQ(L.Strings(L.Count() - 1), "User=sa");
  L.SetValues("server", "");  // removes the first line of that name
  EXPECT_THAT(LinesOf(L), ElementsAre("plain line", "Port=9090", "Empty=", "server=second", "User=sa"));
  L.SetValues("Nothing", "");  // removing a missing name does nothing
  EXPECT_EQ(L.Count(), 5);
  L.SetValueFromIndex(1, "7");
  EXPECT_EQ(L.Strings(1), "Port=7");
  L.SetValueFromIndex(1, "");
  EXPECT_EQ(L.IndexOfName("Port"), -1);
}

TEST(StringList, NameValueSeparatorCanChange) {
  TStringList L;
  L.SetNameValueSeparator(':');
  Fill(L, {"a=b:c", "key:value"});
  EXPECT_EQ(L.Names(0), "a=b");
  EXPECT_EQ(L.Values("key"), "value");
  L.SetValues("new", "v");
  EXPECT_EQ(L.Strings(2), "new:v");
}

TEST(StringList, ValuesOfASortedListAddInOrder) {
  TStringList L;
  L.SetSorted(true);
  L.SetValues("b", "2");
  L.SetValues("a", "1");
  EXPECT_THAT(LinesOf(L), ElementsAre("a=1", "b=2"));
  EXPECT_THROW(L.SetValues("a", "3"), EListError);  // the classic sorted-list rule
  L.SetValues("a", "");
  EXPECT_THAT(LinesOf(L), ElementsAre("b=2"));
}

// --- sorted lists and duplicates -----------------------------------------------

struct DuplicatesCase {
  TDuplicates Mode;
  Lines Expected;
  bool Raises;
};

TEST(StringList, SortedListsFollowDuplicates) {
  const DuplicatesCase Cases[] = {
      {dupIgnore, {"apple", "banana", "cherry"}, false},
      {dupAccept, {"apple", "Banana", "banana", "cherry"}, false},
      {dupError, {"apple", "banana", "cherry"}, true},
  };
  for (const auto& C : Cases) {
    TStringList L;
    L.SetSorted(true);
    L.SetDuplicates(C.Mode);
    Fill(L, {"cherry", "banana", "apple"});
    if (C.Raises) {
      try {
        L.Add("Banana");  // equal ignoring case
        ADD_FAILURE() << "no exception";
      } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), "String list does not allow duplicates");
      }
    } else {
      const int I = L.Add("Banana");
      EXPECT_EQ(I, 1);
    }
    EXPECT_EQ(LinesOf(L), C.Expected) << "mode " << C.Mode;
  }
}

TEST(StringList, SortedListsRefusePositionalChanges) {
  TStringList L;
  Fill(L, {"b", "c", "a"});
  L.SetSorted(true);
  EXPECT_THAT(LinesOf(L), ElementsAre("a", "b", "c"));
  try {
    L.Insert(0, "z");
    ADD_FAILURE() << "no exception";
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(), "Operation not allowed on sorted list");
  }
  EXPECT_THROW(L.SetStrings(0, "z"), EListError);
  EXPECT_THROW(L.Move(0, 2), EListError);
  EXPECT_EQ(L.IndexOf("B"), 1);
  EXPECT_EQ(L.IndexOf("bb"), -1);
}

TEST(StringList, FindGivesTheFoundOrInsertionIndex) {
  TStringList L;
  L.SetSorted(true);
  Fill(L, {"b", "d", "f"});
  const struct {
    std::string S;
    bool Found;
    int Index;
  } Cases[] = {{"a", false, 0}, {"b", true, 0}, {"c", false, 1}, {"D", true, 1}, {"g", false, 3}};
  for (const auto& C : Cases) {
    int Index = -1;
    EXPECT_EQ(L.Find(C.S, Index), C.Found) << C.S;
    EXPECT_EQ(Index, C.Index) << C.S;
  }
  L.SetDuplicates(dupAccept);
  Fill(L, {"d", "d"});
  int Index = -1;
  EXPECT_TRUE(L.Find("d", Index));
  EXPECT_EQ(Index, 1);  // the first of the equal lines
}

TEST(StringList, CaseSensitiveComparesBytes) {
  TStringList L;
  Fill(L, {"abc", "ABC"});
  EXPECT_EQ(L.IndexOf("ABC"), 0);
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf("ABC"), 1);
  EXPECT_EQ(L.IndexOf("Abc"), -1);
  L.SetSorted(true);
  EXPECT_THAT(LinesOf(L), ElementsAre("ABC", "abc"));
  L.SetDuplicates(dupError);
  EXPECT_NO_THROW(L.Add("Abc"));
  EXPECT_THROW(L.Add("abc"), EListError);
}

TEST(StringList, SortIsStableAndCustomSortUsesTheComparer) {
  TStringList L;
  Fill(L, {"b", "A", "a", "B", "c"});
  L.Sort();
  EXPECT_THAT(LinesOf(L), ElementsAre("A", "a", "b", "B", "c"));  // equal lines keep their order
  L.CustomSort([](TStringList* List, int I, int J) {
    return static_cast<int>(List->Strings(J).compare(List->Strings(I)));  // bytes, descending
  });
  EXPECT_THAT(LinesOf(L), ElementsAre("c", "b", "a", "B", "A"));
}

// --- lines and objects -----------------------------------------------------------

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList L;
  Fill(L, {"a", "b"});
  const struct {
    const char* What;
    std::function<void()> Call;
    int Index;
  } Cases[] = {
      {"Strings", [&] { (void)L.Strings(2); }, 2},
      {"Strings", [&] { (void)L.Strings(-1); }, -1},
      {"Objects", [&] { (void)L.Objects(5); }, 5},
      {"SetStrings", [&] { L.SetStrings(2, "x"); }, 2},
      {"Delete", [&] { L.Delete(3); }, 3},
      {"Insert", [&] { L.Insert(3, "x"); }, 3},
      {"Exchange", [&] { L.Exchange(0, 7); }, 7},
      {"Move", [&] { L.Move(0, 2); }, 2},
  };
  for (const auto& C : Cases) {
    try {
      C.Call();
      ADD_FAILURE() << C.What << ": no exception";
    } catch (const EListError& E) {
      EXPECT_EQ(E.Message(), "List index out of bounds (" + std::to_string(C.Index) + ")") << C.What;
    }
  }
  EXPECT_NO_THROW(L.Insert(2, "end"));  // Count itself is a valid insert position
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject A, B;
  TStringList L;
  L.AddObject("a", &A);
  L.Add("none");
  L.AddObject("b", &B);
  EXPECT_EQ(L.Objects(0), &A);
  EXPECT_EQ(L.Objects(1), nullptr);
  EXPECT_EQ(L.IndexOfObject(&B), 2);
  EXPECT_EQ(L.IndexOfObject(nullptr), 1);
  L.Exchange(0, 2);
  EXPECT_THAT(LinesOf(L), ElementsAre("b", "none", "a"));
  EXPECT_EQ(L.Objects(0), &B);
  L.Move(0, 2);
  EXPECT_THAT(LinesOf(L), ElementsAre("none", "a", "b"));
  EXPECT_EQ(L.Objects(2), &B);
  L.Move(2, 0);
  EXPECT_THAT(LinesOf(L), ElementsAre("b", "none", "a"));
  L.SetObjects(1, &A);
  EXPECT_EQ(L.IndexOfObject(&A), 1);
  L.InsertObject(0, "first", &B);
  EXPECT_EQ(L.Objects(0), &B);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLines) {
  int Deaths = 0;
  {
    TStringList L(true);
    L.AddObject("a", new TCounted(&Deaths));
    L.AddObject("b", new TCounted(&Deaths));
    L.AddObject("c", new TCounted(&Deaths));
    L.AddObject("d", new TCounted(&Deaths));
    L.Delete(0);
    EXPECT_EQ(Deaths, 1);
    L.Move(0, 2);  // moving keeps the object alive
    L.Exchange(0, 1);
    EXPECT_EQ(Deaths, 1);
    L.Clear();
    EXPECT_EQ(Deaths, 4);
    L.AddObject("e", new TCounted(&Deaths));
  }
  EXPECT_EQ(Deaths, 5);  // the destructor frees the rest

  TCounted Kept(&Deaths);
  {
    TStringList NotOwning;
    NotOwning.AddObject("k", &Kept);
    NotOwning.Delete(0);
  }
  EXPECT_EQ(Deaths, 5);
}

TEST(StringList, AssignCopiesLinesAndObjectsAddStringsAppends) {
  TObject A;
  TStringList Source;
  Source.AddObject("x", &A);
  Source.Add("y");
  TStringList Dest;
  Fill(Dest, {"old1", "old2", "old3"});
  Dest.Assign(&Source);
  EXPECT_THAT(LinesOf(Dest), ElementsAre("x", "y"));
  EXPECT_EQ(Dest.Objects(0), &A);
  EXPECT_TRUE(Dest.Equals(&Source));
  Dest.Assign(&Dest);  // itself: unchanged
  EXPECT_THAT(LinesOf(Dest), ElementsAre("x", "y"));

  Dest.AddStrings(&Source);
  EXPECT_THAT(LinesOf(Dest), ElementsAre("x", "y", "x", "y"));
  EXPECT_EQ(Dest.Objects(2), &A);
  EXPECT_FALSE(Dest.Equals(&Source));
  Dest.AddStrings(&Dest);
  EXPECT_EQ(Dest.Count(), 8);

  TStringList SortedDest;
  SortedDest.SetSorted(true);
  Fill(SortedDest, {"m"});
  SortedDest.Assign(&Dest);  // keeps its own Sorted and Duplicates
  EXPECT_THAT(LinesOf(SortedDest), ElementsAre("x", "y"));

  TNotPersistentStrings Other;
  EXPECT_THROW(Dest.Assign(&Other), EConvertError);
  EXPECT_THROW(Dest.Assign(nullptr), EConvertError);
}

TEST(StringList, EqualsComparesLinesExactly) {
  TStringList A, B;
  Fill(A, {"a", "b"});
  Fill(B, {"a", "B"});
  EXPECT_FALSE(A.Equals(&B));
  B.SetStrings(1, "b");
  EXPECT_TRUE(A.Equals(&B));
  B.Add("c");
  EXPECT_FALSE(A.Equals(&B));
}

// --- notifications -----------------------------------------------------------------

struct Recorder {
  std::vector<std::string> Events;
  void Attach(TStringList& L) {
    L.OnChanging = [this](TStrings* S) { Events.push_back("changing:" + std::to_string(S->Count())); };
    L.OnChange = [this](TStrings* S) { Events.push_back("change:" + std::to_string(S->Count())); };
  }
};

TEST(StringList, EveryChangeNotifiesBeforeAndAfter) {
  TStringList L;
  Recorder R;
  R.Attach(L);
  L.Add("a");
  L.SetStrings(0, "b");
  L.Delete(0);
  L.Clear();  // an empty list does not change
  EXPECT_THAT(R.Events, ElementsAre("changing:0", "change:1", "changing:1", "change:1", "changing:1",
                                    "change:0"));
}

TEST(StringList, UpdatesHoldNotificationsUntilTheOutermostEnd) {
  TStringList L;
  Recorder R;
  R.Attach(L);
  L.BeginUpdate();
  L.BeginUpdate();
  L.Add("a");
  L.Add("b");
  L.SetText("x\ny\nz");  // opens and closes an update of its own
  L.EndUpdate();
  EXPECT_THAT(R.Events, ElementsAre("changing:0"));
  L.EndUpdate();
  EXPECT_THAT(R.Events, ElementsAre("changing:0", "change:3"));
  L.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(R.Events.size(), 2u);

  R.Events.clear();
  L.SetCommaText("p,q");  // one pair for the whole text
  EXPECT_THAT(R.Events, ElementsAre("changing:3", "change:2"));
  R.Events.clear();
  TStringList Other;
  Fill(Other, {"1", "2", "3", "4"});
  L.Assign(&Other);
  EXPECT_THAT(R.Events, ElementsAre("changing:2", "change:4"));
}

TEST(StringList, SortingNotifiesOnce) {
  TStringList L;
  Fill(L, {"b", "a"});
  Recorder R;
  R.Attach(L);
  L.SetSorted(true);
  EXPECT_THAT(R.Events, ElementsAreArray({"changing:2", "change:2"}));
  L.Sort();  // already sorted: nothing
  EXPECT_EQ(R.Events.size(), 2u);
}

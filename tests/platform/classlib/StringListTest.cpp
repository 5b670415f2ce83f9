#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/classlib/StringList.h"

namespace {

using Lines = std::vector<std::string>;

TStringList* Make(TStringList& list, const Lines& lines) {
  for (const auto& s : lines) list.Add(s);
  return &list;
}

// An object that counts how often it was freed.
struct Counted : TObject {
  explicit Counted(int* freed) : FFreed(freed) {}
  ~Counted() override { ++*FFreed; }
  int* FFreed;
};

TEST(StringList, EditingOperations) {
  TStringList l;
  EXPECT_EQ(l.Add("b"), 0);
  EXPECT_EQ(l.Add("d"), 1);
  l.Insert(0, "a");
  l.Insert(2, "c");
  l.Insert(4, "e");  // at the end is allowed
  EXPECT_EQ(l.ToVector(), (Lines{"a", "b", "c", "d", "e"}));
  l.Delete(4);
  l.Exchange(0, 3);
  EXPECT_EQ(l.ToVector(), (Lines{"d", "b", "c", "a"}));
  l.Move(3, 0);
  EXPECT_EQ(l.ToVector(), (Lines{"a", "d", "b", "c"}));
  l.SetStrings(1, "x");
  EXPECT_EQ(l[1], "x");
  EXPECT_EQ(l.Count(), 4);
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList l;
  Make(l, {"a", "b"});
  struct Case {
    const char* what;
    std::function<void()> op;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"get -1", [&] { (void)l.Get(-1); }, "List index out of bounds (-1)"},
      {"get count", [&] { (void)l.Get(2); }, "List index out of bounds (2)"},
      {"insert past end", [&] { l.Insert(3, "z"); }, "List index out of bounds (3)"},
      {"delete", [&] { l.Delete(5); }, "List index out of bounds (5)"},
      {"put", [&] { l.Put(2, "z"); }, "List index out of bounds (2)"},
      {"move target", [&] { l.Move(0, 2); }, "List index out of bounds (2)"},
      {"exchange", [&] { l.Exchange(0, -1); }, "List index out of bounds (-1)"},
      {"objects", [&] { (void)l.GetObjects(7); }, "List index out of bounds (7)"},
  };
  for (const auto& c : cases) {
    try {
      c.op();
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
  }
  EXPECT_EQ(l.ToVector(), (Lines{"a", "b"}));
}

TEST(StringList, IndexOfFollowsCaseSensitivity) {
  TStringList l;
  Make(l, {"Alpha", "beta", "alpha"});
  EXPECT_EQ(l.IndexOf("ALPHA"), 0);
  EXPECT_EQ(l.IndexOf("gamma"), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("alpha"), 2);
  EXPECT_EQ(l.IndexOf("ALPHA"), -1);
}

TEST(StringList, SortedListAndDuplicates) {
  struct Case {
    TDuplicates dup;
    bool throws;
    int count;
  };
  for (const Case c : {Case{dupIgnore, false, 3}, Case{dupAccept, false, 4}, Case{dupError, true, 3}}) {
    TStringList l;
    l.SetSorted(true);
    l.SetDuplicates(c.dup);
    Make(l, {"pear", "apple", "fig"});
    EXPECT_EQ(l.ToVector(), (Lines{"apple", "fig", "pear"}));
    if (c.throws) {
      EXPECT_THROW(l.Add("FIG"), EStringListError);
    } else {
      EXPECT_EQ(l.Add("FIG"), 1) << c.dup;
    }
    EXPECT_EQ(l.Count(), c.count) << c.dup;
    EXPECT_EQ(l.IndexOf("fig"), 1);
    EXPECT_THROW(l.Insert(0, "zzz"), EStringListError);
    EXPECT_THROW(l.Put(0, "zzz"), EStringListError);
  }
}

TEST(StringList, FindReportsTheInsertPosition) {
  TStringList l;
  Make(l, {"d", "b", "a"});
  l.SetSorted(true);  // turning it on sorts
  EXPECT_EQ(l.ToVector(), (Lines{"a", "b", "d"}));
  int at = -1;
  EXPECT_TRUE(l.Find("B", at));
  EXPECT_EQ(at, 1);
  EXPECT_FALSE(l.Find("c", at));
  EXPECT_EQ(at, 2);
  EXPECT_FALSE(l.Find("z", at));
  EXPECT_EQ(at, 3);
}

TEST(StringList, CustomSortIsStableAndKeepsObjects) {
  TStringList l;
  TObject a, b, c;
  l.AddObject("x2", &a);
  l.AddObject("y1", &b);
  l.AddObject("x1", &c);
  // By the digit only: y1 and x1 tie and keep their order.
  l.CustomSort([](TStringList* list, int i, int j) { return list->Get(i)[1] - list->Get(j)[1]; });
  EXPECT_EQ(l.ToVector(), (Lines{"y1", "x1", "x2"}));
  EXPECT_EQ(l.GetObjects(0), &b);
  EXPECT_EQ(l.GetObjects(2), &a);
}

TEST(StringList, TextSplitsOnEveryLineBreak) {
  struct Case {
    const char* text;
    Lines lines;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\nb", {"a", "", "b"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"  lead and trail  \n", {"  lead and trail  "}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetText(c.text);
    EXPECT_EQ(l.ToVector(), c.lines) << '"' << c.text << '"';
  }
  TStringList l;
  Make(l, {"one", "", "three"});
  EXPECT_EQ(l.GetText(), "one\n\nthree\n");
  l.SetLineBreak("\r\n");
  EXPECT_EQ(l.GetText(), "one\r\n\r\nthree\r\n");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  struct Case {
    Lines lines;
    const char* text;
  };
  const std::vector<Case> cases = {
      {{}, ""},
      {{"a", "b"}, "a,b"},
      {{"a b"}, "\"a b\""},
      {{""}, "\"\""},
      {{"x,y"}, "\"x,y\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"a", "", "c"}, "a,\"\",c"},
  };
  for (const auto& c : cases) {
    TStringList l;
    Make(l, c.lines);
    EXPECT_EQ(l.GetCommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(back.ToVector(), c.lines) << c.text;
  }
}

TEST(StringList, DelimitedTextReading) {
  struct Case {
    const char* text;
    bool strict;
    Lines lines;
  };
  const std::vector<Case> cases = {
      {"a b,c", false, {"a", "b", "c"}},  // a space separates unless strict
      {"a b,c", true, {"a b", "c"}},
      {"a,,b", false, {"a", "", "b"}},
      {"a,", false, {"a", ""}},
      {" \"q,1\" , z ", false, {"q,1", "z"}},
      {"\"unterminated", false, {"unterminated"}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetStrictDelimiter(c.strict);
    l.SetDelimitedText(c.text);
    EXPECT_EQ(l.ToVector(), c.lines) << c.text << " strict=" << c.strict;
  }
  TStringList semi;
  semi.SetDelimiter(';');
  semi.SetDelimitedText("1;2;3");
  EXPECT_EQ(semi.ToVector(), (Lines{"1", "2", "3"}));
  // CommaText ignores the list's own delimiter.
  EXPECT_EQ(semi.GetCommaText(), "1,2,3");
  EXPECT_EQ(semi.GetDelimitedText(), "1;2;3");
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  Make(l, {"Port=9761", "Host=192.168.1.101", "plain"});
  EXPECT_EQ(l.GetValues("host"), "192.168.1.101");
  EXPECT_EQ(l.GetNames(0), "Port");
  EXPECT_EQ(l.GetNames(2), "");
  EXPECT_EQ(l.IndexOfName("plain"), -1);
  l.SetValues("Port", "1");
  l.SetValues("New", "v");
  EXPECT_EQ(l.ToVector(), (Lines{"Port=1", "Host=192.168.1.101", "plain", "New=v"}));
  l.SetValues("Host", "");  // an empty value removes the line
  EXPECT_EQ(l.IndexOfName("Host"), -1);
  EXPECT_EQ(l.GetValueFromIndex(0), "1");
}

TEST(StringList, ChangeEventsOncePerChangeAndOncePerBatch) {
  TStringList l;
  std::string log;
  l.OnChanging = [&](TObject* s) {
    EXPECT_EQ(s, &l);
    log += '<';
  };
  l.OnChange = [&](TObject*) { log += '>'; };

  struct Step {
    const char* what;
    std::function<void()> op;
    const char* events;
  };
  const std::vector<Step> steps = {
      {"add", [&] { l.Add("a"); }, "<>"},
      {"insert", [&] { l.Insert(0, "b"); }, "<>"},
      {"put", [&] { l.Put(0, "c"); }, "<>"},
      {"exchange", [&] { l.Exchange(0, 1); }, "<>"},
      {"delete", [&] { l.Delete(0); }, "<>"},
      {"text (many lines)", [&] { l.SetText("1\n2\n3\n"); }, "<>"},
      {"comma text", [&] { l.SetCommaText("x,y"); }, "<>"},
      {"nested batch",
       [&] {
         l.BeginUpdate();
         l.Add("p");
         l.BeginUpdate();
         l.Delete(0);
         l.EndUpdate();
         l.Add("q");
         l.EndUpdate();
       },
       "<>"},
      {"clear", [&] { l.Clear(); }, "<>"},
      {"clear when empty", [&] { l.Clear(); }, ""},
      {"unbalanced end", [&] { l.EndUpdate(); }, ""},
  };
  for (const auto& s : steps) {
    log.clear();
    s.op();
    EXPECT_EQ(log, s.events) << s.what;
  }
  EXPECT_EQ(l.GetUpdateCount(), 0);
}

TEST(StringList, ChangeSeenAfterTheListChanged) {
  TStringList l;
  int seen = -1;
  l.OnChange = [&](TObject*) { seen = l.Count(); };
  l.Add("a");
  EXPECT_EQ(seen, 1);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirEntries) {
  int freed = 0;
  {
    TStringList l;
    l.SetOwnsObjects(true);
    l.AddObject("a", new Counted(&freed));
    l.AddObject("b", new Counted(&freed));
    l.AddObject("c", new Counted(&freed));
    l.AddObject("d", new Counted(&freed));
    l.Delete(0);
    EXPECT_EQ(freed, 1);
    l.PutObject(0, new Counted(&freed));  // replacing frees the old one
    EXPECT_EQ(freed, 2);
    l.Move(0, 2);  // moving keeps it
    EXPECT_EQ(freed, 2);
    l.Clear();
    EXPECT_EQ(freed, 5);
    l.AddObject("e", new Counted(&freed));
  }
  EXPECT_EQ(freed, 6);

  // Without ownership nothing is freed.
  Counted kept(&freed);
  {
    TStringList l;
    l.AddObject("k", &kept);
  }
  EXPECT_EQ(freed, 6);
}

TEST(StringList, AssignAndAddStrings) {
  TStringList src;
  TObject tag;
  src.AddObject("one", &tag);
  src.Add("two");
  src.SetDelimiter(';');
  TStringList dst;
  dst.Add("old");
  dst.Assign(&src);
  EXPECT_TRUE(dst.Equals(&src));
  EXPECT_EQ(dst.GetObjects(0), &tag);
  EXPECT_EQ(dst.GetDelimiter(), ';');
  dst.AddStrings(&dst);  // itself: doubles once, no endless loop
  EXPECT_EQ(dst.ToVector(), (Lines{"one", "two", "one", "two"}));
  dst.Assign(nullptr);
  EXPECT_EQ(dst.Count(), 0);
}

TEST(StringList, FilesRoundTripAndReportFailures) {
  const std::string path = "/tmp/tavo-stringlist-" + std::to_string(::getpid()) + ".txt";
  TStringList l;
  Make(l, {"first", "", "\xE4\xB8\xAD\xE6\x96\x87"});
  l.SaveToFile(path);
  TStringList back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.ToVector(), l.ToVector());

  {
    std::ofstream out(path, std::ios::binary);
    out << "\xEF\xBB\xBF"
        << "bom\r\nline2";
  }
  back.LoadFromFile(path);
  EXPECT_EQ(back.ToVector(), (Lines{"bom", "line2"}));
  std::remove(path.c_str());

  back.Add("kept");
  EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
  EXPECT_EQ(back.Count(), 3);  // a failed load changes nothing
  EXPECT_THROW(l.SaveToFile("/nonexistent-dir/x.txt"), EFCreateError);
}

}  // namespace

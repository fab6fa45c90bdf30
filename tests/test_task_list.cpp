// The command list: order, cursor and Clear as its one user relies on.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "qx_tasklist.h"

namespace {

TEST(TaskList, CursorAndOrder) {
  struct Case {
    const char* name;
    std::function<std::vector<std::string>(QX_TaskList&)> run;  // what Next yields
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"new list", [](QX_TaskList& l) { return std::vector<std::string>{l.Next(), l.Next()}; }, {"", ""}},
      {"two texts, rewound",
       [](QX_TaskList& l) {
         l.Add("A");
         l.Add("B");
         l.Rewind();
         return std::vector<std::string>{l.Next(), l.Next(), l.Next()};
       },
       {"A", "B", ""}},
      {"clear keeps the cursor",
       [](QX_TaskList& l) {
         l.Add("A");
         l.Add("B");
         l.Next();
         l.Next();
         l.Clear();
         std::vector<std::string> out{l.Next()};
         l.Add("C");
         l.Add("D");
         l.Rewind();
         out.push_back(l.Next());
         return out;
       },
       {"", "C"}},
      {"added after the end is read next",
       [](QX_TaskList& l) {
         l.Add("A");
         std::vector<std::string> out{l.Next(), l.Next()};
         l.Add("B");
         out.push_back(l.Next());
         return out;
       },
       {"A", "", "B"}},
      {"one text, rewound",
       [](QX_TaskList& l) {
         l.Add("A");
         std::vector<std::string> out{l.Next(), l.Next()};
         l.Rewind();
         out.push_back(l.Next());
         return out;
       },
       {"A", "", "A"}},
  };
  for (const Case& c : cases) {
    QX_TaskList list;
    EXPECT_EQ(c.run(list), c.expected) << c.name;
  }
}

TEST(TaskList, ArrayHoldsExactlyCountTexts) {
  QX_TaskList list;
  EXPECT_TRUE(list.Clear());  // on an empty list: true, nothing changes
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Items, nullptr);
  for (int i = 0; i < 5; ++i) list.Add(std::string(i + 1, 'x'));
  EXPECT_EQ(list.Count, 5);
  EXPECT_EQ(list.Items[4], "xxxxx");
  EXPECT_EQ(list.Cursor, 0);
  EXPECT_TRUE(list.Clear());
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Items, nullptr);
}

}  // namespace

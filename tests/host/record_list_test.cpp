#include <gtest/gtest.h>

#include <vector>

#include "game/actors/record_list.h"

namespace {
struct Node {
  int id;
  Node* next;
  Node* prev;
};

std::vector<int> Forward(const RecordList<Node>& list) {
  std::vector<int> ids;
  for (Node* n = list.head; n; n = n->next) ids.push_back(n->id);
  return ids;
}

std::vector<int> Backward(const RecordList<Node>& list) {
  std::vector<int> ids;
  for (Node* n = list.tail; n; n = n->prev) ids.insert(ids.begin(), n->id);
  return ids;
}

Node* Make(int id) { return new Node{id, nullptr, nullptr}; }
}  // namespace

TEST(RecordList, AppendPrependAndUnlinkKeepBothDirectionsInStep) {
  RecordList<Node> list;
  Node* a = Make(1);
  Node* b = Make(2);
  Node* c = Make(3);
  Append(list, a);
  Prepend(list, b);
  Append(list, c);
  EXPECT_EQ(Forward(list), (std::vector<int>{2, 1, 3}));
  EXPECT_EQ(Backward(list), Forward(list));
  EXPECT_EQ(list.head->prev, nullptr);
  EXPECT_EQ(list.tail->next, nullptr);

  const Node* removals[] = {a, b, c};  // middle, then head, then the last one
  const std::vector<int> after[] = {{2, 3}, {3}, {}};
  for (int i = 0; i < 3; ++i) {
    Unlink(list, const_cast<Node*>(removals[i]));
    EXPECT_EQ(Forward(list), after[i]);
    EXPECT_EQ(Backward(list), after[i]);
    delete removals[i];
  }
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.tail, nullptr);
}

TEST(RecordList, PassReachesRecordsAppendedDuringIt) {
  RecordList<Node> list;
  Append(list, Make(1));
  Append(list, Make(2));
  std::vector<int> seen;
  PassOver(list, [&](Node* n) {
    seen.push_back(n->id);
    if (n->id == 1) Append(list, Make(10));   // reached by this pass
    if (n->id == 1) Prepend(list, Make(20));  // first reached next pass
    return n->id != 2;                         // the pass deletes 2
  });
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 10}));
  EXPECT_EQ(Forward(list), (std::vector<int>{20, 1, 10}));
  FreeAll(list);
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.tail, nullptr);
}

TEST(RecordList, RecordAppendedWhileWorkingOnTheTailWaitsForTheNextPass) {
  RecordList<Node> list;
  Append(list, Make(1));
  std::vector<int> seen;
  PassOver(list, [&](Node* n) {
    seen.push_back(n->id);
    if (n->id == 1) Append(list, Make(2));
    return 1;
  });
  EXPECT_EQ(seen, (std::vector<int>{1}));
  EXPECT_EQ(CountRecords(list), 2);
  FreeAll(list);
}

#include <gtest/gtest.h>

#include <vector>

#include "kaList.h"

namespace {

int items[5];

std::vector<void*> Walk(const kaList& list) {
    std::vector<void*> forward;
    for (kaListNode* n = list.getHead(); n != nullptr; n = n->next) forward.push_back(n->item);
    std::vector<void*> backward;
    for (kaListNode* n = list.getTail(); n != nullptr; n = n->previous) {
        backward.insert(backward.begin(), n->item);
    }
    EXPECT_EQ(forward, backward) << "next and previous links disagree";
    EXPECT_EQ(forward.size(), list.getCount());
    return forward;
}

void Fill(kaList& list, int count) {
    for (int i = 0; i < count; ++i) list.PushBack(&items[i]);
}

TEST(ListTest, PushBackAppendsAndLinksBothWays) {
    kaList list;
    kaListNode* first = list.PushBack(&items[0]);
    EXPECT_EQ(list.getHead(), first);
    EXPECT_EQ(list.getTail(), first);
    list.PushBack(&items[1]);
    list.PushBack(&items[2]);
    EXPECT_EQ(Walk(list), (std::vector<void*>{&items[0], &items[1], &items[2]}));
}

TEST(ListTest, NodeAtWalksFromTheHeadAndIsEmptyPastTheEnd) {
    kaList list;
    EXPECT_EQ(list.NodeAt(0), nullptr);
    list.PushBack(&items[0]);
    EXPECT_EQ(list.NodeAt(0), list.getHead());
    EXPECT_EQ(list.NodeAt(1), nullptr);
    list.PushBack(&items[1]);
    EXPECT_EQ(list.NodeAt(1)->item, &items[1]);
    EXPECT_EQ(list.NodeAt(list.getCount()), nullptr);
}

TEST(ListTest, RemovingTheOnlyNodeEmptiesTheList) {
    kaList list;
    list.PushBack(&items[0]);
    list.setCursor(list.getHead());
    list.Remove(&items[0]);
    EXPECT_EQ(list.getCount(), 0u);
    EXPECT_EQ(list.getHead(), nullptr);
    EXPECT_EQ(list.getTail(), nullptr);
    EXPECT_EQ(list.getCursor(), nullptr);
}

TEST(ListTest, RemoveTakesOnlyTheFirstOfEqualItemsAndIgnoresStrangers) {
    kaList list;
    list.PushBack(&items[0]);
    list.PushBack(&items[1]);
    list.PushBack(&items[0]);
    list.Remove(&items[4]);
    EXPECT_EQ(list.getCount(), 3u);
    list.Remove(&items[0]);
    EXPECT_EQ(Walk(list), (std::vector<void*>{&items[1], &items[0]}));
}

TEST(ListTest, RemoveAtUnlinksHeadMiddleAndTail) {
    kaList list;
    Fill(list, 5);
    EXPECT_EQ(list.RemoveAt(2), 4u);
    EXPECT_EQ(list.RemoveAt(0), 3u);
    EXPECT_EQ(list.RemoveAt(2), 2u);
    EXPECT_EQ(Walk(list), (std::vector<void*>{&items[1], &items[3]}));
    EXPECT_EQ(list.RemoveAt(7), 2u) << "an index past the end changes nothing";
}

TEST(ListTest, RemovingTheCursorMovesItToTheNextThenPreviousThenHead) {
    kaList list;
    Fill(list, 3);
    list.setCursor(list.NodeAt(1));
    list.RemoveAt(1);
    EXPECT_EQ(list.getCursor()->item, &items[2]) << "successor";
    list.RemoveAt(1);
    EXPECT_EQ(list.getCursor()->item, &items[0]) << "predecessor when there is no successor";
    list.RemoveAt(0);
    EXPECT_EQ(list.getCursor(), nullptr) << "the (empty) head when alone";
}

TEST(ListTest, RemoveAllClearsEverythingAndTheListStaysUsable) {
    kaList list;
    Fill(list, 4);
    list.setCursor(list.NodeAt(3));
    list.RemoveAll();
    EXPECT_EQ(list.getCount(), 0u);
    EXPECT_EQ(list.getHead(), nullptr);
    EXPECT_EQ(list.getTail(), nullptr);
    EXPECT_EQ(list.getCursor(), nullptr);
    list.PushBack(&items[4]);
    EXPECT_EQ(Walk(list), (std::vector<void*>{&items[4]}));
}

}  // namespace

#include "kaList.h"

kaList::kaList() : mCount(0), mHead(nullptr), mTail(nullptr), mCursor(nullptr) {}

kaList::~kaList() { RemoveAll(); }

kaListNode* kaList::PushBack(void* item) {
    kaListNode* node = new kaListNode{item, nullptr, mTail};
    if (mTail != nullptr) mTail->next = node;
    mTail = node;
    if (mHead == nullptr) mHead = node;
    ++mCount;
    return node;
}

void kaList::Remove(void* item) {
    for (kaListNode* node = mHead; node != nullptr; node = node->next) {
        if (node->item == item) {
            Unlink(node);
            return;
        }
    }
}

unsigned kaList::RemoveAt(unsigned index) {
    kaListNode* node = NodeAt(index);
    if (node != nullptr) Unlink(node);
    return mCount;
}

kaListNode* kaList::NodeAt(unsigned index) const {
    if (index >= mCount) return nullptr;
    kaListNode* node = mHead;
    while (index-- > 0) node = node->next;
    return node;
}

void kaList::RemoveAll() {
    while (mCount != 0) RemoveAt(0);
    mHead = mTail = mCursor = nullptr;
}

// Takes the node out of the chain, frees it and moves head, tail and cursor
// off it.
void kaList::Unlink(kaListNode* node) {
    if (node->previous != nullptr) node->previous->next = node->next;
    if (node->next != nullptr) node->next->previous = node->previous;
    if (node == mHead) mHead = node->next;
    if (node == mTail) mTail = node->previous;
    if (node == mCursor) {
        if (node->next != nullptr) {
            mCursor = node->next;
        } else if (node->previous != nullptr) {
            mCursor = node->previous;
        } else {
            mCursor = mHead;
        }
    }
    delete node;
    --mCount;
}

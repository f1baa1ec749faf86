#pragma once

// A node of kaList; the list allocates and frees it.
struct kaListNode {
    void* item;
    kaListNode* next;
    kaListNode* previous;
};

// Doubly linked list of caller-owned items with a count and a cursor.  The
// list owns its nodes, never the items.
class kaList {
public:
    kaList();
    kaList(const kaList&) = delete;
    kaList& operator=(const kaList&) = delete;
    ~kaList();

    kaListNode* PushBack(void* item);
    void Remove(void* item);
    unsigned RemoveAt(unsigned index);
    kaListNode* NodeAt(unsigned index) const;
    void RemoveAll();

    unsigned getCount() const { return mCount; }
    kaListNode* getHead() const { return mHead; }
    kaListNode* getTail() const { return mTail; }
    kaListNode* getCursor() const { return mCursor; }
    void setCursor(kaListNode* node) { mCursor = node; }

private:
    void Unlink(kaListNode* node);

    unsigned mCount;
    kaListNode* mHead;
    kaListNode* mTail;
    kaListNode* mCursor;
};

// Intrusive doubly linked list. Objects carry their own links by deriving
// from CLinkListNode (or holding one), so inserting and removing never
// allocate. A node knows its list and is in at most one list at a time; the
// list never owns or deletes its nodes.
#pragma once

#include <cstdint>

class CLinkList;

class CLinkListNode {
public:
    CLinkListNode() = default;
    // Does not unlink: owners remove nodes before deleting them.
    virtual ~CLinkListNode() = default;

    CLinkListNode(const CLinkListNode&) = delete;
    CLinkListNode& operator=(const CLinkListNode&) = delete;

    void Clear();
    // Removes the node from its list, if it is in one.
    void Unlink();

    CLinkList* GetOwner() const { return m_owner; }
    // The object the node stands for: the node itself unless the inserting
    // call named another; it survives removal.
    void* GetData() const { return m_data; }
    CLinkListNode* GetNext() const { return m_next; }
    CLinkListNode* GetPrev() const { return m_prev; }

private:
    friend class CLinkList;

    CLinkList* m_owner = nullptr;
    CLinkListNode* m_next = nullptr;
    CLinkListNode* m_prev = nullptr;
    void* m_data = nullptr;
};

class CLinkList {
public:
    // compare (existing node, new item): the new node goes before the first
    // existing node for which the result is below 1.
    using CompareFn = std::int32_t (*)(CLinkListNode* existing, void* item);
    // match (node, key): nonzero stops a Find at that node.
    using MatchFn = std::uint8_t (*)(CLinkListNode* node, void* key);

    CLinkList() = default;
    virtual ~CLinkList() = default;

    CLinkList(const CLinkList&) = delete;
    CLinkList& operator=(const CLinkList&) = delete;

    // Forgets the nodes without touching them.
    void Reset();

    // A null position inserts at the head (InsertBefore) or the tail
    // (InsertAfter). A null data makes the node its own data.
    void InsertBefore(CLinkListNode* before, CLinkListNode* node, void* data);
    void InsertAfter(CLinkListNode* after, CLinkListNode* node, void* data);
    void AddHead(CLinkListNode* node, void* data) { InsertBefore(m_head, node, data); }
    void AddTail(CLinkListNode* node, void* data) { InsertAfter(m_tail, node, data); }
    void InsertSorted(CompareFn compare, CLinkListNode* node, void* data);

    // Removes the node from whichever list owns it; its data stays.
    void Remove(CLinkListNode* node);
    void RemoveAll();

    // From start (or the head), the first node that matches the key, or whose
    // data equals the key when match is null. A null key finds nothing.
    CLinkListNode* Find(CLinkListNode* start, MatchFn match, void* key) const;

    CLinkListNode* GetHead() const { return m_head; }
    CLinkListNode* GetTail() const { return m_tail; }
    std::int32_t GetCount() const { return m_count; }

private:
    CLinkListNode* m_head = nullptr;
    CLinkListNode* m_tail = nullptr;
    std::int32_t m_count = 0;
};

#include "platform/shared/core/CLinkList.h"

#include "platform/shared/core/Debug.h"

namespace {
constexpr const char* kListSource = "CLinkList";
}

void CLinkListNode::Clear() {
    m_owner = nullptr;
    m_next = nullptr;
    m_prev = nullptr;
    m_data = nullptr;
}

void CLinkListNode::Unlink() {
    if (m_owner != nullptr) m_owner->Remove(this);
}

void CLinkList::Reset() {
    m_head = nullptr;
    m_tail = nullptr;
    m_count = 0;
}

void CLinkList::InsertBefore(CLinkListNode* before, CLinkListNode* node, void* data) {
    if (node == nullptr) return;
    DebugAssert(node->m_owner == nullptr, kListSource, 103);
    DebugAssert(before == nullptr || before->m_owner == this, kListSource, 107);
    node->m_owner = this;
    node->m_data = data != nullptr ? data : node;
    node->m_next = before != nullptr ? before : m_head;
    node->m_prev = before != nullptr ? before->m_prev : nullptr;
    if (node->m_next != nullptr) node->m_next->m_prev = node;
    if (node->m_prev != nullptr) node->m_prev->m_next = node;
    if (before == nullptr || before == m_head) m_head = node;
    if (m_tail == nullptr) m_tail = node;
    ++m_count;
}

void CLinkList::InsertAfter(CLinkListNode* after, CLinkListNode* node, void* data) {
    if (node == nullptr) return;
    DebugAssert(node->m_owner == nullptr, kListSource, 146);
    DebugAssert(after == nullptr || after->m_owner == this, kListSource, 150);
    node->m_owner = this;
    node->m_data = data != nullptr ? data : node;
    node->m_prev = after != nullptr ? after : m_tail;
    node->m_next = after != nullptr ? after->m_next : nullptr;
    if (node->m_next != nullptr) node->m_next->m_prev = node;
    if (node->m_prev != nullptr) node->m_prev->m_next = node;
    if (m_head == nullptr) m_head = node;
    if (after == nullptr || after == m_tail) m_tail = node;
    ++m_count;
}

void CLinkList::InsertSorted(CompareFn compare, CLinkListNode* node, void* data) {
    DebugAssert(compare != nullptr, kListSource, 252);
    if (node == nullptr) return;
    void* item = data != nullptr ? data : node;
    for (CLinkListNode* existing = m_head; existing != nullptr; existing = existing->m_next) {
        if (compare(existing, item) < 1) {
            InsertBefore(existing, node, data);
            return;
        }
    }
    InsertAfter(m_tail, node, data);
}

void CLinkList::Remove(CLinkListNode* node) {
    if (node == nullptr || node->m_owner == nullptr) return;
    if (node->m_owner != this) {
        node->m_owner->Remove(node);
        return;
    }
    --m_count;
    if (node == m_head) m_head = node->m_next;
    if (node == m_tail) m_tail = node->m_prev;
    if (node->m_next != nullptr) node->m_next->m_prev = node->m_prev;
    if (node->m_prev != nullptr) node->m_prev->m_next = node->m_next;
    node->m_owner = nullptr;
    node->m_next = nullptr;
    node->m_prev = nullptr;
}

void CLinkList::RemoveAll() {
    while (m_head != nullptr) Remove(m_head);
}

CLinkListNode* CLinkList::Find(CLinkListNode* start, MatchFn match, void* key) const {
    if (key == nullptr) return nullptr;
    for (CLinkListNode* node = start != nullptr ? start : m_head; node != nullptr; node = node->m_next) {
        if (match != nullptr ? match(node, key) != 0 : node->m_data == key) return node;
    }
    return nullptr;
}

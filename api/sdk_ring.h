// Circular doubly linked list of handle entries. Every lookup rotates the
// ring so that the entry found becomes the head: the next call with the same
// handle is answered at once. The ring owns its nodes only, never what an
// entry points to. It takes no lock; callers must not overlap.
#pragma once

#include <new>

namespace lumvex {

template <typename T>
class CTRing {
public:
    struct Node {
        T data;
        Node* prev;
        Node* next;
    };

    CTRing() = default;
    CTRing(const CTRing&) = delete;
    CTRing& operator=(const CTRing&) = delete;

    // Inserts a copy of the entry between the last entry and the head and
    // makes it the new head. When no node can be allocated the ring is left
    // as it was; callers see that as an unchanged count.
    virtual void Add(const T& entry)
    {
        Node* node = new (std::nothrow) Node{entry, nullptr, nullptr};
        if (!node)
            return;
        if (!head) {
            node->prev = node->next = node;
            count = 1;
        } else {
            Node* last = head->prev;
            node->prev = last;
            node->next = head;
            last->next = node;
            head->prev = node;
            ++count;
        }
        head = node;
    }

    // Searches forward from the head for the key and leaves the entry found
    // at the head. On a miss the head stops at the entry that was last when
    // the search began.
    template <typename Key>
    bool Find(const Key& key)
    {
        if (!head)
            return false;
        const Key last = head->prev->data.handle;
        for (;;) {
            if (head->data.handle == key)
                return true;
            if (head->data.handle == last)
                return false;
            head = head->next;
        }
    }

    template <typename Key>
    T* Lookup(const Key& key)
    {
        return Find(key) ? &head->data : nullptr;
    }

    bool RemoveHead()
    {
        if (!head)
            return false;
        Node* old = head;
        Node* next = nullptr;
        if (old->next != old) {
            --count;
            old->prev->next = old->next;
            old->next->prev = old->prev;
            next = old->next;
        } else {
            count = 0;
        }
        delete old;
        head = next;
        return true;
    }

    template <typename Key>
    bool Remove(const Key& key)
    {
        return Find(key) && RemoveHead();
    }

    void RemoveAll()
    {
        while (RemoveHead()) {
        }
    }

    Node* Head() const { return head; }
    int Count() const { return count; }

protected:
    // Not virtual: the ring is never destroyed through a base pointer.
    ~CTRing() = default;

    Node* head = nullptr;
    int count = 0;
};

}  // namespace lumvex

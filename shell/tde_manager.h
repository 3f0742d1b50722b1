#pragma once
// The screen stack: a list of screens whose front is the current one. It never owns,
// creates or deletes the screens.

#include <list>

#include "tde.h"

class TDEManager {
public:
    bool empty() const { return list_.empty(); }
    std::size_t size() const { return list_.size(); }
    // The current screen, or null when the stack is empty.
    TDE* front() const { return list_.empty() ? nullptr : list_.front(); }
    bool contains(TDE const* t) const;

    // Links t at the front, then calls its on_enqueue; null is ignored.
    void push_front(TDE* t);
    // Unlinks the front entry, then calls its on_dequeue; nothing on an empty stack.
    void pop_front();

    // The same without the notifications.
    void link_front(TDE* t);
    TDE* unlink_front();
    // Drops every entry without on_dequeue and hands them back, front first.
    std::list<TDE*> drop_all();

private:
    std::list<TDE*> list_;
};

// The one screen stack.
extern TDEManager tde_stack;

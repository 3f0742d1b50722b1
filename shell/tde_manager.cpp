#include "tde_manager.h"

#include <algorithm>

TDEManager tde_stack;

bool TDEManager::contains(TDE const* t) const { return std::find(list_.begin(), list_.end(), t) != list_.end(); }

void TDEManager::push_front(TDE* t) {
    if (!t) return;
    link_front(t);
    t->on_enqueue();
}

void TDEManager::pop_front() {
    if (TDE* t = unlink_front()) t->on_dequeue();
}

void TDEManager::link_front(TDE* t) {
    if (t) list_.push_front(t);
}

TDE* TDEManager::unlink_front() {
    if (list_.empty()) return nullptr;
    TDE* t = list_.front();
    list_.pop_front();
    return t;
}

std::list<TDE*> TDEManager::drop_all() {
    std::list<TDE*> dropped;
    dropped.swap(list_);
    return dropped;
}

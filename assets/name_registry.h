#pragma once
// The registry of the sound effects or of the music tracks: one object a name, owned for
// the whole run, and the names still to load, loaded one at a time in name order.

#include <map>
#include <set>
#include <string>
#include <utility>

template <class T>
class NameRegistry {
public:
    // The object of the name, or a new unloaded one made from the arguments that joins the
    // pending set (the arguments of a later call are ignored).
    template <class... Args>
    T* add(std::string const& name, Args&&... args) {
        T*& t = objects_[name];
        if (t) return t;
        pending_.insert(name);
        t = new T(name, std::forward<Args>(args)...);
        return t;
    }
    bool has_jobs() const { return !pending_.empty(); }
    // Loads at most one pending object; names already loaded are dropped on the way.
    void process_job() {
        while (!pending_.empty()) {
            std::string name = *pending_.begin();
            pending_.erase(pending_.begin());
            auto it = objects_.find(name);
            if (it == objects_.end() || !it->second || T::ok(it->second)) continue;
            it->second->load();
            return;
        }
    }

private:
    std::map<std::string, T*> objects_;
    std::set<std::string> pending_;
};

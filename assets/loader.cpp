#include "loader.h"

#include "util.h"
#include "zoom_cache.h"

Loader::Loader(std::string const& name) : name_(name) {}

Loader::~Loader() { E2::util::delete_all_values(surfs_); }

Surf* Loader::get_surface_delayed(std::string const& name) {
    Surf*& s = surfs_[name];
    if (!s) s = new Surf(name, nullptr);
    return s;
}

Surf* Loader::schedule_surface(std::string const& name) {
    jobs_.insert(name);
    return get_surface_delayed(name);
}

Surf* Loader::get_surface(std::string const& name) {
    auto it = surfs_.find(name);
    if (it != surfs_.end()) return it->second;
    Surf* s = get_surface_delayed(name);
    s->load();
    return s;
}

void Loader::process_job() {
    if (jobs_.empty()) return;
    std::string name = *jobs_.begin();
    Surf* s = get_surface(name);
    jobs_.erase(jobs_.begin());
    s->load();
}

void Loader::save_loaded() {
    saved_.clear();
    for (auto const& kv : surfs_)
        if (Surf::ok(kv.second)) saved_.push_front(kv.first);
}

void Loader::unload() {
    if (unload_particles_) unload_particles_();
    _zcache.clear();
    for (auto const& kv : surfs_) kv.second->unload();
}

void Loader::reload() {
    for (auto const& name : saved_) get_surface(name)->load();
    if (load_particles_) load_particles_();
    saved_.clear();
}

void Loader::set_particle_hooks(Hook unload_particles, Hook load_particles) {
    unload_particles_ = unload_particles;
    load_particles_ = load_particles;
}

#pragma once
// The owner of every image by name: immediate, delayed and scheduled loading, and the
// unload/reload sequence around a change of video mode.

#include <list>
#include <map>
#include <set>
#include <string>

#include "surf.h"

class Loader {
public:
    // Called by unload() first and by reload() after the saved images; set by the particle code.
    using Hook = void (*)();

    explicit Loader(std::string const& name);
    ~Loader();
    Loader(Loader const&) = delete;
    Loader& operator=(Loader const&) = delete;

    // The Surf of the name, created unloaded when new; never loads.
    Surf* get_surface_delayed(std::string const& name);
    // As get_surface_delayed, and the name joins the job set.
    Surf* schedule_surface(std::string const& name);
    // The Surf of the name as it is; a new name's Surf is loaded at once.
    Surf* get_surface(std::string const& name);

    bool has_jobs() const { return !jobs_.empty(); }
    std::set<std::string> const& jobs() const { return jobs_; }
    // Loads the first scheduled image in byte order of names.
    void process_job();

    // Records the names of the loaded images.
    void save_loaded();
    // Frees every loaded image's surface and every zoomed copy.
    void unload();
    // Loads the recorded images again, at the screen's present scale.
    void reload();

    void set_particle_hooks(Hook unload_particles, Hook load_particles);

private:
    std::string name_;
    std::map<std::string, Surf*> surfs_;
    std::list<std::string> saved_;
    std::set<std::string> jobs_;
    Hook unload_particles_ = nullptr;
    Hook load_particles_ = nullptr;
};

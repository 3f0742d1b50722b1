#include "particle_engine.h"

#include "particle.h"

namespace E2 {

ParticleEngine::~ParticleEngine() { clear(); }

void ParticleEngine::display(SDL_Surface* s) {
    for (ParticleBase* p = first_; p; p = p->next) p->display(s);
}

void ParticleEngine::tick(unsigned now, unsigned dt) {
    for (ParticleBase* p = first_; p; p = p->next) p->tick(now, dt);
    ParticleBase** link = &first_;
    while (*link) {
        ParticleBase* p = *link;
        if (p->alive()) {
            link = &p->next;
        } else {
            *link = p->next;
            delete p;
        }
    }
}

void ParticleEngine::add(ParticleBase* p) {
    if (!p) return;
    p->next = first_;
    first_ = p;
}

void ParticleEngine::clear() {
    while (first_) {
        ParticleBase* p = first_;
        first_ = p->next;
        delete p;
    }
}

unsigned ParticleEngine::size() const {
    unsigned n = 0;
    for (ParticleBase* p = first_; p; p = p->next) ++n;
    return n;
}

}  // namespace E2

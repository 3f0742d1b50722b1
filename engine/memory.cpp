#include "memory.h"

#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace E2 {

namespace {

// Heads of the free lists by class; a free block's first word links to the next.
std::vector<void*>& heads() {
    static std::vector<void*>* const table = new std::vector<void*>();
    return *table;
}

unsigned long size_class(unsigned long n) { return (n - 1) >> 3; }

}  // namespace

void* MemoryManager::alloc_bytes(unsigned long n) {
    std::vector<void*>& h = heads();
    unsigned long c = size_class(n);
    if (c < h.size() && h[c]) {
        void* block = h[c];
        std::memcpy(&h[c], block, sizeof(void*));
        return block;
    }
    if (n > std::numeric_limits<unsigned long>::max() - 7) throw std::bad_alloc();
    return new char[(n + 7) & ~7ul];
}

void MemoryManager::delete_bytes(void* p, unsigned long n) {
    if (!p || n == 0) return;
    std::vector<void*>& h = heads();
    unsigned long c = size_class(n);
    if (h.size() < c + 1) h.resize(c + 1, nullptr);
    std::memcpy(p, &h[c], sizeof(void*));
    h[c] = p;
}

}  // namespace E2

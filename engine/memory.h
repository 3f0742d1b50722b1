#pragma once

namespace E2 {

// Size-class free lists for the many small objects made and dropped each
// frame. A request of n bytes belongs to class (n - 1) / 8, whose blocks
// hold 8 * (class + 1) bytes. Memory is never returned to the system.
class MemoryManager {
public:
    // A block of at least n bytes, reused from its class when one is free.
    static void* alloc_bytes(unsigned long n);
    // Gives p, allocated for n bytes (or any size of its class), back to its
    // class. Null p or n 0: nothing.
    static void delete_bytes(void* p, unsigned long n);
};

}  // namespace E2

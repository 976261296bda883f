// Gmemory: a growable block of bytes that keeps its contents when it grows, the line engine's
// stroke store. It holds at most one block and frees it whenever its size drops to 0 and when
// it is destroyed. Capacity grows geometrically, so a store grown once per stroke copies each
// byte a bounded number of times; Compact gives the spare capacity back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class Gmemory {
public:
    // A block of `bytes` bytes (none for 0); Size() stays 0 when it cannot be had.
    explicit Gmemory(size_t bytes = 0);
    ~Gmemory() = default;
    Gmemory(const Gmemory&) = delete;
    Gmemory& operator=(const Gmemory&) = delete;

    // The block's address, null when the size is 0. Valid until the next ReAlloc or Compact.
    uint8_t* Lock();
    // Ends the use of the address given by Lock.
    void Unlock() { locked_ = false; }
    bool IsLocked() const { return locked_; }

    // Resizes to `bytes`, keeping the first min(old, new) bytes; 0 frees the block. Returns 1,
    // or 0 with the block and its size unchanged when the memory cannot be had or `bytes`
    // passes the ceiling.
    int ReAlloc(size_t bytes);
    // Releases the capacity beyond the size when a block of exactly that size can be had.
    void Compact();

    // The most bytes the block may grow to (no limit by default); a bound for callers that
    // must stay within a share of the address space, and a way for tests to run it out.
    void SetCeiling(size_t bytes) { ceiling_ = bytes; }

    size_t Size() const { return size_; }
    size_t Capacity() const { return capacity_; }

private:
    // Moves the contents into a fresh block of `capacity` bytes; false when it cannot be had.
    bool Reserve(size_t capacity);

    std::unique_ptr<uint8_t[]> block_;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t ceiling_ = SIZE_MAX;
    bool locked_ = false;
};

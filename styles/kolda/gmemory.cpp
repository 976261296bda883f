// Gmemory: the growable byte block; see gmemory.h.
#include "styles/kolda/gmemory.h"

#include <cstring>
#include <new>

Gmemory::Gmemory(size_t bytes) {
    if (bytes > 0 && Reserve(bytes)) size_ = bytes;
}

uint8_t* Gmemory::Lock() {
    if (size_ == 0) return nullptr;
    locked_ = true;
    return block_.get();
}

bool Gmemory::Reserve(size_t capacity) {
    std::unique_ptr<uint8_t[]> grown(new (std::nothrow) uint8_t[capacity]);
    if (!grown) return false;
    if (size_ > 0) std::memcpy(grown.get(), block_.get(), size_ < capacity ? size_ : capacity);
    block_ = std::move(grown);
    capacity_ = capacity;
    return true;
}

int Gmemory::ReAlloc(size_t bytes) {
    locked_ = false;  // the block may move
    if (bytes > ceiling_) return 0;
    if (bytes == 0) {
        block_.reset();
        size_ = capacity_ = 0;
        return 1;
    }
    if (bytes > capacity_) {
        // Half again what is asked, within the ceiling; exactly what is asked when that much
        // more cannot be had.
        size_t wanted = bytes + bytes / 2;
        if (wanted < bytes || wanted > ceiling_) wanted = bytes;
        if (!Reserve(wanted) && (wanted == bytes || !Reserve(bytes))) return 0;
    }
    size_ = bytes;
    return 1;
}

void Gmemory::Compact() {
    locked_ = false;
    if (size_ == 0 || size_ == capacity_) return;
    Reserve(size_);
}

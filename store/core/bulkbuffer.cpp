#include "store/core/bulkbuffer.h"

#include <sys/mman.h>
#include <cstdint>
#include <new>

namespace brenvik {

namespace {
#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23;
#endif
}  // namespace

namespace detail {

void* BulkMap(std::size_t& bytes) {
    bytes = (bytes + kBulkMinimum - 1) / kBulkMinimum * kBulkMinimum;
    // Map one huge page more and trim, so the block starts on a huge page.
    const std::size_t span = bytes + kBulkMinimum;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kBulkMinimum - 1) & ~(std::uintptr_t{kBulkMinimum} - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + span;
    if (end > aligned + bytes)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
    void* p = reinterpret_cast<void*>(aligned);
    ::madvise(p, bytes, MADV_HUGEPAGE);  // a hint; without it, ordinary pages
    return p;
}

void BulkUnmap(void* p, std::size_t bytes) { ::munmap(p, bytes); }

void BulkCommit(void* p, std::size_t bytes) {
    // Older systems lack this; their pages then come on first touch.
    if (bytes > 0) ::madvise(p, bytes, kPopulateWrite);
}

}  // namespace detail

}  // namespace brenvik

#pragma once
// A growable array of plain values for the large tables: big blocks are
// mapped straight from the system instead of the general heap.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace brenvik {

namespace detail {

// Large blocks are mapped straight from the system, in huge pages where it
// offers them, and made resident a few megabytes at a time as they fill:
// touching fresh memory page by page costs more than reading the file.
void* BulkMap(std::size_t& bytes);  // rounds `bytes` up to what it maps
void BulkUnmap(void* p, std::size_t bytes);
void BulkCommit(void* p, std::size_t bytes);
constexpr std::size_t kBulkMinimum = std::size_t{2} << 20;

// A growable array of plain values kept in such memory once it is large.
template <class T>
class BulkBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    BulkBuffer() = default;
    BulkBuffer(const BulkBuffer& other) { Append(other.data_, other.size_); }
    BulkBuffer(BulkBuffer&& other) noexcept { swap(other); }
    BulkBuffer& operator=(BulkBuffer other) noexcept {
        swap(other);
        return *this;
    }
    ~BulkBuffer() { Release(); }

    void swap(BulkBuffer& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
        std::swap(mapped_, other.mapped_);
        std::swap(committed_, other.committed_);
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

    // Exactly `n` places, so a table loaded at its final size wastes nothing.
    void reserve(std::size_t n) {
        if (n > capacity_) Reallocate(n);
    }
    // New places are value-initialised (zero).
    void resize(std::size_t n) {
        if (n > size_) {
            Grow(n);
            std::memset(static_cast<void*>(data_ + size_), 0, (n - size_) * sizeof(T));
        }
        size_ = n;
    }
    void clear() {
        BulkBuffer empty;
        swap(empty);
    }
    void Append(const T* p, std::size_t n) {
        if (n == 0) return;
        Grow(size_ + n);
        std::memcpy(static_cast<void*>(data_ + size_), p, n * sizeof(T));
        size_ += n;
    }
    // Gives back to the system the whole huge pages beyond the size.
    void Trim() {
        if (!mapped_) return;
        const std::size_t keep = Round(size_ * sizeof(T));
        const std::size_t have = capacity_ * sizeof(T);
        if (keep == 0) {
            clear();
        } else if (keep < have) {
            BulkUnmap(reinterpret_cast<char*>(data_) + keep, have - keep);
            capacity_ = keep / sizeof(T);
            committed_ = std::min(committed_, keep);
        }
    }
    void InsertZeros(std::size_t at, std::size_t n) {
        Grow(size_ + n);
        std::memmove(static_cast<void*>(data_ + at + n), data_ + at, (size_ - at) * sizeof(T));
        std::memset(static_cast<void*>(data_ + at), 0, n * sizeof(T));
        size_ += n;
    }
    void Erase(std::size_t at, std::size_t n) {
        std::memmove(static_cast<void*>(data_ + at), data_ + at + n, (size_ - at - n) * sizeof(T));
        size_ -= n;
    }

private:
    void Grow(std::size_t n) {
        if (n > capacity_) Reallocate(std::max(n, capacity_ + capacity_ / 2));
        if (mapped_ && n * sizeof(T) > committed_) {
            std::size_t want = std::min(Round(n * sizeof(T)), capacity_ * sizeof(T));
            BulkCommit(reinterpret_cast<char*>(data_) + committed_, want - committed_);
            committed_ = want;
        }
    }
    static std::size_t Round(std::size_t bytes) {
        return (bytes + kBulkMinimum - 1) / kBulkMinimum * kBulkMinimum;
    }
    void Reallocate(std::size_t n) {
        std::size_t bytes = n * sizeof(T);
        T* fresh;
        bool mapped = bytes >= kBulkMinimum;
        std::size_t committed = 0;
        if (mapped) {
            fresh = static_cast<T*>(BulkMap(bytes));
            committed = std::min(Round(size_ * sizeof(T)), bytes);
            BulkCommit(fresh, committed);
        } else {
            fresh = static_cast<T*>(::operator new(bytes));
        }
        if (size_) std::memcpy(static_cast<void*>(fresh), data_, size_ * sizeof(T));
        const std::size_t size = size_;
        Release();
        data_ = fresh;
        size_ = size;
        capacity_ = bytes / sizeof(T);
        mapped_ = mapped;
        committed_ = committed;
    }
    void Release() {
        if (!data_) return;
        if (mapped_) BulkUnmap(data_, capacity_ * sizeof(T));
        else ::operator delete(data_);
        data_ = nullptr;
        size_ = capacity_ = committed_ = 0;
        mapped_ = false;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
    std::size_t committed_ = 0;  // bytes made resident, when mapped
};

}  // namespace detail

}  // namespace brenvik

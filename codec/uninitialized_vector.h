// Vectors whose new elements are left unset, for large buffers that are always written before they
// are read: clearing them first is a pass over memory for nothing, and on fresh pages (every large
// block under Wine is mapped afresh) it is the clearing that faults each page in.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace lzh {

template <typename T>
class DefaultInitAllocator : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() = default;
    template <typename U>
    DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    // A new element without arguments is default-initialised: for the plain types kept here,
    // left as the memory was.
    template <typename U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible<U>::value) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

template <typename T>
using UninitializedVector = std::vector<T, DefaultInitAllocator<T>>;

}  // namespace lzh

/*******************************************************************************
 * platform/hash.h - a 64-bit FNV-1a hash of bytes
 *
 * Cheap, and any change a person makes to what is hashed changes it: file
 * stamps, the name of a workspace's picture cache, what an item or a part
 * of the window shows.
 *
 * Limits: not for anything an adversary chooses to collide.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: allocate, or hash pointers' targets (only the bytes given).
 ******************************************************************************/
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint64_t HASH_FNV_OFFSET = 14695981039346656037ull;
constexpr uint64_t HASH_FNV_PRIME = 1099511628211ull;

// A running hash: add bytes, or the bytes of a plain value.
struct fnv_hash {
    uint64_t h = HASH_FNV_OFFSET;
    fnv_hash& add(const void* p, size_t n)
    {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        for (size_t i = 0; i < n; i++) h = (h ^ b[i]) * HASH_FNV_PRIME;
        return *this;
    }
    template <class T> fnv_hash& with(const T& v) { return add(&v, sizeof v); }
};

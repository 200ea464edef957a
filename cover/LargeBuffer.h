#pragma once
// Byte buffers the size of a picture. Touching tens of megabytes page by page
// costs more than decoding into them, so large buffers ask the system for huge
// pages where it offers them, and a buffer given back is kept for the next
// one of its size: a series of images of one size touches fresh pages for
// the first few only.
#include <cstddef>
#include <cstdint>
#include <memory>

// A buffer of `size` bytes, or nothing when it cannot be allocated: one
// given back for a size of the same class (sizes within an eighth of each
// other) when one is kept.
std::unique_ptr<uint8_t[]> AllocateLargeBuffer(size_t size);

// Keeps a buffer that AllocateLargeBuffer gave for `size` bytes for a later
// call, within a bound of a few buffers and bytes (the longest kept goes
// first); a null or small one (the heap's own) is not kept.
void ReuseLargeBuffer(std::unique_ptr<uint8_t[]> buffer, size_t size);

// The bytes of the buffers kept.
size_t KeptLargeBufferBytes();

// The bytes a buffer of `size` takes: its size rounded up to its class, each
// power of two cut into eight.
size_t LargeBufferCapacity(size_t size);

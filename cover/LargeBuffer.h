#pragma once
// Byte buffers the size of a picture. Touching tens of megabytes page by page
// costs more than decoding into them, so large buffers ask the system for huge
// pages where it offers them.
#include <cstddef>
#include <cstdint>
#include <memory>

// A buffer of `size` bytes, or nothing when it cannot be allocated.
std::unique_ptr<uint8_t[]> AllocateLargeBuffer(size_t size);

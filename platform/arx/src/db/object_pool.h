// Memory for database objects: a drawing holds them by the hundred thousand,
// and reading or closing one makes or frees them all at once.
#pragma once
#include <cstddef>

namespace arx {

// 8-byte aligned memory for an object of size bytes; throws std::bad_alloc.
void* allocateObjectMemory(std::size_t size);
// Gives back what allocateObjectMemory(size) gave, with the same size.
void freeObjectMemory(void* p, std::size_t size) noexcept;

}  // namespace arx

#pragma once
// Whether an allocation that outside input asks for (a picture size, a grid, a mesh) fits this
// machine, decided before anything is allocated, with the message that says why not.

#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

// The machine's physical memory in bytes (0 when the system does not say).
uint64_t PhysicalMemoryBytes();

// The most one request may take: half the physical memory, so that the program and the
// system keep room beside it (a machine that does not report its memory gets 4 GiB).
uint64_t AllocationLimitBytes();

// Nothing when `bytes` fit the limit; otherwise a sentence for the user naming `what` and
// both sizes ("The picture of 8192 x 8192 pixels needs 1.0 GB of memory; at most 0.5 GB ...").
std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what);
// The same against a given limit (tests, and callers with a tighter budget).
std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what, uint64_t limit);

// Adds sizes without wrapping: a sum past the range reads as the largest value, which no
// limit admits.
uint64_t SaturatingAdd(uint64_t a, uint64_t b);
uint64_t SaturatingMultiply(uint64_t a, uint64_t b);

}  // namespace quillon

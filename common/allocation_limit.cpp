#include "common/allocation_limit.h"

#include <unistd.h>

#include <cstdio>
#include <limits>

namespace quillon {

namespace {

constexpr uint64_t kUnknownMachineLimit = uint64_t{4} << 30;

std::string Gigabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1e9);
  return text;
}

}  // namespace

uint64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return SaturatingMultiply(static_cast<uint64_t>(pages), static_cast<uint64_t>(pageSize));
}

uint64_t AllocationLimitBytes() {
  const uint64_t physical = PhysicalMemoryBytes();
  return physical == 0 ? kUnknownMachineLimit : physical / 2;
}

std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what) {
  return RefuseAllocation(bytes, what, AllocationLimitBytes());
}

std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what, uint64_t limit) {
  if (bytes <= limit) return std::nullopt;
  const std::string need = bytes == std::numeric_limits<uint64_t>::max()
                               ? std::string("more than can be counted")
                               : Gigabytes(bytes);
  return what + " needs " + need + " of memory; at most " + Gigabytes(limit) +
         " may be used on this machine.";
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
  const uint64_t sum = a + b;
  return sum < a ? std::numeric_limits<uint64_t>::max() : sum;
}

uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
  if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) return std::numeric_limits<uint64_t>::max();
  return a * b;
}

}  // namespace quillon

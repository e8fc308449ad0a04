#include "common/memory_budget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "common/runtime_error.h"

namespace quillon {
namespace {

std::atomic<bool> g_overridden{false};
std::atomic<uint64_t> g_override{0};
std::atomic<uint64_t> g_promised{0};

// MemAvailable of /proc/meminfo in bytes; the free pages where the kernel gives none.
uint64_t AvailablePhysical() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  uint64_t kilobytes = 0;
  std::string unit;
  while (meminfo >> key >> kilobytes >> unit) {
    if (key == "MemAvailable:") return kilobytes * 1024;
  }
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long size = sysconf(_SC_PAGESIZE);
  return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : UINT64_MAX;
}

// What the address-space limit still allows; unlimited when there is none.
uint64_t AvailableAddressSpace() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
  uint64_t mappedPages = 0;
  std::ifstream statm("/proc/self/statm");
  statm >> mappedPages;
  const uint64_t mapped = mappedPages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  const uint64_t cap = static_cast<uint64_t>(limit.rlim_cur);
  return cap > mapped ? cap - mapped : 0;
}

}  // namespace

uint64_t MemoryBudget() {
  const uint64_t held = kMemoryReserve + g_promised.load();
  if (g_overridden.load())
    return g_override.load() > g_promised.load() ? g_override.load() - g_promised.load() : 0;
  const uint64_t headroom = std::min(AvailablePhysical(), AvailableAddressSpace());
  return headroom > held ? headroom - held : 0;
}

MemoryPromise::MemoryPromise(uint64_t bytes) : bytes_(bytes) {
  g_promised.fetch_add(bytes_);
}

MemoryPromise::~MemoryPromise() {
  g_promised.fetch_sub(bytes_);
}

void SetMemoryBudgetOverride(std::optional<uint64_t> bytes) {
  g_override.store(bytes.value_or(0));
  g_overridden.store(bytes.has_value());
}

std::string ReadableBytes(uint64_t bytes) {
  char text[32];
  if (bytes < (uint64_t{1} << 20)) {
    std::snprintf(text, sizeof text, "%llu KB", static_cast<unsigned long long>((bytes + 1023) / 1024));
  } else if (bytes < (uint64_t{1} << 30)) {
    std::snprintf(text, sizeof text, "%llu MB",
                  static_cast<unsigned long long>((bytes + (1 << 20) - 1) >> 20));
  } else {
    std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / (1u << 30));
  }
  return text;
}

std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what) {
  const uint64_t budget = MemoryBudget();
  if (bytes <= budget) return std::nullopt;
  const std::string need = bytes == std::numeric_limits<uint64_t>::max()
                               ? std::string("more than can be counted")
                               : ReadableBytes(bytes);
  return what + " needs " + need + " of memory; only " + ReadableBytes(budget) + " is free.";
}

void CheckMemory(uint64_t bytes, const std::string& what) {
  if (const std::optional<std::string> refused = RefuseAllocation(bytes, what))
    throw RuntimeError(err::kOutOfMemory, *refused);
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
  const uint64_t sum = a + b;
  return sum < a ? std::numeric_limits<uint64_t>::max() : sum;
}

uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
  if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) return std::numeric_limits<uint64_t>::max();
  return a * b;
}

std::string OutOfMemoryMessage(const std::string& command) {
  return "Out of memory: " + command + " was stopped and nothing was changed.";
}

}  // namespace quillon

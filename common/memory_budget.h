#pragma once
// How much memory a command may still take, and the one check every size from outside input
// (a document, the clipboard, a dialog, the command line) passes before it is allocated.
//
// The rule: the budget is the smaller of
//   - the physical memory the system reports as available (MemAvailable; without it the free
//     pages), which already leaves out what this process holds, and
//   - the address-space limit (RLIMIT_AS, as `ulimit -v` sets it) less the address space this
//     process has mapped now,
// less a reserve of kMemoryReserve for what the request does not count (drawing, the window,
// the libraries). A request fits when its bytes are at most that budget.

#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

inline constexpr uint64_t kMemoryReserve = uint64_t{64} << 20;

// The bytes a request may take now (0 when nothing fits), less what is promised (below).
uint64_t MemoryBudget();

// Memory promised to work that has not allocated it yet (the drawing of the graphs already in
// a scene, which happens after they are all read): the budget is that much smaller while the
// object lives. Graphs already drawn are then counted twice, which errs on the safe side.
class MemoryPromise {
 public:
  explicit MemoryPromise(uint64_t bytes);
  ~MemoryPromise();
  MemoryPromise(const MemoryPromise&) = delete;
  MemoryPromise& operator=(const MemoryPromise&) = delete;

 private:
  uint64_t bytes_;
};

// Replaces the measured budget (tests); nullopt measures again.
void SetMemoryBudgetOverride(std::optional<uint64_t> bytes);

// Bytes as a person reads them: "512 KB", "305 MB", "1.2 GB".
std::string ReadableBytes(uint64_t bytes);

// Nothing when `bytes` fit the budget; otherwise "WHAT needs N of memory; only M is free."
// `what` names the thing and its size ("Graph 3 "sin(z)": a grid of 4001 x 4001 points").
std::optional<std::string> RefuseAllocation(uint64_t bytes, const std::string& what);
// The same as the out-of-memory error.
void CheckMemory(uint64_t bytes, const std::string& what);

// Adds and multiplies sizes without wrapping: a result past the range reads as the largest
// value, which no budget admits.
uint64_t SaturatingAdd(uint64_t a, uint64_t b);
uint64_t SaturatingMultiply(uint64_t a, uint64_t b);

// The message the commands show when an allocation failed all the same.
std::string OutOfMemoryMessage(const std::string& command);

}  // namespace quillon

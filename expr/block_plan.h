#pragma once
// How a compiled program runs over a block of points. Laying out (once per program) gives
// every value its columns, one double per point for each part, resolves where each operand
// is read from and picks each instruction's kernel; running (once per block) only calls the
// kernels in order.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "expr/instruction.h"

namespace quillon::program_detail {

// Columns are padded to a multiple of this many points; vector kernels compute whole groups.
inline constexpr std::size_t kLaneGroup = 8;
// Blocks hold at most this many points, and less when a program needs many columns.
inline constexpr std::size_t kMaxBlockPoints = 256;

// Where a kernel reads an operand.
enum class OperandKind : uint8_t {
  kColumn,    // two double columns
  kInput,     // two of the block's single inputs (x, y or zeros), converted as read
  kConstant,  // one value for every point
};

struct BlockOperand {
  OperandKind kind = OperandKind::kColumn;
  uint32_t re = 0;  // the column (kColumn) or input (kInput) of each part
  uint32_t im = 0;
  Complex value;  // kConstant
};

// Fixed columns: the inputs as doubles, zeros, two scratch columns for the kernels; the values
// of the program's slots follow, two columns each.
inline constexpr uint32_t kColumnX = 0;
inline constexpr uint32_t kColumnY = 1;
inline constexpr uint32_t kColumnZero = 2;
inline constexpr uint32_t kColumnScratch = 3;
inline constexpr uint32_t kFirstSlotColumn = 5;
// The single inputs.
inline constexpr uint32_t kInputX = 0;
inline constexpr uint32_t kInputY = 1;
inline constexpr uint32_t kInputZero = 2;

// The memory of one block: `columns` holds column c at columns + c * k.
struct BlockFrame {
  double* columns = nullptr;
  std::size_t k = 0;
  const float* inputs[3] = {};  // x, y and zeros, padded like the columns
  float* padding = nullptr;     // room for x and y of a short block, padded

  double* Column(uint32_t c) const { return columns + c * k; }
};

struct BlockStep;
// Computes one step over the first m points of a block (m a multiple of kLaneGroup); returns
// non-zero when a fault may have occurred at one of them.
using BlockKernel = unsigned (*)(const BlockStep& step, const BlockFrame& frame, std::size_t m);

// One instruction as laid out for blocks.
struct BlockStep {
  Op op = Op::kAdd;
  FunctionId function = FunctionId::kSin;
  uint8_t exponent = 0;
  BlockOperand a;
  BlockOperand b;
  uint32_t out = 0;  // the real part's column; the imaginary part's is the next
  BlockKernel kernel = nullptr;
};

struct BlockPlan {
  std::vector<BlockStep> steps;
  BlockOperand result;        // a column pair, or a constant
  std::size_t columns = 0;    // how many columns a block needs
  std::size_t k = 0;          // points per block, a multiple of kLaneGroup
  bool doubleInputs = false;  // whether the inputs are read as double columns

  // A frame over this thread's block memory, which is kept from call to call: every column is
  // written before it is read, except the zeros.
  BlockFrame Frame() const;
  // Gives the frame the m points x[i] + y[i]i, padded to whole lane groups with the last one
  // (so that the padding faults only where a real point does); returns the padded length.
  std::size_t SetInputs(BlockFrame& frame, const float* x, const float* y, std::size_t m) const;
  // Runs the steps over the padded points; non-zero when a fault may have occurred.
  unsigned Run(const BlockFrame& frame, std::size_t padded) const;
  // Stores the first m values rounded to single into u and v; non-zero when one of them does not
  // fit a single (or is not a number), and then only whole lane groups before it are stored.
  unsigned StoreResults(const BlockFrame& frame, std::size_t m, float* u, float* v) const;
};

// Lays out `code` (which ends with the program's value `result`) for blocks. Inputs read once,
// by a vector kernel, are read as singles; the last operation leaves its finiteness checks
// to the final store when it can.
BlockPlan LayOutBlocks(const std::vector<Instruction>& code, const std::vector<Complex>& constants,
                       const Operand& result, uint32_t slotCount);

}  // namespace quillon::program_detail

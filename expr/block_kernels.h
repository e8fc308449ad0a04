#pragma once
// Vectorised block kernels of a compiled program for its cheap operations (sums, differences,
// products, quotients, whole powers, negation): straight loops over padded double columns that
// give, lane by lane, exactly the values of the point routines.

#include "expr/program.h"

namespace quillon::program_detail {

// Columns are padded to a multiple of this many points; the kernels below compute whole groups.
inline constexpr std::size_t kLaneGroup = 8;

// The instruction sets the kernels are built for.
enum class VectorIsa { kSse2, kAvx2, kAvx512 };

// The best set this processor has; programs use it unless told otherwise.
VectorIsa BestVectorIsa();

// Makes programs compiled from now on use `isa` (for comparing the sets in tests); false, with
// nothing changed, when the processor lacks it.
bool UseVectorIsa(VectorIsa isa);

// How a vectorised kernel reads an operand.
enum class OperandKind : uint8_t {
  kColumn,    // the frame's double columns (slots, or xd, yd and zero for the inputs)
  kConstant,  // held in registers
  kInput,     // the frame's single inputs xs, ys (and zeroSingles), converted as read
};

// The vectorised kernel of `ins`, or nullptr when its operation has none. With inputsAsSingles
// an operand x, y or z is read from the single inputs instead of the double columns. The
// kernels run over a multiple of kLaneGroup points, so every column must be padded that far.
// With `last`, the kernel of a program's last operation, whose values are the program's and go
// to StoreBlockResults only: it leaves the checks for values that are not finite to that store.
BlockKernel VectorKernelFor(const Instruction& ins, bool inputsAsSingles = false, bool last = false);

// The first m points of a block as double columns, padded to `padded` points with the last.
void LoadBlockInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                     double* yd);

// Stores the m results rounded to single into u and v; non-zero when one of them does not fit
// a single (or is not a number), and then only whole lane groups before that one are stored.
unsigned StoreBlockResults(const double* re, const double* im, std::size_t m, float* u, float* v);

}  // namespace quillon::program_detail

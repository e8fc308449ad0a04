#pragma once
// Vectorised block kernels of a compiled program for its cheap operations (sums, differences,
// products, quotients, whole powers, negation) and for sin, cos and exp: straight loops over
// padded columns that give, lane by lane, exactly the values of the point routines.

#include "expr/block_plan.h"

namespace quillon::program_detail {

// The instruction sets the kernels are built for.
enum class VectorIsa { kSse2, kAvx2, kAvx512 };

// The best set this processor has; programs use it unless told otherwise.
VectorIsa BestVectorIsa();

// Makes programs laid out from now on use `isa` (for comparing the sets in tests); false, with
// nothing changed, when the processor lacks it.
bool UseVectorIsa(VectorIsa isa);

// The vectorised kernel of an operation on operands of kinds a and b (b is kColumn for unary
// operations), or nullptr when there is none. With `last`, the kernel of a program's last
// operation, whose values go to StoreBlockResults only: it may leave the checks for values
// that are not finite to that store.
BlockKernel VectorKernelFor(Op op, FunctionId function, OperandKind a, OperandKind b, bool last);

// The first m points of a block as double columns, padded to `padded` points with the last.
void LoadBlockInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                     double* yd);

// Stores the m results rounded to single into u and v; non-zero when one of them does not fit
// a single (or is not a number), and then only whole lane groups before that one are stored.
unsigned StoreBlockResults(const double* re, const double* im, std::size_t m, float* u, float* v);

}  // namespace quillon::program_detail

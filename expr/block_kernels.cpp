#include "expr/block_kernels.h"

#include <array>
#include <atomic>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "expr/vector_isa.h"

// This file is built with -ffp-contract=off (expr/CMakeLists.txt): a fused a * b + c would
// round differently from the point routines.

namespace quillon::program_detail {
namespace {

using vector_isa::Avx2;
using vector_isa::Avx512;
using vector_isa::Sse2;

// ---------------------------------------------------------------------------------------------
// The kernels, for any of the sets of expr/vector_isa.h.

// The operations with vector kernels; the arithmetic ones in the order of Op.
enum class VectorOp : uint8_t {
  kAdd,
  kSubtract,
  kMultiply,
  kDivide,
  kNegate,
  kIntegerPower,
  kSin,
  kCos,
  kExp
};
static_assert(static_cast<int>(VectorOp::kDivide) == static_cast<int>(Op::kDivide));

constexpr OperandKind kColumn = OperandKind::kColumn;
constexpr OperandKind kInput = OperandKind::kInput;
constexpr OperandKind kConstant = OperandKind::kConstant;

template <class I>
struct Kernels {
  using Vec = typename I::Vec;
  using Mask = typename I::Mask;
  static constexpr std::size_t kWidth = I::kWidth;
  static_assert(kLaneGroup % kWidth == 0);

  static Vec Load(const double* p) {
    Vec v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
  }
  static void Store(double* p, const Vec& v) { __builtin_memcpy(p, &v, sizeof v); }
  // Every lane d, the sign of a zero included.
  static Vec Broadcast(double d) {
    Vec v;
    for (std::size_t l = 0; l < kWidth; ++l) v[l] = d;
    return v;
  }
  static Vec Rounded(Vec v) {
    I::Round(v);
    return v;
  }

  // The magnitude of each lane as the integer of its bits: for doubles without their sign the
  // integers are ordered like the values, and every NaN lies above infinity. So one integer
  // maximum per value replaces the two comparisons of a range check, and the limit is compared
  // once at the end of the kernel (comparisons compete with the conversions for one port).
  static Mask MagnitudeBits(const Vec& v) { return reinterpret_cast<Mask>(v) & 0x7FFFFFFFFFFFFFFF; }
  static Mask Larger(const Mask& a, const Mask& b) { return a > b ? a : b; }
  // std::copysign lane by lane.
  static Vec CopySign(const Vec& magnitude, const Vec& sign) {
    const Mask signBit = Mask{} + std::numeric_limits<int64_t>::min();
    return reinterpret_cast<Vec>((reinterpret_cast<Mask>(magnitude) & ~signBit) |
                                 (reinterpret_cast<Mask>(sign) & signBit));
  }

  // The FaultFlag policy over vectors: the largest magnitude checked against each limit, and
  // the lanes of `ok` that drop to 0 at a division by zero.
  struct Faults {
    Mask finiteHigh = Mask{};  // against DBL_MAX
    Mask singleHigh = Mask{};  // against kSingleLimit
    Mask ok = Mask{} - 1;

    Vec Finite(Vec v) {
      finiteHigh = Larger(finiteHigh, MagnitudeBits(v));
      return v;
    }
    Vec Single(Vec v) {
      singleHigh = Larger(singleHigh, MagnitudeBits(v));
      return Rounded(v);
    }
    Vec Divide(Vec a, Vec b) {
      const Vec q = a / b;
      ok &= (b != 0.0);
      finiteHigh = Larger(finiteHigh, MagnitudeBits(q));
      return q;
    }
    // Whether a value may have faulted: beyond DBL_MAX (or not a number), not below
    // kSingleLimit, or a zero divisor.
    unsigned Any() const {
      const Mask bad = (finiteHigh > std::bit_cast<int64_t>(DBL_MAX)) |
                       (singleHigh >= std::bit_cast<int64_t>(kSingleLimit)) | ~ok;
      return I::AnyLaneSet(bad);
    }
  };

  // The policy of a program's last operation, whose values go straight to the final store:
  // that store's check finds every value that is not finite or does not fit a single, so the
  // operation need not look for them itself; a zero divisor is still a fault.
  struct FinalFaults : Faults {
    Vec Finite(Vec v) { return v; }
    Vec Divide(Vec a, Vec b) {
      this->ok &= (b != 0.0);
      return a / b;
    }
  };

  // No checks, for values whose faults a later check finds.
  struct Unchecked {
    Vec Finite(Vec v) { return v; }
  };

  struct VC {
    Vec re, im;
  };

  // The arithmetic of cmath::Add ... cmath::Divide, step for step.
  template <class P>
  static VC Add(P& p, Vec a, Vec b, Vec c, Vec d) {
    return {p.Finite(a + c), p.Finite(b + d)};
  }
  template <class P>
  static VC Subtract(P& p, Vec a, Vec b, Vec c, Vec d) {
    return {p.Finite(a - c), p.Finite(b - d)};
  }
  template <class P>
  static VC Multiply(P& p, Vec a, Vec b, Vec c, Vec d) {
    return {p.Finite(a * c - b * d), p.Finite(a * d + b * c)};
  }
  template <class P>
  static VC StoreSingle(P& p, VC z) {
    return {p.Single(z.re), p.Single(z.im)};
  }
  // StoreSingle(Multiply(...)): the single range check covers the double one.
  template <class P>
  static VC MultiplySingle(P& p, Vec a, Vec b, Vec c, Vec d) {
    return {p.Single(a * c - b * d), p.Single(a * d + b * c)};
  }
  template <class P>
  static VC Divide(P& p, Vec a, Vec b, Vec c, Vec d) {
    const VC n = MultiplySingle(p, a, b, c, -d);
    const Vec m = p.Single(c * c + d * d);
    return {p.Divide(n.re, m), p.Divide(n.im, m)};
  }

  // An operand read from double columns, from the block's single inputs (converted as read),
  // or a constant held in registers.
  template <OperandKind Kind>
  struct In {
    const double* re = nullptr;
    const double* im = nullptr;
    const float* singleRe = nullptr;
    const float* singleIm = nullptr;
    Vec constantRe{};
    Vec constantIm{};

    In(const BlockOperand& o, const BlockFrame& f) {
      if constexpr (Kind == kColumn) {
        re = f.Column(o.re);
        im = f.Column(o.im);
      } else if constexpr (Kind == kInput) {
        singleRe = f.inputs[o.re];
        singleIm = f.inputs[o.im];
      } else {
        constantRe = Broadcast(o.value.re);
        constantIm = Broadcast(o.value.im);
      }
    }
    static Vec Widened(const float* p) {
      Vec v;
      I::Widen(p, v);
      return v;
    }
    Vec Re(std::size_t i) const {
      if constexpr (Kind == kColumn) return Load(re + i);
      if constexpr (Kind == kInput) return Widened(singleRe + i);
      return constantRe;
    }
    Vec Im(std::size_t i) const {
      if constexpr (Kind == kColumn) return Load(im + i);
      if constexpr (Kind == kInput) return Widened(singleIm + i);
      return constantIm;
    }
  };

  template <VectorOp Op, OperandKind A, OperandKind B, bool Last>
  static unsigned Binary(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    const In<A> a(s.a, f);
    const In<B> b(s.b, f);
    double* __restrict outRe = f.Column(s.out);
    double* __restrict outIm = f.Column(s.out + 1);
    std::conditional_t<Last, FinalFaults, Faults> p;
    for (std::size_t i = 0; i < m; i += kWidth) {
      const Vec ar = a.Re(i), ai = a.Im(i), br = b.Re(i), bi = b.Im(i);
      VC r;
      if constexpr (Op == VectorOp::kAdd) r = Add(p, ar, ai, br, bi);
      if constexpr (Op == VectorOp::kSubtract) r = Subtract(p, ar, ai, br, bi);
      if constexpr (Op == VectorOp::kMultiply) r = Multiply(p, ar, ai, br, bi);
      if constexpr (Op == VectorOp::kDivide) r = Divide(p, ar, ai, br, bi);
      Store(outRe + i, r.re);
      Store(outIm + i, r.im);
    }
    return p.Any();
  }

  // z^n by repeated squaring as cmath::IntegerPower: the squarings below the lowest set bit of
  // n, then one squaring per further bit and a product for each set one.
  template <OperandKind A>
  static unsigned IntegerPower(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    const In<A> a(s.a, f);
    double* __restrict outRe = f.Column(s.out);
    double* __restrict outIm = f.Column(s.out + 1);
    const unsigned n = s.exponent;
    const unsigned low = static_cast<unsigned>(std::countr_zero(n));
    const unsigned high = n >> (low + 1);
    // A product that overflows makes every later one, and so the power, infinite or not a
    // number, which the final rounding finds: the products need no checks of their own.
    Unchecked u;
    Faults p;
    for (std::size_t i = 0; i < m; i += kWidth) {
      VC x{a.Re(i), a.Im(i)};
      for (unsigned j = 0; j < low; ++j) x = Multiply(u, x.re, x.im, x.re, x.im);
      VC r = x;
      for (unsigned e = high; e != 0; e >>= 1) {
        x = Multiply(u, x.re, x.im, x.re, x.im);
        if (e & 1u) r = Multiply(u, r.re, r.im, x.re, x.im);
      }
      r = StoreSingle(p, r);
      Store(outRe + i, r.re);
      Store(outIm + i, r.im);
    }
    return p.Any();
  }

  template <OperandKind A>
  static unsigned Negate(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    const In<A> a(s.a, f);
    double* __restrict outRe = f.Column(s.out);
    double* __restrict outIm = f.Column(s.out + 1);
    for (std::size_t i = 0; i < m; i += kWidth) {
      Store(outRe + i, -a.Re(i));
      Store(outIm + i, -a.Im(i));
    }
    return 0;
  }

  // The library's cosine and sine of the last argument, computed again only when its bits
  // change (-0 and +0 have different sines).
  struct SinCosMemo {
    uint64_t bits = 0x7ff8dead00000000u;  // a NaN no argument here has
    double c = 0.0;
    double s = 0.0;
    void Of(double v, double& cosine, double& sine) {
      const uint64_t b = std::bit_cast<uint64_t>(v);
      if (b != bits) {
        bits = b;
        c = std::cos(v);
        s = std::sin(v);
      }
      cosine = c;
      sine = s;
    }
  };

  // sin z or cos z as cmath::Sin and cmath::Cos: the library's sin and cos of Re z (reused
  // while its bits repeat, as along a grid row) and expm1 of |Im z| point by point, the rest
  // of cmath::CoshSinhOf and the products in vectors. The target may be the operand's own
  // slot: the first pass reads each point before it writes it.
  template <bool Cosine, OperandKind A>
  static unsigned SinCos(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    const In<A> a(s.a, f);
    double* outRe = f.Column(s.out);
    double* outIm = f.Column(s.out + 1);
    double* cosines = f.Column(kColumnScratch);
    double* sines = f.Column(kColumnScratch + 1);
    SinCosMemo memo;
    for (std::size_t i = 0; i < m; i += kWidth) {
      const Vec re = a.Re(i);
      const Vec im = a.Im(i);
      for (std::size_t l = 0; l < kWidth; ++l) {
        memo.Of(re[l], cosines[i + l], sines[i + l]);
        outRe[i + l] = std::expm1(std::fabs(im[l]));
      }
      Store(outIm + i, im);
    }
    Faults p;
    for (std::size_t i = 0; i < m; i += kWidth) {
      const Vec t = Load(outRe + i);
      const Vec e = t + 1.0;
      const Vec r = 1.0 / e;
      const Vec ch = 0.5 * (e + r);
      const Vec sh = CopySign(0.5 * (t + t * r), Load(outIm + i));
      const Vec c = Load(cosines + i);
      const Vec sn = Load(sines + i);
      const VC w = Cosine ? StoreSingle(p, VC{c * ch, -(sn * sh)}) : StoreSingle(p, VC{sn * ch, c * sh});
      Store(outRe + i, w.re);
      Store(outIm + i, w.im);
    }
    return p.Any();
  }

  // e^z as cmath::Exp: the library's exp, cos and sin point by point, the products in vectors.
  template <OperandKind A>
  static unsigned Exp(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    const In<A> a(s.a, f);
    double* outRe = f.Column(s.out);
    double* outIm = f.Column(s.out + 1);
    double* sines = f.Column(kColumnScratch);
    SinCosMemo memo;
    for (std::size_t i = 0; i < m; i += kWidth) {
      const Vec re = a.Re(i);
      const Vec im = a.Im(i);
      for (std::size_t l = 0; l < kWidth; ++l) {
        outRe[i + l] = std::exp(re[l]);
        memo.Of(im[l], outIm[i + l], sines[i + l]);
      }
    }
    Faults p;
    for (std::size_t i = 0; i < m; i += kWidth) {
      const Vec e = p.Finite(Load(outRe + i));
      Store(outRe + i, e * Load(outIm + i));
      Store(outIm + i, e * Load(sines + i));
    }
    return p.Any();
  }

  static void LoadInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                         double* yd) {
    std::size_t i = 0;
    for (; i + kWidth <= m; i += kWidth) {
      Store(xd + i, In<kInput>::Widened(x + i));
      Store(yd + i, In<kInput>::Widened(y + i));
    }
    for (; i < m; ++i) {
      xd[i] = x[i];
      yd[i] = y[i];
    }
    for (; i < padded; ++i) {
      xd[i] = x[m - 1];
      yd[i] = y[m - 1];
    }
  }

  // One pass: each group of lanes is checked and then stored, so that when a value does not
  // fit only the groups before it have been written. The caller redoes such a block point by
  // point, which writes the same values up to the stop and nothing after it.
  static unsigned StoreResults(const double* re, const double* im, std::size_t m, float* u, float* v) {
    std::size_t i = 0;
    for (; i + kWidth <= m; i += kWidth) {
      const Vec a = Load(re + i);
      const Vec b = Load(im + i);
      const Mask bad = Larger(MagnitudeBits(a), MagnitudeBits(b)) >= std::bit_cast<int64_t>(kSingleLimit);
      if (I::AnyLaneSet(bad)) return 1;
      I::Narrow(a, u + i);
      I::Narrow(b, v + i);
    }
    for (; i < m; ++i) {
      if (!(std::fabs(re[i]) < kSingleLimit) || !(std::fabs(im[i]) < kSingleLimit)) return 1;
      u[i] = static_cast<float>(re[i]);
      v[i] = static_cast<float>(im[i]);
    }
    return 0;
  }

  template <class Key>
  static unsigned Run(const BlockStep& s, const BlockFrame& f, std::size_t m);
};

// ---------------------------------------------------------------------------------------------
// The flat table: one entry per operation, kinds of operands and `last`.

constexpr std::size_t kVectorOps = 9;
constexpr std::size_t kKeys = kVectorOps * 3 * 3 * 2;

constexpr std::size_t KeyOf(VectorOp op, OperandKind a, OperandKind b, bool last) {
  return ((static_cast<std::size_t>(op) * 3 + static_cast<std::size_t>(a)) * 3 +
          static_cast<std::size_t>(b)) *
             2 +
         (last ? 1 : 0);
}

template <std::size_t K>
struct Key {
  static constexpr VectorOp op = static_cast<VectorOp>(K / 18);
  static constexpr OperandKind a = static_cast<OperandKind>(K / 6 % 3);
  static constexpr OperandKind b = static_cast<OperandKind>(K / 2 % 3);
  static constexpr bool last = K % 2 != 0;
  static constexpr bool binary = op <= VectorOp::kDivide;
  // Operations on constants alone are folded unless they fault; those go point by point.
  // Unary operations have one form, listed with b = kColumn and last = false.
  static constexpr bool exists =
      binary ? !(a == kConstant && b == kConstant) : a != kConstant && b == kColumn && !last;
};

template <class I>
template <class K>
unsigned Kernels<I>::Run(const BlockStep& s, const BlockFrame& f, std::size_t m) {
  if constexpr (K::binary) return Binary<K::op, K::a, K::b, K::last>(s, f, m);
  if constexpr (K::op == VectorOp::kNegate) return Negate<K::a>(s, f, m);
  if constexpr (K::op == VectorOp::kIntegerPower) return IntegerPower<K::a>(s, f, m);
  if constexpr (K::op == VectorOp::kSin) return SinCos<false, K::a>(s, f, m);
  if constexpr (K::op == VectorOp::kCos) return SinCos<true, K::a>(s, f, m);
  if constexpr (K::op == VectorOp::kExp) return Exp<K::a>(s, f, m);
  return 1;
}

// The entry points of each set, the only functions built for it: flattening compiles the
// whole job, inlined, for the set.
struct Sse2Entries {
  template <class Job, class... A>
  [[gnu::flatten]] static auto Run(A... args) {
    return Job::template Run<Sse2>(args...);
  }
};
struct Avx2Entries {
  template <class Job, class... A>
  [[gnu::target("avx2"), gnu::flatten]] static auto Run(A... args) {
    return Job::template Run<Avx2>(args...);
  }
};
struct Avx512Entries {
  template <class Job, class... A>
  [[gnu::target("avx512f,avx512dq"), gnu::flatten]] static auto Run(A... args) {
    return Job::template Run<Avx512>(args...);
  }
};

template <class K>
struct KernelJob {
  template <class I>
  static unsigned Run(const BlockStep& s, const BlockFrame& f, std::size_t m) {
    return Kernels<I>::template Run<K>(s, f, m);
  }
};
struct LoadJob {
  template <class I>
  static void Run(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd, double* yd) {
    Kernels<I>::LoadInputs(x, y, m, padded, xd, yd);
  }
};
struct StoreJob {
  template <class I>
  static unsigned Run(const double* re, const double* im, std::size_t m, float* u, float* v) {
    return Kernels<I>::StoreResults(re, im, m, u, v);
  }
};

using LoadFunction = void (*)(const float*, const float*, std::size_t, std::size_t, double*, double*);
using StoreFunction = unsigned (*)(const double*, const double*, std::size_t, float*, float*);

struct IsaTable {
  std::array<BlockKernel, kKeys> kernels;
  LoadFunction load;
  StoreFunction store;
};

template <class E, std::size_t K>
constexpr BlockKernel EntryAt() {
  if constexpr (Key<K>::exists) {
    return &E::template Run<KernelJob<Key<K>>, const BlockStep&, const BlockFrame&, std::size_t>;
  } else {
    return nullptr;
  }
}

template <class E, std::size_t... K>
constexpr IsaTable TableOf(std::index_sequence<K...>) {
  return {{EntryAt<E, K>()...},
          &E::template Run<LoadJob, const float*, const float*, std::size_t, std::size_t, double*, double*>,
          &E::template Run<StoreJob, const double*, const double*, std::size_t, float*, float*>};
}

// Indexed by VectorIsa.
constexpr IsaTable kTables[] = {
    TableOf<Sse2Entries>(std::make_index_sequence<kKeys>{}),
    TableOf<Avx2Entries>(std::make_index_sequence<kKeys>{}),
    TableOf<Avx512Entries>(std::make_index_sequence<kKeys>{}),
};

VectorIsa Best() {
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq")) return VectorIsa::kAvx512;
  if (__builtin_cpu_supports("avx2")) return VectorIsa::kAvx2;
  return VectorIsa::kSse2;
}
const VectorIsa g_best = Best();
std::atomic<VectorIsa> g_isa{g_best};

const IsaTable& Table() {
  return kTables[static_cast<int>(g_isa.load(std::memory_order_relaxed))];
}

}  // namespace

VectorIsa BestVectorIsa() {
  return g_best;
}

bool UseVectorIsa(VectorIsa isa) {
  if (static_cast<int>(isa) > static_cast<int>(g_best)) return false;
  g_isa.store(isa);
  return true;
}

BlockKernel VectorKernelFor(Op op, FunctionId function, OperandKind a, OperandKind b, bool last) {
  VectorOp v;
  if (IsBinary(op)) {
    if (op == Op::kPower) return nullptr;
    v = static_cast<VectorOp>(op);  // the four arithmetic operations come first in both
  } else if (op != Op::kFunction) {
    v = op == Op::kNegate ? VectorOp::kNegate : VectorOp::kIntegerPower;
  } else if (function == FunctionId::kSin || function == FunctionId::kCos || function == FunctionId::kExp) {
    v = function == FunctionId::kSin   ? VectorOp::kSin
        : function == FunctionId::kCos ? VectorOp::kCos
                                       : VectorOp::kExp;
  } else {
    return nullptr;
  }
  if (!IsBinary(op)) {
    b = kColumn;
    last = false;
  }
  return Table().kernels[KeyOf(v, a, b, last)];
}

void LoadBlockInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd,
                     double* yd) {
  Table().load(x, y, m, padded, xd, yd);
}

unsigned StoreBlockResults(const double* re, const double* im, std::size_t m, float* u, float* v) {
  return Table().store(re, im, m, u, v);
}

}  // namespace quillon::program_detail

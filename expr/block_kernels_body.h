// The body of the vectorised block kernels, included once per instruction set by
// block_kernels.cpp inside namespace QUILLON_KERNEL_NS with QUILLON_KERNEL_WIDTH doubles per
// vector. No include guard: each inclusion defines its own copy.
//
// The double -> single -> double roundings go through conversion intrinsics, which the compiler
// keeps as written (a plain float cast round trip may be folded away when vectorised).

namespace QUILLON_KERNEL_NS {

constexpr std::size_t kWidth = QUILLON_KERNEL_WIDTH;
typedef double Vec __attribute__((vector_size(kWidth * sizeof(double))));
typedef int64_t Mask __attribute__((vector_size(kWidth * sizeof(double))));

inline Vec Load(const double* p) {
  Vec v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(double* p, Vec v) {
  __builtin_memcpy(p, &v, sizeof v);
}
// Every lane d, the sign of a zero included.
inline Vec Broadcast(double d) {
  Vec v;
  for (std::size_t l = 0; l < kWidth; ++l) v[l] = d;
  return v;
}

#if QUILLON_KERNEL_WIDTH == 8
inline Vec RoundVec(Vec v) {
  // The zero-masked forms: the plain ones start from an undefined register, which GCC warns of.
  return static_cast<Vec>(_mm512_maskz_cvtps_pd(0xFF, _mm512_maskz_cvtpd_ps(0xFF, static_cast<__m512d>(v))));
}
#elif QUILLON_KERNEL_WIDTH == 4
inline Vec RoundVec(Vec v) {
  return static_cast<Vec>(_mm256_cvtps_pd(_mm256_cvtpd_ps(static_cast<__m256d>(v))));
}
#else
inline Vec RoundVec(Vec v) {
  return static_cast<Vec>(_mm_cvtps_pd(_mm_cvtpd_ps(static_cast<__m128d>(v))));
}
#endif

// The magnitude of each lane as the integer of its bits: for doubles without their sign the
// integers are ordered like the values, and every NaN lies above infinity. So one integer
// maximum per value replaces the two comparisons of a range check, and the limit is compared
// once at the end of the kernel (comparisons compete with the conversions for one port).
inline Mask MagnitudeBits(Vec v) {
  return reinterpret_cast<Mask>(v) & (Mask{} + 0x7FFFFFFFFFFFFFFF);
}
inline Mask Larger(Mask a, Mask b) {
  return a > b ? a : b;
}
inline int64_t BitsOf(double d) {
  return std::bit_cast<int64_t>(d);
}

// Whether any lane of a comparison's result (-1 or 0 per lane) is set, with one test of the
// whole vector rather than a lane at a time.
#if QUILLON_KERNEL_WIDTH == 8
inline bool AnyLaneSet(Mask m) {
  const __m512i v = reinterpret_cast<__m512i>(m);
  return _mm512_test_epi64_mask(v, v) != 0;
}
#elif QUILLON_KERNEL_WIDTH == 4
inline bool AnyLaneSet(Mask m) {
  const __m256i v = reinterpret_cast<__m256i>(m);
  return !_mm256_testz_si256(v, v);
}
#else
inline bool AnyLaneSet(Mask m) {
  return (m[0] | m[1]) != 0;
}
#endif

// The FaultFlag policy over vectors: the largest magnitude checked against each limit, and
// the lanes of `ok` that drop to 0 at a division by zero.
struct VecFaults {
  Mask finiteHigh = Mask{};  // against DBL_MAX
  Mask singleHigh = Mask{};  // against kSingleLimit
  Mask ok = Mask{} - 1;

  Vec Finite(Vec v) {
    finiteHigh = Larger(finiteHigh, MagnitudeBits(v));
    return v;
  }
  Vec Single(Vec v) {
    singleHigh = Larger(singleHigh, MagnitudeBits(v));
    return RoundVec(v);
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
    return AnyLaneSet((finiteHigh > BitsOf(DBL_MAX)) | (singleHigh >= BitsOf(kSingleLimit)) | ~ok);
  }
};

// The policy of a program's last operation, whose values go straight to the final store: that
// store's check finds every value that is not finite or does not fit a single, so the
// operation need not look for them itself; a zero divisor is still a fault.
struct FinalFaults : VecFaults {
  Vec Finite(Vec v) { return v; }
  Vec Divide(Vec a, Vec b) {
    ok &= (b != 0.0);
    return a / b;
  }
};

struct VC {
  Vec re, im;
};

// The arithmetic of cmath::Add ... cmath::IntegerPower, step for step.
template <class P>
inline VC Add(P& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a + c), p.Finite(b + d)};
}
template <class P>
inline VC Subtract(P& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a - c), p.Finite(b - d)};
}
template <class P>
inline VC Multiply(P& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a * c - b * d), p.Finite(a * d + b * c)};
}
template <class P>
inline VC StoreSingle(P& p, VC z) {
  return {p.Single(z.re), p.Single(z.im)};
}
// StoreSingle(Multiply(...)): the single range check covers the double one.
template <class P>
inline VC MultiplySingle(P& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Single(a * c - b * d), p.Single(a * d + b * c)};
}
template <class P>
inline VC Divide(P& p, Vec a, Vec b, Vec c, Vec d) {
  const VC n = MultiplySingle(p, a, b, c, -d);
  const Vec m = p.Single(c * c + d * d);
  return {p.Divide(n.re, m), p.Divide(n.im, m)};
}
template <unsigned N, class P>
inline VC IntegerPower(P& p, Vec a, Vec b) {
  VC x{a, b};
  VC result{a, b};
  bool started = false;
  unsigned n = N;
  for (;;) {
    if (n & 1u) {
      result = started ? MultiplySingle(p, result.re, result.im, x.re, x.im) : x;
      started = true;
    }
    n >>= 1u;
    if (n == 0) break;
    x = MultiplySingle(p, x.re, x.im, x.re, x.im);
  }
  // Beyond the first power the result is already a checked single.
  return N == 1 ? StoreSingle(p, result) : result;
}

struct AddK {
  template <class P>
  static VC Do(P& p, Vec a, Vec b, Vec c, Vec d) {
    return Add(p, a, b, c, d);
  }
};
struct SubtractK {
  template <class P>
  static VC Do(P& p, Vec a, Vec b, Vec c, Vec d) {
    return Subtract(p, a, b, c, d);
  }
};
struct MultiplyK {
  template <class P>
  static VC Do(P& p, Vec a, Vec b, Vec c, Vec d) {
    return Multiply(p, a, b, c, d);
  }
};
struct DivideK {
  template <class P>
  static VC Do(P& p, Vec a, Vec b, Vec c, Vec d) {
    return Divide(p, a, b, c, d);
  }
};

// An operand read as double columns, as a constant held in registers, or straight from the
// block's single-precision inputs (x, y or z), converted as it is read.
template <OperandKind Kind>
struct In;

template <>
struct In<OperandKind::kColumn> {
  const double* re;
  const double* im;
  In(const Operand& o, const BlockFrame& f) {
    switch (o.source) {
      case Source::kX:
        re = f.xd;
        im = f.zero;
        break;
      case Source::kY:
        re = f.zero;
        im = f.yd;
        break;
      case Source::kZ:
        re = f.xd;
        im = f.yd;
        break;
      default:
        re = f.SlotRe(o.index);
        im = f.SlotIm(o.index);
        break;
    }
  }
  Vec Re(std::size_t i) const { return Load(re + i); }
  Vec Im(std::size_t i) const { return Load(im + i); }
};

template <>
struct In<OperandKind::kConstant> {
  Vec re, im;
  In(const Operand& o, const BlockFrame& f)
      : re(Broadcast(f.constants[o.index].re)), im(Broadcast(f.constants[o.index].im)) {}
  Vec Re(std::size_t) const { return re; }
  Vec Im(std::size_t) const { return im; }
};

template <>
struct In<OperandKind::kInput> {
  const float* re;
  const float* im;
  In(const Operand& o, const BlockFrame& f)
      : re(o.source == Source::kY ? f.zeroSingles : f.xs),
        im(o.source == Source::kX ? f.zeroSingles : f.ys) {}
  static Vec Widen(const float* p) {
    float s[kWidth];
    __builtin_memcpy(s, p, sizeof s);
    Vec v;
    for (std::size_t l = 0; l < kWidth; ++l) v[l] = s[l];
    return v;
  }
  Vec Re(std::size_t i) const { return Widen(re + i); }
  Vec Im(std::size_t i) const { return Widen(im + i); }
};

template <class K, OperandKind A, OperandKind B, class Policy = VecFaults>
unsigned BinaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<A> a(ins.a, f);
  const In<B> b(ins.b, f);
  double* __restrict outRe = f.SlotRe(ins.target);
  double* __restrict outIm = f.SlotIm(ins.target);
  Policy p;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const VC r = K::Do(p, a.Re(i), a.Im(i), b.Re(i), b.Im(i));
    Store(outRe + i, r.re);
    Store(outIm + i, r.im);
  }
  return p.Any();
}

template <unsigned N, OperandKind A>
unsigned IntegerPowerKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<A> a(ins.a, f);
  double* __restrict outRe = f.SlotRe(ins.target);
  double* __restrict outIm = f.SlotIm(ins.target);
  VecFaults p;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const VC r = IntegerPower<N>(p, a.Re(i), a.Im(i));
    Store(outRe + i, r.re);
    Store(outIm + i, r.im);
  }
  return p.Any();
}

template <OperandKind A>
unsigned NegateKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<A> a(ins.a, f);
  double* __restrict outRe = f.SlotRe(ins.target);
  double* __restrict outIm = f.SlotIm(ins.target);
  for (std::size_t i = 0; i < m; i += kWidth) {
    Store(outRe + i, -a.Re(i));
    Store(outIm + i, -a.Im(i));
  }
  return 0;
}

void LoadInputs(const float* x, const float* y, std::size_t m, std::size_t padded, double* xd, double* yd) {
  std::size_t i = 0;
  for (; i + kWidth <= m; i += kWidth) {
    float xs[kWidth], ys[kWidth];
    __builtin_memcpy(xs, x + i, sizeof xs);
    __builtin_memcpy(ys, y + i, sizeof ys);
    Vec xv, yv;
    for (std::size_t l = 0; l < kWidth; ++l) {
      xv[l] = xs[l];
      yv[l] = ys[l];
    }
    Store(xd + i, xv);
    Store(yd + i, yv);
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

// One pass: each group of lanes is checked and then stored, so that when a value does not fit
// only the groups before it have been written. The caller redoes such a block point by point,
// which writes the same values up to the stop and nothing after it.
unsigned StoreResults(const double* re, const double* im, std::size_t m, float* u, float* v) {
  std::size_t i = 0;
  for (; i + kWidth <= m; i += kWidth) {
    const Vec a = Load(re + i);
    const Vec b = Load(im + i);
    VecFaults check;
    check.singleHigh = Larger(MagnitudeBits(a), MagnitudeBits(b));
    if (check.Any()) return 1;
    float us[kWidth], vs[kWidth];
    for (std::size_t l = 0; l < kWidth; ++l) {
      us[l] = static_cast<float>(a[l]);
      vs[l] = static_cast<float>(b[l]);
    }
    __builtin_memcpy(u + i, us, sizeof us);
    __builtin_memcpy(v + i, vs, sizeof vs);
  }
  for (; i < m; ++i) {
    if (!(std::fabs(re[i]) < kSingleLimit) || !(std::fabs(im[i]) < kSingleLimit)) return 1;
    u[i] = static_cast<float>(re[i]);
    v[i] = static_cast<float>(im[i]);
  }
  return 0;
}

// The library's cosine and sine of the last argument, computed again only when its bits change
// (-0 and +0 have different sines).
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

// sin z or cos z: the exponentials of ±iz as cmath::ExpPairOf forms them, in three passes
// so that only the library's scalar exp, sin and cos run point by point. The target may be
// the operand's own slot; every pass reads a point before it writes it.
template <bool Cosine, OperandKind A>
unsigned SinCosKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<A> a(ins.a, f);
  double* outRe = f.SlotRe(ins.target);
  double* outIm = f.SlotIm(ins.target);
  double* cosines = f.scratch + 2 * f.k;
  double* sines = cosines + f.k;
  VecFaults p;
  const Vec zero = Broadcast(0.0);
  const Vec one = Broadcast(1.0);
  for (std::size_t i = 0; i < m; i += kWidth) {
    const VC w = MultiplySingle(p, a.Re(i), a.Im(i), zero, one);
    Store(outRe + i, w.re);
    Store(outIm + i, w.im);
  }
  // Along a grid row x is constant, and so is Im(iz) = x: its cosine and sine are reused while
  // the bits repeat.
  SinCosMemo memo;
  for (std::size_t i = 0; i < m; ++i) {
    const double wr = outRe[i];
    const double wi = outIm[i];
    memo.Of(wi, cosines[i], sines[i]);
    outRe[i] = std::exp(wr);
    outIm[i] = std::exp(-wr);
  }
  const Vec two = Broadcast(2.0);
  for (std::size_t i = 0; i < m; i += kWidth) {
    const Vec c = Load(cosines + i);
    const Vec sn = Load(sines + i);
    const Vec g1 = p.Finite(Load(outRe + i));
    const Vec g2 = p.Finite(Load(outIm + i));
    const VC e1 = StoreSingle(p, VC{g1 * c, g1 * sn});
    const VC e2 = StoreSingle(p, VC{g2 * c, -(g2 * sn)});
    VC r;
    if (Cosine) {
      const VC n = StoreSingle(p, Add(p, e1.re, e1.im, e2.re, e2.im));
      r = Divide(p, n.re, n.im, two, zero);
    } else {
      const VC n = StoreSingle(p, Add(p, e1.re, e1.im, -e2.re, -e2.im));
      r = Divide(p, n.re, n.im, zero, two);
    }
    Store(outRe + i, r.re);
    Store(outIm + i, r.im);
  }
  return p.Any();
}

// e^z as cmath::Exp: the library's exp, cos and sin point by point, the products in vectors.
template <OperandKind A>
unsigned ExpKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<A> a(ins.a, f);
  double* outRe = f.SlotRe(ins.target);
  double* outIm = f.SlotIm(ins.target);
  double* sines = f.scratch + 2 * f.k;
  SinCosMemo memo;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const Vec re = a.Re(i);
    const Vec im = a.Im(i);
    for (std::size_t l = 0; l < kWidth; ++l) {
      outRe[i + l] = std::exp(re[l]);
      memo.Of(im[l], outIm[i + l], sines[i + l]);
    }
  }
  VecFaults p;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const Vec e = p.Finite(Load(outRe + i));
    Store(outRe + i, e * Load(outIm + i));
    Store(outIm + i, e * Load(sines + i));
  }
  return p.Any();
}

constexpr OperandKind kColumn = OperandKind::kColumn;
constexpr OperandKind kConstant = OperandKind::kConstant;
constexpr OperandKind kInput = OperandKind::kInput;

template <class K, OperandKind A, OperandKind B>
BlockKernel BinaryOf(bool last) {
  return last ? &BinaryKernel<K, A, B, FinalFaults> : &BinaryKernel<K, A, B>;
}

template <class K, OperandKind A>
BlockKernel BinaryWith(OperandKind b, bool last) {
  switch (b) {
    case kConstant:
      return BinaryOf<K, A, kConstant>(last);
    case kInput:
      return BinaryOf<K, A, kInput>(last);
    case kColumn:
      break;
  }
  return BinaryOf<K, A, kColumn>(last);
}

template <class K>
BlockKernel Binary(OperandKind a, OperandKind b, bool last) {
  switch (a) {
    case kConstant:
      return BinaryWith<K, kConstant>(b, last);
    case kInput:
      return BinaryWith<K, kInput>(b, last);
    case kColumn:
      break;
  }
  return BinaryWith<K, kColumn>(b, last);
}

// One kernel per exponent and kind of operand, indexed 3 * (exponent - 1) + kind.
template <std::size_t... I>
constexpr std::array<BlockKernel, 3 * kMaxMultipliedExponent> MakePowerKernels(std::index_sequence<I...>) {
  return {&IntegerPowerKernel<I / 3 + 1, static_cast<OperandKind>(I % 3)>...};
}
constexpr std::array<BlockKernel, 3 * kMaxMultipliedExponent> kPowerKernels =
    MakePowerKernels(std::make_index_sequence<3 * kMaxMultipliedExponent>{});

template <template <OperandKind> class Kernel>
BlockKernel Unary(OperandKind a) {
  switch (a) {
    case kConstant:
      return &Kernel<kConstant>::Run;
    case kInput:
      return &Kernel<kInput>::Run;
    case kColumn:
      break;
  }
  return &Kernel<kColumn>::Run;
}

template <OperandKind A>
struct NegateOf {
  static unsigned Run(const Instruction& ins, const BlockFrame& f, std::size_t m) {
    return NegateKernel<A>(ins, f, m);
  }
};
template <OperandKind A>
struct SinOf {
  static unsigned Run(const Instruction& ins, const BlockFrame& f, std::size_t m) {
    return SinCosKernel<false, A>(ins, f, m);
  }
};
template <OperandKind A>
struct CosOf {
  static unsigned Run(const Instruction& ins, const BlockFrame& f, std::size_t m) {
    return SinCosKernel<true, A>(ins, f, m);
  }
};
template <OperandKind A>
struct ExpOf {
  static unsigned Run(const Instruction& ins, const BlockFrame& f, std::size_t m) {
    return ExpKernel<A>(ins, f, m);
  }
};

BlockKernel KernelFor(const Instruction& ins, OperandKind a, OperandKind b, bool last) {
  switch (ins.op) {
    case Op::kAdd:
      return Binary<AddK>(a, b, last);
    case Op::kSubtract:
      return Binary<SubtractK>(a, b, last);
    case Op::kMultiply:
      return Binary<MultiplyK>(a, b, last);
    case Op::kDivide:
      return Binary<DivideK>(a, b, last);
    case Op::kNegate:
      return Unary<NegateOf>(a);
    case Op::kIntegerPower:
      if (ins.exponent < 1 || ins.exponent > kMaxMultipliedExponent) return nullptr;
      return kPowerKernels[3 * (ins.exponent - 1) + static_cast<std::size_t>(a)];
    case Op::kFunction:
      switch (ins.function) {
        case FunctionId::kSin:
          return Unary<SinOf>(a);
        case FunctionId::kCos:
          return Unary<CosOf>(a);
        case FunctionId::kExp:
          return Unary<ExpOf>(a);
        default:
          return nullptr;
      }
    case Op::kPower:
      return nullptr;
  }
  return nullptr;
}

}  // namespace QUILLON_KERNEL_NS

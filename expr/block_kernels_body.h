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

// The FaultFlag policy over vectors: a lane of `ok` drops to 0 at a fault.
struct VecFaults {
  Mask ok = Mask{} - 1;

  Vec Finite(Vec v) {
    ok &= (v <= DBL_MAX) & (v >= -DBL_MAX);
    return v;
  }
  Vec Single(Vec v) {
    ok &= (v < kSingleLimit) & (v > -kSingleLimit);
    return RoundVec(v);
  }
  Vec Divide(Vec a, Vec b) {
    const Vec q = a / b;
    ok &= (b != 0.0) & (q <= DBL_MAX) & (q >= -DBL_MAX);
    return q;
  }
};

// Whether any lane of `ok` is 0.
inline unsigned AnyFault(Mask ok) {
  int64_t all = -1;
  for (std::size_t l = 0; l < kWidth; ++l) all &= ok[l];
  return all != -1;
}

struct VC {
  Vec re, im;
};

// The arithmetic of cmath::Add ... cmath::IntegerPower, step for step.
inline VC Add(VecFaults& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a + c), p.Finite(b + d)};
}
inline VC Subtract(VecFaults& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a - c), p.Finite(b - d)};
}
inline VC Multiply(VecFaults& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Finite(a * c - b * d), p.Finite(a * d + b * c)};
}
inline VC StoreSingle(VecFaults& p, VC z) {
  return {p.Single(z.re), p.Single(z.im)};
}
// StoreSingle(Multiply(...)): the single range check covers the double one.
inline VC MultiplySingle(VecFaults& p, Vec a, Vec b, Vec c, Vec d) {
  return {p.Single(a * c - b * d), p.Single(a * d + b * c)};
}
inline VC Divide(VecFaults& p, Vec a, Vec b, Vec c, Vec d) {
  const VC n = MultiplySingle(p, a, b, c, -d);
  const Vec m = p.Single(c * c + d * d);
  return {p.Divide(n.re, m), p.Divide(n.im, m)};
}
template <unsigned N>
inline VC IntegerPower(VecFaults& p, Vec a, Vec b) {
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
  static VC Do(VecFaults& p, Vec a, Vec b, Vec c, Vec d) { return Add(p, a, b, c, d); }
};
struct SubtractK {
  static VC Do(VecFaults& p, Vec a, Vec b, Vec c, Vec d) { return Subtract(p, a, b, c, d); }
};
struct MultiplyK {
  static VC Do(VecFaults& p, Vec a, Vec b, Vec c, Vec d) { return Multiply(p, a, b, c, d); }
};
struct DivideK {
  static VC Do(VecFaults& p, Vec a, Vec b, Vec c, Vec d) { return Divide(p, a, b, c, d); }
};

// An operand read as columns, or a constant held in registers.
template <bool Constant>
struct In;

template <>
struct In<false> {
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
struct In<true> {
  Vec re, im;
  In(const Operand& o, const BlockFrame& f)
      : re(Broadcast(f.constants[o.index].re)), im(Broadcast(f.constants[o.index].im)) {}
  Vec Re(std::size_t) const { return re; }
  Vec Im(std::size_t) const { return im; }
};

template <class K, bool ConstA, bool ConstB>
unsigned BinaryKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<ConstA> a(ins.a, f);
  const In<ConstB> b(ins.b, f);
  double* __restrict outRe = f.SlotRe(ins.target);
  double* __restrict outIm = f.SlotIm(ins.target);
  VecFaults p;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const VC r = K::Do(p, a.Re(i), a.Im(i), b.Re(i), b.Im(i));
    Store(outRe + i, r.re);
    Store(outIm + i, r.im);
  }
  return AnyFault(p.ok);
}

template <unsigned N, bool Constant>
unsigned IntegerPowerKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<Constant> a(ins.a, f);
  double* __restrict outRe = f.SlotRe(ins.target);
  double* __restrict outIm = f.SlotIm(ins.target);
  VecFaults p;
  for (std::size_t i = 0; i < m; i += kWidth) {
    const VC r = IntegerPower<N>(p, a.Re(i), a.Im(i));
    Store(outRe + i, r.re);
    Store(outIm + i, r.im);
  }
  return AnyFault(p.ok);
}

template <bool Constant>
unsigned NegateKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<Constant> a(ins.a, f);
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
    if (AnyFault((a < kSingleLimit) & (a > -kSingleLimit) & (b < kSingleLimit) & (b > -kSingleLimit)))
      return 1;
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
template <bool Cosine, bool Constant>
unsigned SinCosKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<Constant> a(ins.a, f);
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
  return AnyFault(p.ok);
}

// e^z as cmath::Exp: the library's exp, cos and sin point by point, the products in vectors.
template <bool Constant>
unsigned ExpKernel(const Instruction& ins, const BlockFrame& f, std::size_t m) {
  const In<Constant> a(ins.a, f);
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
  return AnyFault(p.ok);
}

template <class K>
BlockKernel Binary(const Instruction& ins) {
  const bool ca = ins.a.source == Source::kConstant;
  const bool cb = ins.b.source == Source::kConstant;
  if (ca) return cb ? &BinaryKernel<K, true, true> : &BinaryKernel<K, true, false>;
  return cb ? &BinaryKernel<K, false, true> : &BinaryKernel<K, false, false>;
}

template <std::size_t... I>
constexpr std::array<BlockKernel, 2 * kMaxMultipliedExponent> MakePowerKernels(std::index_sequence<I...>) {
  return {&IntegerPowerKernel<I / 2 + 1, (I % 2) != 0>...};
}
constexpr std::array<BlockKernel, 2 * kMaxMultipliedExponent> kPowerKernels =
    MakePowerKernels(std::make_index_sequence<2 * kMaxMultipliedExponent>{});

BlockKernel KernelFor(const Instruction& ins) {
  const bool ca = ins.a.source == Source::kConstant;
  switch (ins.op) {
    case Op::kAdd:
      return Binary<AddK>(ins);
    case Op::kSubtract:
      return Binary<SubtractK>(ins);
    case Op::kMultiply:
      return Binary<MultiplyK>(ins);
    case Op::kDivide:
      return Binary<DivideK>(ins);
    case Op::kNegate:
      return ca ? &NegateKernel<true> : &NegateKernel<false>;
    case Op::kIntegerPower:
      if (ins.exponent < 1 || ins.exponent > kMaxMultipliedExponent) return nullptr;
      return kPowerKernels[2 * (ins.exponent - 1) + (ca ? 1 : 0)];
    case Op::kFunction:
      switch (ins.function) {
        case FunctionId::kSin:
          return ca ? &SinCosKernel<false, true> : &SinCosKernel<false, false>;
        case FunctionId::kCos:
          return ca ? &SinCosKernel<true, true> : &SinCosKernel<true, false>;
        case FunctionId::kExp:
          return ca ? &ExpKernel<true> : &ExpKernel<false>;
        default:
          return nullptr;
      }
    case Op::kPower:
      return nullptr;
  }
  return nullptr;
}

}  // namespace QUILLON_KERNEL_NS

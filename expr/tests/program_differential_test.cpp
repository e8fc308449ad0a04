// The compiled program against the text-reading evaluator: on random expressions and random
// points both must give the same values bit for bit and the same run-time errors.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "expr/expression.h"
#include "expr/function_table.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

struct Outcome {
  bool value = false;
  uint32_t re = 0;  // bit patterns
  uint32_t im = 0;
  int error = 0;
  std::string description;

  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  if (o.error) return os << "error " << o.error << " " << o.description;
  if (!o.value) return os << "no value";
  return os << std::bit_cast<float>(o.re) << " " << std::bit_cast<float>(o.im);
}

template <class F>
Outcome Capture(F evaluate) {
  Outcome o;
  float u = 0.0f;
  float v = 0.0f;
  try {
    o.value = evaluate(u, v);
    if (o.value) {
      o.re = std::bit_cast<uint32_t>(u);
      o.im = std::bit_cast<uint32_t>(v);
    }
  } catch (const RuntimeError& e) {
    o.error = e.Number();
    o.description = e.Description();
  }
  return o;
}

Outcome TextPath(const std::string& postfix, float x, float y) {
  Cls6 expression;
  return Capture([&](float& u, float& v) { return expression.DoEvaluate(postfix, u, v, x, y); });
}

Outcome CompiledPath(const CompiledProgram& program, float x, float y) {
  return Capture([&](float& u, float& v) { return program.Evaluate(x, y, u, v); });
}

// The reference for the text path: powers as the general power.
CompiledProgram Exact(const std::string& postfix) {
  return CompiledProgram::FromPostfix(postfix, IntegerPowers::kAsGeneralPowers);
}

// Checks EvaluateBlock over all points against the text path point by point.
void ExpectBlockAgrees(const std::string& postfix, const std::vector<float>& xs,
                       const std::vector<float>& ys) {
  const CompiledProgram program = Exact(postfix);
  const std::size_t n = xs.size();
  const float sentinel = -123.25f;
  std::vector<float> u(n, sentinel), v(n, sentinel);
  const CompiledProgram::BlockOutcome block =
      program.EvaluateBlock(xs.data(), ys.data(), n, u.data(), v.data());

  std::size_t expectedCompleted = n;
  std::optional<Outcome> stop;
  for (std::size_t i = 0; i < n; ++i) {
    const Outcome text = TextPath(postfix, xs[i], ys[i]);
    if (text.error || !text.value) {
      expectedCompleted = i;
      stop = text;
      break;
    }
    ASSERT_EQ(std::bit_cast<uint32_t>(u[i]), text.re) << postfix << " at point " << i;
    ASSERT_EQ(std::bit_cast<uint32_t>(v[i]), text.im) << postfix << " at point " << i;
  }
  if (stop && !stop->error) {
    // No value: the text path says so at every point.
    EXPECT_TRUE(block.noValue) << postfix;
    EXPECT_EQ(block.completed, 0u) << postfix;
    EXPECT_FALSE(block.error) << postfix;
    return;
  }
  EXPECT_FALSE(block.noValue) << postfix;
  ASSERT_EQ(block.completed, expectedCompleted) << postfix;
  if (stop) {
    ASSERT_TRUE(block.error) << postfix;
    EXPECT_EQ(block.error->Number(), stop->error) << postfix;
    EXPECT_EQ(block.error->Description(), stop->description) << postfix;
    for (std::size_t i = expectedCompleted; i < n; ++i) {
      ASSERT_EQ(u[i], sentinel) << "point after the stop written: " << postfix;
      ASSERT_EQ(v[i], sentinel) << "point after the stop written: " << postfix;
    }
  } else {
    EXPECT_FALSE(block.error) << postfix;
  }
}

// Random function texts over the whole language.
class InfixGenerator {
 public:
  explicit InfixGenerator(uint32_t seed) : rng_(seed) {}

  std::string Expression(int depth) {
    std::string s = Term(depth);
    const int terms = Pick(3);
    for (int i = 0; i < terms; ++i) {
      static const char* const kOps[] = {"+", "-", "*", "/", "^"};
      s += kOps[Pick(5)];
      s += Term(depth);
    }
    return s;
  }

 private:
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "literal" + string.
  static std::string Wrapped(const char* before, const std::string& inner, const char* after) {
    std::string s(before);
    s += inner;
    s += after;
    return s;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::string Term(int depth) {
    static const char* const kLeaves[] = {"z", "x",   "y", "i",  "pi", "2",     "0.5", "1,5", "3i",
                                          "0", "100", "t", "2z", "z2", "1.25i", "v",   "n",   ".5"};
    const int kind = depth <= 0 ? 0 : Pick(6);
    switch (kind) {
      case 0:
      case 1:
        return kLeaves[Pick(sizeof(kLeaves) / sizeof(kLeaves[0]))];
      case 2:
        return Wrapped("(", Expression(depth - 1), ")");
      case 3:
        return Wrapped("-", Term(depth - 1), "");
      default: {
        const auto table = FunctionTable();
        std::string name(table[Pick(static_cast<int>(table.size()))].name);
        if (Pick(2)) {
          for (char& c : name) c = static_cast<char>(c - 'A' + 'a');
        }
        return name + "(" + Expression(depth - 1) + ")";
      }
    }
  }

  std::mt19937 rng_;
};

// Random token strings, well-formed or not: missing operands, values left over, numbers that
// do not convert, unknown tokens, empty tokens.
std::string RandomPostfix(std::mt19937& rng) {
  static const std::vector<std::string> kTokens = [] {
    std::vector<std::string> t = {"ZZ", "XX", "YY",  "ZZ", "XX", "YY", "1",  "2.5", "0,5", "i",  "I",  "2i",
                                  "0",  "3",  "0.1", "+",  "-",  "*",  "/",  "^",   "(-)", "+",  "-",  "*",
                                  "/",  "^",  "TT",  "VV", "AA", "RR", "BB", "NN",  "",    "zz", "sin"};
    for (const FunctionInfo& f : FunctionTable()) t.emplace_back(f.name);
    return t;
  }();
  static const std::vector<std::string> kRare = {
      "2i3", "i2", ",", ".", "1.2.3", "ii", "99999999999999999999999999999999999999999"};
  std::uniform_int_distribution<int> length(0, 14);
  std::uniform_int_distribution<std::size_t> pick(0, kTokens.size() - 1);
  std::uniform_int_distribution<int> rare(0, 60);
  std::string s;
  const int n = length(rng);
  for (int i = 0; i < n; ++i) {
    s += rare(rng) == 0 ? kRare[rng() % kRare.size()] : kTokens[pick(rng)];
    s += ' ';
  }
  if (rare(rng) < 3) s += "ZZ";  // text after the last space
  return s;
}

std::vector<float> SpecialValues() {
  return {0.0f,       -0.0f,      1.0f,    -1.0f,
          2.0f,       -2.0f,      0.5f,    1e-20f,
          -1e-30f,    100.0f,     -100.0f, 30.0f,
          3.1415927f, 1.5707964f, 1e20f,   std::numeric_limits<float>::denorm_min()};
}

// Mostly ordinary points, with special ones mixed in.
void RandomPoints(std::mt19937& rng, std::size_t n, std::vector<float>& xs, std::vector<float>& ys) {
  static const std::vector<float> special = SpecialValues();
  std::uniform_real_distribution<float> ordinary(-3.0f, 3.0f);
  std::uniform_real_distribution<float> exponent(-12.0f, 12.0f);
  std::uniform_int_distribution<int> kind(0, 19);
  auto one = [&]() -> float {
    const int k = kind(rng);
    if (k == 0) return special[rng() % special.size()];
    if (k == 1) return (rng() % 2 ? 1.0f : -1.0f) * std::pow(10.0f, exponent(rng));
    return ordinary(rng);
  };
  xs.resize(n);
  ys.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    xs[i] = one();
    ys[i] = one();
  }
}

class ProgramDifferential : public ::testing::Test {
 protected:
  std::string Compile(const std::string& text) {
    std::string postfix;
    Cls6 expression;
    if (expression.InfixToPostfix(AddMultiplySigns(text), postfix) != 0) return "";
    return postfix;
  }

  void CheckPoints(const std::string& postfix, const std::vector<float>& xs, const std::vector<float>& ys) {
    const CompiledProgram program = Exact(postfix);
    for (std::size_t i = 0; i < xs.size(); ++i) {
      ASSERT_EQ(CompiledPath(program, xs[i], ys[i]), TextPath(postfix, xs[i], ys[i]))
          << "'" << postfix << "' at " << xs[i] << " + " << ys[i] << "i";
    }
  }

  RecordingSink sink_;
  ScopedMessageSink guard_{&sink_};
  std::mt19937 rng_{20240611};
};

TEST_F(ProgramDifferential, RandomFunctionTexts) {
  InfixGenerator generator(7);
  std::vector<float> xs, ys;
  int compiled = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string postfix = Compile(generator.Expression(3));
    if (postfix.empty()) continue;
    ++compiled;
    RandomPoints(rng_, 24, xs, ys);
    CheckPoints(postfix, xs, ys);
    if (i % 5 == 0) {
      RandomPoints(rng_, 700, xs, ys);
      ExpectBlockAgrees(postfix, xs, ys);
    }
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(compiled, 3500);
}

TEST_F(ProgramDifferential, RandomTokenStrings) {
  std::vector<float> xs, ys;
  for (int i = 0; i < 10000; ++i) {
    const std::string postfix = RandomPostfix(rng_);
    RandomPoints(rng_, 12, xs, ys);
    CheckPoints(postfix, xs, ys);
    if (i % 4 == 0) {
      RandomPoints(rng_, 300, xs, ys);
      ExpectBlockAgrees(postfix, xs, ys);
    }
    if (HasFatalFailure()) return;
  }
}

TEST_F(ProgramDifferential, EveryFunctionOverSpecialPoints) {
  std::vector<float> xs, ys;
  for (float a : SpecialValues()) {
    for (float b : SpecialValues()) {
      xs.push_back(a);
      ys.push_back(b);
    }
  }
  for (const FunctionInfo& f : FunctionTable()) {
    for (const std::string& postfix :
         {"ZZ " + std::string(f.name) + " ", "ZZ " + std::string(f.name) + " ZZ ^ ",
          "1 ZZ / " + std::string(f.name) + " "}) {
      CheckPoints(postfix, xs, ys);
      ExpectBlockAgrees(postfix, xs, ys);
    }
  }
}

TEST_F(ProgramDifferential, BlockStopsAtTheFirstFaultingPoint) {
  std::vector<float> xs(1000, 0.5f), ys(1000, 0.25f);
  xs[600] = 0.0f;
  ys[600] = 0.0f;
  xs[800] = 0.0f;
  ys[800] = 0.0f;
  const CompiledProgram program = Exact("1 ZZ / ");
  std::vector<float> u(1000, 9.0f), v(1000, 9.0f);
  const auto outcome = program.EvaluateBlock(xs.data(), ys.data(), 1000, u.data(), v.data());
  EXPECT_EQ(outcome.completed, 600u);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->Number(), err::kDivisionByZero);
  EXPECT_FLOAT_EQ(u[599], 1.6f);
  EXPECT_FLOAT_EQ(v[599], -0.8f);
  EXPECT_EQ(u[600], 9.0f);
  EXPECT_EQ(u[999], 9.0f);
  // Overflow of the final value is found in the block too.
  ExpectBlockAgrees("ZZ EXP ", {1, 2, 80, 90, 1}, {0, 0, 0, 0, 0});
  ExpectBlockAgrees("ZZ ", {1, std::numeric_limits<float>::infinity()}, {0, 0});
}

TEST_F(ProgramDifferential, ProgramsThatAlwaysStopOrYieldNothing) {
  const std::vector<float> xs = {1, 0, 2}, ys = {0, 0, 1};
  for (const std::string postfix : {"", "TT ", "TT 1 + ", "+ ", "1 0 / 2i3 ", "2i3 1 0 / ", "ZZ 1 ZZ / i2 ",
                                    "1 ZZ / (-) (-) 1 + SIN + ", "ZZ ZZ", "ZZ  "}) {
    CheckPoints(postfix, xs, ys);
    ExpectBlockAgrees(postfix, xs, ys);
  }
  EXPECT_FALSE(CompiledProgram::FromPostfix("").YieldsValue());
  EXPECT_FALSE(CompiledProgram::FromPostfix("ZZ i2 ").YieldsValue());
  EXPECT_TRUE(CompiledProgram::FromPostfix("ZZ ").YieldsValue());
  float u = 0, v = 0;
  const auto empty = CompiledProgram::FromPostfix("").EvaluateBlock(nullptr, nullptr, 0, &u, &v);
  EXPECT_TRUE(empty.noValue);
  const auto none = CompiledProgram::FromPostfix("ZZ ").EvaluateBlock(nullptr, nullptr, 0, &u, &v);
  EXPECT_EQ(none.completed, 0u);
  EXPECT_FALSE(none.error);
}

TEST_F(ProgramDifferential, ConstantsAreFoldedUnlessTheyFault) {
  EXPECT_EQ(CompiledProgram::FromPostfix("2 3 + 3.1415926 * (-) SIN ").InstructionCount(), 0u);
  EXPECT_EQ(CompiledProgram::FromPostfix("1 0 / ").InstructionCount(), 1u);
  EXPECT_EQ(CompiledProgram::FromPostfix("ZZ 1 + 2 3 * * ").InstructionCount(), 2u);
  CheckPoints("2 3 + 3.1415926 * (-) SIN ZZ * ", {1, 0}, {2, 0});
  CheckPoints("1 0 / ZZ + ", {1}, {2});
}

TEST_F(ProgramDifferential, ManySlotsAndHostileTexts) {
  // (z+1)*((z+1)*(...)) keeps every partial product on the stack: thousands of slots make the
  // blocks shorter.
  std::string nested;
  const int depth = 5000;
  for (int i = 0; i < depth; ++i) nested += "ZZ 1 + ";
  for (int i = 0; i < depth - 1; ++i) nested += "* ";
  const CompiledProgram program = Exact(nested);
  EXPECT_GE(program.SlotCount(), static_cast<std::size_t>(depth));
  std::vector<float> xs, ys;
  RandomPoints(rng_, 600, xs, ys);
  for (float& x : xs) x *= 0.0001f;
  for (float& y : ys) y *= 0.0001f;
  CheckPoints(nested, std::vector<float>(xs.begin(), xs.begin() + 5),
              std::vector<float>(ys.begin(), ys.begin() + 5));
  ExpectBlockAgrees(nested, xs, ys);

  std::string bytes;
  for (int i = 0; i < 256 * 16; ++i) bytes += static_cast<char>(i % 256);
  bytes += std::string("ZZ\0 ZZ ", 7);
  CheckPoints(bytes, {1}, {2});
  CheckPoints(std::string(1 << 20, '9') + " ", {1}, {2});
  std::string sum;
  for (int i = 0; i < 200000; ++i) sum += i == 0 ? "ZZ " : "ZZ + ";
  CheckPoints(sum, {1}, {-1});
  ExpectBlockAgrees(sum, {1, 2, 3}, {-1, 0, 1});
}

// Whole powers multiplied out: exact where the general power is not, within rounding of it
// elsewhere, and the same errors away from the end of the single range.
TEST_F(ProgramDifferential, WholePowersByMultiplication) {
  auto fast = [](const std::string& postfix, float x, float y) {
    const CompiledProgram program = CompiledProgram::FromPostfix(postfix);
    return Capture([&](float& u, float& v) { return program.Evaluate(x, y, u, v); });
  };
  auto value = [](const Outcome& o) {
    return std::complex<double>(std::bit_cast<float>(o.re), std::bit_cast<float>(o.im));
  };
  EXPECT_EQ(value(fast("ZZ 2 ^ ", -2, 0)), std::complex<double>(4, 0));
  EXPECT_EQ(value(fast("i 2 ^ ", 0, 0)), std::complex<double>(-1, 0));
  EXPECT_EQ(value(fast("ZZ 3 ^ ", 2, 0)), std::complex<double>(8, 0));
  EXPECT_EQ(value(fast("ZZ 3 ^ ", 0, 0)), std::complex<double>(0, 0));
  EXPECT_EQ(value(fast("ZZ 1 ^ ", 0.3f, -0.7f)), std::complex<double>(0.3f, -0.7f));
  EXPECT_EQ(value(fast("ZZ 2 ^ ", 1, 1)), std::complex<double>(0, 2));
  EXPECT_EQ(CompiledProgram::FromPostfix("ZZ 2 ^ ").InstructionCount(), 1u);

  // Other exponents take the general power, bit for bit.
  for (const std::string postfix :
       {"ZZ 2.5 ^ ", "ZZ 33 ^ ", "ZZ 0 ^ ", "ZZ 2i ^ ", "ZZ ZZ ^ ", "ZZ 2 (-) ^ "}) {
    for (float x : {0.0f, -1.5f, 2.0f}) {
      EXPECT_EQ(fast(postfix, x, 0.5f), TextPath(postfix, x, 0.5f)) << postfix;
      EXPECT_EQ(fast(postfix, 0.0f, 0.0f), TextPath(postfix, 0.0f, 0.0f)) << postfix;
    }
  }

  std::vector<float> xs, ys;
  RandomPoints(rng_, 3000, xs, ys);
  for (int n = 1; n <= kMaxMultipliedExponent; ++n) {
    const std::string postfix = "ZZ " + std::to_string(n) + " ^ ";
    for (std::size_t i = 0; i < xs.size(); i += 7) {
      const Outcome f = fast(postfix, xs[i], ys[i]);
      const Outcome g = TextPath(postfix, xs[i], ys[i]);
      if (f.error != g.error) {
        // Only at the end of the single range may one overflow and the other not.
        const Outcome& ok = f.error ? g : f;
        ASSERT_EQ((f.error ? f : g).error, err::kOverflow) << postfix << " at " << xs[i] << " " << ys[i];
        EXPECT_GT(std::abs(value(ok)), 1e36) << postfix << " at " << xs[i] << " " << ys[i];
        continue;
      }
      if (f.error) continue;
      const std::complex<float> z(xs[i], ys[i]);
      const double w = std::abs(value(g));
      const double logScale = std::max(1.0, std::abs(std::log(std::abs(std::complex<double>(z)))) + 6.3);
      EXPECT_LE(std::abs(value(f) - value(g)), 1e-6 * n * logScale * w + 1e-37)
          << postfix << " at " << xs[i] << " " << ys[i];
    }
  }
}

TEST_F(ProgramDifferential, BlocksAgreeWithPointsWhenPowersAreMultipliedOut) {
  InfixGenerator generator(11);
  std::vector<float> xs, ys;
  for (int i = 0; i < 600; ++i) {
    const std::string postfix = Compile(generator.Expression(3));
    const CompiledProgram program = CompiledProgram::FromPostfix(postfix);
    RandomPoints(rng_, 300, xs, ys);
    std::vector<float> u(xs.size()), v(xs.size());
    const auto block = program.EvaluateBlock(xs.data(), ys.data(), xs.size(), u.data(), v.data());
    for (std::size_t j = 0; j < xs.size(); ++j) {
      const Outcome point = CompiledPath(program, xs[j], ys[j]);
      if (j == block.completed) {
        if (block.noValue) {
          EXPECT_FALSE(point.value);
        } else {
          ASSERT_TRUE(block.error) << postfix;
          EXPECT_EQ(point.error, block.error->Number()) << postfix;
        }
        break;
      }
      ASSERT_EQ(point.error, 0) << postfix;
      ASSERT_EQ(point.re, std::bit_cast<uint32_t>(u[j])) << postfix;
      ASSERT_EQ(point.im, std::bit_cast<uint32_t>(v[j])) << postfix;
    }
  }
}

}  // namespace
}  // namespace quillon

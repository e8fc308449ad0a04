// The vectorised block kernels against the point path, on every instruction set the processor
// has: on points where nothing faults a block must give the point values bit for bit, for
// every block length (the lane padding at a block's end included), and a fault must stop the
// block exactly where the point path raises.

#include "expr/block_kernels.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/message_sink.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace quillon {
namespace {

using program_detail::VectorIsa;

// Each vectorised operation, with inputs, constants and computed values on either side.
const char* const kTexts[] = {
    "z^2+1",
    "sin(z)/z+z^3",
    "exp(1/(z+3))",
    "(z-1)*(z+1)/((z-i)*(z+i))",
    "x+y",
    "y-x",
    "x*y",
    "y/(x+4)",
    "2.5-z",
    "(0.5+i)*z",
    "i/(z+5)",
    "-z*(-x)",
    "-(z+i)",
    "z^1",
    "(z+0.25)^1",
    "z^5-z^4",
    "(z/3)^17",
    "(z/2)^32",
    "(z/3)^31-z^24",
    "cos(z)",
    "cos(z*i)-sin(x)",
    "sin(2)*z",
    "exp(z)*exp(-z)",
    "exp(i)+z",
    "exp(cos(sin(z)))",
    "sin(z)^2+cos(z)^2",
    "1/(z^2+9)",
    "z*z*z*z/(z*z+x*x+7)",
    "-x-y",
};

std::string Postfix(const std::string& text) {
  RecordingSink sink;
  ScopedMessageSink guard(&sink);
  Cls6 expression;
  std::string postfix;
  EXPECT_EQ(expression.InfixToPostfix(AddMultiplySigns(text), postfix), 0) << text;
  return postfix;
}

std::vector<VectorIsa> SupportedIsas() {
  std::vector<VectorIsa> isas;
  for (VectorIsa isa : {VectorIsa::kSse2, VectorIsa::kAvx2, VectorIsa::kAvx512}) {
    if (static_cast<int>(isa) <= static_cast<int>(program_detail::BestVectorIsa())) isas.push_back(isa);
  }
  return isas;
}

class BlockKernels : public ::testing::TestWithParam<VectorIsa> {
 protected:
  void SetUp() override { ASSERT_TRUE(program_detail::UseVectorIsa(GetParam())); }
  void TearDown() override { program_detail::UseVectorIsa(program_detail::BestVectorIsa()); }

  // EvaluateBlock over (xs, ys) must equal Evaluate at every point up to where the point path
  // first raises, and stop there with the same error.
  static void ExpectAgrees(const std::string& text, const CompiledProgram& program,
                           const std::vector<float>& xs, const std::vector<float>& ys) {
    const std::size_t n = xs.size();
    const float sentinel = -7.75f;
    std::vector<float> u(n, sentinel), v(n, sentinel);
    const auto block = program.EvaluateBlock(xs.data(), ys.data(), n, u.data(), v.data());
    ASSERT_FALSE(block.noValue) << text;
    for (std::size_t i = 0; i < n; ++i) {
      float pu = 0.0f, pv = 0.0f;
      try {
        ASSERT_TRUE(program.Evaluate(xs[i], ys[i], pu, pv)) << text;
      } catch (const RuntimeError& e) {
        ASSERT_EQ(block.completed, i) << text << " at " << xs[i] << " + " << ys[i] << "i";
        ASSERT_TRUE(block.error) << text;
        EXPECT_EQ(block.error->Number(), e.Number()) << text;
        for (std::size_t j = i + 1; j < n; ++j)
          ASSERT_EQ(u[j], sentinel) << text << ": written after the stop";
        return;
      }
      ASSERT_EQ(std::bit_cast<uint32_t>(u[i]), std::bit_cast<uint32_t>(pu))
          << text << " at " << xs[i] << " + " << ys[i] << "i (point " << i << " of " << n << ")";
      ASSERT_EQ(std::bit_cast<uint32_t>(v[i]), std::bit_cast<uint32_t>(pv))
          << text << " at " << xs[i] << " + " << ys[i] << "i (point " << i << " of " << n << ")";
    }
    EXPECT_EQ(block.completed, n) << text;
    EXPECT_FALSE(block.error) << text;
  }
};

TEST_P(BlockKernels, AgreeWithPointsOnOrdinaryPointsForEveryLength) {
  std::mt19937 rng(77);
  std::uniform_real_distribution<float> coordinate(-2.5f, 2.5f);
  for (const char* text : kTexts) {
    const CompiledProgram program = CompiledProgram::FromPostfix(Postfix(text));
    for (std::size_t n : {1u, 3u, 7u, 8u, 9u, 31u, 255u, 256u, 257u, 700u}) {
      std::vector<float> xs(n), ys(n);
      for (std::size_t i = 0; i < n; ++i) {
        xs[i] = coordinate(rng);
        ys[i] = coordinate(rng);
      }
      ExpectAgrees(text, program, xs, ys);
    }
  }
}

TEST_P(BlockKernels, AgreeWithPointsOnAGridOfWideRange) {
  // Large and tiny magnitudes: products near the single range, roundings of subnormals; zeros
  // of both signs in a row of equal x.
  std::vector<float> axis = {0.0f, -0.0f, 0.0f};
  for (float m = 1e-30f; m < 1e30f; m *= 37.0f) {
    axis.push_back(m);
    axis.push_back(-m * 1.5f);
  }
  for (const char* text : kTexts) {
    const CompiledProgram program = CompiledProgram::FromPostfix(Postfix(text));
    for (float x : axis) {
      std::vector<float> xs(axis.size(), x);
      ExpectAgrees(text, program, xs, axis);
    }
  }
}

TEST_P(BlockKernels, ZerosOfEitherSignNextToEachOther) {
  // sin(+0) and sin(-0) differ in sign: a value reused from the point before must be the same
  // bits, not merely equal.
  const float pattern[] = {0.0f, -0.0f, -0.0f, 0.0f, 1.0f, 1.0f, -0.0f, 0.0f, 0.0f};
  std::vector<float> xs, ys;
  for (int r = 0; r < 5; ++r) {
    for (std::size_t i = 0; i < std::size(pattern); ++i) {
      xs.push_back(pattern[i]);
      ys.push_back(pattern[(i + r) % std::size(pattern)]);
    }
  }
  for (const char* text : kTexts) {
    if (std::string(text).find('/') != std::string::npos) continue;  // poles at zero
    ExpectAgrees(text, CompiledProgram::FromPostfix(Postfix(text)), xs, ys);
  }
  for (const char* text : {"sin(z)", "cos(z)", "exp(z)", "sin(-z)", "exp(z*i)"})
    ExpectAgrees(text, CompiledProgram::FromPostfix(Postfix(text)), xs, ys);
}

TEST_P(BlockKernels, AFaultStopsTheBlockWhereThePointRaises) {
  // Division by zero at z = -3, overflow of a product far out, both within a block and on its
  // last point (where the padding repeats the faulting point).
  const CompiledProgram quotient = CompiledProgram::FromPostfix(Postfix("1/(z+3)"));
  const CompiledProgram power = CompiledProgram::FromPostfix(Postfix("z^9"));
  const CompiledProgram sine = CompiledProgram::FromPostfix(Postfix("sin(z)"));
  // e^90 fits a double but not a single: only the final store finds it.
  const CompiledProgram exponential = CompiledProgram::FromPostfix(Postfix("exp(z)+1"));
  // At x = 400 both factors are finite doubles but their product is not: the last operation
  // leaves that to the final store, which must still stop there.
  const char* const kLastOverflows = "(exp(z)/10^100)*(exp(z)*10^100)";
  const CompiledProgram product = CompiledProgram::FromPostfix(Postfix(kLastOverflows));
  for (std::size_t n : {1u, 5u, 8u, 12u, 300u}) {
    for (std::size_t at : {std::size_t{0}, n / 2, n - 1}) {
      std::vector<float> xs(n, 0.5f), ys(n, 0.25f);
      xs[at] = -3.0f;
      ys[at] = 0.0f;
      ExpectAgrees("1/(z+3)", quotient, xs, ys);
      xs[at] = 3e5f;
      ExpectAgrees("z^9", power, xs, ys);
      xs[at] = 0.0f;
      ys[at] = 800.0f;  // e^800 is past the double range
      ExpectAgrees("sin(z)", sine, xs, ys);
      xs[at] = 90.0f;
      ys[at] = 0.0f;
      ExpectAgrees("exp(z)+1", exponential, xs, ys);
      xs[at] = 400.0f;
      ExpectAgrees(kLastOverflows, product, xs, ys);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EverySet, BlockKernels, ::testing::ValuesIn(SupportedIsas()),
                         [](const ::testing::TestParamInfo<VectorIsa>& info) {
                           switch (info.param) {
                             case VectorIsa::kSse2:
                               return std::string("Sse2");
                             case VectorIsa::kAvx2:
                               return std::string("Avx2");
                             case VectorIsa::kAvx512:
                               return std::string("Avx512");
                           }
                           return std::string("Unknown");
                         });

}  // namespace
}  // namespace quillon

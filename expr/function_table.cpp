#include "expr/function_table.h"

#include <array>

namespace quillon {
namespace {

// Branches: log is the arithmetic's logarithm, whose argument lies in [0, 2π) except in the
// third quadrant, where it lies in (-π, -π/2); √ is exp(½ log), so it inherits that choice.
constexpr std::array<FunctionInfo, kFunctionCount> kTable = {{
    {FunctionId::kSin, "SIN", "sin x cosh y + i cos x sinh y", "entire"},
    {FunctionId::kCos, "COS", "cos x cosh y - i sin x sinh y", "entire"},
    {FunctionId::kLog, "LOG", "ln|z| + i arg z",
     "arg z in [0, 2π), but in (-π, -π/2) in the third quadrant; log 0 = 0"},
    {FunctionId::kExp, "EXP", "e^x (cos y + i sin y)", "entire; overflows when e^x leaves the single range"},
    {FunctionId::kAbs, "ABS", "√(x² + y²) + 0i", "real result"},
    {FunctionId::kAtan, "ATAN", "(i/2) log((i + z) / (i - z))",
     "branch of log; division by zero at z = i and z = -i"},
    {FunctionId::kRnd, "RND", "a number in [0, 1) + 0i drawn from the bits of z",
     "the same z always gives the same number"},
    {FunctionId::kSqr, "SQR", "e^(½ log z)",
     "branch of log: Im ≥ 0 except in the third quadrant, where Re > 0 and Im < 0; √0 = 0"},
    {FunctionId::kTan, "TAN", "(sin x cos x + i sinh y cosh y) / (cos² x + sinh² y)",
     "poles at π/2 + kπ, never hit exactly"},
    {FunctionId::kSec, "SEC", "(cos x cosh y + i sin x sinh y) / (cos² x + sinh² y)",
     "poles at π/2 + kπ, never hit exactly"},
    {FunctionId::kCsec, "CSEC", "(sin x cosh y - i cos x sinh y) / (sin² x + sinh² y)",
     "division by zero at z = 0"},
    {FunctionId::kCtan, "CTAN", "(sin x cos x - i sinh y cosh y) / (sin² x + sinh² y)",
     "division by zero at z = 0"},
    {FunctionId::kAsin, "ASIN", "-i log(iz + √(1 - z²))", "branches of √ and log"},
    {FunctionId::kAcos, "ACOS", "-i log(z + i √(1 - z²))", "branches of √ and log"},
    {FunctionId::kAsec, "ASEC", "acos(1 / z)", "as ACOS; division by zero at z = 0"},
    {FunctionId::kAcsec, "ACSEC", "asin(1 / z)", "as ASIN; division by zero at z = 0"},
    {FunctionId::kActan, "ACTAN", "(i/2) log((z - i) / (z + i))",
     "branch of log; division by zero at z = i and z = -i"},
    {FunctionId::kSinh, "SINH", "sinh x cos y + i cosh x sin y", "entire"},
    {FunctionId::kCosh, "COSH", "cosh x cos y + i sinh x sin y", "entire"},
    {FunctionId::kTanh, "TANH", "(sinh x cosh x + i sin y cos y) / (sinh² x + cos² y)",
     "poles at i(π/2 + kπ), never hit exactly"},
    {FunctionId::kCtanh, "CTANH", "(sinh x cosh x - i sin y cos y) / (sinh² x + sin² y)",
     "division by zero at z = 0"},
    {FunctionId::kSech, "SECH", "(cosh x cos y - i sinh x sin y) / (sinh² x + cos² y)",
     "poles at i(π/2 + kπ), never hit exactly"},
    {FunctionId::kCsech, "CSECH", "(sinh x cos y - i cosh x sin y) / (sinh² x + sin² y)",
     "division by zero at z = 0"},
    {FunctionId::kAsinh, "ASINH", "log(z + √(z² + 1))", "branches of √ and log"},
    {FunctionId::kAcosh, "ACOSH", "log(z + √(z² - 1))", "branches of √ and log"},
    {FunctionId::kAtanh, "ATANH", "½ log((1 + z) / (1 - z))",
     "branch of log; division by zero at z = 1 and z = -1"},
    {FunctionId::kAsech, "ASECH", "acosh(1 / z)", "as ACOSH; division by zero at z = 0"},
    {FunctionId::kAcsech, "ACSECH", "asinh(1 / z)", "as ASINH; division by zero at z = 0"},
    {FunctionId::kActanh, "ACTANH", "½ log((z + 1) / (z - 1))",
     "branch of log; division by zero at z = 1 and z = -1"},
}};

constexpr bool InIdOrder() {
  for (int i = 0; i < kFunctionCount; ++i) {
    if (static_cast<int>(kTable[i].id) != i) return false;
  }
  return true;
}
static_assert(InIdOrder(), "the table is indexed by FunctionId");

}  // namespace

std::span<const FunctionInfo> FunctionTable() {
  return kTable;
}

const FunctionInfo* FindFunction(std::string_view token) {
  for (const FunctionInfo& info : kTable) {
    if (info.name == token) return &info;
  }
  return nullptr;
}

Complex ApplyFunction(FunctionId f, double a, double b) {
  ThrowingChecks p;
  return cmath::Apply(p, f, Complex{a, b});
}

}  // namespace quillon

#include "expr/complex_math.h"

namespace quillon {
// The policy has no state; one instance serves every call.
static constexpr ThrowingChecks checks{};

Complex CAdd(double a, double b, double c, double d) {
  return cmath::Add(checks, a, b, c, d);
}
Complex CMul(double a, double b, double c, double d) {
  return cmath::Multiply(checks, a, b, c, d);
}
Complex CDiv(double a, double b, double c, double d) {
  return cmath::Divide(checks, a, b, c, d);
}
Complex CExp(double a, double b) {
  return cmath::Exp(checks, a, b);
}
double CAbs(double a, double b) {
  return cmath::Abs(checks, a, b);
}
Complex CLog(double a, double b) {
  return cmath::Log(checks, a, b);
}
Complex CPow(double a, double b, double c, double d) {
  return cmath::Power(checks, a, b, c, d);
}
Complex CSqrt(double a, double b) {
  return cmath::Sqrt(checks, a, b);
}
Complex CSin(double a, double b) {
  return cmath::Sin(checks, a, b);
}
Complex CCos(double a, double b) {
  return cmath::Cos(checks, a, b);
}
Complex CTan(double a, double b) {
  return cmath::Tan(checks, a, b);
}
Complex CCtan(double a, double b) {
  return cmath::Ctan(checks, a, b);
}

}  // namespace quillon

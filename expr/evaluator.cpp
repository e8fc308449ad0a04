// The evaluating half of Cls6: reads a postfix token string at one point and computes its
// complex value on a value stack. This is the straightforward reference path; the sampler
// uses the CompiledProgram, which must agree with it bit for bit.

#include <string>
#include <string_view>
#include <variant>

#include "common/single.h"
#include "expr/complex_math.h"
#include "expr/expression.h"
#include "expr/function_table.h"
#include "expr/number_text.h"
#include "expr/value_stack.h"

namespace quillon {
namespace {

// The stack holds a complex value as two entries, imaginary part below, real part on top.
void PushComplex(Cls13& stack, Complex z) {
  stack.Push(z.im);
  stack.Push(z.re);
}

Complex PopComplex(Cls13& stack) {
  Complex z;
  z.re = std::get<double>(stack.Pop());
  z.im = std::get<double>(stack.Pop());
  return z;
}

void Binary(Cls13& stack, char op) {
  const Complex b = PopComplex(stack);
  const Complex a = PopComplex(stack);
  switch (op) {
    case '+':
      PushComplex(stack, CAdd(a.re, a.im, b.re, b.im));
      break;
    case '-': {
      ThrowingChecks p;
      PushComplex(stack, cmath::Subtract(p, a.re, a.im, b.re, b.im));
      break;
    }
    case '*':
      PushComplex(stack, CMul(a.re, a.im, b.re, b.im));
      break;
    case '/':
      PushComplex(stack, CDiv(a.re, a.im, b.re, b.im));
      break;
    default:
      PushComplex(stack, CPow(a.re, a.im, b.re, b.im));
      break;
  }
}

// Acts on one token; tokens the evaluator does not know leave the stack unchanged.
void ActOn(Cls13& stack, std::string_view token, float x, float y) {
  if (IsNumberToken(token)) {
    PushComplex(stack, NumberTokenValue(token));
    return;
  }
  if (token.size() == 1) {
    const char c = token[0];
    if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') Binary(stack, c);
    return;
  }
  if (token == "XX") {
    PushComplex(stack, {x, 0.0});
  } else if (token == "YY") {
    PushComplex(stack, {0.0, y});
  } else if (token == "ZZ") {
    PushComplex(stack, {x, y});
  } else if (token == "(-)") {
    const Complex a = PopComplex(stack);
    PushComplex(stack, cmath::Negate(a.re, a.im));
  } else if (const FunctionInfo* f = FindFunction(token)) {
    const Complex a = PopComplex(stack);
    PushComplex(stack, ApplyFunction(f->id, a.re, a.im));
  }
  // "TT", "VV", "AA", "RR", "BB", "NN" and anything else: nothing.
}

}  // namespace

bool Cls6::DoEvaluate(const std::string& sExpression, float& sngResult, float& sngResult2, float sngX,
                      float sngY, bool /*bolUnused*/) {
  Cls13 stack;
  const std::string_view text(sExpression);
  std::size_t start = 0;
  for (std::size_t space = text.find(' '); space != std::string_view::npos; space = text.find(' ', start)) {
    ActOn(stack, text.substr(start, space - start), sngX, sngY);
    start = space + 1;
  }
  if (stack.StackSize() == 0) return false;
  const float re = ToSingle(std::get<double>(stack.Pop()));
  const float im = ToSingle(std::get<double>(stack.Pop()));
  sngResult = re;
  sngResult2 = im;
  return true;
}

}  // namespace quillon

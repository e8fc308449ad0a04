#include "document/record_reader.h"

#include <string>

#include "common/leading_number.h"
#include "common/program_state.h"
#include "document/field_rules.h"
#include "graph/codes.h"

namespace quillon {
namespace {

// The letter of an accepted axis code goes to a title: VarX names the user's Y axis, VarY
// the Z axis and VarZ the X axis.
void SetTitleLetter(std::string& title, int32_t code) {
  title = std::string(quantity::kLetters[static_cast<size_t>(code - 1)]);
}

}  // namespace

RecordRead ReadGraphRecord(const TokenList& t, size_t p, RecordRules rules) {
  const std::optional<int32_t> type = RecordTypeToken(t[p]);
  if (!type) return {nullptr, p};
  const bool document = rules == RecordRules::kDocument;

  auto g = std::make_shared<Cls9>();
  g->GraphType = *type;
  g->ID = IntegerToken(t[p + 1]);

  size_t q;
  DelimitedRead name = ReadDelimitedText(t, p + 2);
  if (name.text) {
    g->NameS = std::move(*name.text);
    q = name.next;
  } else if (!document && (t[p + 2].empty() || t[p + 2].front() != '@')) {
    g->NameS = std::string(t[p + 2]);
    q = p + 3;
  } else {
    q = name.next;
  }

  g->CoordType = IntegerToken(t[q]);
  g->ExpressX = std::string(t[q + 1]);
  g->ExpressY = std::string(t[q + 2]);
  g->ExpressZ = std::string(t[q + 3]);
  g->StepU = IntegerToken(t[q + 4]);
  g->StepV = IntegerToken(t[q + 5]);
  g->MinU = RealToken(t[q + 6]);
  g->MaxU = RealToken(t[q + 7]);
  g->MinV = RealToken(t[q + 8]);
  g->MaxV = RealToken(t[q + 9]);
  g->FillStyle = IntegerToken(t[q + 10]);
  g->FirstColor = IntegerToken(t[q + 11]);
  g->SecondColor = IntegerToken(t[q + 12]);
  g->LineColor = IntegerToken(t[q + 13]);
  g->LineWidth = IntegerToken(t[q + 14]);
  g->Material = IntegerToken(t[q + 15]);
  g->Show = IntegerToken(t[q + 16]);
  g->Smoothness = IntegerToken(t[q + 17]);
  g->PointColor = IntegerToken(t[q + 18]);

  const std::string_view size = t[q + 19];
  if (!document) {
    g->PointSize = RealToken(size);
  } else if (size.size() == 1 && size[0] >= '1' && size[0] <= '9') {
    g->PointSize = static_cast<float>(size[0] - '0');
  }
  g->PointHollow = document ? BooleanToken(t[q + 20]) : LeadingNumber(t[q + 20]) != 0.0;
  g->Animation = BooleanToken(t[q + 21]);

  size_t r = q + 22;
  if (g->Animation) {
    g->MinT = RealToken(t[q + 22]);
    g->MaxT = RealToken(t[q + 23]);
    if (document) {
      State().FrameCount = IntegerToken(t[q + 24]);
      State().AnimationSpeed = IntegerToken(t[q + 25]);
    }
    r = q + 26;
  }

  g->FunForm = IntegerToken(t[r]);
  int32_t* const codes[] = {&g->VarX, &g->VarY, &g->VarZ, &g->ColorR, &g->ColorG, &g->ColorB};
  std::string* const letters[] = {&State().TitleLetterY, &State().TitleLetterZ, &State().TitleLetterX};
  for (size_t i = 0; i < 6; ++i) {
    const std::optional<int32_t> code = AxisCodeToken(t[r + 1 + i]);
    if (!code) continue;
    *codes[i] = *code;
    if (document && i < 3) SetTitleLetter(*letters[i], *code);
  }
  return {std::move(g), r + 7};
}

}  // namespace quillon

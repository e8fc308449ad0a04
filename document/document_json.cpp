#include "document/document_json.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "common/program_state.h"
#include "document/extension_fields.h"
#include "graph/record_text.h"

namespace quillon {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], 0 when there is none.
size_t Utf8Length(const std::string& s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  size_t n = 0;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2;
  else if (c >= 0xE0 && c <= 0xEF)
    n = 3;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 4;
  else
    return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  return n;
}

// Writes `"key": value` pairs separated by commas.
class ObjectWriter {
 public:
  ObjectWriter(std::string& out, const std::string& indent) : out_(out), indent_(indent) { out_ += "{"; }
  void Raw(const char* key, const std::string& value) {
    out_ += first_ ? "\n" : ",\n";
    first_ = false;
    out_ += indent_ + "  " + JsonString(key) + ": " + value;
  }
  void Int(const char* key, int32_t value) { Raw(key, std::to_string(value)); }
  void Real(const char* key, float value) { Raw(key, RealText(value)); }
  void Bool(const char* key, bool value) { Raw(key, value ? "true" : "false"); }
  void Text(const char* key, const std::string& value) { Raw(key, JsonString(value)); }
  void End() { out_ += first_ ? "}" : "\n" + indent_ + "}"; }

 private:
  std::string& out_;
  std::string indent_;
  bool first_ = true;
};

// Every setting, start values included, on one line.
std::string SettingsText(const QJsonObject& settings) {
  return QJsonDocument(settings).toJson(QJsonDocument::Compact).toStdString();
}

std::string GraphJson(const Cls9& g, bool checked, const std::string& indent) {
  std::string out;
  ObjectWriter o(out, indent);
  o.Int("GraphType", g.GraphType);
  o.Int("ID", g.ID);
  o.Text("NameS", g.NameS);
  o.Int("CoordType", g.CoordType);
  o.Text("ExpressX", g.ExpressX);
  o.Text("ExpressY", g.ExpressY);
  o.Text("ExpressZ", g.ExpressZ);
  o.Int("StepU", g.StepU);
  o.Int("StepV", g.StepV);
  o.Real("MinU", g.MinU);
  o.Real("MaxU", g.MaxU);
  o.Real("MinV", g.MinV);
  o.Real("MaxV", g.MaxV);
  o.Int("FillStyle", g.FillStyle);
  o.Int("FirstColor", g.FirstColor);
  o.Int("SecondColor", g.SecondColor);
  o.Int("LineColor", g.LineColor);
  o.Int("LineWidth", g.LineWidth);
  o.Int("Material", g.Material);
  o.Int("Show", g.Show);
  o.Int("Smoothness", g.Smoothness);
  o.Int("PointColor", g.PointColor);
  o.Real("PointSize", g.PointSize);
  o.Bool("PointHollow", g.PointHollow);
  o.Bool("Animation", g.Animation);
  o.Real("MinT", g.MinT);
  o.Real("MaxT", g.MaxT);
  o.Int("FunForm", g.FunForm);
  o.Int("VarX", g.VarX);
  o.Int("VarY", g.VarY);
  o.Int("VarZ", g.VarZ);
  o.Int("ColorR", g.ColorR);
  o.Int("ColorG", g.ColorG);
  o.Int("ColorB", g.ColorB);
  o.Bool("checked", checked);
  o.Raw("settings", SettingsText(GraphSettingsJson(g.Extras, false)));
  o.End();
  return out;
}

std::string AxesJson(const Cls3& a, const std::string& indent) {
  std::string out;
  ObjectWriter o(out, indent);
  o.Bool("Show", a.Show);
  o.Bool("ShowXYPanel", a.ShowXYPanel);
  o.Bool("ShowXZPanel", a.ShowXZPanel);
  o.Bool("ShowYZPanel", a.ShowYZPanel);
  o.Bool("ShowXYXGrid", a.ShowXYXGrid);
  o.Bool("ShowXYYGrid", a.ShowXYYGrid);
  o.Bool("ShowXZXGrid", a.ShowXZXGrid);
  o.Bool("ShowXZZGrid", a.ShowXZZGrid);
  o.Bool("ShowYZYGrid", a.ShowYZYGrid);
  o.Bool("ShowYZZGrid", a.ShowYZZGrid);
  o.Bool("BetterFonts", a.BetterFonts);
  o.Int("LabelNumX", a.LabelNumX);
  o.Int("LabelNumY", a.LabelNumY);
  o.Int("LabelNumZ", a.LabelNumZ);
  o.Int("XYPanelColor", a.XYPanelColor);
  o.Int("XZPanelColor", a.XZPanelColor);
  o.Int("YZPanelColor", a.YZPanelColor);
  o.Int("XYGridColor", a.XYGridColor);
  o.Int("XZGridColor", a.XZGridColor);
  o.Int("YZGridColor", a.YZGridColor);
  o.Int("XYPanelMaterial", a.XYPanelMaterial);
  o.Int("XZPanelMaterial", a.XZPanelMaterial);
  o.Int("YZPanelMaterial", a.YZPanelMaterial);
  o.Int("AxisColor", a.AxisColor);
  o.Int("AxisWidth", a.AxisWidth);
  o.Text("TitleX", a.TitleX);
  o.Text("TitleY", a.TitleY);
  o.Text("TitleZ", a.TitleZ);
  o.Bool("ShowprimaryGrid", a.ShowprimaryGrid);
  o.Bool("ShowSecondaryGrid", a.ShowSecondaryGrid);
  o.Bool("ShowBackground", a.ShowBackground);
  o.Int("BackStyle", a.BackStyle);
  o.Int("BackColor", a.BackColor);
  o.Int("BackColor2", a.BackColor2);
  o.Int("PriGridColor", a.PriGridColor);
  o.Int("SecGridColor", a.SecGridColor);
  o.Bool("ShowSecondaryLabel", a.ShowSecondaryLabel);
  o.Bool("ShowPI", a.ShowPI);
  o.Bool("ShowShadow", a.ShowShadow);
  o.End();
  return out;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (const size_t n = Utf8Length(text, i)) {
      out.append(text, i, n);
      i += n - 1;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out += '"';
  return out;
}

std::string DocumentJson(const SceneDocument& document) {
  const ProgramState& s = State();
  std::string out;
  ObjectWriter o(out, "");
  o.Int("SceneKind", s.SceneKind);
  o.Int("LastGraphID", s.LastGraphID);
  o.Int("FrameCount", s.FrameCount);
  o.Int("AnimationSpeed", s.AnimationSpeed);
  o.Text("TitleLetterX", s.TitleLetterX);
  o.Text("TitleLetterY", s.TitleLetterY);
  o.Text("TitleLetterZ", s.TitleLetterZ);
  std::string graphs = "[";
  const auto& entries = document.ListScene.FunSurfs();
  for (size_t i = 0; i < entries.size(); ++i) {
    graphs += i ? ",\n    " : "\n    ";
    const bool checked = i < document.Items().size() && document.Items()[i].checked;
    graphs += GraphJson(*entries[i].graph, checked, "    ");
  }
  graphs += entries.empty() ? "]" : "\n  ]";
  o.Raw("graphs", graphs);
  o.Raw("axes", AxesJson(document.Axes, "  "));
  o.Raw("scene", SettingsText(SceneSettingsJson(document.Extras, false)));
  o.End();
  out += '\n';
  return out;
}

}  // namespace quillon

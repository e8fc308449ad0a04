// Build-time tool: writes the help page from its template, filling the function table from
// the expression engine's own table so that the page lists exactly the functions the
// program knows.
//   quillon_help_generator TEMPLATE OUTPUT

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "expr/function_table.h"

namespace {

constexpr std::string_view kMarker = "<!-- FUNCTION_TABLE -->";

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string FunctionTableHtml() {
  std::ostringstream html;
  html << "<table id=\"function-table\">\n<tr><th>name</th><th>value</th><th>branch and failures</th></tr>\n";
  for (const quillon::FunctionInfo& info : quillon::FunctionTable()) {
    html << "<tr><td><code>" << Escape(Lower(info.name)) << "</code></td><td>" << Escape(info.formula)
         << "</td><td>" << Escape(info.branch) << "</td></tr>\n";
  }
  html << "</table>";
  return html.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[0] << ": cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string page = text.str();
  const size_t at = page.find(kMarker);
  if (at == std::string::npos) {
    std::cerr << argv[0] << ": " << argv[1] << " has no " << kMarker << "\n";
    return 1;
  }
  page.replace(at, kMarker.size(), FunctionTableHtml());

  const std::string temporary = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << page;
    if (!out.flush()) {
      std::cerr << argv[0] << ": cannot write " << temporary << "\n";
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[2]) != 0) {
    std::cerr << argv[0] << ": cannot replace " << argv[2] << "\n";
    return 1;
  }
  return 0;
}

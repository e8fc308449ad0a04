// quillon-cli as its users meet it: the real program started with a command line, its exit
// status, what it prints and the files it writes. One line of the table per case.
//
// In arguments and patterns, {src} is the source tree, {tmp} a fresh folder the command runs
// in and {version} the project's version. `out` and `err` are searched in standard output and
// standard error (nullptr: not checked; kNothing: must be empty). `file` names a file the
// command writes; `fileIs` is searched in its description: "image WxH, N colours" for a
// picture, its bytes otherwise, or, written "=PATH", the file must equal PATH byte for byte.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <string>
#include <vector>
#if QUILLON_CLI_RENDERS
#include <QImage>
#endif

namespace {

constexpr const char* kNothing = R"(\A\z)";
constexpr const char* kUsage = R"(\AUsage: quillon-cli COMMAND \[OPTIONS\] \[ARGS\]\n\nCommands:\n  eval  )";

struct CliCase {
  const char* name;
  std::vector<std::string> args;
  int exit;
  const char* out;
  const char* err;
  const char* file = nullptr;
  const char* fileIs = nullptr;
};

const CliCase kCases[] = {
    // clang-format off
    {"no_command", {}, 1, kNothing, kUsage},
    {"help", {"help"}, 0, R"(\n  version +print the program's version\n\nRun 'quillon-cli COMMAND --help')", kNothing},
    {"help_option", {"--help"}, 0, kUsage, kNothing},
    {"unknown_command", {"frobnicate"}, 1, kNothing, R"(\Aquillon-cli: unknown command 'frobnicate'\n\nUsage:)"},
    {"version", {"version"}, 0, R"(\AQuillon {version}\n\z)", kNothing},

    {"postfix", {"postfix", "z^2+1"}, 0, R"(\AZZ 2 \^ 1 \+ \n\z)", kNothing},
    {"postfix_leading_minus", {"postfix", "--", "-z"}, 0, R"(\AZZ \(-\) \n\z)", kNothing},
    {"postfix_syntax_error", {"postfix", "(z"}, 1, R"(\ACharacter 2:  Closing parenthesis expected\n\z)", kNothing},
    {"postfix_no_text", {"postfix"}, 2, kNothing, "expected one function text, got 0\nUsage: quillon-cli postfix"},
    {"postfix_bad_option", {"postfix", "--bogus"}, 2, kNothing, "Unknown option 'bogus'.\n\\(put -- before"},
    {"postfix_help", {"postfix", "--help"}, 0, R"(\AUsage: quillon-cli postfix \[options\] \[--\] TEXT\n)", kNothing},

    {"eval", {"eval", "sin(z)/z", "1", "0.5"}, 0, R"(\A0.871711254 -0.154306605\n\z)", kNothing},
    {"eval_implied_product_decimal_comma_negative", {"eval", "2z", "1,5", "--", "-0.5"}, 0, R"(\A3 -1\n\z)", kNothing},
    {"eval_run_time_error", {"eval", "1/(z-1)", "1", "0"}, 2, R"(\Aerror 11: Division by zero\n\z)", kNothing},
    {"eval_syntax_error", {"eval", "", "1", "1"}, 1, R"(\ACharacter 1:  Operand expected\n\z)", kNothing},
    {"eval_not_a_number", {"eval", "z", "1", "1e99"}, 64, kNothing, R"(\Aquillon-cli eval: '1e99' is not a number\n\z)"},
    {"eval_too_few", {"eval", "z", "1"}, 64, kNothing, "expected TEXT X Y, got 2 arguments\nUsage: quillon-cli eval"},
    {"eval_help", {"eval", "-h"}, 0, "Exit status: 0 with a value; 1 on a syntax error", kNothing},

    {"sample_csv", {"sample", "z^2", "--x", "-1,1,2", "--y", "0,1,1", "--csv"}, 0,
     R"(\Ax,y,u,v,magnitude\n-1,0,1,-0,1\n-1,1,0,-2,2\n0,0,0,0,0\n0,1,-1,0,1\n1,0,1,0,1\n1,1,0,2,2\n\z)", kNothing},
    {"sample_summary", {"sample", "z^2", "--x", "-1,1,2", "--y", "-1,1,2", "--threads", "1"}, 0,
     R"(\Apoints +9 \(3 x 3\)\nholes +0\nx +-1 \.\. 1\ny +-1 \.\. 1\nu +-1 \.\. 1\nv +-2 \.\. 2\nmagnitude +0 \.\. 2\ntime +[0-9.]+ ms \(1 thread\)\n\z)", kNothing},
    {"sample_run_time_error", {"sample", "1/z", "--x", "-1,1,2", "--y", "-1,1,2", "--stop-at-error"}, 2, kNothing,
     R"(\Aquillon-cli sample: run-time error 11 \(Division by zero\) at x = 0, y = 0\n\z)"},
    {"sample_syntax_error", {"sample", "(z", "--x", "0,1,1", "--y", "0,1,1"}, 1, kNothing, "quillon-cli sample: the function does not compile\n\\z"},
    {"sample_no_y", {"sample", "z", "--x", "0,1,1"}, 1, kNothing, "\\Aquillon-cli sample: --x and --y are required\n\nUsage: quillon-cli sample"},
    {"sample_bad_axis", {"sample", "z", "--x", "0,1", "--y", "0,1,1"}, 1, kNothing, "\\Aquillon-cli sample: --x takes MIN,MAX,STEPS\n"},
    {"sample_bad_threads", {"sample", "z", "--x", "0,1,1", "--y", "0,1,1", "--threads", "0"}, 1, kNothing, "--threads takes a positive number"},
    {"sample_csv_and_summary", {"sample", "z", "--x", "0,1,1", "--y", "0,1,1", "--csv", "--summary"}, 1, kNothing, "--csv and --summary exclude each other"},

    {"info", {"info", "{src}/examples/welcome.zvt"}, 0, R"re(\A\{\n  "SceneKind": 3,\n[\s\S]*\n      "ExpressZ": "sin\(z\)",\n[\s\S]*\}\n\z)re", kNothing},
    {"info_missing_file", {"info", "{tmp}/none.zvt"}, 1, kNothing, R"(\Aquillon-cli info: .*/none.zvt: Cannot open ".*/none.zvt": No such file)"},
    {"info_not_a_document", {"info", "{src}/README.md"}, 1, kNothing, "README.md: The file is not a document"},
    {"info_two_files", {"info", "a", "b"}, 2, kNothing, R"(\Aquillon-cli info: expected 1 file name\(s\), got 2 \(see --help\)\n\z)"},

    {"resave", {"resave", "{src}/examples/welcome.zvt", "out.zvt"}, 0, kNothing, kNothing, "out.zvt", "={src}/examples/welcome.zvt"},
    {"resave_missing_input", {"resave", "none.zvt", "out.zvt"}, 1, kNothing, "quillon-cli resave: none.zvt: Cannot open"},
    {"resave_unwritable", {"resave", "{src}/examples/welcome.zvt", "{tmp}/no/dir/out.zvt"}, 1, kNothing, "\\Aquillon-cli resave: .+\n\\z"},
    {"resave_one_file", {"resave", "in.zvt"}, 2, kNothing, "expected 2 file name\\(s\\), got 1"},

    {"example_list", {"example", "--list"}, 0, "\\Awelcome +Welcome scene: .*\n([a-z0-9_]+ +\\S.*\n)+\\z", kNothing},
    {"example_one", {"example", "colormap_exp", "x.zvt"}, 0, kNothing, kNothing, "x.zvt", "={src}/examples/colormap_exp.zvt"},
    {"example_all", {"example", "--all", "set"}, 0, kNothing, kNothing, "set/magnitude_reciprocal.zvt", "={src}/examples/magnitude_reciprocal.zvt"},
    {"example_unknown", {"example", "nothing", "x.zvt"}, 1, kNothing, R"(\Aquillon-cli example: no example named 'nothing' \(see --list\)\n\z)"},
    {"example_no_out", {"example", "welcome"}, 2, kNothing, "expected NAME and OUT"},

    {"roots_cube_roots_of_one_by_x_then_y", {"roots", "z^3-1", "--x", "-2,2,40", "--y", "-2,2,40"}, 0, R"(\Azero -0.5 -0.866025388 1\nzero -0.5 0.866025388 1\nzero 1 0 1\n\z)", kNothing},
    {"roots_two_poles", {"roots", "1/(z^2+1)", "--x", "-2,2,40", "--y", "-2,2,40"}, 0, R"(\Apole 0 -1 1\npole 0 1 1\n\z)", kNothing},
    {"roots_double_zero", {"roots", "z^2", "--x", "-1,1,10", "--y", "-1,1,10"}, 0, R"(\Azero 0 0 2\n\z)", kNothing},
    {"roots_zero_on_a_grid_line", {"roots", "z-0.25", "--x", "-1,1,4", "--y", "-1,1,4"}, 0, R"(\Azero 0.25 0 1\n\z)", kNothing},
    {"roots_default_rectangle", {"roots", "z-1.5i"}, 0, R"(\Azero 0 1.5 1\n\z)", kNothing},
    {"roots_none", {"roots", "exp(z)", "--x", "-2,2,20", "--y", "-2,2,20"}, 0, kNothing, kNothing},
    {"roots_branch_cuts_reported", {"roots", "sqr(z)-1-i", "--x", "-3,3,30", "--y", "-3,3,30"}, 0, R"(\Azero 0 2 1\n\z)", R"(\Aquillon-cli roots: \d+ cell\(s\) could not be counted)"},
    {"roots_syntax_error", {"roots", "(z"}, 1, kNothing, R"(\Aquillon-cli roots: Character 2:  Closing parenthesis expected\n\z)"},
    {"roots_bad_axis", {"roots", "z", "--x", "-2,2"}, 1, kNothing, R"(\Aquillon-cli roots: --x takes MIN,MAX,STEPS\n)"},
    {"roots_no_function", {"roots", "--x", "-2,2,20"}, 1, kNothing, "give exactly one function"},
    {"roots_grid_too_large", {"roots", "z", "--x", "-1,1,100000", "--y", "-1,1,100000"}, 2, kNothing, "run-time error 1020"},

    {"render_png", {"render", "{src}/examples/welcome.zvt", "w.png", "--size", "64x48", "--fit"}, 0, kNothing, nullptr, "w.png", R"(\Aimage 64x48, ([2-9]|\d\d+) colours)"},
    {"render_bmp_top_ortho", {"render", "{src}/examples/colormap_sin.zvt", "m.BMP", "--size", "40x30", "--view", "top", "--projection", "ortho"}, 0, kNothing, nullptr, "m.BMP", R"(\Aimage 40x30, ([2-9]|\d\d+) colours)"},
    {"render_default_size", {"render", "{src}/examples/surface_z2_plus_1.zvt", "s.png"}, 0, kNothing, nullptr, "s.png", R"(\Aimage 600x600, )"},
    {"render_roots", {"render", "{src}/examples/colormap_sin.zvt", "r.png", "--size", "64x48", "--fit", "--roots"}, 0, kNothing, nullptr, "r.png", R"(\Aimage 64x48, ([2-9]|\d\d+) colours)"},
    {"render_not_a_document", {"render", "{src}/README.md", "r.png"}, 1, kNothing, "\\Arender: .*README.md: The file is not a document", "r.png", "\\Anone\\z"},
    {"render_unwritable", {"render", "{src}/examples/welcome.zvt", "{tmp}/no/dir/w.png", "--size", "8x8"}, 1, kNothing, "render: cannot write .*/no/dir/w.png: .+\n"},
    {"render_jpeg_by_extension", {"render", "{src}/examples/welcome.zvt", "w.jpeg", "--size", "64x48", "--fit"}, 0, kNothing, nullptr, "w.jpeg", R"(\Aimage 64x48, ([2-9]|\d\d+) colours)"},
    {"render_unknown_extension", {"render", "{src}/examples/welcome.zvt", "w.gif"}, 1, kNothing, "\\Arender: w.gif: unknown extension \\(use .png, .jpg, .bmp, .pdf or .svg\\)\n\\z", "w.gif", "\\Anone\\z"},
    {"render_bad_size", {"render", "a.zvt", "b.png", "--size", "0x10"}, 2, kNothing, "\\Arender: --size wants WxH, e.g. 800x600\n\\z"},
    {"render_bad_view", {"render", "a.zvt", "b.png", "--view"}, 2, kNothing, "\\Arender: --view wants front, right, top or iso\n\\z"},
    {"render_bad_projection", {"render", "a.zvt", "b.png", "--projection", "fisheye"}, 2, kNothing, "--projection wants ortho or perspective"},
    {"render_unknown_option", {"render", "--bogus"}, 2, kNothing, "\\Arender: unknown option --bogus\nUsage: quillon-cli render DOC.zvt OUT.png"},
    {"render_one_file", {"render", "a.zvt"}, 2, kNothing, "\\AUsage: quillon-cli render "},
    // clang-format on
};

QString Expand(QString text, const QString& tmp) {
  return text.replace("{src}", QUILLON_SOURCE_DIR_PATH)
      .replace("{tmp}", tmp)
      .replace("{version}", QUILLON_VERSION);
}

// What a written file holds, in the form the table's `fileIs` patterns read.
QString Describe(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "none";
#if QUILLON_CLI_RENDERS
  const QImage image(path);
  if (!image.isNull()) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    }
    return QString("image %1x%2, %3 colours").arg(image.width()).arg(image.height()).arg(colours.size());
  }
#endif
  return QString::fromLatin1(file.readAll());
}

void ExpectMatch(const char* what, const char* pattern, const QString& text, const QString& tmp) {
  if (pattern == nullptr) return;
  const QRegularExpression re(Expand(pattern, tmp));
  ASSERT_TRUE(re.isValid()) << what << ": " << re.errorString().toStdString();
  EXPECT_TRUE(re.match(text).hasMatch()) << what << " does not match /" << pattern << "/:\n"
                                         << text.toStdString();
}

class Cli : public testing::TestWithParam<CliCase> {};

TEST_P(Cli, ExitStatusOutputAndFiles) {
  const CliCase& c = GetParam();
#if !QUILLON_CLI_RENDERS
  if (!c.args.empty() && c.args[0] == "render") GTEST_SKIP() << "built without drawing";
#endif
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QStringList arguments;
  for (const std::string& a : c.args) arguments << Expand(QString::fromStdString(a), dir.path());
  QProcess process;
  process.setWorkingDirectory(dir.path());
  // Qt warns on standard error when a program runs without a runtime folder (as root in CI).
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", dir.path());
  process.setProcessEnvironment(environment);
  process.start(QUILLON_CLI_PATH, arguments);
  ASSERT_TRUE(process.waitForFinished(120000)) << process.errorString().toStdString();
  ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "crashed";
  const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
  const QString err = QString::fromLocal8Bit(process.readAllStandardError());
  EXPECT_EQ(process.exitCode(), c.exit) << "stdout:\n"
                                        << out.toStdString() << "stderr:\n"
                                        << err.toStdString();
  ExpectMatch("stdout", c.out, out, dir.path());
  ExpectMatch("stderr", c.err, err, dir.path());
  if (c.file == nullptr) return;
  const QString written = Describe(QDir(dir.path()).filePath(Expand(c.file, dir.path())));
  const QString expected = Expand(c.fileIs, dir.path());
  if (expected.startsWith('=')) {
    QFile reference(expected.mid(1));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly)) << expected.toStdString();
    EXPECT_TRUE(written == QString::fromLatin1(reference.readAll()))
        << c.file << " differs from " << expected.mid(1).toStdString();
  } else {
    ExpectMatch(c.file, c.fileIs, written, dir.path());
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, Cli, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CliCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace

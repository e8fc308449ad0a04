#include "scene/screen_labels.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

constexpr double kLabelPixels = 13.0;
constexpr double kTitlePixels = 16.0;
constexpr double kGap = 7.0;            // between an edge and its labels
constexpr double kTitleGap = 6.0;       // between the labels and the title
constexpr double kSpacing = 3.0;        // kept free around every label
constexpr double kShortestEdge = 24.0;  // an edge seen nearly end-on gets no labels

QFont LabelFont(bool title) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(static_cast<int>(title ? kTitlePixels : kLabelPixels));
  font.setBold(title);
  return font;
}

struct Edge {
  QPointF from, to;
  double depth = 0.0;
};

// The half extent of a w x h rectangle along the unit direction n.
double HalfExtent(const QPointF& n, double w, double h) {
  return std::fabs(n.x()) * w / 2.0 + std::fabs(n.y()) * h / 2.0;
}

QRectF CentredRect(const QPointF& centre, double w, double h) {
  return QRectF(centre.x() - w / 2.0, centre.y() - h / 2.0, w, h);
}

}  // namespace

QPointF ScreenProjection::Project(double x, double y, double z, double* depth) const {
  const auto& m = matrix;
  const double cx = m[0] * x + m[4] * y + m[8] * z + m[12];
  const double cy = m[1] * x + m[5] * y + m[9] * z + m[13];
  const double cz = m[2] * x + m[6] * y + m[10] * z + m[14];
  double cw = m[3] * x + m[7] * y + m[11] * z + m[15];
  if (cw == 0.0) cw = 1e-12;
  if (depth) *depth = cz / cw;
  return QPointF((cx / cw + 1.0) * width / 2.0, (1.0 - cy / cw) * height / 2.0);
}

std::array<double, 16> ScreenProjection::Multiply(const std::array<double, 16>& a,
                                                  const std::array<double, 16>& b) {
  std::array<double, 16> r{};
  for (int c = 0; c < 4; ++c)
    for (int row = 0; row < 4; ++row) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k) s += a[k * 4 + row] * b[c * 4 + k];
      r[c * 4 + row] = s;
    }
  return r;
}

std::vector<QString> TickTexts(double from, double to, int32_t intervals) {
  const int32_t n = std::max(intervals, 1);
  const double step = (to - from) / n;
  const double largest = std::max(std::fabs(from), std::fabs(to));
  int decimals = 1;
  if (std::fabs(step) > 0.0 && std::isfinite(step))
    decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(std::fabs(step)) - 1e-9)), 1, 6);
  std::vector<QString> texts;
  texts.reserve(static_cast<size_t>(n) + 1);
  for (int32_t i = 0; i <= n; ++i) {
    const double v = from + (to - from) * i / n;
    QString s = largest >= 1e5 ? QString::number(v, 'g', 3) : QString::number(v, 'f', decimals);
    // A value that rounds to zero reads without a sign.
    if (s.startsWith(QLatin1Char('-')) && s.mid(1).toDouble() == 0.0) s = s.mid(1);
    texts.push_back(s);
  }
  return texts;
}

std::vector<PlacedLabel> LayoutFrameLabels(const FrameLabelSet& set, const ScreenProjection& projection) {
  std::vector<PlacedLabel> placed;
  if (!set.active) return placed;
  const QFontMetricsF labelMetrics(LabelFont(false));
  const QFontMetricsF titleMetrics(LabelFont(true));
  const Cls1& b = set.shown;
  const std::array<double, 3> lo{b.MinX, b.MinY, b.MinZ};
  const std::array<double, 3> hi{b.MaxX, b.MaxY, b.MaxZ};
  const std::array<double, 3> valueLo{set.values.MinX, set.values.MinY, set.values.MinZ};
  const std::array<double, 3> valueHi{set.values.MaxX, set.values.MaxY, set.values.MaxZ};
  const QPointF centre = projection.Project((lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2);
  const QRectF screen(0.0, 0.0, projection.width, projection.height);

  struct Candidate {
    PlacedLabel label;
    int rank;  // titles first, then the two end labels, then the rest
  };
  std::vector<Candidate> candidates;

  for (int axis = 0; axis < 3; ++axis) {
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    // The four edges along this axis; the one lying outermost towards the bottom (or, for an
    // edge running upwards on screen, towards the left) carries the labels.
    bool found = false;
    Edge best;
    QPointF bestNormal;
    double bestScore = 0.0;
    for (int corner = 0; corner < 4; ++corner) {
      std::array<double, 3> p{}, q{};
      p[static_cast<size_t>(a1)] = q[static_cast<size_t>(a1)] = (corner & 1) ? hi[a1] : lo[a1];
      p[static_cast<size_t>(a2)] = q[static_cast<size_t>(a2)] = (corner & 2) ? hi[a2] : lo[a2];
      p[static_cast<size_t>(axis)] = lo[axis];
      q[static_cast<size_t>(axis)] = hi[axis];
      Edge e;
      double d0 = 0.0, d1 = 0.0;
      e.from = projection.Project(p[0], p[1], p[2], &d0);
      e.to = projection.Project(q[0], q[1], q[2], &d1);
      e.depth = (d0 + d1) / 2.0;
      const QPointF dir = e.to - e.from;
      const double length = std::hypot(dir.x(), dir.y());
      if (length < kShortestEdge) continue;
      QPointF n(-dir.y() / length, dir.x() / length);
      const bool upright = std::fabs(dir.y()) > std::fabs(dir.x());
      if (upright ? n.x() > 0.0 : n.y() < 0.0) n = -n;
      const QPointF mid = (e.from + e.to) / 2.0;
      const double score = QPointF::dotProduct(mid - centre, n);
      if (!found || score > bestScore + 0.5 ||
          (std::fabs(score - bestScore) <= 0.5 && e.depth < best.depth)) {
        found = true;
        best = e;
        bestNormal = n;
        bestScore = score;
      }
    }
    if (!found) continue;

    const int32_t n = std::max(set.intervals[static_cast<size_t>(axis)], 1);
    const std::vector<QString> texts = TickTexts(valueLo[axis], valueHi[axis], n);
    double widest = 0.0;
    for (int32_t i = 0; i <= n; ++i) {
      const QString& text = texts[static_cast<size_t>(i)];
      const double w = labelMetrics.horizontalAdvance(text), h = labelMetrics.height();
      const QPointF anchor = best.from + (best.to - best.from) * (static_cast<double>(i) / n);
      const double offset = kGap + HalfExtent(bestNormal, w, h);
      widest = std::max(widest, 2.0 * HalfExtent(bestNormal, w, h));
      const int rank = (i == 0 || i == n) ? 1 : 2;
      candidates.push_back({{CentredRect(anchor + bestNormal * offset, w, h), text, false}, rank});
    }
    const QString title = QString::fromStdString(set.titles[static_cast<size_t>(axis)]);
    if (!title.isEmpty()) {
      const double w = titleMetrics.horizontalAdvance(title), h = titleMetrics.height();
      const QPointF mid = (best.from + best.to) / 2.0;
      const double offset = kGap + widest + kTitleGap + HalfExtent(bestNormal, w, h);
      candidates.push_back({{CentredRect(mid + bestNormal * offset, w, h), title, true}, 0});
    }
  }

  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& x, const Candidate& y) { return x.rank < y.rank; });
  for (const Candidate& c : candidates) {
    if (!screen.contains(c.label.rect)) continue;
    const QRectF room = c.label.rect.adjusted(-kSpacing, -kSpacing, kSpacing, kSpacing);
    const bool clear = std::none_of(placed.begin(), placed.end(),
                                    [&](const PlacedLabel& other) { return room.intersects(other.rect); });
    if (clear) placed.push_back(c.label);
  }
  return placed;
}

void PaintFrameLabels(QPainter& painter, const FrameLabelSet& set, const ScreenProjection& projection) {
  const std::vector<PlacedLabel> labels = LayoutFrameLabels(set, projection);
  if (labels.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const PlacedLabel& label : labels) {
    painter.setFont(LabelFont(label.title));
    painter.setPen(label.title ? QColor(20, 20, 90) : QColor(0, 0, 200));
    painter.drawText(label.rect, Qt::AlignCenter, label.text);
  }
  painter.restore();
}

}  // namespace quillon

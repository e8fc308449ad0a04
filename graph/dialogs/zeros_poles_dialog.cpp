#include "graph/dialogs/zeros_poles_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillon {

namespace {

QString Number(double value) {
  return QString::number(value, 'g', 9);
}

QString Count(int64_t n, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace

QString ZerosPolesDialog::ListText(const RootSearchResult& result) {
  QString text;
  for (const ZeroOrPole& p : result.roots)
    text += QString::fromStdString(ZeroOrPoleLine(p)) + QLatin1Char('\n');
  return text;
}

QString ZerosPolesDialog::Summary(const RootSearchResult& result) {
  int64_t zeros = 0, poles = 0;
  for (const ZeroOrPole& p : result.roots) (p.kind == RootKind::kZero ? zeros : poles) += 1;
  QString text = zeros + poles == 0
                     ? QStringLiteral("No zeros or poles inside the domain.")
                     : Count(zeros, "zero", "zeros") + QStringLiteral(" and ") +
                           Count(poles, "pole", "poles") + QStringLiteral(" inside the domain.");
  if (result.unresolvedCells > 0) {
    text +=
        QLatin1Char(' ') + Count(result.unresolvedCells, "grid cell", "grid cells") +
        QStringLiteral(" could not be counted: the function has no value there, or jumps (a branch cut).");
  }
  if (result.unrefinedPoints > 0) {
    text += QLatin1Char(' ') + Count(result.unrefinedPoints, "point", "points") +
            QStringLiteral(" counted could not be placed and are not listed.");
  }
  return text;
}

ZerosPolesDialog::ZerosPolesDialog(const QString& function, const RootSearchDomain& domain,
                                   const RootSearchResult& result, QWidget* parent)
    : QDialog(parent), result_(result) {
  setObjectName(QStringLiteral("ZerosPolesDialog"));
  setWindowTitle(QStringLiteral("Zeros and Poles"));
  auto* root = new QVBoxLayout(this);

  auto* heading = new QLabel(
      QStringLiteral("w = %1 for x from %2 to %3, y from %4 to %5")
          .arg(function, Number(domain.minX), Number(domain.maxX), Number(domain.minY), Number(domain.maxY)),
      this);
  heading->setObjectName(QStringLiteral("ZerosPolesFunction"));
  heading->setTextFormat(Qt::PlainText);
  heading->setWordWrap(true);
  root->addWidget(heading);

  auto* table = new QTableWidget(static_cast<int>(result.roots.size()), 4, this);
  table->setObjectName(QStringLiteral("ZerosPolesTable"));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Kind"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("Order")});
  table->verticalHeader()->setVisible(false);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int row = 0; row < table->rowCount(); ++row) {
    const ZeroOrPole& p = result.roots[static_cast<size_t>(row)];
    table->setItem(
        row, 0,
        Cell(p.kind == RootKind::kZero ? QStringLiteral("zero") : QStringLiteral("pole"), Qt::AlignLeft));
    table->setItem(row, 1, Cell(Number(p.x), Qt::AlignRight));
    table->setItem(row, 2, Cell(Number(p.y), Qt::AlignRight));
    table->setItem(row, 3, Cell(QString::number(p.order), Qt::AlignRight));
  }
  QHeaderView* header = table->horizontalHeader();
  header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(1, QHeaderView::Stretch);
  header->setSectionResizeMode(2, QHeaderView::Stretch);
  header->setSectionResizeMode(3, QHeaderView::ResizeToContents);
  root->addWidget(table, 1);

  auto* summary = new QLabel(Summary(result), this);
  summary->setObjectName(QStringLiteral("ZerosPolesSummary"));
  summary->setWordWrap(true);
  root->addWidget(summary);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("ZerosPolesCopy"));
  copy->setEnabled(!result.roots.empty());
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setObjectName(QStringLiteral("ZerosPolesClose"));
  close->setDefault(true);
  connect(copy, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(ListText(result_), QClipboard::Clipboard); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  root->addWidget(buttons);
  resize(380, 280);
}

}  // namespace quillon

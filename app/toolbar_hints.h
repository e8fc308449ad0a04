#pragma once
// The status-bar hints of the toolbars: while the pointer moves over a toolbar, the first
// status panel shows the hint of the button under it, or "Ready" over a separator, an
// empty stretch or when the pointer leaves the toolbar.

#include <QObject>
#include <QPoint>
#include <functional>

class QToolBar;

namespace quillon {

class ToolbarHints : public QObject {
  Q_OBJECT
 public:
  // Each button's hint is its action's "statusHint" property.
  static constexpr const char* kHintProperty = "statusHint";
  static constexpr const char* kReady = "Ready";

  explicit ToolbarHints(std::function<void(const QString&)> show, QObject* parent = nullptr);

  // Watches the toolbar and every button on it.
  void Watch(QToolBar* toolbar);

  // The hint for a position in the toolbar's coordinates: the button whose rectangle holds
  // it, else "Ready"; nothing (an empty string) outside the toolbar's height.
  static QString HintAt(const QToolBar* toolbar, const QPoint& pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const QString&)> show_;
};

}  // namespace quillon

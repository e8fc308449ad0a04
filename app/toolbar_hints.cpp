#include "app/toolbar_hints.h"

#include <QAction>
#include <QEnterEvent>
#include <QEvent>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QToolBar>
#include <QWidget>

namespace quillon {

ToolbarHints::ToolbarHints(std::function<void(const QString&)> show, QObject* parent)
    : QObject(parent), show_(std::move(show)) {}

void ToolbarHints::Watch(QToolBar* toolbar) {
  toolbar->setMouseTracking(true);
  toolbar->installEventFilter(this);
  for (QAction* action : toolbar->actions()) {
    if (QWidget* button = toolbar->widgetForAction(action)) {
      button->setMouseTracking(true);
      button->installEventFilter(this);
    }
  }
}

QString ToolbarHints::HintAt(const QToolBar* toolbar, const QPoint& pos) {
  if (pos.y() < 0 || pos.y() >= toolbar->height()) return QString();
  for (QAction* action : toolbar->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    const QWidget* button = toolbar->widgetForAction(action);
    if (!button || !button->isVisible()) continue;
    const QRect r = button->geometry();
    // The whole rectangle, so that the vertical view toolbar is covered as well.
    if (r.contains(pos)) return action->property(kHintProperty).toString();
  }
  return QString::fromLatin1(kReady);
}

bool ToolbarHints::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  QToolBar* toolbar = qobject_cast<QToolBar*>(widget);
  if (!toolbar) toolbar = qobject_cast<QToolBar*>(widget->parentWidget());
  if (!toolbar) return false;

  QPoint local;
  bool have = false;
  switch (event->type()) {
    case QEvent::MouseMove:
      local = static_cast<QMouseEvent*>(event)->position().toPoint();
      have = true;
      break;
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
      local = static_cast<QHoverEvent*>(event)->position().toPoint();
      have = true;
      break;
    case QEvent::Enter:
      local = static_cast<QEnterEvent*>(event)->position().toPoint();
      have = true;
      break;
    case QEvent::Leave:
      if (widget == toolbar) show_(QString::fromLatin1(kReady));
      break;
    default:
      break;
  }
  if (have) {
    const QPoint pos = widget == toolbar ? local : widget->mapTo(toolbar, local);
    const QString hint = HintAt(toolbar, pos);
    if (!hint.isEmpty()) show_(hint);
  }
  return false;
}

}  // namespace quillon

#pragma once
// The toolbar pictures, drawn with QPainter so that they stay sharp at any screen scale.

#include <QIcon>
#include <QString>

namespace quillon {

// The icon of a toolbar button key ("barOpen", "barViewISO", ...); a null icon for an
// unknown key.
QIcon ToolbarIcon(const QString& key);

}  // namespace quillon

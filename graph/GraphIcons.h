#pragma once

#include <QIcon>
#include <QString>

namespace ql708::graph {

// A graph window's tool bar icon: the desktop theme's icon of that name when it has one, else
// the glyph drawn on a small button face.
QIcon graphIcon(const QString &themeName, const QString &glyph);

} // namespace ql708::graph

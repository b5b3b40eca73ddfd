// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

namespace ql708::graph {

// A graph window's tool bar icon: the desktop theme's icon of that name when it has one, else
// the glyph drawn on a small button face.
QIcon graphIcon(const QString &themeName, const QString &glyph);

// The mouse cursor of the cross annotation mode: 32 x 32, a black X of two strokes about four
// pixels wide with a white outline, from pixel 5 to 25 both ways. Its hot spot is where the
// strokes cross (15, 15), so the cross lands where the X is seen.
QCursor crossCursor();

} // namespace ql708::graph

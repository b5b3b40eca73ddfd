// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace ql708 {

// Gives a new control its form name as object name (tests and string tables find it by that).
template <typename W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace ql708

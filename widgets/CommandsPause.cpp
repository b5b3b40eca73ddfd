// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CommandsPause.h"

#include <QVariant>

namespace ql708 {

CommandsPause::CommandsPause(const QList<QObject *> &objects)
{
    for (QObject *o : objects) {
        if (!o)
            continue;
        m_paused.append({o, o->property("enabled").toBool()});
        o->setProperty("enabled", false);
    }
}

CommandsPause::~CommandsPause()
{
    for (const Paused &p : m_paused)
        if (p.object)
            p.object->setProperty("enabled", p.wasEnabled);
}

} // namespace ql708

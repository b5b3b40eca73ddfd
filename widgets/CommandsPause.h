// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

namespace ql708 {

// While one command holds the link to the meter (a download, an LEQ run), the other commands
// that need it wait: they are disabled for the pause's lifetime and then set back as they
// were. The window stays responsive meanwhile.
class CommandsPause {
public:
    // Pauses the actions, widgets and windows given (null ones are skipped).
    explicit CommandsPause(const QList<QObject *> &objects);
    ~CommandsPause();
    CommandsPause(const CommandsPause &) = delete;
    CommandsPause &operator=(const CommandsPause &) = delete;

private:
    struct Paused {
        QPointer<QObject> object;
        bool wasEnabled;
    };

    QList<Paused> m_paused;
};

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <initializer_list>

namespace ql708 {

class TfrmMain;

// While one command holds the link to the meter (a download, an LEQ run), the main window's
// other meter commands wait: they are disabled for the pause's lifetime and then set back as
// they were. The window stays responsive meanwhile.
class MeterCommandsPause {
public:
    // Pauses the meter commands and the further objects given (null ones are skipped).
    explicit MeterCommandsPause(TfrmMain &main, std::initializer_list<QObject *> more = {});
    ~MeterCommandsPause();
    MeterCommandsPause(const MeterCommandsPause &) = delete;
    MeterCommandsPause &operator=(const MeterCommandsPause &) = delete;

private:
    struct Paused {
        QPointer<QObject> object;
        bool wasEnabled;
    };
    void pause(QObject *o);

    QList<Paused> m_paused;
};

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

namespace ql708 {

class TfrmMain;
class TfrmSetup;

// The main window's commands that administer the meter's logger: "Erase Memory" with its
// confirmation, and "Setup", which opens the one setup dialog.
class SetupCommands : public QObject {
    Q_OBJECT
public:
    explicit SetupCommands(TfrmMain &main);

    // The setup dialog, or nullptr while it is closed.
    TfrmSetup *setupWindow() const;

public slots:
    void EraseMemory1Click();
    void Setup1Click();

private:
    TfrmMain &m_main;
    QPointer<TfrmSetup> m_setup;
};

} // namespace ql708

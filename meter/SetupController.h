// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QMdiArea;
class QWidget;

namespace ql708 {

class MeterLink;
class TfrmSetup;

// The commands that administer the meter's logger: "Erase Memory" with its confirmation, and
// "Setup", which opens the one setup dialog.
class SetupController : public QObject {
    Q_OBJECT
public:
    // Messages open over dialogParent, the dialog in area at left (beside what is already
    // there). readStatusNow brings the meter's status up to date before an erase.
    SetupController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent, std::function<void()> readStatusNow,
                    std::function<int()> left);

    // The setup dialog, or nullptr while it is closed.
    TfrmSetup *setupWindow() const;

public slots:
    void EraseMemory1Click();
    void Setup1Click();

private:
    MeterLink &m_meter;
    QMdiArea &m_area;
    QWidget *m_dialogParent;
    std::function<void()> m_readStatusNow;
    std::function<int()> m_left;
    QPointer<TfrmSetup> m_setup;
};

} // namespace ql708

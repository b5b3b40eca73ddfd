// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

namespace ql708 {

// A window that asks a question before it closes (save the data?). The main window asks every
// such window before it closes any, so one Cancel keeps them all open, and a window that
// agreed then closes without asking again.
class CloseQuery {
public:
    virtual ~CloseQuery() = default;

    // Asks the window's question; true when the window may close.
    virtual bool FormCloseQuery() = 0;

    // For the main window: asks now; a yes holds for the close that follows.
    bool askFirst() { return m_agreed = FormCloseQuery(); }
    // For the main window: another window refused, so this yes no longer holds.
    void forgetAnswer() { m_agreed = false; }
    // For the window's close event: asks, unless the window agreed just before.
    bool mayClose() { return std::exchange(m_agreed, false) || FormCloseQuery(); }

private:
    bool m_agreed = false;
};

} // namespace ql708

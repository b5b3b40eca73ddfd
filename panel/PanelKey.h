// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace ql708 {

// A transparent click area over a pictured key. A double click reports a click first and
// then the double click, as the meter's keys expect ('M' then 'N' on MAX/MIN). Screen readers
// see a push button named by the key's label (its accessibleName) whose press action clicks it.
class PanelKey : public QLabel {
    Q_OBJECT
public:
    explicit PanelKey(const QString &name, QWidget *parent);

    // Clicks the key as the mouse would.
    void press() { emit clicked(); }

    // Whether the key's hint shows as a tool tip; the table sets hints of every key.
    void setShowHint(bool show) { m_showHint = show; }

signals:
    void clicked();
    void doubleClicked();

protected:
    bool event(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    bool m_showHint = false;
    bool m_pressed = false;
};

} // namespace ql708

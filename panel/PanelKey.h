#pragma once

#include <QLabel>

namespace ql708 {

// A transparent click area over a pictured key. A double click reports a click first and
// then the double click, as the meter's keys expect ('M' then 'N' on MAX/MIN).
class PanelKey : public QLabel {
    Q_OBJECT
public:
    explicit PanelKey(const QString &name, QWidget *parent);

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

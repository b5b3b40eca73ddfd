#include "panel/PanelKey.h"

#include <QMouseEvent>

namespace ql708 {

PanelKey::PanelKey(const QString &name, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

bool PanelKey::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip && !m_showHint) {
        e->ignore();
        return true;
    }
    return QLabel::event(e);
}

void PanelKey::mousePressEvent(QMouseEvent *e)
{
    m_pressed = e->button() == Qt::LeftButton;
    e->accept();
}

void PanelKey::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    e->accept();
    if (click)
        emit clicked();
}

void PanelKey::mouseDoubleClickEvent(QMouseEvent *e)
{
    // The release that ends a double click is no click of its own.
    m_pressed = false;
    e->accept();
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace ql708

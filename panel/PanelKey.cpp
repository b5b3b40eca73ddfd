// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelKey.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace ql708 {

namespace {

// The key as a push button, instead of the picture-less label Qt would report.
class PanelKeyAccessible : public QAccessibleWidget {
public:
    explicit PanelKeyAccessible(PanelKey *key) : QAccessibleWidget(key, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<PanelKey *>(widget())->press();
    }
};

QAccessibleInterface *panelKeyAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PanelKey::staticMetaObject.className()) && object->isWidgetType())
        return new PanelKeyAccessible(static_cast<PanelKey *>(object));
    return nullptr;
}

} // namespace

PanelKey::PanelKey(const QString &name, QWidget *parent) : QLabel(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(panelKeyAccessible), true);
    Q_UNUSED(factoryInstalled);
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

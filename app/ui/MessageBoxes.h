#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace ql708 {

// A plain message box with an OK button.
void showMessage(QWidget *parent, const QString &text);
// A confirmation box; returns the button chosen (QMessageBox::Yes, No or Cancel;
// closing the box counts as the escape button: Cancel when offered, else No).
QMessageBox::StandardButton confirm(QWidget *parent, const QString &text,
                                    QMessageBox::StandardButtons buttons);

} // namespace ql708

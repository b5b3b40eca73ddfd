// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace ql708 {

// Message and confirmation boxes in the active language: titles and button captions come
// from the main window's dialog captions; a stored backslash-n shows as a line break.

// A plain message box with an OK button, titled with the program's name.
void showMessage(QWidget *parent, const QString &text);
// A confirmation box titled "Confirm"; returns the button chosen among those offered
// (closing the box counts as the escape button: Cancel when offered, else No).
QMessageBox::StandardButton confirm(QWidget *parent, const QString &text,
                                    QMessageBox::StandardButtons buttons);

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

namespace ql708 {

// Every modal dialog of the program is shown through runModal, so tests can answer it.
using ModalHandler = std::function<int(QDialog &)>;

// Shows the dialog modally and returns its result (exec() unless a handler is installed).
int runModal(QDialog &dialog);
// Installs a handler that answers dialogs instead of a person; an empty handler restores exec().
void setModalHandler(ModalHandler handler);

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ModalRunner.h"

namespace ql708 {

namespace {
ModalHandler g_handler;
} // namespace

int runModal(QDialog &dialog) { return g_handler ? g_handler(dialog) : dialog.exec(); }

void setModalHandler(ModalHandler handler) { g_handler = std::move(handler); }

} // namespace ql708

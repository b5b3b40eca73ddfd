// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;

namespace ql708::graph {

// The pair of buttons at the bottom right of the annotation dialogs: BitBtn1 ends the dialog
// with Accepted, BitBtn2 with Rejected.
struct DialogButtons {
    QPushButton *accept;
    QPushButton *reject;
    QHBoxLayout *row;
};
DialogButtons dialogButtons(QDialog &dialog, const QString &acceptText, const QString &rejectText);

} // namespace ql708::graph

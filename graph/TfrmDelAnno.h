// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/Annotations.h"

#include <QDialog>
#include <QList>
#include <vector>

class QPushButton;
class QTableWidget;

namespace ql708::graph {

// The erase list: the listed annotations of a chart, numbered from 1, with their time and
// contents. Delete ends the dialog with Accepted; selectedSlots() then names the slots of
// the chosen rows.
class TfrmDelAnno : public QDialog {
    Q_OBJECT
public:
    // header: the three column headings ("NO", "Time", "Contents" in the active language).
    TfrmDelAnno(const QStringList &header, const std::vector<AnnotationRow> &rows, QWidget *parent = nullptr);

    QList<int> selectedSlots() const;

    // The controls that code outside the window reaches.
    QPushButton *BitBtn1() const { return m_BitBtn1; }
    QTableWidget *StringGrid1() const { return m_StringGrid1; }

private:
    QTableWidget *m_StringGrid1; // the annotations: number, time, contents; rows to delete are selected
    QPushButton *m_BitBtn1;      // Delete, enabled while rows are selected
    QPushButton *m_BitBtn2;      // Cancel

    std::vector<int> m_slots; // the slot of each row, full width: no limit on slot numbers
};

} // namespace ql708::graph

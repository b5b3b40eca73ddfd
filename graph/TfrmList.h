// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/TextTable.h"

#include <QMdiSubWindow>

class QMdiArea;
class QTableView;

namespace ql708::graph {

class TextTableModel;

// The tabular view: a text file's records as a table, one row each, in an MDI child captioned
// with the file's path. From it the table can be graphed again, saved or printed. It closes
// without a question.
class TfrmList : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TfrmList(QWidget *parent = nullptr);

    // Shows the records; the headings of columns 3 and 4 read "SPL" and "Leq" when the first
    // record has a fourth field.
    void setTable(data::TextTable table);
    const data::TextTable &table() const;

    // The controls that code outside the window reaches.
    QTableView *Grid1() const { return m_Grid1; }

signals:
    // The window became the active one: the main window enables "Output Tabular to graph".
    void activated();

private:
    void FormActivate();

    QTableView *m_Grid1; // the records, one row each
    TextTableModel *m_model;
};

} // namespace ql708::graph

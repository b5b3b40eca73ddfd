// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/GraphText.h"
#include "data/SaveRange.h"
#include "data/TextTable.h"

#include <QObject>

#include <optional>

namespace ql708 {

class TfrmMain;
namespace chart {
class PESGraph;
}
namespace graph {
class TfrmGraph;
class TfrmList;
} // namespace graph

// The main window's commands for single data set files: a chart saved as a graph file (.ghf)
// or as graph text (.txt, .csv), a table saved as text, such a file opened as a graph window or
// a tabular view, and a tabular view graphed again. Every command that writes returns true only
// when the file was written; a failure names the file and the reason.
class SingleFileCommands : public QObject {
    Q_OBJECT
public:
    explicit SingleFileCommands(TfrmMain &main);

    bool SaveGraph(graph::TfrmGraph &window);
    bool WriteTableText(graph::TfrmList &list);
    // A table that belongs to owner, whose closing stops the writing; without owner, a table
    // that outlives the writing (a copy).
    bool WriteTableText(const data::TextTable &table, QObject *owner = nullptr);
    // Opens the graph file (.ghf) or table text file (.txt, .csv) chosen in the file dialog
    // (its path returned when it opened, else empty), or path (true when it opened): a graph
    // window or a tabular view. A failure is told in a message.
    QString OpenSingleFile();
    bool OpenSingleFile(const QString &path);

public slots:
    // Graphs the active tabular view in a new graph window.
    void btnOutputToGraphClick();

private:
    bool WriteGraphText(const chart::PESGraph &chart, const QString &path, const data::GraphTextFormat &format);
    // The range dialog; nothing when it was cancelled or its fields were refused (after the message).
    std::optional<data::SaveRange> askRange(int count);
    // Runs a writer with the saving progress window; false (after a message) when it failed.
    bool writeWithProgress(const QString &path, int lines,
                           const std::function<data::TextFileOutcome(const data::TextProgress &)> &write);
    bool openGraphFile(const QString &path);
    bool openTableFile(const QString &path);
    void failed(const char *key, const QString &path, const QString &reason);

    TfrmMain &m_main;
};

} // namespace ql708

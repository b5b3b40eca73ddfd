// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class QPrinter;

namespace ql708 {

class TfrmMain;

// The main window's Print and Printer Setup commands. The printer chosen in Printer Setup, or
// in a print dialog, is kept for every later printout.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    explicit PrintCommands(TfrmMain &main);
    ~PrintCommands() override;

    QPrinter &printer() { return *m_printer; }

public slots:
    // Prints the active window by its kind: a graph window's chart, a tabular view's lines,
    // the LEQ window's summary and table; any other window, or none, prints nothing.
    void btnPrintClick();
    void PrinterSetup1Click();

private:
    TfrmMain &m_main;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PrintCommands.h"

#include "app/TfrmMain.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "leq/TfrmLEQ.h"
#include "output/WindowPrint.h"
#include "widgets/ModalRunner.h"

#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTableView>

namespace ql708 {

PrintCommands::PrintCommands(TfrmMain &main)
    : QObject(&main), m_main(main), m_printer(output::makePrinter())
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::btnPrintClick()
{
    // A long table is still printing: the printer is busy until it ends.
    if (m_printer->printerState() == QPrinter::Active)
        return;
    QMdiSubWindow *active = m_main.mdiArea()->activeSubWindow();
    if (auto *list = qobject_cast<graph::TfrmList *>(active))
        output::printTable(&m_main, *m_printer, *list->Grid1()->model());
    else if (auto *graph = qobject_cast<graph::TfrmGraph *>(active))
        output::printGraphWindow(*graph, *m_printer);
    else if (auto *leqWindow = qobject_cast<leq::TfrmLEQ *>(active))
        // The run's summary first, a blank line, then the table.
        output::printTable(&m_main, *m_printer, *leqWindow->LEQGrid()->model(), leqWindow->summary().split(QLatin1Char('\n')));
}

void PrintCommands::PrinterSetup1Click()
{
    if (m_printer->printerState() == QPrinter::Active)
        return;
    QPageSetupDialog PrinterSetupDialog1(m_printer.get(), &m_main);
    PrinterSetupDialog1.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    runModal(PrinterSetupDialog1);
}

} // namespace ql708

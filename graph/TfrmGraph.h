// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphState.h"
#include "graph/GraphStatistics.h"
#include "graph/StatisticTexts.h"
#include "widgets/CloseQuery.h"

#include <QMdiSubWindow>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QSplitter;
class QTableWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace ql708::chart {
class PESGraph;
}

namespace ql708::graph {

class WavPlayback;
struct RecordingFiles;

// A chart of sound levels over time as an MDI child: tool bar, statistic panel on top, cursor
// panel at the bottom, the data set list on the left (DataLogger window only) and the chart.
// The caption tells what the window is used for; it matters when the window closes.
class TfrmGraph : public QMdiSubWindow, public CloseQuery {
    Q_OBJECT
public:
    // Creates the window in the area with this caption and shows it (FormCreate, FormShow).
    static TfrmGraph *create(QMdiArea *area, const QString &caption);
    explicit TfrmGraph(QWidget *parent = nullptr);
    ~TfrmGraph() override;

    // Run when the window is first shown.
    void FormShow();
    // The rate box of the real-time window: a pure drop-down list in an enabled panel.
    void makeRateDropDown();
    // Selects the entry that stands for the rate; above the last entry the selection stays.
    void selectRateEntry(double rate);
    // WAV playback's open button and player (hidden in the real-time window).
    void setWavControlsVisible(bool visible);
    // Ends WAV playback and forgets the recording: the data set shown changed.
    void stopPlayback();
    // The media player's buttons, as MediaPlayer1Click takes them.
    enum MediaButton { PlayButton, PauseButton, StopButton };

    // Shows one series of n points (times x, levels y, copied) on the prepared chart, set up
    // anew with the time scale from the first to the last point and the given level scale,
    // then fills the statistic panel and puts the cursors at their starting points. The entry
    // for whoever gives a window its data.
    void showSeries(const double *x, const float *y, int n, float levelTop = 130, float levelBottom = 30);
    // Shows levels and their running Leq as series 0 "SPL" (black) and series 1 "Leq" (red) over
    // the times x (n points) on a freshly prepared chart; a series may hold fewer levels than
    // there are times. Fills the panels and leaves CAL Leq off: the Leq is already drawn.
    void showSplAndLeq(const double *x, int n, const float *spl, int splCount, const float *leq, int leqCount);
    // Puts a text the program chose in the sampling rate box, without the rate handler.
    void showSamplingRate(const QString &text);
    // Fills the statistic panel from series 0 of the chart.
    void RefreshStatistics();
    // Puts the playback line on the first point, cursor A on point n/3 and B on 2n/3, and fills
    // the cursor panel.
    void ResetCursors();
    // Fills the cursor panel from the cursor points.
    void UpdateCursorStatistics();
    // Fills the top panel with the texts given.
    void showSeriesTexts(const StatisticTexts &t);
    // Empties every figure of both panels (the sampling rate is a setting and stays): the data
    // they described are gone. Data No. reads 0.
    void clearFigures();
    // What the two statistic panels show.
    StatisticTexts statisticTexts() const;
    // The point nearest to the mouse for a dropped line (0 playback, 1 A, 2 B); outside the
    // plot the line's own point.
    int NearestPoint(int line) const;

    // Cursor lines and their drag marks, this window's own.
    CursorState cursors;

    QToolBar *ToolBar1;
    QAction *ToolButton1, *ToolButton2, *ToolButton4, *ToolButton5, *ToolButton9, *ToolButton13;
    QAction *ToolButton6, *ToolButton7, *tbntSep3, *tbntClr, *UndoZoom;
    QAction *Button1, *Button2, *bunCalLEQ, *Button3;
    QWidget *MediaPlayer1;
    QToolButton *mpPlay, *mpPause, *mpStop;

    QWidget *pnlGraphStatistic;
    QLineEdit *txtStartTime, *txtDataNo, *txtAvgAll, *txtMax, *txtMaxTime, *txtMin, *txtMinTime;
    QWidget *pnlSamplingRate;
    QComboBox *txtSamplingRate;
    QWidget *pnlLeq;
    QLabel *frmLeq;
    QLineEdit *edtLeq;
    QLabel *Label20, *Label21;
    QLabel *lblOutOfRange; // readings the top panel's figures left out

    QWidget *pnlStatistic;
    QLineEdit *txtCursorA, *txtCursorATime, *txtCursorB, *txtCursorBTime;
    QLineEdit *txtMaxAB, *txtMaxABTime, *txtMinAB, *txtMinABTime, *txtAvgAB;
    // Acoustic figures between the cursors: duration, Leq, SEL and the exceeded levels.
    QLineEdit *txtDurationAB, *txtLeqAB, *txtSELAB, *txtL10AB, *txtL50AB, *txtL90AB;
    QLabel *lblOutOfRangeAB; // readings between the cursors left out

    QSplitter *Splitter1;
    QWidget *pnlDataSets;
    QLabel *StaticText1;
    QTableWidget *Grid2;
    QMenu *PopupMenu1;
    QAction *ChangeDateTime1;
    QWidget *pnlGraph;
    chart::PESGraph *PESGraph1;
    QLabel *Panel12;

    QTimer *Timer1;

public slots:
    void txtSamplingRateChange();
    void Button1Click();
    void PESGraph1ZoomIn();
    void UndoZoomClick();
    void ToolButton1Click();
    void ToolButton2Click();
    void Button2Click();
    void bunCalLEQClick();
    void PESGraph1VertLineAnnotHotSpot(int line);
    void PESGraph1MouseMove();
    void PESGraph1MouseUp();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton9Click();
    void ToolButton13Click();
    void PESGraph1Click();
    void tbntClrClick();
    void PESGraph1CustomizeDlg();
    void pnlGraphResize();
    void ToolButton6Click();
    void ToolButton7Click();
    void Button3Click();
    void MediaPlayer1Click(int button);
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery() override;
    void FormClose();
    void createToolBar();
    QWidget *createStatisticPanel();
    QWidget *createCursorPanel();
    QWidget *createDataSetPanel();
    QWidget *createChartPanel();
    void connectRateBox();
    void connectAnalysis();
    void connectPlayback();
    void PausePlayback();
    // Buttons and timer as the playback state has them.
    void showPlaybackState();
    // Opens the chosen file of the recording named in row r of the list; copies the recording
    // into its project folder when the user wants that, whether or not it can be played.
    void associateRecording(int row, const QString &path);
    void copyToProjectFolder(const RecordingFiles &files);

    Series series() const;
    // The points CAL Leq takes: during a real-time run those recorded so far, not the chart's
    // room for the whole run.
    int recordedPoints() const;
    void moveLine(int line, int point);
    void showCursorFigures(const CursorFigures &f);
    // The panels' figures, without the sampling rate.
    void showTopFigures(const StatisticTexts &t);
    void showCursorTexts(const StatisticTexts &t);
    // The out-of-range counts in the active language.
    void showOutOfRange();
    // Shows the shared annotation mode: its button down and the chart's cursor.
    void showAnnotationMode();
    void setAnnotationMode(AnnotationMode mode);

    bool m_dataSetsSized = false;
    int m_outOfRange = 0, m_outOfRangeAB = 0; // what the two panels' figures left out
    std::unique_ptr<WavPlayback> m_playback; // made at the first "open wav"
};

} // namespace ql708::graph

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphState.h"
#include "graph/GraphStatistics.h"
#include "graph/SeriesAnalysis.h"
#include "graph/StatisticTexts.h"
#include "widgets/CloseQuery.h"

#include <QMdiSubWindow>
#include <QPointer>

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

class TfrmIndicators;
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
    // The text of the sampling rate box, and whether its first entry (0.5 s) is chosen.
    QString samplingRateText() const;
    bool firstRateEntrySelected() const;

    // The real-time window: Clear with its divider, no WAV playback, the rate box a drop-down
    // list at rate (seconds), and an empty chart of 500 points whose time scale starts now.
    void prepareAsRealTimeWindow(float rate, TDateTime now);
    // Clear, which lets the live points go, is offered only between runs.
    void setClearEnabled(bool enabled);
    // Room for a run of points from start, the time scale span wide at first; the figures of
    // the points before are emptied and the cursors wait with the empty series.
    void beginRun(int points, TDateTime start, TDateTime span);
    // Point index of a run, at x with level y, counted in Data No.; the time scale grows by
    // growth when x passes its end. The chart is drawn again when redraw says so.
    void showRunPoint(int index, TDateTime x, float y, TDateTime growth, bool redraw);
    enum Extreme { Maximum, Minimum };
    // A run's new maximum or minimum and when it came.
    void showExtreme(Extreme which, float level, TDateTime at);
    // The run ended at end with points points: the chart keeps those, shows their average
    // and, when there are any, puts the cursors on them.
    void endRun(int points, TDateTime end, double average);
    // The start time and Data No. fields.
    void showRunStart(TDateTime start);
    void setPointCount(int count);
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

    // The chart's series as the figures take it, and its index for the figures of any span.
    Series series() const;
    const analysis::SpanIndex &seriesIndex();
    // How long a reading stands for, its weighting and the limit: the window's owner knows.
    void setSeriesTraits(const SeriesTraits &traits);
    const SeriesTraits &seriesTraits() const { return m_analysis.traits(); }
    // Puts the cursors on points a and b and fills the cursor panel.
    void placeCursors(int a, int b);

    // Cursor lines and their drag marks, this window's own.
    CursorState cursors;

    // The controls that code outside the window reaches.
    QAction *Button1() const { return m_Button1; }
    QAction *Button2() const { return m_Button2; }
    QAction *Button3() const { return m_Button3; }
    QAction *ChangeDateTime1() const { return m_ChangeDateTime1; }
    QTableWidget *Grid2() const { return m_Grid2; }
    QLabel *Label20() const { return m_Label20; }
    QLabel *Label21() const { return m_Label21; }
    chart::PESGraph *PESGraph1() const { return m_PESGraph1; }
    QLabel *Panel12() const { return m_Panel12; }
    QSplitter *Splitter1() const { return m_Splitter1; }
    QTimer *Timer1() const { return m_Timer1; }
    QToolBar *ToolBar1() const { return m_ToolBar1; }
    QAction *ToolButton1() const { return m_ToolButton1; }
    QAction *ToolButton13() const { return m_ToolButton13; }
    QAction *ToolButton2() const { return m_ToolButton2; }
    QAction *ToolButton4() const { return m_ToolButton4; }
    QAction *ToolButton5() const { return m_ToolButton5; }
    QAction *ToolButton6() const { return m_ToolButton6; }
    QAction *ToolButton7() const { return m_ToolButton7; }
    QAction *btnIndicators() const { return m_btnIndicators; }
    // The Indicators window, made at the first click on its button.
    TfrmIndicators *indicators() const;
    QAction *ToolButton9() const { return m_ToolButton9; }
    QAction *UndoZoom() const { return m_UndoZoom; }
    QAction *bunCalLEQ() const { return m_bunCalLEQ; }
    QLineEdit *edtLeq() const { return m_edtLeq; }
    QLabel *lblOutOfRange() const { return m_lblOutOfRange; }
    QLabel *lblOutOfRangeAB() const { return m_lblOutOfRangeAB; }
    QToolButton *mpPause() const { return m_mpPause; }
    QToolButton *mpPlay() const { return m_mpPlay; }
    QToolButton *mpStop() const { return m_mpStop; }
    QWidget *pnlDataSets() const { return m_pnlDataSets; }
    QWidget *pnlGraphStatistic() const { return m_pnlGraphStatistic; }
    QWidget *pnlLeq() const { return m_pnlLeq; }
    QWidget *pnlSamplingRate() const { return m_pnlSamplingRate; }
    QWidget *pnlStatistic() const { return m_pnlStatistic; }
    QAction *tbntClr() const { return m_tbntClr; }
    QAction *tbntSep3() const { return m_tbntSep3; }
    QLineEdit *txtAvgAB() const { return m_txtAvgAB; }
    QLineEdit *txtAvgAll() const { return m_txtAvgAll; }
    QLineEdit *txtCursorA() const { return m_txtCursorA; }
    QLineEdit *txtCursorATime() const { return m_txtCursorATime; }
    QLineEdit *txtCursorB() const { return m_txtCursorB; }
    QLineEdit *txtCursorBTime() const { return m_txtCursorBTime; }
    QLineEdit *txtDataNo() const { return m_txtDataNo; }
    QLineEdit *txtDurationAB() const { return m_txtDurationAB; }
    QLineEdit *txtL10AB() const { return m_txtL10AB; }
    QLineEdit *txtL50AB() const { return m_txtL50AB; }
    QLineEdit *txtL90AB() const { return m_txtL90AB; }
    QLineEdit *txtLeqAB() const { return m_txtLeqAB; }
    QLineEdit *txtMax() const { return m_txtMax; }
    QLineEdit *txtMaxAB() const { return m_txtMaxAB; }
    QLineEdit *txtMaxABTime() const { return m_txtMaxABTime; }
    QLineEdit *txtMaxTime() const { return m_txtMaxTime; }
    QLineEdit *txtMin() const { return m_txtMin; }
    QLineEdit *txtMinAB() const { return m_txtMinAB; }
    QLineEdit *txtMinABTime() const { return m_txtMinABTime; }
    QLineEdit *txtMinTime() const { return m_txtMinTime; }
    QLineEdit *txtSELAB() const { return m_txtSELAB; }
    QComboBox *txtSamplingRate() const { return m_txtSamplingRate; }
    QLineEdit *txtStartTime() const { return m_txtStartTime; }

signals:
    // The series shown changed: its figures are new.
    void seriesShown();
    // The cursor panel shows the points a to b (either order), also while a cursor is dragged.
    void cursorSpanShown(int a, int b);

public slots:
    void txtSamplingRateChange();
    void Button1Click();
    void btnIndicatorsClick();
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

    QToolBar *m_ToolBar1;        // the window's tool bar
    QAction *m_ToolButton1;      // shows or hides the statistic panel
    QAction *m_ToolButton2;      // shows or hides the cursor panel and lines
    QAction *m_ToolButton4;      // annotation mode: normal cursor
    QAction *m_ToolButton5;      // annotation mode: a cross where the chart is clicked
    QAction *m_ToolButton9;      // annotation mode: a text where the chart is clicked
    QAction *m_ToolButton13;     // the erase list of the annotations
    QAction *m_ToolButton6;      // colour view (hidden)
    QAction *m_ToolButton7;      // monochrome view (hidden)
    QAction *m_btnIndicators;    // opens the Indicators window
    QPointer<TfrmIndicators> m_indicators;
    QAction *m_tbntSep3;         // the divider before Clear, in the real-time window
    QAction *m_tbntClr;          // Clear: lets the real-time points go
    QAction *m_UndoZoom;         // back to the view before the last zoom
    QAction *m_Button1;          // the chart's options dialog
    QAction *m_Button2;          // copies the statistics to the clipboard
    QAction *m_bunCalLEQ;        // CAL Leq: a new window with the running Leq of the series
    QAction *m_Button3;          // opens a WAV recording of the data set
    QWidget *m_MediaPlayer1;     // the WAV player's buttons
    QToolButton *m_mpPlay;       // plays from the green line
    QToolButton *m_mpPause;      // pauses or resumes
    QToolButton *m_mpStop;       // stops

    QWidget *m_pnlGraphStatistic; // the statistic panel: the figures of the whole series
    QLineEdit *m_txtStartTime;   // the first point's time
    QLineEdit *m_txtDataNo;      // the number of points
    QLineEdit *m_txtAvgAll;      // their average
    QLineEdit *m_txtMax;         // the maximum
    QLineEdit *m_txtMaxTime;     // when it came
    QLineEdit *m_txtMin;         // the minimum
    QLineEdit *m_txtMinTime;     // when it came
    QWidget *m_pnlSamplingRate;  // holds txtSamplingRate; enabled in the real-time window
    QComboBox *m_txtSamplingRate; // the sampling rate, seconds
    QWidget *m_pnlLeq;           // holds the Leq of a CAL Leq window
    QLabel *m_frmLeq;            // "Leq", naming edtLeq
    QLineEdit *m_edtLeq;         // the Leq of the whole series
    QLabel *m_Label20;           // the open WAV recording's name
    QLabel *m_Label21;           // its length, ms
    QLabel *m_lblOutOfRange;     // readings the statistic panel's figures left out

    QWidget *m_pnlStatistic;     // the cursor panel: the figures at and between the cursors
    QLineEdit *m_txtCursorA;     // the level at cursor A
    QLineEdit *m_txtCursorATime; // its time
    QLineEdit *m_txtCursorB;     // the level at cursor B
    QLineEdit *m_txtCursorBTime; // its time
    QLineEdit *m_txtMaxAB;       // the maximum between the cursors
    QLineEdit *m_txtMaxABTime;   // when it came
    QLineEdit *m_txtMinAB;       // the minimum between the cursors
    QLineEdit *m_txtMinABTime;   // when it came
    QLineEdit *m_txtAvgAB;       // the average between the cursors
    // Acoustic figures between the cursors: duration, Leq, SEL and the exceeded levels.
    QLineEdit *m_txtDurationAB, *m_txtLeqAB, *m_txtSELAB, *m_txtL10AB, *m_txtL50AB, *m_txtL90AB;
    QLabel *m_lblOutOfRangeAB;   // readings between the cursors left out

    QSplitter *m_Splitter1;      // the data set list beside the chart
    QWidget *m_pnlDataSets;      // the data set list with its heading; the DataLogger window's
    QLabel *m_StaticText1;       // "Data Sets"
    QTableWidget *m_Grid2;       // one row per data set; a click shows the set
    QMenu *m_PopupMenu1;         // the list's menu
    QAction *m_ChangeDateTime1;  // gives a data set a new start
    QWidget *m_pnlGraph;         // holds the chart
    chart::PESGraph *m_PESGraph1; // the chart
    QLabel *m_Panel12;           // the mouse readout over the chart's top-right corner

    QTimer *m_Timer1;            // moves the playback line while a WAV recording plays

    bool m_dataSetsSized = false;
    int m_outOfRange = 0, m_outOfRangeAB = 0; // what the two panels' figures left out
    std::unique_ptr<WavPlayback> m_playback; // made at the first "open wav"
    SeriesAnalysis m_analysis; // the series' index, built when first asked for
};

} // namespace ql708::graph

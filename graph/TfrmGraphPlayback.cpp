// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window's WAV playback: "open wav", the media player's buttons and the timer that
// moves the playback line with the sound.
#include "graph/TfrmGraph.h"

#include "common/Paths.h"
#include "common/StringTable.h"
#include "chart/PESGraph.h"
#include "data/DataSetList.h"
#include "graph/ChartSetup.h"
#include "graph/DataLoggerView.h"
#include "graph/GraphTexts.h"
#include "graph/QtMediaPlayer.h"
#include "graph/RecordingCopy.h"
#include "graph/SimulatedRecording.h"
#include "graph/WavNaming.h"
#include "graph/WavPlayback.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmGraph");

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

// Where recordings are looked for and project folders made: the data folder, or the
// program's own folder on a system without a documents folder.
QString recordingsFolder()
{
    const QString data = paths::dataFolder();
    return data.isEmpty() ? paths::writableAppFolder() + QLatin1Char('/') : data;
}

// The file dialog, opened on the recording's first file.
QString askWavFile(QWidget *parent, const QString &folder, const QString &name)
{
    const QString file = name + QStringLiteral(".WAV");
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(folder);
    dialog.setNameFilters({QStringLiteral("%1 (%1 %2)").arg(file, file.toLower()), QStringLiteral("WAV (*.WAV *.wav)")});
    dialog.setDefaultSuffix(QStringLiteral("WAV"));
    dialog.selectFile(file);
    if (runModal(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

void TfrmGraph::connectPlayback()
{
    connect(m_Button3, &QAction::triggered, this, &TfrmGraph::Button3Click);
    connect(m_mpPlay, &QToolButton::clicked, this, [this] { MediaPlayer1Click(PlayButton); });
    connect(m_mpPause, &QToolButton::clicked, this, [this] { MediaPlayer1Click(PauseButton); });
    connect(m_mpStop, &QToolButton::clicked, this, [this] { MediaPlayer1Click(StopButton); });
    connect(m_Timer1, &QTimer::timeout, this, &TfrmGraph::Timer1Timer);
}

void TfrmGraph::Button3Click()
{
    DataLoggerView *view = DataLoggerView::of(this);
    const int set = view ? view->selectedSet() : -1;
    if (set < 0) {
        showMessage(this, text("IDS_50"));
        return;
    }
    // Whatever comes of it, the recording associated before is let go.
    stopPlayback();
    const data::DataSetList &sets = view->sets();
    const QString name = sets.waveNames[std::size_t(set)];
    if (!namesRecording(name)) {
        showMessage(this, text("IDS_54"));
        return;
    }
    const QString folder = recordingsFolder();
    if (recordingsSimulated()) {
        const std::size_t offset = sets.offsetOf(set);
        QString error;
        if (!writeSimulatedRecording(folder, name, sets.rates[std::size_t(set)], sets.levels.data() + offset,
                                     sets.pointCounts[std::size_t(set)], &error))
            showMessage(this, text("IDS_95") + QLatin1Char('\n') + error);
    }
    const QString path = askWavFile(this, folder, name);
    if (!path.isEmpty())
        associateRecording(set, path);
}

void TfrmGraph::associateRecording(int set, const QString &path)
{
    const data::DataSetList &sets = DataLoggerView::of(this)->sets();
    const int rate = sets.rates[std::size_t(set)], points = sets.pointCounts[std::size_t(set)];
    if (!m_playback)
        m_playback = std::make_unique<WavPlayback>(createMediaPlayer());
    const bool open = m_playback->associate(path, rate, points);
    showPlaybackState();
    if (open) {
        m_Label20->setText(m_playback->baseName());
        m_Label21->setText(QString::number(m_playback->length()));
    } else {
        showMessage(this, text("IDS_90") + QLatin1Char('\n') + QDir::toNativeSeparators(path) + QLatin1Char('\n') +
                              m_playback->errorText());
    }
    // Copying needs no sound: a computer that cannot play the recording can still keep it.
    copyToProjectFolder(recordingFiles(path, rate, points));
}

void TfrmGraph::copyToProjectFolder(const RecordingFiles &files)
{
    const QString project = recordingsFolder() + projectFolderName(files.firstName);
    if (QFileInfo::exists(project) ||
        confirm(this, text("IDS_59"), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
        return;
    RecordingCopyResult result;
    {
        TfrmScope progress(this);
        progress.useForProgress(text("IDS_60"), files.count);
        progress.SText1()->setText(text("IDS_61"));
        progress.showProgress();
        result = copyRecording(files.folder, files.firstName, files.count, project, [&progress](int m) {
            progress.Progress1()->setValue(m);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        progress.close();
    }
    const QString where = QDir::toNativeSeparators(result.path);
    switch (result.outcome) {
    case RecordingCopyResult::FolderNotCreated:
        showMessage(this, text("IDS_20") + where + text("IDS_21"));
        break;
    case RecordingCopyResult::FileNotCopied:
        showMessage(this, text("IDS_94") + where + QStringLiteral(":\n") + result.reason);
        break;
    case RecordingCopyResult::Copied:
        showMessage(this, text("IDS_64") + QDir::toNativeSeparators(project + QLatin1Char('/')));
        break;
    }
}

void TfrmGraph::MediaPlayer1Click(int button)
{
    if (!m_playback)
        return;
    switch (button) {
    case PlayButton:
        if (!m_playback->play(cursors.playbackLine, series())) {
            const QString missing = m_playback->missingFile();
            showPlaybackState();
            showMessage(this, missing.isEmpty() ? text("IDS_90") + QLatin1Char('\n') + m_playback->errorText()
                                                : text("IDS_92") + missing);
            return;
        }
        break;
    case PauseButton:
        PausePlayback();
        break;
    case StopButton:
        m_playback->stop();
        // The line goes back to where Play starts.
        moveLine(kPlaybackLine, cursors.playbackLine);
        m_PESGraph1->setVertLineAnnotationText(kPlaybackLine, QString());
        m_PESGraph1->redraw();
        break;
    }
    showPlaybackState();
}

void TfrmGraph::PausePlayback()
{
    m_playback->pause();
    showPlaybackState();
}

void TfrmGraph::Timer1Timer()
{
    // Opening the next file waits for the player; no tick may run inside another.
    m_Timer1->stop();
    const WavPlayback::Tick t = m_playback ? m_playback->tick(series()) : WavPlayback::Tick();
    if (t.placed) {
        m_PESGraph1->setVertLineAnnotation(kPlaybackLine, t.line.line);
        m_PESGraph1->setVertLineAnnotationText(kPlaybackLine, timeText(t.line.shown));
    }
    if (t.end == WavPlayback::End::Finished || t.end == WavPlayback::End::FileMissing) {
        // Play starts from the beginning again.
        cursors.playbackLine = 0;
        moveLine(kPlaybackLine, 0);
        m_PESGraph1->setVertLineAnnotationText(kPlaybackLine, QString());
    }
    // Only the line moved: its own layer is drawn again, not the data (at 128,000 points about
    // 0.05 ms in place of 1.2 ms, five times a second).
    m_PESGraph1->PEactions(chart::sgInvalidateImage);
    showPlaybackState();
    if (t.end == WavPlayback::End::Failed)
        showMessage(this, text("IDS_90") + QLatin1Char('\n') + m_playback->errorText());
}

void TfrmGraph::showPlaybackState()
{
    const PlaybackButtons b = m_playback ? m_playback->buttons() : PlaybackButtons();
    m_mpPlay->setEnabled(b.play);
    m_mpPause->setEnabled(b.pause);
    m_mpStop->setEnabled(b.stop);
    if (m_playback && m_playback->timerRunning())
        m_Timer1->start();
    else
        m_Timer1->stop();
}

void TfrmGraph::stopPlayback()
{
    if (m_playback)
        m_playback->reset();
    showPlaybackState();
}

} // namespace ql708::graph

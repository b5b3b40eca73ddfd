// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterLink.h"

#include <QByteArray>

#include <functional>

namespace ql708 {

// What ReadLoggerMemory returns: 0, or the step at which the transfer failed.
namespace download_result {
constexpr int kOk = 0;
constexpr int kNoDevice = 117;    // the device cannot be opened (not open afterwards)
constexpr int kNoTimeouts = 118;  // the time-outs cannot be set
constexpr int kStartWrite = 119;  // "P" cannot be written
constexpr int kStartRead = 120;   // no reply to "P"
constexpr int kNotMemory = 121;   // the first block lacks 0x04 at byte 0 or 0x05 at byte 31
constexpr int kBlockWrite = 123;  // a "p" cannot be written (device closed afterwards)
constexpr int kBlockRead = 124;   // no reply to a "p" (device closed afterwards)
constexpr int kEndWrite = 125;    // the closing "q" cannot be written
constexpr int kBrokeOff = 126;    // broke off with fewer bytes received than still outstanding
// Asked to stop between two blocks (the command-line tool's Ctrl+C; the window program never
// asks). The device is left open, inside the transfer: abortDownload ends it.
constexpr int kStopped = 127;
} // namespace download_result

// Shows a download's progress; every part may be left empty.
struct DownloadProgress {
    std::function<void(int total)> begin;      // the first block arrived; total bytes to read
    std::function<void(int received)> advance; // after every further block
    std::function<void()> end;                 // the transfer ended, also on a failure
    std::function<bool()> stopRequested;       // asked before every further block
};

constexpr int kBlockSize = int(ReplyBuffer().size()); // a memory block is one reply
constexpr int kFullDownload = 0x40000;

// The bytes a download reads for a last address in use: up to and including it, in whole
// blocks; the full 0x40000 when that would be fewer than 256 or more than 0x40000.
int downloadSize(qint64 lastAddress);

// Reads the logger memory block by block ("P", then "p" per block, then "q") into image and
// sets lastAddress from the first block. The caller has taken the link over from the poll.
// Returns 0 or a code from 117 to 126. The device is left as the codes say (open after a
// success, so the next exchange of the program closes it).
int ReadLoggerMemory(MeterLink &link, QByteArray &image, qint32 &lastAddress,
                     const DownloadProgress &progress = {});

// After a failed download or a rejected image: settle, then "Q" on the device as the download
// left it, so the meter drops what it still holds. Nothing is read; a failure is not reported.
void abortDownload(MeterLink &link);

} // namespace ql708

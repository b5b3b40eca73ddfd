// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"
#include "meter/sim/LevelModel.h"
#include "meter/sim/LoggerMemory.h"
#include "meter/sim/ReplyQueue.h"

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <optional>

namespace ql708 {

// A sound level meter with data logger behind the HID link, for trying the program
// without a meter and for tests. It answers every command the program sends: handshake,
// status (echoing the sequence byte), keys, memory download, erase, information,
// single-byte read and write, clock, end of settings and abort.
//
// The model moves on lazily: every operation first brings it up to the time of
// ql708::clock(), so a fake clock makes it deterministic. While recording, points are
// appended to a real record in the logger memory at the recording interval, so a later
// download finds them. Range, weighting and FAST/SLOW keys are ignored while recording,
// so a record's mode flags hold for all its points.
//
// Replies queue on the meter's side (ReplyQueue): they survive a close and are read in
// order, so a reply that came too late is read by the next read. The link's pace is the
// time it takes per report; reads wait for their reply at most the read time-out.
class SimulatedMeter : public HidLink {
public:
    static constexpr std::uint32_t kDefaultSeed = 708;
    static constexpr std::uint8_t kFirmwareVersion = 105; // hundredths: 1.05
    // At interval 00:00 the logger takes a reading at every update of its display.
    static constexpr int kFastestLogMs = 500;
    // The environment variable that sets the pace of the link, in milliseconds per report.
    static constexpr const char *kPaceVariable = "QL708_SIMULATE_PACE";
    static constexpr int kMaxPaceMs = 1000;

    // A meter whose link runs at the pace the environment variable names (none when unset).
    explicit SimulatedMeter(std::uint32_t seed = kDefaultSeed);
    SimulatedMeter(std::uint32_t seed, int paceMs);

    // The pace the environment variable names: a whole number of milliseconds from 1 to
    // kMaxPaceMs, else 0 (no pace).
    static int paceFromEnvironment();

    int close() override;
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override;
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

    // Brings the model up to the clock; the accessors below show the state as of the
    // last operation or call of this.
    void advanceToNow();

    std::uint8_t rangeCode() const { return m_range; }
    bool aWeighting() const { return m_aWeighting; }
    bool fastResponse() const { return m_fast; }
    bool maxMinActive() const { return m_maxMinMode != 0; }
    std::uint8_t maxMinMode() const { return m_maxMinMode; }
    bool recording() const { return m_recording; }
    bool memoryFull() const { return m_memoryFull; }
    bool isOpen() const { return m_open; }
    // The present reading in tenths of a dB, held within the range.
    std::uint16_t levelTenths() const;
    QDateTime meterTime() const;
    // The interval the logger records at, in seconds; at 0 it logs every kFastestLogMs.
    int recordingInterval() const;

    QByteArray memory() const { return m_memory.bytes(); }
    int lastAddress() const { return m_memory.lastAddress(); }
    int setCount() const { return m_memory.setCount(); }

    // Test and demonstration controls.
    // Replaces the live sound by a steady level in dB (still smoothed FAST or SLOW);
    // nullopt gives the live sound back. Takes effect at the clock's present time.
    void forceSound(std::optional<double> dB);
    // Unplugging closes the device, drops what the meter had queued and makes open() fail
    // until plugged in again.
    void setPluggedIn(bool plugged);
    // Keeps the meter busy for ms milliseconds from now (as while it writes its memory):
    // commands written meanwhile are handled, in order, once it is free.
    void setBusyFor(int ms);
    int paceMs() const { return m_replies.frameMs(); }

private:
    using Reply = std::optional<ReplyBuffer>;

    Reply answer(const CommandFrame &f);
    Reply statusReply(const CommandFrame &f) const;
    Reply handshakeReply() const;
    Reply informationReply() const;
    Reply memoryBlock(int from);
    Reply writeByteReply(const CommandFrame &f);
    Reply readByteReply(const CommandFrame &f) const;
    void pressKey(MeterCommand key);
    void stepRange();
    void stepMaxMin();
    void startRecording(bool withWav);
    void stopRecording();
    void eraseMemory();
    void recordDuePoints();
    void trackMaxMin();
    void waitUntil(std::int64_t tick);
    std::uint8_t modeFlags() const;
    std::uint16_t rangeLowTenths() const;
    std::uint16_t rangeHighTenths() const;
    int rawLevelTenths() const;

    LevelModel m_model;
    LoggerMemory m_memory;
    QByteArray m_serial;

    bool m_plugged = true;
    bool m_open = false;
    int m_readTimeoutMs = 1000; // until the program sets its own
    ReplyQueue m_replies;
    bool m_awaitingClockBlock = false;
    int m_downloadNext = -1; // address of the next block of a download, -1 when none runs

    std::uint8_t m_range = 0x88;
    bool m_aWeighting = true;
    bool m_fast = true;
    std::uint8_t m_maxMinMode = 0;
    std::uint16_t m_maxTenths = 0, m_minTenths = 0;

    bool m_recording = false;
    bool m_memoryFull = false;
    std::int64_t m_nextPointTick = 0;
    std::int64_t m_recordIntervalMs = 1000;
    int m_wavCount = 1; // the example data hold the first WAV name

    std::int64_t m_tick;          // clock tick the model has reached
    std::int64_t m_clockOffsetMs = 0; // meter clock minus the computer's
};

} // namespace ql708

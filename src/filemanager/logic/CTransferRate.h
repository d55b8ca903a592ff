#pragma once
// Speed and time left of a running transfer, for the file on its way and for
// the whole transfer. The speed is a moving average over the last few seconds
// of progress, so a stall or a faster stretch shows within that time; until
// the progress covers at least one second, a figure is unknown ("--").
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class CTransferRate
{
public:
    // Milliseconds of a steady clock; tests pass a clock of their own.
    using FnClockMs = std::function<int64_t()>;
    static int64_t SteadyClockMs();

    explicit CTransferRate(FnClockMs fnClock = &CTransferRate::SteadyClockMs,
                           int64_t nWindowMs = 5000);

    // A transfer starts: the bytes of all its files together.
    void StartTransfer(uint64_t nTotalBytes);
    // The next file starts (the one before is done, copied or not).
    void StartFile(uint64_t nFileSize);
    // The bytes of the current file fetched so far.
    void Update(uint64_t nFileBytes);

    // Bytes per second, or -1 while unknown.
    double GetFileSpeed() const { return Speed(m_arrFileSamples); }
    double GetTransferSpeed() const { return Speed(m_arrTransferSamples); }
    // Seconds left, or -1 while unknown.
    double GetFileSecondsLeft() const;
    double GetTransferSecondsLeft() const;

    // "File: 12.3 KB/s, 0:42 left" and "All files: 12.1 KB/s, 1:05 left".
    std::string FileText() const;
    std::string TransferText() const;

    // "512 B/s", "12.3 KB/s", "1.5 MB/s"; "--" for a negative speed.
    static std::string FormatSpeed(double dBytesPerSecond);
    // "0:42", "59:59", "1:00:00"; "--" for a negative time.
    static std::string FormatTimeLeft(double dSeconds);

private:
    struct SSample
    {
        int64_t nTimeMs;
        uint64_t nBytes;
    };

    void AddSample(std::deque<SSample>& arrSamples, uint64_t nBytes) const;
    double Speed(const std::deque<SSample>& arrSamples) const;
    static double SecondsLeft(double dSpeed, uint64_t nLeft);

    FnClockMs m_fnClock;
    int64_t m_nWindowMs;
    uint64_t m_nTotalBytes = 0;
    uint64_t m_nFileSize = 0;
    uint64_t m_nFileBytes = 0;
    uint64_t m_nDoneBefore = 0;    // sizes of the files before the current one
    uint64_t m_nFetchedBefore = 0; // bytes really fetched before the current file
    std::deque<SSample> m_arrFileSamples;
    std::deque<SSample> m_arrTransferSamples;
};

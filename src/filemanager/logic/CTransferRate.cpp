#include "filemanager/logic/CTransferRate.h"

#include "common/StrFormat.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace
{
// Below this much progress time a speed would be a guess.
constexpr int64_t kMinSpanMs = 1000;
} // namespace

int64_t CTransferRate::SteadyClockMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CTransferRate::CTransferRate(FnClockMs fnClock, int64_t nWindowMs)
    : m_fnClock(std::move(fnClock)), m_nWindowMs(std::max<int64_t>(nWindowMs, kMinSpanMs))
{
}

void CTransferRate::StartTransfer(uint64_t nTotalBytes)
{
    m_nTotalBytes = nTotalBytes;
    m_nFileSize = 0;
    m_nFileBytes = 0;
    m_nDoneBefore = 0;
    m_nFetchedBefore = 0;
    m_arrFileSamples.clear();
    m_arrTransferSamples.clear();
    AddSample(m_arrTransferSamples, 0);
}

void CTransferRate::StartFile(uint64_t nFileSize)
{
    m_nDoneBefore += m_nFileSize;
    m_nFetchedBefore += m_nFileBytes;
    m_nFileSize = nFileSize;
    m_nFileBytes = 0;
    m_arrFileSamples.clear();
    AddSample(m_arrFileSamples, 0);
}

void CTransferRate::Update(uint64_t nFileBytes)
{
    m_nFileBytes = nFileBytes;
    AddSample(m_arrFileSamples, nFileBytes);
    AddSample(m_arrTransferSamples, m_nFetchedBefore + nFileBytes);
}

void CTransferRate::AddSample(std::deque<SSample>& arrSamples, uint64_t nBytes) const
{
    const int64_t nNow = m_fnClock();
    arrSamples.push_back({nNow, nBytes});
    // Keep one sample at or before the window's start, so the average always
    // spans the whole window once there is that much history.
    while (arrSamples.size() > 2 && arrSamples[1].nTimeMs <= nNow - m_nWindowMs)
        arrSamples.pop_front();
}

double CTransferRate::Speed(const std::deque<SSample>& arrSamples) const
{
    if (arrSamples.size() < 2)
        return -1;
    const SSample& first = arrSamples.front();
    const SSample& next = arrSamples[1];
    const SSample& last = arrSamples.back();
    // The bytes at the window's start, on the line between the two samples
    // around it; before that much history, the first sample.
    const int64_t nStartMs = std::max(first.nTimeMs, last.nTimeMs - m_nWindowMs);
    double dStartBytes = static_cast<double>(first.nBytes);
    if (nStartMs > first.nTimeMs && next.nTimeMs > first.nTimeMs)
        dStartBytes += (static_cast<double>(next.nBytes) - static_cast<double>(first.nBytes)) *
                       static_cast<double>(nStartMs - first.nTimeMs) /
                       static_cast<double>(next.nTimeMs - first.nTimeMs);
    const int64_t nSpanMs = last.nTimeMs - nStartMs;
    const double dBytes = static_cast<double>(last.nBytes) - dStartBytes;
    if (nSpanMs < kMinSpanMs || dBytes < 0)
        return -1;
    return dBytes * 1000.0 / static_cast<double>(nSpanMs);
}

double CTransferRate::SecondsLeft(double dSpeed, uint64_t nLeft)
{
    if (dSpeed < 0)
        return -1;
    if (nLeft == 0)
        return 0;
    if (dSpeed == 0)
        return -1;
    return static_cast<double>(nLeft) / dSpeed;
}

double CTransferRate::GetFileSecondsLeft() const
{
    const uint64_t nLeft = m_nFileSize > m_nFileBytes ? m_nFileSize - m_nFileBytes : 0;
    return SecondsLeft(GetFileSpeed(), nLeft);
}

double CTransferRate::GetTransferSecondsLeft() const
{
    const uint64_t nDone = m_nDoneBefore + std::min(m_nFileBytes, m_nFileSize);
    const uint64_t nLeft = m_nTotalBytes > nDone ? m_nTotalBytes - nDone : 0;
    return SecondsLeft(GetTransferSpeed(), nLeft);
}

std::string CTransferRate::FileText() const
{
    return "File: " + FormatSpeed(GetFileSpeed()) + ", " + FormatTimeLeft(GetFileSecondsLeft()) +
           " left";
}

std::string CTransferRate::TransferText() const
{
    return "All files: " + FormatSpeed(GetTransferSpeed()) + ", " +
           FormatTimeLeft(GetTransferSecondsLeft()) + " left";
}

std::string CTransferRate::FormatSpeed(double dBytesPerSecond)
{
    if (dBytesPerSecond < 0)
        return "--";
    if (dBytesPerSecond < 1024)
        return StrFormat("%.0f B/s", dBytesPerSecond);
    if (dBytesPerSecond < 1024.0 * 1024.0)
        return StrFormat("%.1f KB/s", dBytesPerSecond / 1024.0);
    return StrFormat("%.1f MB/s", dBytesPerSecond / (1024.0 * 1024.0));
}

std::string CTransferRate::FormatTimeLeft(double dSeconds)
{
    if (dSeconds < 0)
        return "--";
    // Whole seconds, rounded up: "0:00" only when nothing is left.
    const auto nTotal = static_cast<long long>(std::ceil(dSeconds));
    const long long nHours = nTotal / 3600;
    const long long nMinutes = nTotal / 60 % 60;
    const long long nSeconds = nTotal % 60;
    if (nHours > 0)
        return StrFormat("%lld:%02lld:%02lld", nHours, nMinutes, nSeconds);
    return StrFormat("%lld:%02lld", nMinutes, nSeconds);
}

#include "CChartExternal.h"

#include <algorithm>

CChartExternal::CChartExternal(QObject* pParent) : QObject(pParent)
{
    setObjectName("chartExternal");
}

QString CChartExternal::ChartGetData() const
{
    return QString::fromLatin1(m_strData.data(), static_cast<qsizetype>(m_strData.size()));
}

QString CChartExternal::ChartGetType() const
{
    return QString::fromStdString(m_strChartType);
}

QString CChartExternal::GetChartOutputFormat() const
{
    return QString::fromStdString(m_strOutputFormat);
}

QString CChartExternal::GetChartInputFormat() const
{
    return QString::fromStdString(m_strInputFormat);
}

QString CChartExternal::ChartGetTitle() const
{
    return QString::fromLatin1(m_strTitle.data(), static_cast<qsizetype>(m_strTitle.size()));
}

QString CChartExternal::ChartGetSubTitle() const
{
    return QString::fromLatin1(m_strSubTitle.data(), static_cast<qsizetype>(m_strSubTitle.size()));
}

quint32 CChartExternal::ChartHeight() const
{
    const int nHeight = m_fnClientHeight ? m_fnClientHeight() - 2 : 0;
    return static_cast<quint32>(std::max(nHeight, 0));
}

bool CChartExternal::GetLegendVisibility(quint16 nSeries) const
{
    return std::find(m_arrHiddenSeries.begin(), m_arrHiddenSeries.end(), nSeries) ==
           m_arrHiddenSeries.end();
}

void CChartExternal::SetLegendVisibility(quint16 nSeries, bool bHidden)
{
    m_arrHiddenSeries.erase(
        std::remove(m_arrHiddenSeries.begin(), m_arrHiddenSeries.end(), nSeries),
        m_arrHiddenSeries.end());
    if (bHidden)
        m_arrHiddenSeries.push_back(nSeries);
}

void CChartExternal::ChartDrawn()
{
    emit drawn();
}

void CChartExternal::SetDateFormats(bool bHasMilliseconds)
{
    m_strInputFormat = "%m/%d/%Y %H:%M:%S";
    m_strOutputFormat = "%b%d,%Y %H:%M:%S";
    if (bHasMilliseconds)
    {
        m_strInputFormat += ":%L";
        m_strOutputFormat += ":%L";
    }
}

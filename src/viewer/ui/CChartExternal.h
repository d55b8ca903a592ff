#pragma once
// What the chart page's script calls: the series, the chart type and texts,
// and the zoom and hidden series that the page reports and reads back, so
// that they survive reloads of the page (a switch between line and column
// chart keeps both).
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CChartExternal : public QObject
{
    Q_OBJECT
public:
    explicit CChartExternal(QObject* pParent = nullptr);

    Q_INVOKABLE QString ChartGetData() const;
    Q_INVOKABLE QString ChartGetType() const;
    Q_INVOKABLE QString GetChartOutputFormat() const;
    Q_INVOKABLE QString GetChartInputFormat() const;
    Q_INVOKABLE void ChartSetZoomPt1(quint64 nPoint) { m_nZoomPt1 = nPoint; }
    Q_INVOKABLE void ChartSetZoomPt2(quint64 nPoint) { m_nZoomPt2 = nPoint; }
    Q_INVOKABLE quint64 ChartGetZoomPt1() const { return m_nZoomPt1; }
    Q_INVOKABLE quint64 ChartGetZoomPt2() const { return m_nZoomPt2; }
    Q_INVOKABLE QString ChartGetTitle() const;
    Q_INVOKABLE QString ChartGetSubTitle() const;
    Q_INVOKABLE quint32 ChartHeight() const;
    Q_INVOKABLE bool GetLegendVisibility(quint16 nSeries) const;
    // bHidden true records the series as hidden; false as shown.
    Q_INVOKABLE void SetLegendVisibility(quint16 nSeries, bool bHidden);
    // Local time minus UTC in seconds that the time stamps of ChartGetData
    // were reduced by: adding it back gives each point's wall-clock time.
    Q_INVOKABLE qint32 ChartGetUtcOffset() const { return m_nUtcOffset; }
    // The page has drawn the chart (or given up on it).
    Q_INVOKABLE void ChartDrawn();

    // Input and output date formats for a file with or without milliseconds.
    void SetDateFormats(bool bHasMilliseconds);

    uint64_t m_nZoomPt1 = 0;
    uint64_t m_nZoomPt2 = 0;
    std::string m_strTitle;
    std::string m_strSubTitle;
    std::string m_strChartType;
    std::string m_strOutputFormat;
    std::string m_strInputFormat;
    std::string m_strData;
    int32_t m_nUtcOffset = 0;
    std::vector<uint16_t> m_arrHiddenSeries;
    // The height the page should draw at (the dialog's client height).
    std::function<int()> m_fnClientHeight;

signals:
    void drawn();
};

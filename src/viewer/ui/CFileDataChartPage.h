#pragma once
// The Graph View page: holds the chart dialog, filling the page, and redraws
// the chart on activation when the cache or the filter changed.
#include <QWidget>

class CDataLogFile;
class CFileDataChartDlg;

class CFileDataChartPage : public QWidget
{
    Q_OBJECT
public:
    explicit CFileDataChartPage(CDataLogFile* pDataLog, QWidget* pParent = nullptr);
    ~CFileDataChartPage() override;

    // The page became current: once shown, rebuilds the chart when the view
    // flag says the cache or the filter changed (or nothing was drawn yet).
    void OnSetActive();
    void RefreshChart();

    CFileDataChartDlg* m_pChartDlg;

private:
    CDataLogFile* m_pDataLog;
    bool m_bEverLoaded = false;
};

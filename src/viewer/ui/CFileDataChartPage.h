#pragma once
// The Graph View page: holds the chart dialog, filling the page, and redraws
// the chart on activation when the cache or the filter changed. The viewer
// sheet makes the chart dialog, and with it the web engine's page and
// processes, only when the page is first shown: a viewer closed without a
// look at the graph never starts them.
#include <QWidget>

class CDataLogFile;
class CFileDataChartDlg;

class CFileDataChartPage : public QWidget
{
    Q_OBJECT
public:
    // bCreateChart false leaves the chart dialog to the first activation.
    explicit CFileDataChartPage(CDataLogFile* pDataLog, QWidget* pParent = nullptr,
                                bool bCreateChart = true);
    ~CFileDataChartPage() override;

    // The page became current: once shown, rebuilds the chart when the view
    // flag says the cache or the filter changed (or nothing was drawn yet).
    void OnSetActive();
    void RefreshChart();

    CFileDataChartDlg* m_pChartDlg = nullptr; // null until made

private:
    void CreateChart();

    CDataLogFile* m_pDataLog;
    bool m_bEverLoaded = false;
};

#pragma once
// The window in which one data-log file is viewed: a modal, resizable sheet
// with the pages Read Data, Filters, Data View and Graph View on one shared
// data-log object, and the extra buttons level with the tabs that act on the
// two views ("Export" on Data View; "Print" and the graph type on Graph View).
#include "widgets/CResizableSheet.h"

class CDataLogFile;
class CFileDataChartPage;
class CFileDataFiltersPage;
class CFileDataPage;
class CFileDataReadPage;
class QPushButton;

class CFileDataSheet : public CResizableSheet
{
    Q_OBJECT
public:
    enum EPage
    {
        PageReadData = 0,
        PageFilters = 1,
        PageDataView = 2,
        PageGraphView = 3,
    };

    // strTitle is the window title ("Data from <file>"); the sheet opens on
    // nFirstPage. The data-log object must outlive the sheet.
    CFileDataSheet(const QString& strTitle, QWidget* pParent, int nFirstPage,
                   CDataLogFile* pDataLog);
    ~CFileDataSheet() override;

    // Shows the extra buttons that belong to the active page.
    void UpdateSheetButtons();
    void OnPrint();
    void OnGraphType();
    void OnExport();

    CFileDataReadPage* ReadPage() const { return m_pReadPage; }
    CFileDataFiltersPage* FiltersPage() const { return m_pFiltersPage; }
    CFileDataPage* DataPage() const { return m_pDataPage; }
    CFileDataChartPage* ChartPage() const { return m_pChartPage; }
    QPushButton* PrintButton() const { return m_pPrintButton; }
    QPushButton* GraphTypeButton() const { return m_pGraphTypeButton; }
    QPushButton* ExportButton() const { return m_pExportButton; }

public slots:
    // No closing while records load (the sheet is disabled then).
    void reject() override;

protected:
    bool OnKillActive(int nIndex) override;
    void OnSetActive(int nIndex) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void WatchChart();

    CFileDataReadPage* m_pReadPage;
    CFileDataFiltersPage* m_pFiltersPage;
    CFileDataPage* m_pDataPage;
    CFileDataChartPage* m_pChartPage;
    QPushButton* m_pGraphTypeButton;
    QPushButton* m_pPrintButton;
    QPushButton* m_pExportButton;
    bool m_bChartWatched = false;
};

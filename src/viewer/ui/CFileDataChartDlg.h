#pragma once
// The chart dialog: a web view on the program's own chart page, which draws
// the series that the dialog hands it through its script-callable object,
// and prints the page with a header naming the file and its filters.
#include "CChartExternal.h"

#include <QWidget>

#include <functional>
#include <memory>

class CDataLogFile;
class CDlgProgressDlg;
class QPrinter;
class QTimer;
class QWebEngineView;
class QWebChannel;

class CFileDataChartDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CFileDataChartDlg(CDataLogFile* pDataLog, QWidget* pParent = nullptr);
    ~CFileDataChartDlg() override;

    // Rebuilds the series from the cache and reloads the chart page.
    void RefreshGraph();
    // Switches between line and column chart; zoom and hidden series stay.
    void ToggleChartType();
    // Prints the chart page under the print header.
    void PrintChart();

    // Column (bar) chart instead of line chart.
    bool m_bColumnChart = false;
    // The chart page is loading (from LoadGraph until the page has drawn).
    bool m_bLoading = false;

    // Prepares the printer (the print dialog by default); false cancels.
    // Tests replace it to print into a PDF file.
    std::function<bool(QPrinter& printer)> m_fnSetUpPrinter;

    CChartExternal& External() { return m_external; }
    QWebEngineView* GetView() const { return m_pView; }
    bool IsPrinting() const { return m_pPrinter != nullptr; }

signals:
    // Loading ended or the chart type changed.
    void chartStateChanged();
    // The chart page reported that it has drawn the chart.
    void chartDrawn();
    // A print has ended (printed or not).
    void printDone(bool bPrinted);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void LoadGraph();
    void OnLoadFinished(bool bOk);
    void EndLoading();
    void PrintWithHeader();
    void RemovePrintHeader(bool bPrinted);
    bool SetUpPrinterDialog(QPrinter& printer);

    CDataLogFile* m_pDataLog;
    CChartExternal m_external;
    QWebEngineView* m_pView;
    QWebChannel* m_pChannel;
    QTimer* m_pLoadGuard;
    std::unique_ptr<CDlgProgressDlg> m_pProgress;
    std::unique_ptr<QPrinter> m_pPrinter;
};

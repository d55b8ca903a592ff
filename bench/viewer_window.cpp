// The data-log viewer's window on one million cached records of six columns
// served by the simulator: the Data View shown (model reset to the first
// paint of the table) and one sort by a tag column, and the Graph View from
// its activation to the chart drawn by the chart page, for 100,000 and for
// 1,000,000 records. Runs offscreen.
#include "BigDataLog.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "viewer/CDataLogFile.h"
#include "viewer/ui/CFileDataChartDlg.h"
#include "viewer/ui/CFileDataChartPage.h"
#include "viewer/ui/CFileDataPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int BIG_RECORDS = 1000000;
constexpr int MEDIUM_RECORDS = 100000;

std::string LogName(int nRecords)
{
    return nRecords == BIG_RECORDS ? "BIGLOG.CSV" : "MIDLOG.CSV";
}

// One channel and one fully cached log per file.
struct SCachedLog
{
    std::unique_ptr<CCommInterface> pComm;
    std::unique_ptr<CPanelFileCommands> pFiles;
    std::unique_ptr<CDataLogFile> pLog;
};

struct SShared
{
    CTempDir dir;
    std::unique_ptr<CSimulatorProcess> pSimulator;
    std::map<int, SCachedLog> mapLogs;
};

std::unique_ptr<SShared>& SharedHolder()
{
    static std::unique_ptr<SShared> s_pShared;
    return s_pShared;
}

SShared& Shared()
{
    std::unique_ptr<SShared>& pShared = SharedHolder();
    if (!pShared)
        pShared = std::make_unique<SShared>();
    SShared& s_shared = *pShared;
    if (!s_shared.pSimulator)
    {
        for (int nRecords : {MEDIUM_RECORDS, BIG_RECORDS})
            s_shared.dir.WriteFile(LogName(nRecords), MakeBigDataLog(nRecords));
        s_shared.pSimulator = std::make_unique<CSimulatorProcess>(
            std::vector<std::string>{"--no-tftp", "--card", s_shared.dir.Str()});
    }
    return s_shared;
}

CDataLogFile& CachedLog(int nRecords)
{
    SShared& shared = Shared();
    SCachedLog& cached = shared.mapLogs[nRecords];
    if (!cached.pLog)
    {
        cached.pComm = std::make_unique<CCommInterface>("127.0.0.1", shared.pSimulator->Port());
        cached.pFiles = std::make_unique<CPanelFileCommands>(cached.pComm.get());
        cached.pLog = std::make_unique<CDataLogFile>(cached.pFiles.get());
        cached.pLog->OpenLog(LogName(nRecords));
        cached.pLog->LoadRecords(LoadAll, 0);
        cached.pLog->UpdateRecordSetText();
    }
    return *cached.pLog;
}

// The Data View shown: the rows rebuilt from the cache, the model reset and
// the columns sized, up to the first paint of the table.
void BM_DataViewShown(benchmark::State& state)
{
    CDataLogFile& log = CachedLog(BIG_RECORDS);
    CFileDataPage page(&log);
    page.resize(900, 600);
    page.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
    {
        log.m_bDataViewStale = true;
        page.RefreshList();
        page.GetList()->viewport()->repaint();
    }
    state.counters["rows"] = page.GetList()->model()->rowCount();
}
BENCHMARK(BM_DataViewShown)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// One click on the header of a tag column: the sort and the repaint.
void BM_DataViewSortByTag(benchmark::State& state)
{
    CDataLogFile& log = CachedLog(BIG_RECORDS);
    CFileDataPage page(&log);
    page.resize(900, 600);
    page.show();
    log.m_bDataViewStale = true;
    page.RefreshList();
    QHeaderView* pHeader = page.GetList()->horizontalHeader();
    for (auto _ : state)
    {
        emit pHeader->sectionClicked(4); // "Level", decimal texts
        page.GetList()->viewport()->repaint();
    }
    state.counters["rows"] = page.GetList()->model()->rowCount();
}
BENCHMARK(BM_DataViewSortByTag)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The Graph View from its activation to the chart page's report that it has
// drawn: the JSON series built, the page loaded, the data handed over and drawn.
void BM_GraphViewDrawn(benchmark::State& state)
{
    const int nRecords = static_cast<int>(state.range(0));
    CDataLogFile& log = CachedLog(nRecords);
    CFileDataChartPage page(&log);
    page.resize(1000, 650);
    page.show();
    bool bDrawn = false;
    QObject::connect(page.m_pChartDlg, &CFileDataChartDlg::chartDrawn, [&] { bDrawn = true; });
    for (auto _ : state)
    {
        bDrawn = false;
        log.m_bGraphViewStale = true;
        page.RefreshChart();
        QElapsedTimer timer;
        timer.start();
        while (!bDrawn && timer.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!bDrawn)
            state.SkipWithError("the chart was not drawn");
    }
    state.counters["points"] = static_cast<double>(nRecords) * 4;
}
BENCHMARK(BM_GraphViewDrawn)
    ->Arg(MEDIUM_RECORDS)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_GraphViewDrawn)
    ->Arg(BIG_RECORDS)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    {
        const std::string strRuntime = "/tmp/orvak-bench-runtime-" + std::to_string(getuid());
        mkdir(strRuntime.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", strRuntime.c_str());
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The logs close their files, then the simulator stops, while the
    // application still runs.
    SharedHolder().reset();
    return 0;
}

#pragma once
// Runs `pull`'s work for many panels, a few at a time on worker threads. Each
// panel has its own channel, transfer engine and target folder; what the link
// layer keeps per process is per thread (the panel information block), so one
// panel's answer never decides for another. A failing panel only ends its own
// job.
#include "CliPullJob.h"

#include <string>
#include <vector>

struct SCollectPanel
{
    std::string strName; // as in the panel list
    std::string strHost; // a.b.c.d
    int nPort = 0;
    std::string strFolder;  // where its files go (exists before the run)
    std::string strProblem; // when set, the panel is not tried and fails with this text
};

struct SCollectResult
{
    SPullResult pull;
    bool bTried = false; // false: not started (interrupted) or strProblem set
    double dSeconds = 0;
};

// The results in the panels' order. ctx gives the time-outs and main's options;
// options the pattern and copy choices (their root folder is each panel's).
std::vector<SCollectResult> RunCollect(const CCliContext& ctx, const SPullOptions& options,
                                       const std::vector<SCollectPanel>& arrPanels, int nJobs);

#include "CliCollectRun.h"

#include "common/CPrompt.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace
{
// The name of the panel this thread works on, for the messages it gives.
thread_local const std::string* t_pPanelName = nullptr;

// Messages go to standard error with the panel's name in front; the one
// question (copy a file whose name gives no folders into the root folder
// instead) is answered Yes, as `pull` does. Installed once, before the
// workers start, and only read by them.
class CCollectPrompt : public CPrompt
{
public:
    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override
    {
        const std::string strPrefix = t_pPanelName ? "[" + *t_pPanelName + "] " : std::string();
        return m_stderr.Show(strPrefix + strText, eIcon, eButtons);
    }

private:
    CStderrPrompt m_stderr{EPromptAnswer::Yes};
};

SCollectResult CollectOne(const CCliContext& ctxAll, const SPullOptions& optionsAll,
                          const SCollectPanel& panel)
{
    SCollectResult result;
    if (!panel.strProblem.empty())
    {
        result.pull.strError = panel.strProblem;
        return result;
    }
    CCliContext ctx = ctxAll;
    ctx.m_strHost = panel.strHost;
    ctx.m_nPort = panel.nPort;
    SPullOptions options = optionsAll;
    options.strRootFolder = panel.strFolder;
    options.strLinePrefix = "[" + panel.strName + "] ";

    t_pPanelName = &panel.strName;
    const auto tmStart = std::chrono::steady_clock::now();
    result.bTried = true;
    result.pull = RunPullJob(ctx, options);
    result.dSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - tmStart).count();
    if (!result.pull.bListed)
        std::fprintf(stderr, "%s%s\n", options.strLinePrefix.c_str(), result.pull.strError.c_str());
    t_pPanelName = nullptr;
    return result;
}
} // namespace

std::vector<SCollectResult> RunCollect(const CCliContext& ctx, const SPullOptions& options,
                                       const std::vector<SCollectPanel>& arrPanels, int nJobs)
{
    std::vector<SCollectResult> arrResults(arrPanels.size());
    CCollectPrompt prompt;
    CScopedPrompt scopedPrompt(prompt);
    SPullOptions optionsAll = options;
    optionsAll.pPrompt = &prompt;
    // Each worker takes the next panel not yet taken; every result has its own
    // slot, so the workers share nothing else.
    std::atomic<size_t> nNext{0};
    auto work = [&]()
    {
        for (size_t i = nNext++; i < arrPanels.size(); i = nNext++)
        {
            if (IsPullInterrupted())
                return;
            arrResults[i] = CollectOne(ctx, optionsAll, arrPanels[i]);
        }
    };
    const size_t nThreads = std::min<size_t>(static_cast<size_t>(std::max(nJobs, 1)),
                                             std::max<size_t>(arrPanels.size(), 1));
    std::vector<std::thread> arrThreads;
    for (size_t i = 0; i < nThreads; ++i)
        arrThreads.emplace_back(work);
    for (std::thread& thread : arrThreads)
        thread.join();
    return arrResults;
}

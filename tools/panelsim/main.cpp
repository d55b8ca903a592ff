// orvak-panelsim: a panel on the network for tests, demonstrations and people
// who configure panels without hardware at hand.
#include "CCardFolder.h"
#include "CFaultInjector.h"
#include "CLogGrower.h"
#include "CSimSettings.h"
#include "CStopToken.h"
#include "CTcpServer.h"
#include "CTftpServer.h"
#include "DemoCard.h"
#include "SimLog.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace
{
int Fail(const std::string& strReason)
{
    SIM_LOG("%s", strReason.c_str());
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    CSimSettings settings;
    std::string strError;
    if (!ParseSimArguments(argc, argv, settings, strError))
        return Fail(strError);
    if (settings.m_bHelp)
    {
        std::fputs(SimHelpText(), stdout);
        return 0;
    }
    if (settings.m_bVersion)
    {
        std::printf("orvak-panelsim %s\n", ORVAK_VERSION);
        return 0;
    }
    SimSetVerbose(settings.m_bVerbose);

    // Every thread inherits this mask; only the main thread takes the signals.
    sigset_t setStop;
    sigemptyset(&setStop);
    sigaddset(&setStop, SIGINT);
    sigaddset(&setStop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &setStop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    if (!settings.m_strDemoCard.empty())
    {
        if (!CreateDemoCard(settings.m_strDemoCard, strError))
            return Fail(strError);
        settings.m_strCard = settings.m_strDemoCard;
    }
    CCardFolder card;
    if (!card.Open(settings.m_strCard, strError))
        return Fail(strError);

    CStopToken stop;
    CFaultInjector faults(settings);
    CSimContext context{settings, card, faults, stop};
    CLogGrower grower(context);
    if (!settings.m_strGrowLog.empty() && !grower.Check(strError))
        return Fail(strError);
    CTcpServer tcp(context);
    if (!tcp.Listen(settings.m_strAddress, settings.m_nPort, strError))
        return Fail(strError);
    CTftpServer tftp(context);
    if (settings.m_bTftp && !tftp.Bind(settings.m_strAddress, settings.m_nTftpPort, strError))
        return Fail(strError);

    const std::string strTftp = settings.m_bTftp ? std::to_string(tftp.Port()) : "off";
    std::printf("panelsim port=%d tftp=%s\n", tcp.Port(), strTftp.c_str());
    std::fflush(stdout);
    SIM_VERBOSE("serving card folder '%s'", settings.m_strCard.c_str());

    tcp.Start();
    if (settings.m_bTftp)
        tftp.Start();
    if (!settings.m_strGrowLog.empty())
        grower.Start();

    int nSignal = 0;
    sigwait(&setStop, &nSignal);
    SIM_VERBOSE("signal %d, stopping", nSignal);
    stop.Stop();
    grower.Stop();
    tftp.Stop();
    tcp.Stop();
    return 0;
}

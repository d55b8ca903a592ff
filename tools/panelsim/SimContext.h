#pragma once
// What every connection and transfer of the simulator shares: the settings,
// the card folder, the request-level faults and the stop signal.
#include "CCardFolder.h"
#include "CFaultInjector.h"
#include "CSimSettings.h"
#include "CStopToken.h"

struct CSimContext
{
    const CSimSettings& m_settings;
    const CCardFolder& m_card;
    CFaultInjector& m_faults;
    const CStopToken& m_stop;
};

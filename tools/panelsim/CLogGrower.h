#pragma once
// --grow-log: appends one record to a data log on the card every interval,
// the way a panel keeps logging while the file is being viewed.
#include "SimContext.h"

#include <string>
#include <thread>

class CLogGrower
{
public:
    explicit CLogGrower(CSimContext& context);
    ~CLogGrower();
    CLogGrower(const CLogGrower&) = delete;
    CLogGrower& operator=(const CLogGrower&) = delete;

    // Checks that the file exists and holds a header and a record.
    bool Check(std::string& strError) const;
    void Start();
    void Stop(); // the stop token is set

    // Appends one record now; false (with a reason) when the file does not
    // end with whole records of one length.
    bool AppendRecord(std::string& strError);

private:
    CSimContext& m_context;
    std::thread m_thread;
    unsigned m_nStep = 0;
};

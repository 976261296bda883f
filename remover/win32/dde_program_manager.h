// Program Manager over DDEML: service and topic "PROGMAN", one conversation per removal, each
// command an execute transaction with a time-out of one minute. What DDEML reports while a
// transaction waits (a critical error, the server ending the conversation) is shown at once
// through the window; the transaction's own result decides the rest.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include "remover/program_manager.h"
#include "remover/remover_ui.h"

class DdeProgramManager : public ProgramManager {
public:
    explicit DdeProgramManager(RemoverUi* ui) : ui_(ui) {}

    bool Execute(const std::vector<std::string>& commands) override;

private:
    static HDDEDATA CALLBACK CallBack(UINT type, UINT format, HCONV conversation, HSZ topic,
                                      HSZ service, HDDEDATA data, ULONG_PTR data1,
                                      ULONG_PTR data2);
    // Everything obtained so far is released.
    void Release();

    RemoverUi* ui_;
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
};

// The DDEML conversation with Program Manager and the callback that reports on it.
#include "remover/win32/dde_program_manager.h"

#include "remover/remover_texts.h"

namespace {

constexpr DWORD kCommandTimeout = 60000;  // ms

// The conversation that DDEML's callback reports to. DDEML calls back on this thread only,
// while a transaction of that conversation waits.
DdeProgramManager* active = nullptr;

}  // namespace

bool DdeProgramManager::Execute(const std::vector<std::string>& commands) {
    instance_ = 0;
    conversation_ = nullptr;
    service_ = topic_ = nullptr;
    active = this;

    bool accepted = DdeInitializeA(&instance_, &DdeProgramManager::CallBack, APPCMD_CLIENTONLY,
                                   0) == DMLERR_NO_ERROR;
    if (accepted) {
        service_ = DdeCreateStringHandleA(instance_, "PROGMAN", CP_WINANSI);
        topic_ = DdeCreateStringHandleA(instance_, "PROGMAN", CP_WINANSI);
        accepted = service_ != nullptr && topic_ != nullptr;
    }
    if (accepted) {
        conversation_ = DdeConnect(instance_, service_, topic_, nullptr);
        accepted = conversation_ != nullptr;
    }
    for (size_t i = 0; accepted && i < commands.size(); ++i) {
        // The text goes with its terminating zero; a server that has disconnected meanwhile
        // leaves no conversation to send on.
        const std::string& command = commands[i];
        auto* bytes = reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str()));
        accepted = conversation_ != nullptr &&
                   DdeClientTransaction(bytes, static_cast<DWORD>(command.size() + 1),
                                        conversation_, nullptr, 0, XTYP_EXECUTE, kCommandTimeout,
                                        nullptr) != nullptr;
    }
    Release();
    active = nullptr;
    return accepted;
}

void DdeProgramManager::Release() {
    if (conversation_ != nullptr) DdeDisconnect(conversation_);
    conversation_ = nullptr;
    if (instance_ != 0) {
        if (service_ != nullptr) DdeFreeStringHandle(instance_, service_);
        if (topic_ != nullptr) DdeFreeStringHandle(instance_, topic_);
        DdeUninitialize(instance_);
    }
    instance_ = 0;
    service_ = topic_ = nullptr;
}

HDDEDATA CALLBACK DdeProgramManager::CallBack(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA,
                                              ULONG_PTR, ULONG_PTR) {
    if (active == nullptr) return nullptr;
    if (type == XTYP_ERROR || type == XTYP_DISCONNECT) {
        active->ui_->Beep();
        active->ui_->Show(type == XTYP_ERROR ? zoclear_text::kDdeCriticalError
                                             : zoclear_text::kDdeDisconnected,
                          BoxIcon::kExclamation);
        if (type == XTYP_DISCONNECT) active->conversation_ = nullptr;
    }
    return nullptr;
}

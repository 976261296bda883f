// The stand-in Program Manager: its DDE server thread and the commands it carries out.
#include "tests/win32/remover/stand_in_program_manager.h"

#include "tests/win32/remover/folder_tree.h"

namespace {

// DDEML calls back without a pointer of ours; one server runs at a time.
StandInProgramManager* server = nullptr;

// The verb and first quoted argument of "[Verb("argument", ...)]"; false for anything else.
bool ParseCommand(const std::string& command, std::string* verb, std::string* argument) {
    if (command.size() < 2 || command.front() != '[' || command.back() != ']') return false;
    const size_t open = command.find('(');
    const size_t firstQuote = command.find('"');
    if (open == std::string::npos || firstQuote != open + 1) return false;
    const size_t secondQuote = command.find('"', firstQuote + 1);
    if (secondQuote == std::string::npos) return false;
    *verb = command.substr(1, open - 1);
    *argument = command.substr(firstQuote + 1, secondQuote - firstQuote - 1);
    return true;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A group name that stays inside the Programs folder: what a careful Program Manager takes.
// A name of blanks alone names the Programs folder itself.
bool StaysInside(const std::string& group) {
    return !SystemFolderName(group).empty() && group.find("..") == std::string::npos &&
           group[0] != '\\' && group.find(':') == std::string::npos;
}

}  // namespace

StandInProgramManager::StandInProgramManager(std::string programsFolder)
    : programs_(std::move(programsFolder)) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    server = this;
    thread_ = CreateThread(nullptr, 0, &StandInProgramManager::Thread, this, 0, &threadId_);
    // The thread sets it once it serves, or once it knows it cannot.
    if (thread_ != nullptr) WaitForSingleObject(ready_, INFINITE);
}

StandInProgramManager::~StandInProgramManager() {
    if (thread_ != nullptr) {
        // Its queue is there since it was ready; the callback must not outlive this object.
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    CloseHandle(ready_);
    server = nullptr;
}

void StandInProgramManager::Refuse(const std::string& command) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuse_ = command;
}

void StandInProgramManager::DisconnectAt(const std::string& command) {
    std::lock_guard<std::mutex> lock(mutex_);
    disconnectAt_ = command;
}

void StandInProgramManager::OnceAt(const std::string& command, std::function<void()> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    onceAt_ = command;
    action_ = std::move(action);
}

std::vector<std::string> StandInProgramManager::Log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

void StandInProgramManager::Add(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(line);
}

DWORD WINAPI StandInProgramManager::Thread(void* self) {
    auto* stand = static_cast<StandInProgramManager*>(self);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    if (DdeInitializeA(&stand->instance_, &StandInProgramManager::CallBack,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS,
                       0) == DMLERR_NO_ERROR) {
        stand->name_ = DdeCreateStringHandleA(stand->instance_, "PROGMAN", CP_WINANSI);
        stand->registered_ =
            stand->name_ != nullptr && DdeNameService(stand->instance_, stand->name_, nullptr,
                                                      DNS_REGISTER) != nullptr;
    }
    SetEvent(stand->ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    if (stand->instance_ != 0) {
        if (stand->name_ != nullptr) {
            DdeNameService(stand->instance_, stand->name_, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(stand->instance_, stand->name_);
        }
        DdeUninitialize(stand->instance_);
    }
    return 0;
}

HDDEDATA CALLBACK StandInProgramManager::CallBack(UINT type, UINT, HCONV conversation, HSZ topic,
                                                  HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    StandInProgramManager* stand = server;
    if (stand == nullptr) return nullptr;
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<INT_PTR>(DdeCmpStringHandles(topic, stand->name_) == 0));
        case XTYP_CONNECT_CONFIRM:
            stand->shownGroup_.clear();
            stand->Add("connect");
            return nullptr;
        case XTYP_DISCONNECT:
            stand->Add("disconnect");
            return nullptr;
        case XTYP_EXECUTE: {
            const DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::string command(size, '\0');
            if (size > 0) DdeGetData(data, reinterpret_cast<LPBYTE>(&command[0]), size, 0);
            command.resize(command.find('\0') == std::string::npos ? command.size()
                                                                   : command.find('\0'));
            const std::string outcome = stand->Carry(conversation, command);
            stand->Add(command + " " + outcome);
            return reinterpret_cast<HDDEDATA>(
                static_cast<INT_PTR>(outcome == "ok" ? DDE_FACK : DDE_FNOTPROCESSED));
        }
        default:
            return nullptr;
    }
}

std::string StandInProgramManager::Carry(HCONV conversation, const std::string& command) {
    std::string refuse, disconnectAt;
    std::function<void()> action;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        refuse = refuse_;
        disconnectAt = disconnectAt_;
        if (command == onceAt_) {
            action = std::move(action_);
            onceAt_.clear();
        }
    }
    if (action) action();
    if (command == disconnectAt) {
        DdeDisconnect(conversation);
        return "disconnected";
    }
    if (command == refuse) return "refused";
    std::string verb, argument;
    if (!ParseCommand(command, &verb, &argument)) return "refused";
    if (verb == "ShowGroup") {
        const std::string folder = SystemFolderName(argument);
        if (folder.empty() || !IsFolder(programs_ + "\\" + folder)) return "refused";
        shownGroup_ = folder;
        return "ok";
    }
    if (verb == "DeleteItem") {
        if (shownGroup_.empty()) return "refused";
        const std::string link = programs_ + "\\" + shownGroup_ + "\\" + argument + ".lnk";
        return DeleteFileA(link.c_str()) ? "ok" : "refused";
    }
    if (verb == "DeleteGroup") {
        if (!StaysInside(argument)) return "unsafe";
        const std::string folder = programs_ + "\\" + SystemFolderName(argument);
        return IsFolder(folder) && RemoveTree(folder) ? "ok" : "refused";
    }
    return "refused";
}

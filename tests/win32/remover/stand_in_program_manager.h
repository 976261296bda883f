// A Program Manager of the tests' own: a DDE server for service and topic "PROGMAN" on a thread
// of its own that logs every conversation and command, carries the commands out on a Programs
// folder as Program Manager would (a group is a folder, named as the system names it, an item a
// ".lnk" file in it), and can refuse a command, end the conversation at one, or let something
// else happen while one waits for its answer.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class StandInProgramManager {
public:
    // Serves `programsFolder` (no trailing "\"); returns once the name is registered.
    explicit StandInProgramManager(std::string programsFolder);
    ~StandInProgramManager();
    StandInProgramManager(const StandInProgramManager&) = delete;
    StandInProgramManager& operator=(const StandInProgramManager&) = delete;

    bool Running() const { return registered_; }

    // The command with this exact text is answered as not processed, and not carried out.
    void Refuse(const std::string& command);
    // At the command with this exact text the server ends the conversation instead of
    // answering.
    void DisconnectAt(const std::string& command);
    // When the command with this exact text first arrives, `action` runs on the server's
    // thread before the command is carried out and answered.
    void OnceAt(const std::string& command, std::function<void()> action);

    // "connect", "<command> ok", "<command> refused", "<command> disconnected", "disconnect";
    // a DeleteGroup that would reach outside the Programs folder is logged "<command> unsafe"
    // and refused.
    std::vector<std::string> Log() const;

private:
    static DWORD WINAPI Thread(void* self);
    static HDDEDATA CALLBACK CallBack(UINT type, UINT format, HCONV conversation, HSZ topic,
                                      HSZ service, HDDEDATA data, ULONG_PTR data1,
                                      ULONG_PTR data2);
    // "ok", "refused", "unsafe" or "disconnected".
    std::string Carry(HCONV conversation, const std::string& command);
    void Add(const std::string& line);

    std::string programs_;
    std::string shownGroup_;
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
    std::string refuse_;
    std::string disconnectAt_;
    std::string onceAt_;
    std::function<void()> action_;

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;
    bool registered_ = false;
    DWORD instance_ = 0;
    HSZ name_ = nullptr;
};

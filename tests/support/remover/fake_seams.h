// Stand-ins for the removal's seams in the portable tests: a records file in memory, a file
// system of paths, a Program Manager that logs its commands and can refuse one, and a window
// that logs what it was asked to show and answers questions from a script.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "remover/file_system.h"
#include "remover/profile_store.h"
#include "remover/program_manager.h"
#include "remover/remover_ui.h"

// The module that holds the removal program's string table in this build.
platform::ModuleHandle ZoclearStrings();

// A private-profile file in memory. Sections and keys match without regard to letter case, and
// a section is looked up by its name trimmed of blanks and tabs at both ends; Text() lists them
// in the order they were first written, as "[SECTION]\nKEY=value\n". A file that another
// program comes to hold against writing: with `writesLeft` at 0 or above, that many changes are
// made and every later one fails and changes nothing; `writable` is what CanWrite answers.
class MemoryProfile : public ProfileStore {
public:
    MemoryProfile() = default;
    // From the text of an .ini file ("[SECTION]" lines and "KEY=value" lines, ended by "\n" or
    // "\r\n"; blank lines are passed over).
    explicit MemoryProfile(const std::string& text);

    std::string Read(const std::string& section, const std::string& key) override;
    bool Write(const std::string& section, const std::string& key,
               const std::string& value) override;
    bool DeleteKey(const std::string& section, const std::string& key) override;
    bool DeleteSection(const std::string& section) override;
    bool CanWrite() override { return writable; }
    std::string Path() const override { return path; }

    std::string Text() const;
    int Reads() const { return reads_; }

    int writesLeft = -1;  // below 0: no limit
    bool writable = true;
    std::string path = "C:\\WINDOWS\\Zolvane\\ZOLVIN.INI";

private:
    // Takes one change from `writesLeft`; false when none is left.
    bool TakeWrite();

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    Section* Find(const std::string& section);

    std::vector<Section> sections_;
    int reads_ = 0;
};

// The values of the FILE<n> keys of a records text, in order, the empty ones passed over: the
// files that an installation with these records holds.
std::vector<std::string> FileValues(const std::string& ini);

// Files by path. A path in `refusals` stays and fails with its system error code.
class FakeFileSystem : public FileSystem {
public:
    RemoveOutcome RemoveFile(const std::string& path) override;
    void RemoveFolder(const std::string& path) override;
    void StartSelfRemoval() override;

    std::set<std::string> files;
    std::map<std::string, uint32_t> refusals;
    std::vector<std::string> log;  // "file <path>", "folder <path>", "self-removal"
};

// Logs every command; refuses the command equal to `refuse` (and sends nothing after it),
// or the connection itself when `connects` is false.
class FakeProgramManager : public ProgramManager {
public:
    bool Execute(const std::vector<std::string>& commands) override;

    bool connects = true;
    std::string refuse;
    std::vector<std::string> log;  // "connect", each accepted or refused command, "disconnect"
};

// Logs what the removal shows, one line per event, and answers each question with the next
// answer of `answers` (Yes once they run out).
class ScriptedUi : public RemoverUi {
public:
    void Beep() override;
    void SetTitle(const std::string& title) override;
    void Show(const std::string& text, BoxIcon icon) override;
    void ShowNotice(const std::string& text) override;
    bool Ask(const std::string& text) override;
    void SetProgress(int percent) override;
    void SetPartList(const std::vector<std::string>& lines) override;
    int SelectedPart() override { return selected; }
    void EnableCommands(bool enable) override;
    void Quit() override;

    std::vector<bool> answers;
    int selected = 0;
    std::string title;
    std::vector<std::string> list;
    std::vector<int> progress;     // every gauge value set, in order
    std::vector<std::string> log;  // "beep", "info: <text>", "warning: <text>",
                                   // "notice: <text>", "ask: <text> -> yes|no", "quit",
                                   // "commands off", "commands on"
    // The log without the commands going off and on.
    std::vector<std::string> Shown() const;
    // The boxes only (Shown() without beeps and quit), in order.
    std::vector<std::string> Boxes() const;

private:
    size_t nextAnswer_ = 0;
};

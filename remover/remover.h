// The removal program's commands without their window: the start-up checks, the list of
// installed parts, the file list (Info), the removal of the selected part (Remove), Help and
// the error message, over the seams of the records file, the file system, Program Manager and
// the window. ZoclearDialog forwards its commands here.
#pragma once

#include <string>

#include "platform/platform.h"
#include "remover/file_system.h"
#include "remover/install_records.h"
#include "remover/profile_store.h"
#include "remover/program_manager.h"
#include "remover/removal_plan.h"
#include "remover/remover_ui.h"
#include "remover/string_loader.h"

class Remover {
public:
    struct Seams {
        RemoverUi* ui;
        ProfileStore* records;
        FileSystem* files;
        ProgramManager* programManager;
    };
    // `strings` is the module that holds the program's string table.
    Remover(const Seams& seams, platform::ModuleHandle strings);

    // Once the window is up: sets the title; quits with a message when the program was not
    // started in the product folder (exact byte comparison) or no part is recorded; else
    // fills the list and shows the notice that names the installed parts.
    void Startup(const std::string& currentFolder, const std::string& productFolder);
    // The list of parts in record order, the first line selected.
    void FillGroupList();
    // Info: the paths that removing the selected part deletes.
    void ShowInfo();
    // Remove: refuses a part whose group or item names cannot be sent before it changes
    // anything; else asks twice and, when the records can be written, deletes the selected
    // part's files and its folder when empty. Once its files are gone its section goes, then
    // its Program Manager entries and its list line, also when Program Manager refused a
    // command or did not answer (it says so). A file that could not be deleted keeps every
    // record for a second try; records that could not be written are reported and keep the
    // part listed. After the last part the program removes itself and ends. The window's
    // commands are off from before the first box until the removal has ended.
    void Remove();
    void ShowHelp();

private:
    // Beep, then `text` with OK (ask false; the result is true), or with the question whether
    // to go on appended, with Yes and No (the result is false for No).
    bool ErrorMessage(bool ask, const std::string& text);
    // The plan for the selected line and the list's length; false when no line is selected.
    bool PlanSelected(RemovalPlan* plan, int* index, int* count) const;
    // Shows the file list; with `ask`, asks whether to start, twice. False for a No.
    bool ShowFileList(const RemovalPlan& plan, bool ask);
    // False, after its message, when Program Manager did not answer or refused a command.
    bool RemoveProgmanEntries(const RemovalPlan& plan);
    // The records once the part's files are gone: its section, then its Program Manager
    // entries, then its list line; the completion and, after the last part, the
    // self-removal only when all of it went.
    void ForgetPart(const RemovalPlan& plan, int index, int count, int total);
    void SetProgress(int position, int total);

    Seams seams_;
    StringLoader strings_;
    InstallRecords records_;
};

// The removal program's texts: ids of its own string table (resources/zoclear_strings.txt) and
// the two fixed texts of the Program Manager conversation.
#pragma once

namespace zoclear_text {

// Controls.
constexpr unsigned kGroupLabel = 100;
constexpr unsigned kProgressLabel = 101;
constexpr unsigned kInfoButton = 102;
constexpr unsigned kRemoveButton = 103;
constexpr unsigned kHelpButton = 104;
constexpr unsigned kExitButton = 105;

// Window title and the caption of every message box.
constexpr unsigned kCaption = 110;

// Start-up.
constexpr unsigned kStartupNotice = 111;
constexpr unsigned kWrongFolder = 130;
constexpr unsigned kNoRecords = 131;

// The file list and the removal.
constexpr unsigned kFileCount = 112;  // "%d" files
constexpr unsigned kDeleteAll = 120;
constexpr unsigned kStartQuestion = 121;
constexpr unsigned kNothingToDelete = 123;
constexpr unsigned kDeleteFailed = 133;  // "%s" path
constexpr unsigned kNoProgramManager = 134;
constexpr unsigned kGoOn = 135;
constexpr unsigned kCompleted = 136;
constexpr unsigned kRefusedName = 137;  // "%s" group or item name
constexpr unsigned kRecordsLocked = 138;      // "%s" records file: nothing was deleted
constexpr unsigned kRecordsNotUpdated = 139;  // "%s" records file: the part stays listed

constexpr unsigned kHelp = 800;
constexpr unsigned kDialogFont = 900;

inline constexpr char kDdeCriticalError[] = "A critical DDE error has occured.";
inline constexpr char kDdeDisconnected[] = "Disconnected.";

}  // namespace zoclear_text

// The removal program itself under Wine, on a fixture installation, driven through its message
// boxes and commands, with the tests' own Program Manager: each scenario compares the files,
// the Programs menu, the records and the command log before and after with what it expects,
// so that all that should go is gone and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "remover/remover_texts.h"
#include "remover/string_loader.h"
#include "remover/win32/zoclear_dialog.h"
#include "tests/support/remover/fake_seams.h"
#include "tests/win32/controls_seen.h"
#include "tests/win32/remover/fixture_installation.h"
#include "tests/support/files.h"
#include "tests/win32/remover/folder_tree.h"
#include "tests/win32/remover/stand_in_program_manager.h"
#include "tests/win32/remover/zoclear_driver.h"

namespace {

using Texts = std::vector<std::string>;

// A part with a group of its own.
const std::string kToolsSection =
    "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\ZoFixture\\Tools\\ZoTool.exe\n"
    "ITEMS=1\nITEM1=ZoTool\nDIR=C:\\ZoFixture\\Tools\n";

// Three parts: Moravel and Kolda share the group "Zolvane Filters", the help file and its
// item; Tools has a group of its own. Items are numbered after their files: Moravel's fifth
// file key is empty, so the item beside it is no item of the part's and stays.
const std::string kThreeParts =
    "[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION2=Kolda\nSECTION3=Tools\n"
    "[Moravel]\nGROUP=Zolvane Filters\nFILES=5\n"
    "FILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\nFILE2=C:\\ZoFixture\\Plugins\\Zop2j.hlp\n"
    "FILE3=C:\\ZoFixture\\Moravel\\Readme.txt\nFILE4=C:\\ZoFixture\\Moravel\\Samples.txt\n"
    "ITEMS=2\nITEM1=Moravel\nITEM2=Zolvane Help\nITEM5=Moravel Extra\n"
    "DIR=C:\\ZoFixture\\Moravel\n"
    "[Kolda]\nGROUP=Zolvane Filters\nFILES=2\n"
    "FILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\nFILE2=C:\\ZoFixture\\Plugins\\Zop2j.hlp\n"
    "ITEMS=2\nITEM1=Kolda\nITEM2=Zolvane Help\nDIR=C:\\ZoFixture\\Kolda\n" +
    kToolsSection;

// Moravel's own files in record order (the help file is Kolda's too): what its file list
// shows and its removal deletes.
const Texts kMoravelFiles = {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll",
                             "C:\\ZoFixture\\Moravel\\Readme.txt",
                             "C:\\ZoFixture\\Moravel\\Samples.txt"};
// What removing Moravel takes from C:\ZoFixture: its files and then its emptied folder.
const Texts kMoravelGone = [] {
    Texts gone = kMoravelFiles;
    gone.push_back("C:\\ZoFixture\\Moravel\\");
    return gone;
}();

// The records once Moravel is removed.
const std::string kAfterMoravel =
    "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
    "[Kolda]\nGROUP=Zolvane Filters\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
    "FILE2=C:\\ZoFixture\\Plugins\\Zop2j.hlp\n"
    "ITEMS=2\nITEM1=Kolda\nITEM2=Zolvane Help\nDIR=C:\\ZoFixture\\Kolda\n" +
    kToolsSection;

// A file of the user's own in Kolda's folder: the folder is not empty and stays.
const char kUserNotes[] = "C:\\ZoFixture\\Kolda\\Notes.txt";

// A box a removal shows, in the order shown; each is answered Yes or OK.
struct Box {
    enum Kind {
        kQuestions,         // the file list of `subject` (none: nothing to delete), then the start
        kCompleted,
        kNoProgramManager,
        kRefusedName,       // `subject[0]` cannot be sent
        kDeleteFailed,      // `subject[0]` could not be deleted
    } kind;
    Texts subject;
};

std::string Canonical(const std::string& records) { return MemoryProfile(records).Text(); }

class ZoclearProgram : public ::testing::Test {
protected:
    void SetUp() override { StartProgramManager(); }

    // A fresh Program Manager of the tests' own, with an empty log; the last one goes first.
    void StartProgramManager() {
        server.reset();
        server = std::make_unique<StandInProgramManager>(ProgramsMenuFolder());
        ASSERT_TRUE(server->Running()) << "the stand-in cannot serve";
    }
    // The commands the tests' Program Manager received; none when there is none.
    Texts Commands() const { return server ? server->Log() : Texts{}; }

    // Installs `records`, takes the state before, and starts the program in `folder` (the
    // product folder when empty).
    void Launch(const std::string& records, const std::string& folder = "") {
        driver = std::make_unique<ZoclearDriver>();  // a program that still runs is ended
        fixture.reset();  // the last installation goes before the next is made in its place
        fixture = std::make_unique<FixtureInstallation>(records, Texts{kUserNotes});
        before = fixture->Take();
        ASSERT_TRUE(driver->Start(fixture->Program(),
                                  folder.empty() ? fixture->ProductFolder() : folder));
    }

    // The fixture of three parts, started in the product folder; its notice is answered.
    void LaunchThreeParts() {
        Launch(kThreeParts);
        ExpectNotice({"Moravel", "Kolda", "Tools"});
    }

    std::string Text(unsigned id) const { return strings.Load(id); }

    // Waits for the next box, checks it and answers it with `answer`.
    enum Buttons { kOk, kYesNo };
    void Expect(Buttons buttons, const std::string& text, int answer, bool owned = true,
                const char* gauge = nullptr) {
        SeenBox box;
        ASSERT_TRUE(driver->WaitForBox(&box)) << "no box; expected: " << text;
        EXPECT_EQ(box.question, buttons == kYesNo) << box.text;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, Text(zoclear_text::kCaption));
        EXPECT_EQ(box.owned, owned) << box.text;
        if (gauge != nullptr) {
            EXPECT_EQ(box.gauge, gauge) << box.text;
        }
        driver->Answer(box, answer);
    }
    void ExpectNotice(const Texts& names) {
        std::string notice = Text(zoclear_text::kStartupNotice) + "\n\n";
        for (const std::string& name : names) notice += name + "\n";
        Expect(kOk, notice, IDOK, false);
    }
    std::string FileList(const Texts& paths) const {
        std::string list =
            strings.Format(zoclear_text::kFileCount, static_cast<int>(paths.size())) + "\n\n";
        for (const std::string& path : paths) list += path + "\n";
        return list;
    }
    // The file list (or the notice that nothing is to be deleted) and the question whether to
    // start, both answered Yes.
    void ExpectQuestions(const Texts& paths) {
        Expect(kYesNo,
               paths.empty() ? Text(zoclear_text::kNothingToDelete) + "\n\n" +
                                   Text(zoclear_text::kGoOn)
                             : FileList(paths) + "\n\n" + Text(zoclear_text::kDeleteAll),
               IDYES);
        Expect(kYesNo, Text(zoclear_text::kStartQuestion), IDYES);
    }
    void Remove(int line, const Texts& paths) {
        driver->Select(line);
        driver->Command(kRemoveCommand);
        ExpectQuestions(paths);
    }
    void ExpectCompleted() { Expect(kOk, Text(zoclear_text::kCompleted), IDOK); }
    void ExpectBox(const Box& box) {
        switch (box.kind) {
            case Box::kQuestions: ExpectQuestions(box.subject); break;
            case Box::kCompleted: ExpectCompleted(); break;
            case Box::kNoProgramManager:
                Expect(kOk, Text(zoclear_text::kNoProgramManager), IDOK);
                break;
            case Box::kRefusedName:
                Expect(kOk, strings.Format(zoclear_text::kRefusedName, box.subject.at(0)), IDOK);
                break;
            case Box::kDeleteFailed:
                Expect(kYesNo,
                       strings.Format(zoclear_text::kDeleteFailed, box.subject.at(0)) + "\n" +
                           Text(zoclear_text::kGoOn),
                       IDYES);
                break;
        }
    }
    // Exit, then the program ends without a question.
    void Exit() {
        driver->Command(IDCANCEL);
        EXPECT_TRUE(driver->WaitForExit(20000)) << "Exit did not end the program";
    }
    // Waits until the program is idle again after its last box: the list shows `lines`.
    void ExpectList(const Texts& lines) {
        for (int i = 0; i < 100 && driver->ListLines() != lines; ++i) Pause(50);
        EXPECT_EQ(driver->ListLines(), lines);
    }
    // The files, the Programs menu and the records are as they were before the start.
    void ExpectNothingChanged() {
        const FixtureInstallation::State after = fixture->Take();
        EXPECT_EQ(after.files, before.files);
        EXPECT_EQ(after.programs, before.programs);
        EXPECT_EQ(after.records, before.records);
    }

    StringLoader strings{ZoclearStrings()};
    std::unique_ptr<FixtureInstallation> fixture;
    FixtureInstallation::State before;
    std::unique_ptr<StandInProgramManager> server;
    std::unique_ptr<ZoclearDriver> driver;
};

TEST_F(ZoclearProgram, StartsWithTheNoticeAndEndsByExitWithoutAQuestion) {
    LaunchThreeParts();
    ExpectList({"Moravel", "Kolda", "Tools"});
    EXPECT_EQ(driver->FrameTitle(), Text(zoclear_text::kCaption));
    EXPECT_EQ(driver->GaugeText(), "0%");
    const LONG style = GetWindowLongA(driver->Frame(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0)
        << "neither sized nor minimised nor maximised";
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);

    driver->Command(kHelpCommand);
    Expect(kOk, Text(zoclear_text::kHelp), IDOK);
    driver->Command(kInfoCommand);  // on the first line
    Expect(kOk, FileList(kMoravelFiles), IDOK);
    driver->Command(IDOK);  // Enter does nothing
    SeenBox none;
    EXPECT_FALSE(driver->WaitForBox(&none, 500)) << none.text;
    EXPECT_TRUE(driver->Running());
    Exit();
    ExpectNothingChanged();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ZoclearProgram, TheWindowAsBuilt) {
    LaunchThreeParts();
    ExpectList({"Moravel", "Kolda", "Tools"});
    HWND frame = driver->Frame();
    HWND dialog = driver->Dialog();
    ASSERT_NE(dialog, nullptr);

    const std::string group = Text(zoclear_text::kGroupLabel),
                      progress = Text(zoclear_text::kProgressLabel),
                      info = Text(zoclear_text::kInfoButton),
                      remove = Text(zoclear_text::kRemoveButton),
                      help = Text(zoclear_text::kHelpButton), exit = Text(zoclear_text::kExitButton);
    EXPECT_EQ(group, "グル－プ") << "the texts are code page 932 bytes";
    EXPECT_EQ(remove, "ｱﾝｲﾝｽﾄ-ﾙ");
    // Wine hands a drop-down list's text to no other process: its lines are read as the list.
    // (Nor does it answer WM_GETFONT across processes: the font is checked in process.)
    const std::vector<ControlSeen> controls = ControlsOf(dialog);
    ExpectControls(controls, {
                                 {"Static", 0xFFFF, group.c_str(), 15, 30, 100, 20},
                                 {"ComboBox", 100, nullptr, 120, 30, 320, -1},
                                 {"Static", 0xFFFF, progress.c_str(), 15, 70, 100, 20},
                                 {"ZoGauge", 101, "0%", 120, 70, 320, 20},
                                 {"Button", 102, info.c_str(), 10, 120, 100, 40},
                                 {"Button", 103, remove.c_str(), 120, 120, 100, 40},
                                 {"Button", 104, help.c_str(), 230, 120, 100, 40},
                                 {"Button", IDCANCEL, exit.c_str(), 340, 120, 100, 40},
                             });
    for (const ControlSeen& c : controls) {
        if (c.className == "Button") {
            EXPECT_EQ(c.style & 0x0F, BS_PUSHBUTTON) << c.id << ": no button is the default one";
        }
        if (c.className == "ComboBox") {
            EXPECT_EQ(c.style & 0x03, CBS_DROPDOWNLIST);
        }
    }

    // The dialog: 455 wide, the caption's height and 180 high; the frame around it without
    // border beyond its caption, placed from the screen's size.
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    RECT dialogRect = {}, frameClient = {}, frameRect = {};
    GetWindowRect(dialog, &dialogRect);
    GetClientRect(frame, &frameClient);
    GetWindowRect(frame, &frameRect);
    EXPECT_EQ(dialogRect.right - dialogRect.left, 455);
    EXPECT_EQ(dialogRect.bottom - dialogRect.top, caption + 180);
    EXPECT_EQ(frameClient.right, 455) << "the frame shrinks to the dialog";
    EXPECT_EQ(frameClient.bottom, caption + 180);
    HDC screen = GetDC(nullptr);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(frameRect.left, (width - 455) / 2);
    EXPECT_EQ(frameRect.top, (height + caption - 180) / 2);
    Exit();
}

TEST_F(ZoclearProgram, TheCloseBoxAndTheEscapeKeyEndTheProgramWithoutAQuestion) {
    struct Case {
        const char* name;
        void (*end)(ZoclearDriver& driver);
    } cases[] = {
        {"the close box",
         [](ZoclearDriver& d) { PostMessageA(d.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        // Offered to the dialog by the message loop, as a key press on its focused button is.
        {"the Escape key",
         [](ZoclearDriver& d) {
             HWND button = GetDlgItem(d.Dialog(), kInfoCommand);
             PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 0);
             PostMessageA(button, WM_KEYUP, VK_ESCAPE, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaunchThreeParts();
        ExpectList({"Moravel", "Kolda", "Tools"});
        c.end(*driver);
        DWORD exitCode = 99;
        EXPECT_TRUE(driver->WaitForExit(20000, &exitCode)) << "the program still runs";
        EXPECT_EQ(exitCode, 0u);
        SeenBox none;
        EXPECT_FALSE(driver->WaitForBox(&none, 0)) << none.text;
        ExpectNothingChanged();
    }
    EXPECT_TRUE(Commands().empty());
}

TEST(ZoclearResources, TheProgramCarriesItsIconAndItsEmptyDialogTemplate) {
    HMODULE program = LoadLibraryExA(ZO_ZOCLEAR_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(LoadIconA(program, "ZOCLEAR"), nullptr);
    HRSRC found = FindResourceA(program, "ZOCLEAR", MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const auto* dialog =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(program, found)));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(dialog->cdit, 0) << "no controls: the dialog makes them";
    EXPECT_EQ(dialog->cx, 1);
    EXPECT_EQ(dialog->cy, 1);
    char text[256] = "";
    EXPECT_GT(LoadStringA(program, 110, text, sizeof text), 0) << "its own string table";
    FreeLibrary(program);
}

TEST_F(ZoclearProgram, RemovesAPartOfASharedGroupAndNothingElse) {
    LaunchThreeParts();
    Remove(0, kMoravelFiles);
    Expect(kOk, Text(zoclear_text::kCompleted), IDOK, true, "100%");
    ExpectList({"Kolda", "Tools"});
    EXPECT_EQ(driver->GaugeText(), "0%");
    Exit();

    const FixtureInstallation::State after = fixture->Take();
    EXPECT_EQ(after.files, Without(before.files, kMoravelGone));
    EXPECT_EQ(after.programs, Without(before.programs, {"Zolvane Filters\\Moravel.lnk"}))
        << "the help shared with Kolda and the item beside no file stay";
    EXPECT_EQ(Commands(), (Texts{"connect", "[ShowGroup(\"Zolvane Filters\", 5)] ok",
                                   "[DeleteItem(\"Moravel\")] ok", "disconnect"}));
    EXPECT_EQ(after.records, Canonical(kAfterMoravel));
    EXPECT_TRUE(after.windows.empty()) << "no self-removal while parts remain";
}

TEST_F(ZoclearProgram, RemovingEveryPartEndsWithTheSelfRemoval) {
    LaunchThreeParts();
    Remove(2, {"C:\\ZoFixture\\Tools\\ZoTool.exe"});
    ExpectCompleted();
    ExpectList({"Moravel", "Kolda"});
    Remove(0, kMoravelFiles);
    ExpectCompleted();
    ExpectList({"Kolda"});
    // The last part of the group: the group goes whole, the shared help file with it.
    Remove(0, {"C:\\ZoFixture\\Plugins\\Zo_Kol.dll", "C:\\ZoFixture\\Plugins\\Zop2j.hlp"});
    ExpectCompleted();
    EXPECT_TRUE(driver->WaitForExit(20000)) << "the program ends after the last part";

    EXPECT_EQ(Commands(),
              (Texts{"connect", "[DeleteGroup(\"Zolvane Tools\")] ok", "disconnect",
                     "connect", "[ShowGroup(\"Zolvane Filters\", 5)] ok",
                     "[DeleteItem(\"Moravel\")] ok", "disconnect",
                     "connect", "[DeleteGroup(\"Zolvane Filters\")] ok", "disconnect"}));
    const FixtureInstallation::State after = fixture->Take();
    EXPECT_EQ(after.files, (Texts{"C:\\ZoFixture\\Kolda\\", kUserNotes,
                                  "C:\\ZoFixture\\Plugins\\", "C:\\ZoFixture\\Sentinel.txt"}))
        << "folders go only when empty";
    EXPECT_EQ(after.programs,
              Without(before.programs,
                      {"Zolvane Filters\\", "Zolvane Filters\\Kolda.lnk",
                       "Zolvane Filters\\Moravel Extra.lnk", "Zolvane Filters\\Moravel.lnk",
                       "Zolvane Filters\\Zolvane Help.lnk",
                       "Zolvane Tools\\", "Zolvane Tools\\ZoTool.lnk"}));
    EXPECT_EQ(after.records, Canonical("[INSTALL]\nSECTIONS=0\n"));
    // The templates became the batch file in the Windows folder, and it ran there.
    for (int i = 0; i < 200 && fixture->Take().windows.size() < 3; ++i) Pause(50);
    EXPECT_EQ(fixture->Take().windows, (Texts{"VaravUr.bat", "VaravUr.pif", "VaravUr.ran"}));
    EXPECT_EQ(after.product, (Texts{"ZOLVIN.INI", "Zoclear.exe"}));
}

TEST_F(ZoclearProgram, ARefusedFileKeepsThePartForASecondTry) {
    LaunchThreeParts();
    // The plug-in is in use: opened without sharing its deletion.
    const std::string& plugIn = kMoravelFiles[0];
    HANDLE held = CreateFileA(plugIn.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Remove(0, kMoravelFiles);
    Expect(kYesNo,
           strings.Format(zoclear_text::kDeleteFailed, plugIn) + "\n" +
               Text(zoclear_text::kGoOn),
           IDYES, true, "0%");
    ExpectList({"Moravel", "Kolda", "Tools"});
    EXPECT_EQ(driver->GaugeText(), "0%");
    EXPECT_TRUE(Commands().empty()) << "Program Manager is not contacted";
    FixtureInstallation::State after = fixture->Take();
    EXPECT_EQ(after.records, before.records) << "every record stays";
    EXPECT_EQ(after.programs, before.programs);
    EXPECT_EQ(after.files, Without(before.files, Without(kMoravelGone, {plugIn})))
        << "all but the held plug-in";

    // Freed, the plug-in goes on a second try; the files already gone are passed over.
    CloseHandle(held);
    Remove(0, kMoravelFiles);
    ExpectCompleted();
    ExpectList({"Kolda", "Tools"});
    Exit();
    after = fixture->Take();
    EXPECT_EQ(after.files, Without(before.files, kMoravelGone));
    EXPECT_EQ(after.programs, Without(before.programs, {"Zolvane Filters\\Moravel.lnk"}));
}

TEST_F(ZoclearProgram, TheServerEndingTheConversationStillRemovesThePart) {
    server->DisconnectAt("[DeleteItem(\"Moravel\")]");
    LaunchThreeParts();
    Remove(0, kMoravelFiles);
    SeenBox box;
    ASSERT_TRUE(driver->WaitForBox(&box));
    // DDEML may report the end of the conversation while the command waits (Wine does not).
    if (box.text == zoclear_text::kDdeDisconnected) {
        driver->Answer(box, IDOK);
        ASSERT_TRUE(driver->WaitForBox(&box));
    }
    EXPECT_EQ(box.text, Text(zoclear_text::kNoProgramManager));
    driver->Answer(box, IDOK);
    ExpectList({"Kolda", "Tools"});
    Exit();
    EXPECT_EQ(Commands(), (Texts{"connect", "[ShowGroup(\"Zolvane Filters\", 5)] ok",
                                 "[DeleteItem(\"Moravel\")] disconnected", "disconnect"}));
    const FixtureInstallation::State after = fixture->Take();
    EXPECT_EQ(after.files, Without(before.files, kMoravelGone));
    EXPECT_EQ(after.records, Canonical(kAfterMoravel)) << "the files are gone: the records too";
    EXPECT_EQ(after.programs, before.programs);
}

// What the list's own section holds: a group, a file, an item and a folder outside the product
// that no removal may touch.
const std::string kInstallOwnKeys =
    "GROUP=Startup\nFILES=1\nFILE1=C:\\ZoFixture\\Setup\\Setup.log\nITEMS=1\nITEM1=Setup\n"
    "DIR=C:\\ZoFixture\\Setup\n";
// A part whose group and item carry brackets.
const std::string kDemoSection =
    "[Demo]\nGROUP=Zolvane (Demo)\nFILES=1\nFILE1=C:\\ZoFixture\\Demo\\Demo.dll\nITEMS=1\n"
    "ITEM1=Demo [1.0]\nDIR=C:\\ZoFixture\\Demo\n";
const Texts kToolsGone = {"C:\\ZoFixture\\Tools\\", "C:\\ZoFixture\\Tools\\ZoTool.exe"};

// One removal through the window, and what it must leave: the files, the Programs menu, the
// commands Program Manager received, the records and the list, and how the scenario ends.
struct RemovalRow {
    const char* name;
    std::string records;
    Texts listed;  // the notice's and the list's lines
    int line;      // the line removed
    bool programManager;
    const char* refuse;    // the command Program Manager refuses, if any
    const char* readOnly;  // a file made read-only before the removal, if any
    std::vector<Box> boxes;
    Texts commands;
    Texts filesGone, programsGone;
    std::string recordsAfter;  // empty: as before
    Texts listAfter;
    enum Then {
        kExit,
        kSelfRemoval,   // the last part went: the program removes itself and ends
        kRestart,       // a new start lists `listAfter`
        kWritableRetry, // the read-only file is made writable and a second removal completes
    } then;
};

const RemovalRow kRemovalRows[] = {
    {"a quoted list line naming INSTALL with a blank at its end",
     "[INSTALL]\nSECTIONS=2\nSECTION1=\"INSTALL \"\nSECTION2=Tools\n" + kInstallOwnKeys +
         kToolsSection,
     {"INSTALL ", "Tools"}, 0, true, nullptr, nullptr,
     {{Box::kQuestions, {}}, {Box::kCompleted, {}}},
     {}, {}, {},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kInstallOwnKeys + kToolsSection,
     {"Tools"}, RemovalRow::kExit},
    {"a blank-padded list line naming install",
     "[INSTALL]\nSECTIONS=2\nSECTION1=\" \tinstall  \"\nSECTION2=Tools\n" + kInstallOwnKeys +
         kToolsSection,
     {" \tinstall  ", "Tools"}, 0, true, nullptr, nullptr,
     {{Box::kQuestions, {}}, {Box::kCompleted, {}}},
     {}, {}, {},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kInstallOwnKeys + kToolsSection,
     {"Tools"}, RemovalRow::kExit},
    {"a group of its own with parentheses",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Demo\nSECTION2=Tools\n" + kDemoSection + kToolsSection,
     {"Demo", "Tools"}, 0, true, nullptr, nullptr,
     {{Box::kQuestions, {"C:\\ZoFixture\\Demo\\Demo.dll"}}, {Box::kCompleted, {}}},
     {"connect", "[DeleteGroup(\"Zolvane (Demo)\")] ok", "disconnect"},
     {"C:\\ZoFixture\\Demo\\", "C:\\ZoFixture\\Demo\\Demo.dll"},
     {"Zolvane (Demo)\\", "Zolvane (Demo)\\Demo [1.0].lnk"},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kToolsSection, {"Tools"}, RemovalRow::kExit},
    {"an item with brackets in a shared group with brackets",
     "[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION2=Kolda\nSECTION3=Tools\n"
     "[Moravel]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\n"
     "ITEMS=1\nITEM1=Moravel (Beta)\n"
     "[Kolda]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Moravel", "Kolda", "Tools"}, 0, true, nullptr, nullptr,
     {{Box::kQuestions, {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}}, {Box::kCompleted, {}}},
     {"connect", "[ShowGroup(\"Zolvane [Filters]\", 5)] ok",
      "[DeleteItem(\"Moravel (Beta)\")] ok", "disconnect"},
     {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}, {"Zolvane [Filters]\\Moravel (Beta).lnk"},
     "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
     "[Kolda]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Kolda", "Tools"}, RemovalRow::kExit},
    {"a group that climbs out of the Programs folder: refused before anything goes",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Bad\nSECTION2=Tools\n"
     "[Bad]\nGROUP=Zolvane\\..\\..\nFILES=1\nFILE1=C:\\ZoFixture\\Bad\\Bad.dll\n"
     "DIR=C:\\ZoFixture\\Bad\n" + kToolsSection,
     {"Bad", "Tools"}, 0, true, nullptr, nullptr,
     {{Box::kRefusedName, {"Zolvane\\..\\.."}}},
     {}, {}, {}, "", {"Bad", "Tools"}, RemovalRow::kExit},
    {"Program Manager refuses to delete the last part's group",
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kToolsSection, {"Tools"}, 0, true,
     "[DeleteGroup(\"Zolvane Tools\")]", nullptr,
     {{Box::kQuestions, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}}, {Box::kNoProgramManager, {}}},
     {"connect", "[DeleteGroup(\"Zolvane Tools\")] refused", "disconnect"}, kToolsGone, {},
     "[INSTALL]\nSECTIONS=0\n", {}, RemovalRow::kSelfRemoval},
    {"Program Manager refuses the second item",
     "[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION2=Kolda\nSECTION3=Tools\n"
     "[Moravel]\nGROUP=Zolvane Filters\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\n"
     "FILE2=C:\\ZoFixture\\Moravel\\Readme.txt\nITEMS=2\nITEM1=Moravel\nITEM2=Moravel Readme\n"
     "DIR=C:\\ZoFixture\\Moravel\n"
     "[Kolda]\nGROUP=Zolvane Filters\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Moravel", "Kolda", "Tools"}, 0, true, "[DeleteItem(\"Moravel Readme\")]", nullptr,
     {{Box::kQuestions,
       {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll", "C:\\ZoFixture\\Moravel\\Readme.txt"}},
      {Box::kNoProgramManager, {}}},
     {"connect", "[ShowGroup(\"Zolvane Filters\", 5)] ok", "[DeleteItem(\"Moravel\")] ok",
      "[DeleteItem(\"Moravel Readme\")] refused", "disconnect"},
     {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll", "C:\\ZoFixture\\Moravel\\",
      "C:\\ZoFixture\\Moravel\\Readme.txt"},
     {"Zolvane Filters\\Moravel.lnk"},
     "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
     "[Kolda]\nGROUP=Zolvane Filters\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Kolda", "Tools"}, RemovalRow::kRestart},
    {"no Program Manager answers",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Tools\nSECTION2=Demo\n" + kToolsSection + kDemoSection,
     {"Tools", "Demo"}, 0, false, nullptr, nullptr,
     {{Box::kQuestions, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}}, {Box::kNoProgramManager, {}}},
     {}, kToolsGone, {}, "[INSTALL]\nSECTIONS=1\nSECTION1=Demo\n" + kDemoSection, {"Demo"},
     RemovalRow::kExit},
    {"a read-only file keeps every record until it can go",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Tools\nSECTION2=Demo\n" + kToolsSection + kDemoSection,
     {"Tools", "Demo"}, 0, true, nullptr, "C:\\ZoFixture\\Tools\\ZoTool.exe",
     {{Box::kQuestions, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}},
      {Box::kDeleteFailed, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}}},
     {"connect", "[DeleteGroup(\"Zolvane Tools\")] ok", "disconnect"}, kToolsGone,
     {"Zolvane Tools\\", "Zolvane Tools\\ZoTool.lnk"},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Demo\n" + kDemoSection, {"Demo"},
     RemovalRow::kWritableRetry},
};

TEST_F(ZoclearProgram, RemovalsKeepToTheirRecordsAndNeverTrapAPart) {
    for (const RemovalRow& row : kRemovalRows) {
        SCOPED_TRACE(row.name);
        server.reset();
        if (row.programManager) StartProgramManager();
        if (row.refuse != nullptr) server->Refuse(row.refuse);
        Launch(row.records);
        ExpectNotice(row.listed);
        ExpectList(row.listed);
        if (row.readOnly != nullptr) SetFileAttributesA(row.readOnly, FILE_ATTRIBUTE_READONLY);

        driver->Select(row.line);
        driver->Command(kRemoveCommand);
        for (const Box& box : row.boxes) ExpectBox(box);
        if (row.then == RemovalRow::kWritableRetry) {
            ExpectList(row.listed);
            const FixtureInstallation::State kept = fixture->Take();
            EXPECT_EQ(kept.records, before.records) << "every record stays";
            EXPECT_TRUE(PathExists(row.readOnly));
            EXPECT_TRUE(Commands().empty()) << "Program Manager is not contacted";
            SetFileAttributesA(row.readOnly, FILE_ATTRIBUTE_NORMAL);
            driver->Select(row.line);
            driver->Command(kRemoveCommand);
            ExpectBox(row.boxes.front());
            ExpectCompleted();
        }
        if (row.then == RemovalRow::kSelfRemoval) {
            EXPECT_TRUE(driver->WaitForExit(20000)) << "the program ends after the last part";
            for (int i = 0; i < 200 && fixture->Take().windows.size() < 3; ++i) Pause(50);
            EXPECT_EQ(fixture->Take().windows,
                      (Texts{"VaravUr.bat", "VaravUr.pif", "VaravUr.ran"}));
        } else {
            ExpectList(row.listAfter);
            EXPECT_EQ(driver->GaugeText(), "0%");
            Exit();
        }

        const FixtureInstallation::State after = fixture->Take();
        EXPECT_EQ(after.files, Without(before.files, row.filesGone));
        EXPECT_EQ(after.programs, Without(before.programs, row.programsGone));
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_EQ(after.records,
                  row.recordsAfter.empty() ? before.records : Canonical(row.recordsAfter));
        if (row.then == RemovalRow::kRestart) {
            ASSERT_TRUE(driver->Start(fixture->Program(), fixture->ProductFolder()));
            ExpectNotice(row.listAfter);
            Exit();
        }
    }
}

TEST_F(ZoclearProgram, APartWithoutAGroupRemovesNoGroup) {
    Launch("[INSTALL]\nSECTIONS=2\nSECTION1=Loose\nSECTION2=Tools\n"
           "[Loose]\nFILES=1\nFILE1=C:\\ZoFixture\\Loose\\loose.dll\nITEMS=1\nITEM1=Loose\n"
           "DIR=C:\\ZoFixture\\Loose\n" +
           kToolsSection);
    ExpectNotice({"Loose", "Tools"});
    Remove(0, {"C:\\ZoFixture\\Loose\\loose.dll"});
    ExpectCompleted();
    ExpectList({"Tools"});
    Exit();
    EXPECT_TRUE(Commands().empty()) << "never [DeleteGroup(\"\")]";
    const FixtureInstallation::State after = fixture->Take();
    EXPECT_EQ(after.programs, before.programs);
    EXPECT_EQ(after.files, Without(before.files, {"C:\\ZoFixture\\Loose\\",
                                                  "C:\\ZoFixture\\Loose\\loose.dll"}));
}

TEST_F(ZoclearProgram, StartUpChecksEndTheProgram) {
    struct Case {
        const char* name;
        std::string records;
        const char* folder;  // started in this folder of the Windows folder, else elsewhere
        unsigned message;
    } cases[] = {
        {"another folder", kThreeParts, nullptr, zoclear_text::kWrongFolder},
        {"the product folder in another letter case", kThreeParts, "ZOLVANE",
         zoclear_text::kWrongFolder},
        {"no records file", "", "Zolvane", zoclear_text::kNoRecords},
        {"no part recorded", "[INSTALL]\nSECTIONS=0\n", "Zolvane", zoclear_text::kNoRecords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = c.folder != nullptr
                                       ? SystemWindowsFolder() + "\\" + c.folder
                                       : std::string(FixtureInstallation::kRoot);
        Launch(c.records, folder);
        Expect(kOk, Text(c.message), IDOK);
        EXPECT_TRUE(driver->WaitForExit(20000)) << "the program quits by itself";
        const FixtureInstallation::State after = fixture->Take();
        EXPECT_EQ(after.files, before.files);
        EXPECT_EQ(after.records, before.records);
    }
    EXPECT_TRUE(Commands().empty());
}

}  // namespace

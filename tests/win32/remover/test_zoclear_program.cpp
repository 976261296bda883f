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
        kRecordsLocked,     // ZOLVIN.INI cannot be written: nothing was deleted
        kRecordsNotUpdated, // ZOLVIN.INI could not be updated: the part stays listed
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
    std::string RecordsPath() const { return fixture->ProductFolder() + "\\ZOLVIN.INI"; }

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
            case Box::kRecordsLocked:
                Expect(kOk, strings.Format(zoclear_text::kRecordsLocked, RecordsPath()), IDOK);
                break;
            case Box::kRecordsNotUpdated:
                Expect(kOk, strings.Format(zoclear_text::kRecordsNotUpdated, RecordsPath()), IDOK);
                break;
        }
    }
    // Exit, then the program ends without a question.
    void Exit() {
        driver->Command(IDCANCEL);
        EXPECT_TRUE(driver->WaitForExit()) << "Exit did not end the program";
    }
    // The Escape key on the control that has the focus ends the program too: the keys reach
    // the dialog again after a removal.
    void ExitByEscape() {
        HWND focus = driver->FocusedControl();
        ASSERT_NE(focus, nullptr) << "no control of the dialog has the focus";
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0);
        EXPECT_TRUE(driver->WaitForExit()) << "Escape did not end the program";
    }
    // Waits until the removal has ended (the commands are on again), then the list shows
    // `lines`.
    void ExpectList(const Texts& lines) {
        ASSERT_TRUE(driver->WaitForRemovalEnd()) << "the removal did not end";
        EXPECT_EQ(driver->ListLines(), lines);
    }
    // The program ends after the last part, and the batch file it started ran in the Windows
    // folder.
    void ExpectSelfRemoval() {
        EXPECT_TRUE(driver->WaitForExit()) << "the program ends after the last part";
        const Texts ran = {"VaravUr.bat", "VaravUr.pif", "VaravUr.ran"};
        WaitUntil([&] { return fixture->Take().windows == ran; });
        EXPECT_EQ(fixture->Take().windows, ran);
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
    // Enter does nothing: the command after it shows the next box, and the only one.
    driver->Command(IDOK);
    driver->Command(kHelpCommand);
    Expect(kOk, Text(zoclear_text::kHelp), IDOK);
    SeenBox none;
    EXPECT_FALSE(driver->WaitForBox(&none, 0)) << none.text;
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
        EXPECT_TRUE(driver->WaitForExit(kLongWait, &exitCode)) << "the program still runs";
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
    driver->Select(0);
    driver->Command(kRemoveCommand);
    // A request to close the window does nothing while a removal runs; this one arrives while
    // the first question is up.
    PostMessageA(driver->Frame(), WM_CLOSE, 0, 0);
    ExpectQuestions(kMoravelFiles);
    Expect(kOk, Text(zoclear_text::kCompleted), IDOK, true, "100%");
    ExpectList({"Kolda", "Tools"});
    EXPECT_EQ(driver->GaugeText(), "0%");
    EXPECT_TRUE(driver->Running());
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
    ExpectSelfRemoval();

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
    EXPECT_EQ(after.product, (Texts{"ZOLVIN.INI", "Zoclear.exe"}))
        << "the templates became the batch file in the Windows folder";
}

TEST_F(ZoclearProgram, ARefusedFileKeepsThePartForASecondTry) {
    LaunchThreeParts();
    // The plug-in is in use: opened without sharing its deletion.
    const std::string& plugIn = kMoravelFiles[0];
    HeldFile held;
    ASSERT_TRUE(held.Take(plugIn));
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
    held.Release();
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

// What stands in the way of a removal until the test takes it away.
struct Obstacle {
    enum Kind {
        kNone,
        kReadOnlyFile,   // `subject` is made read-only before the removal
        kHeldRecords,    // ZOLVIN.INI is held against writing before the removal
        kRecordsHeldAt,  // ZOLVIN.INI is taken hold of while Program Manager receives `subject`
    } kind;
    const char* subject;
};

// One removal through the window, and what it must leave: the files, the Programs menu, the
// commands Program Manager received, the records and the list, and how the scenario ends.
// With an obstacle, the removal first meets it and keeps what `kept` says; once it is gone, a
// second removal shows `retryBoxes`, and the rest of the row holds for the end of both.
struct RemovalRow {
    const char* name;
    std::string records;
    Texts listed;  // the notice's and the list's lines
    int line;      // the line removed
    bool programManager;
    const char* refuse;  // the command Program Manager refuses, if any
    Obstacle obstacle;
    std::vector<Box> boxes;
    Texts commands, filesGone, programsGone;
    std::string recordsAfter;  // empty: as before
    Texts listAfter;           // empty: the last part went, and the program removed itself
    bool restart;              // a new start lists `listAfter`
    struct Kept {
        Texts filesGone, programsGone;
        Texts commands;
        std::string records;  // empty: as before
    } kept;
    std::vector<Box> retryBoxes;
};

const std::string kTwoFilterParts =
    "[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION2=Kolda\nSECTION3=Tools\n";
const Texts kThreeListed = {"Moravel", "Kolda", "Tools"};
const std::string kToolsAndDemo =
    "[INSTALL]\nSECTIONS=2\nSECTION1=Tools\nSECTION2=Demo\n" + kToolsSection + kDemoSection;
const std::string kToolsAlone = "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kToolsSection;
const Texts kToolsConversation = {"connect", "[DeleteGroup(\"Zolvane Tools\")] ok",
                                  "disconnect"};
const Texts kToolsItems = {"Zolvane Tools\\", "Zolvane Tools\\ZoTool.lnk"};
const Box kToolsQuestions = {Box::kQuestions, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}};
const Box kCompletedBox = {Box::kCompleted, {}};

const RemovalRow kRemovalRows[] = {
    {"a quoted list line naming INSTALL with a blank at its end",
     "[INSTALL]\nSECTIONS=2\nSECTION1=\"INSTALL \"\nSECTION2=Tools\n" + kInstallOwnKeys +
         kToolsSection,
     {"INSTALL ", "Tools"}, 0, true, nullptr, {},
     {{Box::kQuestions, {}}, kCompletedBox},
     {}, {}, {},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kInstallOwnKeys + kToolsSection,
     {"Tools"}, false, {}, {}},
    {"a blank-padded list line naming install",
     "[INSTALL]\nSECTIONS=2\nSECTION1=\" \tinstall  \"\nSECTION2=Tools\n" + kInstallOwnKeys +
         kToolsSection,
     {" \tinstall  ", "Tools"}, 0, true, nullptr, {},
     {{Box::kQuestions, {}}, kCompletedBox},
     {}, {}, {},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kInstallOwnKeys + kToolsSection,
     {"Tools"}, false, {}, {}},
    {"a group of its own with parentheses",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Demo\nSECTION2=Tools\n" + kDemoSection + kToolsSection,
     {"Demo", "Tools"}, 0, true, nullptr, {},
     {{Box::kQuestions, {"C:\\ZoFixture\\Demo\\Demo.dll"}}, kCompletedBox},
     {"connect", "[DeleteGroup(\"Zolvane (Demo)\")] ok", "disconnect"},
     {"C:\\ZoFixture\\Demo\\", "C:\\ZoFixture\\Demo\\Demo.dll"},
     {"Zolvane (Demo)\\", "Zolvane (Demo)\\Demo [1.0].lnk"},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kToolsSection, {"Tools"}, false, {}, {}},
    {"an item with brackets in a shared group with brackets",
     kTwoFilterParts +
         "[Moravel]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\n"
         "ITEMS=1\nITEM1=Moravel (Beta)\n"
         "[Kolda]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
         "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     kThreeListed, 0, true, nullptr, {},
     {{Box::kQuestions, {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}}, kCompletedBox},
     {"connect", "[ShowGroup(\"Zolvane [Filters]\", 5)] ok",
      "[DeleteItem(\"Moravel (Beta)\")] ok", "disconnect"},
     {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}, {"Zolvane [Filters]\\Moravel (Beta).lnk"},
     "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
     "[Kolda]\nGROUP=Zolvane [Filters]\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Kolda", "Tools"}, false, {}, {}},
    // Blanks alone stand for the Programs folder, as an empty name does.
    {"a group of blanks alone that no other part names",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Blank\nSECTION2=Tools\n"
     "[Blank]\nGROUP=\"   \"\nFILES=1\nFILE1=C:\\ZoFixture\\Blank\\Blank.dll\nITEMS=1\n"
     "ITEM1=Blank\nDIR=C:\\ZoFixture\\Blank\n" + kToolsSection,
     {"Blank", "Tools"}, 0, true, nullptr, {},
     {{Box::kQuestions, {"C:\\ZoFixture\\Blank\\Blank.dll"}}, kCompletedBox},
     {}, {"C:\\ZoFixture\\Blank\\", "C:\\ZoFixture\\Blank\\Blank.dll"}, {},
     "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + kToolsSection, {"Tools"}, false, {}, {}},
    // The system compares the names without regard to case: Kolda's help file and group are
    // Moravel's.
    {"a help file and a group that the second part spells in capitals",
     kTwoFilterParts +
         "[Moravel]\nGROUP=Zolvane Filters\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\n"
         "FILE2=C:\\ZoFixture\\Plugins\\Zop2j.hlp\nITEMS=2\nITEM1=Moravel\nITEM2=Zolvane Help\n"
         "[Kolda]\nGROUP=ZOLVANE FILTERS\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
         "FILE2=c:\\zofixture\\plugins\\ZOP2J.HLP\nITEMS=2\nITEM1=Kolda\nITEM2=ZOLVANE HELP\n" +
         kToolsSection,
     kThreeListed, 0, true, nullptr, {},
     {{Box::kQuestions, {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}}, kCompletedBox},
     {"connect", "[ShowGroup(\"Zolvane Filters\", 5)] ok", "[DeleteItem(\"Moravel\")] ok",
      "disconnect"},
     {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}, {"Zolvane Filters\\Moravel.lnk"},
     "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
     "[Kolda]\nGROUP=ZOLVANE FILTERS\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "FILE2=c:\\zofixture\\plugins\\ZOP2J.HLP\nITEMS=2\nITEM1=Kolda\nITEM2=ZOLVANE HELP\n" +
         kToolsSection,
     {"Kolda", "Tools"}, false, {}, {}},
    // The system drops a blank at the end of a folder's name: both name one group. The
    // commands spell it as the records do.
    {"a group with a blank at its end that the second part spells without",
     kTwoFilterParts +
         "[Moravel]\nGROUP=\"Zolvane Filters \"\nFILES=1\n"
         "FILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\nITEMS=1\nITEM1=Moravel\n"
         "[Kolda]\nGROUP=Zolvane Filters\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
         "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     kThreeListed, 0, true, nullptr, {},
     {{Box::kQuestions, {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}}, kCompletedBox},
     {"connect", "[ShowGroup(\"Zolvane Filters \", 5)] ok", "[DeleteItem(\"Moravel\")] ok",
      "disconnect"},
     {"C:\\ZoFixture\\Plugins\\Zo_Mor.dll"}, {"Zolvane Filters\\Moravel.lnk"},
     "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
     "[Kolda]\nGROUP=Zolvane Filters\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
     "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     {"Kolda", "Tools"}, false, {}, {}},
    {"a group that climbs out of the Programs folder: refused before anything goes",
     "[INSTALL]\nSECTIONS=2\nSECTION1=Bad\nSECTION2=Tools\n"
     "[Bad]\nGROUP=Zolvane\\..\\..\nFILES=1\nFILE1=C:\\ZoFixture\\Bad\\Bad.dll\n"
     "DIR=C:\\ZoFixture\\Bad\n" + kToolsSection,
     {"Bad", "Tools"}, 0, true, nullptr, {},
     {{Box::kRefusedName, {"Zolvane\\..\\.."}}},
     {}, {}, {}, "", {"Bad", "Tools"}, false, {}, {}},
    {"Program Manager refuses to delete the last part's group",
     kToolsAlone, {"Tools"}, 0, true, "[DeleteGroup(\"Zolvane Tools\")]", {},
     {kToolsQuestions, {Box::kNoProgramManager, {}}},
     {"connect", "[DeleteGroup(\"Zolvane Tools\")] refused", "disconnect"}, kToolsGone, {},
     "[INSTALL]\nSECTIONS=0\n", {}, false, {}, {}},
    {"Program Manager refuses the second item",
     kTwoFilterParts +
         "[Moravel]\nGROUP=Zolvane Filters\nFILES=2\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Mor.dll\n"
         "FILE2=C:\\ZoFixture\\Moravel\\Readme.txt\nITEMS=2\nITEM1=Moravel\n"
         "ITEM2=Moravel Readme\nDIR=C:\\ZoFixture\\Moravel\n"
         "[Kolda]\nGROUP=Zolvane Filters\nFILES=1\nFILE1=C:\\ZoFixture\\Plugins\\Zo_Kol.dll\n"
         "ITEMS=1\nITEM1=Kolda\n" + kToolsSection,
     kThreeListed, 0, true, "[DeleteItem(\"Moravel Readme\")]", {},
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
     {"Kolda", "Tools"}, true, {}, {}},
    {"no Program Manager answers",
     kToolsAndDemo, {"Tools", "Demo"}, 0, false, nullptr, {},
     {kToolsQuestions, {Box::kNoProgramManager, {}}},
     {}, kToolsGone, {}, "[INSTALL]\nSECTIONS=1\nSECTION1=Demo\n" + kDemoSection, {"Demo"},
     false, {}, {}},
    {"a read-only file keeps every record until it can go",
     kToolsAndDemo, {"Tools", "Demo"}, 0, true, nullptr,
     {Obstacle::kReadOnlyFile, "C:\\ZoFixture\\Tools\\ZoTool.exe"},
     {kToolsQuestions, {Box::kDeleteFailed, {"C:\\ZoFixture\\Tools\\ZoTool.exe"}}},
     kToolsConversation, kToolsGone, kToolsItems,
     "[INSTALL]\nSECTIONS=1\nSECTION1=Demo\n" + kDemoSection, {"Demo"}, false,
     {{}, {}, {}, ""}, {kToolsQuestions, kCompletedBox}},
    // Nothing goes that the records could not then forget.
    {"records that cannot be written stop the removal before anything goes",
     kToolsAndDemo, {"Tools", "Demo"}, 0, true, nullptr, {Obstacle::kHeldRecords, nullptr},
     {kToolsQuestions, {Box::kRecordsLocked, {}}},
     kToolsConversation, kToolsGone, kToolsItems,
     "[INSTALL]\nSECTIONS=1\nSECTION1=Demo\n" + kDemoSection, {"Demo"}, false,
     {{}, {}, {}, ""}, {kToolsQuestions, kCompletedBox}},
    // The section went before Program Manager was asked; the list line could not follow. The
    // part stays listed and the program stays, until a second removal takes the line.
    {"records taken hold of while Program Manager removes the last part's group",
     kToolsAlone, {"Tools"}, 0, true, nullptr,
     {Obstacle::kRecordsHeldAt, "[DeleteGroup(\"Zolvane Tools\")]"},
     {kToolsQuestions, {Box::kRecordsNotUpdated, {}}},
     kToolsConversation, kToolsGone, kToolsItems, "[INSTALL]\nSECTIONS=0\n", {}, false,
     {kToolsGone, kToolsItems, kToolsConversation, "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n"},
     {{Box::kQuestions, {}}, kCompletedBox}},
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

        HeldFile records;
        const Obstacle& obstacle = row.obstacle;
        switch (obstacle.kind) {
            case Obstacle::kNone: break;
            case Obstacle::kReadOnlyFile:
                SetFileAttributesA(obstacle.subject, FILE_ATTRIBUTE_READONLY);
                break;
            case Obstacle::kHeldRecords: ASSERT_TRUE(records.Take(RecordsPath())); break;
            case Obstacle::kRecordsHeldAt: {
                const std::string path = RecordsPath();
                server->OnceAt(obstacle.subject, [&records, path] { records.Take(path); });
                break;
            }
        }

        driver->Select(row.line);
        driver->Command(kRemoveCommand);
        for (const Box& box : row.boxes) ExpectBox(box);
        if (obstacle.kind != Obstacle::kNone) {
            ExpectList(row.listed);
            EXPECT_EQ(driver->GaugeText(), "0%");
            EXPECT_TRUE(driver->Running()) << "no self-removal while a part is listed";
            const FixtureInstallation::State kept = fixture->Take();
            EXPECT_EQ(kept.files, Without(before.files, row.kept.filesGone));
            EXPECT_EQ(kept.programs, Without(before.programs, row.kept.programsGone));
            EXPECT_EQ(Commands(), row.kept.commands);
            EXPECT_EQ(kept.records,
                      row.kept.records.empty() ? before.records : Canonical(row.kept.records));
            EXPECT_TRUE(kept.windows.empty());

            if (obstacle.kind == Obstacle::kReadOnlyFile)
                SetFileAttributesA(obstacle.subject, FILE_ATTRIBUTE_NORMAL);
            EXPECT_EQ(records.Held(), obstacle.kind != Obstacle::kReadOnlyFile);
            records.Release();
            driver->Select(row.line);
            driver->Command(kRemoveCommand);
            for (const Box& box : row.retryBoxes) ExpectBox(box);
        }
        if (row.listAfter.empty()) {
            ExpectSelfRemoval();
        } else {
            ExpectList(row.listAfter);
            EXPECT_EQ(driver->GaugeText(), "0%");
            ExitByEscape();
        }

        const FixtureInstallation::State after = fixture->Take();
        EXPECT_EQ(after.files, Without(before.files, row.filesGone));
        EXPECT_EQ(after.programs, Without(before.programs, row.programsGone));
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_EQ(after.records,
                  row.recordsAfter.empty() ? before.records : Canonical(row.recordsAfter));
        if (row.restart) {
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
        EXPECT_TRUE(driver->WaitForExit()) << "the program quits by itself";
        const FixtureInstallation::State after = fixture->Take();
        EXPECT_EQ(after.files, before.files);
        EXPECT_EQ(after.records, before.records);
    }
    EXPECT_TRUE(Commands().empty());
}

}  // namespace

// The removal program's commands over stand-in seams: start-up checks, Info, Remove with every
// way it can end, and what stays for a second try.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "remover/remover.h"
#include "remover/remover_texts.h"
#include "tests/support/remover/fake_seams.h"

namespace {

using Texts = std::vector<std::string>;

// Three parts: Moravel and Kolda share the group "Zolvane", the help file and its item; Tools
// has a group of its own.
const char kThreeParts[] =
    "[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION2=Kolda\nSECTION3=Tools\n"
    "[Moravel]\nGROUP=Zolvane\nFILES=3\nFILE1=C:\\Zolvane\\Zo_Mor.dll\n"
    "FILE2=C:\\Zolvane\\Zolvane.hlp\nFILE3=C:\\Zolvane\\Moravel.txt\n"
    "ITEMS=2\nITEM1=Moravel\nITEM2=Zolvane Help\nDIR=C:\\Zolvane\\Moravel\n"
    "[Kolda]\nGROUP=Zolvane\nFILES=2\nFILE1=C:\\Zolvane\\Zo_Kol.dll\n"
    "FILE2=C:\\Zolvane\\Zolvane.hlp\nITEMS=2\nITEM1=Kolda\nITEM2=Zolvane Help\n"
    "DIR=C:\\Zolvane\\Kolda\n"
    "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\Zolvane\\Tools\\t.exe\nITEMS=1\n"
    "ITEM1=Tool\nDIR=C:\\Zolvane\\Tools\n";

const char kProduct[] = "C:\\WINDOWS\\Zolvane";

class RemoverTest : public ::testing::Test {
protected:
    // Records from `ini`, every FILE value of it on disk, and the program started in the
    // product folder; the start-up's boxes are cleared.
    void Start(const std::string& ini, const std::string& currentFolder = kProduct) {
        records = std::make_unique<MemoryProfile>(ini);
        for (const std::string& path : FileValues(ini)) files.files.insert(path);
        remover = std::make_unique<Remover>(
            Remover::Seams{&ui, records.get(), &files, &programManager}, ZoclearStrings());
        remover->Startup(currentFolder, kProduct);
    }
    void StartAndClear(const std::string& ini) {
        Start(ini);
        ui.log.clear();
        ui.progress.clear();
    }
    // Fresh fakes for the next case of a table.
    void ResetFakes() {
        ui = ScriptedUi();
        files = FakeFileSystem();
        programManager = FakeProgramManager();
    }

    std::string Text(unsigned id) const { return strings.Load(id); }

    // The two questions of a removal that deletes files, answered Yes, after the file list.
    Texts Questions(const std::string& list) const {
        return {"ask: " + list + "\n\n" + Text(zoclear_text::kDeleteAll) + " -> yes",
                "ask: " + Text(zoclear_text::kStartQuestion) + " -> yes"};
    }
    std::string FileList(const Texts& paths) const {
        const int count = static_cast<int>(paths.size());
        std::string list = strings.Format(zoclear_text::kFileCount, count) + "\n\n";
        for (const std::string& path : paths) list += path + "\n";
        return list;
    }
    static Texts Join(Texts a, const Texts& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    StringLoader strings{ZoclearStrings()};
    ScriptedUi ui;
    FakeFileSystem files;
    FakeProgramManager programManager;
    std::unique_ptr<MemoryProfile> records;
    std::unique_ptr<Remover> remover;
};

TEST_F(RemoverTest, StartupListsThePartsAndNamesThemInTheNotice) {
    Start("[INSTALL]\nSECTIONS=3\nSECTION1=Moravel\nSECTION3=Tools\n");
    EXPECT_EQ(ui.title, Text(zoclear_text::kCaption));
    EXPECT_EQ(ui.list, (Texts{"Moravel", "", "Tools"})) << "a missing SECTION2 is an empty line";
    EXPECT_EQ(ui.selected, 0);
    EXPECT_EQ(ui.log, (Texts{"notice: " + Text(zoclear_text::kStartupNotice) +
                             "\n\nMoravel\n\nTools\n"}));
}

TEST_F(RemoverTest, StartupQuitsOutsideTheProductFolderOrWithoutRecords) {
    struct Case {
        const char* name;
        const char* ini;
        const char* currentFolder;
        unsigned message;
    } cases[] = {
        {"the folder in another letter case", kThreeParts, "C:\\Windows\\Zolvane",
         zoclear_text::kWrongFolder},
        {"another folder", kThreeParts, "C:\\", zoclear_text::kWrongFolder},
        {"no records file", "", kProduct, zoclear_text::kNoRecords},
        {"SECTIONS 0", "[INSTALL]\nSECTIONS=0\nSECTION1=Moravel\n", kProduct,
         zoclear_text::kNoRecords},
        {"SECTIONS negative", "[INSTALL]\nSECTIONS=-3\n", kProduct, zoclear_text::kNoRecords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui = ScriptedUi();
        Start(c.ini, c.currentFolder);
        EXPECT_EQ(ui.title, Text(zoclear_text::kCaption));
        EXPECT_EQ(ui.log, (Texts{"beep", "warning: " + Text(c.message), "quit"}));
    }
}

TEST_F(RemoverTest, InfoShowsExactlyWhatRemoveDeletes) {
    StartAndClear(kThreeParts);
    remover->ShowInfo();
    EXPECT_EQ(ui.log, (Texts{"warning: " + FileList({"C:\\Zolvane\\Zo_Mor.dll",
                                                      "C:\\Zolvane\\Moravel.txt"})}));
    EXPECT_TRUE(files.log.empty());
    EXPECT_EQ(records->Text(), MemoryProfile(kThreeParts).Text());
}

TEST_F(RemoverTest, InfoOfAPartWithNothingOfItsOwnShowsTheNoticeAlone) {
    StartAndClear("[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n"
                  "[A]\nFILES=1\nFILE1=C:\\common.dll\n[B]\nFILES=1\nFILE1=C:\\common.dll\n");
    remover->ShowInfo();
    EXPECT_EQ(ui.log, (Texts{"warning: " + Text(zoclear_text::kNothingToDelete)}));
}

TEST_F(RemoverTest, InfoListsAPathThatThePartNamesTwice) {
    StartAndClear("[INSTALL]\nSECTIONS=1\nSECTION1=A\n"
                  "[A]\nFILES=3\nFILE1=C:\\p.dll\nFILE2=C:\\q.dll\nFILE3=C:\\p.dll\n");
    remover->ShowInfo();
    EXPECT_EQ(ui.log, (Texts{"warning: " + FileList({"C:\\q.dll", "C:\\p.dll"})}));
    remover->Remove();
    EXPECT_EQ(files.log, (Texts{"file C:\\q.dll", "file C:\\p.dll", "self-removal"}));
}

TEST_F(RemoverTest, RemovingAPartOfASharedGroup) {
    StartAndClear(kThreeParts);
    remover->Remove();
    const std::string list = FileList({"C:\\Zolvane\\Zo_Mor.dll", "C:\\Zolvane\\Moravel.txt"});
    EXPECT_EQ(ui.Boxes(), Join(Questions(list), {"info: " + Text(zoclear_text::kCompleted)}));
    EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Mor.dll", "file C:\\Zolvane\\Moravel.txt",
                                "folder C:\\Zolvane\\Moravel"}));
    EXPECT_EQ(files.files.count("C:\\Zolvane\\Zolvane.hlp"), 1u) << "Kolda's too";
    EXPECT_EQ(programManager.log,
              (Texts{"connect", "[ShowGroup(\"Zolvane\", 5)]", "[DeleteItem(\"Moravel\")]",
                     "disconnect"}));
    const MemoryProfile expected(
        "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
        "[Kolda]\nGROUP=Zolvane\nFILES=2\nFILE1=C:\\Zolvane\\Zo_Kol.dll\n"
        "FILE2=C:\\Zolvane\\Zolvane.hlp\nITEMS=2\nITEM1=Kolda\nITEM2=Zolvane Help\n"
        "DIR=C:\\Zolvane\\Kolda\n"
        "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\Zolvane\\Tools\\t.exe\nITEMS=1\n"
        "ITEM1=Tool\nDIR=C:\\Zolvane\\Tools\n");
    EXPECT_EQ(records->Text(), expected.Text());
    // FILES = 3: five steps, the last only on success; then back to 0.
    EXPECT_EQ(ui.progress, (std::vector<int>{0, 20, 40, 60, 80, 100, 0}));
    EXPECT_EQ(ui.list, (Texts{"Kolda", "Tools"}));
    EXPECT_EQ(ui.selected, 0);
}

TEST_F(RemoverTest, RemovingThePartOnTheSecondLine) {
    StartAndClear(kThreeParts);
    ui.selected = 1;
    remover->Remove();
    EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Kol.dll", "folder C:\\Zolvane\\Kolda"}));
    EXPECT_EQ(programManager.log,
              (Texts{"connect", "[ShowGroup(\"Zolvane\", 5)]", "[DeleteItem(\"Kolda\")]",
                     "disconnect"}));
    EXPECT_EQ(records->Read("INSTALL", "SECTIONS"), "2");
    EXPECT_EQ(records->Read("INSTALL", "SECTION2"), "Tools");
    EXPECT_EQ(records->Read("INSTALL", "SECTION3"), "");
    EXPECT_EQ(records->Read("Kolda", "FILES"), "");
    EXPECT_EQ(ui.list, (Texts{"Moravel", "Tools"}));
}

TEST_F(RemoverTest, RemovingAPartWithAGroupOfItsOwnDeletesTheGroup) {
    StartAndClear(kThreeParts);
    ui.selected = 2;
    remover->Remove();
    EXPECT_EQ(programManager.log,
              (Texts{"connect", "[DeleteGroup(\"Zolvane Tools\")]", "disconnect"}));
    EXPECT_EQ(records->Read("Tools", "GROUP"), "");
}

TEST_F(RemoverTest, ANoToEitherQuestionChangesNothing) {
    for (int no = 0; no < 2; ++no) {
        SCOPED_TRACE(no);
        ResetFakes();
        StartAndClear(kThreeParts);
        ui.answers = {no != 0, false};
        remover->Remove();
        EXPECT_EQ(ui.Boxes().size(), static_cast<size_t>(no + 1));
        EXPECT_TRUE(files.log.empty());
        EXPECT_TRUE(programManager.log.empty());
        EXPECT_TRUE(ui.progress.empty());
        EXPECT_EQ(records->Text(), MemoryProfile(kThreeParts).Text());
    }
}

TEST_F(RemoverTest, ARefusedFileKeepsEveryRecordForASecondTry) {
    StartAndClear(kThreeParts);
    files.refusals["C:\\Zolvane\\Zo_Mor.dll"] = 32;  // sharing violation: the DLL is in use
    remover->Remove();
    const std::string list = FileList({"C:\\Zolvane\\Zo_Mor.dll", "C:\\Zolvane\\Moravel.txt"});
    EXPECT_EQ(ui.Boxes(),
              Join(Questions(list),
                   {"ask: " + strings.Format(zoclear_text::kDeleteFailed,
                                             std::string("C:\\Zolvane\\Zo_Mor.dll")) +
                        "\n" + Text(zoclear_text::kGoOn) + " -> yes"}));
    EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Mor.dll", "file C:\\Zolvane\\Moravel.txt",
                                "folder C:\\Zolvane\\Moravel"}));
    EXPECT_TRUE(programManager.log.empty()) << "Program Manager is not contacted";
    EXPECT_EQ(records->Text(), MemoryProfile(kThreeParts).Text()) << "all records stay";
    EXPECT_EQ(ui.progress, (std::vector<int>{0, 20, 40, 60, 80, 0})) << "never 100";
    EXPECT_EQ(ui.list, (Texts{"Moravel", "Kolda", "Tools"}));

    // Second try: the file is free now; the one already deleted is passed over.
    files.refusals.clear();
    files.log.clear();
    ui.log.clear();
    remover->Remove();
    EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Mor.dll", "file C:\\Zolvane\\Moravel.txt",
                                "folder C:\\Zolvane\\Moravel"}));
    EXPECT_EQ(programManager.log.size(), 4u);
    EXPECT_EQ(ui.Boxes().back(), "info: " + Text(zoclear_text::kCompleted));
    EXPECT_EQ(ui.list, (Texts{"Kolda", "Tools"}));
}

TEST_F(RemoverTest, ANoAfterARefusedFileEndsTheLoopAtOnce) {
    StartAndClear(kThreeParts);
    files.refusals["C:\\Zolvane\\Zo_Mor.dll"] = 5;  // access denied
    ui.answers = {true, true, false};
    remover->Remove();
    EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Mor.dll", "folder C:\\Zolvane\\Moravel"}));
    EXPECT_EQ(files.files.count("C:\\Zolvane\\Moravel.txt"), 1u);
    EXPECT_TRUE(programManager.log.empty());
    EXPECT_EQ(records->Text(), MemoryProfile(kThreeParts).Text());
    EXPECT_EQ(ui.progress.back(), 0);
}

TEST_F(RemoverTest, AFileThatIsGoneAlreadyIsPassedOver) {
    StartAndClear(kThreeParts);
    files.files.erase("C:\\Zolvane\\Zo_Mor.dll");
    files.refusals["C:\\Zolvane\\Moravel.txt"] = 3;  // path not found
    remover->Remove();
    EXPECT_EQ(ui.Boxes().back(), "info: " + Text(zoclear_text::kCompleted));
    EXPECT_EQ(records->Read("Moravel", "FILES"), "");
}

// Once its files are gone a part leaves the records whatever Program Manager answered: kept,
// it would send the whole conversation again at every try.
TEST_F(RemoverTest, AFailedConversationStillTakesThePartOffTheList) {
    struct Case {
        const char* name;
        bool connects;
        const char* refuse;
        Texts log;
    } cases[] = {
        {"no connection", false, "", {"connection refused"}},
        {"a refused item", true, "[DeleteItem(\"Moravel\")]",
         {"connect", "[ShowGroup(\"Zolvane\", 5)]", "refused [DeleteItem(\"Moravel\")]",
          "disconnect"}},
        {"a refused group", true, "[ShowGroup(\"Zolvane\", 5)]",
         {"connect", "refused [ShowGroup(\"Zolvane\", 5)]", "disconnect"}},
    };
    const std::string afterMoravel =
        MemoryProfile(
            "[INSTALL]\nSECTIONS=2\nSECTION1=Kolda\nSECTION2=Tools\n"
            "[Kolda]\nGROUP=Zolvane\nFILES=2\nFILE1=C:\\Zolvane\\Zo_Kol.dll\n"
            "FILE2=C:\\Zolvane\\Zolvane.hlp\nITEMS=2\nITEM1=Kolda\nITEM2=Zolvane Help\n"
            "DIR=C:\\Zolvane\\Kolda\n"
            "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\Zolvane\\Tools\\t.exe\nITEMS=1\n"
            "ITEM1=Tool\nDIR=C:\\Zolvane\\Tools\n")
            .Text();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFakes();
        programManager.connects = c.connects;
        programManager.refuse = c.refuse;
        StartAndClear(kThreeParts);
        remover->Remove();
        EXPECT_EQ(programManager.log, c.log);
        const Texts boxes = ui.Boxes();
        ASSERT_EQ(boxes.size(), 3u) << "no completion message";
        EXPECT_EQ(boxes[2], "warning: " + Text(zoclear_text::kNoProgramManager));
        const Texts shown = ui.Shown();
        EXPECT_EQ(shown[shown.size() - 2], "beep");
        EXPECT_EQ(files.log, (Texts{"file C:\\Zolvane\\Zo_Mor.dll",
                                    "file C:\\Zolvane\\Moravel.txt",
                                    "folder C:\\Zolvane\\Moravel"}));
        EXPECT_EQ(records->Text(), afterMoravel);
        EXPECT_EQ(ui.progress, (std::vector<int>{0, 20, 40, 60, 80, 0})) << "never 100";
        EXPECT_EQ(ui.list, (Texts{"Kolda", "Tools"}));
        EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "quit"), 0);
    }
}

TEST_F(RemoverTest, TheLastPartRemovesTheProgramAlsoWhenProgramManagerRefuses) {
    programManager.refuse = "[DeleteGroup(\"Zolvane Tools\")]";
    StartAndClear("[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n"
                  "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\t.exe\nDIR=C:\\T\n");
    remover->Remove();
    EXPECT_EQ(ui.Boxes().back(), "warning: " + Text(zoclear_text::kNoProgramManager));
    EXPECT_EQ(files.log, (Texts{"file C:\\t.exe", "folder C:\\T", "self-removal"}));
    EXPECT_EQ(records->Text(), "[INSTALL]\nSECTIONS=0\n");
    EXPECT_EQ(ui.Shown().back(), "quit");
}

// Nothing is deleted that the records could not then forget: a records file that cannot be
// written stops the removal after its questions, before anything goes.
TEST_F(RemoverTest, RecordsThatCannotBeWrittenStopTheRemovalBeforeAnythingGoes) {
    StartAndClear(kThreeParts);
    records->writable = false;
    records->writesLeft = 0;
    remover->Remove();
    const std::string list = FileList({"C:\\Zolvane\\Zo_Mor.dll", "C:\\Zolvane\\Moravel.txt"});
    EXPECT_EQ(ui.Boxes(), Join(Questions(list), {"warning: " + strings.Format(
                                                                   zoclear_text::kRecordsLocked,
                                                                   records->path)}));
    const Texts shown = ui.Shown();
    EXPECT_EQ(shown[shown.size() - 2], "beep");
    EXPECT_TRUE(files.log.empty());
    EXPECT_TRUE(programManager.log.empty());
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_EQ(records->Text(), MemoryProfile(kThreeParts).Text());
    EXPECT_EQ(ui.list, (Texts{"Moravel", "Kolda", "Tools"}));

    records->writable = true;
    records->writesLeft = -1;
    ui.log.clear();
    remover->Remove();
    EXPECT_EQ(ui.Boxes(), Join(Questions(list), {"info: " + Text(zoclear_text::kCompleted)}));
    EXPECT_EQ(ui.list, (Texts{"Kolda", "Tools"}));
}

// A records file that another program comes to hold while the part's files go: the part stays
// listed and the user hears that the records could not be updated. Nothing calls the removal
// complete or removes the program while the records still list a part, and a second removal,
// once the file can be written, completes.
TEST_F(RemoverTest, RecordsThatFailLaterKeepThePartListedForASecondTry) {
    const std::string tools =
        "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\t.exe\nDIR=C:\\T\n";
    const std::string lastPart = "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + tools;
    const Texts moravelConversation = {"connect", "[ShowGroup(\"Zolvane\", 5)]",
                                       "[DeleteItem(\"Moravel\")]", "disconnect"};
    // What removing Moravel leaves of the three parts' files.
    const std::set<std::string> othersFiles = {
        "C:\\Zolvane\\Zo_Kol.dll", "C:\\Zolvane\\Zolvane.hlp", "C:\\Zolvane\\Tools\\t.exe"};
    auto without = [](const std::string& ini, const char* section) {
        MemoryProfile profile(ini);
        profile.DeleteSection(section);
        return profile.Text();
    };
    struct Case {
        const char* name;
        std::string ini;
        int writesLeft;
        Texts commands;
        std::set<std::string> filesLeft;
        std::string recordsAfter;
        Texts secondTryCommands;
        Texts listAfterSecondTry;  // empty: the program removed itself
    } cases[] = {
        // Program Manager is asked only once the section is gone.
        {"the section cannot be deleted", kThreeParts, 0, {}, othersFiles,
         MemoryProfile(kThreeParts).Text(), moravelConversation, {"Kolda", "Tools"}},
        {"the list line cannot be dropped", kThreeParts, 1, moravelConversation, othersFiles,
         without(kThreeParts, "Moravel"), {}, {"Kolda", "Tools"}},
        {"the last part's line cannot be dropped", lastPart, 1,
         {"connect", "[DeleteGroup(\"Zolvane Tools\")]", "disconnect"}, {},
         without(lastPart, "Tools"), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFakes();
        StartAndClear(c.ini);
        const Texts listed = ui.list;
        records->writesLeft = c.writesLeft;
        remover->Remove();
        const Texts shown = ui.Shown();
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown.back(), "warning: " + strings.Format(zoclear_text::kRecordsNotUpdated,
                                                             records->path));
        EXPECT_EQ(shown[shown.size() - 2], "beep");
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "info: " + Text(zoclear_text::kCompleted)),
                  0);
        EXPECT_EQ(files.files, c.filesLeft) << "the part's files went";
        EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "self-removal"), 0);
        EXPECT_EQ(programManager.log, c.commands);
        EXPECT_EQ(records->Text(), c.recordsAfter);
        EXPECT_EQ(ui.list, listed) << "the part stays listed";
        EXPECT_EQ(std::find(ui.progress.begin(), ui.progress.end(), 100), ui.progress.end());

        records->writesLeft = -1;
        programManager.log.clear();
        ui.log.clear();
        remover->Remove();
        EXPECT_EQ(ui.Boxes().back(), "info: " + Text(zoclear_text::kCompleted));
        EXPECT_EQ(programManager.log, c.secondTryCommands);
        EXPECT_EQ(ui.list, c.listAfterSecondTry);
        EXPECT_EQ(ui.Shown().back() == "quit", c.listAfterSecondTry.empty());
    }
}

// The names are checked before the questions: a part that cannot be removed whole is not
// removed at all, so that nothing of it is lost while it stays listed.
TEST_F(RemoverTest, ARefusedNameChangesNothing) {
    struct Case {
        const char* name;
        const char* group;
        const char* item;
        const char* refused;
    } cases[] = {
        {"an item that would end its command", "Zolvane", "x\")][DeleteGroup(\"",
         "x\")][DeleteGroup(\""},
        {"a group above the Programs folder", "Zolvane\\..\\..", "x", "Zolvane\\..\\.."},
        {"a group on a drive", "C:\\Windows", "x", "C:\\Windows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFakes();
        StartAndClear(std::string("[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n[A]\nGROUP=") +
                      c.group + "\nFILES=1\nFILE1=C:\\a.dll\nITEMS=1\nITEM1=" + c.item +
                      "\nDIR=C:\\A\n[B]\nGROUP=Zolvane\n");
        const std::string before = records->Text();
        remover->Remove();
        EXPECT_EQ(ui.Boxes(), (Texts{"warning: " + strings.Format(zoclear_text::kRefusedName,
                                                                  std::string(c.refused))}));
        EXPECT_EQ(ui.Shown().front(), "beep");
        EXPECT_TRUE(files.log.empty());
        EXPECT_TRUE(programManager.log.empty());
        EXPECT_TRUE(ui.progress.empty());
        EXPECT_EQ(records->Text(), before);
        EXPECT_EQ(ui.list, (Texts{"A", "B"}));
    }
}

// A list line that names the list's own section, however it is padded or quoted, is no part:
// removing it drops the line and touches none of what [INSTALL] holds.
TEST_F(RemoverTest, ALineNamingTheListsSectionOnlyLeavesTheList) {
    const char* const names[] = {"INSTALL", "INSTALL ", " \tinstall", "\"INSTALL \"",
                                 "\" Install\""};
    const std::string installKeys =
        "GROUP=Startup\nFILES=1\nFILE1=C:\\Windows\\win.ini\nDIR=C:\\Windows\n";
    const std::string tools = "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\t.exe\n";
    for (const char* name : names) {
        SCOPED_TRACE(std::string("\"") + name + "\"");
        ResetFakes();
        StartAndClear(std::string("[INSTALL]\nSECTIONS=2\nSECTION1=") + name +
                      "\nSECTION2=Tools\n" + installKeys + tools);
        remover->Remove();
        EXPECT_EQ(ui.Boxes(),
                  (Texts{"ask: " + Text(zoclear_text::kNothingToDelete) + "\n\n" +
                             Text(zoclear_text::kGoOn) + " -> yes",
                         "ask: " + Text(zoclear_text::kStartQuestion) + " -> yes",
                         "info: " + Text(zoclear_text::kCompleted)}));
        EXPECT_TRUE(files.log.empty());
        EXPECT_TRUE(programManager.log.empty());
        EXPECT_EQ(records->Text(),
                  MemoryProfile("[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n" + installKeys + tools)
                      .Text());
        EXPECT_EQ(ui.list, (Texts{"Tools"}));
    }
}

// An empty group name, and one of blanks alone, stand for the Programs folder, every group.
TEST_F(RemoverTest, APartWithoutAGroupRemovesNoGroup) {
    for (const char* group : {"", "GROUP=\n", "GROUP=   \n"}) {
        SCOPED_TRACE(group);
        ResetFakes();
        StartAndClear(std::string("[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n[A]\n") +
                      group + "FILES=1\nFILE1=C:\\a.dll\nITEMS=1\nITEM1=A item\n"
                      "[B]\nGROUP=Zolvane\nFILES=1\nFILE1=C:\\b.dll\n");
        remover->Remove();
        EXPECT_TRUE(programManager.log.empty()) << "never DeleteGroup(\"\") nor (\"   \")";
        EXPECT_EQ(ui.Boxes().back(), "info: " + Text(zoclear_text::kCompleted));
        EXPECT_EQ(files.log, (Texts{"file C:\\a.dll"}));
        EXPECT_EQ(records->Text(), "[INSTALL]\nSECTIONS=1\nSECTION1=B\n"
                                   "[B]\nGROUP=Zolvane\nFILES=1\nFILE1=C:\\b.dll\n");
    }
}

TEST_F(RemoverTest, TheLastPartEndsWithTheSelfRemoval) {
    StartAndClear("[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n"
                  "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\t.exe\nDIR=C:\\T\n");
    remover->Remove();
    EXPECT_EQ(files.log, (Texts{"file C:\\t.exe", "folder C:\\T", "self-removal"}));
    EXPECT_EQ(records->Text(), "[INSTALL]\nSECTIONS=0\n");
    EXPECT_EQ(ui.Shown().back(), "quit");
    EXPECT_TRUE(ui.list.empty());
}

TEST_F(RemoverTest, CountsOutsideTheirBoundsNeitherDivideByZeroNorLoop) {
    StartAndClear("[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n"
                  "[A]\nGROUP=GA\nFILES=-2\nFILE1=C:\\a.dll\n[B]\nFILES=2147483648\n");
    remover->Remove();
    EXPECT_TRUE(files.log.empty()) << "FILES below 0 counts as none";
    EXPECT_EQ(ui.progress, (std::vector<int>{0, 50, 100, 0}));
    ui.progress.clear();
    ui.selected = 0;  // B
    ui.log.clear();
    remover->ShowInfo();
    EXPECT_EQ(ui.log, (Texts{"warning: " + Text(zoclear_text::kNothingToDelete)}));
}

TEST_F(RemoverTest, ALineWithoutANameOnlyLeavesTheList) {
    StartAndClear("[INSTALL]\nSECTIONS=2\nSECTION1=A\n[A]\nFILES=1\nFILE1=C:\\a.dll\n");
    ui.selected = 1;
    remover->Remove();
    EXPECT_TRUE(files.log.empty());
    EXPECT_EQ(records->Text(),
              "[INSTALL]\nSECTIONS=1\nSECTION1=A\n[A]\nFILES=1\nFILE1=C:\\a.dll\n");
    EXPECT_EQ(ui.list, (Texts{"A"}));
}

TEST_F(RemoverTest, DrivesRootsAreNeverRemovedAsFolders) {
    struct Case {
        const char* dir;
        bool removed;
    } cases[] = {{"C:\\", false}, {"C:", false}, {"", false}, {"C:\\Z", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        ResetFakes();
        StartAndClear(std::string("[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n[A]\nDIR=") +
                      c.dir + "\n");
        remover->Remove();
        EXPECT_EQ(files.log, c.removed ? Texts{std::string("folder ") + c.dir} : Texts{});
    }
}

// The window's commands are off from before the first box of a removal until it has ended,
// however it ends; Info and Help leave them as they are.
TEST_F(RemoverTest, TheCommandsAreOffForTheWholeRemoval) {
    const std::string lastPart = "[INSTALL]\nSECTIONS=1\nSECTION1=Tools\n"
                                 "[Tools]\nGROUP=Zolvane Tools\nFILES=1\nFILE1=C:\\t.exe\n";
    const std::string badGroup = "[INSTALL]\nSECTIONS=1\nSECTION1=A\n[A]\nGROUP=..\n";
    struct Case {
        const char* name;
        std::string ini;
        std::function<void()> arrange;
    } cases[] = {
        {"completed", kThreeParts, [] {}},
        {"a No to the first question", kThreeParts, [this] { ui.answers = {false}; }},
        {"a refused name", badGroup, [] {}},
        {"a refused file and a No", kThreeParts,
         [this] {
             files.refusals["C:\\Zolvane\\Zo_Mor.dll"] = 5;
             ui.answers = {true, true, false};
         }},
        {"records that cannot be written", kThreeParts, [this] { records->writable = false; }},
        {"records that fail later", kThreeParts, [this] { records->writesLeft = 1; }},
        {"the last part", lastPart, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFakes();
        StartAndClear(c.ini);
        c.arrange();
        remover->Remove();
        ASSERT_GE(ui.log.size(), 3u);
        EXPECT_EQ(ui.log.front(), "commands off");
        EXPECT_EQ(ui.log.back(), "commands on");
        EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "commands off"), 1);
        EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "commands on"), 1);
    }

    ResetFakes();
    StartAndClear(kThreeParts);
    remover->ShowInfo();
    remover->ShowHelp();
    EXPECT_EQ(ui.log.size(), 2u) << "two boxes, and the commands as they were";
}

TEST_F(RemoverTest, HelpShowsItsText) {
    StartAndClear(kThreeParts);
    remover->ShowHelp();
    EXPECT_EQ(ui.log, (Texts{"info: " + Text(zoclear_text::kHelp)}));
}

TEST(RemoveOutcome, OnlyAMissingFileCountsAsGone) {
    struct Case {
        uint32_t error;
        RemoveOutcome outcome;
    } cases[] = {
        {2, RemoveOutcome::kAbsent},     // file not found
        {3, RemoveOutcome::kAbsent},     // path not found
        {123, RemoveOutcome::kAbsent},   // bad name syntax
        {161, RemoveOutcome::kAbsent},   // bad path name
        {206, RemoveOutcome::kAbsent},   // name too long
        {5, RemoveOutcome::kRefused},    // access denied
        {32, RemoveOutcome::kRefused},   // sharing violation
        {33, RemoveOutcome::kRefused},   // lock violation
        {19, RemoveOutcome::kRefused},   // write protected
        {21, RemoveOutcome::kRefused},   // drive not ready
        {15, RemoveOutcome::kRefused},   // invalid drive: a removable disk may be out
        {145, RemoveOutcome::kRefused},  // directory not empty
        {0, RemoveOutcome::kRefused},
    };
    for (const Case& c : cases) EXPECT_EQ(RemoveOutcomeOfError(c.error), c.outcome) << c.error;
}

}  // namespace

// The removal's seams over the real system under Wine: the profile file, file deletion judged
// from the system's error codes, folder removal, the self-removal's batch file, and the DDE
// conversation against the tests' own Program Manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "remover/install_records.h"
#include "remover/remover_texts.h"
#include "remover/win32/dde_program_manager.h"
#include "remover/win32/private_profile_store.h"
#include "remover/win32/system_file_system.h"
#include "tests/support/remover/fake_seams.h"
#include "tests/support/files.h"
#include "tests/win32/remover/folder_tree.h"
#include "tests/win32/remover/stand_in_program_manager.h"
#include "tests/win32/remover/zoclear_driver.h"

namespace {

using Texts = std::vector<std::string>;

TEST(ProfileStore, ReadsWritesAndDeletesKeysAndSections) {
    test_files::ScratchFolder folder("zo-profile");
    const std::string path = folder.PathOf("ZOLVIN.INI");
    test_files::WriteAll(path, "[INSTALL]\r\nSECTIONS=1\r\nSECTION1=Mor\r\n[Mor]\r\nFILES=1\r\n"
                     "FILE1=C:\\a.dll\r\n");
    PrivateProfileStore store(path);
    EXPECT_EQ(store.Read("INSTALL", "SECTION1"), "Mor");
    EXPECT_EQ(store.Read("install", "section1"), "Mor") << "names match in any letter case";
    EXPECT_EQ(store.Read("INSTALL", "SECTION2"), "");
    EXPECT_EQ(store.Read("Nowhere", "FILES"), "");

    const std::string longPath = "C:\\" + std::string(3000, 'p') + ".dll";
    store.Write("Mor", "FILE2", longPath);
    EXPECT_EQ(store.Read("Mor", "FILE2"), longPath) << "a long value is read whole, never cut";

    store.DeleteKey("Mor", "FILE1");
    EXPECT_EQ(store.Read("Mor", "FILE1"), "");
    EXPECT_EQ(store.Read("Mor", "FILES"), "1");
    store.DeleteSection("Mor");
    EXPECT_EQ(store.Read("Mor", "FILES"), "");
    EXPECT_EQ(store.Read("Mor", "FILE2"), "");
    EXPECT_EQ(store.Read("INSTALL", "SECTIONS"), "1");
}

TEST(ProfileStore, RecordsReadThroughTheFile) {
    test_files::ScratchFolder folder("zo-records");
    const std::string path = folder.PathOf("ZOLVIN.INI");
    test_files::WriteAll(path, "[INSTALL]\r\nSECTIONS=2\r\nSECTION1=ゾルヴァン\r\nSECTION2=B\r\n"
                     "[ゾルヴァン]\r\nGROUP=表示\r\nFILES=2\r\nFILE1=C:\\ソフト\\a.dll\r\n"
                     "ITEMS=1\r\nITEM1=Zo\r\nDIR=C:\\ソフト\r\n");
    PrivateProfileStore store(path);
    const InstallRecords records(&store);
    const std::vector<InstalledPart> listed = records.ReadListedParts();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].group, "表示");
    EXPECT_EQ(listed[0].files, (Texts{"C:\\ソフト\\a.dll", ""}));
    EXPECT_EQ(listed[0].items, (Texts{"Zo"}));
    EXPECT_EQ(listed[0].fileItems, (Texts{"Zo", ""}));
    EXPECT_EQ(listed[0].folder, "C:\\ソフト");
    records.DropFromList(0, 2);
    records.DeletePart("ゾルヴァン");
    EXPECT_EQ(store.Read("INSTALL", "SECTIONS"), "1");
    EXPECT_EQ(store.Read("INSTALL", "SECTION1"), "B");
    EXPECT_EQ(store.Read("ゾルヴァン", "FILES"), "");
}

// A records file that another program holds open, sharing only its reading, as a backup
// program or a virus scanner does: it reads as before, and every change says it failed.
TEST(ProfileStore, AFileHeldAgainstWritingSaysSoAndStaysAsItIs) {
    test_files::ScratchFolder folder("zo-held");
    const std::string path = folder.PathOf("ZOLVIN.INI");
    const std::string text = "[INSTALL]\r\nSECTIONS=1\r\nSECTION1=Mor\r\n[Mor]\r\nFILES=1\r\n";
    test_files::WriteAll(path, text);
    PrivateProfileStore store(path);
    EXPECT_TRUE(store.CanWrite());
    EXPECT_EQ(store.Path(), path);

    HeldFile held;
    ASSERT_TRUE(held.Take(path));
    EXPECT_FALSE(store.CanWrite());
    EXPECT_EQ(store.Read("INSTALL", "SECTION1"), "Mor");
    EXPECT_FALSE(store.Write("INSTALL", "SECTIONS", "0"));
    EXPECT_FALSE(store.DeleteKey("INSTALL", "SECTION1"));
    EXPECT_FALSE(store.DeleteSection("Mor"));
    held.Release();
    EXPECT_EQ(AsText(test_files::ReadAll(path)), text);
    EXPECT_EQ(store.Read("INSTALL", "SECTIONS"), "1");

    EXPECT_TRUE(store.CanWrite());
    EXPECT_TRUE(store.DeleteSection("Mor"));
    EXPECT_TRUE(store.DeleteKey("INSTALL", "SECTION9")) << "a key that is not there is no failure";
    EXPECT_EQ(store.Read("Mor", "FILES"), "");

    EXPECT_FALSE(PrivateProfileStore(folder.PathOf("missing.ini")).CanWrite());
}

TEST(FileRemoval, OutcomesComeFromTheSystemsErrorCodes) {
    test_files::ScratchFolder folder("zo-files");
    const std::string plain = folder.PathOf("plain.dll");
    const std::string readOnly = folder.PathOf("readonly.dll");
    const std::string inUse = folder.PathOf("inuse.dll");
    const std::string subfolder = folder.PathOf("sub");
    for (const std::string& path : {plain, readOnly, inUse}) test_files::WriteAll(path, "x");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(subfolder);
    // In use, as a running program holds its DLL.
    HeldFile held;
    ASSERT_TRUE(held.Take(inUse));

    struct Case {
        std::string path;
        RemoveOutcome outcome;
        bool remains;
    } cases[] = {
        {plain, RemoveOutcome::kRemoved, false},
        {plain, RemoveOutcome::kAbsent, false},  // the second time it is gone
        {folder.PathOf("missing\\x.dll"), RemoveOutcome::kAbsent, false},
        {readOnly, RemoveOutcome::kRefused, true},
        {inUse, RemoveOutcome::kRefused, true},
        {subfolder, RemoveOutcome::kRefused, true},
    };
    SystemFileSystem files;
    for (const Case& c : cases) {
        EXPECT_EQ(files.RemoveFile(c.path), c.outcome) << c.path;
        EXPECT_EQ(PathExists(c.path), c.remains) << c.path;
    }
    held.Release();
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileRemoval, OnlyEmptyFoldersAreRemoved) {
    test_files::ScratchFolder folder("zo-folders");
    MakeFolder(folder.PathOf("empty"));
    MakeFolder(folder.PathOf("full"));
    test_files::WriteAll(folder.PathOf("full\\keep.txt"), "keep");
    SystemFileSystem files;
    files.RemoveFolder(folder.PathOf("empty"));
    files.RemoveFolder(folder.PathOf("full"));
    files.RemoveFolder(folder.PathOf("missing"));
    EXPECT_FALSE(PathExists(folder.PathOf("empty")));
    EXPECT_TRUE(PathExists(folder.PathOf("full\\keep.txt")));
}

// Restores the process's current folder, which the self-removal changes.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() { GetCurrentDirectoryA(sizeof saved_, saved_); }
    ~CurrentFolderKeeper() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH];
};

TEST(SelfRemoval, TheTemplatesBecomeTheStartedBatchFile) {
    test_files::ScratchFolder windows("zo-selfremoval");
    const std::string product = windows.PathOf("Zolvane");
    MakeFolder(product);
    test_files::WriteAll(product + "\\VaravUr.ba$", "@echo off\r\necho started> started.txt\r\n");
    test_files::WriteAll(product + "\\VaravUr.pi$", "program information");
    test_files::WriteAll(windows.PathOf("VaravUr.bat"), "@echo off\r\necho stale> stale.txt\r\n");
    const DWORD hidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    SetFileAttributesA((product + "\\VaravUr.ba$").c_str(), hidden);
    SetFileAttributesA((product + "\\VaravUr.pi$").c_str(), hidden);

    {
        CurrentFolderKeeper keeper;
        ASSERT_TRUE(SetCurrentDirectoryA(product.c_str()));
        SystemFileSystem().StartSelfRemoval();
        char current[MAX_PATH];
        GetCurrentDirectoryA(sizeof current, current);
        EXPECT_STREQ(current, windows.Path().c_str()) << "it changes into the folder above";
    }
    EXPECT_FALSE(PathExists(product + "\\VaravUr.ba$"));
    EXPECT_FALSE(PathExists(product + "\\VaravUr.pi$"));
    EXPECT_EQ(AsText(test_files::ReadAll(windows.PathOf("VaravUr.pif"))), "program information");
    EXPECT_EQ(GetFileAttributesA((windows.PathOf("VaravUr.bat")).c_str()), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA((windows.PathOf("VaravUr.pif")).c_str()), FILE_ATTRIBUTE_ARCHIVE);
    const std::string started = windows.PathOf("started.txt");
    EXPECT_TRUE(WaitUntil([&] {
        return AsText(test_files::ReadAll(started)).rfind("started", 0) == 0;
    })) << "the batch file was started";
    EXPECT_FALSE(PathExists(windows.PathOf("stale.txt"))) << "never a batch file of an earlier run";
    // The folder goes once the batch file's command processor has let go of it.
    EXPECT_TRUE(WaitUntil([&] { return RemoveTree(windows.Path()); }));
}

// A group of the stand-in's Programs folder with two items.
class ConversationTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(programs.Path() + "\\Zolvane");
        test_files::WriteAll(programs.Path() + "\\Zolvane\\Moravel.lnk", "link");
        test_files::WriteAll(programs.Path() + "\\Zolvane\\Kolda.lnk", "link");
        ASSERT_TRUE(server.Running());
    }

    test_files::ScratchFolder programs{"zo-programs"};
    StandInProgramManager server{programs.Path()};
    ScriptedUi ui;
    DdeProgramManager programManager{&ui};
};

TEST_F(ConversationTest, CommandsGoInOrderInOneConversation) {
    EXPECT_TRUE(programManager.Execute(
        {"[ShowGroup(\"Zolvane\", 5)]", "[DeleteItem(\"Moravel\")]"}));
    EXPECT_EQ(server.Log(), (Texts{"connect", "[ShowGroup(\"Zolvane\", 5)] ok",
                                   "[DeleteItem(\"Moravel\")] ok", "disconnect"}));
    EXPECT_EQ(TreeListing(programs.Path()), (Texts{"Zolvane\\", "Zolvane\\Kolda.lnk"}));
    EXPECT_TRUE(ui.log.empty());

    EXPECT_TRUE(programManager.Execute({"[DeleteGroup(\"Zolvane\")]"}));
    EXPECT_TRUE(TreeListing(programs.Path()).empty());
}

TEST_F(ConversationTest, ARefusedCommandEndsTheConversation) {
    server.Refuse("[DeleteItem(\"Moravel\")]");
    EXPECT_FALSE(programManager.Execute({"[ShowGroup(\"Zolvane\", 5)]",
                                         "[DeleteItem(\"Moravel\")]", "[DeleteItem(\"Kolda\")]"}));
    EXPECT_EQ(server.Log(), (Texts{"connect", "[ShowGroup(\"Zolvane\", 5)] ok",
                                   "[DeleteItem(\"Moravel\")] refused", "disconnect"}));
    EXPECT_EQ(TreeListing(programs.Path()).size(), 3u) << "nothing after the refusal";
}

TEST_F(ConversationTest, TheServerEndingTheConversationStopsIt) {
    server.DisconnectAt("[DeleteItem(\"Moravel\")]");
    EXPECT_FALSE(programManager.Execute({"[ShowGroup(\"Zolvane\", 5)]",
                                         "[DeleteItem(\"Moravel\")]", "[DeleteItem(\"Kolda\")]"}));
    const Texts log = server.Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[2], "[DeleteItem(\"Moravel\")] disconnected");
    for (const std::string& line : log) EXPECT_EQ(line.find("Kolda"), std::string::npos);
    EXPECT_TRUE(PathExists(programs.Path() + "\\Zolvane\\Kolda.lnk"));
}

// Wine on this machine runs without a Japanese system locale and makes no file names outside
// ASCII, so the group cannot exist here: the stand-in refuses it, and the log shows the bytes
// that arrived.
TEST_F(ConversationTest, CodePage932NamesArriveAsTheyStand) {
    EXPECT_FALSE(programManager.Execute({"[ShowGroup(\"ゾルヴァン表示\", 5)]"}));
    EXPECT_EQ(server.Log(),
              (Texts{"connect", "[ShowGroup(\"ゾルヴァン表示\", 5)] refused", "disconnect"}));
}

}  // namespace

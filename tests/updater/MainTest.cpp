// tests/updater/MainTest.cpp -- Tmain's update cycle against a loopback update server
//
// WinInet reaches the server through the prefix's proxy setting, so the updater asks for the
// product's own addresses. The updater works in a temporary folder of the test; its settings
// file is the test user's (main.cpp sets the user name). Every message window is read and
// answered from a timer, as a user would, and the texts are compared in order.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Varnel2/Varnel2.h"
#include "desktop/IniFile.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"
#include "shared/HttpFetch.h"
#include "shared/UiDirectories.h"
#include "tests/desktop/ModalDriver.h"
#include "tests/shared/HttpTestServer.h"
#include "tests/shared/ProxySetting.h"
#include "tests/updater/TestFiles.h"
#include "tests/zip/ZipBuilder.h"
#include "updater/Main.h"
#include "updater/UpdateNumbers.h"

namespace {

using namespace updtest;

constexpr char ListUrl[] = "http://www.sentinox-update.example/sentinox/update.txt";
constexpr char ArchiveUrl[] = "http://www.sentinox-update.example/sentinox/sentinoxupdate.zip";
constexpr char ListFailed[] = "Couldn't download the update list.";
constexpr char RemoteUnknown[] = "Couldn't determine the remote file version.";
constexpr char LocalUnknown[] = "Couldn't determine the local file version.";
constexpr char UpToDate[] = "There are no updates available.";
constexpr char ArchiveFailed[] = "Couldn't download the remote file.";
constexpr char AboutToReplace[] = "Local File is about to be replaced.";
constexpr char BadArchive[] = "Server error or remote file not found. Please try again later.";
constexpr char Complete[] = "Update complete.";
constexpr char Incomplete[] = "The update did not complete: every file was left as it was. Please try again later.";
constexpr char DueList[] = "[sentinox]\r\nupdate=6\r\n";
constexpr int MessageTextId = 0xFFFF;
constexpr DWORD FlowTimeoutMs = 9000;    // below the modal driver's watchdog
constexpr unsigned long ShortReceiveTimeoutMs = 3000;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The answer to one message window, by its text; IDOK unless a test says otherwise.
using TAnswerRule = std::function<int(const std::string& text)>;

class UpdaterCycle : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = FreshTempFolder("sxupdater");
        ASSERT_TRUE(DirectoryExists(Folder));
        Settings = SettingsFileName(TUiDirectories(nullptr).Personal(), UserName());
        SetLocalNumber("5");
        WriteFile(Folder + "old.txt", "old contents");
        WriteFile(Folder + "keep.txt", "not in the archive");
    }
    void TearDown() override {
        RemoveTree(Folder);
        DeleteFileA(Settings.c_str());
    }

    void SetLocalNumber(const char* value) {
        DeleteFileA(Settings.c_str());
        TIniFile file(Settings);
        file.WriteString("application", "version", "3.0.6");
        if (value) file.WriteString("application", "update", value);
    }

    // Runs the updater from its first activation to its end (or the timeout).
    void RunUpdater(const TAnswerRule& answer = {}) {
        Tmain form(nullptr);
        form.SetProgramFolder(Folder);
        // Only the download a test makes stall gets a bound short enough to end within the flow's timeout.
        if (ShortBoundOnList) form.dllist->SetReceiveTimeoutMs(ShortReceiveTimeoutMs);
        if (ShortBoundOnArchive) form.dlfile->SetReceiveTimeoutMs(ShortReceiveTimeoutMs);
        HWND last = nullptr;
        sxtest::TModalDriver driver([&] {
            HWND box = sxtest::FindThreadWindow("#32770");
            if (!box || box == last) return false;
            last = box;
            const std::string text = sxtest::WindowText(GetDlgItem(box, MessageTextId));
            Boxes.push_back(text);
            const int id = answer ? answer(text) : IDOK;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
            return false;
        });
        form.SetVisible(true);
        form.FormActivate(&form);   // whether or not showing activated it: one start only
        Ended = sxtest::PumpUntil([&] { return form.MayClose(); }, FlowTimeoutMs);
        WindowClosed = !IsWindowVisible(form.WindowHandle());
        ArrowTop = form.pos->Top();
        ProgressMax = form.progr->Max();
        ProgressPosition = form.progr->Position();
        // Activated again after its end (a message window closing, the user switching back): nothing more.
        form.FormActivate(&form);
        sxtest::PumpFor(300);
    }

    // Wine's WinInet writes the default port into the address it hands a proxy; taken out here.
    std::vector<std::string> RequestLines() const {
        std::vector<std::string> lines;
        for (const auto& r : Server.Requests()) {
            std::string line = r.RequestLine;
            const size_t port = line.find(".example:80/");
            if (port != std::string::npos) line.erase(port + 8, 3);
            lines.push_back(line);
        }
        return lines;
    }
    std::string OverwriteQuestion(const std::string& name) const {
        return "Overwrite file \"" + Folder + name + "\" with \"" + name + "\"";
    }

    THttpTestServer Server;
    THttpProxySetting Proxy{Server.Port()};
    std::string Folder, Settings;
    std::vector<std::string> Boxes;
    bool Ended = false, WindowClosed = false;
    bool ShortBoundOnList = false, ShortBoundOnArchive = false;
    int ArrowTop = 0, ProgressMax = 0, ProgressPosition = 0;
};

std::string UpdateArchive() {
    TZipBuilder zip;
    zip.Add("old.txt", "new contents of old.txt");
    zip.AddDeflated("data.txt", std::string(5000, 'd') + "end of data");
    zip.Add("sub/", "").ExternalAttributes = 0x10;
    zip.Add("sub/new.bin", std::string("\x00\x01\x02\xff binary", 11));
    return zip.Build();
}

TEST_F(UpdaterCycle, EachOutcomeOfTheUpdateListEndsWithItsMessageAndNothingElse) {
    struct TCase {
        const char* What;
        TScriptedAnswer List;
        const char* LocalNumber;   // null: the settings file has no "update"
        const char* Message;
    };
    const TCase cases[] = {
        {"server closes the connection", TScriptedAnswer::Drop(), "5", ListFailed},
        {"server error page", TScriptedAnswer::Status(500, "[sentinox]\r\nupdate=9\r\n"), "5", ListFailed},
        {"nothing without a length", TScriptedAnswer::WithoutLength(""), "5", ListFailed},
        {"same number", TScriptedAnswer::Ok("[sentinox]\r\nupdate=5\r\n"), "5", UpToDate},
        {"lower number", TScriptedAnswer::Ok("[sentinox]\r\nupdate=4\r\n"), "5", UpToDate},
        {"no section sentinox", TScriptedAnswer::Ok("[other]\r\nupdate=9\r\n"), "5", RemoteUnknown},
        {"not a number", TScriptedAnswer::Ok("[sentinox]\r\nupdate=new\r\n"), nullptr, RemoteUnknown},
        {"no local number", TScriptedAnswer::Ok(DueList), nullptr, LocalUnknown},
        {"local number not a number", TScriptedAnswer::Ok(DueList), "five", LocalUnknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Boxes.clear();
        const size_t before = Server.Requests().size();
        SetLocalNumber(c.LocalNumber);
        Server.Enqueue(c.List);
        RunUpdater();
        EXPECT_TRUE(Ended);
        EXPECT_TRUE(WindowClosed);
        EXPECT_EQ(std::vector<std::string>{c.Message}, Boxes);
        const auto lines = RequestLines();
        ASSERT_EQ(before + 1, lines.size()) << "one list download, not started again on re-activation";
        EXPECT_EQ(std::string("GET ") + ListUrl + " HTTP/1.0", lines.back());
        EXPECT_EQ("old contents", ReadFile(Folder + "old.txt"));
        EXPECT_FALSE(FileExists(Folder + "update.zip"));
    }
}

TEST_F(UpdaterCycle, DueUpdateReplacesTheFilesByteForByteAndSaysComplete) {
    const std::string archive = UpdateArchive();
    Server.Enqueue(TScriptedAnswer::Ok(DueList));
    Server.Enqueue(TScriptedAnswer::Ok(archive));
    RunUpdater([](const std::string& text) { return text.rfind("Overwrite", 0) == 0 ? IDYES : IDOK; });

    EXPECT_TRUE(Ended);
    EXPECT_TRUE(WindowClosed);
    EXPECT_EQ((std::vector<std::string>{AboutToReplace, OverwriteQuestion("old.txt"), Complete}), Boxes);
    EXPECT_EQ((std::vector<std::string>{std::string("GET ") + ListUrl + " HTTP/1.0",
                                        std::string("GET ") + ArchiveUrl + " HTTP/1.0"}),
              RequestLines());
    EXPECT_EQ("new contents of old.txt", ReadFile(Folder + "old.txt"));
    EXPECT_EQ(std::string(5000, 'd') + "end of data", ReadFile(Folder + "data.txt"));
    EXPECT_EQ(std::string("\x00\x01\x02\xff binary", 11), ReadFile(Folder + "sub\\new.bin"));
    EXPECT_EQ("not in the archive", ReadFile(Folder + "keep.txt"));
    // The downloads stay in the folder.
    EXPECT_EQ(archive, ReadFile(Folder + "update.zip"));
    EXPECT_EQ(DueList, ReadFile(Folder + "updatelist.txt"));
    EXPECT_EQ(4 * 16 + 16, ArrowTop) << "the arrow at the last step";
    EXPECT_EQ(static_cast<int>(archive.size()), ProgressMax);
    EXPECT_EQ(static_cast<int>(archive.size()), ProgressPosition);
}

TEST_F(UpdaterCycle, OverwriteAnswersDecideWhichExistingFilesAreReplaced) {
    struct TCase {
        int Button;
        int Questions;           // asked for a.txt and b.txt, or only for the first
        bool Replaced;
    };
    const TCase cases[] = {{IDYES, 2, true}, {IDNO, 2, false}, {mrYesToAll, 1, true}, {mrNoToAll, 1, false}};
    TZipBuilder zip;
    zip.Add("a.txt", "new a");
    zip.Add("b.txt", "new b");
    const std::string archive = zip.Build();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Button);
        Boxes.clear();
        WriteFile(Folder + "a.txt", "old a");
        WriteFile(Folder + "b.txt", "old b");
        Server.Enqueue(TScriptedAnswer::Ok(DueList));
        Server.Enqueue(TScriptedAnswer::Ok(archive));
        int questions = 0;
        RunUpdater([&](const std::string& text) {
            if (text.rfind("Overwrite", 0) != 0) return IDOK;
            ++questions;
            return c.Button;
        });
        EXPECT_TRUE(Ended);
        EXPECT_EQ(c.Questions, questions) << testing::PrintToString(Boxes);
        EXPECT_EQ(c.Replaced ? "new a" : "old a", ReadFile(Folder + "a.txt"));
        EXPECT_EQ(c.Replaced ? "new b" : "old b", ReadFile(Folder + "b.txt"));
        EXPECT_EQ(Complete, Boxes.back()) << "a file the user chose to keep is no failure";
    }
}

TEST_F(UpdaterCycle, ArchiveThatCannotBeDownloadedOrReadLeavesEverythingAsItWas) {
    TZipBuilder empty;
    const std::string good = UpdateArchive();
    struct TCase {
        const char* What;
        TScriptedAnswer Archive;
        const char* Message;
    };
    const TCase cases[] = {
        {"not found", TScriptedAnswer::Status(404, "<html>Not Found</html>"), ArchiveFailed},
        {"connection closed", TScriptedAnswer::Drop(), ArchiveFailed},
        {"no length", TScriptedAnswer::WithoutLength(good), ArchiveFailed},
        {"cut short", TScriptedAnswer::WithLength(std::to_string(good.size()), good.substr(0, good.size() / 2)), ArchiveFailed},
        {"error page with a length", TScriptedAnswer::Ok("<html>Server error</html>"), BadArchive},
        {"archive without items", TScriptedAnswer::Ok(empty.Build()), BadArchive},
        {"damaged directory", TScriptedAnswer::Ok(good.substr(0, good.size() - 30) + std::string(30, 'x')), BadArchive},
        {"first half only", TScriptedAnswer::Ok(good.substr(0, good.size() / 2)), BadArchive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Boxes.clear();
        Server.Enqueue(TScriptedAnswer::Ok(DueList));
        Server.Enqueue(c.Archive);
        RunUpdater();
        EXPECT_TRUE(Ended);
        EXPECT_TRUE(WindowClosed);
        EXPECT_EQ(std::vector<std::string>{c.Message}, Boxes) << "told before anything is stopped or replaced";
        EXPECT_EQ("old contents", ReadFile(Folder + "old.txt"));
        EXPECT_FALSE(FileExists(Folder + "data.txt"));
        EXPECT_EQ(1 * 16 + 16, ArrowTop) << "still at the download step";
        DeleteFileA((Folder + "update.zip").c_str());
    }
}

// Every file in the folder with its contents: the whole installation, compared before and after.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (auto& [inner, bytes] : Snapshot(folder + name + "\\")) files.emplace_back(name + "\\" + inner, bytes);
        } else {
            files.emplace_back(name, ReadFile(folder + name));
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(files.begin(), files.end());
    return files;
}

// The folder as it was, but for the downloads the updater keeps.
std::vector<std::pair<std::string, std::string>> InstallationOf(const std::string& folder) {
    auto files = Snapshot(folder);
    std::erase_if(files, [](const auto& f) { return f.first == "update.zip" || f.first == "updatelist.txt"; });
    return files;
}

TEST_F(UpdaterCycle, FileThatCannotBeReplacedLeavesTheWholeInstallationAsItWas) {
    // The last item's old file is held without any sharing: it can be neither renamed nor replaced,
    // and old.txt and data.txt, replaced before it, must come back.
    ASSERT_TRUE(CreateDirectoryA((Folder + "sub").c_str(), nullptr));
    WriteFile(Folder + "sub\\new.bin", "old binary");
    const auto before = InstallationOf(Folder);
    Server.Enqueue(TScriptedAnswer::Ok(DueList));
    Server.Enqueue(TScriptedAnswer::Ok(UpdateArchive()));
    HANDLE held = CreateFileA((Folder + "sub\\new.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RunUpdater([&](const std::string& text) { return text.rfind("Overwrite", 0) == 0 ? IDYES : IDOK; });
    CloseHandle(held);
    EXPECT_TRUE(Ended);
    EXPECT_TRUE(WindowClosed);
    EXPECT_EQ((std::vector<std::string>{AboutToReplace, OverwriteQuestion("old.txt"), OverwriteQuestion("sub\\new.bin"),
                                        Incomplete}),
              Boxes);
    EXPECT_EQ(before, InstallationOf(Folder));
}

TEST_F(UpdaterCycle, DamagedSecondItemLeavesTheWholeInstallationAsItWas) {
    TZipBuilder zip;
    zip.Add("old.txt", "new contents of old.txt");
    zip.Add("notes.txt", "a new file whose check sum is wrong").Crc = 0x12345678;
    zip.Add("third.txt", "never needed");
    const std::string archive = zip.Build();
    // Whatever the user answers to the engine's failure question, nothing is replaced.
    for (int answer : {IDABORT, IDIGNORE}) {
        SCOPED_TRACE(answer);
        Boxes.clear();
        const auto before = InstallationOf(Folder);
        Server.Enqueue(TScriptedAnswer::Ok(DueList));
        Server.Enqueue(TScriptedAnswer::Ok(archive));
        std::string failure;
        RunUpdater([&](const std::string& text) {
            if (text.rfind("Overwrite", 0) == 0) return IDYES;
            if (text.find("File processing error") != std::string::npos) {
                failure = text;
                return answer;
            }
            return IDOK;
        });
        EXPECT_TRUE(Ended);
        EXPECT_TRUE(WindowClosed);
        ASSERT_FALSE(failure.empty()) << "the engine asks what to do with the failed item";
        EXPECT_EQ(Incomplete, Boxes.back());
        EXPECT_EQ(before, InstallationOf(Folder));
    }
}

TEST_F(UpdaterCycle, StalledServerEndsTheUpdaterWithTheMessageAndLeavesNothingBehind) {
    const std::string archive = UpdateArchive();
    struct TCase {
        const char* What;
        std::vector<TScriptedAnswer> Answers;   // the list's, then the archive's
        const char* Message;
    };
    const TCase cases[] = {
        {"list: accepts, never answers", {TScriptedAnswer().ThenSilence()}, ListFailed},
        {"archive: accepts, never answers", {TScriptedAnswer::Ok(DueList), TScriptedAnswer().ThenSilence()}, ArchiveFailed},
        {"archive: half the body, then nothing",
         {TScriptedAnswer::Ok(DueList),
          TScriptedAnswer::WithLength(std::to_string(archive.size()), archive.substr(0, archive.size() / 2)).ThenSilence()},
         ArchiveFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Boxes.clear();
        const auto before = InstallationOf(Folder);
        for (const TScriptedAnswer& answer : c.Answers) Server.Enqueue(answer);
        ShortBoundOnList = c.Answers.size() == 1;
        ShortBoundOnArchive = !ShortBoundOnList;
        RunUpdater();
        EXPECT_TRUE(Ended) << "the updater still waits for a silent server";
        EXPECT_TRUE(WindowClosed);
        EXPECT_EQ(std::vector<std::string>{c.Message}, Boxes);
        EXPECT_EQ(before, InstallationOf(Folder)) << "no temporary download is left beside the programs";
    }
}

TEST_F(UpdaterCycle, LeftoversOfAnUpdaterEndedEarlyAreGoneAfterTheNextRun) {
    WriteFile(Folder + "sx3F1.tmp", std::string(131200, 'z'));   // a download cut off mid-way
    WriteFile(Folder + "~sx2A.tmp", "a decoded item never put in place");
    WriteFile(Folder + "old.txt.sxold", "an old copy moved aside");
    const std::string expected = "old contents";
    Server.Enqueue(TScriptedAnswer::Ok("[sentinox]\r\nupdate=5\r\n"));
    RunUpdater();
    EXPECT_EQ(std::vector<std::string>{UpToDate}, Boxes);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{"keep.txt", "not in the archive"}, {"old.txt", expected}}),
              InstallationOf(Folder));
}

TEST_F(UpdaterCycle, WindowRefusesToCloseUntilTheCycleHasEnded) {
    // A slow list: the window is up, waiting, when the user tries to close it.
    const std::string list = "[sentinox]\r\nupdate=5\r\n";
    TScriptedAnswer slow;
    slow.Then(1500, "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(list.size()) + "\r\n\r\n" + list);
    Server.Enqueue(slow);
    Tmain form(nullptr);
    form.SetProgramFolder(Folder);
    form.SetVisible(true);
    form.FormActivate(&form);
    SendMessageA(form.WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(form.WindowHandle()));
    EXPECT_FALSE(form.MayClose());
    HWND last = nullptr;
    sxtest::TModalDriver driver([&] {
        HWND box = sxtest::FindThreadWindow("#32770");
        if (!box || box == last) return false;
        last = box;
        Boxes.push_back(sxtest::WindowText(GetDlgItem(box, MessageTextId)));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return false;
    });
    EXPECT_TRUE(sxtest::PumpUntil([&] { return form.MayClose(); }, FlowTimeoutMs));
    EXPECT_EQ(std::vector<std::string>{UpToDate}, Boxes);
    EXPECT_FALSE(IsWindowVisible(form.WindowHandle()));
}

} // namespace

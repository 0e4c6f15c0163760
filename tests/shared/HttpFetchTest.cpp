// tests/shared/HttpFetchTest.cpp -- THttpFetch against a loopback server of the test's own
//
// WinInet reaches the server through the prefix's proxy setting, so every request
// carries the address the component was given (the product's own update address
// included). Each test gets a fresh server and a folder of its own under %TEMP%;
// the test thread is the GUI thread and pumps messages until an event arrives or
// WatchdogMs passes, so a lost event shows as a failure, not as a hang.
#include "tests/support/MessagePump.h"
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HttpTestServer.h"
#include "ProxySetting.h"
#include "shared/HttpFetch.h"
#include "shared/UpdateSite.h"

namespace {

using sxtest::PumpFor;
using sxtest::PumpUntil;

constexpr char OldContent[] = "update list from the last check";

std::string Pattern(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('A' + (i * 7 + i / 26) % 26);
    return body;
}

// What the component reported, and on which thread.
class TEventLog : public TObject {
public:
    struct TProgress {
        int TotalSize;
        int Readed;
    };
    std::vector<TProgress> Progress;
    int DoneFiles = 0;
    std::string DoneFileName;
    int DoneFileSize = -1;
    int Errors = 0;
    std::vector<TObject*> Senders;
    std::vector<DWORD> Threads;
    std::function<void()> AfterDone;     // runs inside OnDoneFile / OnError
    std::function<void()> AfterProgress;

    void Bind(THttpFetch& fetch) {
        fetch.SetOnProgress(TOnProgressEvent(this, &TEventLog::OnProgress));
        fetch.SetOnDoneFile(TOnDoneFileEvent(this, &TEventLog::OnDoneFile));
        fetch.SetOnError(TNotifyEvent(this, &TEventLog::OnError));
    }
    bool Ended() const { return DoneFiles + Errors > 0; }

private:
    void Record(TObject* sender) {
        Senders.push_back(sender);
        Threads.push_back(GetCurrentThreadId());
    }
    void OnProgress(TObject* sender, int totalSize, int readed) {
        Record(sender);
        Progress.push_back({totalSize, readed});
        if (AfterProgress) AfterProgress();
    }
    void OnDoneFile(TObject* sender, const std::string& fileName, int fileSize) {
        Record(sender);
        ++DoneFiles;
        DoneFileName = fileName;
        DoneFileSize = fileSize;
        if (AfterDone) AfterDone();
    }
    void OnError(TObject* sender) {
        Record(sender);
        ++Errors;
        if (AfterDone) AfterDone();
    }
};

class HttpFetchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gProxy = new THttpProxySetting(THttpTestServer::UnusedPort()); }
    static void TearDownTestSuite() {
        delete gProxy;
        gProxy = nullptr;
    }

    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string base = std::string(temp) + "SentinoxHttpTest\\";
        CreateDirectoryA(base.c_str(), nullptr);
        FFolder = base + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        for (char& c : FFolder)
            if (c == '/') c = '_';
        RemoveFolder();
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr));
        gProxy->PointAt(Server.Port());
        Fetch = std::make_unique<THttpFetch>(nullptr);
        Fetch->SetURL(UpdateListUrl());
        Fetch->SetFileName(Target());
        Log.Bind(*Fetch);
    }

    void TearDown() override {
        Fetch.reset();
        RemoveFolder();
    }

    std::string Target() const { return FFolder + "autoUpdate.txt"; }

    // Starts the download and pumps until the component reported its end.
    bool Download() {
        Fetch->StartDownload();
        return PumpUntil([this] { return Log.Ended(); });
    }

    static void WriteFileText(const std::string& path, const std::string& text) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }

    static bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static std::string ReadFileText(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        std::string text;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
        CloseHandle(file);
        return text;
    }

    // Every name in the test's folder: temporary files left behind show up here.
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((FFolder + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }

    void ExpectOnlyTheOldFile() const {
        EXPECT_EQ(ReadFileText(Target()), OldContent);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"autoUpdate.txt"});
    }

    THttpTestServer Server;
    std::unique_ptr<THttpFetch> Fetch;
    TEventLog Log;
    static THttpProxySetting* gProxy;

private:
    void RemoveFolder() const {
        for (const std::string& name : FolderEntries()) DeleteFileA((FFolder + name).c_str());
        RemoveDirectoryA(FFolder.c_str());
    }

    std::string FFolder;
};

THttpProxySetting* HttpFetchTest::gProxy = nullptr;

}  // namespace

// --- addresses ----------------------------------------------------------------

struct TUrlCase {
    const char* Url;
    const char* Host;
    const char* Path;
};

const TUrlCase UrlCases[] = {
    {"http://www.sentinox-update.example/sentinox/update.txt", "www.sentinox-update.example", "/sentinox/update.txt"},
    {"HTTP://Host.Example/Path/File.TXT", "Host.Example", "/Path/File.TXT"},   // scheme in capitals, case kept
    {"hTtP://host/a/b?x=1", "host", "/a/b?x=1"},
    {"http://host:8080/a", "host:8080", "/a"},                                   // no port is parsed
    {"host.example/only/path", "host.example", "/only/path"},                   // no scheme
    {"http://hostonly", "", "hostonly"},                                         // no "/": all of it is the path
    {"http://host/", "host", "/"},
    {"", "", ""},
    {"https://host/x", "https:", "//host/x"},                                    // only plain http is known
};

TEST(SplitHttpUrlTest, GivesHostAndObjectPath) {
    for (const TUrlCase& c : UrlCases) {
        THttpUrlParts parts = SplitHttpUrl(c.Url);
        EXPECT_EQ(parts.Host, c.Host) << c.Url;
        EXPECT_EQ(parts.Path, c.Path) << c.Url;
    }
}

TEST(SplitHttpUrlTest, UpdateFilesShareOneFolderOnTheProductsHost) {
    THttpUrlParts list = SplitHttpUrl(UpdateListUrl());
    THttpUrlParts archive = SplitHttpUrl(UpdateArchiveUrl());
    EXPECT_EQ(list.Host, UpdateHost);
    EXPECT_EQ(archive.Host, UpdateHost);
    EXPECT_EQ(list.Path, std::string(UpdatePathPrefix) + "update.txt");
    EXPECT_EQ(archive.Path, std::string(UpdatePathPrefix) + "sentinoxupdate.zip");
}

TEST(HttpFetchDefaultsTest, AreTheProductsOwn) {
    THttpFetch fetch(nullptr);
    EXPECT_EQ(fetch.AcceptTypes(), "*/*");
    EXPECT_EQ(fetch.Agent(), "Sentinox Download");
    EXPECT_FALSE(fetch.BinaryData());
    EXPECT_FALSE(fetch.UseCache());
    EXPECT_FALSE(fetch.WaitThread());
    EXPECT_EQ(fetch.ReceiveTimeoutMs(), 30000u);
    EXPECT_EQ(fetch.URL(), "");
    EXPECT_EQ(fetch.FileName(), "");
    EXPECT_FALSE(fetch.IsDownloading());
}

// --- what the server receives -------------------------------------------------

TEST_F(HttpFetchTest, GetIsOneHttp10RequestWithOneAcceptHeader) {
    Server.Enqueue(TScriptedAnswer::Ok("[sentinox]\r\nupdate=6\r\n"));
    ASSERT_TRUE(Download());

    std::vector<TReceivedRequest> requests = Server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const TReceivedRequest& r = requests[0];
    // Through a proxy the request names the whole address (Wine writes the port 80 into it).
    EXPECT_EQ(r.RequestLine.rfind("GET http://www.sentinox-update.example", 0), 0u) << r.RequestLine;
    EXPECT_NE(r.RequestLine.find(std::string(UpdatePathPrefix) + "update.txt HTTP/1.0"), std::string::npos) << r.RequestLine;
    EXPECT_EQ(r.HeaderValues("Accept"), std::vector<std::string>{"*/*"});
    EXPECT_EQ(r.HeaderValues("User-Agent"), std::vector<std::string>{"Sentinox Download"});
    EXPECT_EQ(r.HeaderValues("Host"), std::vector<std::string>{"www.sentinox-update.example"});
    EXPECT_TRUE(r.HeaderValues("Referer").empty());
    EXPECT_TRUE(r.HeaderValues("Content-Type").empty());
    EXPECT_TRUE(r.HeaderValues("Authorization").empty());
    EXPECT_EQ(r.Body, "");
}

TEST_F(HttpFetchTest, PostSendsTheQueryFormEncodedWithRefererAgentAndAcceptTypes) {
    Fetch->SetURL("http://forms.example/cgi/submit");
    Fetch->SetPostQuery("user=sx&list=white");
    Fetch->SetReferer("http://www.sentinox-update.example/sentinox/");
    Fetch->SetAgent("Sentinox Test Agent");
    Fetch->SetAcceptTypes("text/plain, text/html");
    Server.Enqueue(TScriptedAnswer::Ok("stored"));
    ASSERT_TRUE(Download());

    std::vector<TReceivedRequest> requests = Server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const TReceivedRequest& r = requests[0];
    EXPECT_EQ(r.RequestLine.rfind("POST http://forms.example", 0), 0u) << r.RequestLine;
    EXPECT_NE(r.RequestLine.find("/cgi/submit HTTP/1.0"), std::string::npos) << r.RequestLine;
    EXPECT_EQ(r.HeaderValues("Content-Type"), std::vector<std::string>{"application/x-www-form-urlencoded"});
    EXPECT_EQ(r.HeaderValues("Content-Length"), std::vector<std::string>{"18"});
    EXPECT_EQ(r.Body, "user=sx&list=white");
    EXPECT_EQ(r.HeaderValues("Referer"), std::vector<std::string>{"http://www.sentinox-update.example/sentinox/"});
    EXPECT_EQ(r.HeaderValues("User-Agent"), std::vector<std::string>{"Sentinox Test Agent"});
    EXPECT_EQ(r.HeaderValues("Accept"), std::vector<std::string>{"text/plain, text/html"});
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(ReadFileText(Target()), "stored");
}

TEST_F(HttpFetchTest, EmptyAgentSendsNoUserAgent) {
    Fetch->SetAgent("");
    Server.Enqueue(TScriptedAnswer::Ok("x"));
    ASSERT_TRUE(Download());
    ASSERT_EQ(Server.Requests().size(), 1u);
    EXPECT_TRUE(Server.Requests()[0].HeaderValues("User-Agent").empty());
}

TEST_F(HttpFetchTest, WithoutCacheEveryDownloadAsksTheServer) {
    Server.Enqueue(TScriptedAnswer::Ok("first"));
    Server.Enqueue(TScriptedAnswer::Ok("second"));
    ASSERT_TRUE(Download());
    Log = TEventLog();
    Log.Bind(*Fetch);
    ASSERT_TRUE(Download());
    EXPECT_EQ(Server.Requests().size(), 2u);
    EXPECT_EQ(ReadFileText(Target()), "second");
}

// --- success --------------------------------------------------------------------

TEST_F(HttpFetchTest, SuccessReplacesTheOldFileAndReportsOnTheGuiThread) {
    WriteFileText(Target(), OldContent);
    Server.Enqueue(TScriptedAnswer::Ok("[sentinox]\r\nupdate=6\r\n"));
    ASSERT_TRUE(Download());

    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(Log.Errors, 0);
    EXPECT_EQ(Log.DoneFileName, Target());
    EXPECT_EQ(Log.DoneFileSize, 22);
    EXPECT_EQ(ReadFileText(Target()), "[sentinox]\r\nupdate=6\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"autoUpdate.txt"});
    for (DWORD thread : Log.Threads) EXPECT_EQ(thread, GetCurrentThreadId());
    for (TObject* sender : Log.Senders) EXPECT_EQ(sender, Fetch.get());
    EXPECT_FALSE(Fetch->IsDownloading());
}

TEST_F(HttpFetchTest, EmptyBodyWithContentLengthZeroIsAnEmptyFile) {
    WriteFileText(Target(), OldContent);
    Server.Enqueue(TScriptedAnswer::Ok(""));
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(Log.DoneFileSize, 0);
    EXPECT_EQ(ReadFileText(Target()), "");
}

// One progress event per block of at most 1,025 bytes, each with the announced total.
TEST_F(HttpFetchTest, ProgressCountsEveryBlockUpToTheAnnouncedSize) {
    for (size_t size : {size_t{2500}, size_t{300000}}) {
        SCOPED_TRACE(size);
        Log = TEventLog();
        Log.Bind(*Fetch);
        const std::string body = Pattern(size);
        // The large body arrives in pieces, so reads meet an empty buffer now and then.
        TScriptedAnswer answer = TScriptedAnswer::Ok(body.substr(0, size / 3));
        answer.Pieces[0].Bytes = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n" + body.substr(0, size / 3);
        answer.Then(30, body.substr(size / 3, size / 3)).Then(30, body.substr(2 * (size / 3)));
        Server.Enqueue(answer);
        ASSERT_TRUE(Download());

        ASSERT_EQ(Log.DoneFiles, 1);
        EXPECT_EQ(Log.DoneFileSize, static_cast<int>(size));
        EXPECT_EQ(ReadFileText(Target()), body);
        ASSERT_FALSE(Log.Progress.empty());
        EXPECT_GE(Log.Progress.size(), (size + 1024) / 1025);
        int previous = 0;
        for (const auto& p : Log.Progress) {
            EXPECT_EQ(p.TotalSize, static_cast<int>(size));
            EXPECT_GT(p.Readed - previous, 0);
            EXPECT_LE(p.Readed - previous, 1025);
            previous = p.Readed;
        }
        EXPECT_EQ(Log.Progress.back().Readed, static_cast<int>(size));
        for (DWORD thread : Log.Threads) EXPECT_EQ(thread, GetCurrentThreadId());
    }
}

TEST_F(HttpFetchTest, SlowAnswerArrivesWhole) {
    Server.Enqueue(TScriptedAnswer::WithLength("12", "")
                       .Then(250, "slow ")
                       .Then(250, "answer")
                       .Then(250, "!"));
    // The headers are complete only with their blank line, which comes first here.
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(ReadFileText(Target()), "slow answer!");
}

// --- failures: OnError, and the file from before stays as it was ---------------

struct TFailureCase {
    const char* Name;
    std::function<TScriptedAnswer()> Answer;
    bool BinaryData;
};

class HttpFetchFailureTest : public HttpFetchTest, public ::testing::WithParamInterface<TFailureCase> {};

TEST_P(HttpFetchFailureTest, ReportsErrorAndKeepsTheOldFile) {
    WriteFileText(Target(), OldContent);
    Fetch->SetBinaryData(GetParam().BinaryData);
    Server.Enqueue(GetParam().Answer());
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.Errors, 1);
    EXPECT_EQ(Log.DoneFiles, 0);
    EXPECT_EQ(Log.Senders, std::vector<TObject*>(Log.Senders.size(), Fetch.get()));
    for (DWORD thread : Log.Threads) EXPECT_EQ(thread, GetCurrentThreadId());
    ExpectOnlyTheOldFile();
    EXPECT_FALSE(Fetch->IsDownloading());
}

const TFailureCase FailureCases[] = {
    {"NotFoundPage", [] { return TScriptedAnswer::Status(404, "<html>Not Found</html>"); }, false},
    {"ServerError", [] { return TScriptedAnswer::Status(500, "<html>Internal Server Error</html>"); }, true},
    {"NoContentLengthNothingDelivered", [] { return TScriptedAnswer::WithoutLength(""); }, false},
    {"NoContentLengthWithBody", [] { return TScriptedAnswer::WithoutLength("[sentinox]\r\nupdate=9\r\n"); }, false},
    {"NoContentLengthBinary", [] { return TScriptedAnswer::WithoutLength("PK\x03\x04"); }, true},
    {"BodyOneByteShort", [] { return TScriptedAnswer::WithLength("11", "0123456789"); }, false},
    {"BodyCutAfterAPause", [] { return TScriptedAnswer::WithLength("5000", Pattern(1500)).Then(200, Pattern(10)); }, true},
    {"ContentLengthNotANumber", [] { return TScriptedAnswer::WithLength("twelve", "twelve bytes"); }, false},
    {"ContentLengthTooLarge", [] { return TScriptedAnswer::WithLength("99999999999", "x"); }, false},
    {"ClosedWithoutAnswer", [] { return TScriptedAnswer::Drop(); }, false},
    {"ClosedAfterHalfAStatusLine", [] { return TScriptedAnswer().Then(0, "HTTP/1.0 20"); }, false},
};

INSTANTIATE_TEST_SUITE_P(All, HttpFetchFailureTest, ::testing::ValuesIn(FailureCases),
                         [](const ::testing::TestParamInfo<TFailureCase>& info) { return info.param.Name; });

// --- a silent server: the download fails once nothing arrived for the bound -----

// Well below the watchdog, so a download that waited for ever shows as a lost event.
constexpr unsigned long ShortReceiveTimeoutMs = 3000;

TEST_F(HttpFetchTest, SilentServerFailsAfterTheBoundAndKeepsTheOldFile) {
    struct TCase {
        const char* What;
        TScriptedAnswer Answer;
    };
    const TCase cases[] = {
        {"accepts and never answers", TScriptedAnswer().ThenSilence()},
        {"half a status line, then nothing", TScriptedAnswer().Then(0, "HTTP/1.0 200 OK\r\nContent-Le").ThenSilence()},
        {"headers and half the body, then nothing",
         TScriptedAnswer::WithLength("3000", Pattern(1500)).ThenSilence()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Log = TEventLog();
        Log.Bind(*Fetch);
        WriteFileText(Target(), OldContent);
        Fetch->SetBinaryData(true);
        Fetch->SetReceiveTimeoutMs(ShortReceiveTimeoutMs);
        Server.Enqueue(c.Answer);
        ASSERT_TRUE(Download()) << "still waiting for a server that says nothing";
        EXPECT_EQ(Log.Errors, 1);
        EXPECT_EQ(Log.DoneFiles, 0);
        EXPECT_FALSE(Fetch->IsDownloading());
        ExpectOnlyTheOldFile();
    }
}

TEST_F(HttpFetchTest, BoundIsOnSilenceNotOnTheWholeDownload) {
    // Every pause far below the bound, the whole answer above it.
    const unsigned long boundMs = 3000;
    const std::string body = Pattern(20 * 100);
    TScriptedAnswer answer = TScriptedAnswer::WithLength(std::to_string(body.size()), "");
    for (size_t i = 0; i < 20; ++i) answer.Then(200, body.substr(i * 100, 100));
    Server.Enqueue(answer);
    Fetch->SetReceiveTimeoutMs(boundMs);
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(ReadFileText(Target()), body);
}

TEST_F(HttpFetchTest, UnreachableServerIsAnErrorAndCreatesNoFile) {
    gProxy->PointAt(THttpTestServer::UnusedPort());
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.Errors, 1);
    EXPECT_EQ(Log.DoneFiles, 0);
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(HttpFetchTest, FileThatCannotBeCreatedIsAnError) {
    Fetch->SetFileName(Target() + "\\missing-folder\\update.txt");
    Server.Enqueue(TScriptedAnswer::Ok("body"));
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.Errors, 1);
    EXPECT_TRUE(FolderEntries().empty());
}

// --- starting, waiting, cancelling, freeing --------------------------------------

TEST_F(HttpFetchTest, StartDownloadIsIgnoredWhileADownloadRunsOrReports) {
    Server.Enqueue(TScriptedAnswer::WithLength("4", "").Then(200, "once"));
    Server.Enqueue(TScriptedAnswer::Ok("twice"));
    Log.AfterDone = [this] { Fetch->StartDownload(); };   // still registered while its event runs
    Fetch->StartDownload();
    Fetch->StartDownload();
    ASSERT_TRUE(PumpUntil([this] { return Log.Ended(); }));
    PumpFor(300);
    EXPECT_EQ(Server.Requests().size(), 1u);
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_FALSE(Fetch->IsDownloading());
    EXPECT_EQ(ReadFileText(Target()), "once");
}

TEST_F(HttpFetchTest, WaitThreadReturnsOnlyOnceTheEventHasRun) {
    Fetch->SetWaitThread(true);
    Server.Enqueue(TScriptedAnswer::WithLength("4", "").Then(300, "done"));
    // A quit request met while waiting is left for the program's own loop.
    PostQuitMessage(3);
    Fetch->StartDownload();
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_FALSE(Fetch->IsDownloading());
    EXPECT_EQ(ReadFileText(Target()), "done");
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(HttpFetchTest, CancelDownloadEndsInErrorAndKeepsTheOldFile) {
    WriteFileText(Target(), OldContent);
    Server.Enqueue(TScriptedAnswer::WithLength("3000", Pattern(1000)).Then(400, Pattern(2000)));
    Fetch->StartDownload();
    ASSERT_TRUE(PumpUntil([this] { return !Log.Progress.empty(); }));
    Fetch->CancelDownload();
    ASSERT_TRUE(PumpUntil([this] { return Log.Ended(); }));
    EXPECT_EQ(Log.Errors, 1);
    EXPECT_EQ(Log.DoneFiles, 0);
    ExpectOnlyTheOldFile();
}

TEST_F(HttpFetchTest, CancelAfterTheLastBlockStillEndsInError) {
    WriteFileText(Target(), OldContent);
    Server.Enqueue(TScriptedAnswer::Ok("complete"));
    // The body is whole, but the completion event has not run yet when the cancel comes.
    Log.AfterProgress = [this] { Fetch->CancelDownload(); };
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.Errors, 1);
    ExpectOnlyTheOldFile();
}

TEST_F(HttpFetchTest, FreeingTheComponentMidDownloadCallsNothingAfterwards) {
    WriteFileText(Target(), OldContent);
    Server.Enqueue(TScriptedAnswer::WithLength("3000", Pattern(1000)).Then(300, Pattern(2000)));
    Fetch->StartDownload();
    ASSERT_TRUE(PumpUntil([this] { return !Log.Progress.empty(); }));
    const size_t eventsBefore = Log.Senders.size();
    Fetch.reset();
    // The worker runs on alone until the server is done with it, then frees itself.
    ASSERT_TRUE(PumpUntil([this] { return Server.AnswersFinished() == 1; }));
    PumpFor(300);
    EXPECT_EQ(Log.Senders.size(), eventsBefore);
    EXPECT_EQ(Log.Errors + Log.DoneFiles, 0);
    ExpectOnlyTheOldFile();
}

TEST_F(HttpFetchTest, AHandlerMayFreeTheComponent) {
    Server.Enqueue(TScriptedAnswer::Ok("body"));
    Log.AfterDone = [this] { Fetch.reset(); };
    ASSERT_TRUE(Download());
    EXPECT_EQ(Log.DoneFiles, 1);
    EXPECT_EQ(Fetch, nullptr);
    PumpFor(100);
    EXPECT_EQ(ReadFileText(Target()), "body");
}

// shared/HttpFetch.cpp -- THttpFetch and its worker THttpFetchThread on WinInet
//
// Threads: the GUI thread owns the component, starts the worker, and is the only
// thread that touches the worker's owner link (Detach, Finished, CallProgress) or
// decides the outcome (Cancel, Finished): both run there, so a cancel before the
// completion event always ends in OnError. The worker writes its counters and the
// temporary file; the GUI thread reads them only while the worker waits in
// Synchronize (progress) or after its body has ended (OnTerminate).
//
// Order of a download: the body goes into a temporary file beside the target
// (GetTempFileNameA there, so the final MoveFileExA stays on one volume). Only a
// 2xx answer whose announced Content-Length arrived in full replaces the target,
// on the GUI thread just before OnDoneFile; any other ending deletes the
// temporary file and leaves whatever stood under the target's name untouched.
// A connection that stays silent for ReceiveTimeoutMs (connecting, before the answer, or
// between two blocks) fails like a cut body: no server can hold a download for good.
//
// Lifetime: the worker frees itself after OnTerminate. The component's destructor
// detaches the worker before cancelling it and never waits, so a download that is
// still blocked in WinInet ends later without calling anything of the component
// or of the window that owned it.
#include "HttpFetch.h"

#include <windows.h>
#include <wininet.h>

#include <climits>
#include <utility>

#include "desktop/Handle.h"
#include "desktop/LateBinding.h"
#include "desktop/SysUtils.h"

namespace {

constexpr DWORD HeaderBufferSize = 1024;
constexpr DWORD ReadBlockSize = 1025;
constexpr char FormContentType[] = "Content-Type: application/x-www-form-urlencoded";

// The WinInet functions a download calls, bound at the first download (desktop/LateBinding.h);
// a system without WinInet fails every download, as one without a network would.
struct TWinInet {
    template <class F>
    static F* Bind(const char* name) noexcept { return BindLate<F>("wininet.dll", name); }
    decltype(InternetOpenA)* Open = Bind<decltype(InternetOpenA)>("InternetOpenA");
    decltype(InternetConnectA)* Connect = Bind<decltype(InternetConnectA)>("InternetConnectA");
    decltype(InternetSetOptionA)* SetOption = Bind<decltype(InternetSetOptionA)>("InternetSetOptionA");
    decltype(HttpOpenRequestA)* OpenRequest = Bind<decltype(HttpOpenRequestA)>("HttpOpenRequestA");
    decltype(HttpSendRequestA)* SendRequest = Bind<decltype(HttpSendRequestA)>("HttpSendRequestA");
    decltype(HttpQueryInfoA)* QueryInfo = Bind<decltype(HttpQueryInfoA)>("HttpQueryInfoA");
    decltype(InternetReadFile)* Read = Bind<decltype(InternetReadFile)>("InternetReadFile");
    decltype(InternetCloseHandle)* Close = Bind<decltype(InternetCloseHandle)>("InternetCloseHandle");
    bool Complete() const noexcept {
        return Open && Connect && SetOption && OpenRequest && SendRequest && QueryInfo && Read && Close;
    }
};

// Made by the first download's thread; the others wait for it.
const TWinInet& WinInet() {
    static const TWinInet api;
    return api;
}

// Owns one WinInet handle (session, connection or request) and closes it once.
class TInternetHandle {
public:
    explicit TInternetHandle(HINTERNET handle) noexcept : FHandle(handle) {}
    ~TInternetHandle() { if (FHandle) WinInet().Close(FHandle); }
    TInternetHandle(const TInternetHandle&) = delete;
    TInternetHandle& operator=(const TInternetHandle&) = delete;
    HINTERNET Get() const noexcept { return FHandle; }
    bool IsValid() const noexcept { return FHandle != nullptr; }

private:
    HINTERNET FHandle;
};

// WinInet takes "no value" as null; an empty string would send an empty header or user.
const char* NullIfEmpty(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The whole header text as a non-negative 32-bit decimal, else false.
bool ParseContentLength(const char* text, int& valueOut) {
    long long value = 0;
    if (!*text) return false;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
        if (value > INT_MAX) return false;
    }
    valueOut = static_cast<int>(value);
    return true;
}

void SetTimeouts(HINTERNET handle, DWORD timeoutMs) {
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        WinInet().SetOption(handle, option, &timeoutMs, sizeof(timeoutMs));
}

}  // namespace

THttpUrlParts SplitHttpUrl(const std::string& url) {
    std::string rest = LowerCaseAscii(url.substr(0, 7)) == "http://" ? url.substr(7) : url;
    size_t slash = rest.find('/');
    if (slash == std::string::npos) return {"", rest};
    return {rest.substr(0, slash), rest.substr(slash)};
}

// --- THttpFetch -------------------------------------------------------------

THttpFetch::THttpFetch(TComponent* owner) : TComponent(owner) {}

THttpFetch::~THttpFetch() {
    // Forget first, then ask it to stop: whatever the worker still does, it reports to nobody.
    if (THttpFetchThread* thread = std::exchange(FThread, nullptr)) {
        thread->Detach();
        thread->Cancel();
    }
}

void THttpFetch::StartDownload() {
    if (FThread || IsDesigning()) return;
    auto* thread = new THttpFetchThread(*this);
    FThread = thread;
    try {
        thread->Start();
    } catch (...) {
        FThread = nullptr;
        thread->Detach();
        thread->SetFreeOnTerminate(false);
        delete thread;
        throw;
    }
    if (FWaitThread) WaitForWorker();
}

void THttpFetch::CancelDownload() {
    if (FThread) FThread->Cancel();
}

void THttpFetch::DownloadFinished(THttpFetchThread& thread) {
    std::weak_ptr<int> alive = FAlive;
    // Forgotten only after the event, so a StartDownload from inside the handler is ignored;
    // also when the handler throws, and not at all when it freed this component.
    struct TForget {
        THttpFetch* Self;
        THttpFetchThread* Thread;
        std::weak_ptr<int>& Alive;
        ~TForget() { if (!Alive.expired() && Self->FThread == Thread) Self->FThread = nullptr; }
    } forget{this, &thread, alive};
    if (thread.Result()) {
        if (FOnDoneFile) FOnDoneFile(this, thread.FileName(), thread.FileSize());
    } else if (FOnError) {
        FOnError(this);
    }
}

void THttpFetch::WaitForWorker() {
    std::weak_ptr<int> alive = FAlive;
    bool quit = false;
    WPARAM quitCode = 0;
    // A handler may free this component while we pump: check before each look at FThread.
    while (!alive.expired() && FThread) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            // Hold WM_QUIT back for the program's own loop, which ends on it; posted again below.
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        // PeekMessageA runs the worker's Synchronize calls (sent messages) itself, the
        // completion included: look again before sleeping, or the wait would never end.
        if (alive.expired() || !FThread) break;
        // Wakes for posted input and for a message the worker sends after the look above.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

// --- THttpFetchThread -------------------------------------------------------

THttpFetchThread::THttpFetchThread(THttpFetch& owner)
    : TThread(true),
      FAcceptTypes(owner.FAcceptTypes),
      FAgent(owner.FAgent),
      FURL(owner.FURL),
      FFileName(owner.FFileName),
      FUserName(owner.FUserName),
      FPassword(owner.FPassword),
      FPostQuery(owner.FPostQuery),
      FReferer(owner.FReferer),
      FBinaryData(owner.FBinaryData),
      FUseCache(owner.FUseCache),
      FReceiveTimeoutMs(owner.FReceiveTimeoutMs),
      FOnProgress(owner.FOnProgress),
      FOwner(&owner) {
    SetFreeOnTerminate(true);
    SetOnTerminate(TNotifyEvent(this, &THttpFetchThread::Finished));
}

THttpFetchThread::~THttpFetchThread() {
    // Left over when the outcome was not a success (or OnTerminate never ran).
    if (!FTempName.empty()) DeleteFileA(FTempName.c_str());
}

void THttpFetchThread::Cancel() noexcept {
    FStop = true;
    FResult = false;
}

void THttpFetchThread::Execute() {
    bool complete = false;
    try {
        complete = Download();
    } catch (...) {
        complete = false;
    }
    FResult = complete && !FStop;
}

bool THttpFetchThread::Download() {
    const THttpUrlParts url = SplitHttpUrl(FURL);
    if (FStop) return false;

    const TWinInet& api = WinInet();
    if (!api.Complete()) return false;
    // Access type 0 (preconfigured): the user's proxy settings apply.
    TInternetHandle session(api.Open(NullIfEmpty(FAgent), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.IsValid()) return false;
    // WinInet waits for ever by default: a server that accepts and then stays silent would hold
    // the download, and the window waiting for it, for good.
    SetTimeouts(session.Get(), FReceiveTimeoutMs);
    TInternetHandle connection(api.Connect(session.Get(), url.Host.c_str(), INTERNET_DEFAULT_HTTP_PORT,
                                           NullIfEmpty(FUserName), NullIfEmpty(FPassword), INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.IsValid()) return false;
    // Wine's WinInet hands a request only the connection's send and receive timeouts, not the root's.
    SetTimeouts(connection.Get(), FReceiveTimeoutMs);
    const bool post = !FPostQuery.empty();
    // Each entry is a media range: WinInet writes the "Accept: " itself.
    const char* acceptTypes[] = {FAcceptTypes.c_str(), nullptr};
    TInternetHandle request(api.OpenRequest(connection.Get(), post ? "POST" : "GET", url.Path.c_str(), "HTTP/1.0",
                                            NullIfEmpty(FReferer), FAcceptTypes.empty() ? nullptr : acceptTypes,
                                            FUseCache ? 0 : INTERNET_FLAG_RELOAD, 0));
    if (!request.IsValid()) return false;
    BOOL sent = post ? api.SendRequest(request.Get(), FormContentType, sizeof(FormContentType) - 1,
                                       const_cast<char*>(FPostQuery.data()), static_cast<DWORD>(FPostQuery.size()))
                     : api.SendRequest(request.Get(), nullptr, 0, nullptr, 0);
    // Unreachable server, refused or dropped connection, no HTTP answer.
    if (!sent) return false;
    if (FStop) return false;

    // An error page is not the file asked for, whatever its Content-Length says.
    DWORD status = 0;
    DWORD statusSize = sizeof(status);
    if (!api.QueryInfo(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr))
        return false;
    if (status < 200 || status > 299) return false;

    char header[HeaderBufferSize] = {};
    DWORD headerSize = HeaderBufferSize;
    DWORD index = 0;
    const bool hasLength = api.QueryInfo(request.Get(), HTTP_QUERY_CONTENT_LENGTH, header, &headerSize, &index) != FALSE;
    if (FStop) return false;
    // Without an announced size nothing tells a whole body from a cut one: a failure,
    // with BinaryData or without, and the target is not touched.
    if (!hasLength) return false;
    if (!ParseContentLength(header, FFileSize)) return false;
    FReaded = 0;

    // GetTempFileNameA creates the file, so the name is ours from here on.
    std::string folder = ExtractFilePath(FFileName);
    char tempName[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), DownloadTempPrefix, 0, tempName)) return false;
    FTempName = tempName;
    THandle file(CreateFileA(tempName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;

    char block[ReadBlockSize];
    for (;;) {
        if (FStop) return false;
        DWORD got = 0;
        if (!api.Read(request.Get(), block, ReadBlockSize, &got) || got == 0) break;
        FBytesRead = got;
        DWORD written = 0;
        if (!WriteFile(file.Get(), block, got, &written, nullptr) || written != got) return false;
        if (got > static_cast<DWORD>(INT_MAX - FReaded)) return false;
        FReaded += static_cast<int>(got);
        if (FOnProgress) ReportProgress();
    }
    return FReaded == FFileSize;
}

void THttpFetchThread::ReportProgress() { Synchronize(TThreadMethod(this, &THttpFetchThread::CallProgress)); }

void THttpFetchThread::CallProgress() {
    // The callback edge of OnProgress: a handler's exception is shown, the download goes on.
    try {
        if (FOwner && FOnProgress) FOnProgress(FOwner, FFileSize, FReaded);
    } catch (...) {
        HandleCallbackException();
    }
}

bool THttpFetchThread::CommitFile() {
    if (!MoveFileExA(FTempName.c_str(), FFileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return false;
    FTempName.clear();
    return true;
}

void THttpFetchThread::Finished(TObject*) {
    try {
        // A cancel that came after the body's last check still wins: both run on this thread.
        if (FStop) FResult = false;
        if (FResult && !CommitFile()) FResult = false;
        // A failure leaves nothing behind by the time it is reported.
        if (!FResult && !FTempName.empty()) {
            DeleteFileA(FTempName.c_str());
            FTempName.clear();
        }
        if (FOwner) FOwner->DownloadFinished(*this);
    } catch (...) {
        HandleCallbackException();
    }
}

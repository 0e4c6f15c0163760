// shared/HttpFetch.h -- THttpFetch: one HTTP download into a file on a worker thread,
// reported through events on the GUI thread; THttpFetchThread is its worker
#pragma once
#include <atomic>
#include <memory>
#include <string>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "desktop/Thread.h"

class THttpFetchThread;

// 30 s of silence: a slow link or a busy server pauses for seconds, not half a minute, and
// the updater's window, which cannot be closed while it downloads, must not wait much longer.
inline constexpr unsigned long DefaultReceiveTimeoutMs = 30000;
// A body arrives in GetTempFileNameA's "sxNNNN.tmp" beside its target.
inline constexpr char DownloadTempPrefix[] = "sx";

using TOnProgressEvent = TBoundMethod<void(TObject* sender, int totalSize, int readed)>;
using TOnDoneFileEvent = TBoundMethod<void(TObject* sender, const std::string& fileName, int fileSize)>;
using TOnDoneStringEvent = TBoundMethod<void(TObject* sender, const std::string& result)>;

class THttpFetch : public TComponent {
public:
    explicit THttpFetch(TComponent* owner);
    ~THttpFetch() override;                     // cancels a running download without waiting for it

    // Plain stored values: a running download keeps the copies it took at its start.
    const std::string& AcceptTypes() const noexcept { return FAcceptTypes; }
    void SetAcceptTypes(const std::string& value) { FAcceptTypes = value; }   // one media range list, e.g. "*/*"
    const std::string& Agent() const noexcept { return FAgent; }
    void SetAgent(const std::string& value) { FAgent = value; }               // empty: no User-Agent
    bool BinaryData() const noexcept { return FBinaryData; }
    void SetBinaryData(bool value) { FBinaryData = value; }                   // true: no Content-Length fails unread
    const std::string& URL() const noexcept { return FURL; }
    void SetURL(const std::string& value) { FURL = value; }
    bool UseCache() const noexcept { return FUseCache; }
    void SetUseCache(bool value) { FUseCache = value; }                       // false: always from the server
    const std::string& FileName() const noexcept { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& UserName() const noexcept { return FUserName; }
    void SetUserName(const std::string& value) { FUserName = value; }
    const std::string& Password() const noexcept { return FPassword; }
    void SetPassword(const std::string& value) { FPassword = value; }
    const std::string& PostQuery() const noexcept { return FPostQuery; }
    void SetPostQuery(const std::string& value) { FPostQuery = value; }       // non-empty: POST it form-encoded
    const std::string& Referer() const noexcept { return FReferer; }
    void SetReferer(const std::string& value) { FReferer = value; }
    bool WaitThread() const noexcept { return FWaitThread; }
    void SetWaitThread(bool value) { FWaitThread = value; }                   // true: StartDownload pumps messages until done
    // How long the connection may stay silent (connecting, waiting for the answer, between two
    // blocks) before the download fails; the product keeps DefaultReceiveTimeoutMs.
    unsigned long ReceiveTimeoutMs() const noexcept { return FReceiveTimeoutMs; }
    void SetReceiveTimeoutMs(unsigned long value) { FReceiveTimeoutMs = value; }

    const TOnProgressEvent& OnProgress() const noexcept { return FOnProgress; }
    void SetOnProgress(const TOnProgressEvent& value) { FOnProgress = value; }      // after every block received
    const TOnDoneFileEvent& OnDoneFile() const noexcept { return FOnDoneFile; }
    void SetOnDoneFile(const TOnDoneFileEvent& value) { FOnDoneFile = value; }      // the file holds the whole body
    const TOnDoneStringEvent& OnDoneString() const noexcept { return FOnDoneString; }
    void SetOnDoneString(const TOnDoneStringEvent& value) { FOnDoneString = value; }  // never fired: downloads go to files
    const TNotifyEvent& OnError() const noexcept { return FOnError; }
    void SetOnError(const TNotifyEvent& value) { FOnError = value; }                // failed; an older file is left as it was

    void StartDownload();                       // ignored while a download runs
    void CancelDownload();                      // asks the worker to stop; does not wait
    bool IsDownloading() const noexcept { return FThread != nullptr; }

private:
    friend class THttpFetchThread;
    void DownloadFinished(THttpFetchThread& thread);   // GUI thread, once per download
    void WaitForWorker();

    std::string FAcceptTypes = "*/*";
    std::string FAgent = "Sentinox Download";
    bool FBinaryData = false;
    std::string FURL;
    bool FUseCache = false;
    std::string FFileName;
    std::string FUserName;
    std::string FPassword;
    std::string FPostQuery;
    std::string FReferer;
    bool FWaitThread = false;
    unsigned long FReceiveTimeoutMs = DefaultReceiveTimeoutMs;
    TOnProgressEvent FOnProgress;
    TOnDoneFileEvent FOnDoneFile;
    TOnDoneStringEvent FOnDoneString;
    TNotifyEvent FOnError;

    THttpFetchThread* FThread = nullptr;        // the running worker; it frees itself
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);   // expires with this object: callers of events check it
};

// Host and object path of an "http://" address; no port is parsed (port 80 always).
struct THttpUrlParts {
    std::string Host;
    std::string Path;
    bool operator==(const THttpUrlParts&) const = default;
};
THttpUrlParts SplitHttpUrl(const std::string& url);

// One download with the settings of its component taken at the start. The
// component and the worker talk only on the GUI thread; the worker frees itself.
class THttpFetchThread : public TThread {
public:
    explicit THttpFetchThread(THttpFetch& owner);   // created suspended; the owner starts it
    ~THttpFetchThread() override;               // deletes a temporary file that was not committed

    void Cancel() noexcept;                     // GUI thread: stop flag and Result false
    void Detach() noexcept { FOwner = nullptr; }   // GUI thread: the owner is going; report to nobody
    bool Result() const noexcept { return FResult; }
    int FileSize() const noexcept { return FFileSize; }
    int Readed() const noexcept { return FReaded; }
    const std::string& FileName() const noexcept { return FFileName; }

protected:
    void Execute() override;

private:
    bool Download();                            // true: the whole announced body is in FFileName
    void ReportProgress();                      // worker: OnProgress on the GUI thread, waits for it
    void CallProgress();                        // GUI thread
    bool CommitFile();                          // GUI thread: the temporary file becomes FFileName
    void Finished(TObject* sender);             // GUI thread, OnTerminate

    std::string FAcceptTypes;
    std::string FAgent;
    std::string FURL;
    std::string FFileName;
    std::string FUserName;
    std::string FPassword;
    std::string FPostQuery;
    std::string FReferer;
    bool FBinaryData;
    bool FUseCache;
    unsigned long FReceiveTimeoutMs;
    TOnProgressEvent FOnProgress;
    std::atomic<bool> FResult{false};
    int FFileSize = 0;                          // the Content-Length, 0 until known
    unsigned long FBytesRead = 0;               // of the last block
    int FReaded = 0;                            // total bytes received
    std::atomic<bool> FStop{false};
    std::string FTempName;                      // the body while it arrives; empty once committed
    THttpFetch* FOwner;                         // GUI thread only; null once the owner is gone
};

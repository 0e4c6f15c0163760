// tests/shared/HttpTestServer.h -- THttpTestServer: a loopback HTTP server for the download tests
//
// It listens on 127.0.0.1 at a free port and serves one connection at a time from
// a queue of scripted answers (one per connection; an empty queue answers 503).
// It records every request it read: request line, headers in order, body.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct TReceivedRequest {
    std::string RequestLine;
    std::vector<std::pair<std::string, std::string>> Headers;   // name and value, as sent
    std::string Body;

    std::vector<std::string> HeaderValues(const std::string& name) const;   // name compared without case
};

// What the server does with one connection after reading the request.
struct TScriptedAnswer {
    struct TPiece {
        DWORD DelayMs = 0;        // waited before these bytes go out
        std::string Bytes;
    };
    std::vector<TPiece> Pieces;   // none: the connection is closed without a word
    bool HoldOpen = false;        // after the pieces: silence, until the client gives up or the server ends

    // "HTTP/1.0 <status>" with Content-Length = body size.
    static TScriptedAnswer Status(int status, const std::string& body);
    static TScriptedAnswer Ok(const std::string& body) { return Status(200, body); }
    // 200 with the given Content-Length text (a number or anything else) and body.
    static TScriptedAnswer WithLength(const std::string& lengthText, const std::string& body);
    static TScriptedAnswer WithoutLength(const std::string& body);
    static TScriptedAnswer Drop() { return {}; }
    // Then: sends these bytes after delayMs.
    TScriptedAnswer& Then(DWORD delayMs, const std::string& bytes);
    // Then: sends nothing more and keeps the connection open (a stalled server).
    TScriptedAnswer& ThenSilence();
};

class THttpTestServer {
public:
    THttpTestServer();                      // throws std::runtime_error when no socket can be had
    ~THttpTestServer();
    THttpTestServer(const THttpTestServer&) = delete;
    THttpTestServer& operator=(const THttpTestServer&) = delete;

    unsigned short Port() const noexcept { return FPort; }
    void Enqueue(TScriptedAnswer answer);
    std::vector<TReceivedRequest> Requests() const;
    int AnswersFinished() const noexcept { return FAnswersFinished; }   // connections served and closed

    // A port on 127.0.0.1 where nobody listens (bound, then closed).
    static unsigned short UnusedPort();

private:
    void Serve();
    void ServeConnection(SOCKET client);
    void WaitForClientToClose(SOCKET client);

    SOCKET FListener = INVALID_SOCKET;
    unsigned short FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FAnswersFinished{0};
    mutable std::mutex FLock;                // guards FAnswers and FRequests: test thread and server thread
    std::deque<TScriptedAnswer> FAnswers;
    std::vector<TReceivedRequest> FRequests;
    std::thread FThread;
};

// tests/shared/HttpTestServer.cpp -- the loopback HTTP server and the proxy setting
#include "HttpTestServer.h"

#include <stdexcept>

namespace {

constexpr DWORD ReadTimeoutMs = 5000;

bool SameTextNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void SendAll(SOCKET socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        int n = send(socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0) return;   // the client went away; the script simply ends
        sent += static_cast<size_t>(n);
    }
}

struct TWinsock {
    TWinsock() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
    ~TWinsock() { WSACleanup(); }
};

SOCKET ListenOnLoopback(unsigned short& portOut) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) throw std::runtime_error("socket failed");
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(s, 8) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(s);
        throw std::runtime_error("bind/listen on 127.0.0.1 failed");
    }
    portOut = ntohs(address.sin_port);
    return s;
}

}  // namespace

std::vector<std::string> TReceivedRequest::HeaderValues(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& [n, v] : Headers)
        if (SameTextNoCase(n, name)) values.push_back(v);
    return values;
}

TScriptedAnswer TScriptedAnswer::Status(int status, const std::string& body) {
    const char* reason = status == 200 ? "OK" : status == 404 ? "Not Found" : status == 500 ? "Internal Server Error" : "Status";
    TScriptedAnswer answer;
    answer.Then(0, "HTTP/1.0 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + body);
    return answer;
}

TScriptedAnswer TScriptedAnswer::WithLength(const std::string& lengthText, const std::string& body) {
    TScriptedAnswer answer;
    answer.Then(0, "HTTP/1.0 200 OK\r\nContent-Length: " + lengthText + "\r\n\r\n" + body);
    return answer;
}

TScriptedAnswer TScriptedAnswer::WithoutLength(const std::string& body) {
    TScriptedAnswer answer;
    answer.Then(0, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body);
    return answer;
}

TScriptedAnswer& TScriptedAnswer::Then(DWORD delayMs, const std::string& bytes) {
    Pieces.push_back({delayMs, bytes});
    return *this;
}

TScriptedAnswer& TScriptedAnswer::ThenSilence() {
    HoldOpen = true;
    return *this;
}

THttpTestServer::THttpTestServer() {
    static TWinsock winsock;
    FListener = ListenOnLoopback(FPort);
    FThread = std::thread([this] { Serve(); });
}

THttpTestServer::~THttpTestServer() {
    FStop = true;
    FThread.join();
    closesocket(FListener);
}

unsigned short THttpTestServer::UnusedPort() {
    static TWinsock winsock;
    unsigned short port = 0;
    closesocket(ListenOnLoopback(port));
    return port;
}

void THttpTestServer::Enqueue(TScriptedAnswer answer) {
    std::lock_guard<std::mutex> guard(FLock);
    FAnswers.push_back(std::move(answer));
}

std::vector<TReceivedRequest> THttpTestServer::Requests() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FRequests;
}

void THttpTestServer::Serve() {
    while (!FStop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(FListener, &readable);
        timeval wait = {0, 20000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        SOCKET client = accept(FListener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        ServeConnection(client);
        closesocket(client);
        ++FAnswersFinished;
    }
}

void THttpTestServer::ServeConnection(SOCKET client) {
    DWORD timeout = ReadTimeoutMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    std::string data;
    char chunk[4096];
    size_t headerEnd;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        int n = recv(client, chunk, sizeof(chunk), 0);
        if (n <= 0) return;
        data.append(chunk, static_cast<size_t>(n));
    }
    TReceivedRequest request;
    size_t lineEnd = data.find("\r\n");
    request.RequestLine = data.substr(0, lineEnd);
    size_t pos = lineEnd + 2;
    while (pos < headerEnd) {
        size_t next = data.find("\r\n", pos);
        std::string line = data.substr(pos, next - pos);
        size_t colon = line.find(':');
        request.Headers.emplace_back(line.substr(0, colon), colon == std::string::npos ? "" : Trimmed(line.substr(colon + 1)));
        pos = next + 2;
    }
    size_t bodyLength = 0;
    for (const std::string& v : request.HeaderValues("Content-Length")) bodyLength = std::stoul(v);
    request.Body = data.substr(headerEnd + 4);
    while (request.Body.size() < bodyLength) {
        int n = recv(client, chunk, sizeof(chunk), 0);
        if (n <= 0) break;
        request.Body.append(chunk, static_cast<size_t>(n));
    }
    TScriptedAnswer answer = TScriptedAnswer::Status(503, "no answer scripted");
    {
        std::lock_guard<std::mutex> guard(FLock);
        FRequests.push_back(request);
        if (!FAnswers.empty()) {
            answer = std::move(FAnswers.front());
            FAnswers.pop_front();
        }
    }
    for (const auto& piece : answer.Pieces) {
        if (piece.DelayMs) Sleep(piece.DelayMs);
        SendAll(client, piece.Bytes);
    }
    if (answer.HoldOpen) WaitForClientToClose(client);
    shutdown(client, SD_SEND);
}

void THttpTestServer::WaitForClientToClose(SOCKET client) {
    // Polled, so the destructor's stop flag ends the wait as well.
    char chunk[256];
    while (!FStop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval wait = {0, 20000};
        if (select(0, &readable, nullptr, nullptr, &wait) > 0 && recv(client, chunk, sizeof(chunk), 0) <= 0) return;
    }
}

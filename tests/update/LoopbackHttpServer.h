// LoopbackHttpServer: a small HTTP/1.0 server on 127.0.0.1 (a port the kernel
// picks) for the file update tests. Each path answers with its own status and
// body; a response may announce more bytes than it sends (a truncated
// download) or never answer (a stalled server). Every request's header block
// is kept for the tests to read. One connection at a time, on its own thread.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    struct Response {
        int status = 200;
        std::string body;
        size_t announced = 0;  // Content-Length when above the body's size
        bool stall = false;    // read the request, then never answer
    };

    LoopbackHttpServer()
    {
        m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (m_listen < 0 || bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            listen(m_listen, 8) != 0 ||
            getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            return;
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~LoopbackHttpServer()
    {
        m_stop.store(true);
        if (m_thread.joinable()) m_thread.join();
        if (m_listen >= 0) close(m_listen);
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:<port>" (no trailing "/"); empty when the server could not start.
    std::string Url() const { return m_port ? "http://127.0.0.1:" + std::to_string(m_port) : ""; }

    void Set(const std::string& path, Response response)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_responses[path] = std::move(response);
    }
    // The header blocks of the requests served so far.
    std::vector<std::string> Requests()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_requests;
    }

private:
    // Waits up to 20 ms for fd to be readable; false on timeout.
    static bool Readable(int fd)
    {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 20) > 0;
    }

    void Serve()
    {
        while (!m_stop.load()) {
            if (!Readable(m_listen)) continue;
            const int client = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            Answer(client);
            close(client);
        }
    }

    void Answer(int client)
    {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos && !m_stop.load()) {
            if (!Readable(client)) continue;
            const ssize_t n = read(client, buffer, sizeof buffer);
            if (n <= 0) return;
            request.append(buffer, static_cast<size_t>(n));
        }
        const size_t start = request.find(' ') + 1;
        const std::string path = request.substr(start, request.find(' ', start) - start);
        Response r;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_requests.push_back(request);
            auto it = m_responses.find(path);
            if (it == m_responses.end()) r.status = 404, r.body = "<html>Not Found</html>";
            else r = it->second;
        }
        if (r.stall) {  // until the client gives up or the server stops
            while (!m_stop.load()) {
                if (Readable(client) && read(client, buffer, sizeof buffer) <= 0) return;
            }
            return;
        }
        const size_t length = r.announced > r.body.size() ? r.announced : r.body.size();
        const std::string reply = "HTTP/1.0 " + std::to_string(r.status) + " X\r\nContent-Length: " +
                                  std::to_string(length) + "\r\nConnection: close\r\n\r\n" + r.body;
        size_t done = 0;
        while (done < reply.size()) {
            const ssize_t n = send(client, reply.data() + done, reply.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return;
            done += static_cast<size_t>(n);
        }
    }

    int m_listen = -1;
    unsigned short m_port = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::map<std::string, Response> m_responses;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

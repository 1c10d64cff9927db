#include "automation/server/EngineServer.h"

#include <malloc.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "automation/server/ClassFactory.h"
#include "automation/server/HresultError.h"

using Clock = std::chrono::steady_clock;

EngineServer::EngineServer(sdbus::IConnection& connection, std::chrono::milliseconds idleTime)
    : connection_(connection), idleTime_(idleTime) {
    // A client that leaves the bus (its unique name loses its owner) loses
    // its objects and locks.
    nameWatch_ = connection_.addMatch(
        "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
        "interface='org.freedesktop.DBus',member='NameOwnerChanged'",
        [this](sdbus::Message& signal) {
            std::string name, oldOwner, newOwner;
            signal >> name >> oldOwner >> newOwner;
            if (!name.empty() && name[0] == ':' && newOwner.empty()) ClientLeft(name);
        });
    // The sender of each incoming call, for the owner checks: the bus runs
    // match callbacks before it dispatches the call to its object, and
    // sdbus-c++ does not give property handlers their message.
    callWatch_ = connection_.addMatch("type='method_call'", [this](sdbus::Message& call) {
        callSender_ = call.getSender();
        callPath_ = call.getPath();
        callInterface_ = call.getInterfaceName();
        callMember_ = call.getMemberName();
    });
    factory_ = std::make_unique<ClassFactory>(connection_, *this);
}

EngineServer::~EngineServer() {
    objects_.clear();
    factory_.reset();
}

sdbus::ObjectPath EngineServer::CreateObject(const std::string& client) {
    std::string path = std::string(ClassFactory::kPath) + "/QRTEngine/" + std::to_string(nextObject_++);
    objects_[path] = std::make_unique<EngineObject>(connection_, path, client, *this);
    return sdbus::ObjectPath(path);
}

void EngineServer::LockServer(const std::string& client, bool lock) {
    if (lock) {
        ++locks_[client];
        return;
    }
    auto held = locks_.find(client);
    if (held == locks_.end()) throw HresultError(E_INVALIDARG);
    if (--held->second == 0) locks_.erase(held);
}

std::string EngineServer::CallerOf(const std::string& path) const {
    return path == callPath_ ? callSender_ : std::string();
}

bool EngineServer::ServingGetAll() const {
    return callMember_ == "GetAll" && callInterface_ == "org.freedesktop.DBus.Properties";
}

void EngineServer::ReleaseObject(const std::string& path) { released_.push_back(path); }

void EngineServer::ClientLeft(const std::string& client) {
    locks_.erase(client);
    for (const auto& [path, object] : objects_)
        if (object->Owner() == client) released_.push_back(path);
}

// Objects are destroyed here, between calls, never inside a call of their own.
void EngineServer::DropReleased() {
    if (released_.empty()) return;
    for (const std::string& path : released_) objects_.erase(path);
    released_.clear();
    // Once the last object is gone its freed heap goes back to the system:
    // a server between clients is back near its start-up size (about 12 MiB
    // instead of the peak of its busiest moment).
    if (objects_.empty()) ::malloc_trim(0);
}

bool EngineServer::Busy() const { return !objects_.empty() || !locks_.empty(); }

void EngineServer::Run() {
    Clock::time_point lastBusy = Clock::now();
    for (;;) {
        // Busy before this batch and idle after it: the idle time starts now.
        bool wasBusy = Busy();
        while (connection_.processPendingRequest()) DropReleased();
        DropReleased();
        Clock::time_point now = Clock::now();
        if (wasBusy || Busy()) lastBusy = now;
        else if (now - lastBusy >= idleTime_) return;

        sdbus::IConnection::PollData bus = connection_.getEventLoopPollData();
        int timeoutMs = -1;
        if (std::optional<std::chrono::microseconds> busTimeout = bus.getRelativeTimeout())
            timeoutMs = static_cast<int>(std::min<int64_t>((busTimeout->count() + 999) / 1000, 1 << 30));
        if (!Busy()) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(lastBusy + idleTime_ - now).count();
            int leftMs = static_cast<int>(std::clamp<int64_t>(left, 0, 1 << 30));
            timeoutMs = timeoutMs < 0 ? leftMs : std::min(timeoutMs, leftMs);
        }
        pollfd watched{bus.fd, bus.events, 0};
        if (::poll(&watched, 1, timeoutMs) < 0 && errno != EINTR)
            throw sdbus::Error("org.freedesktop.DBus.Error.Failed", "poll on the bus connection failed");
    }
}

std::chrono::milliseconds IdleTimeFromEnvironment() {
    constexpr std::chrono::milliseconds kDefault{61000};
    const char* text = std::getenv("QRT_IDLE_SECONDS");
    if (text == nullptr || text[0] == '\0') return kDefault;
    char* end = nullptr;
    errno = 0;
    double seconds = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 || seconds > 86400.0 * 365) {
        std::cerr << "QRTComServer: QRT_IDLE_SECONDS=\"" << text
                  << "\" is not a positive number of seconds; the idle time is 61 seconds\n";
        return kDefault;
    }
    return std::chrono::milliseconds(std::max<int64_t>(1, std::llround(seconds * 1000.0)));
}

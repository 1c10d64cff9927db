// The server's objects and its life: the engine objects by path with the
// client each belongs to, the clients' server locks, the release of a
// client's objects and locks when it leaves the bus (NameOwnerChanged), and
// the event loop, which ends once no object and no lock has lived for the
// idle time.
// Tests: tests/automation/server (ownership, release on disconnect, idle exit).
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sdbus-c++/sdbus-c++.h>

#include "automation/server/EngineObject.h"

class ClassFactory;

class EngineServer final : public ObjectHost {
public:
    static constexpr const char* kBusName = "com.veltrin.QRTComServer";

    // Serves the class factory on connection (which holds the bus name).
    EngineServer(sdbus::IConnection& connection, std::chrono::milliseconds idleTime);
    ~EngineServer();
    EngineServer(const EngineServer&) = delete;
    EngineServer& operator=(const EngineServer&) = delete;

    // Processes the bus until the server has been idle (no object, no lock)
    // for the idle time, counted from start-up or from the last release.
    void Run();

    // A new engine object of client; its path (never reused in this process).
    sdbus::ObjectPath CreateObject(const std::string& client);
    // lock true adds one lock of client; false removes one (InvalidArg error
    // when client holds none).
    void LockServer(const std::string& client, bool lock);
    std::string CallerOf(const std::string& path) const override;
    bool ServingGetAll() const override;
    // Drops the object once the call being served is done.
    void ReleaseObject(const std::string& path) override;

private:
    void ClientLeft(const std::string& client);
    void DropReleased();
    bool Busy() const;

    sdbus::IConnection& connection_;
    std::chrono::milliseconds idleTime_;
    std::unique_ptr<ClassFactory> factory_;
    sdbus::Slot nameWatch_;
    sdbus::Slot callWatch_;
    std::string callSender_, callPath_, callInterface_, callMember_;
    std::map<std::string, std::unique_ptr<EngineObject>> objects_;
    std::map<std::string, int> locks_;
    std::vector<std::string> released_;
    uint64_t nextObject_ = 1;
};

// The idle time: QRT_IDLE_SECONDS (a positive number of seconds, fractions
// allowed) when set, else 61 s. A value that is not such a number is reported
// on standard error and the 61 s apply.
std::chrono::milliseconds IdleTimeFromEnvironment();

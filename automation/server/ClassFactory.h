// The server's class-factory object /com/veltrin/QRTComServer
// (com.veltrin.IClassFactory): CreateInstance makes one engine object for the
// calling client, LockServer(b) adds or removes a server lock of that client.
// Tests: tests/automation/server.
#pragma once

#include <sdbus-c++/sdbus-c++.h>

#include "QRTComServerAdaptor.h"

class EngineServer;

class ClassFactory final : public sdbus::AdaptorInterfaces<com::veltrin::IClassFactory_adaptor> {
public:
    static constexpr const char* kPath = "/com/veltrin/QRTComServer";

    ClassFactory(sdbus::IConnection& connection, EngineServer& server);
    ~ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

private:
    sdbus::ObjectPath CreateInstance() override;
    void LockServer(const bool& fLock) override;

    EngineServer& server_;
};

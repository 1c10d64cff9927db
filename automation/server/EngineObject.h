// One engine object of the server: a CQRTEngine on the bus at its own path,
// serving com.veltrin.IQRTEngine (every member of the description, and
// Release) for the one client that created it. Calls of other clients get
// org.freedesktop.DBus.Error.AccessDenied. GetAll, which generic tools call
// to show an object, answers everyone: other clients get 0 and "" for every
// property, the owner each value, 0 or "" where its get fails (a Get of that
// property returns the error).
// Tests: tests/automation/server.
#pragma once

#include <string>

#include <sdbus-c++/sdbus-c++.h>

#include "EngineMembers.h"

class ObjectHost;

class EngineObject final : public sdbus::AdaptorInterfaces<EngineMembers> {
public:
    EngineObject(sdbus::IConnection& connection, std::string path, std::string owner, ObjectHost& host);
    ~EngineObject();
    EngineObject(const EngineObject&) = delete;
    EngineObject& operator=(const EngineObject&) = delete;

    // The unique bus name of the client the object belongs to.
    const std::string& Owner() const { return owner_; }

private:
    void Invoke(const std::function<HRESULT(CQRTEngine&)>& member) override;
    void Release() override;
    void CheckCaller();

    CQRTEngine engine_;
    std::string owner_;
    ObjectHost& host_;
};

// Who keeps the objects: it knows who sent the call being served, and
// Release asks it to drop an object once the call is done.
class ObjectHost {
public:
    // The unique bus name that sent the call being served on path; "" when
    // no call to path is being served.
    virtual std::string CallerOf(const std::string& path) const = 0;
    // Whether that call is org.freedesktop.DBus.Properties.GetAll.
    virtual bool ServingGetAll() const = 0;
    virtual void ReleaseObject(const std::string& path) = 0;

protected:
    ~ObjectHost() = default;
};

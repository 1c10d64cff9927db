#include "automation/server/EngineObject.h"

#include <exception>

#include "automation/server/HresultError.h"

EngineObject::EngineObject(sdbus::IConnection& connection, std::string path, std::string owner, ObjectHost& host)
    : AdaptorInterfaces(connection, std::move(path)), owner_(std::move(owner)), host_(host) {
    registerAdaptor();
}

EngineObject::~EngineObject() { unregisterAdaptor(); }

void EngineObject::CheckCaller() {
    if (host_.CallerOf(getObjectPath()) != owner_)
        throw sdbus::Error("org.freedesktop.DBus.Error.AccessDenied",
                           "this object belongs to another client of the server");
}

void EngineObject::Invoke(const std::function<HRESULT(CQRTEngine&)>& member) {
    bool getAll = host_.ServingGetAll();
    if (!getAll) CheckCaller();
    else if (host_.CallerOf(getObjectPath()) != owner_) return;  // 0 and "" for other clients
    HRESULT hr = E_FAIL;
    try {
        hr = member(engine_);
    } catch (const std::exception&) {
        // Nothing of the engine throws; an allocation failure ends only this call.
        hr = E_FAIL;
    }
    if (hr < 0 && !getAll) throw HresultError(hr);
}

void EngineObject::Release() {
    CheckCaller();
    host_.ReleaseObject(getObjectPath());
}

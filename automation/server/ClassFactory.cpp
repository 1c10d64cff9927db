#include "automation/server/ClassFactory.h"

#include "automation/server/EngineObject.h"
#include "automation/server/EngineServer.h"

ClassFactory::ClassFactory(sdbus::IConnection& connection, EngineServer& server)
    : AdaptorInterfaces(connection, kPath), server_(server) {
    registerAdaptor();
}

ClassFactory::~ClassFactory() { unregisterAdaptor(); }

sdbus::ObjectPath ClassFactory::CreateInstance() { return server_.CreateObject(server_.CallerOf(kPath)); }

void ClassFactory::LockServer(const bool& fLock) { server_.LockServer(server_.CallerOf(kPath), fLock); }

// QRTComServer: serves the automation object QRTEngine on the D-Bus session
// bus (bus name com.veltrin.QRTComServer), started by the bus on demand.
//   QRTComServer -RegServer     register (activation file, registration records)
//   QRTComServer -UnregServer   remove them
// ('/' in place of '-', any letter case). Exit status 0 on success; 1 when
// registration fails or the server cannot serve (message on standard error).
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include <sdbus-c++/sdbus-c++.h>

#include "DataDirectory.h"
#include "automation/server/EngineServer.h"
#include "automation/server/ServerOption.h"
#include "automation/server/ServerRegistration.h"

namespace {

int Finish(const char* step, HRESULT hr, const std::string& error) {
    if (hr == S_OK) return 0;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    std::cerr << "QRTComServer " << step << ": " << error << " (HRESULT " << code << ")\n";
    return 1;
}

int Serve() {
    // The engine reads its tables from QRT_ENGINE_DIR, else from the data
    // installed beside the program.
    UseShippedDataUnlessSet();
    try {
        std::unique_ptr<sdbus::IConnection> connection = sdbus::createSessionBusConnection();
        EngineServer server(*connection, IdleTimeFromEnvironment());
        connection->requestName(EngineServer::kBusName);
        server.Run();
        connection->releaseName(EngineServer::kBusName);
    } catch (const sdbus::Error& fault) {
        std::cerr << "QRTComServer: " << fault.getName() << ": " << fault.getMessage() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ServerOption option = FindServerOption(argc, argv);
    if (option == ServerOption::Serve) return Serve();
    std::error_code ec;
    std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    std::string error = ec ? "cannot find the program's own path: " + ec.message() : "";
    if (option == ServerOption::RegServer)
        return Finish("-RegServer", ec ? E_FAIL : RegisterServer(self, &error), error);
    return Finish("-UnregServer", UnregisterServer(&error), error);
}

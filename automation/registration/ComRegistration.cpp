#include "automation/registration/ComRegistration.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "automation/AutomationTypes.h"
#include "automation/IQRTEngineDescription.h"
#include "automation/registration/RegistrationRecords.h"
#include "ratetable/FileReplaceInternal.h"
#include "ratetable/IniFile.h"

namespace qrt::registration {

namespace {

constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);

HRESULT Failure(const std::string& what, int err, std::string* error) {
    if (error != nullptr) *error = what + ": " + std::strerror(err);
    return err == EACCES || err == EPERM || err == EROFS ? E_ACCESSDENIED : E_FAIL;
}

const char* ServerKeyName(Host host) { return host == Host::InProcess ? "InprocServer32" : "LocalServer32"; }

// The module paths registered now, read from the class's own record.
RegisteredHosts ReadHosts(const std::string& folder) {
    const std::string file = folder + ClassRecordFile();
    RegisteredHosts hosts;
    hosts.inProcessPath = IniGetString(file, ClassKey() + "\\InprocServer32", "@", "");
    hosts.localServerPath = IniGetString(file, ClassKey() + "\\LocalServer32", "@", "");
    return hosts;
}

// Creates every folder of `relative` below `folder` (which may not exist yet).
int MakeFolders(const std::string& folder, const std::string& relative) {
    std::string path;
    const std::string whole = folder + relative;
    for (size_t slash = whole.find('/', 1); slash != std::string::npos; slash = whole.find('/', slash + 1)) {
        path = whole.substr(0, slash);
        if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return 0;
    }
    return 1;
}

// Removes the now empty folders of `relative` below `folder`, deepest first,
// and the records folder itself when it is left empty.
void RemoveEmptyFolders(const std::string& folder, const std::string& relative) {
    std::string part = relative;
    for (size_t slash = part.rfind('/'); slash != std::string::npos; slash = part.rfind('/')) {
        part.resize(slash);
        if (rmdir((folder + part).c_str()) != 0) return;
    }
    rmdir(folder.c_str());
}

HRESULT WriteHosts(const RegisteredHosts& hosts, std::string* error) {
    const std::string folder = RecordsFolder();
    const std::vector<RecordFile> files = RecordSet(hosts, folder);
    for (const RecordFile& file : files) {
        if (!MakeFolders(folder, file.relative)) return Failure("cannot create the folder of " + folder + file.relative, errno, error);
        if (!ReplaceFileContents(folder + file.relative, RecordText(file), ".reg"))
            return Failure("cannot write " + folder + file.relative, errno, error);
    }
    for (const std::string& name : AllRecordFiles()) {
        bool kept = false;
        for (const RecordFile& file : files) kept = kept || file.relative == name;
        if (kept) continue;
        if (unlink((folder + name).c_str()) != 0 && errno != ENOENT)
            return Failure("cannot remove " + folder + name, errno, error);
        RemoveEmptyFolders(folder, name);
    }
    return S_OK;
}

int HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

} // namespace

std::string DataHomeFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        std::string folder = data;
        if (folder.back() != '/') folder += '/';
        return folder;
    }
    const char* home = std::getenv("HOME");
    std::string base = home != nullptr && home[0] == '/' ? home : "";
    if (base.empty()) {
        const passwd* entry = getpwuid(getuid());
        if (entry != nullptr && entry->pw_dir != nullptr) base = entry->pw_dir;
    }
    if (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/.local/share/";
}

std::string RecordsFolder() { return DataHomeFolder() + "QRTCom/"; }

int32_t Register(Host host, const std::string& modulePath, std::string* error) {
    if (modulePath.empty() || modulePath[0] != '/' || HasLineBreak(modulePath)) {
        if (error != nullptr) *error = "the module path must be absolute and on one line: \"" + modulePath + "\"";
        return E_INVALIDARG;
    }
    RegisteredHosts hosts = ReadHosts(RecordsFolder());
    (host == Host::InProcess ? hosts.inProcessPath : hosts.localServerPath) = modulePath;
    return WriteHosts(hosts, error);
}

int32_t Unregister(Host host, std::string* error) {
    RegisteredHosts hosts = ReadHosts(RecordsFolder());
    (host == Host::InProcess ? hosts.inProcessPath : hosts.localServerPath).clear();
    return WriteHosts(hosts, error);
}

std::string FindServer(const std::string& progId, Host host, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr) *error = why;
        return std::string();
    };
    const InterfaceIdentifiers& ids = kInterfaceIdentifiers;
    std::string name;
    for (const char* known : {ids.progId, ids.versionIndependentProgId})
        if (strcasecmp(progId.c_str(), known) == 0) name = known;
    if (name.empty()) return fail("no class is registered under the ProgID \"" + progId + "\"");

    const std::string folder = RecordsFolder();
    const std::string curVer = IniGetString(folder + ProgIdRecordFile(name), name + "\\CurVer", "@", "");
    if (!curVer.empty() && strcasecmp(curVer.c_str(), ids.progId) == 0) name = ids.progId;
    const std::string clsid = IniGetString(folder + ProgIdRecordFile(name), name + "\\CLSID", "@", "");
    if (clsid.empty())
        return fail(progId + " is not registered (no record " + folder + ProgIdRecordFile(name) + ")");
    if (strcasecmp(clsid.c_str(), ids.coclassId) != 0)
        return fail(progId + " is registered for another class, " + clsid);
    const std::string path = IniGetString(folder + ClassRecordFile(), ClassKey() + "\\" + ServerKeyName(host), "@", "");
    if (path.empty())
        return fail(progId + " has no " + ServerKeyName(host) + " record in " + folder + ClassRecordFile() +
                    (host == Host::InProcess ? " (not registered as an in-process library)"
                                             : " (not registered as a local server)"));
    return path;
}

} // namespace qrt::registration

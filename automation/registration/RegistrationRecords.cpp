#include "automation/registration/RegistrationRecords.h"

#include "automation/IQRTEngineDescription.h"
#include "ratetable/FileReplaceInternal.h"

namespace qrt::registration {

namespace {

const InterfaceIdentifiers& Ids() { return kInterfaceIdentifiers; }

std::string TypeLibraryFile() {
    return std::string("TypeLib/") + Ids().libraryId + "/" + Ids().libraryVersion + "/IQRTEngine.xml";
}

RecordFile ProgIdFile(const std::string& progId, bool withCurVer) {
    RecordFile file{ProgIdRecordFile(progId), {}, {}};
    file.keys.push_back({progId, {{"@", Ids().coclassHelpString}}});
    file.keys.push_back({progId + "\\CLSID", {{"@", Ids().coclassId}}});
    if (withCurVer) file.keys.push_back({progId + "\\CurVer", {{"@", Ids().progId}}});
    return file;
}

} // namespace

std::string ClassKey() { return std::string("CLSID\\") + Ids().coclassId; }

std::string ClassRecordFile() { return std::string("HKEY_CLASSES_ROOT/CLSID/") + Ids().coclassId + ".reg"; }

std::string ProgIdRecordFile(const std::string& progId) { return "HKEY_CLASSES_ROOT/" + progId + ".reg"; }

std::vector<RecordFile> RecordSet(const RegisteredHosts& hosts, const std::string& recordsFolder) {
    std::vector<RecordFile> files;
    const bool inProcess = !hosts.inProcessPath.empty();
    const bool localServer = !hosts.localServerPath.empty();
    if (!inProcess && !localServer) return files;

    files.push_back(ProgIdFile(Ids().progId, false));
    files.push_back(ProgIdFile(Ids().versionIndependentProgId, true));

    const std::string key = ClassKey();
    RecordFile cls{ClassRecordFile(), {}, {}};
    cls.keys.push_back({key, {{"@", Ids().coclassHelpString}}});
    cls.keys.push_back({key + "\\ProgID", {{"@", Ids().progId}}});
    cls.keys.push_back({key + "\\VersionIndependentProgID", {{"@", Ids().versionIndependentProgId}}});
    cls.keys.push_back({key + "\\Programmable", {}});
    if (inProcess)
        cls.keys.push_back({key + "\\InprocServer32",
                            {{"@", hosts.inProcessPath}, {"ThreadingModel", Ids().threadingModel}}});
    if (localServer) cls.keys.push_back({key + "\\LocalServer32", {{"@", hosts.localServerPath}}});
    cls.keys.push_back({key + "\\TypeLib", {{"@", Ids().libraryId}}});
    files.push_back(cls);

    if (localServer) {
        files.push_back({std::string("HKEY_CLASSES_ROOT/AppID/") + Ids().appId + ".reg",
                         {{std::string("AppID\\") + Ids().appId, {{"@", Ids().appIdName}}}}, {}});
        files.push_back({std::string("HKEY_CLASSES_ROOT/AppID/") + Ids().appIdName + ".EXE.reg",
                         {{std::string("AppID\\") + Ids().appIdName + ".EXE", {{"AppID", Ids().appId}}}}, {}});
    }

    // The type library: registered under its LIBID with the path of its copy.
    const std::string lib = std::string("TypeLib\\") + Ids().libraryId + "\\" + Ids().libraryVersion;
    const std::string& module = inProcess ? hosts.inProcessPath : hosts.localServerPath;
    RecordFile typeLib{std::string("HKEY_CLASSES_ROOT/TypeLib/") + Ids().libraryId + ".reg", {}, {}};
    typeLib.keys.push_back({lib, {{"@", inProcess ? Ids().libraryHelpString : Ids().serverLibraryHelpString}}});
    typeLib.keys.push_back({lib + "\\0\\linux", {{"@", recordsFolder + TypeLibraryFile()}}});
    typeLib.keys.push_back({lib + "\\FLAGS", {{"@", "0"}}});
    typeLib.keys.push_back({lib + "\\HELPDIR", {{"@", FolderOf(module)}}});
    files.push_back(typeLib);
    files.push_back({std::string("HKEY_CLASSES_ROOT/Interface/") + Ids().interfaceId + ".reg",
                     {{std::string("Interface\\") + Ids().interfaceId, {{"@", Ids().interfaceName}}},
                      {std::string("Interface\\") + Ids().interfaceId + "\\TypeLib",
                       {{"@", Ids().libraryId}, {"Version", Ids().libraryVersion}}}},
                     {}});
    files.push_back({TypeLibraryFile(), {}, kTypeLibraryText});
    return files;
}

std::vector<std::string> AllRecordFiles() {
    std::vector<std::string> names;
    for (const RecordFile& file : RecordSet({"/", "/"}, "/")) names.push_back(file.relative);
    return names;
}

std::string RecordText(const RecordFile& file) {
    if (file.keys.empty()) return file.text;
    std::string text = "; Registration records of " + std::string(Ids().coclassName) +
                       ", written by its registration; do not edit.\n";
    for (const RecordKey& key : file.keys) {
        text += "[" + key.path + "]\n";
        for (const auto& [name, value] : key.values) text += name + "=" + value + "\n";
    }
    return text;
}

} // namespace qrt::registration

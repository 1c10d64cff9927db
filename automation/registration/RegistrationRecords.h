// The record set of the registration scripts as data: which files exist
// under the records folder and which keys and values each holds, for a given
// pair of registered module paths (empty = that host not registered).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qrt::registration {

struct RecordKey {
    std::string path;  // e.g. "CLSID\{47EF...}\InprocServer32"
    std::vector<std::pair<std::string, std::string>> values;  // "@" = default value
};

struct RecordFile {
    std::string relative;  // path under the records folder
    std::vector<RecordKey> keys;
    std::string text;      // set instead of keys for a file copied as it is
};

struct RegisteredHosts {
    std::string inProcessPath;
    std::string localServerPath;
};

// The files that exist when `hosts` are registered (none when neither is).
std::vector<RecordFile> RecordSet(const RegisteredHosts& hosts, const std::string& recordsFolder);

// Every file that any registration can write, for clean-up.
std::vector<std::string> AllRecordFiles();

// A record file's text: a comment line, then "[key]" sections with their values.
std::string RecordText(const RecordFile& file);

// The relative path of the class's own record file.
std::string ClassRecordFile();
std::string ClassKey();
std::string ProgIdRecordFile(const std::string& progId);

// The type library carried by the component: the interface description.
extern const char* const kTypeLibraryText;

} // namespace qrt::registration

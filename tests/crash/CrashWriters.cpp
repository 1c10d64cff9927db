#include "crash/CrashWriters.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>

#include "BatchEdit.h"
#include "automation/CQRTEngine.h"
#include "automation/registration/ComRegistration.h"
#include "automation/registration/RegistrationRecords.h"
#include "automation/server/ServiceFile.h"
#include "ratetable/FileReplaceInternal.h"
#include "ratetable/IniFile.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TimeStampedLog.h"
#include "tableedit/batch/ScriptedPrompts.h"
#include "update/CFileUpdateService.h"

namespace crash {

namespace {

namespace fs = std::filesystem;

// The file's bytes; "" and false when it is missing.
bool Read(const std::string& path, std::string* content) {
    return ReadWholeFile(path, content) == 1;
}

void Put(const std::string& path, const std::string& content) {
    if (ReplaceFileContents(path, content, "PREP") != 1) std::abort();
}

// Names a state when content is one of `states` (name, bytes pairs).
const char* StateOf(const std::string& content, std::initializer_list<std::pair<const char*, std::string>> states) {
    for (const auto& [name, bytes] : states)
        if (content == bytes) return name;
    return nullptr;
}

const char* Broken(std::string* why, const std::string& what) {
    *why = what;
    return nullptr;
}

// ---- rate tables: two versions, the new one with long notes (several pages)

std::unique_ptr<InterestRateTable> MakeTable(int version) {
    auto t = std::make_unique<InterestRateTable>();
    Date d(1, 1, 2000);
    for (int i = 0; i < 8 + version; ++i) {
        t->SetStartingDate(i, d);
        t->SetMethod(i, kDaily);
        t->SetNRate(i, version ? 6.25 : 5);
        t->SetMRate(i, version ? 7.5 : 6);
        t->SetRRate(i, version ? 5.25 : 4);
        t->SetDPY(i, 365);
        d = d.AddMonths(3);
    }
    t->SetDescription(version ? "New version" : "Old version");
    t->GetHeader()->TableNotes(version ? std::string(20000, 'n') : "old notes");
    return t;
}

void SaveTable(const std::string& path, int version) {
    std::string p = path;
    if (MakeTable(version)->Save(p) != 1) std::abort();
}

// The bytes Save writes for a version (made once, in a folder of its own).
const std::string& TableImage(int version) {
    static const std::array<std::string, 2> images = [] {
        std::string folder = (fs::temp_directory_path() / "qrt-crash-image-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) std::abort();
        std::string out[2];
        for (int v = 0; v < 2; ++v) {
            SaveTable(folder + "/T.TB3", v);
            Read(folder + "/T.TB3", &out[v]);
        }
        fs::remove_all(folder);
        return std::array<std::string, 2>{out[0], out[1]};
    }();
    return images[version];
}

const char* TableState(const std::string& path, std::string* why) {
    std::string content;
    if (!Read(path, &content)) return Broken(why, path + " is missing");
    const char* state = StateOf(content, {{"old", TableImage(0)}, {"new", TableImage(1)}});
    if (!state) return Broken(why, path + " is neither version (" + std::to_string(content.size()) + " bytes)");
    return state;
}

// ---- table Save

void PrepareTable(const std::string& folder) { SaveTable(folder + "T.TB3", 0); }
bool WriteTable(const std::string& folder, int n) {
    std::string path = folder + "T.TB3";
    return MakeTable((n + 1) % 2)->Save(path) == 1;
}
const char* CheckTable(const std::string& folder, std::string* why) {
    const char* state = TableState(folder + "T.TB3", why);
    return state && OnlyTheseTables(folder, {"T.TB3"}, why) ? state : nullptr;
}

// ---- the INI write-back of a setting: every other line kept byte for byte

const char kIniOld[] = "; engine settings\r\n[Options]\nCacheEnabled=1\nAtNRB=0\n\n[Other]\nKey=Value\n";
const char kIniNew[] = "; engine settings\r\n[Options]\nCacheEnabled=1\nAtNRB=1\n\n[Other]\nKey=Value\n";

void PrepareIni(const std::string& folder) { Put(folder + "qrtDLL.INI", kIniOld); }
bool WriteIni(const std::string& folder, int n) {
    return IniWriteString(folder + "qrtDLL.INI", "Options", "AtNRB", n % 2 ? "0" : "1") == 1;
}
const char* CheckIni(const std::string& folder, std::string* why) {
    std::string content;
    if (!Read(folder + "qrtDLL.INI", &content)) return Broken(why, "qrtDLL.INI is missing");
    if (const char* state = StateOf(content, {{"old", kIniOld}, {"new", kIniNew}})) return state;
    return Broken(why, "qrtDLL.INI is neither version:\n" + content);
}

// ---- alias log pruning: a stale head is dropped when a line is added

const std::string kLogKept = "12/31/2099 10:00:00 kept entry\n";
const std::string kLogOld = "not a dated line\n01/02/2003 10:00:00 a stale entry\n" + kLogKept;
const char kLogMessage[] = "Line 3 of TableAlias.csv is not an alias: x,y";

void PrepareLog(const std::string& folder) { Put(folder + "TableAliasLog.txt", kLogOld); }
bool WriteLog(const std::string& folder, int n) {
    const std::string log = folder + "TableAliasLog.txt";
    if (n % 2) return ReplaceFileContents(log, kLogOld, "FUS") == 1;  // stale again
    WriteTimeStampedLog(log, kLogMessage);
    return true;
}
// The log as it was, or pruned, each with the lines added to it whole.
const char* CheckLog(const std::string& folder, std::string* why) {
    std::string content;
    if (!Read(folder + "TableAliasLog.txt", &content)) return Broken(why, "TableAliasLog.txt is missing");
    // Lines added by writes that a kill kept from the restore of the stale head.
    static const std::regex added(R"((\d\d/\d\d/\d{4} \d\d:\d\d:\d\d Line 3 of TableAlias\.csv is not an alias: x,y\n)+)");
    for (const auto& [name, head] : {std::pair<const char*, std::string>{"old", kLogOld}, {"pruned", kLogKept}}) {
        if (content == head) return name;
        if (content.compare(0, head.size(), head) == 0 && std::regex_match(content.substr(head.size()), added))
            return name == std::string("old") ? "old+line" : "new";
    }
    return Broken(why, "TableAliasLog.txt lost or broke a line:\n" + content);
}

// ---- WriteReport: the reports of one account computed to two dates

DATE Ole(int m, int d, int y) { return DateToAutomation(Date(m, d, y)); }

// The account of the report, computed to the version's date (made once; kept
// for the life of the program).
CQRTEngine& Engine(int version) {
    static CQRTEngine* engines[2] = {};
    if (!engines[version]) {
        engines[version] = new CQRTEngine;
        engines[version]->AddEvent(0, Ole(4, 15, 2021), 5000 * 10000LL, 0);
        engines[version]->AddEvent(2, Ole(6, 15, 2021), 1000 * 10000LL, 0);
        if (engines[version]->Compute(version ? Ole(12, 31, 2023) : Ole(12, 31, 2021)) != S_OK) std::abort();
    }
    return *engines[version];
}

const std::string& Report(int version) {
    static std::string reports[2];
    if (reports[version].empty()) Engine(version).get_Report(&reports[version]);
    return reports[version];
}

void Federal(const std::string& folder) {
    fs::copy_file(fs::path(QRT_DATA_DIR) / "FEDERAL.TB3", folder + "FEDERAL.TB3",
                  fs::copy_options::overwrite_existing);
}
void PrepareReport(const std::string& folder) {
    Federal(folder);
    Put(folder + "report.txt", Report(0));
}
bool WriteReport(const std::string& folder, int n) {
    return Engine((n + 1) % 2).WriteReport(folder + "report.txt", 0) == S_OK;
}
const char* CheckReport(const std::string& folder, std::string* why) {
    std::string content;
    if (!Read(folder + "report.txt", &content)) return Broken(why, "report.txt is missing");
    if (const char* state = StateOf(content, {{"old", Report(0)}, {"new", Report(1)}})) return state;
    return Broken(why, "report.txt is not a whole report (" + std::to_string(content.size()) + " bytes)");
}

// ---- the batch edit: two saves (one of a new table), then a bad line and
// the restore of both from the backup

const char kBatchHeading[] =
    "Table File,Table End Date,Rate Start Date,Compute Method,Normal Underpay Rate,"
    "Motivated Underpay Rate,Normal Refund Rate,Days Per Year,Description,Notes\n";
const char kBatchLines[] = "A.TB3,,01-01-2002,Daily,7,7,7,365\nN.TB3,,01-01-2002,Daily,7,7,7,365\n";
const char kBatchBadLine[] = "A.TB3,,01-01-2001,Daily,7,7,7,365\n";  // before A's last entry

bool RunBatch(const std::string& folder) {
    ScriptedPrompts prompts;
    tableedit::CBatchEdit edit(prompts);
    return edit.Run(folder, "cmd.csv") == tableedit::BatchResult::Restored;
}

// A.TB3 and N.TB3 as a completed run of the good lines leaves them.
const std::pair<std::string, std::string>& BatchImages() {
    static const std::pair<std::string, std::string> images = [] {
        std::string folder = (fs::temp_directory_path() / "qrt-crash-batch-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) std::abort();
        folder += "/";
        SaveTable(folder + "A.TB3", 0);
        Put(folder + "cmd.csv", std::string(kBatchHeading) + kBatchLines);
        ScriptedPrompts prompts;
        tableedit::CBatchEdit edit(prompts);
        if (edit.Run(folder, "cmd.csv") != tableedit::BatchResult::Done) std::abort();
        std::pair<std::string, std::string> out;
        Read(folder + "A.TB3", &out.first);
        Read(folder + "N.TB3", &out.second);
        fs::remove_all(folder);
        return out;
    }();
    return images;
}

void PrepareBatch(const std::string& folder) {
    SaveTable(folder + "A.TB3", 0);
    unlink((folder + "N.TB3").c_str());
    Put(folder + "cmd.csv", std::string(kBatchHeading) + kBatchLines + kBatchBadLine);
}
bool WriteBatch(const std::string& folder, int) { return RunBatch(folder); }
const char* CheckBatch(const std::string& folder, std::string* why) {
    std::string a, n;
    if (!Read(folder + "A.TB3", &a)) return Broken(why, "A.TB3 is missing");
    const bool hasN = Read(folder + "N.TB3", &n);
    const char* aState = StateOf(a, {{"old", TableImage(0)}, {"new", BatchImages().first}});
    if (!aState) return Broken(why, "A.TB3 is neither version");
    if (hasN && n != BatchImages().second) return Broken(why, "N.TB3 is not the table the run made");
    if (!OnlyTheseTables(folder, {"A.TB3", "N.TB3"}, why)) return nullptr;
    if (!hasN) return aState;
    return aState == std::string("old") ? "old+N" : "new+N";
}

// ---- the update service: the table downloaded (file://) and renamed over
// the old one; "remote" is a link switched between two served versions

void PrepareUpdate(const std::string& folder) {
    for (int v = 0; v < 2; ++v) {
        const std::string remote = folder + "remote-" + std::to_string(v) + "/";
        fs::create_directories(remote);
        SaveTable(remote + "T.TB3", v);
        Put(remote + "ModTimes.txt", "T.TB3 12/31/2099 11:00:00 PM\n");
    }
    std::error_code ec;
    fs::remove(folder + "remote", ec);
    fs::create_directory_symlink("remote-1", folder + "remote");
    Put(folder + "FileUpdateService.INI", "[URL]\nURL=file://" + folder + "remote/ModTimes.txt\nFileURL=file://" +
                                              folder + "remote/\n[Files]\nFile1=T.TB3\n");
    SaveTable(folder + "T.TB3", 0);
}
bool WriteUpdate(const std::string& folder, int n) {
    // A clock on a day of the month other than the last check's, so every
    // call checks; the worker itself never ticks.
    static CFileUpdateService* service = new CFileUpdateService(
        [ini = folder + "FileUpdateService.INI"] {
            const int last = IniGetInt(ini, "LastUpdateCheck", "LastCheckDay", -1);
            std::time_t t = std::time(nullptr);
            for (struct tm local {}; localtime_r(&t, &local) && local.tm_mday == last;) t += 86400;
            return t;
        },
        std::chrono::hours(1));
    const int v = (n + 1) % 2;
    const std::string link = folder + "remote.new";
    unlink(link.c_str());
    if (symlink(("remote-" + std::to_string(v)).c_str(), link.c_str()) != 0 ||
        rename(link.c_str(), (folder + "remote").c_str()) != 0)
        return false;
    service->Check();
    std::string content;
    return Read(folder + "T.TB3", &content) && content == TableImage(v);
}
const char* CheckUpdate(const std::string& folder, std::string* why) {
    const char* state = TableState(folder + "T.TB3", why);
    return state && OnlyTheseTables(folder, {"T.TB3"}, why) ? state : nullptr;
}

// ---- registration records: the in-process library's set written again for
// another path, beside a registered local server whose key must stay

namespace reg = qrt::registration;
const char* const kModules[2] = {"/opt/duecalc-1/libQRTCom.so", "/opt/duecalc-2/libQRTCom.so"};
const char kServer[] = "/opt/duecalc-1/QRTComServer";

void PrepareRegistration(const std::string&) {
    std::string error;
    if (reg::Register(reg::Host::LocalServer, kServer, &error) != 0 ||
        reg::Register(reg::Host::InProcess, kModules[0], &error) != 0)
        std::abort();
}
bool WriteRegistration(const std::string&, int n) {
    std::string error;
    return reg::Register(reg::Host::InProcess, kModules[(n + 1) % 2], &error) == 0;
}
// Each record file is whole in one of the two sets, and the lookups find
// either library and still the server.
const char* CheckRegistration(const std::string&, std::string* why) {
    const std::string folder = reg::RecordsFolder();
    std::map<std::string, std::vector<std::string>> texts;
    for (const char* module : kModules)
        for (const reg::RecordFile& f : reg::RecordSet({module, kServer}, folder))
            texts[f.relative].push_back(reg::RecordText(f));
    int fromNew = 0;
    for (const auto& [relative, versions] : texts) {
        std::string content;
        if (!Read(folder + relative, &content)) return Broken(why, relative + " is missing");
        const auto found = std::find(versions.begin(), versions.end(), content);
        if (found == versions.end()) return Broken(why, relative + " is in neither set:\n" + content);
        fromNew += found != versions.begin() && versions.size() == 2 && versions[0] != versions[1];
    }
    std::string error;
    const std::string library = reg::FindServer("QRTCom.QRTEngine", reg::Host::InProcess, &error);
    if (library != kModules[0] && library != kModules[1]) return Broken(why, "the library is not found: " + error);
    if (reg::FindServer("QRTCom.QRTEngine.1", reg::Host::LocalServer, &error) != kServer)
        return Broken(why, "the server's record was lost: " + error);
    return library == kModules[1] ? "new" : fromNew ? "mixed" : "old";
}

// ---- the server's bus activation file, written again for another path

const char* const kServers[2] = {"/opt/duecalc-1/bin/QRTComServer", "/opt/duecalc 2/bin/QRTComServer"};

void PrepareServiceFile(const std::string&) {
    std::string error;
    if (WriteServiceFile(kServers[0], &error) != 0) std::abort();
}
bool WriteService(const std::string&, int n) {
    std::string error;
    return WriteServiceFile(kServers[(n + 1) % 2], &error) == 0;
}
// The file names one of the two servers whole; a temporary file left beside
// it is hidden and not a .service file, so the bus never reads it.
const char* CheckServiceFile(const std::string&, std::string* why) {
    std::string content;
    if (!Read(ServiceFilePath(), &content)) return Broken(why, "the service file is missing");
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(ServiceFilePath()).parent_path(), ec)) {
        const std::string name = e.path().filename().string();
        if (name != "com.veltrin.QRTComServer.service" && (name[0] != '.' || e.path().extension() == ".service"))
            return Broken(why, "left-over " + name + " would be read by the bus");
    }
    if (content == ServiceFileText(kServers[0])) return "old";
    if (content == ServiceFileText(kServers[1])) return "new";
    return Broken(why, "the service file is in neither version:\n" + content);
}

}  // namespace

const char* OnlyTheseTables(const std::string& folder, const std::vector<std::string>& tables,
                            std::string* why) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
        if (ext != ".TB3") continue;
        const std::string name = e.path().filename().string();
        if (std::find(tables.begin(), tables.end(), name) == tables.end())
            return Broken(why, "left-over " + name + " would be listed as a table");
        auto t = std::make_unique<InterestRateTable>();
        if (!t->Read(e.path().string())) return Broken(why, name + " does not read as a table");
    }
    return "ok";
}

const std::vector<Writer>& Writers() {
    static const std::vector<Writer> writers = {
        {"table_save", PrepareTable, WriteTable, CheckTable},
        {"ini_write", PrepareIni, WriteIni, CheckIni},
        {"log_pruning", PrepareLog, WriteLog, CheckLog, 0, false},
        {"write_report", PrepareReport, WriteReport, CheckReport},
        {"batch_edit", PrepareBatch, WriteBatch, CheckBatch},
        {"update_replace", PrepareUpdate, WriteUpdate, CheckUpdate, 8},
        {"registration", PrepareRegistration, WriteRegistration, CheckRegistration},
        {"service_file", PrepareServiceFile, WriteService, CheckServiceFile},
    };
    return writers;
}

const Writer* FindWriter(const std::string& name) {
    for (const Writer& w : Writers())
        if (name == w.name) return &w;
    return nullptr;
}

}  // namespace crash

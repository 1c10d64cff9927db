// The file update service's check, run on the test thread with an injected
// clock: the once-a-day rule, the list, and every outcome for a table file,
// against file:// addresses and a loopback HTTP server.
#include "update/CFileUpdateService.h"

#include "update/LoopbackHttpServer.h"
#include "update/UpdateFolder.h"

#include <gtest/gtest.h>

namespace {

// The list's time for every table of these tests: 15 March 2024 12:05:00 PM.
const char kListTime[] = "3/15/2024 12:05:00 PM";
const std::time_t kListAt = LocalAt(2024, 3, 15, 12, 5, 0);
// The check day of these tests (any day but the 20th the INI files record).
const std::time_t kToday = LocalAt(2024, 4, 2);

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(FileUpdateServiceTest, ChecksOncePerDayOfTheMonth)
{
    UpdateFolder f;
    f.Dir().Write("remote/ModTimes.txt", std::string("T1.TB3 ") + kListTime + "\n");
    f.WriteIni(f.RemoteUrl() + "ModTimes.txt", f.RemoteUrl(), {});
    auto now = std::make_shared<std::time_t>(LocalAt(2024, 3, 5));
    CFileUpdateService service([now] { return *now; }, std::chrono::hours(1));

    struct Step {
        std::time_t at;
        bool checks;
        int recordedDay;
    };
    const Step steps[] = {
        {LocalAt(2024, 3, 5, 9), true, 5},
        {LocalAt(2024, 3, 5, 23), false, 5},  // later the same day
        {LocalAt(2024, 4, 5, 9), false, 5},   // the same day number in another month
        {LocalAt(2024, 4, 6, 0, 0, 1), true, 6},
    };
    for (const Step& s : steps) {
        std::filesystem::remove(f.Dir().Path("ModTimes.txt"));
        *now = s.at;
        service.Check();
        EXPECT_EQ(f.Dir().Exists("ModTimes.txt"), s.checks) << s.recordedDay;
        EXPECT_TRUE(Contains(f.Dir().ReadText("FileUpdateService.INI"),
                             "[LastUpdateCheck]\nLastCheckDay=" + std::to_string(s.recordedDay) + "\n"));
    }
    // Another process recorded today: this one does not check.
    f.Dir().Write("FileUpdateService.INI", "[URL]\nURL=" + f.RemoteUrl() + "ModTimes.txt\n[LastUpdateCheck]\nLastCheckDay=7\n");
    std::filesystem::remove(f.Dir().Path("ModTimes.txt"));
    *now = LocalAt(2024, 4, 7);
    service.Check();
    EXPECT_FALSE(f.Dir().Exists("ModTimes.txt"));
    EXPECT_FALSE(f.Dir().Exists("FileUpdateLog.txt"));
}

TEST(FileUpdateServiceTest, WithoutAnAddressNothingIsWrittenOrRead)
{
    UpdateFolder f;
    f.WriteIni("", f.RemoteUrl(), {"T1.TB3"});
    const std::string ini = f.Dir().ReadText("FileUpdateService.INI");
    auto service = ServiceAt(kToday);
    service->Check();
    service->Check();
    EXPECT_EQ(f.Dir().ReadText("FileUpdateService.INI"), ini);
    EXPECT_EQ(f.Dir().Files().size(), 2u);  // the INI file and remote/
}

// One configured table T1 whose local copy is missing, older, equal or newer
// than the list says; the server holds the new table at 7 percent, the old
// one is at 5.
struct LocalState {
    const char* what;
    bool present;
    int secondsAfterList;
    const char* logged;  // "" = nothing logged
    double rate;
};

TEST(FileUpdateServiceTest, MissingAndOlderFilesAreDownloadedNewerAndEqualOnesKept)
{
    const LocalState rows[] = {
        {"missing", false, 0, "New file T1.TB3 successfully downloaded.", 7},
        {"older", true, -1, "Replacement file T1.TB3 successfully downloaded.", 7},
        {"equal", true, 0, "", 5},
        {"newer", true, 3600, "", 5},
    };
    for (const LocalState& r : rows) {
        UpdateFolder f;
        LoopbackHttpServer server;
        ASSERT_FALSE(server.Url().empty());
        f.WriteTable("T1", 7, true);
        server.Set("/list/ModTimes.txt", {200, std::string("t1.tb3 ") + kListTime + "\r\n"});
        server.Set("/files/T1.TB3", {200, f.Dir().ReadText("remote/T1.TB3")});
        f.WriteIni(server.Url() + "/list/ModTimes.txt", server.Url() + "/files/", {"T1.TB3"});
        if (r.present) {
            f.WriteTable("T1", 5);
            f.SetModTime("T1.TB3", kListAt + r.secondsAfterList);
        }

        ServiceAt(kToday)->Check();
        const std::string log = f.Log();
        if (*r.logged) {
            EXPECT_TRUE(Contains(log, r.logged)) << r.what << ": " << log;
        } else {
            EXPECT_EQ(log, "") << r.what;
        }
        EXPECT_EQ(f.Rate("T1.TB3"), r.rate) << r.what;
        EXPECT_EQ(f.TemporaryFiles(), 0) << r.what;
        // Every request asked for the newest copy.
        for (const std::string& request : server.Requests())
            EXPECT_TRUE(Contains(request, "Cache-Control: no-cache\r\n")) << r.what;
    }
}

// A download that a killed process left: never in the engine folder (where
// the table listing would show it), and removed by a later check once it is
// an hour old; a younger one may be another process's download and stays.
TEST(FileUpdateServiceTest, ALeftOverDownloadIsNotListedAndAStaleOneIsRemoved)
{
    UpdateFolder f;
    f.WriteTable("T1", 7, true);
    f.Dir().Write("remote/ModTimes.txt", std::string("T1.TB3 ") + kListTime + "\n");
    f.WriteIni(f.RemoteUrl() + "ModTimes.txt", f.RemoteUrl(), {"T1.TB3"});
    std::filesystem::create_directory(f.Dir().Path(".FileUpdate"));
    const struct {
        const char* name;
        std::time_t age;
        bool kept;
    } rows[] = {{"TABstale1.TB3", 3601 + 60, false}, {"TABfresh1.TB3", 60, true}};
    for (const auto& r : rows) {
        f.Dir().Write(std::string(".FileUpdate/") + r.name, "half a tab");
        f.SetModTime(std::string(".FileUpdate/") + r.name, std::time(nullptr) - r.age);
    }
    ServiceAt(kToday)->Check();
    EXPECT_EQ(f.Rate("T1.TB3"), 7);
    for (const auto& r : rows) EXPECT_EQ(f.Dir().Exists(std::string(".FileUpdate/") + r.name), r.kept) << r.name;
    for (const std::string& name : f.Dir().Files()) EXPECT_NE(name.rfind("TAB", 0), 0u) << name;
}

// Downloads that must leave the old table as it was, and what the log says.
struct FailedDownload {
    const char* what;
    LoopbackHttpServer::Response response;
    bool unreachable;
    const char* logged;
};

TEST(FileUpdateServiceTest, FailedOrInvalidDownloadsKeepTheOldTable)
{
    UpdateFolder probe;  // a well-formed table's bytes, cut for the truncated rows
    probe.WriteTable("NEW", 7);
    const std::string table = probe.Dir().ReadText("NEW.TB3");
    const std::string cut = table.substr(0, table.size() - 40);

    const FailedDownload rows[] = {
        {"HTTP 404", {404, "<html>no such file</html>"}, false, "failed! hr = 22 (0x16)"},
        {"HTTP 500", {500, "oops"}, false, "failed! hr = 22 (0x16)"},
        {"connection closed early", {200, cut, table.size()}, false, "failed! hr = 18 (0x12)"},
        {"truncated table served whole", {200, cut}, false, "is not a valid rate table"},
        {"garbage", {200, std::string(2000, 'x')}, false, "is not a valid rate table"},
        {"empty", {200, ""}, false, "is not a valid rate table"},
        {"unreachable server", {}, true, "failed! hr = 7 (0x7)"},
    };
    for (const FailedDownload& r : rows) {
        UpdateFolder f;
        LoopbackHttpServer server;
        server.Set("/ModTimes.txt", {200, std::string("T1.TB3 ") + kListTime + "\n"});
        server.Set("/files/T1.TB3", r.response);
        std::string fileUrl = server.Url() + "/files/";
        if (r.unreachable) {
            LoopbackHttpServer closed;  // a port that nobody listens on once it is gone
            fileUrl = closed.Url() + "/files/";
        }
        f.WriteIni(server.Url() + "/ModTimes.txt", fileUrl, {"T1.TB3"});
        f.WriteTable("T1", 5);
        f.SetModTime("T1.TB3", kListAt - 3600);
        const std::string old = f.Dir().ReadText("T1.TB3");

        ServiceAt(kToday)->Check();
        EXPECT_EQ(f.Dir().ReadText("T1.TB3"), old) << r.what;
        EXPECT_TRUE(Contains(f.Log(), r.logged)) << r.what << ": " << f.Log();
        EXPECT_TRUE(Contains(f.Log(), fileUrl + "T1.TB3")) << r.what;
        EXPECT_FALSE(Contains(f.Log(), "successfully")) << r.what;
        EXPECT_EQ(f.TemporaryFiles(), 0) << r.what;
    }
}

// Problems of the list or the settings: what is logged, and whether T1 (older
// locally, 7 percent on the file:// side) is replaced.
struct ListCase {
    const char* what;
    const char* list;  // nullptr = no list file at the address
    bool withFileUrl;
    std::vector<std::string> files;
    const char* logged;  // "" = nothing
    bool replaced;
};

TEST(FileUpdateServiceTest, ListAndSettingsProblemsAreLoggedAndChangeNothing)
{
    const std::string good = std::string("T1.TB3 ") + kListTime + "\nT3.TB3 " + kListTime + "\n";
    const ListCase rows[] = {
        {"malformed line", "T1.TB3 3/15/2024 12:05:00 PM\nT3.TB3 3/15/2024 12:05 PM\n", true, {"T1.TB3"},
         "Unexpected format in mod times file: T3.TB3 3/15/2024 12:05 PM\n", false},
        {"no list", nullptr, true, {"T1.TB3"}, "ModTimes.txt ) failed! hr = 37 (0x25)\n", false},
        {"empty list", "", true, {"T1.TB3"}, "", false},
        {"no FileURL", good.c_str(), false, {"T1.TB3"}, "Entry FileURL not found in ", false},
        {"not listed", good.c_str(), true, {"T9.TB3", "T1.TB3"}, "No mod time entry found for file T9.TB3\n", true},
        {"File1 and File3 only", good.c_str(), true, {"T1.TB3", "", "T3.TB3"}, "New file T1.TB3", true},
        {"parent folder", good.c_str(), true, {"../T1.TB3", "T1.TB3"}, "File name ../T1.TB3 refused", true},
        {"sub-folder", good.c_str(), true, {"sub/T1.TB3"}, "File name sub/T1.TB3 refused", false},
    };
    for (const ListCase& r : rows) {
        UpdateFolder f;
        if (r.list) f.Dir().Write("remote/ModTimes.txt", r.list);
        f.WriteTable("T1", 7, true);
        f.WriteTable("T3", 7, true);
        f.WriteIni(f.RemoteUrl() + "ModTimes.txt", r.withFileUrl ? f.RemoteUrl() : "", r.files);
        if (std::string(r.what) == "File1 and File3 only") {
            std::filesystem::remove(f.Dir().Path("T1.TB3"));
        } else {
            f.WriteTable("T1", 5);
            f.SetModTime("T1.TB3", kListAt - 3600);
        }

        ServiceAt(kToday)->Check();
        if (*r.logged) {
            EXPECT_TRUE(Contains(f.Log(), r.logged)) << r.what << ": " << f.Log();
        } else {
            EXPECT_EQ(f.Log(), "") << r.what;
        }
        EXPECT_EQ(f.Rate("T1.TB3"), r.replaced ? 7 : 5) << r.what;
        EXPECT_FALSE(f.Dir().Exists("T3.TB3")) << r.what;  // never named by a File n that is reached
        EXPECT_FALSE(std::filesystem::exists(f.Dir().Path("../T1.TB3"))) << r.what;
    }
}

TEST(FileUpdateServiceTest, NameWithABlankIsEscapedInTheAddress)
{
    for (const bool overHttp : {true, false}) {
        UpdateFolder f;
        LoopbackHttpServer server;
        f.WriteTable("IL 2002", 7, true);
        f.Dir().Write("remote/ModTimes.txt", std::string("IL 2002.TB3 ") + kListTime + "\n");
        server.Set("/ModTimes.txt", {200, f.Dir().ReadText("remote/ModTimes.txt")});
        server.Set("/files/IL%202002.TB3", {200, f.Dir().ReadText("remote/IL 2002.TB3")});
        if (overHttp)
            f.WriteIni(server.Url() + "/ModTimes.txt", server.Url() + "/files/", {"IL 2002.TB3"});
        else
            f.WriteIni(f.RemoteUrl() + "ModTimes.txt", f.RemoteUrl(), {"IL 2002.TB3"});
        ServiceAt(kToday)->Check();
        EXPECT_EQ(f.Rate("IL 2002.TB3"), 7) << overHttp << ": " << f.Log();
    }
}

TEST(FileUpdateServiceTest, AnErrorPageIsNeverKeptAsTheList)
{
    UpdateFolder f;
    LoopbackHttpServer server;
    f.WriteIni(server.Url() + "/ModTimes.txt", server.Url() + "/", {"T1.TB3"});
    f.Dir().Write("ModTimes.txt", "an old list\n");
    ServiceAt(kToday)->Check();
    EXPECT_FALSE(f.Dir().Exists("ModTimes.txt"));
    EXPECT_TRUE(Contains(f.Log(), "URLDownloadToFile( " + server.Url() + "/ModTimes.txt, " +
                                      f.Dir().Path("ModTimes.txt") + " ) failed! hr = 22 (0x16)\n"));
}

} // namespace

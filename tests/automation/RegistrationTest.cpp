// The registration records under a private XDG_DATA_HOME: the record set of
// each host, repeated registration, unregistration that leaves the other
// host and foreign files alone, lookups by ProgID, refused input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "automation/AutomationTypes.h"
#include "automation/registration/ComRegistration.h"

namespace fs = std::filesystem;
using namespace qrt::registration;

namespace {

const std::string kClass = "HKEY_CLASSES_ROOT/CLSID/{47EF5C1C-DE75-428C-9DFC-9EBE3117D1EE}.reg";
const std::set<std::string> kShared = {
    "HKEY_CLASSES_ROOT/QRTCom.QRTEngine.1.reg", "HKEY_CLASSES_ROOT/QRTCom.QRTEngine.reg", kClass,
    "HKEY_CLASSES_ROOT/TypeLib/{F2A24516-C1A3-49CA-AECE-FB7EEE8B6BE8}.reg",
    "HKEY_CLASSES_ROOT/Interface/{1BF575F2-F653-4136-BEDF-7F71731A4BA5}.reg",
    "TypeLib/{F2A24516-C1A3-49CA-AECE-FB7EEE8B6BE8}/1.0/IQRTEngine.xml"};
const std::set<std::string> kAppIds = {"HKEY_CLASSES_ROOT/AppID/{1AE03D43-7E28-4B9A-8F9C-3B662C433A01}.reg",
                                       "HKEY_CLASSES_ROOT/AppID/QRTComServer.EXE.reg"};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qrt-registration-XXXXXX";
        m_data = mkdtemp(pattern);
        setenv("XDG_DATA_HOME", m_data.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_DATA_HOME");
        fs::permissions(m_data, fs::perms::owner_all);
        fs::remove_all(m_data);
    }
    fs::path Records() const { return m_data / "QRTCom"; }
    std::set<std::string> Files() const {
        std::set<std::string> names;
        if (!fs::exists(Records())) return names;
        for (const auto& entry : fs::recursive_directory_iterator(Records()))
            if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), Records()).string());
        return names;
    }
    static std::string Found(const std::string& progId, Host host) {
        std::string error;
        std::string path = FindServer(progId, host, &error);
        return path.empty() ? "error: " + error : path;
    }
    fs::path m_data;
};

std::set<std::string> Union(std::set<std::string> a, const std::set<std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(Registration, EachHostWritesItsRecordSetAndFindsItsModule) {
    std::string error;
    ASSERT_EQ(Register(Host::InProcess, "/opt/q/lib/libQRTCom.so", &error), S_OK) << error;
    EXPECT_EQ(Files(), kShared);
    EXPECT_EQ(RecordsFolder(), m_data.string() + "/QRTCom/");
    const std::string cls = ReadFile(Records() / kClass);
    for (const char* line : {"[CLSID\\{47EF5C1C-DE75-428C-9DFC-9EBE3117D1EE}]\n@=QRTEngine Class\n",
                             "\\ProgID]\n@=QRTCom.QRTEngine.1\n", "\\VersionIndependentProgID]\n@=QRTCom.QRTEngine\n",
                             "\\Programmable]\n",
                             "\\InprocServer32]\n@=/opt/q/lib/libQRTCom.so\nThreadingModel=Apartment\n",
                             "\\TypeLib]\n@={F2A24516-C1A3-49CA-AECE-FB7EEE8B6BE8}\n"})
        EXPECT_NE(cls.find(line), std::string::npos) << line;
    EXPECT_NE(ReadFile(Records() / "HKEY_CLASSES_ROOT/QRTCom.QRTEngine.reg").find("\\CurVer]\n@=QRTCom.QRTEngine.1\n"),
              std::string::npos);
    // The type library is the interface description itself.
    EXPECT_EQ(ReadFile(Records() / *kShared.rbegin()), ReadFile(fs::path(QRT_SOURCE_DIR) / "automation/IQRTEngine.xml"));
    for (const char* progId : {"QRTCom.QRTEngine", "QRTCom.QRTEngine.1", "qrtcom.qrtengine"})
        EXPECT_EQ(Found(progId, Host::InProcess), "/opt/q/lib/libQRTCom.so") << progId;
    EXPECT_NE(Found("QRTCom.QRTEngine", Host::LocalServer).find("not registered as a local server"), std::string::npos);

    ASSERT_EQ(Register(Host::LocalServer, "/opt/q/bin/QRTComServer", &error), S_OK) << error;
    EXPECT_EQ(Files(), Union(kShared, kAppIds));
    EXPECT_NE(ReadFile(Records() / "HKEY_CLASSES_ROOT/AppID/QRTComServer.EXE.reg")
                  .find("AppID={1AE03D43-7E28-4B9A-8F9C-3B662C433A01}"),
              std::string::npos);
    EXPECT_EQ(Found("QRTCom.QRTEngine", Host::LocalServer), "/opt/q/bin/QRTComServer");
    EXPECT_EQ(Found("QRTCom.QRTEngine", Host::InProcess), "/opt/q/lib/libQRTCom.so");
}

TEST_F(Registration, RegisteringAgainReplacesAndUnregisteringRemovesOnlyItsOwn) {
    std::string error;
    fs::create_directories(Records());
    std::ofstream(Records() / "notes.txt") << "a user's file\n";
    ASSERT_EQ(Register(Host::InProcess, "/a/libQRTCom.so", &error), S_OK);
    ASSERT_EQ(Register(Host::InProcess, "/b/libQRTCom.so", &error), S_OK);
    EXPECT_EQ(Files(), Union(kShared, {"notes.txt"}));  // one record set, no temporary file left
    EXPECT_EQ(ReadFile(Records() / kClass).find("/a/"), std::string::npos);
    EXPECT_EQ(Found("QRTCom.QRTEngine", Host::InProcess), "/b/libQRTCom.so");

    // With both hosts registered, removing one keeps the other's records.
    ASSERT_EQ(Register(Host::LocalServer, "/b/QRTComServer", &error), S_OK);
    ASSERT_EQ(Unregister(Host::InProcess, &error), S_OK);
    EXPECT_EQ(Files(), Union(Union(kShared, kAppIds), {"notes.txt"}));
    EXPECT_NE(Found("QRTCom.QRTEngine.1", Host::InProcess).find("not registered as an in-process library"),
              std::string::npos);
    EXPECT_EQ(Found("QRTCom.QRTEngine.1", Host::LocalServer), "/b/QRTComServer");
    ASSERT_EQ(Unregister(Host::LocalServer, &error), S_OK);
    EXPECT_EQ(Files(), std::set<std::string>{"notes.txt"});
    ASSERT_EQ(Unregister(Host::LocalServer, &error), S_OK);  // nothing registered: still a success
    fs::remove(Records() / "notes.txt");
    ASSERT_EQ(Register(Host::InProcess, "/b/libQRTCom.so", &error), S_OK);
    ASSERT_EQ(Unregister(Host::InProcess, &error), S_OK);
    EXPECT_FALSE(fs::exists(Records()));  // the empty folders it made are gone too
    EXPECT_NE(Found("QRTCom.QRTEngine", Host::InProcess).find("is not registered"), std::string::npos);
}

TEST_F(Registration, RefusedInputChangesNothing) {
    std::string error;
    for (const char* path : {"", "lib/libQRTCom.so", "/a/b\n/c.so"}) {
        EXPECT_EQ(Register(Host::InProcess, path, &error), E_INVALIDARG) << path;
        EXPECT_NE(error.find("absolute"), std::string::npos);
    }
    EXPECT_TRUE(Files().empty());
    EXPECT_NE(Found("Other.Thing", Host::InProcess).find("no class is registered under the ProgID \"Other.Thing\""),
              std::string::npos);
    EXPECT_NE(Found("../QRTCom.QRTEngine", Host::InProcess).find("no class"), std::string::npos);

    // A records folder that cannot be made (its parent is a file): a failure
    // with its reason, and nothing written.
    std::ofstream(m_data / "plain-file") << "x";
    setenv("XDG_DATA_HOME", (m_data / "plain-file").c_str(), 1);
    EXPECT_LT(Register(Host::InProcess, "/a/libQRTCom.so", &error), 0);
    EXPECT_NE(error.find("cannot create the folder"), std::string::npos) << error;
    setenv("XDG_DATA_HOME", m_data.c_str(), 1);
    EXPECT_TRUE(Files().empty());

    // A folder that cannot be written (not for root): the old records stay whole.
    ASSERT_EQ(Register(Host::InProcess, "/a/libQRTCom.so", &error), S_OK);
    const std::string before = ReadFile(Records() / kClass);
    const fs::path folder = Records() / "HKEY_CLASSES_ROOT/CLSID";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (access(folder.c_str(), W_OK) != 0) {
        EXPECT_EQ(Register(Host::InProcess, "/b/libQRTCom.so", &error), static_cast<int32_t>(0x80070005u));
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
        EXPECT_EQ(ReadFile(Records() / kClass), before);
    }
    fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(Registration, RelativeDataHomeIsIgnored) {
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("HOME", m_data.c_str(), 1);
    EXPECT_EQ(RecordsFolder(), m_data.string() + "/.local/share/QRTCom/");
    setenv("HOME", home.c_str(), 1);
}

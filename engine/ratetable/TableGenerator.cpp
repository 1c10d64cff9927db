// Generated constant-rate tables: CreateRateTable and the on-demand tables
// (DAILY0800 = Daily compounding at 8.00 %) that CreateTableOnDemand makes
// for a name that has no file.

#include "ratetable/InterestRateTable.h"

#include "ratetable/TablePaths.h"
#include "ratetable/UserInteraction.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace {

// Method codes that make the generator alternate Simple and Daily entries.
constexpr int kAlternateA = 10;
constexpr int kAlternateB = 11;

// Generator frequencies.
constexpr int kQuarterly = 1;
constexpr int kYearly = 2;
constexpr int kOneEntry = 3;
constexpr int kMonthly = 4;

struct OnDemandKeyword {
    const char* keyword;
    int method;
    int frequency;
};

// In lookup order.
constexpr OnDemandKeyword kOnDemandKeywords[] = {
    {"SIMPLE", kSimple, kQuarterly},
    {"DAILY", kDaily, kQuarterly},
    {"MONTHLY", kMonthlyPlusDays, kOneEntry},
    {"QUARTERLY-ED", kAlternateA, kQuarterly},
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

} // namespace

int InterestRateTable::CreateRateTable(const std::string& name, const std::string& description,
                                       Date start, Date end, int method, double rate,
                                       int frequency, const std::string& folder)
{
    // An unknown frequency is refused before anything is asked or written.
    if (frequency < kQuarterly || frequency > kMonthly) return 0;

    std::string path = folder + name + ".TB3";
    if (FileExists(path)) {
        const std::string message = "File \"" + path + "\" exists.  OK to replace?";
        if (!UserInteraction().AskYesNo(message)) return 0;
        // The old file is replaced by Save's rename, so it survives a failed save.
    }

    const bool alternate = method == kAlternateA || method == kAlternateB;
    int current = alternate ? kSimple : method;
    int other = kDaily;

    SetTableName(name);
    SetDescription(description.c_str());
    SetTableEndDate(end);

    Date d = start;
    bool advance = true;
    for (int i = 0; i < kMaxEntries && d.isValid() && d < end; ++i) {
        SetStartingDate(i, d);
        SetMethod(i, current);
        SetNRate(i, rate);
        SetMRate(i, rate);
        SetRRate(i, rate);
        SetDPY(i, (d.Year() + 1900) % 4 == 0 ? 366 : 365);
        if (advance) {
            switch (frequency) {
            case kQuarterly: d = d.AddMonths(3); break;
            case kYearly: d.AddYear(); break;  // 29 February gives no date
            case kOneEntry: d = end; break;
            case kMonthly: d = d.AddMonths(1); break;
            }
        }
        if (alternate) {
            advance = !advance;
            std::swap(current, other);
        }
    }
    return Save(path);
}

std::string InterestRateTable::CreateTableOnDemand()
{
    const std::string name = m_name;
    size_t firstDigit = 0;
    while (firstDigit < name.size() && !IsDigit(name[firstDigit])) ++firstDigit;
    if (firstDigit == 0 || firstDigit == name.size()) return std::string();

    const std::string digits = name.substr(firstDigit);
    if (digits.size() != 4) return std::string();
    for (char c : digits) {
        if (!IsDigit(c)) return std::string();
    }

    std::string keyword = name.substr(0, firstDigit);
    for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const OnDemandKeyword* found = nullptr;
    for (const OnDemandKeyword& k : kOnDemandKeywords) {
        if (keyword == k.keyword) {
            found = &k;
            break;
        }
    }
    if (!found) return std::string();

    const double rate = std::stoi(digits) / 100.0;
    char description[94];
    std::snprintf(description, sizeof description,
                  "On-demand rate table. %s compounding at %4.2f%%", keyword.c_str(), rate);

    std::string folder = UserTableDirectory();
    if (!folder.empty()) {
        if (folder.back() != '/') folder += '/';
    } else {
        folder = EngineDirectory();  // "" = the current folder, where Read looks first
    }

    Date today;
    today.Today();
    const int year = today.Year() + 1900;
    const Date start(1, 1, year - 20);
    const Date end(12, 31, year + 2);

    auto table = std::make_unique<InterestRateTable>();
    if (!table->CreateRateTable(name, description, start, end, found->method, rate,
                                found->frequency, folder))
        return std::string();
    return name;
}

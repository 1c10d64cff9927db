// The shipped FEDERAL table (data/FEDERAL.TB3) against the published federal
// rates kept with their sources in data/sources/federal_rates.csv. The
// expected values are read from the published file alone, never from the
// command file the table is built from; the rules that the published file
// leaves open are stated where they are used:
//  - 1 January to 15 August 1954 (before the first published row) carries
//    the first row's 6 percent: the rate was 6 percent before 1 July 1975
//    (IRM Exhibit 20.2.15-1).
//  - normal rate = underpayment; refund rate = non-corporate overpayment;
//    motivated rate = 120 percent of the underpayment rate from 1 January
//    1985 (tax-motivated transactions), the underpayment rate before.
//  - method: the published "compounding" column: "simple_ymd" (years,
//    months and days, before 1 February 1980) is the Old IRS Method (0),
//    "simple" the Simple method (1), "daily" daily compounding (2).
//  - days per year: the published "days_per_year" column: "365" (every row
//    before 1983), or "365/366": 366 in a year divisible by 4, else 365.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../tableedit/batch/ScratchFolder.h"
#include "BatchEdit.h"
#include "StderrPrompts.h"
#include "ratetable/InterestRateTable.h"

namespace {

const std::string kDataDir = QRT_DATA_DIR;

struct PublishedRow {
    Date start;
    Date end;
    double underpayment = 0;
    double overpayment = 0;  // non-corporate
    int method = -1;         // 0 years-months-days, 1 simple, 2 daily
    bool leapYears = false;  // 366 days in a year divisible by 4 (else 365 always)
    std::string text;        // the CSV line, for failure messages
};

// Splits one CSV line; a quoted field may hold commas, "" is a quote.
std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                out.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                out.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

// "YYYY-MM-DD".
Date IsoDate(const std::string& s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return Date();
    return Date(std::atoi(s.substr(5, 2).c_str()), std::atoi(s.substr(8, 2).c_str()),
                std::atoi(s.substr(0, 4).c_str()));
}

std::vector<PublishedRow> LoadPublished() {
    std::vector<PublishedRow> rows;
    std::ifstream in(kDataDir + "/sources/federal_rates.csv");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.rfind("start_date,end_date,underpayment,overpayment_noncorporate,", 0), 0u)
        << "unexpected heading: " << line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const std::vector<std::string> f = SplitCsv(line);
        PublishedRow r;
        r.text = line.substr(0, 80);
        if (f.size() != 10) {
            ADD_FAILURE() << "expected 10 fields: " << line;
            continue;
        }
        r.start = IsoDate(f[0]);
        r.end = IsoDate(f[1]);
        r.underpayment = std::atof(f[2].c_str());
        r.overpayment = std::atof(f[3].c_str());
        r.method = f[7] == "simple_ymd" ? 0 : f[7] == "simple" ? 1 : f[7] == "daily" ? 2 : -1;
        r.leapYears = f[8] == "365/366";
        EXPECT_TRUE(r.start.isValid() && r.end.isValid() && r.method >= 0) << line;
        EXPECT_TRUE(f[8] == "365" || f[8] == "365/366") << line;
        rows.push_back(r);
    }
    return rows;
}

std::string Text(Date d) {
    char buf[11];
    d.ToString(buf, 1);
    return buf;
}

// Checks the entry in force on `day` against the published row covering it.
// Returns false on a mismatch (after reporting it).
bool EntryMatches(const InterestRateTable& t, Date day, const PublishedRow& row) {
    const int i = t.GetEntryFor(day);
    const bool from1985 = day >= Date(1, 1, 1985);
    const double motivated = from1985 ? row.underpayment * 1.2 : row.underpayment;
    const int year = day.Year() + 1900;
    const int dpy = row.leapYears && year % 4 == 0 ? 366 : 365;
    const bool ok = std::abs(t.GetNRate(i) - row.underpayment) < 1e-9 &&
                    std::abs(t.GetMRate(i) - motivated) < 1e-9 &&
                    std::abs(t.GetRRate(i) - row.overpayment) < 1e-9 &&
                    t.GetMethod(i) == row.method && t.GetDPY(i) == dpy;
    if (!ok) {
        ADD_FAILURE() << "on " << Text(day) << " entry " << i << " (from "
                      << Text(t.GetStartingDate(i)) << ") has normal " << t.GetNRate(i)
                      << ", motivated " << t.GetMRate(i) << ", refund " << t.GetRRate(i)
                      << ", method " << t.GetMethod(i) << ", dpy " << t.GetDPY(i)
                      << "; expected " << row.underpayment << ", " << motivated << ", "
                      << row.overpayment << ", " << row.method << ", " << dpy
                      << "\n  published: " << row.text;
    }
    return ok;
}

class FederalTable : public ::testing::Test {
protected:
    void SetUp() override {
        rows = LoadPublished();
        ASSERT_FALSE(rows.empty());
        ASSERT_EQ(table.Read(kDataDir + "/FEDERAL.TB3", 0, 0), 1);
    }
    std::vector<PublishedRow> rows;
    InterestRateTable table;
};

TEST_F(FederalTable, PublishedRowsAreContiguousFrom1954ToJune2026) {
    EXPECT_EQ(rows.front().start, Date(8, 16, 1954));
    // The authority's methods by date (IRM 20.2.6.1): years, months and days
    // before 1 February 1980, simple on a 365-day year to 1982, daily
    // compounding from 1983 with 366 days in leap years.
    for (const PublishedRow& row : rows) {
        const int method = row.start < Date(2, 1, 1980) ? 0 : row.start < Date(1, 1, 1983) ? 1 : 2;
        EXPECT_EQ(row.method, method) << row.text;
        EXPECT_EQ(row.leapYears, method == 2) << row.text;
    }
    EXPECT_EQ(rows.back().end, Date(6, 30, 2026));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_LE(rows[i].start, rows[i].end) << rows[i].text;
        if (i > 0) {
            EXPECT_EQ(rows[i].start, rows[i - 1].end.AddDays(1)) << rows[i].text;
        }
    }
}

TEST_F(FederalTable, EveryPublishedRowHoldsOnItsFirstAndLastDay) {
    for (const PublishedRow& row : rows) {
        EntryMatches(table, row.start, row);
        EntryMatches(table, row.end, row);
    }
}

TEST_F(FederalTable, EveryDayFrom1954ToJune2026HasThePublishedRates) {
    size_t r = 0;
    int failures = 0;
    for (Date day(1, 1, 1954); day <= Date(6, 30, 2026) && failures < 10; day = day.AddDays(1)) {
        while (r + 1 < rows.size() && day > rows[r].end) ++r;
        if (!EntryMatches(table, day, rows[r])) ++failures;
    }
}

// From 1983 an entry opens every 1 January (days per year follow the year);
// before 1983 only where the rate or the method changes, since a cut on
// 1 January would split a count of years, months and days that the
// authority made whole.
TEST_F(FederalTable, EntriesOpenOnEveryChangeAndEveryFirstOfJanuaryFrom1983) {
    EXPECT_EQ(table.GetStartingDate(0), Date(1, 1, 1954));
    int n = 0;
    while (n < InterestRateTable::kMaxEntries && table.GetStartingDate(n).isValid()) ++n;
    for (int year = 1983; year <= 2026; ++year) {
        const Date jan1(1, 1, year);
        EXPECT_EQ(table.GetStartingDate(table.GetEntryFor(jan1)), jan1) << year;
    }
    for (int i = 1; i < n; ++i) {
        const Date d = table.GetStartingDate(i);
        EXPECT_LT(table.GetStartingDate(i - 1), d) << "entry " << i;
        const bool changes = table.GetNRate(i) != table.GetNRate(i - 1) ||
                             table.GetMRate(i) != table.GetMRate(i - 1) ||
                             table.GetRRate(i) != table.GetRRate(i - 1) ||
                             table.GetMethod(i) != table.GetMethod(i - 1);
        const bool newYearFrom1983 = d.Month() == 1 && d.Day() == 1 && d >= Date(1, 1, 1983);
        EXPECT_TRUE(newYearFrom1983 || changes) << "entry " << i << " on " << Text(d) << " changes nothing";
    }
}

TEST_F(FederalTable, HeaderSaysWhatTheTableIsAndHowFarItGoes) {
    EXPECT_EQ(table.TableEndDate(), Date(6, 30, 2026));
    const std::string description = table.Description();
    EXPECT_FALSE(description.empty());
    EXPECT_LE(description.size(), 93u);
    const std::string notes = table.TableNotes();
    EXPECT_NE(notes.find("awaits confirmation"), std::string::npos) << notes;
    EXPECT_NE(notes.find("federal_rates.csv"), std::string::npos) << notes;
    EXPECT_EQ(table.GetHeader()->m_notesLength, notes.size());
}

TEST(FederalTableBuild, RebuildingFromTheCommandFileIsByteIdentical) {
    // As the federal_table target does: the batch edit on a copy of the
    // command file in a folder without the table.
    ScratchFolder out;
    ASSERT_FALSE(out.Path().empty());
    WriteBytes(out.File("federal-rates.csv"), ReadBytes(kDataDir + "/federal-rates.csv"));
    tableedit::StderrPrompts prompts(false);
    tableedit::CBatchEdit batch(prompts);
    ASSERT_EQ(batch.Run(out.Path(), "federal-rates.csv"), tableedit::BatchResult::Done);
    const std::string shipped = ReadBytes(kDataDir + "/FEDERAL.TB3");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(ReadBytes(out.File("FEDERAL.TB3")) == shipped)
        << "data/FEDERAL.TB3 differs from what data/federal-rates.csv builds; rebuild it "
           "with the federal_table target and commit both";
}

}  // namespace

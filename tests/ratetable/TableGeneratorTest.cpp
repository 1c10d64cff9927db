// Generated tables: CreateRateTable's frequencies, alternate mode and replace
// question, and the on-demand tables named KEYWORD + four digits.
#include "ratetable/InterestRateTable.h"
#include "ratetable/TablePaths.h"
#include "ratetable/UserInteraction.h"

#include "ratetable/ScratchFolder.h"
#include "ratetable/TableFiles.h"

#include <gtest/gtest.h>
#include <ctime>
#include <memory>

namespace {

// Answers every Yes/No question with a fixed answer and keeps the question.
class ScriptedAnswer : public CUserInteraction {
public:
    explicit ScriptedAnswer(int answer) : m_answer(answer) { m_previous = SetUserInteraction(this); }
    ~ScriptedAnswer() override { SetUserInteraction(m_previous); }
    int AskYesNo(const std::string& message) override
    {
        m_asked = message;
        return m_answer;
    }
    std::string m_asked;

private:
    int m_answer;
    CUserInteraction* m_previous;
};

int CurrentYear()
{
    const time_t now = time(nullptr);
    struct tm t {};
    localtime_r(&now, &t);
    return t.tm_year + 1900;
}

class TableGeneratorTest : public ::testing::Test {
protected:
    TableGeneratorTest() : m_engineDir(m_dir.Dir())
    {
        // On-demand tables go to the per-user folder when it exists; these
        // tests expect the engine folder.
        if (!UserTableDirectory().empty()) m_skip = true;
    }
    std::unique_ptr<InterestRateTable> ReadBack(const std::string& name)
    {
        auto t = std::make_unique<InterestRateTable>();
        EXPECT_EQ(t->Read(m_dir.Path(name), 0, 0), 1) << name;
        return t;
    }
    ScratchFolder m_dir;
    EngineDirScope m_engineDir;
    bool m_skip = false;
};

TEST_F(TableGeneratorTest, OnDemandTablesHaveTheKeywordsMethodRateAndDates)
{
    if (m_skip) GTEST_SKIP() << "a per-user table folder exists";
    const int y = CurrentYear();
    // From 1 January, twenty years back, to 31 December two years ahead:
    // 23 calendar years, so 23 x 4 = 92 quarter starts.
    struct Case {
        const char* name;
        int entries;
        int method0;
        double rate;
        const char* description;
    } cases[] = {
        {"DAILY0800", 92, kDaily, 8.0, "On-demand rate table. DAILY compounding at 8.00%"},
        {"SIMPLE1000", 92, kSimple, 10.0, "On-demand rate table. SIMPLE compounding at 10.00%"},
        {"MONTHLY0650", 1, kMonthlyPlusDays, 6.5,
         "On-demand rate table. MONTHLY compounding at 6.50%"},
        // The start, then a Daily and a Simple entry at each of the 91 later
        // quarter starts.
        {"QUARTERLY-ED0700", 1 + 2 * 91, kSimple, 7.0,
         "On-demand rate table. QUARTERLY-ED compounding at 7.00%"},
        {"daily0825", 92, kDaily, 8.25, "On-demand rate table. DAILY compounding at 8.25%"},
    };
    for (const Case& c : cases) {
        InterestRateTable asked;
        asked.SetTableName(c.name);
        EXPECT_EQ(asked.CreateTableOnDemand(), c.name);
        EXPECT_EQ(ValidEntries(asked), 0) << "the asking table is not changed";

        auto t = ReadBack(c.name);
        EXPECT_EQ(t->GetTableName(), c.name);
        EXPECT_STREQ(t->Description(), c.description);
        EXPECT_EQ(t->TableEndDate(), Date(12, 31, y + 2)) << c.name;
        ASSERT_EQ(ValidEntries(*t), c.entries) << c.name;
        EXPECT_EQ(t->GetStartingDate(0), Date(1, 1, y - 20)) << c.name;
        EXPECT_EQ(t->GetMethod(0), c.method0) << c.name;
        for (int i = 0; i < c.entries; ++i) {
            ASSERT_EQ(t->GetNRate(i), c.rate) << c.name << " entry " << i;
            ASSERT_EQ(t->GetMRate(i), c.rate);
            ASSERT_EQ(t->GetRRate(i), c.rate);
            const int year = t->GetStartingDate(i).Year() + 1900;
            ASSERT_EQ(t->GetDPY(i), year % 4 == 0 ? 366 : 365) << c.name << " entry " << i;
        }
    }

    auto daily = ReadBack("DAILY0800");
    EXPECT_EQ(daily->GetStartingDate(1), Date(4, 1, y - 20));
    EXPECT_EQ(daily->GetStartingDate(91), Date(10, 1, y + 2));

    auto ed = ReadBack("QUARTERLY-ED0700");
    for (int q = 1; q <= 91; ++q) {
        // Quarter q after the start: month 1 + 3 (q mod 4), year y - 20 + q / 4.
        const Date d(1 + 3 * (q % 4), 1, y - 20 + q / 4);
        ASSERT_EQ(ed->GetStartingDate(2 * q - 1), d) << q;
        ASSERT_EQ(ed->GetStartingDate(2 * q), d) << q;
        ASSERT_EQ(ed->GetMethod(2 * q - 1), kDaily) << q;
        ASSERT_EQ(ed->GetMethod(2 * q), kSimple) << q;
    }
    EXPECT_EQ(ed->GetEntryFor(Date(4, 1, y - 20)), 2) << "the Simple entry of a pair is in force";
}

TEST_F(TableGeneratorTest, NamesOutsideThePatternGiveNothingAndWriteNothing)
{
    const char* names[] = {"DAILY800", "0800", "WEEKLY0800", "DAILY08000", "DAILY08x0",
                           "DAILY",    "",     "DAI1LY0800", "../DAILY0800"};
    for (const char* name : names) {
        InterestRateTable asked;
        asked.SetTableName(name);
        EXPECT_EQ(asked.CreateTableOnDemand(), "") << name;
    }
    EXPECT_TRUE(m_dir.Files().empty());
}

TEST_F(TableGeneratorTest, GeneratedTableIsFoundByTheReadThatFollows)
{
    if (m_skip) GTEST_SKIP() << "a per-user table folder exists";
    // The computation's order: the read fails, the table is made, read again.
    InterestRateTable t;
    t.SetTableName("DAILY0500");
    ASSERT_EQ(t.Read("DAILY0500", 0, 1), 0);
    const std::string made = t.CreateTableOnDemand();
    ASSERT_EQ(made, "DAILY0500");
    ASSERT_EQ(t.Read(made, 0, 1), 1);
    EXPECT_EQ(t.GetNRate(0), 5.0);
}

TEST_F(TableGeneratorTest, FrequenciesStepByQuarterYearMonthOrOnce)
{
    struct Case {
        int frequency;
        Date start, end;
        std::vector<Date> dates;
    } cases[] = {
        // A month end stays a month end: 31 Jan, 28 Feb, 31 Mar, 30 Apr.
        {4, Date(1, 31, 2023), Date(5, 1, 2023),
         {Date(1, 31, 2023), Date(2, 28, 2023), Date(3, 31, 2023), Date(4, 30, 2023)}},
        {2, Date(3, 1, 2020), Date(3, 2, 2022),
         {Date(3, 1, 2020), Date(3, 1, 2021), Date(3, 1, 2022)}},
        // 29 February one year later is no date, which ends the table.
        {2, Date(2, 29, 2000), Date(1, 1, 2010), {Date(2, 29, 2000)}},
        {1, Date(11, 30, 2023), Date(6, 1, 2024),
         {Date(11, 30, 2023), Date(2, 29, 2024), Date(5, 31, 2024)}},
        {3, Date(1, 1, 2000), Date(1, 1, 2030), {Date(1, 1, 2000)}},
        {1, Date(1, 1, 2000), Date(1, 1, 2000), {}},  // start not before end
    };
    for (const Case& c : cases) {
        auto t = std::make_unique<InterestRateTable>();
        ASSERT_EQ(t->CreateRateTable("G", "gen", c.start, c.end, kDaily, 4.0, c.frequency,
                                     m_dir.Dir()),
                  1);
        auto back = ReadBack("G");
        ASSERT_EQ(ValidEntries(*back), static_cast<int>(c.dates.size())) << c.frequency;
        for (size_t i = 0; i < c.dates.size(); ++i)
            EXPECT_EQ(back->GetStartingDate(static_cast<int>(i)), c.dates[i]) << i;
        std::filesystem::remove(m_dir.Path("G.TB3"));
    }
}

TEST_F(TableGeneratorTest, ExistingFileIsReplacedOnlyWhenTheUserSaysYes)
{
    const std::string old = "not a table";
    m_dir.Write("G.TB3", old);
    {
        auto t = std::make_unique<InterestRateTable>();  // default answer: No
        EXPECT_EQ(t->CreateRateTable("G", "gen", Date(1, 1, 2000), Date(1, 1, 2001), kDaily, 4.0,
                                     1, m_dir.Dir()),
                  0);
        EXPECT_EQ(m_dir.ReadText("G.TB3"), old);
    }
    {
        ScriptedAnswer yes(1);
        auto t = std::make_unique<InterestRateTable>();
        // An unknown frequency is refused before the question and the file stays.
        EXPECT_EQ(t->CreateRateTable("G", "gen", Date(1, 1, 2000), Date(1, 1, 2001), kDaily, 4.0,
                                     5, m_dir.Dir()),
                  0);
        EXPECT_EQ(yes.m_asked, "");
        EXPECT_EQ(m_dir.ReadText("G.TB3"), old);

        EXPECT_EQ(t->CreateRateTable("G", "gen", Date(1, 1, 2000), Date(1, 1, 2001), kDaily, 4.0,
                                     1, m_dir.Dir()),
                  1);
        EXPECT_EQ(yes.m_asked, "File \"" + m_dir.Path("G.TB3") + "\" exists.  OK to replace?");
        EXPECT_EQ(ValidEntries(*ReadBack("G")), 4);
    }
    EXPECT_EQ(m_dir.Files().size(), 1u);
}

} // namespace

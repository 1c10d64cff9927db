// The rate table listing of the compute object's table: one line per entry
// with its start, compounding method, the three rates and the days per year.
#include <cstdio>

#include "compute/CQRTCompute.h"
#include "ratetable/IRTU.h"
#include "report/CRepGen.h"
#include "report/ReportRows.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// "%2.2lf" right-justified to 5 columns.
std::string Rate(double rate)
{
    char text[CRepGen::kMoneyTextSize];
    std::snprintf(text, sizeof text, "%5.2lf", rate);
    return text;
}

}  // namespace

int CRepGen::GenerateRateTableReport()
{
    const int pagesBefore = m_numPages;
    m_title = "INTEREST RATE TABLE LISTING";
    NewPage();
    ReportTemplate headings;
    if (m_compute == nullptr || !headings.Load("RATEREP.DM")) return 0;
    PrintHeadingLines(*this, headings, headings.LineCount());

    // The listing's own headings carry the page top: a page break repeats
    // them without the general heading.
    m_suppressGeneralHeading = 1;
    CQRTCompute& c = *m_compute;
    InterestRateTable& table = *c.GetTable();
    const std::string pattern = PatternLine(67, {0, 13, 34, 46, 57, 66});
    for (int i = 0; i < 500 && table.GetStartingDate(i).isValid(); ++i) {
        const int code = table.GetDPY(i);
        char days[32];
        if (code == 365 || code == 366)
            std::snprintf(days, sizeof days, "%d", code);
        else
            std::snprintf(days, sizeof days, "%.2f", c.TableDPY(i));
        OutputString(FillPattern(pattern, {RowDate(table.GetStartingDate(i)), CompoundMethodName(table.GetMethod(i)),
                                           Rate(c.TableNRate(i)), Rate(c.TableMRate(i)), Rate(c.TableRRate(i)), days}),
                     1);
    }
    m_suppressGeneralHeading = 0;
    m_headingCount = 0;
    return m_numPages - pagesBefore;
}

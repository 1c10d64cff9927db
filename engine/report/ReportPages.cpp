// The page machinery: page starts, header, footer and separator lines, page
// breaks with the general heading and the repeated column headings.
#include <cstring>

#include "report/CRepGen.h"
#include "report/ReportTemplate.h"

namespace {

const char kSeparator[] =
    "*******************************************************************************";
static_assert(sizeof kSeparator == 80, "the separator is 79 asterisks");

}  // namespace

void CRepGen::CopyToWorkLine(char* work, int size, const std::string& text)
{
    std::memset(work, 0, static_cast<size_t>(size));
    std::memcpy(work, text.data(), text.size() < static_cast<size_t>(size) ? text.size() : size - 1);
}

long CRepGen::TopLineOnPage(int page) const
{
    return page >= 0 && page < kMaxPages ? m_pageStart[page] : -1;
}

void CRepGen::WriteCounted(const char* text)
{
    m_bytesWritten += static_cast<int32_t>(
        WriteLine(reinterpret_cast<const unsigned char*>(text), static_cast<long>(std::strlen(text))));
}

void CRepGen::WriteSeparator() { WriteCounted(kSeparator); }

int CRepGen::PlaceFinalFooter()
{
    if (!m_includeFooter) {
        if (!m_forPrint) WriteSeparator();
        return 0;
    }
    // Pad from the current line through line linesPerPage: a page closed
    // after 10 of 60 lines gets 51 blank lines before its footer. A 64-bit
    // count, and a stop once writes are refused, keep any page length safe.
    for (long long line = m_lineOnPage; line <= m_linesPerPage && !m_writeFailed; ++line)
        WriteCounted(" ");
    WriteCounted(m_footer.c_str());
    if (!m_forPrint) WriteSeparator();
    m_lineOnPage = 0;
    return 1;
}

void CRepGen::NewPage()
{
    if (m_numPages > 0) PlaceFinalFooter();
    m_lineOnPage = 0;
    if (m_numPages < kMaxPages) m_pageStart[m_numPages] = m_bytesWritten;
    ++m_numPages;
    if (m_includeHeader) {
        // The header lines are written with the page check on, but they
        // never break the page they begin.
        const int32_t breaking = m_breakingPage;
        m_breakingPage = 1;
        for (const std::string& line : m_header) OutputString(line, 1);
        WriteBlankLine();
        m_breakingPage = breaking;
    }
}

int CRepGen::OutputLine(const char* line, int pageCheck)
{
    if (line == nullptr) line = "";
    WriteCounted(line);
    ++m_lineOnPage;
    if (!pageCheck || m_breakingPage || m_lineOnPage < static_cast<long long>(m_linesPerPage) - 1) return 0;

    m_breakingPage = 1;
    NewPage();
    PrintGeneralHeading();
    for (int i = 0; i < m_headingCount && i < kMaxHeadings; ++i) {
        char work[kHeadingLineSize];
        CopyToWorkLine(work, kHeadingLineSize, m_headings[i]);
        MergeTemplateLine(work, 0, 1, kHeadingLineSize);
    }
    m_breakingPage = 0;
    return 1;
}

void CRepGen::WriteBlankLine()
{
    WriteCounted(" ");
    ++m_lineOnPage;
}

int CRepGen::PrintGeneralHeading()
{
    if (m_suppressGeneralHeading) return 0;
    ReportTemplate heading;
    if (!heading.Load("GLHEAD.DM")) return 0;
    for (int i = 0; i < heading.LineCount(); ++i) {
        char work[kWorkLineSize];
        CopyToWorkLine(work, kWorkLineSize, heading.Line(i));
        MergeTemplateLine(work, -1, 1, kWorkLineSize);
    }
    return heading.LineCount();
}

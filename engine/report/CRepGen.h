// CRepGen: the report generator. One generator is bound to one compute object
// and writes a plain-text report of fixed-width lines into its own buffer,
// cut into pages: optional three header lines and a footer on every page, a
// separator line of asterisks between pages unless the report is for print,
// the general heading template (GLHEAD.DM) and repeated column headings on
// every new page. Report lines come from templates (ReportTemplate) whose
// 0xAD field markers MergeTemplateLine replaces by values of the account.
//
// Buffer: each line's bytes followed by one NUL byte; a blank line is " ".
// Page starts are byte offsets recorded in the page start table (100 pages).
// Money read from the compute object is in cents; FormatMoney prints dollars.
// A write that cannot get memory keeps the text written so far, refuses every
// later write and sets WriteFailed(): the caller reports the failure.
//
// The report kinds (event summary, interest, penalty, payment, monthly and
// rate table reports) are the Generate... operations, each in its own file.
// One generator per report run, used on one thread at a time.
// Tests: buffer growth and its failure, page machinery byte for byte, every
// field code, the applicability rules at their date edges, money formatting.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/Date.h"
#include "report/ReportTemplate.h"

class CQRTCompute;
struct ComputeResults;

class CRepGen {
public:
    static constexpr int kMaxPages = 100;
    static constexpr int kMaxHeadings = 10;
    static constexpr int kInitialCapacity = 2048;
    // Work lines: headings are merged in 80-byte lines, template lines of
    // the general heading and of penalty sections in 120-byte lines.
    static constexpr int kHeadingLineSize = 80;
    static constexpr int kWorkLineSize = 120;
    // A field value is at most this many characters.
    static constexpr int kMaxValue = 119;
    // FormatMoney's output needs at most this many bytes.
    static constexpr int kMoneyTextSize = 64;

    CRepGen();
    virtual ~CRepGen();
    CRepGen(const CRepGen&) = delete;
    CRepGen& operator=(const CRepGen&) = delete;

    void SetCompute(CQRTCompute* compute) { m_compute = compute; }
    CQRTCompute* GetCompute() const { return m_compute; }

    // ---- Buffer ----
    // Frees the buffer and allocates a fresh one of 2048 bytes (length 0).
    // Page count, page starts, bytes written and the line count stay.
    void InitBuffer();
    // Appends n bytes, growing the buffer by doubling; returns n. Returns 0
    // and writes nothing for n <= 0, for null data, after a failed write, and
    // when the buffer cannot grow (which sets WriteFailed).
    long Write(const unsigned char* data, long n);
    // Write(data, n) and one NUL byte as a single step; returns n + 1, or 0
    // when nothing was written (as Write).
    long WriteLine(const unsigned char* data, long n);
    // The buffer (still owned by the generator) and its used length.
    void GetReport(unsigned char** text, long* n);
    // 1 once a write was refused for want of memory: the text is complete
    // only up to that write.
    int WriteFailed() const { return m_writeFailed; }

    // ---- Options ----
    std::string Header(int i) const;
    void Header(int i, const char* text);
    void Header(int i, const std::string& text) { Header(i, text.c_str()); }
    std::string Footer() const { return m_footer; }
    void Footer(const char* text) { m_footer = text != nullptr ? text : ""; }
    void Footer(const std::string& text) { m_footer = text; }
    std::string TaxpayerName() const { return m_taxpayerName; }
    void TaxpayerName(const char* text) { m_taxpayerName = text != nullptr ? text : ""; }
    void TaxpayerName(const std::string& text) { m_taxpayerName = text; }
    std::string TaxpayerId() const { return m_taxpayerId; }
    void TaxpayerId(const char* text) { m_taxpayerId = text != nullptr ? text : ""; }
    void TaxpayerId(const std::string& text) { m_taxpayerId = text; }
    std::string VersionString() const { return m_versionString; }
    void VersionString(const std::string& text) { m_versionString = text; }
    std::string Title() const { return m_title; }
    void Title(const std::string& text) { m_title = text; }
    int IncludeHeader() const { return m_includeHeader; }
    void IncludeHeader(int on) { m_includeHeader = on; }
    int IncludeFooter() const { return m_includeFooter; }
    void IncludeFooter(int on) { m_includeFooter = on; }
    int IncludeDate() const { return m_includeDate; }
    void IncludeDate(int on) { m_includeDate = on; }
    int IncludeTime() const { return m_includeTime; }
    void IncludeTime(int on) { m_includeTime = on; }
    int ForPrint() const { return m_forPrint; }
    void ForPrint(int on) { m_forPrint = on; }
    int UseEventDescriptions() const { return m_useEventDescriptions; }
    void UseEventDescriptions(int on) { m_useEventDescriptions = on; }
    int LinesPerPage() const { return m_linesPerPage; }
    void LinesPerPage(int lines) { m_linesPerPage = lines; }
    int FiscalYearEnd() const { return m_fiscalYearEnd; }
    void FiscalYearEnd(int month) { m_fiscalYearEnd = month; }
    Date ComputeDate() const { return m_computeDate; }
    void ComputeDate(Date d) { m_computeDate = d; }

    // ---- Pages ----
    int NumPages() const { return m_numPages; }
    // Byte offset where page `page` (0-based) begins; -1 for a page outside
    // 0..99 or one not begun.
    long TopLineOnPage(int page) const;
    // Closes the current page: with the footer on, pads the page with blank
    // lines, writes the footer line and (unless for print) the separator;
    // returns 1. With the footer off writes only the separator (unless for
    // print) and returns 0.
    int PlaceFinalFooter();
    // Ends the page begun last (if any) and begins the next one, with the
    // three header lines and a blank line when headers are on.
    void NewPage();
    // Writes one line; with pageCheck, a page nearly full (linesPerPage - 1
    // lines) is broken: new page, general heading, repeated headings.
    // Returns 1 when it broke the page.
    int OutputLine(const char* line, int pageCheck);
    int OutputString(const std::string& line, int pageCheck) { return OutputLine(line.c_str(), pageCheck); }
    void WriteBlankLine();
    // Merges and writes GLHEAD.DM unless suppressed; returns its line count
    // (0 when suppressed or when the template cannot be loaded).
    int PrintGeneralHeading();

    // ---- Fields ----
    // Replaces each 0xAD field of `line` by its value and writes the line
    // (OutputLine with pageCheck); returns OutputLine's result. With
    // penaltyKind >= 0 the applicability rules apply: a rejected field drops
    // the whole line (result 0). Action codes (JIM0, JIM1, ESUM, SUMM) do
    // their work instead and the line is not written (result 0). `line`
    // holds `size` bytes and receives the merged text, cut to size - 1
    // characters; values are never read as fields themselves.
    int MergeTemplateLine(char* line, int penaltyKind, int pageCheck, int size = kWorkLineSize);

    // ---- Number formatting ----
    // Formats cents as dollars into out (kMoneyTextSize bytes): "1234.50",
    // with commas "1,234.50", negatives "<1,234.50>" with angleBrackets else
    // "-1,234.50"; dropCentsWhenLarge drops the cents of amounts that would
    // not fit 13 columns; wholeDollars rounds to whole dollars. Amounts
    // beyond +-99999999999999.98 cents give "".
    static void FormatMoney(char* out, double cents, int commas, int angleBrackets,
                            int dropCentsWhenLarge, int wholeDollars);
    // Pads text on the left with spaces to width characters (width + 1 for a
    // text ending in '>', so the bracket stands outside the column). text
    // holds at least width + 2 bytes.
    static void RightJustify(char* text, int width);
    // Inserts a comma before every third digit of the integer part of a
    // 4- to 50-character number text; text holds at least 68 bytes.
    static void InsertThousandsSeparators(char* text);

    // ---- Report kinds ----
    // Each writes its report into the buffer from the bound compute object.
    // Event summary with per-event balances and the closing lines; 1, or 0
    // when a template is missing.
    int GenerateMainScreenReport(int withSummary);
    // Interest computation detail: the three streams with their headings,
    // the summary block, the warning block, the hot interest section. Pages
    // begun plus 1; 0 when its template is missing.
    int GenerateInterestDetail(int standalone);
    int GenerateInterestWithFactorsReport();
    // The periods of one interest stream (0 normal, 1 motivated, 2 penalty);
    // pages begun.
    int GenerateInterestEvents(ComputeResults* stream, int streamKind, int combined);
    // Every enabled penalty's section (23 first); sections printed.
    int GeneratePenaltyDetailReport();
    // One penalty's detail pages from its template; nothing without one.
    int PrintPenaltySection(int kind);
    // Event summary, interest detail and penalty detail in one report.
    int GenerateInterestAndPenaltyReport();
    // How each payment and deposit was applied; 1, or 0 without payments
    // or template.
    int GeneratePaymentAllocationReport();
    // Interest by month with fiscal-year totals, the rounding adjustment and
    // the grand totals; 1, or 0 when the template is missing.
    int GenerateMonthlyAccrualReport();
    // The compute object's rate table, one line per entry; pages begun.
    int GenerateRateTableReport();

    // Field ESUM: the dated steps of a penalty's failure-to-pay base;
    // returns the lines printed.
    int PrintEventSummary(int penaltyKind);
    // Field SUMM: the account summary block (REPSUM.DM), moved to a new page
    // when it would not fit; returns the lines printed.
    int PrintSummaryBlock();
    // Prints (or with measureOnly only counts) the account summary lines;
    // returns their number.
    int PrintAccountSummary(int measureOnly);

    // ---- State, in declaration order (the report kinds use it directly) ----
    CQRTCompute* m_compute = nullptr;
    int32_t m_useEventDescriptions = 0;
    Date m_computeDate;
    int32_t m_includeHeader = 0;
    std::string m_header[3];
    int32_t m_includeFooter = 0;
    std::string m_footer;
    std::string m_taxpayerName;
    std::string m_taxpayerId;
    int32_t m_fiscalYearEnd = 0;
    int32_t m_includeDate = 0;
    int32_t m_includeTime = 0;
    std::string m_versionString;
    int32_t m_linesPerPage = 60;
    int32_t m_forPrint = 0;
    int32_t m_numPages = 0;
    int32_t m_pageStart[kMaxPages];
    unsigned char* m_buffer = nullptr;
    int32_t m_length = 0;
    int32_t m_capacity = 0;
    int32_t m_bytesWritten = 0;
    std::string m_title;
    std::string m_headings[kMaxHeadings];
    int32_t m_headingCount = 0;
    int32_t m_suppressGeneralHeading = 0;
    int32_t m_lineOnPage = 0;
    double m_gattSums[3] = {};

    // Set by a refused write (see WriteFailed).
    int32_t m_writeFailed = 0;
    // Set while a page break writes its header, general heading and
    // headings: those lines never break the page again, so a short page
    // length cannot recurse without end.
    int32_t m_breakingPage = 0;
    // Bit per action code that is running: a template loaded by an action
    // cannot start the same action again, nor JIM0 or JIM1 inside JIM0 or JIM1.
    uint32_t m_actionsRunning = 0;

private:
    // Makes room for extra more bytes; false (and WriteFailed) when it
    // cannot.
    bool Reserve(long extra);
    // Writes the separator line of 79 asterisks outside the line count.
    void WriteSeparator();
    // WriteLine plus the running byte count, outside the line count.
    void WriteCounted(const char* text);
    // Copies text into a zeroed work line of `size` bytes, cut to size - 1.
    static void CopyToWorkLine(char* work, int size, const std::string& text);
    // Merges and outputs every line of template `name` with the penalty
    // kind (the JIM0 and JIM1 actions).
    void MergeTemplateFile(const char* name, int penaltyKind, int pageCheck);
    // The value of field `code` (an index of the field code table) and its
    // width.
    std::string FieldValue(int code, int penaltyKind, int& width);
    std::string Money13(double cents) const;
};

// Feeds arbitrary bytes through template loading and field merging against
// a computed account. The first byte chooses the penalty kind (-2 to 23)
// and the page length; the rest is the template file. The template is also the slot's header and
// footer, so JIM0 and JIM1 load it again from inside itself. Every merged
// line must stay within its work line and the buffer must hold whole lines.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../report/ReportAccount.h"
#include "FuzzScratch.h"
#include "report/CRepGen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::unique_ptr<CQRTCompute> account = reporttest::ComputedAccount();
    if (size == 0) return 0;
    const int kind = static_cast<int>(data[0] % 26) - 2;
    const std::string path = fuzz::Folder("/tmp/qrt-fuzz-template-XXXXXX") + "FUZZ.DM";
    fuzz::WriteInput(path, data + 1, size - 1);
    if (kind >= 0) {
        account->PenHeader(kind, path.c_str());
        account->PenFooter(kind, path.c_str());
    }

    ReportTemplate t;
    if (t.Load(path) != 1 || t.LineCount() > ReportTemplate::kMaxLines) std::abort();

    CRepGen gen;
    gen.SetCompute(account.get());
    gen.TaxpayerName(std::string(reinterpret_cast<const char*>(data), size < 200 ? size : 200));
    gen.VersionString("0.1.0");
    gen.IncludeHeader(1);
    gen.IncludeFooter(1);
    gen.LinesPerPage(data[0] < 52 ? data[0] % 12 : 60);  // short pages for a fifth of the inputs
    gen.m_headings[0] = t.Line(0);
    gen.m_headingCount = 1;
    gen.NewPage();
    for (int i = 0; i < t.LineCount(); ++i) {
        for (int workSize : {CRepGen::kHeadingLineSize, CRepGen::kWorkLineSize}) {
            char work[CRepGen::kWorkLineSize + 1];
            std::memset(work, 0, sizeof work);
            work[workSize] = 'Z';  // a guard byte past the work line
            t.Line(i).copy(work, static_cast<size_t>(workSize - 1));
            gen.MergeTemplateLine(work, kind, 1, workSize);
            if (work[workSize] != 'Z' || std::strlen(work) >= static_cast<size_t>(workSize)) std::abort();
        }
    }
    gen.PlaceFinalFooter();
    if (kind >= 0) {
        account->PenHeader(kind, nullptr);
        account->PenFooter(kind, nullptr);
    }

    unsigned char* text = nullptr;
    long n = 0;
    gen.GetReport(&text, &n);
    if (n > 0 && text[n - 1] != 0) std::abort();
    return 0;
}

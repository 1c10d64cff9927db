// Feeds arbitrary bytes as the template of one report kind that lays out
// rows of its own (monthly accrual REPMON.DM with its '#' row pattern,
// payment allocation PAYREP.DM, rate table RATEREP.DM) and runs that kind
// on a computed account. The first byte chooses the kind and the page
// length; the rest is the template, read from a scratch engine folder that
// also holds the rate table and the general heading. No line may pass 119
// characters and the buffer must hold whole lines.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "../report/ReportAccount.h"
#include "FuzzScratch.h"
#include "report/CRepGen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::unique_ptr<CQRTCompute> account = reporttest::ComputedAccount();
    static const std::string folder = [] {
        const std::string path = fuzz::Folder("/tmp/qrt-fuzz-rows-XXXXXX");
        for (const char* name : {"FEDERAL.TB3", "GLHEAD.DM"})
            std::filesystem::copy_file(std::string(QRT_DATA_DIR "/") + name, path + name);
        setenv("QRT_ENGINE_DIR", path.c_str(), 1);
        return path;
    }();
    if (size == 0) return 0;
    const char* const names[3] = {"REPMON.DM", "PAYREP.DM", "RATEREP.DM"};
    const int kind = data[0] % 3;
    fuzz::WriteInput(folder + names[kind], data + 1, size - 1);

    CRepGen gen;
    gen.SetCompute(account.get());
    gen.ComputeDate(Date(12, 31, 2021));
    gen.FiscalYearEnd(data[0] % 14 - 1);  // also months outside 0 to 11
    gen.IncludeHeader(1);
    gen.LinesPerPage(data[0] < 60 ? data[0] % 12 : 60);  // short pages for some inputs
    if (kind == 0) gen.GenerateMonthlyAccrualReport();
    if (kind == 1) gen.GeneratePaymentAllocationReport();
    if (kind == 2) gen.GenerateRateTableReport();
    gen.PlaceFinalFooter();
    std::remove((folder + names[kind]).c_str());

    unsigned char* text = nullptr;
    long n = 0;
    gen.GetReport(&text, &n);
    if (n > 0 && text[n - 1] != 0) std::abort();
    long lineStart = 0;
    for (long i = 0; i < n; ++i)
        if (text[i] == 0) {
            if (i - lineStart > 119) std::abort();
            lineStart = i + 1;
        }
    return 0;
}

// qrtcalc --batch with many threads, built and run under ThreadSanitizer by
// the tsan preset (a race in the program makes it exit with TSan's status):
// lines in groups, workers taking several lines, blank lines between, and the
// output in input order, equal to a run on one thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "RunQrtcalc.h"

namespace {

std::string Example(const char* name)
{
    std::ifstream in(std::string(QRT_SOURCE_DIR) + "/examples/" + name);
    std::stringstream text;
    text << in.rdbuf();
    std::string line = text.str();
    // One line: the examples are pretty-printed objects.
    std::string flat;
    for (const char ch : line)
        if (ch != '\n') flat += ch;
    return flat;
}

TEST(QrtcalcBatchThreads, EightThreadsWriteTheLinesOfOneInOrder)
{
    const char* const examples[] = {"late-payment.json", "overpayment-refund.json", "corporate-gatt-lcu.json",
                                    "motivated-tax.json"};
    std::string input;
    for (int i = 0; i < 1000; ++i) {
        input += Example(examples[i % 4]) + "\n";
        if (i % 7 == 0) input += "\n";   // blank lines are skipped, not counted as accounts
    }
    ScratchFolder folder;
    const std::string file = folder.Write("accounts.jsonl", input);
    const ProgramRun one = RunQrtcalc({"--batch", file, "--threads", "1"}, folder);
    ASSERT_EQ(one.status, 0) << one.err;
    const ProgramRun eight = RunQrtcalc({"--batch", file, "--threads", "8"}, folder);
    ASSERT_EQ(eight.status, 0) << eight.err;
    EXPECT_EQ(eight.out, one.out);
    EXPECT_EQ(static_cast<size_t>(std::count(one.out.begin(), one.out.end(), '\n')), 1000u);
}

}  // namespace

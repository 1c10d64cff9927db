// Builds a two-entry rate table through the installed library, saves it,
// reads it back and checks what came back. Exit status 0 on success.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <qrtDLL.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qrt_consumer <scratch folder>\n");
        return 2;
    }
    InterestRateTable table;
    table.SetTableName("CONSUMER");
    table.SetDescription("Installed library check");
    table.SetTableEndDate(Date(12, 31, 2030));
    IRTU* first = table.GetEntry(0);
    first->m_start = Date(1, 1, 2024);
    first->m_method = kDaily;
    first->m_normalRate = 8.0;
    first->m_motivatedRate = 10.0;
    first->m_refundRate = 7.0;
    first->m_dpy = 366;
    IRTU* second = table.GetEntry(1);
    *second = *first;
    second->m_start = Date(4, 1, 2024);
    second->m_normalRate = 7.0;

    std::string path = std::string(argv[1]) + "/CONSUMER";
    if (!table.Save(path)) {
        std::fprintf(stderr, "Save(%s) failed\n", path.c_str());
        return 1;
    }
    InterestRateTable* back = InterestRateTable::NewIRT();
    int ok = back->Read(path, 0, 0);
    const TableHeader* header = back->GetHeader();
    ok = ok && header->m_fileType == 3 && header->m_version == 4 && header->m_entryCount == 2 &&
         back->GetEntryFor(Date(5, 15, 2024)) == 1 && back->GetNRate(1) == 7.0 &&
         back->GetTableName() == "CONSUMER" && back->TableEndDate() == Date(12, 31, 2030);
    InterestRateTable::DeleteIRT(back);
    std::printf("installed qrtDLL: %s\n", ok ? "table saved and read back" : "MISMATCH");
    return ok ? 0 : 1;
}

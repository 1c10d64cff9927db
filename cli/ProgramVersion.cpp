#include "ProgramVersion.h"

#include <memory>

#include "DollarText.h"
#include "TableListing.h"
#include "ratetable/InterestRateTable.h"

void WriteProgramVersion(std::ostream& out) {
    out << "qrtcalc " << QRT_PROGRAM_VERSION << "\n";
    auto table = std::make_unique<InterestRateTable>();
    if (!table->Read("FEDERAL"))
        out << "FEDERAL rate table: none in " << EngineFolderText() << "\n";
    else if (!table->TableEndDate().isValid())
        out << "FEDERAL rate table: no end date (" << EngineFolderText() << ")\n";
    else
        out << "FEDERAL rate table: ends " << IsoDate(table->TableEndDate()) << " (" << EngineFolderText() << ")\n";
}

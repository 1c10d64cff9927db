#include "TableListing.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "AccountFields.h"
#include "DollarText.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TablePaths.h"

namespace fs = std::filesystem;

namespace {

std::string DateOrDash(Date d) { return d.isValid() ? IsoDate(d) : "-"; }

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

bool HasTableExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::toupper(ch); });
    return ext == ".TB3";
}

std::string DaysPerYear(int code) { return code == 100 ? "365.25" : std::to_string(code); }

}  // namespace

std::string EngineFolderText() {
    const std::string folder = EngineDirectory();
    return folder.empty() ? "the current folder" : folder;
}

int ListRateTables(std::ostream& out, std::string& why) {
    const std::string folder = EngineDirectory();
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec))
        if (HasTableExtension(it->path()) && it->is_regular_file()) files.push_back(it->path());
    if (ec) {
        why = "cannot list the rate tables of " + EngineFolderText() + ": " + ec.message();
        return 2;
    }
    std::sort(files.begin(), files.end());
    out << "Rate tables in " << EngineFolderText() << "\n";
    out << "  " << Padded("Name", 16) << Padded("First entry", 13) << Padded("End date", 12) << "Description\n";
    auto table = std::make_unique<InterestRateTable>();
    for (const fs::path& file : files) {
        const std::string name = Printable(file.stem().string());
        if (!table->Read(file.string())) {
            out << "  " << Padded(name, 16) << "(not a rate table the engine can read)\n";
            continue;
        }
        out << "  " << Padded(name, 16) << Padded(DateOrDash(table->GetStartingDate(0)), 13)
            << Padded(DateOrDash(table->TableEndDate()), 12) << Printable(table->Description()) << "\n";
    }
    if (files.empty()) out << "  (none)\n";
    return 0;
}

int PrintRateTable(const std::string& name, std::ostream& out, std::string& why) {
    auto table = std::make_unique<InterestRateTable>();
    if (name.empty() || !table->Read(name)) {
        why = "no rate table \"" + Printable(name) + "\" can be read from " + EngineFolderText() +
              " (--tables lists them)";
        return 2;
    }
    out << "Rate table " << Printable(name) << ": " << Printable(table->Description()) << "\n";
    out << "  End date: " << DateOrDash(table->TableEndDate()) << "\n\n";
    out << "  " << Padded("Date", 12) << Padded("Method", 20) << "  Normal  Motivated   Refund  Days/year\n";
    for (int i = 0; i < InterestRateTable::kMaxEntries && table->GetStartingDate(i).isValid(); ++i) {
        char rates[64];
        std::snprintf(rates, sizeof rates, "%8.2f %10.2f %8.2f  ", table->GetNRate(i), table->GetMRate(i),
                      table->GetRRate(i));
        out << "  " << Padded(IsoDate(table->GetStartingDate(i)), 12) << Padded(CompoundMethodName(table->GetMethod(i)), 20)
            << rates << DaysPerYear(table->GetDPY(i)) << "\n";
    }
    return 0;
}

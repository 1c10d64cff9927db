#include "TableBuilder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <unistd.h>

#include "ratetable/InterestRateTable.h"

namespace {

int Fail(BatchLineError* err, const char* check, const std::string& field,
         const BatchCommand& cmd) {
    err->m_check = check;
    err->m_field = field;
    err->m_line = cmd.m_line;
    err->m_text = cmd.m_text;
    return 0;
}

int LeadingValidEntries(InterestRateTable* t) {
    int n = 0;
    while (n < InterestRateTable::kMaxEntries && t->GetStartingDate(n).isValid()) ++n;
    return n;
}

std::string DateText(Date d) {
    char buf[11];
    d.ToString(buf, 1);
    return buf;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Removes the scratch folder and whatever was saved into it.
void RemoveScratch(const std::string& scratch, const std::vector<std::string>& files) {
    for (const std::string& f : files) std::remove((scratch + "/" + f).c_str());
    rmdir(scratch.c_str());
}

}  // namespace

int ApplyBatchCommand(InterestRateTable* table, const BatchCommand& cmd, BatchLineError* err) {
    const int n = LeadingValidEntries(table);
    if (n >= InterestRateTable::kMaxEntries)
        return Fail(err, "Table full (500 entries at most)", cmd.m_tableFile, cmd);
    // The table is never re-sorted, so an entry out of order would give the
    // wrong rates to every date between the two.
    if (n > 0 && cmd.m_start < table->GetStartingDate(n - 1))
        return Fail(err, "Rate start date before the previous entry's", DateText(cmd.m_start),
                    cmd);

    IRTU entry;
    entry.m_start = cmd.m_start;
    entry.m_method = static_cast<uint16_t>(cmd.m_method);
    entry.m_normalRate = cmd.m_normalRate;
    entry.m_motivatedRate = cmd.m_motivatedRate;
    entry.m_refundRate = cmd.m_refundRate;
    entry.m_dpy = static_cast<uint16_t>(cmd.m_dpy);
    // IsDuplicate looks at the first m_entryCount entries: make that all of
    // them (Save sets the count again when it writes).
    TableHeader* header = table->GetHeader();
    const uint16_t count = header->m_entryCount;
    header->m_entryCount = static_cast<uint16_t>(n);
    const int duplicate = table->IsDuplicate(&entry);
    header->m_entryCount = count;
    if (duplicate) return Fail(err, "Duplicating entry in table", cmd.m_tableFile, cmd);

    *table->GetEntry(n) = entry;
    if (cmd.m_endDate.isValid()) table->SetTableEndDate(cmd.m_endDate);
    if (!cmd.m_description.empty()) table->SetDescription(cmd.m_description.c_str());
    if (!cmd.m_notes.empty()) table->GetHeader()->TableNotes(cmd.m_notes);
    return 1;
}

std::string BatchTableFileName(const std::string& tableFile) {
    const size_t dot = tableFile.rfind('.');
    return (dot == std::string::npos ? tableFile : tableFile.substr(0, dot)) + ".TB3";
}

int BuildTablesFromCommandFile(const std::string& commandFile, const std::string& outFolder,
                               std::vector<std::string>* written, std::string* error) {
    written->clear();
    std::vector<BatchCommand> cmds;
    BatchLineError lineError;
    if (!ReadBatchCommandFile(commandFile, &cmds, &lineError)) {
        *error = commandFile + ": " + lineError.Message();
        return 0;
    }

    // Every table in memory first, in the order the file names them.
    std::vector<std::string> names;
    std::map<std::string, std::unique_ptr<InterestRateTable>> tables;
    for (const BatchCommand& cmd : cmds) {
        const std::string name = BatchTableFileName(cmd.m_tableFile);
        auto it = tables.find(name);
        if (it == tables.end()) {
            auto t = std::make_unique<InterestRateTable>();
            t->SetTableName(name.substr(0, name.size() - 4));
            it = tables.emplace(name, std::move(t)).first;
            names.push_back(name);
        }
        if (!ApplyBatchCommand(it->second.get(), cmd, &lineError)) {
            *error = commandFile + ": " + lineError.Message();
            return 0;
        }
    }
    if (names.empty()) return 1;

    // Save them all into a scratch folder beside their destination, then
    // rename each into place: a failed save leaves every old file untouched.
    const std::string folder = outFolder.empty() ? FolderOf(commandFile) : outFolder;
    std::string scratch = folder + "/.buildtable-XXXXXX";
    if (mkdtemp(scratch.data()) == nullptr) {
        *error = "cannot create a scratch folder in " + folder + ": " + std::strerror(errno);
        return 0;
    }
    std::vector<std::string> saved;
    for (const std::string& name : names) {
        std::string path = scratch + "/" + name;
        if (!tables[name]->Save(path)) {
            RemoveScratch(scratch, saved);
            *error = "cannot write " + path;
            return 0;
        }
        saved.push_back(BaseName(path));
    }
    for (const std::string& file : saved) {
        const std::string target = folder + "/" + file;
        if (std::rename((scratch + "/" + file).c_str(), target.c_str()) != 0) {
            const int cause = errno;
            RemoveScratch(scratch, saved);
            *error = "cannot replace " + target + ": " + std::strerror(cause);
            return 0;
        }
        written->push_back(target);
    }
    rmdir(scratch.c_str());
    return 1;
}

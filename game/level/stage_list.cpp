// The stages found in the stages folders, each read and checked, for
// --list-stages and a list of stages to choose from.
#include <cstring>

#include "level/level.h"

namespace {

struct Scan {
    void (*found)(void* context, const StageEntry& entry);
    void* context;
    StageEntry entry;  // the one being read
};

void read_entry(void* context, const char* path) {
    Scan* scan = static_cast<Scan*>(context);
    StageEntry& e = scan->entry;
    std::memset(&e, 0, sizeof e);
    stage_file_stem(path, e.stem);
    const int n = std::snprintf(e.path, sizeof e.path, "%s", path);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof e.path) {
        // Never read a file by a name cut short: it would be another file.
        e.faults = 1;
        std::snprintf(e.fault.what, sizeof e.fault.what, "a path over %d bytes",
                      kStagePathSize - 1);
    } else {
        read_stage_quietly(path, &e.stage, &e.fault, &e.faults);
    }
    std::snprintf(e.name, sizeof e.name, "%s", e.stage.name[0] != '\0' ? e.stage.name : e.stem);
    e.hash = stage_hash(e.stage.codes);
    scan->found(scan->context, e);
}

void add_entry(void* context, const StageEntry& entry) {
    StageList* list = static_cast<StageList*>(context);
    if (list->count == kMaxListedStages) {
        ++list->unlisted;
        return;
    }
    StageEntry& e = list->entries[list->count++];
    e = entry;
    for (int k = 0; k + 1 < list->count && !e.shadowed; ++k)
        e.shadowed = std::strcmp(list->entries[k].stem, e.stem) == 0;
}

void print_entry(void* context, const StageEntry& e) {
    std::FILE* out = static_cast<std::FILE*>(context);
    std::fprintf(out, "%-16s ", e.stem);
    if (e.faults == 0)
        std::fprintf(out, "%s: valid%s%s", e.path, e.stage.name[0] ? ", " : "", e.stage.name);
    else
        print_stage_fault(out, e.path, e.fault.line, e.fault.column, e.fault.what);
    std::fputc('\n', out);
}

}  // namespace

void for_each_stage(const char* const* folders, int count,
                    void (*found)(void* context, const StageEntry& entry), void* context) {
    Scan scan;
    scan.found = found;
    scan.context = context;
    for (int i = 0; i < count; ++i)
        list_stage_folder(folders[i], read_entry, &scan);
}

void list_stages(const char* const* folders, int count, StageList* list) {
    list->count = list->unlisted = 0;
    for_each_stage(folders, count, add_entry, list);
}

int print_stage_list(const char* const* folders, int count, std::FILE* out) {
    for_each_stage(folders, count, print_entry, out);
    return std::fflush(out) == 0 ? 0 : 1;
}

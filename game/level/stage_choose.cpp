// Choosing the stage in play: from the command line or the settings file, or
// the one a demo was recorded on. Every refusal is one line.
#include <cstring>

#include "level/level.h"
#include "level/stage_local.h"

char stage_name[kStageNameSize];
char stage_stem[kStageNameSize] = "jungle";

namespace {

constexpr char kJungleStem[] = "jungle";

// The line's end for a stage refused: its fault count, and what happens now.
void end_refusal(std::FILE* err, const char* path, int faults, bool jungle) {
    if (faults > 1)
        std::fprintf(err, " (%d faults: vellin --check-stage %s lists them)", faults, path);
    std::fprintf(err, "%s\n", jungle ? "; playing the jungle" : "");
}

}  // namespace

void play_stage(const StageFile& stage, const char* stem) {
    use_stage(stage);
    std::snprintf(stage_stem, sizeof stage_stem, "%s", stem);
    std::snprintf(stage_name, sizeof stage_name, "%s", stage.name[0] ? stage.name : stem);
}

void play_jungle() {
    tile_layer = jungle_map0;
    std::snprintf(stage_stem, sizeof stage_stem, "%s", kJungleStem);
    stage_name[0] = '\0';
}

int choose_stage(const char* value, bool from_command_line, const char* const* folders, int count,
                 std::FILE* err) {
    play_jungle();
    if (value[0] == '\0')
        return -1;
    // From the settings file a stage that cannot be played leaves the jungle:
    // a game started from a desktop menu must open, and say why in one line.
    const bool jungle = !from_command_line;
    const int refused = from_command_line ? 1 : -1;
    const char* given = from_command_line ? "--stage" : "stage =";
    char path[kStagePathSize];
    if (names_stage_file(value)) {
        const int n = std::snprintf(path, sizeof path, "%s", value);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof path) {
            std::fprintf(err, "vellin: %s %s: a path over %d bytes", given, value,
                         kStagePathSize - 1);
            end_refusal(err, path, 1, jungle);
            return refused;
        }
    } else if (!find_stage(value, folders, count, path, sizeof path)) {
        std::fprintf(err, "vellin: %s %s: no stage of that name (vellin --list-stages)", given,
                     value);
        end_refusal(err, value, 1, jungle);
        return refused;
    }
    StageFile stage;
    StageFault fault;
    int faults;
    if (!read_stage_quietly(path, &stage, &fault, &faults)) {
        std::fprintf(err, "vellin: ");
        if (jungle && !names_stage_file(value))
            std::fprintf(err, "stage = %s: ", value);
        print_stage_fault(err, path, fault.line, fault.column, fault.what);
        end_refusal(err, path, faults, jungle);
        return refused;
    }
    char stem[kStageNameSize];
    stage_file_stem(path, stem);
    play_stage(stage, stem);
    return -1;
}

namespace {

void count_fault(void* context, int, int, const char*) {
    ++*static_cast<int*>(context);
}

}  // namespace

int choose_demo_stage(const char* demo_path, const char* name, std::uint32_t hash,
                      const int (*codes)[kMapColumns], const char* const* folders, int count,
                      std::FILE* err) {
    play_jungle();
    // The jungle recorded is the layer compiled in, as before there were stages.
    const bool jungle = std::strcmp(name, kJungleStem) == 0 &&
                        (codes != nullptr ? std::memcmp(codes, jungle_map0, sizeof jungle_map0) == 0
                                          : hash == stage_hash(jungle_map0));
    if (jungle || (codes == nullptr && name[0] == '\0'))
        return -1;
    if (codes != nullptr) {
        // The demo's own copy of its layer: untrusted bytes like a file's.
        int faults = 0;
        if (!check_stage_layer(codes, count_fault, &faults)) {
            std::fprintf(err,
                         "vellin: %s: the stage it carries breaks %d of the stage rules: not a "
                         "demo this game made\n",
                         demo_path, faults);
            return 1;
        }
        StageFile stage;
        std::memcpy(stage.codes, codes, sizeof stage.codes);
        cut_stage_name(reinterpret_cast<const unsigned char*>(name), std::strlen(name), stage.name);
        play_stage(stage, stage.name);
        return -1;
    }
    // Each folder in turn: a stage of one's own may take a shipped stage's
    // name, and the recording may have been made on either.
    char changed[kStagePathSize] = "";
    std::uint32_t changed_hash = 0;
    int changed_faults = 0;
    for (int i = 0; i < count; ++i) {
        char path[kStagePathSize];
        if (!find_stage(name, folders + i, 1, path, sizeof path))
            continue;
        StageFile stage;
        StageFault fault;
        int faults;
        const bool valid = read_stage_quietly(path, &stage, &fault, &faults);
        if (valid && stage_hash(stage.codes) == hash) {
            play_stage(stage, name);
            return -1;
        }
        if (changed[0] == '\0') {
            std::snprintf(changed, sizeof changed, "%s", path);
            changed_hash = stage_hash(stage.codes);
            changed_faults = faults;
        }
    }
    std::fprintf(err, "vellin: %s: needs the stage %s (hash %08x), ", demo_path, name, hash);
    if (changed[0] == '\0')
        std::fprintf(err, "not found in the stages folders (vellin --list-stages)\n");
    else if (changed_faults > 0)
        std::fprintf(err,
                     "which has changed since the recording: %s is not valid now (vellin "
                     "--check-stage %s)\n",
                     changed, changed);
    else
        std::fprintf(err, "which has changed since the recording: %s has hash %08x\n", changed,
                     changed_hash);
    return 1;
}

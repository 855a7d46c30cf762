// cModel: a skinned, animated, textured model read from a text model file.
// It owns its kpModel record (allocated zero-filled by Read, freed by Clear)
// and its xforms array (one BONEXFORM per bone). Position, rotation, scale and
// fallspeed are set by the game; the model's own operations never touch them.
#ifndef VELLIN_MODEL_H
#define VELLIN_MODEL_H

#include <kelpmodel.h>

// Receives what the reader dropped, cut, clamped or guessed: `line` is the
// file's 1-based line, `what` one sentence, valid only during the call. The
// game passes no sink; tools that check models do.
typedef void (*model_report)(void* context, int line, const char* what);

// Per-bone matrices, each 3x4 with the translation in column 3.
struct BONEXFORM {
    float relative[3][4];       // bind pose relative to the parent
    float absolute[3][4];       // bind pose in model space
    float relativeFinal[3][4];  // animated pose relative to the parent
    float final[3][4];          // animated pose in model space; drawing uses it
};

class cModel {
  public:
    kpModel* model;  // null while empty
    float mins[3];   // bounds of the positions as read
    float maxs[3];
    float pos[3];       // world position
    float rot[3];       // radians about x, y, z
    BONEXFORM* xforms;  // one per bone; null while empty
    float frame;        // current animation frame
    float scale;        // uniform draw scale
    float fallspeed;    // player's vertical speed, units per step, positive down
    unsigned int texture;

    cModel();
    virtual ~cModel();
    cModel(const cModel&) = delete;
    cModel& operator=(const cModel&) = delete;

    // Frees the bone array and the model store model; keeps placement.
    void Clear();
    // Reads a text model file; 0 when it cannot be opened (model untouched,
    // errno says why). With a sink, every liberty the reader takes is reported
    // to it, up to the line where reading stops; what is read does not depend
    // on the sink.
    int Read(const char* path, model_report report = nullptr, void* context = nullptr);
    // Moves bound vertices into bone space and sets the bind pose.
    void SetupBones();
    // Adds delta to frame (wrapping to 0 past the last frame) and poses every bone.
    void AdvanceFrame(float delta);
    void Draw() const;
    // Grounded and Extruded are defined in game/level (probes.cpp): they probe
    // the level's arrays, which lie a layer above the model.
    // 1 when standing on a platform or bridge (or while crouched), else 0.
    int Grounded() const;
    // Extrusion level under the probe point, or -1 off the grid.
    int Extruded() const;
};

// Index of bone `index`'s parent, or -1 for a root. A parent that is the bone
// itself or comes later in the list has no pose yet when the bone needs it,
// so such a bone is treated as a root.
int bone_parent(kpModel* model, int index);

// Where the last Read of a file that opened stopped early, as errno says why
// one did not open: the file's 1-based line and the reader's sentence, or
// line 0 when it read to the end of the file.
struct ReadStop {
    int line;
    char what[256];
    bool nothing;  // read to its end, the file held neither a mesh nor a bone
};
extern ReadStop read_stop;

// Loads an image file into a new texture (power-of-two, mipmapped); 0 when
// it cannot, after one line on stderr naming the file and the problem, and
// `named_at` ("MODEL:LINE", the model line that names the image) when given.
// Needs a current GL context; without one it returns 0 quietly.
unsigned load_texture(const char* file_name, const char* named_at = nullptr);

// The program that begins the lines below: "vellin" unless a tool names
// itself before reading a model.
extern const char* report_program;

// Writes "<program>: <file>: <problem>" to stderr, unless it repeats one of
// the last few lines (start-up reads the same files several times).
void report_data_file(const char* file, const char* problem);

// After a Read of `path`: when it stopped early, one line naming the file
// and the line where reading stopped (through report_data_file); when it
// held no model at all (an empty file), one line saying so.
void report_read_stop(const char* path);

#endif

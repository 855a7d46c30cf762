// Reporting for the model reader: formats what the reader says for the
// caller's sink, and once the whole file is read checks the references that
// need the whole model (vertex bones, mesh materials, bone parents, which
// material's texture is drawn). Without a sink it keeps only the report after
// which reading stops.
#ifndef VELLIN_MODEL_READ_REPORT_H
#define VELLIN_MODEL_READ_REPORT_H

#include <cstdarg>
#include <vector>

#include "model/model.h"

class ReadReport {
  public:
    ReadReport(model_report sink, void* context) : sink_(sink), context_(context) {}

    bool on() const { return sink_ != nullptr; }
    void Say(int line, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void SayV(int line, const char* format, va_list args) __attribute__((format(printf, 3, 0)));
    // The report after which reading stops, kept (the first one) for read_stop.
    void StopV(int line, const char* format, va_list args) __attribute__((format(printf, 3, 0)));
    // A number the store keeps in fewer bits than the file gave.
    void Kept(int line, const char* what, int read, int kept, const char* bits);
    // Text after the fields a line needs, which the reader ignores.
    void Rest(int line, const char* rest);
    // A whole number outside int's range, quoted from the file (`length`
    // characters at `number`): the line is ignored, or reading `stops` there.
    void OutOfRange(int line, const char* number, int length, bool stops);

    // Remembered for Finish.
    void VertexBone(int line, int bone);
    void MeshMaterial(int line, int material);
    void MaterialTexture(int line);
    void Bone(int name_line, int parent_line);
    void Finish(kpModel* model);

    // Where reading stopped (line 0: it did not) and why.
    int stop_line() const { return stop_line_; }
    const char* stop_what() const { return stop_what_; }

  private:
    struct Ref {
        int line;
        int index;
    };

    struct BoneLines {
        int name;
        int parent;
    };

    void Emit(int line, bool stops, const char* format, ...) __attribute__((format(printf, 4, 5)));
    void EmitV(int line, bool stops, const char* format, va_list args)
        __attribute__((format(printf, 4, 0)));

    model_report sink_;
    void* context_;
    int stop_line_ = 0;
    char stop_what_[sizeof read_stop.what] = {};
    std::vector<Ref> vertex_bones_;    // bound vertices: line, bone index as stored
    std::vector<Ref> mesh_materials_;  // meshes with a material: line, index as stored
    std::vector<int> texture_lines_;   // per material, its diffuse texture line
    std::vector<BoneLines> bones_;     // per bone
};

#endif

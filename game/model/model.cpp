// Placeholder until the model code lands.
#include "model/mathlib.h"
#include "model/model.h"
cModel::cModel() : model(nullptr), xforms(nullptr) {}
cModel::~cModel() {
    Clear();
}
void cModel::Clear() {}
int cModel::Read(const char*) {
    return 0;
}
void cModel::SetupBones() {}
void cModel::AdvanceFrame(float) {}
void cModel::Draw() const {}
int cModel::Grounded() const {
    return 0;
}
int cModel::Extruded() const {
    return -1;
}

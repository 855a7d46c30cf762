#include "model/model.h"

#include <cstdlib>

// Everything else lives in zero-initialised static storage; see Clear.
cModel::cModel() : model(nullptr), xforms(nullptr) {}

cModel::~cModel() {
    Clear();
}

void cModel::Clear() {
    if (xforms) {
        std::free(xforms);
        xforms = nullptr;
    }
    if (model) {
        kpModel_Destroy(model);
        std::free(model);
        model = nullptr;
    }
}

// A zero-filled model record, destroyed after each test, as callers hold one.
#ifndef KP_MODEL_FIXTURE_H
#define KP_MODEL_FIXTURE_H

#include <gtest/gtest.h>
#include <kelpmodel.h>

#include <cstring>

// Copies a field out of a packed record: gtest's assertions bind their
// arguments by reference, and a packed field may be misaligned.
template <class T>
T field(T value) {
    return value;
}

class ModelTest : public ::testing::Test {
  protected:
    kpModel model;
    void SetUp() override { std::memset(&model, 0, sizeof model); }
    void TearDown() override { kpModel_Destroy(&model); }
};

#endif

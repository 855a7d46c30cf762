// Vector, matrix and quaternion helpers on plain float arrays.
// Vectors float[3]; affine matrices float[3][4] (rotation in columns 0-2,
// translation in column 3); quaternions float[4] as (x, y, z, w); Euler angles
// applied x, then y, then z. Storage is float; trig and square roots are done
// in double. Outputs marked "no alias" must not share memory with an input.
// The level's mesh generators use these as well (through level.h's VERT
// helpers), so there is one vector library for the game.
#ifndef VELLIN_MATHLIB_H
#define VELLIN_MATHLIB_H

void CrossProduct(const float* a, const float* b, float* cross);  // no alias
float VectorNormalize(float* v);                                  // returns the old length
// Length formed in double and rounded to float.
float VectorLength(const float* v);
// Divides v by VectorLength(v) in float, where VectorNormalize divides by the
// unrounded length; the results can differ in the last bit. A zero vector is
// left alone.
void VectorUnit(float* v);
// (a - b) x (b - c) with every product and difference rounded to float (where
// CrossProduct works in double), then VectorUnit; zero for a degenerate
// triangle.
void TriangleNormal(const float* a, const float* b, const float* c, float* normal);  // no alias
void ClearBounds(float* mins, float* maxs);
void AddPointToBounds(const float* v, float* mins, float* maxs);
void R_ConcatTransforms(const float in1[3][4], const float in2[3][4], float out[3][4]);  // no alias
void VectorRotate(const float* in, const float m[3][4], float* out);                     // no alias
void VectorIRotate(const float* in, const float m[3][4], float* out);                    // no alias
void rotate(float* a, float* b, float angle);                                            // radians
// rotate with the angle's cosine and sine already taken (double precision).
void RotateBy(float* a, float* b, double c, double s);
void AngleMatrix(const float* angles, float matrix[3][4]);  // degrees
void AngleQuaternion(const float* angles, float* q);        // radians
void QuaternionMatrix(const float* q, float matrix[3][4]);
void QuaternionSlerp(const float* p, float* q, float t, float* qt);  // may negate q

#endif

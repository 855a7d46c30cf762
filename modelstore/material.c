/* A material: name, four colours (r, g, b, a), shininess, opacity and two
 * texture file names. `flags` and `reserved` stay zero. */
#include <string.h>

#include "kp_local.h"

void kpMaterial_SetName(kpMaterial* material, const char* name) {
    kp_name_set(material->name, KP_NAME_WIDTH, name);
}

void kpMaterial_GetName(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->name, KP_NAME_WIDTH, buffer, length);
}

void kpMaterial_SetAmbient(kpMaterial* material, const float color[4]) {
    memcpy(material->ambient, color, sizeof material->ambient);
}

void kpMaterial_GetAmbient(const kpMaterial* material, float color[4]) {
    memcpy(color, material->ambient, sizeof material->ambient);
}

void kpMaterial_SetDiffuse(kpMaterial* material, const float color[4]) {
    memcpy(material->diffuse, color, sizeof material->diffuse);
}

void kpMaterial_GetDiffuse(const kpMaterial* material, float color[4]) {
    memcpy(color, material->diffuse, sizeof material->diffuse);
}

void kpMaterial_SetSpecular(kpMaterial* material, const float color[4]) {
    memcpy(material->specular, color, sizeof material->specular);
}

void kpMaterial_GetSpecular(const kpMaterial* material, float color[4]) {
    memcpy(color, material->specular, sizeof material->specular);
}

void kpMaterial_SetEmissive(kpMaterial* material, const float color[4]) {
    memcpy(material->emissive, color, sizeof material->emissive);
}

void kpMaterial_GetEmissive(const kpMaterial* material, float color[4]) {
    memcpy(color, material->emissive, sizeof material->emissive);
}

void kpMaterial_SetShininess(kpMaterial* material, float shininess) {
    material->shininess = shininess;
}

float kpMaterial_GetShininess(const kpMaterial* material) {
    return material->shininess;
}

void kpMaterial_SetTransparency(kpMaterial* material, float transparency) {
    material->transparency = transparency;
}

float kpMaterial_GetTransparency(const kpMaterial* material) {
    return material->transparency;
}

void kpMaterial_SetDiffuseTexture(kpMaterial* material, const char* fileName) {
    kp_name_set(material->diffuseTexture, KP_FILE_NAME_WIDTH, fileName);
}

void kpMaterial_GetDiffuseTexture(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->diffuseTexture, KP_FILE_NAME_WIDTH, buffer, length);
}

void kpMaterial_SetAlphaTexture(kpMaterial* material, const char* fileName) {
    kp_name_set(material->alphaTexture, KP_FILE_NAME_WIDTH, fileName);
}

void kpMaterial_GetAlphaTexture(const kpMaterial* material, char* buffer, int length) {
    kp_name_get(material->alphaTexture, KP_FILE_NAME_WIDTH, buffer, length);
}

// Cube, Tetrahedron and the cube with two pyramids listed as "Dodecahedron".
#include "generators.h"
#include "outline.h"

namespace {

constexpr Vec3 V1{0.5f, 0.5f, 0.5f}, V2{-0.5f, 0.5f, 0.5f}, V3{-0.5f, -0.5f, 0.5f}, V4{0.5f, -0.5f, 0.5f};
constexpr Vec3 V5{0.5f, 0.5f, -0.5f}, V6{-0.5f, 0.5f, -0.5f}, V7{-0.5f, -0.5f, -0.5f}, V8{0.5f, -0.5f, -0.5f};
constexpr Vec3 North{0.001f, 0.001f, 1.0f}, South{0.001f, 0.001f, -1.0f};
constexpr Vec3 A{0.433f, 0.5f, -0.25f}, B{-0.433f, 0.5f, -0.25f}, C{0.01f, 0.5f, 0.5f}, D{0.01f, -0.5f, 0.01f};

void Triangle(Scene& s, Vec3 p1, Vec3 p2, Vec3 p3) {
    DrawTriangle(s.tools, p1.x, p1.y, p1.z, p2.x, p2.y, p2.z, p3.x, p3.y, p3.z, s.view.AngleX, s.view.AngleY,
                 s.view.AngleZ);
}

void Quad(Scene& s, Vec3 p1, Vec3 p2, Vec3 p3, Vec3 p4) {
    DrawQuad(s.tools, p1.x, p1.y, p1.z, p2.x, p2.y, p2.z, p3.x, p3.y, p3.z, p4.x, p4.y, p4.z, s.view.AngleX,
             s.view.AngleY, s.view.AngleZ);
}

}  // namespace

void DrawCube(Scene& scene) {
    Quad(scene, V1, V2, V3, V4);
    Quad(scene, V5, V6, V7, V8);
    Quad(scene, V1, V4, V8, V5);
    Quad(scene, V2, V3, V7, V6);
}

void DrawTetrahedron(Scene& scene) {
    Triangle(scene, A, B, C);
    Triangle(scene, D, B, C);
    Triangle(scene, A, D, C);
}

void DrawDodecahedron(Scene& scene) {
    DrawCube(scene);
    Triangle(scene, V1, V2, North);
    Triangle(scene, V3, V4, North);
    Triangle(scene, V2, V3, North);
    Triangle(scene, V5, V6, South);
    Triangle(scene, V7, V8, South);
    Triangle(scene, V6, V7, South);
}

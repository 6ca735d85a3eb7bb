#include "renderer/particle_field.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

// State is single precision; arithmetic on it is done in double and rounded
// back to float at each stored step, so that every platform computes the same
// field from the same seed.

namespace {

constexpr float kHalfSize = 0.05f;
constexpr float kResetLife = 200.0f;
constexpr float kStartOffset = 0.3f;
constexpr double kSpinStep = 0.02;
constexpr double kSpinOffset = 0.001;
constexpr double kColourStep = 0.01;
constexpr double kTrailBrightnessStep = 0.3;

// One start coordinate: 0.3 or 1.3, negated four times in ten.
float RandomStartCoordinate() {
    float v = static_cast<float>(std::rand() % 2) + kStartOffset;
    if (std::rand() % 10 > 5) v = -v;
    return v;
}

float RandomSpin() { return static_cast<float>((std::rand() % 3) * kSpinStep + kSpinOffset); }

float RandomColour() { return static_cast<float>((std::rand() % 100) * kColourStep); }

// Rotates the point (a, b) by `angle`: a' = a cos - b sin, b' = a sin + b cos.
void Rotate(float& a, float& b, float angle) {
    const double c = std::cos(static_cast<double>(angle));
    const double s = std::sin(static_cast<double>(angle));
    const float newA = static_cast<float>(a * c - b * s);
    const float newB = static_cast<float>(a * s + b * c);
    a = newA;
    b = newB;
}

}  // namespace

Particle particles[kParticleCount];

Particle::Particle() : x(0), y(0), z(0), spinX(0), spinY(0), spinZ(0), life(0) {}

Particle::~Particle() {}

void InitParticles() {
    for (int i = 0; i < kParticleCount; ++i) ResetParticle(i, true);
}

void ResetParticle(int index, bool placeAnew) {
    Particle& p = particles[index];
    p.life = kResetLife;
    if (placeAnew) {
        p.x = RandomStartCoordinate();
        p.y = RandomStartCoordinate();
        p.z = RandomStartCoordinate();
    }
    p.spinX = RandomSpin();
    p.spinY = RandomSpin();
    p.spinZ = RandomSpin();
    p.red = RandomColour();
    p.green = RandomColour();
    p.blue = RandomColour();
}

void UpdateParticles() {
    for (int i = 0; i < kParticleCount; ++i) {
        Particle& p = particles[i];

        // The newest point goes into slot 0 before the shift, so slots 0 and
        // 1 always hold the same point after an update.
        p.trailX[0] = p.x;
        p.trailY[0] = p.y;
        p.trailZ[0] = p.z;
        for (int j = kTrailLength - 1; j >= 1; --j) {
            p.trailX[j] = p.trailX[j - 1];
            p.trailY[j] = p.trailY[j - 1];
            p.trailZ[j] = p.trailZ[j - 1];
        }

        Rotate(p.x, p.z, p.spinY);  // about y: x' = x cos - z sin, z' = x sin + z cos
        Rotate(p.y, p.z, p.spinX);  // about x: y' = y cos - z' sin, z'' = y sin + z' cos
        Rotate(p.x, p.y, p.spinZ);  // about z: x'' = x' cos - y' sin, y'' = x' sin + y' cos

        // Not greater than zero also catches a NaN life.
        if (!(p.life > 0)) ResetParticle(i, false);
        p.life = static_cast<float>(p.life - 1.0);
    }
}

void DrawParticles() {
    for (int i = 0; i < kParticleCount; ++i) {
        const Particle& p = particles[i];
        glBegin(GL_TRIANGLES);
        glColor3f(p.red, p.green, p.blue);
        DrawQuad(p.x, p.y, p.z);
        for (int j = 0; j < kTrailLength; ++j) {
            // Slot 0 is black; from slot 4 on the factor exceeds 1 and GL
            // clamps the colour.
            const float f = static_cast<float>(j * kTrailBrightnessStep);
            glColor3f(f * p.red, f * p.green, f * p.blue);
            DrawQuad(p.trailX[j], p.trailY[j], p.trailZ[j]);
        }
        glEnd();
    }
}

void DrawQuad(float x, float y, float z) {
    const float left = x - kHalfSize, right = x + kHalfSize;
    const float bottom = y - kHalfSize, top = y + kHalfSize;
    glTexCoord2d(0, 0);
    glVertex3f(left, bottom, z);
    glTexCoord2d(1, 0);
    glVertex3f(right, bottom, z);
    glTexCoord2d(1, 1);
    glVertex3f(right, top, z);
    glTexCoord2d(1, 1);
    glVertex3f(right, top, z);
    glTexCoord2d(0, 1);
    glVertex3f(left, top, z);
    glTexCoord2d(0, 0);
    glVertex3f(left, bottom, z);
}

#pragma once

// The animation: 300 glowing sprites circling the origin, each with a trail
// of its ten earlier positions. All randomness comes from rand(); the caller
// seeds it once before InitParticles.

constexpr int kParticleCount = 300;
constexpr int kTrailLength = 10;

class Particle {
public:
    Particle();
    virtual ~Particle();

    float red, green, blue;      // base colour, multiples of 0.01 in 0.00..0.99
    float x, y, z;               // current position
    float trailX[kTrailLength];  // slot 0 is the newest point
    float trailY[kTrailLength];
    float trailZ[kTrailLength];
    float spinX, spinY, spinZ;  // radians per update about each axis
    float life;                 // updates left until the next re-colouring
};

extern Particle particles[kParticleCount];

// Resets every particle with a new start position, in index order.
void InitParticles();
// New life, spin and colour for one particle; with placeAnew also a new start
// position.
void ResetParticle(int index, bool placeAnew);
// Advances every particle by one frame.
void UpdateParticles();
// Emits every particle and its trail as textured squares.
void DrawParticles();
// Emits one textured square centred on (x, y, z); call between
// glBegin(GL_TRIANGLES) and glEnd().
void DrawQuad(float x, float y, float z);

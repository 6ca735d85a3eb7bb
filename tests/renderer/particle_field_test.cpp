#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <vector>

#include "gl_recorder.h"
#include "renderer/particle_field.h"

// rand() as the field sees it: scripted values first, then a fixed generator.
// The definition here takes the place of the C library's for this program.
namespace {
std::deque<int> scripted;
unsigned fallbackState = 1;
int randCalls = 0;
}  // namespace

extern "C" int rand() {
    ++randCalls;
    if (!scripted.empty()) {
        const int v = scripted.front();
        scripted.pop_front();
        return v;
    }
    fallbackState = fallbackState * 1103515245u + 12345u;
    return static_cast<int>((fallbackState >> 16) & 0x7fff);
}

namespace {

void Script(std::initializer_list<int> values) { scripted.assign(values); }

// The particles as the program starts with them, noted before any case runs
// (and changes them), so that the cases may run in any order.
class StartingField : public ::testing::Environment {
public:
    void SetUp() override { field.assign(particles, particles + kParticleCount); }
    static inline std::vector<Particle> field;
};
[[maybe_unused]] ::testing::Environment* const startingField =
    ::testing::AddGlobalTestEnvironment(new StartingField);

// A particle at a known place with known spins, trail at the origin.
void Place(Particle& p, float x, float y, float z, float sx, float sy, float sz) {
    p = Particle();
    p.x = x, p.y = y, p.z = z;
    p.spinX = sx, p.spinY = sy, p.spinZ = sz;
    p.life = 200.0f;
    for (int j = 0; j < kTrailLength; ++j) p.trailX[j] = p.trailY[j] = p.trailZ[j] = 0;
}

double Radius(const Particle& p) {
    return std::sqrt(double(p.x) * p.x + double(p.y) * p.y + double(p.z) * p.z);
}

}  // namespace

// The static array is all zero before anything touches it.
TEST(ParticleField, StaticArrayStartsAtZero) {
    ASSERT_EQ(StartingField::field.size(), size_t(kParticleCount));
    for (const Particle& p : StartingField::field) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.life, 0.0f);
        EXPECT_EQ(p.red, 0.0f);
        for (int j = 0; j < kTrailLength; ++j) {
            EXPECT_EQ(p.trailX[j], 0.0f);
            EXPECT_EQ(p.trailZ[j], 0.0f);
        }
    }
}

TEST(ParticleField, ResetTakesRandomNumbersInFixedOrder) {
    // x: 1 -> 1.3, 7 > 5 -> negated; y: 0 -> 0.3, 5 -> kept; z: 1, 6 -> -1.3;
    // spins x, y, z from 2, 0, 1; colours from 55, 0, 99 (and 100 % 100 = 0).
    Script({1, 7, 0, 5, 3, 6, 2, 0, 4, 55, 100, 32767});
    ResetParticle(7, true);
    const Particle& p = particles[7];
    EXPECT_EQ(p.life, 200.0f);
    EXPECT_EQ(p.x, -1.3f);
    EXPECT_EQ(p.y, 0.3f);
    EXPECT_EQ(p.z, -1.3f);
    EXPECT_EQ(p.spinX, 0.041f);
    EXPECT_EQ(p.spinY, 0.001f);
    EXPECT_EQ(p.spinZ, 0.021f);
    EXPECT_EQ(p.red, 0.55f);
    EXPECT_EQ(p.green, 0.0f);
    EXPECT_EQ(p.blue, 0.67f);
    EXPECT_TRUE(scripted.empty());
}

TEST(ParticleField, ResetWithoutPlacingKeepsPositionAndTrail) {
    Particle& p = particles[3];
    Place(p, 0.5f, -0.25f, 2.0f, 0, 0, 0);
    p.trailY[4] = 9.0f;
    p.life = -3.0f;
    Script({1, 2, 0, 99, 1, 50});
    randCalls = 0;
    ResetParticle(3, false);
    EXPECT_EQ(randCalls, 6);  // three spins and three colours, no position
    EXPECT_EQ(p.x, 0.5f);
    EXPECT_EQ(p.y, -0.25f);
    EXPECT_EQ(p.z, 2.0f);
    EXPECT_EQ(p.trailY[4], 9.0f);
    EXPECT_EQ(p.spinX, 0.021f);
    EXPECT_EQ(p.spinY, 0.041f);
    EXPECT_EQ(p.spinZ, 0.001f);
    EXPECT_EQ(p.red, 0.99f);
    EXPECT_EQ(p.green, 0.01f);
    EXPECT_EQ(p.blue, 0.5f);
    EXPECT_EQ(p.life, 200.0f);
}

TEST(ParticleField, InitPlacesEveryParticleOnTheCornersOfTwoCubes) {
    srand(1);
    InitParticles();
    int seenSmall = 0, seenLarge = 0;
    for (const Particle& p : particles) {
        for (float c : {p.x, p.y, p.z}) {
            const float m = std::fabs(c);
            EXPECT_TRUE(m == 0.3f || m == 1.3f) << c;
            (m == 0.3f ? seenSmall : seenLarge)++;
        }
        for (float s : {p.spinX, p.spinY, p.spinZ})
            EXPECT_TRUE(s == 0.001f || s == 0.021f || s == 0.041f) << s;
        for (float c : {p.red, p.green, p.blue}) {
            EXPECT_GE(c, 0.0f);
            EXPECT_LE(c, 0.99f);
            EXPECT_NEAR(c * 100, std::round(c * 100), 1e-4);
        }
        EXPECT_EQ(p.life, 200.0f);
    }
    EXPECT_GT(seenSmall, 0);
    EXPECT_GT(seenLarge, 0);
}

TEST(ParticleField, SameSequenceGivesSameField) {
    fallbackState = 99;
    InitParticles();
    Particle first[kParticleCount];
    for (int i = 0; i < kParticleCount; ++i) first[i] = particles[i];
    fallbackState = 99;
    InitParticles();
    for (int i = 0; i < kParticleCount; ++i) {
        EXPECT_EQ(particles[i].x, first[i].x);
        EXPECT_EQ(particles[i].spinZ, first[i].spinZ);
        EXPECT_EQ(particles[i].blue, first[i].blue);
    }
}

// The three rotations against the composed rotation matrix Rz(c) Rx(a) Ry(b),
// worked out in long double.
TEST(ParticleField, UpdateRotatesAboutYThenXThenZ) {
    struct Case {
        float x, y, z, spinX, spinY, spinZ;
    } cases[] = {
        {1.3f, 0.3f, -1.3f, 0.041f, 0.001f, 0.021f}, {-0.3f, -0.3f, 0.3f, 0.001f, 0.041f, 0.041f},
        {1.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f},        {0.0f, 1.0f, 0.0f, 0.25f, 0.0f, 0.0f},
        {0.0f, 1.0f, 2.0f, 0.0f, 0.0f, -0.7f},
    };
    for (const Case& c : cases) {
        Particle& p = particles[0];
        Place(p, c.x, c.y, c.z, c.spinX, c.spinY, c.spinZ);
        UpdateParticles();
        const long double cy = std::cos((long double)c.spinY), sy = std::sin((long double)c.spinY);
        const long double cx = std::cos((long double)c.spinX), sx = std::sin((long double)c.spinX);
        const long double cz = std::cos((long double)c.spinZ), sz = std::sin((long double)c.spinZ);
        // Ry: x1 = x cy - z sy, z1 = x sy + z cy
        const long double x1 = c.x * cy - c.z * sy, z1 = c.x * sy + c.z * cy;
        // Rx: y1 = y cx - z1 sx, z2 = y sx + z1 cx
        const long double y1 = c.y * cx - z1 * sx, z2 = c.y * sx + z1 * cx;
        // Rz: x2 = x1 cz - y1 sz, y2 = x1 sz + y1 cz
        const long double x2 = x1 * cz - y1 * sz, y2 = x1 * sz + y1 * cz;
        EXPECT_NEAR(p.x, (double)x2, 1e-6);
        EXPECT_NEAR(p.y, (double)y2, 1e-6);
        EXPECT_NEAR(p.z, (double)z2, 1e-6);
    }
}

TEST(ParticleField, UpdateRoundsToFloatAfterEachRotation) {
    // About y by 0.5 from (1, 0, 0): x and z are cos and sin of the float
    // 0.5 rounded to float; the zero spins about x and z leave them alone.
    Particle& p = particles[0];
    Place(p, 1.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f);
    UpdateParticles();
    EXPECT_EQ(p.x, static_cast<float>(std::cos(0.5)));
    EXPECT_EQ(p.z, static_cast<float>(std::sin(0.5)));
    EXPECT_EQ(p.y, 0.0f);
}

TEST(ParticleField, DistanceFromCentreHoldsOverLongRuns) {
    srand(7);
    InitParticles();
    double start[kParticleCount];
    for (int i = 0; i < kParticleCount; ++i) start[i] = Radius(particles[i]);
    for (int frame = 0; frame < 2000; ++frame) UpdateParticles();
    for (int i = 0; i < kParticleCount; ++i) {
        const double r = start[i];
        EXPECT_TRUE(std::fabs(r - 0.5196) < 1e-3 || std::fabs(r - 1.3682) < 1e-3 ||
                    std::fabs(r - 1.8629) < 1e-3 || std::fabs(r - 2.2517) < 1e-3)
            << r;
        EXPECT_NEAR(Radius(particles[i]), r, 1e-3);
    }
}

TEST(ParticleField, TrailStoresBeforeShifting) {
    Particle& p = particles[5];
    Place(p, 1.3f, 0.3f, 0.3f, 0.041f, 0.041f, 0.041f);
    float xs[10], ys[10], zs[10];  // position before each update
    for (int n = 1; n <= 10; ++n) {
        xs[n - 1] = p.x, ys[n - 1] = p.y, zs[n - 1] = p.z;
        UpdateParticles();
        if (n > 8) continue;
        // Slots 0 and 1 hold the position from before the n-th update ...
        EXPECT_EQ(p.trailX[0], xs[n - 1]);
        EXPECT_EQ(p.trailX[1], xs[n - 1]);
        EXPECT_EQ(p.trailZ[1], zs[n - 1]);
        // ... slots 2..n the earlier ones, newest first, the rest the origin.
        for (int j = 2; j <= n; ++j) {
            EXPECT_EQ(p.trailX[j], xs[n - j]) << "n " << n << " slot " << j;
            EXPECT_EQ(p.trailY[j], ys[n - j]) << "n " << n << " slot " << j;
        }
        for (int j = n + 1; j < kTrailLength; ++j) EXPECT_EQ(p.trailX[j], 0.0f);
    }
    // Full after ten updates: the start point has dropped out of slot 9.
    EXPECT_EQ(p.trailX[9], xs[1]);
    EXPECT_EQ(p.trailX[8], xs[2]);
    EXPECT_EQ(p.trailX[0], xs[9]);
}

TEST(ParticleField, EveryoneIsRecolouredTogetherEvery200Updates) {
    srand(3);
    InitParticles();
    const Particle before = particles[42];
    for (int n = 0; n < 200; ++n) UpdateParticles();
    EXPECT_EQ(particles[42].red, before.red);
    EXPECT_EQ(particles[42].spinX, before.spinX);
    EXPECT_EQ(particles[42].life, 0.0f);

    // The 201st update renews colour and spin after moving with the old spin.
    Script({});
    for (int i = 0; i < kParticleCount; ++i)
        for (int k : {0, 0, 0, 10, 20, 30}) scripted.push_back(k);
    const float xBefore = particles[42].x;
    UpdateParticles();
    EXPECT_TRUE(scripted.empty());
    for (const Particle& p : particles) {
        EXPECT_EQ(p.spinX, 0.001f);
        EXPECT_EQ(p.red, 0.1f);
        EXPECT_EQ(p.green, 0.2f);
        EXPECT_EQ(p.blue, 0.3f);
        EXPECT_EQ(p.life, 199.0f);
    }
    EXPECT_EQ(particles[42].trailX[0], xBefore);
}

TEST(ParticleField, NanOrNegativeLifeResetsAtOnce) {
    for (float life : {std::nanf(""), -5.0f, 0.0f}) {
        Particle& p = particles[9];
        Place(p, 0.3f, 0.3f, 0.3f, 0.001f, 0.001f, 0.001f);
        for (int i = 0; i < kParticleCount; ++i) particles[i].life = 50.0f;
        p.life = life;
        randCalls = 0;
        UpdateParticles();
        EXPECT_EQ(randCalls, 6);
        EXPECT_EQ(p.life, 199.0f);
    }
}

namespace {

struct Frame {
    std::vector<GlCall> calls;
};

Frame RecordDraw() {
    RecordedGlCalls().clear();
    DrawParticles();
    return {RecordedGlCalls()};
}

}  // namespace

TEST(ParticleDrawing, OneTrianglePairPerSpriteInOneBeginEndPerParticle) {
    srand(11);
    InitParticles();
    const Frame f = RecordDraw();
    constexpr size_t kPerParticle = 1 + 11 * (1 + 6 * 2) + 1;
    ASSERT_EQ(f.calls.size(), kParticleCount * kPerParticle);
    for (int i = 0; i < kParticleCount; ++i) {
        const GlCall* c = &f.calls[i * kPerParticle];
        ASSERT_EQ(c[0].kind, GlCall::Begin);
        EXPECT_EQ(c[0].mode, unsigned(GL_TRIANGLES));
        for (size_t k = 1; k + 1 < kPerParticle; ++k) EXPECT_NE(c[k].kind, GlCall::Begin);
        EXPECT_EQ(c[kPerParticle - 1].kind, GlCall::End);
    }
}

TEST(ParticleDrawing, HeadThenTrailFromNewestWithRisingBrightness) {
    Particle& p = particles[0];
    Place(p, 1.3f, -0.3f, 0.3f, 0.041f, 0.041f, 0.041f);
    p.red = 0.99f, p.green = 0.0f, p.blue = 0.5f;
    for (int j = 0; j < kTrailLength; ++j)
        p.trailX[j] = 0.1f * j, p.trailY[j] = -0.1f * j, p.trailZ[j] = j;
    const Frame f = RecordDraw();
    const GlCall* c = &f.calls[1];
    const float factors[kTrailLength] = {0.0f, 0.3f, 0.6f, 0.9f, 1.2f,
                                         1.5f, 1.8f, 2.1f, 2.4f, 2.7f};
    for (int sprite = 0; sprite < 11; ++sprite, c += 13) {
        ASSERT_EQ(c[0].kind, GlCall::Color3f);
        const float fct = sprite == 0 ? 1.0f : factors[sprite - 1];
        EXPECT_FLOAT_EQ(float(c[0].a), fct * 0.99f) << sprite;  // unclamped: 2.673 at the end
        EXPECT_EQ(c[0].b, 0.0);  // a channel of 0 stays black all along
        EXPECT_FLOAT_EQ(float(c[0].c), fct * 0.5f);
        const float cx = sprite == 0 ? 1.3f : p.trailX[sprite - 1];
        const float cz = sprite == 0 ? 0.3f : p.trailZ[sprite - 1];
        ASSERT_EQ(c[2].kind, GlCall::Vertex3f);
        EXPECT_FLOAT_EQ(float(c[2].a), cx - 0.05f);
        EXPECT_EQ(float(c[2].c), cz);
    }
    EXPECT_GT(float(f.calls[1 + 5 * 13].a), 1.0f);  // slot 4 saturates with 0.99
    EXPECT_EQ(f.calls[1 + 13].a, 0.0);              // slot 0 is black
}

TEST(ParticleDrawing, QuadIsTwoTrianglesWithUprightTextureCoordinates) {
    RecordedGlCalls().clear();
    DrawQuad(1.0f, 2.0f, -3.0f);
    const auto& c = RecordedGlCalls();
    ASSERT_EQ(c.size(), 12u);
    const struct {
        double s, t;
        float x, y;
    } expected[6] = {
        {0, 0, 0.95f, 1.95f}, {1, 0, 1.05f, 1.95f}, {1, 1, 1.05f, 2.05f},
        {1, 1, 1.05f, 2.05f}, {0, 1, 0.95f, 2.05f}, {0, 0, 0.95f, 1.95f},
    };
    for (int v = 0; v < 6; ++v) {
        ASSERT_EQ(c[2 * v].kind, GlCall::TexCoord2d);
        EXPECT_EQ(c[2 * v].a, expected[v].s);
        EXPECT_EQ(c[2 * v].b, expected[v].t);
        ASSERT_EQ(c[2 * v + 1].kind, GlCall::Vertex3f);
        EXPECT_EQ(float(c[2 * v + 1].a), expected[v].x) << v;
        EXPECT_EQ(float(c[2 * v + 1].b), expected[v].y) << v;
        EXPECT_EQ(float(c[2 * v + 1].c), -3.0f);
    }
}

TEST(ParticleDrawing, FreshTrailsGlowAtTheCentre) {
    // Before the trails fill, their unused slots lie at the origin.
    srand(5);
    for (Particle& p : particles)
        for (int j = 0; j < kTrailLength; ++j) p.trailX[j] = p.trailY[j] = p.trailZ[j] = 0;
    InitParticles();
    for (int n = 0; n < 3; ++n) UpdateParticles();
    const Frame f = RecordDraw();
    int atCentre = 0;
    for (size_t k = 0; k + 1 < f.calls.size(); ++k)
        if (f.calls[k].kind == GlCall::Vertex3f && f.calls[k].a == -0.05f &&
            f.calls[k].b == -0.05f && f.calls[k].c == 0.0)
            ++atCentre;
    EXPECT_EQ(atCentre, kParticleCount * 6 * 2);  // slots 4..9, two corner vertices each
}

// The renderer's window, GL set-up and frame under the recording GL. The
// pictures of the end-to-end tests can't tell these apart from their faults:
// a blend that is not additive, the camera's offset in the modelview matrix,
// a texture stored or filtered otherwise, a frame drawn after its update.
// The glow bitmap is read from its real, fixed path (EXCLUSIVE).
#include <gtest/gtest.h>

#include <GL/glut.h>  // freeglut's constants; its functions are the recorder's
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "gl_recorder.h"
#include "host/resources/glow_texture.h"
#include "renderer/gl_extensions.h"
#include "renderer/particle_field.h"
#include "renderer/renderer_program.h"
#include "shared/program_contract.h"

namespace {

// ---- What a run of GL calls leaves GL with --------------------------------

using Matrix = std::array<double, 16>;  // column by column, as GL keeps it

Matrix Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) m[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
        }
    }
    return m;
}

// gluPerspective's and glTranslatef's matrices, as their manual pages give them.
Matrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovy * M_PI / 360.0);
    return {f / aspect,
            0,
            0,
            0,
            0,
            f,
            0,
            0,
            0,
            0,
            (zFar + zNear) / (zNear - zFar),
            -1,
            0,
            0,
            2 * zFar * zNear / (zNear - zFar),
            0};
}

Matrix TranslationMatrix(double x, double y, double z) {
    Matrix m = Identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

struct GlState {
    std::set<unsigned> enabled;
    unsigned blendSource = GL_ONE, blendDestination = GL_ZERO;  // GL's defaults
    unsigned matrixMode = GL_MODELVIEW;
    Matrix projection = Identity(), modelview = Identity();
    unsigned boundTexture = 0;
    unsigned minFilter = GL_NEAREST_MIPMAP_LINEAR, magFilter = GL_LINEAR;
    double unpackAlignment = 4;
    std::vector<GlCall> images;
    unsigned shadeModel = GL_SMOOTH;
    std::array<double, 4> clearColour{};
};

GlState Replay(const std::vector<GlCall>& calls) {
    GlState s;
    auto current = [&s]() -> Matrix& {
        return s.matrixMode == GL_PROJECTION ? s.projection : s.modelview;
    };
    for (const GlCall& call : calls) {
        switch (call.kind) {
            case GlCall::Enable:
                s.enabled.insert(call.mode);
                break;
            case GlCall::BlendFunc:
                s.blendSource = call.mode, s.blendDestination = call.e1;
                break;
            case GlCall::MatrixMode:
                s.matrixMode = call.mode;
                break;
            case GlCall::LoadIdentity:
                current() = Identity();
                break;
            case GlCall::Perspective:
                current() = Multiply(current(), PerspectiveMatrix(call.a, call.b, call.c, call.d));
                break;
            case GlCall::Translatef:
                current() = Multiply(current(), TranslationMatrix(call.a, call.b, call.c));
                break;
            case GlCall::BindTexture:
                s.boundTexture = call.e1;
                break;
            case GlCall::TexParameteri:
                if (call.e1 == GL_TEXTURE_MIN_FILTER) s.minFilter = call.e2;
                if (call.e1 == GL_TEXTURE_MAG_FILTER) s.magFilter = call.e2;
                break;
            case GlCall::PixelStorei:
                if (call.mode == GL_UNPACK_ALIGNMENT) s.unpackAlignment = call.a;
                break;
            case GlCall::TexImage2D:
                s.images.push_back(call);
                break;
            case GlCall::ShadeModel:
                s.shadeModel = call.mode;
                break;
            case GlCall::ClearColor:
                s.clearColour = {call.a, call.b, call.c, call.d};
                break;
            default:
                break;
        }
    }
    return s;
}

void ExpectMatrix(const Matrix& got, const Matrix& expected, const char* name) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(got[i], expected[i], 1e-6) << name << " column " << i / 4 << " row " << i % 4;
    }
}

// ---- The fixed bitmap path ------------------------------------------------

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class RendererProgram : public ::testing::Test {
protected:
    void TearDown() override { std::remove(kGlowBitmapPath); }

    static void WriteBitmap(const std::vector<unsigned char>& bytes) {
        mkdir(kGlowBitmapFolder, 0755);
        std::ofstream file(kGlowBitmapPath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        ASSERT_TRUE(file.flush()) << kGlowBitmapPath;
    }

    static std::vector<unsigned char> TestBitmap(const std::string& name) {
        const char* source = std::getenv("GLINTRA_SOURCE_DIR");
        return ReadFile(std::string(source != nullptr ? source : ".") + "/tests/renderer/bitmaps/" +
                        name);
    }

    static GlState InitGLState() {
        RecordedGlCalls().clear();
        InitGL();
        return Replay(RecordedGlCalls());
    }
};

// Full screen, no cursor, then vsync and the window above always-on-top
// windows, which both need the window.
TEST_F(RendererProgram, OpensItsFullScreenWindowWithoutCursor) {
    int argc = 1;
    char name[] = "Glintra";
    char* argv[] = {name, nullptr};
    RecordedGlCalls().clear();
    CreateRendererWindow(&argc, argv);
    const std::vector<GlCall>& c = RecordedGlCalls();
    ASSERT_EQ(c.size(), 8u);
    // The first size is given before GLUT starts, as GLUT allows.
    EXPECT_EQ(c[0].kind, GlCall::InitWindowSize);
    EXPECT_EQ(c[0].a, 1024);
    EXPECT_EQ(c[0].b, 768);
    EXPECT_EQ(c[1].kind, GlCall::Init);
    EXPECT_EQ(c[2].kind, GlCall::InitDisplayMode);
    EXPECT_EQ(c[2].mode, unsigned(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH));
    EXPECT_EQ(c[3].kind, GlCall::CreateWindow);
    EXPECT_EQ(c[3].text, kRendererWindowTitle);
    EXPECT_EQ(c[4].kind, GlCall::FullScreen);
    EXPECT_EQ(c[5].kind, GlCall::SetCursor);
    EXPECT_EQ(c[5].mode, unsigned(GLUT_CURSOR_NONE));
    EXPECT_EQ(c[6].kind, GlCall::RequestVsync);
    EXPECT_EQ(c[7].kind, GlCall::KeepWindowAboveOthers);
}

// Additive blending of the textured sprites, the camera 5 units back from
// the field's centre in the projection (with an aspect of 1 whatever the
// window), the glow as the default texture object, linearly filtered.
TEST_F(RendererProgram, SetsUpBlendingProjectionAndTheGlowTexture) {
    const std::vector<unsigned char> glow = MakeGlowBitmapFile();
    WriteBitmap(glow);
    const GlState s = InitGLState();

    EXPECT_EQ(s.enabled, (std::set<unsigned>{GL_TEXTURE_2D, GL_BLEND}))
        << "no depth test, lighting or culling either";
    EXPECT_EQ(s.blendSource, unsigned(GL_SRC_ALPHA));
    EXPECT_EQ(s.blendDestination, unsigned(GL_ONE)) << "the sprites' light does not add up";

    ExpectMatrix(s.projection,
                 Multiply(PerspectiveMatrix(45, 1, 0.1, 100), TranslationMatrix(0, 0, -5)),
                 "projection");
    ExpectMatrix(s.modelview, Identity(), "modelview (never touched)");

    EXPECT_EQ(s.boundTexture, 0u) << "the default texture object";
    // No mipmaps are made: a minifying filter that needs them would leave
    // the texture incomplete, and nothing would be drawn.
    EXPECT_EQ(s.minFilter, unsigned(GL_LINEAR));
    EXPECT_EQ(s.magFilter, unsigned(GL_LINEAR));
    ASSERT_EQ(s.images.size(), 1u);
    const GlCall& image = s.images[0];
    EXPECT_EQ(image.mode, unsigned(GL_TEXTURE_2D));
    EXPECT_EQ(image.a, 0) << "level";
    EXPECT_EQ(image.e1, 3u) << "internal format: three components";
    EXPECT_EQ(image.b, 32);
    EXPECT_EQ(image.c, 32);
    EXPECT_EQ(image.d, 0) << "border";
    EXPECT_EQ(image.e2, unsigned(GL_RGB));
    EXPECT_EQ(image.e3, unsigned(GL_UNSIGNED_BYTE));
    // The file's pixels, bottom row first as in the file, red, green, blue.
    std::vector<unsigned char> rgb;
    for (size_t i = 54; i + 2 < glow.size(); i += 3)
        rgb.insert(rgb.end(), {glow[i + 2], glow[i + 1], glow[i]});
    EXPECT_TRUE(image.pixels == rgb) << "not the bitmap's pixels";

    EXPECT_EQ(s.shadeModel, unsigned(GL_SMOOTH));
    EXPECT_EQ(s.clearColour, (std::array<double, 4>{0, 0, 0, 1})) << "not opaque black";
}

// The loader's rows are tightly packed: GL must read them so, whatever the
// width (a row of 3 pixels is 9 bytes).
TEST_F(RendererProgram, ReadsRowsOfAnyWidthTightlyPacked) {
    WriteBitmap(TestBitmap("rgb24_3x2.bmp"));
    const GlState s = InitGLState();
    ASSERT_EQ(s.images.size(), 1u);
    EXPECT_EQ(s.images[0].b, 3);
    EXPECT_EQ(std::fmod(3 * 3, s.unpackAlignment), 0) << "unpack alignment " << s.unpackAlignment;
    EXPECT_TRUE(s.images[0].pixels == TestBitmap("rgb24_3x2.rgb"));
}

// One frame: cleared, the field drawn as it was, then advanced by one
// update, then shown (the update is done by the swap). The picture shows the
// state before the update.
TEST_F(RendererProgram, FrameClearsDrawsUpdatesAndSwapsInThatOrder) {
    std::srand(3);
    InitParticles();
    UpdateParticles();  // trails that differ from their heads
    std::vector<Particle> before(particles, particles + kParticleCount);

    RecordedGlCalls().clear();
    std::vector<Particle> atSwap;
    OnSwapBuffers() = [&] { atSwap.assign(particles, particles + kParticleCount); };
    OnDisplay();
    OnSwapBuffers() = nullptr;
    std::vector<GlCall> frame = RecordedGlCalls();
    // The wait for the frame's slot, when there is one, comes first.
    if (!frame.empty() && frame.front().kind == GlCall::SleepUntil) frame.erase(frame.begin());
    const std::vector<Particle> after(particles, particles + kParticleCount);

    std::copy(before.begin(), before.end(), particles);
    RecordedGlCalls().clear();
    DrawParticles();
    const std::vector<GlCall> drawing = RecordedGlCalls();
    UpdateParticles();

    ASSERT_EQ(frame.size(), drawing.size() + 2);
    EXPECT_EQ(frame.front().kind, GlCall::Clear);
    EXPECT_EQ(frame.front().mode, unsigned(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    EXPECT_EQ(frame.back().kind, GlCall::SwapBuffers) << "the frame is not shown last";
    size_t differing = 0;
    for (size_t i = 0; i < drawing.size(); ++i) {
        const GlCall &got = frame[i + 1], &expected = drawing[i];
        differing += got.kind != expected.kind || got.a != expected.a || got.b != expected.b ||
                     got.c != expected.c;
    }
    EXPECT_EQ(differing, 0u) << "calls that differ from a drawing of the field before the update";
    size_t moved = 0;
    for (int i = 0; i < kParticleCount; ++i) {
        moved += after[i].x != particles[i].x || after[i].y != particles[i].y ||
                 after[i].z != particles[i].z || after[i].life != particles[i].life;
    }
    EXPECT_EQ(moved, 0u) << "particles not advanced by exactly one update";
    ASSERT_EQ(atSwap.size(), after.size()) << "no swap seen";
    size_t lateAtSwap = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        lateAtSwap += atSwap[i].x != after[i].x || atSwap[i].life != after[i].life;
    }
    EXPECT_EQ(lateAtSwap, 0u) << "particles not yet updated when the frame was shown";
}

// The frames' slots, on a clock of the test's own: frames asked for back to
// back (no vsync, a fast GPU) start a slot apart; one that comes late keeps
// the slots after it, unless it is more than a whole slot late.
TEST(FrameSlots, KeepFramesASixtiethOfASecondApart) {
    using ms = std::chrono::milliseconds;
    const FrameSlots::Clock::time_point t0{ms(1000)};
    const auto slot = [&](int n) { return t0 + n * kMinFrameInterval; };
    const struct {
        FrameSlots::Clock::time_point askedAt, startsAt;
    } frames[] = {
        {t0, t0},                            // the first at once
        {t0 + ms(1), slot(1)},               // back to back: each waits for its slot
        {slot(1) + ms(1), slot(2)},          //
        {slot(3) + ms(5), slot(3) + ms(5)},  // late: at once, and the slots stay
        {slot(3) + ms(6), slot(4)},          //
        {slot(6) + ms(2), slot(6) + ms(2)},  // more than a slot late: afresh
        {slot(6) + ms(3), slot(7) + ms(2)},  //
    };
    FrameSlots slots;
    for (const auto& frame : frames) {
        EXPECT_EQ(slots.StartOf(frame.askedAt), frame.startsAt)
            << "asked at " << (frame.askedAt - t0).count() << " ns";
    }
}

// Vsync is asked for only where the driver names its extension whole.
TEST(GlExtensions, AListHoldsAWholeNameOnly) {
    const char* const swap = "GLX_EXT_swap_control";
    const struct {
        const char* list;
        bool holds;
    } cases[] = {
        {"GLX_EXT_swap_control", true},
        {"GLX_ARB_a GLX_EXT_swap_control GLX_SGI_b", true},
        {"GLX_ARB_a GLX_EXT_swap_control", true},
        {"GLX_EXT_swap_control_tear", false},
        {"GLX_EXT_swap_control_tear GLX_EXT_swap_control ", true},
        {"XGLX_EXT_swap_control", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionListHas(c.list, swap), c.holds) << (c.list ? c.list : "(null)");
    }
}

TEST_F(RendererProgram, IdleAsksForTheNextFrameAndDrawsNothing) {
    RecordedGlCalls().clear();
    OnIdle();
    ASSERT_EQ(RecordedGlCalls().size(), 1u);
    EXPECT_EQ(RecordedGlCalls()[0].kind, GlCall::PostRedisplay);
}

}  // namespace

#pragma once

// A recording stand-in for the few GL calls the particle field makes. Linked
// instead of the real GL library, it keeps every call in order.

#include <vector>

struct GlCall {
    enum Kind { Begin, End, Color3f, TexCoord2d, Vertex3f } kind;
    unsigned mode;   // Begin: the primitive
    double a, b, c;  // the arguments of Color3f, TexCoord2d (a, b), Vertex3f
};

std::vector<GlCall>& RecordedGlCalls();

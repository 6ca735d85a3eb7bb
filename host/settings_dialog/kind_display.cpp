#include "host/settings_dialog/kind_display.h"

namespace {

constexpr int16_t kNoMusic = 0;
constexpr int16_t kMusicCd = 1;
constexpr int16_t kMusicFile = 2;

}  // namespace

KindDisplay ShowKind(int16_t kind) {
    KindDisplay display;
    if (kind >= kNoMusic && kind <= kMusicFile) display.selectedMark = kind;
    display.repeatEnabled = kind == kMusicCd;
    display.chooserEnabled = kind == kMusicFile;
    return display;
}

KindDisplay SelectKind(int16_t& kind, int16_t index) {
    kind = index;
    return ShowKind(kind);
}

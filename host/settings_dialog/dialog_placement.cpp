#include "host/settings_dialog/dialog_placement.h"

#include <cmath>
#include <limits>

namespace {

// The free room, as a whole number (halves to even), shared out; integer
// division truncates toward zero. A difference that no 32-bit number holds
// fails, and that coordinate stays 0.
int32_t Share(double screen, double dialog, int32_t parts) {
    const double difference = std::nearbyint(screen - dialog);
    if (!(difference >= std::numeric_limits<int32_t>::min() &&
          difference <= std::numeric_limits<int32_t>::max())) {
        return 0;
    }
    return static_cast<int32_t>(difference) / parts;
}

}  // namespace

DialogPlace PlaceDialog(double screenWidth, double screenHeight, double dialogWidth,
                        double dialogHeight) {
    return DialogPlace{Share(screenWidth, dialogWidth, 2), Share(screenHeight, dialogHeight, 3)};
}

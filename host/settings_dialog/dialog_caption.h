#pragma once

// The settings dialog's caption. It is also the open dialog's instance
// marker: while a window with this caption exists, a new start of the host
// ends at once (Main in host/saver/glintra_b).
inline constexpr char kDialogCaption[] = "<Glintra>";

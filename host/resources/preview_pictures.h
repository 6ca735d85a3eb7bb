#pragma once

// Resource ids of the preview form's pictures, shared by
// preview_pictures.rc and the form that loads them.

// The still of the effect that the preview shows: 152 x 112, 24 bits.
#define IDB_PREVIEW_STILL 240

#include "ui/events.h"

namespace tessavel {

// The Linux build has no shell drag and drop, so the drop area has nothing to
// attach to; dropped files are placed only by the Windows window.
void AttachDropArea(ControlAccess&) {}

}  // namespace tessavel

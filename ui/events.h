// The window's event table: which control's event runs which handler. The
// Win32 window and the in-memory test window both raise events through
// RaiseEvent, so nesting (a WriteText on 编辑框_URL running FillFromLink inside
// the handler that wrote it) is the same on both.
#pragma once

#include "ui/control_access.h"

namespace tessavel {

enum class Event {
  Created,         // of the main window: all controls exist, not yet shown
  TextChanged,     // edit box
  Clicked,         // button
  LeftButtonDown,  // label; not raised by the second press of a double click
};

using Handler = void (*)(ControlAccess&);

// The main window's created event (it has no Control of its own).
void RaiseCreated(ControlAccess& window);
// Runs the handler bound to (control, event); does nothing when none is bound.
void RaiseEvent(ControlAccess& window, Control control, Event event);

// The handlers.
void AttachDropArea(ControlAccess& window);  // one implementation per platform
void FillFromLink(ControlAccess& window);
void ComposeLinkFromBoxes(ControlAccess& window);
void FillBuildDate(ControlAccess& window);
void BuildDownloadList(ControlAccess& window);
void ToggleAlwaysOnTop(ControlAccess& window);

}  // namespace tessavel

// The list of download links of everything chosen in the window: the main
// installer, the language packs and the runtime installers, one link per
// line, each line ended by CR LF.
#pragma once

#include "core/text.h"
#include "ui/control_access.h"

namespace tessavel {

// Reads the check boxes and the date, language and version boxes and returns
// the list (the empty text when nothing is checked). Writes no control.
Text DownloadList(ControlAccess& window);

// BuildDownloadList (the click of 按钮1, declared with the other handlers)
// puts DownloadList on the clipboard, also when it is empty.

}  // namespace tessavel

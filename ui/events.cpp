#include "ui/events.h"

namespace tessavel {
namespace {

struct Binding {
  Control control;
  Event event;
  Handler handler;
};

// Every wired event of the window's controls; no other event has a handler.
// The created event of the window itself runs AttachDropArea (RaiseCreated).
constexpr Binding kEventTable[] = {
    {Control::编辑框_URL, Event::TextChanged, FillFromLink},
    {Control::按钮_版本号计算, Event::Clicked, ComposeLinkFromBoxes},
    {Control::按钮_更新日期计算, Event::Clicked, FillBuildDate},
    {Control::按钮1, Event::Clicked, BuildDownloadList},
    {Control::标签4, Event::LeftButtonDown, ToggleAlwaysOnTop},
};

}  // namespace

void RaiseCreated(ControlAccess& window) { AttachDropArea(window); }

void RaiseEvent(ControlAccess& window, Control control, Event event) {
  for (const Binding& b : kEventTable) {
    if (b.control == control && b.event == event) {
      b.handler(window);
      return;
    }
  }
}

}  // namespace tessavel

// The form skinner's drawing of a tool bar: each button's background from the skin's
// "Buttons" element by its state, the bar's background from the skin's tool bar face. The
// handlers are installed by the classification only where the tool bar has none of its
// own, and taken back when the form skinner lets go of its controls.
#pragma once

namespace tv {
class TToolBar;
}

namespace skin {

class TSkinnerHost;

void InstallToolBarDrawing(TSkinnerHost& host, tv::TToolBar& bar);
// Takes back every handler installed for host; a tool bar's own handlers stay.
void RemoveToolBarDrawing(TSkinnerHost& host);
// Whether the button (or background) drawing of host is installed on bar.
bool HasToolBarDrawing(const TSkinnerHost& host, const tv::TToolBar& bar, bool background);

}  // namespace skin

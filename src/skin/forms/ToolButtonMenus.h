// The drop-down items of tool buttons in the skin's look. On a form whose frame is
// skinned, a tool button's MenuItem and every item below it are drawn and measured by the
// skin, like the form's own menus. Their menu stays as the program made it: the items
// are drawn by their owner only while such a drop-down is open, and when the form
// skinner lets go of its controls every item gets back exactly the handlers it had.
#pragma once

#include <windows.h>

namespace tv {
class TMenuItem;
class TToolButton;
}  // namespace tv

namespace skin {

class TSkinData;
class TSkinnerHost;

// Gives the button's MenuItem and the items below it the skin's draw and measure
// handlers, keeping the ones they had. A button without a MenuItem is only noted: an item
// it is given later is taken when its drop-down opens.
void SkinToolButtonMenu(TSkinnerHost& host, TSkinData& data, tv::TToolButton& button);
// A drop-down is about to open (WM_INITMENUPOPUP of the form): when it shows the items of
// a button skinned for host, items added since get the handlers too, and the menu's items
// are drawn by their owner until the menu loop ends. True when the menu was such a one.
bool PrepareToolButtonPopup(TSkinnerHost& host, HMENU menu);
// The menu loop ended: the items drawn by their owner for it get their own type back.
void EndToolButtonPopups(TSkinnerHost& host);
// Every item skinned for host gets back its own handlers and type.
void RemoveToolButtonMenus(TSkinnerHost& host);
// Whether the items of button's MenuItem are drawn by host's skin.
bool HasToolButtonMenu(const TSkinnerHost& host, const tv::TToolButton& button);

}  // namespace skin

// What this thread holds, counted through the owner types (the system's own counters are
// not there on every platform): a count that grows with every cycle of some work is a leak.
#pragma once

namespace tv {

struct TLiveHandles {
    long gdi = 0;      // GDI objects and DIB sections
    long menus = 0;    // menus and icons
    long windows = 0;  // windows of this thread, children included
};

TLiveHandles CountLiveHandles();

}  // namespace tv

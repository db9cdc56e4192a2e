// Labels on a skinned window: a label that keeps the system's text colour would not read
// on a dark skin's face, so it takes the skin's text colour while the window is skinned
// and gets its own back when the skin goes. A label given a colour of its own keeps it.
#pragma once

namespace tv {
class TComponent;
class TCoolBar;
}

namespace skin {

class TSkinnerHost;
class TSkinData;

// Every label owned by container (and by the components it owns) in data's text colour.
void RecolourLabels(const TSkinnerHost& host, tv::TComponent& container, const TSkinData& data);
// A cool bar's bands on data's face, so that they do not stand out of the skinned window.
void RecolourBands(const TSkinnerHost& host, tv::TCoolBar& bar, const TSkinData& data);
// Gives back the colours RecolourLabels and RecolourBands replaced for host.
void RestoreLabels(const TSkinnerHost& host);

}  // namespace skin

// Makes the control skinners known to the classification by their class names.
#include "skin/controls/BoxSkinners.h"
#include "skin/controls/ButtonSkinners.h"
#include "skin/controls/CheckSkinners.h"
#include "skin/controls/EditSkinners.h"
#include "skin/controls/MediaPlayerSkinners.h"
#include "skin/controls/RangeSkinners.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/controls/TabSkinners.h"
#include "skin/controls/TabSetSkinners.h"
#include "skin/controls/SkinControl.h"

namespace skin {

namespace {

template <class T>
void Register(const char* name) {
    RegisterChildSkinner(name, [](tv::TComponent* owner) -> TChildSkinner* { return new T(owner); });
}

}  // namespace

void InstallControlSkinning() {
    Register<TSkinButton>("TSkinButton");
    Register<TSkinBitButton>("TSkinBitButton");
    Register<TSkinMenuButton>("TSkinMenuButton");
    Register<TSkinSpeedButton>("TSkinSpeedButton");
    Register<TSkinCheckBox>("TSkinCheckBox");
    Register<TSkinRadioButton>("TSkinRadioButton");
    RegisterScrollBarSkinners();
    RegisterEditSkinners();
    RegisterTabSkinners();
    RegisterTabSetSkinners();
    RegisterBoxSkinners();
    Register<TSkinProgress>("TSkinProgress");
    Register<TSkinTrackBar>("TSkinTrackBar");
    Register<TSkinUpDown>("TSkinUpDown");
    RegisterMediaPlayerSkinners();
}

}  // namespace skin

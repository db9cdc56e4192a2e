// Makes the control skinners known to the classification by their class names.
#include "skin/controls/SkinControl.h"

namespace skin {

void InstallControlSkinning() {}

}  // namespace skin

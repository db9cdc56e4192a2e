// Everything of the component framework in one include.
#pragma once

#include "framework/Application.h"
#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/GraphicsTypes.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/MessageCrackers.h"
#include "framework/PropAccess.h"
#include "framework/Registration.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/Strings.h"
#include "framework/TypInfo.h"

#include "framework/Registration.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"

namespace tv {

void RegisterFrameworkClasses() {
    for (const TClassInfo* info :
         {&TForm::StaticClass(), &TButton::StaticClass(), &TListBox::StaticClass(), &TLabel::StaticClass(),
          &TTimer::StaticClass(), &TStringList::StaticClass(), &TImageList::StaticClass(),
          &TPanel::StaticClass(), &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass()})
        RegisterComponentClass(*info);
}

}  // namespace tv

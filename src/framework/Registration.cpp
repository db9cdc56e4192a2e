#include "framework/Registration.h"

#include "framework/ActnList.h"
#include "framework/Buttons.h"
#include "framework/CheckBoxes.h"
#include "framework/ComboBoxes.h"
#include "framework/ComCtrls.h"
#include "framework/CoolBars.h"
#include "framework/DateTimePickers.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Frames.h"
#include "framework/ImgList.h"
#include "framework/ListViews.h"
#include "framework/MediaPlayer.h"
#include "framework/Menus.h"
#include "framework/ScrollBars.h"
#include "framework/ScrollBox.h"
#include "framework/StatusBars.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"
#include "framework/TabSets.h"
#include "framework/Tabs.h"
#include "framework/ToolBars.h"
#include "framework/TreeViews.h"

namespace tv {

void RegisterFrameworkClasses() {
    for (const TClassInfo* info :
         {&TForm::StaticClass(), &TButton::StaticClass(), &TListBox::StaticClass(), &TLabel::StaticClass(),
          &TTimer::StaticClass(), &TStringList::StaticClass(), &TImageList::StaticClass(),
          &TPanel::StaticClass(), &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(),
          &TBitBtn::StaticClass(), &TSpeedButton::StaticClass(), &TScrollBar::StaticClass(), &TEdit::StaticClass(),
          &TMemo::StaticClass(), &TScrollBox::StaticClass(),
          &TTabControl::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
          &THeaderControl::StaticClass(), &TListView::StaticClass(), &TToolBar::StaticClass(),
          &TToolButton::StaticClass(),
          &TAction::StaticClass(), &TActionList::StaticClass(), &TCheckBox::StaticClass(),
          &TRadioButton::StaticClass(), &TGroupBox::StaticClass(), &TRadioGroup::StaticClass(),
          &TProgressBar::StaticClass(), &TTrackBar::StaticClass(), &TUpDown::StaticClass(),
          &TStatusBar::StaticClass(), &TSplitter::StaticClass()})
        RegisterComponentClass(*info);
    for (const TClassInfo* info : {&TComboBox::StaticClass(), &TDateTimePicker::StaticClass()})
        RegisterComponentClass(*info);
    RegisterComponentClass(TTabSet::StaticClass());
    RegisterComponentClass(TTreeView::StaticClass());
    RegisterComponentClass(TFrame::StaticClass());
    RegisterComponentClass(TCoolBar::StaticClass());
    RegisterComponentClass(TMediaPlayer::StaticClass());
}

}  // namespace tv

#include "gallery/GalleryMDI.h"

#include <string>

namespace {

TGalleryMDIForm* current = nullptr;

const char* const kFrame = R"(object GalleryMDI: TGalleryMDIForm
  Left = 60
  Top = 40
  Width = 760
  Height = 540
  Caption = 'Tovalin Gallery - MDI'
  Font.Height = -12
  Font.Name = 'Tahoma'
  FormStyle = fsMDIForm
  Menu = MDIMenu
  WindowMenu = WindowMenu
  object MDIMenu: TMainMenu
    object FileMenu: TMenuItem
      Caption = '&File'
      object NewChildItem: TMenuItem
        Caption = '&New child'
      end
      object CloseChildItem: TMenuItem
        Caption = '&Close child'
      end
      object Separator1: TMenuItem
        Caption = '-'
      end
      object CloseItem: TMenuItem
        Caption = 'Close &window'
      end
    end
    object WindowMenu: TMenuItem
      Caption = '&Window'
      GroupIndex = 9
      object CascadeItem: TMenuItem
        Caption = '&Cascade'
      end
      object TileItem: TMenuItem
        Caption = '&Tile'
      end
      object ArrangeItem: TMenuItem
        Caption = '&Arrange icons'
      end
    end
  end
end
)";

// Three kinds of child: push buttons and checks; text with a menu of its own (group 1:
// it goes in after File while the child is active); lists.
const char* const kChildren[] = {
    R"(object ButtonsChild: TForm
  Left = 8
  Top = 8
  Width = 300
  Height = 200
  Caption = 'Buttons'
  FormStyle = fsMDIChild
  object ChildButton1: TButton
    Left = 12
    Top = 12
    Width = 110
    Height = 26
    Caption = 'Push me'
  end
  object ChildButton2: TButton
    Left = 12
    Top = 46
    Width = 110
    Height = 26
    Caption = 'Disabled'
    Enabled = False
  end
  object ChildCheck1: TCheckBox
    Left = 140
    Top = 16
    Width = 130
    Height = 20
    Caption = 'A check box'
    Checked = True
  end
  object ChildRadio1: TRadioButton
    Left = 140
    Top = 48
    Width = 130
    Height = 20
    Caption = 'A radio button'
    Checked = True
  end
end
)",
    R"(object TextChild: TForm
  Left = 190
  Top = 118
  Width = 300
  Height = 200
  Caption = 'Text'
  FormStyle = fsMDIChild
  Menu = TextMenu
  object TextMenu: TMainMenu
    object FormatMenu: TMenuItem
      Caption = 'F&ormat'
      GroupIndex = 1
      object BoldItem: TMenuItem
        Caption = '&Bold'
      end
    end
  end
  object ChildEdit1: TEdit
    Left = 12
    Top = 12
    Width = 250
    Height = 22
    Text = 'An edit in an MDI child'
  end
  object ChildMemo1: TMemo
    Left = 12
    Top = 42
    Width = 250
    Height = 90
  end
end
)",
    R"(object ListsChild: TForm
  Left = 380
  Top = 232
  Width = 300
  Height = 200
  Caption = 'Lists'
  FormStyle = fsMDIChild
  object ChildList1: TListBox
    Left = 12
    Top = 12
    Width = 130
    Height = 120
  end
  object ChildCombo1: TComboBox
    Left = 152
    Top = 12
    Width = 120
    Height = 22
  end
end
)"};

tv::TMenuItem* Item(tv::TComponent& form, const char* name) {
    return dynamic_cast<tv::TMenuItem*>(form.FindComponent(name));
}

}  // namespace

const tv::TClassInfo& TGalleryMDIForm::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TGalleryMDIForm>("TGalleryMDIForm").Done();
    return info;
}

TGalleryMDIForm* TGalleryMDIForm::Current() { return current; }

TGalleryMDIForm::~TGalleryMDIForm() {
    if (current == this) current = nullptr;
}

TGalleryMDIForm* TGalleryMDIForm::Open(tv::TComponent* owner) {
    if (current) {
        current->BringToFront();
        return current;
    }
    auto* form = new TGalleryMDIForm(owner);
    current = form;
    try {
        form->Build();
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

void TGalleryMDIForm::Build() {
    tv::ReadComponent(*this, kFrame);
    OnClose = [](tv::TObject*, tv::TCloseAction& action) { action = tv::TCloseAction::caFree; };
    if (tv::TMenuItem* i = Item(*this, "NewChildItem")) i->OnClick = [this](tv::TObject*) { NewChild(); };
    if (tv::TMenuItem* i = Item(*this, "CloseChildItem"))
        i->OnClick = [this](tv::TObject*) {
            if (tv::TCustomForm* child = ActiveMDIChild()) child->Close();
        };
    if (tv::TMenuItem* i = Item(*this, "CloseItem")) i->OnClick = [this](tv::TObject*) { Close(); };
    if (tv::TMenuItem* i = Item(*this, "CascadeItem")) i->OnClick = [this](tv::TObject*) { Cascade(); };
    if (tv::TMenuItem* i = Item(*this, "TileItem")) i->OnClick = [this](tv::TObject*) { Tile(); };
    if (tv::TMenuItem* i = Item(*this, "ArrangeItem")) i->OnClick = [this](tv::TObject*) { ArrangeIcons(); };
    Show();
    for (int i = 0; i < 3; ++i) NewChild();
}

tv::TForm* TGalleryMDIForm::NewChild() {
    const int kind = made_ % 3;
    ++made_;
    // Several of a kind live on one frame: each gets a name of its own.
    std::string description = kChildren[kind];
    description.insert(description.find(':'), std::to_string(made_));
    auto* child = new tv::TForm(this);
    try {
        tv::ReadComponent(*child, description);
    } catch (...) {
        delete child;
        throw;
    }
    if (made_ > 3) {
        // Not quite over the first of its kind.
        child->SetText(child->GetText() + " " + std::to_string(made_));
        const int step = 24 * ((made_ - 1) / 3);
        child->SetBounds(child->Left() + step, child->Top() + step, child->Width(), child->Height());
    }
    child->OnClose = [](tv::TObject*, tv::TCloseAction& action) { action = tv::TCloseAction::caFree; };
    if (auto* list = dynamic_cast<tv::TListBox*>(child->FindComponent("ChildList1")))
        for (const char* s : {"First line", "Second line", "Third line", "Fourth line"}) list->Items().Add(s);
    if (auto* combo = dynamic_cast<tv::TComboBox*>(child->FindComponent("ChildCombo1"))) {
        for (const char* s : {"One", "Two", "Three"}) combo->Items().Add(s);
        combo->SetItemIndex(0);
    }
    if (auto* memo = dynamic_cast<tv::TMemo*>(child->FindComponent("ChildMemo1")))
        memo->SetText("A memo in an MDI child.\r\nSecond line.");
    child->Show();
    return child;
}

object TabsForm: TTabsForm
  Left = 140
  Top = 100
  Width = 560
  Height = 340
  Caption = 'Tabs'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  object Pages: TPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ActivePage = Second
    TabOrder = 0
    OnChange = PagesChange
    OnChanging = PagesChanging
    object First: TTabSheet
      Caption = 'First'
      object FirstEdit: TEdit
        Left = 8
        Top = 8
        Width = 120
        Height = 21
        TabOrder = 0
      end
    end
    object Second: TTabSheet
      Caption = 'Second'
      object SecondButton: TButton
        Left = 8
        Top = 8
        Width = 90
        Height = 25
        Caption = 'Inside'
        TabOrder = 0
      end
    end
    object Hidden: TTabSheet
      Caption = 'Hidden'
      TabVisible = False
    end
    object Third: TTabSheet
      Caption = 'Third'
    end
  end
  object Tabs1: TTabControl
    Left = 316
    Top = 8
    Width = 220
    Height = 120
    TabOrder = 1
    TabPosition = tpBottom
    TabIndex = 1
    Tabs.Strings = (
      'One'
      'Two')
    OnChange = TabsChange
  end
end

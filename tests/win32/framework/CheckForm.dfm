object CheckForm: TCheckForm
  Left = 120
  Top = 90
  Width = 420
  Height = 300
  Caption = 'Checks'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  object CheckBox1: TCheckBox
    Left = 8
    Top = 8
    Width = 120
    Height = 20
    Caption = 'Plain'
    TabOrder = 0
    OnClick = BoxClick
  end
  object CheckBox2: TCheckBox
    Left = 8
    Top = 32
    Width = 120
    Height = 20
    AllowGrayed = True
    Alignment = taLeftJustify
    Caption = 'Three states'
    State = cbGrayed
    TabOrder = 1
    OnClick = BoxClick
  end
  object Radio1: TRadioButton
    Left = 8
    Top = 64
    Width = 120
    Height = 20
    Caption = 'First'
    Checked = True
    TabOrder = 2
    OnClick = RadioClick
  end
  object Radio2: TRadioButton
    Left = 8
    Top = 88
    Width = 120
    Height = 20
    Caption = 'Second'
    TabOrder = 3
    OnClick = RadioClick
  end
  object Radio3: TRadioButton
    Left = 8
    Top = 112
    Width = 120
    Height = 20
    Caption = 'Off'
    Enabled = False
    TabOrder = 4
    OnClick = RadioClick
  end
  object Radio4: TRadioButton
    Left = 8
    Top = 136
    Width = 120
    Height = 20
    Caption = 'Fourth'
    TabOrder = 5
    OnClick = RadioClick
  end
  object RadioGroup1: TRadioGroup
    Left = 160
    Top = 8
    Width = 220
    Height = 110
    Caption = 'Group'
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      'North'
      'South'
      'East'
      'West')
    TabOrder = 6
    OnClick = GroupClick
  end
end

object ComboForm: TComboForm
  Left = 140
  Top = 100
  Width = 420
  Height = 260
  Caption = 'Combos'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  object Combo1: TComboBox
    Left = 8
    Top = 8
    Width = 150
    Sorted = True
    Items.Strings = (
      'Gamma'
      'Alpha'
      'Beta')
    Text = 'typed'
    OnChange = ComboChange
  end
  object Combo2: TComboBox
    Left = 8
    Top = 40
    Width = 150
    Style = csDropDownList
    DropDownCount = 2
    Items.Strings = (
      'One'
      'Two'
      'Three'
      'Four'
      'Five')
    Text = 'Two'
    OnChange = ComboChange
    OnDropDown = ComboDropDown
    OnCloseUp = ComboCloseUp
  end
  object Picker1: TDateTimePicker
    Left = 200
    Top = 8
    Width = 180
    Height = 23
    Date = '2024-02-29'
    Time = '13:45:30'
    OnChange = PickerChange
  end
  object Picker2: TDateTimePicker
    Left = 200
    Top = 40
    Width = 180
    Height = 23
    Kind = dtkTime
    DateMode = dmUpDown
    Time = '07:05:09'
  end
end

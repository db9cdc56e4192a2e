object ControlsForm: TControlsForm
  Left = 100
  Top = 80
  Width = 640
  Height = 480
  Caption = 'Controls'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  object BitBtn1: TBitBtn
    Left = 8
    Top = 8
    Width = 120
    Height = 40
    Caption = 'Accept'
    Kind = bkOK
    Layout = blGlyphTop
    Margin = 3
    Spacing = 2
    TabOrder = 0
  end
  object BitBtn2: TBitBtn
    Left = 136
    Top = 8
    Width = 120
    Height = 40
    Caption = 'Strip'
    Glyph.Data = {@GLYPHS@}
    NumGlyphs = 4
    TabOrder = 1
  end
  object SpeedButton1: TSpeedButton
    Left = 8
    Top = 56
    Width = 60
    Height = 24
    Caption = 'One'
    GroupIndex = 1
    Flat = True
    OnClick = SpeedClick
  end
  object SpeedButton2: TSpeedButton
    Left = 72
    Top = 56
    Width = 60
    Height = 24
    Caption = 'Two'
    Down = True
    GroupIndex = 1
    OnClick = SpeedClick
  end
  object SpeedButton3: TSpeedButton
    Left = 136
    Top = 56
    Width = 60
    Height = 24
    Caption = 'Three'
    GroupIndex = 1
    OnClick = SpeedClick
  end
  object SpeedButton4: TSpeedButton
    Left = 200
    Top = 56
    Width = 60
    Height = 24
    Caption = 'Free'
    OnClick = SpeedClick
  end
  object ScrollBar1: TScrollBar
    Left = 600
    Top = 8
    Width = 17
    Height = 200
    Kind = sbVertical
    Position = 30
    Max = 200
    Min = 10
    PageSize = 20
    SmallChange = 2
    LargeChange = 15
    TabOrder = 2
    OnChange = ScrollBar1Change
    OnScroll = ScrollBar1Scroll
  end
  object Memo1: TMemo
    Left = 8
    Top = 96
    Width = 200
    Height = 100
    Lines.Strings = (
      'first line'
      ''
      'third line')
    ScrollBars = ssBoth
    WordWrap = False
    ReadOnly = True
    MaxLength = 500
    TabOrder = 3
  end
  object ListBox1: TListBox
    Left = 220
    Top = 96
    Width = 120
    Height = 100
    ScrollWidth = 400
    Items.Strings = (
      'a long item that does not fit into the box')
    TabOrder = 4
  end
  object ScrollBox1: TScrollBox
    Left = 8
    Top = 210
    Width = 200
    Height = 150
    VertScrollBar.Increment = 10
    TabOrder = 5
    object Panel1: TPanel
      Left = 250
      Top = 300
      Width = 80
      Height = 40
      Caption = 'far'
    end
  end
  object Edit1: TEdit
    Left = 220
    Top = 210
    Width = 120
    Height = 21
    Text = 'hello'
    BorderStyle = bsNone
    TabOrder = 6
  end
end

object RangeForm: TRangeForm
  Left = 140
  Top = 100
  Width = 460
  Height = 320
  Caption = 'Ranges'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  object Progress1: TProgressBar
    Left = 8
    Top = 8
    Width = 200
    Height = 18
    Position = 75
    Min = 50
    Max = 100
    Step = 5
  end
  object Progress2: TProgressBar
    Left = 220
    Top = 8
    Width = 18
    Height = 120
    Orientation = pbVertical
    Smooth = True
    Position = 30
  end
  object Track1: TTrackBar
    Left = 8
    Top = 40
    Width = 200
    Height = 40
    Position = 4
    Max = 20
    PageSize = 5
    LineSize = 2
    Frequency = 5
    TabOrder = 0
    OnChange = TrackChange
  end
  object Track2: TTrackBar
    Left = 250
    Top = 8
    Width = 40
    Height = 160
    Orientation = trVertical
    TickStyle = tsNone
    TickMarks = tmBoth
    Min = -10
    Max = 10
    Position = 12
    TabOrder = 1
  end
  object Edit1: TEdit
    Left = 8
    Top = 100
    Width = 80
    Height = 21
    Text = 'typed'
    TabOrder = 2
  end
  object UpDown1: TUpDown
    Left = 120
    Top = 100
    Width = 17
    Height = 21
    Associate = Edit1
    Min = 1
    Max = 10
    Position = 9
    Wrap = True
    Increment = 1
    OnClick = UpDownClick
    OnChanging = UpDownChanging
  end
  object UpDown2: TUpDown
    Left = 8
    Top = 140
    Width = 40
    Height = 17
    Orientation = udHorizontal
    ArrowKeys = False
    Max = 5
  end
end

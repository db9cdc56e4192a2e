object GalleryForm: TGalleryForm
  Left = 8
  Top = 8
  Width = 1016
  Height = 1010
  Caption = 'Tovalin Gallery'
  Color = clBtnFace
  Font.Height = -12
  Font.Name = 'Tahoma'
  Position = poDesigned
  OnCreate = FormCreate
  OnShow = FormShow
  OnClose = FormClose
  Menu = MainMenu1
  PopupMenu = ClientPopup
  object SkinLabel: TLabel
    Left = 12
    Top = 16
    Caption = 'Skin:'
  end
  object BareDialogButton: TButton
    Left = 470
    Top = 10
    Width = 100
    Height = 26
    Caption = 'Bare dialog...'
    OnClick = BareDialogButtonClick
  end
  object OpenFileButton: TButton
    Left = 576
    Top = 10
    Width = 100
    Height = 26
    Caption = 'Open file...'
    OnClick = OpenFileButtonClick
  end
  object ColourButton: TButton
    Left = 682
    Top = 10
    Width = 100
    Height = 26
    Caption = 'Colour...'
    OnClick = ColourButtonClick
  end
  object FontButton: TButton
    Left = 788
    Top = 10
    Width = 100
    Height = 26
    Caption = 'Font...'
    OnClick = FontButtonClick
  end
  object MessageButton: TButton
    Left = 894
    Top = 10
    Width = 100
    Height = 26
    Caption = 'Message box...'
    OnClick = MessageButtonClick
  end
  object Rule: TPanel
    Left = 8
    Top = 44
    Width = 984
    Height = 2
    BevelOuter = bvLowered
  end
  object MenuImages: TImageList
  end
  object GalleryActions: TActionList
    Images = MenuImages
    object RefreshAction: TAction
      Tag = 71
      Caption = '&Refresh'
      ImageIndex = 6
      ShortCut = 116
      OnExecute = RefreshActionExecute
    end
  end
  object MainMenu1: TMainMenu
    Images = MenuImages
    object FileMenu: TMenuItem
      Caption = '&File'
      object FileNewItem: TMenuItem
        Caption = '&New'
        Tag = 11
        ImageIndex = 0
        ShortCut = 16462
        OnClick = MenuItemClick
      end
      object FileOpenItem: TMenuItem
        Caption = '&Open...'
        Tag = 12
        ImageIndex = 1
        ShortCut = 16463
        OnClick = MenuItemClick
      end
      object FileSaveItem: TMenuItem
        Caption = '&Save'
        Tag = 13
        Default = True
        ImageIndex = 2
        ShortCut = 16467
        OnClick = MenuItemClick
      end
      object Separator1: TMenuItem
        Caption = '-'
      end
      object FileRecentItem: TMenuItem
        Caption = '&Recent files'
        object RecentFirstItem: TMenuItem
          Caption = '&1 first.txt'
          Tag = 14
          OnClick = MenuItemClick
        end
        object RecentSecondItem: TMenuItem
          Caption = '&2 second.txt'
          Tag = 15
          OnClick = MenuItemClick
        end
      end
      object Separator2: TMenuItem
        Caption = '-'
      end
      object FileExitItem: TMenuItem
        Caption = 'E&xit'
        Tag = 16
        ShortCut = 32883
        OnClick = ExitItemClick
      end
    end
    object EditMenu: TMenuItem
      Caption = '&Edit'
      object EditUndoItem: TMenuItem
        Caption = '&Undo'
        Tag = 21
        Enabled = False
        ShortCut = 16474
        OnClick = MenuItemClick
      end
      object Separator3: TMenuItem
        Caption = '-'
      end
      object EditCutItem: TMenuItem
        Caption = 'Cu&t'
        Tag = 22
        ImageIndex = 3
        ShortCut = 16472
        OnClick = MenuItemClick
      end
      object EditCopyItem: TMenuItem
        Caption = '&Copy'
        Tag = 23
        ImageIndex = 4
        ShortCut = 16451
        OnClick = MenuItemClick
      end
      object EditPasteItem: TMenuItem
        Caption = '&Paste'
        Tag = 24
        ImageIndex = 5
        ShortCut = 16470
        OnClick = MenuItemClick
      end
    end
    object ViewMenu: TMenuItem
      Caption = '&View'
      object ViewStatusItem: TMenuItem
        Caption = '&Status line'
        Tag = 31
        Checked = True
        OnClick = CheckItemClick
      end
      object ViewGridItem: TMenuItem
        Caption = '&Grid'
        Tag = 32
        OnClick = CheckItemClick
      end
      object Separator4: TMenuItem
        Caption = '-'
      end
      object ViewRefreshItem: TMenuItem
        Caption = 'Refresh'
        Action = RefreshAction
      end
      object ViewMDIItem: TMenuItem
        Caption = '&MDI window...'
        OnClick = MDIItemClick
      end
    end
    object ToolsMenu: TMenuItem
      Caption = '&Tools'
      Enabled = False
      object ToolsOptionsItem: TMenuItem
        Caption = '&Options...'
        Tag = 41
        OnClick = MenuItemClick
      end
    end
    object HelpItem: TMenuItem
      Caption = '&Help'
      Tag = 51
      OnClick = MenuItemClick
    end
  end
  object ClientPopup: TPopupMenu
    Images = MenuImages
    object PopupCopyItem: TMenuItem
      Caption = '&Copy'
      Tag = 61
      ImageIndex = 4
      ShortCut = 16451
      OnClick = MenuItemClick
    end
    object PopupPasteItem: TMenuItem
      Caption = '&Paste'
      Tag = 62
      Enabled = False
      ImageIndex = 5
      ShortCut = 16470
      OnClick = MenuItemClick
    end
    object Separator5: TMenuItem
      Caption = '-'
    end
    object PopupStatusItem: TMenuItem
      Caption = '&Status line'
      Tag = 63
      Checked = True
      OnClick = CheckItemClick
    end
    object PopupRefreshItem: TMenuItem
      Caption = 'Refresh'
      Action = RefreshAction
    end
    object Separator6: TMenuItem
      Caption = '-'
    end
    object PopupMoreItem: TMenuItem
      Caption = '&More'
      object PopupAboutItem: TMenuItem
        Caption = '&About the gallery'
        Tag = 64
        Default = True
        OnClick = MenuItemClick
      end
    end
  end
  object SkinData1: TSkinData
    Active = True
    SkinStream = {00000000}
  end
  object Pages: TPageControl
    Left = 4
    Top = 50
    Width = 992
    Height = 880
    ActivePage = ControlsSheet
    TabOrder = 0
    object ControlsSheet: TTabSheet
      Caption = 'Controls'
      object ButtonsHeading: TLabel
        Left = 4
        Top = 4
        Caption = 'Buttons'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object ButtonNormal: TButton
        Left = 4
        Top = 24
        Width = 96
        Height = 28
        Caption = 'Normal'
      end
      object ButtonDefault: TButton
        Left = 106
        Top = 24
        Width = 96
        Height = 28
        Caption = 'Default'
        Default = True
      end
      object ButtonDisabled: TButton
        Left = 208
        Top = 24
        Width = 96
        Height = 28
        Caption = 'Disabled'
        Enabled = False
      end
      object ButtonFocused: TButton
        Left = 4
        Top = 58
        Width = 96
        Height = 28
        Caption = 'Focused'
      end
      object GlyphsHeading: TLabel
        Left = 4
        Top = 96
        Caption = 'Glyph buttons'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object BitBtnLeft: TBitBtn
        Left = 4
        Top = 116
        Width = 148
        Height = 34
        Caption = 'Glyph left'
        Layout = blGlyphLeft
      end
      object BitBtnRight: TBitBtn
        Left = 158
        Top = 116
        Width = 148
        Height = 34
        Caption = 'Glyph right'
        Layout = blGlyphRight
      end
      object BitBtnTop: TBitBtn
        Left = 4
        Top = 156
        Width = 148
        Height = 52
        Caption = 'Glyph top'
        Layout = blGlyphTop
      end
      object BitBtnBottom: TBitBtn
        Left = 158
        Top = 156
        Width = 148
        Height = 52
        Caption = 'Glyph bottom'
        Layout = blGlyphBottom
      end
      object BitBtnOK: TBitBtn
        Left = 4
        Top = 214
        Width = 96
        Height = 30
        Kind = bkOK
        Default = False
      end
      object BitBtnCancel: TBitBtn
        Left = 106
        Top = 214
        Width = 96
        Height = 30
        Kind = bkCancel
      end
      object BitBtnDisabled: TBitBtn
        Left = 208
        Top = 214
        Width = 98
        Height = 30
        Caption = 'Disabled'
        Enabled = False
        NumGlyphs = 2
      end
      object SpeedHeading: TLabel
        Left = 4
        Top = 254
        Caption = 'Speed buttons'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object SpeedFlat: TSpeedButton
        Left = 4
        Top = 274
        Width = 70
        Height = 26
        Caption = 'Flat'
        Flat = True
      end
      object SpeedFlatDown: TSpeedButton
        Left = 78
        Top = 274
        Width = 80
        Height = 26
        Caption = 'Flat down'
        AllowAllUp = True
        GroupIndex = 3
        Down = True
        Flat = True
      end
      object SpeedPlain: TSpeedButton
        Left = 162
        Top = 274
        Width = 70
        Height = 26
        Caption = 'Plain'
      end
      object SpeedDisabled: TSpeedButton
        Left = 236
        Top = 274
        Width = 70
        Height = 26
        Caption = 'Off'
        Enabled = False
      end
      object SpeedLeft: TSpeedButton
        Left = 4
        Top = 306
        Width = 70
        Height = 26
        Caption = 'Left'
        GroupIndex = 2
      end
      object SpeedCentre: TSpeedButton
        Left = 78
        Top = 306
        Width = 70
        Height = 26
        Caption = 'Centre'
        GroupIndex = 2
        Down = True
      end
      object SpeedRight: TSpeedButton
        Left = 152
        Top = 306
        Width = 70
        Height = 26
        Caption = 'Right'
        GroupIndex = 2
      end
      object LabelsHeading: TLabel
        Left = 4
        Top = 344
        Caption = 'Labels and panels'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object LabelPlain: TLabel
        Left = 4
        Top = 364
        Caption = 'A plain label'
      end
      object LabelDisabled: TLabel
        Left = 158
        Top = 364
        Caption = 'A disabled label'
        Enabled = False
      end
      object PanelRaised: TPanel
        Left = 4
        Top = 388
        Width = 148
        Height = 44
        Caption = 'Raised panel'
      end
      object PanelLowered: TPanel
        Left = 158
        Top = 388
        Width = 148
        Height = 44
        Caption = 'Lowered panel'
        BevelOuter = bvLowered
      end
      object PanelDouble: TPanel
        Left = 4
        Top = 438
        Width = 302
        Height = 44
        Caption = 'Raised outside, lowered inside'
        BevelInner = bvLowered
        BevelWidth = 2
      end
      object RangesHeading: TLabel
        Left = 4
        Top = 548
        Caption = 'Progress, track bars and up-downs'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object ProgressQuarter: TProgressBar
        Left = 4
        Top = 570
        Width = 240
        Height = 18
        Position = 25
      end
      object ProgressSmooth: TProgressBar
        Left = 4
        Top = 594
        Width = 240
        Height = 18
        Position = 60
        Smooth = True
      end
      object ProgressFull: TProgressBar
        Left = 4
        Top = 618
        Width = 240
        Height = 18
        Position = 100
      end
      object ProgressDisabled: TProgressBar
        Left = 4
        Top = 642
        Width = 240
        Height = 18
        Position = 40
        Enabled = False
      end
      object ProgressVertLow: TProgressBar
        Left = 258
        Top = 570
        Width = 18
        Height = 90
        Orientation = pbVertical
        Position = 30
      end
      object ProgressVertHigh: TProgressBar
        Left = 284
        Top = 570
        Width = 18
        Height = 90
        Orientation = pbVertical
        Smooth = True
        Position = 80
      end
      object TrackHorizontal: TTrackBar
        Left = 4
        Top = 670
        Width = 240
        Height = 40
        Max = 20
        Position = 6
        Frequency = 2
      end
      object TrackDisabled: TTrackBar
        Left = 4
        Top = 716
        Width = 240
        Height = 40
        Position = 7
        TickMarks = tmBoth
        Enabled = False
      end
      object TrackVertical: TTrackBar
        Left = 258
        Top = 670
        Width = 44
        Height = 150
        Orientation = trVertical
        Position = 3
      end
      object SpinEdit: TEdit
        Left = 4
        Top = 766
        Width = 80
        Height = 21
        Text = '5'
      end
      object SpinButtons: TUpDown
        Left = 84
        Top = 766
        Width = 17
        Height = 21
        Associate = SpinEdit
        Max = 99
        Position = 5
      end
      object SpinHorizontal: TUpDown
        Left = 122
        Top = 766
        Width = 40
        Height = 21
        Orientation = udHorizontal
      end
      object SpinDisabled: TUpDown
        Left = 172
        Top = 766
        Width = 17
        Height = 21
        Enabled = False
      end
      object MemoHeading: TLabel
        Left = 332
        Top = 4
        Caption = 'Memo'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object Memo1: TMemo
        Left = 332
        Top = 24
        Width = 310
        Height = 150
        ScrollBars = ssBoth
        WordWrap = False
      end
      object ListsHeading: TLabel
        Left = 332
        Top = 184
        Caption = 'List boxes'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object ListBoxBoth: TListBox
        Left = 332
        Top = 204
        Width = 152
        Height = 150
        ScrollWidth = 420
      end
      object ListBoxPlain: TListBox
        Left = 490
        Top = 204
        Width = 152
        Height = 150
        Items.Strings = (
          'Apple'
          'Pear'
          'Plum')
      end
      object EditsHeading: TLabel
        Left = 332
        Top = 364
        Caption = 'Edits'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object Edit1: TEdit
        Left = 332
        Top = 384
        Width = 310
        Height = 21
        Text = 'Type here'
      end
      object EditReadOnly: TEdit
        Left = 332
        Top = 412
        Width = 310
        Height = 21
        Text = 'A read-only edit'
        ReadOnly = True
      end
      object EditDisabled: TEdit
        Left = 332
        Top = 440
        Width = 310
        Height = 21
        Text = 'A disabled edit'
        Enabled = False
      end
      object CombosHeading: TLabel
        Left = 332
        Top = 474
        Caption = 'Combo boxes'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object ComboLong: TComboBox
        Left = 332
        Top = 494
        Width = 152
        Text = 'Thirty choices'
        DropDownCount = 8
      end
      object ComboShort: TComboBox
        Left = 490
        Top = 494
        Width = 152
        Style = csDropDownList
        Items.Strings = (
          'Apple'
          'Pear'
          'Plum')
        ItemIndex = 1
      end
      object ComboOwnerDraw: TComboBox
        Left = 332
        Top = 526
        Width = 152
        Style = csOwnerDrawFixed
        Items.Strings = (
          'Drawn by the program'
          'Second'
          'Third')
        ItemIndex = 0
      end
      object ComboDisabled: TComboBox
        Left = 490
        Top = 526
        Width = 152
        Style = csDropDownList
        Items.Strings = (
          'A disabled combo')
        ItemIndex = 0
        Enabled = False
      end
      object ComboSimple: TComboBox
        Left = 332
        Top = 558
        Width = 152
        Height = 86
        Style = csSimple
        Items.Strings = (
          'Simple: the list'
          'stays open'
          'under its edit'
          'and scrolls'
          'when it is'
          'longer than'
          'the box')
        Text = 'Simple'
      end
      object DatesHeading: TLabel
        Left = 332
        Top = 656
        Caption = 'Date and time'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object DatePicker: TDateTimePicker
        Left = 332
        Top = 676
        Width = 152
        Height = 23
        Date = '2026-12-09'
      end
      object TimePicker: TDateTimePicker
        Left = 490
        Top = 676
        Width = 152
        Height = 23
        Kind = dtkTime
        Time = '08:15:00'
      end
      object PlayersHeading: TLabel
        Left = 332
        Top = 712
        Caption = 'Media players'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object PlayerFull: TMediaPlayer
        Left = 332
        Top = 732
        Width = 310
        Height = 30
        EnabledButtons = [btPlay, btPause, btStop, btNext, btPrev, btEject]
        ColoredButtons = [btPlay, btPause, btStop, btRecord]
      end
      object PlayerFew: TMediaPlayer
        Left = 332
        Top = 768
        Width = 152
        Height = 30
        VisibleButtons = [btPlay, btPause, btStop, btEject]
        ColoredButtons = []
      end
      object PlayerNone: TMediaPlayer
        Left = 490
        Top = 768
        Width = 152
        Height = 30
        VisibleButtons = []
      end
      object ScrollHeading: TLabel
        Left = 668
        Top = 4
        Caption = 'Scroll bars and a scroll box'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object ScrollBarH: TScrollBar
        Left = 668
        Top = 24
        Width = 312
        Height = 17
        Max = 100
        PageSize = 10
        LargeChange = 10
        Position = 30
      end
      object ScrollBarV: TScrollBar
        Left = 668
        Top = 48
        Width = 17
        Height = 200
        Kind = sbVertical
        Max = 100
        PageSize = 20
        LargeChange = 20
        Position = 60
      end
      object ScrollBox1: TScrollBox
        Left = 692
        Top = 48
        Width = 288
        Height = 200
        object PanelInBox: TPanel
          Left = 16
          Top = 16
          Width = 200
          Height = 60
          Caption = 'Inside the scroll box'
        end
        object ButtonInBox: TButton
          Left = 360
          Top = 260
          Width = 100
          Height = 28
          Caption = 'Far away'
        end
      end
      object ChecksHeading: TLabel
        Left = 668
        Top = 260
        Caption = 'Check boxes and radio buttons'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object CheckUnchecked: TCheckBox
        Left = 668
        Top = 282
        Width = 150
        Height = 20
        Caption = 'Unchecked'
      end
      object CheckChecked: TCheckBox
        Left = 668
        Top = 306
        Width = 150
        Height = 20
        Caption = 'Checked'
        State = cbChecked
      end
      object CheckGrayed: TCheckBox
        Left = 668
        Top = 330
        Width = 150
        Height = 20
        AllowGrayed = True
        Caption = 'Grayed'
        State = cbGrayed
      end
      object CheckDisabled: TCheckBox
        Left = 668
        Top = 354
        Width = 150
        Height = 20
        Caption = 'Disabled, checked'
        Enabled = False
        State = cbChecked
      end
      object CheckLeftText: TCheckBox
        Left = 668
        Top = 378
        Width = 150
        Height = 20
        Alignment = taLeftJustify
        Caption = 'Caption on the left'
      end
      object RadioBox: TGroupBox
        Left = 830
        Top = 278
        Width = 150
        Height = 124
        Caption = 'Radio buttons'
        object RadioFirst: TRadioButton
          Left = 10
          Top = 22
          Width = 130
          Height = 20
          Caption = 'First'
          Checked = True
        end
        object RadioSecond: TRadioButton
          Left = 10
          Top = 46
          Width = 130
          Height = 20
          Caption = 'Second'
        end
        object RadioDisabled: TRadioButton
          Left = 10
          Top = 70
          Width = 130
          Height = 20
          Caption = 'Disabled'
          Enabled = False
        end
        object RadioFourth: TRadioButton
          Left = 10
          Top = 94
          Width = 130
          Height = 20
          Caption = 'Fourth'
        end
      end
      object RadioGroup1: TRadioGroup
        Left = 668
        Top = 410
        Width = 312
        Height = 92
        Caption = 'A radio group in three columns'
        Columns = 3
        ItemIndex = 4
        Items.Strings = (
          'North'
          'South'
          'East'
          'West'
          'Up'
          'Down')
      end
      object BoxesHeading: TLabel
        Left = 668
        Top = 563
        Caption = 'Panels, group boxes and a splitter'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GroupBoxPlain: TGroupBox
        Left = 668
        Top = 585
        Width = 150
        Height = 80
        Caption = 'A group box'
        object CheckInGroup: TCheckBox
          Left = 10
          Top = 24
          Width = 130
          Height = 20
          Caption = 'Inside the box'
          Checked = True
        end
        object ButtonInGroup: TButton
          Left = 10
          Top = 48
          Width = 90
          Height = 24
          Caption = 'A button'
        end
      end
      object PanelCaption: TPanel
        Left = 830
        Top = 585
        Width = 150
        Height = 80
        Caption = 'A panel with a caption'
        BevelOuter = bvLowered
      end
      object SplitPanels: TPanel
        Left = 668
        Top = 673
        Width = 312
        Height = 110
        BevelOuter = bvNone
        object SplitLeft: TPanel
          Left = 0
          Top = 0
          Width = 130
          Height = 110
          Align = alLeft
          Caption = 'Left of the splitter'
        end
        object Splitter1: TSplitter
          Left = 130
          Top = 0
          Width = 6
          Height = 110
          MinSize = 60
          ResizeStyle = rsUpdate
        end
        object SplitRight: TPanel
          Left = 136
          Top = 0
          Width = 176
          Height = 110
          Align = alClient
          Caption = 'Drag the bar between'
        end
      end
    end
    object TabsSheet: TTabSheet
      Caption = 'Tabs and lists'
      object TabsHeading: TLabel
        Left = 8
        Top = 6
        Caption = 'Tabs on every side, in button style, with close boxes'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object TabsTop: TPageControl
        Left = 8
        Top = 26
        Width = 310
        Height = 150
        ActivePage = TopSecond
        TabOrder = 0
        object TopFirst: TTabSheet
          Caption = 'General'
          object TopFirstLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'Tabs on top'
          end
        end
        object TopSecond: TTabSheet
          Caption = 'Advanced'
          object TopCheck: TCheckBox
            Left = 10
            Top = 10
            Width = 200
            Height = 20
            Caption = 'A check box on a sheet'
            Checked = True
            TabOrder = 0
          end
        end
        object TopThird: TTabSheet
          Caption = 'About'
        end
      end
      object TabsBottom: TPageControl
        Left = 330
        Top = 26
        Width = 310
        Height = 150
        ActivePage = BottomFirst
        TabOrder = 1
        TabPosition = tpBottom
        object BottomFirst: TTabSheet
          Caption = 'Summary'
          object BottomLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'Tabs at the bottom'
          end
        end
        object BottomSecond: TTabSheet
          Caption = 'Details'
        end
        object BottomThird: TTabSheet
          Caption = 'Notes'
        end
      end
      object TabsButtons: TPageControl
        Left = 652
        Top = 26
        Width = 320
        Height = 150
        ActivePage = ButtonsFirst
        Style = tsButtons
        TabOrder = 2
        object ButtonsFirst: TTabSheet
          Caption = 'Buttons'
          object ButtonsLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'Tabs drawn as buttons'
          end
        end
        object ButtonsSecond: TTabSheet
          Caption = 'Style'
        end
        object ButtonsThird: TTabSheet
          Caption = 'Third'
        end
      end
      object TabsLeft: TPageControl
        Left = 8
        Top = 188
        Width = 310
        Height = 160
        ActivePage = LeftSecond
        TabOrder = 3
        TabPosition = tpLeft
        object LeftFirst: TTabSheet
          Caption = 'One'
        end
        object LeftSecond: TTabSheet
          Caption = 'Two'
          object LeftLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'Tabs on the left'
          end
        end
        object LeftThird: TTabSheet
          Caption = 'Three'
        end
      end
      object TabsRight: TPageControl
        Left = 330
        Top = 188
        Width = 310
        Height = 160
        ActivePage = RightFirst
        TabOrder = 4
        TabPosition = tpRight
        object RightFirst: TTabSheet
          Caption = 'One'
          object RightLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'Tabs on the right'
          end
        end
        object RightSecond: TTabSheet
          Caption = 'Two'
        end
        object RightThird: TTabSheet
          Caption = 'Three'
        end
      end
      object TabsClose: TPageControl
        Tag = 7777
        Left = 652
        Top = 188
        Width = 320
        Height = 160
        ActivePage = CloseFirst
        TabOrder = 5
        object CloseFirst: TTabSheet
          Caption = 'Closable'
          object CloseLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'The box on a tab closes it'
          end
        end
        object CloseSecond: TTabSheet
          Caption = 'This one too'
        end
        object CloseThird: TTabSheet
          Caption = 'And this'
        end
      end
      object TabsOverflow: TTabControl
        Left = 8
        Top = 360
        Width = 310
        Height = 70
        TabOrder = 6
        TabIndex = 0
        Tabs.Strings = (
          'January'
          'February'
          'March'
          'April'
          'May'
          'June'
          'July'
          'August')
      end
      object ReportHeading: TLabel
        Left = 330
        Top = 360
        Caption = 'A header bar and a report list'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object HeaderBar1: THeaderControl
        Left = 330
        Top = 380
        Width = 642
        Height = 24
        HotTrack = True
      end
      object ReportList: TListView
        Left = 330
        Top = 412
        Width = 642
        Height = 200
        RowSelect = True
        TabOrder = 7
        ViewStyle = vsReport
      end
      object CoolHeading: TLabel
        Left = 330
        Top = 624
        Caption = 'A cool bar: a tool bar and an edit in its bands'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GalleryCoolBar: TCoolBar
        Left = 330
        Top = 644
        Width = 642
        Height = 34
        TabOrder = 10
        object CoolToolBar: TToolBar
          Left = 0
          Top = 0
          Width = 220
          Height = 26
          ButtonHeight = 24
          ButtonWidth = 60
          ShowCaptions = True
          TabOrder = 0
          object CoolCut: TToolButton
            Caption = 'Cut'
          end
          object CoolCopy: TToolButton
            Caption = 'Copy'
          end
          object CoolPaste: TToolButton
            Caption = 'Paste'
          end
        end
        object CoolEdit: TEdit
          Left = 0
          Top = 0
          Width = 200
          Height = 23
          TabOrder = 1
          Text = 'Find in a band'
        end
      end
      object ToolsHeading: TLabel
        Left = 8
        Top = 444
        Caption = 'A tool bar'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GalleryToolBar: TToolBar
        Left = 8
        Top = 464
        Width = 310
        Height = 36
        ButtonHeight = 30
        ButtonWidth = 70
        Images = MenuImages
        TabOrder = 8
        object ToolNew: TToolButton
          Caption = 'New'
          ImageIndex = 0
        end
        object ToolOpen: TToolButton
          Caption = 'Open'
          ImageIndex = 1
          MenuItem = ToolOpenItem
          Style = tbsDropDown
        end
        object ToolBold: TToolButton
          Caption = 'Bold'
          Down = True
          Style = tbsCheck
        end
        object ToolOff: TToolButton
          Caption = 'Off'
          Enabled = False
        end
      end
      object TabSetHeading: TLabel
        Left = 8
        Top = 512
        Caption = 'A tab set, its tabs scrolled'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GalleryTabSet: TTabSet
        Left = 8
        Top = 532
        Width = 310
        Height = 24
        EndMargin = 14
        TabIndex = 1
        Tabs.Strings = (
          'Monday'
          'Tuesday'
          'Wednesday'
          'Thursday'
          'Friday'
          'Saturday'
          'Sunday')
      end
      object TreeHeading: TLabel
        Left = 8
        Top = 568
        Caption = 'A tree view'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GalleryTree: TTreeView
        Left = 8
        Top = 588
        Width = 310
        Height = 236
        TabOrder = 9
      end
    end
    object ContainersSheet: TTabSheet
      Caption = 'Containers'
      object ContainersHeading: TLabel
        Left = 8
        Top = 6
        Caption = 'A group box, a panel and a scroll box; below, a frame and a form placed in this one'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object BoxGroup: TGroupBox
        Left = 8
        Top = 30
        Width = 300
        Height = 150
        Caption = 'A group box'
        TabOrder = 0
        object BoxGroupCheck: TCheckBox
          Left = 14
          Top = 28
          Width = 220
          Height = 20
          Caption = 'A check box in the group'
          Checked = True
          TabOrder = 0
        end
        object BoxGroupEdit: TEdit
          Left = 14
          Top = 60
          Width = 220
          Height = 23
          TabOrder = 1
          Text = 'An edit in the group'
        end
      end
      object BoxPanel: TPanel
        Left = 330
        Top = 30
        Width = 300
        Height = 150
        TabOrder = 1
        object BoxPanelLabel: TLabel
          Left = 14
          Top = 14
          Caption = 'A panel with a label and a button'
        end
        object BoxPanelButton: TButton
          Left = 14
          Top = 44
          Width = 120
          Height = 28
          Caption = 'On the panel'
          TabOrder = 0
        end
      end
      object BoxScroll: TScrollBox
        Left = 652
        Top = 30
        Width = 320
        Height = 150
        TabOrder = 2
        object BoxScrollPanel: TPanel
          Left = 0
          Top = 0
          Width = 480
          Height = 250
          BevelOuter = bvNone
          TabOrder = 0
          object BoxScrollLabel: TLabel
            Left = 10
            Top = 10
            Caption = 'A scroll box: its content reaches past both edges'
          end
          object BoxScrollButton: TButton
            Left = 340
            Top = 200
            Width = 120
            Height = 28
            Caption = 'Far away'
            TabOrder = 0
          end
        end
      end
      object FrameHeading: TLabel
        Left = 8
        Top = 196
        Caption = 'A frame'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GalleryFrame: TFrame
        Left = 8
        Top = 216
        Width = 470
        Height = 190
        TabOrder = 3
        object FrameLabel: TLabel
          Left = 10
          Top = 10
          Caption = 'The controls of a frame are skinned with the form'
        end
        object FrameEdit: TEdit
          Left = 10
          Top = 36
          Width = 250
          Height = 23
          TabOrder = 0
          Text = 'An edit in the frame'
        end
        object FrameCheck: TCheckBox
          Left = 10
          Top = 70
          Width = 250
          Height = 20
          Caption = 'A check box in the frame'
          TabOrder = 1
        end
        object FrameButton: TButton
          Left = 10
          Top = 100
          Width = 120
          Height = 28
          Caption = 'In the frame'
          TabOrder = 2
        end
      end
      object InnerFormHeading: TLabel
        Left = 500
        Top = 196
        Caption = 'A form inside this form'
        Font.Height = -12
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
      end
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 900
    Width = 1000
    Height = 23
    Panels = <
      item
        Width = 420
      end
      item
        Width = 300
        Alignment = taCenter
        Bevel = pbRaised
        Text = 'Panels, bevels and a size grip'
      end
      item
        Alignment = taRightJustify
        Text = 'Tovalin Gallery'
      end>
  end
  object ToolMenu: TPopupMenu
    object ToolOpenItem: TMenuItem
      Caption = '&Open'
      object ToolMenuFirst: TMenuItem
        Caption = '&Document'
        Tag = 91
        OnClick = MenuItemClick
      end
      object ToolMenuSecond: TMenuItem
        Caption = '&Template...'
        Tag = 92
        OnClick = MenuItemClick
      end
      object ToolMenuLine: TMenuItem
        Caption = '-'
      end
      object ToolMenuRecent: TMenuItem
        Caption = '&Recent'
        object ToolRecentFirst: TMenuItem
          Caption = 'report.txt'
          Tag = 93
          OnClick = MenuItemClick
        end
        object ToolRecentSecond: TMenuItem
          Caption = 'notes.txt'
          Tag = 94
          OnClick = MenuItemClick
        end
      end
      object ToolMenuReadOnly: TMenuItem
        Caption = 'Read &only'
        Checked = True
        Tag = 95
        OnClick = CheckItemClick
      end
      object ToolMenuShared: TMenuItem
        Caption = '&Shared copy'
        Enabled = False
        Tag = 96
        OnClick = MenuItemClick
      end
    end
  end
end

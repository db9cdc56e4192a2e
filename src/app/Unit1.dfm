object Form1: TForm1
  Left = 192
  Top = 114
  Width = 455
  Height = 480
  Caption = 'Tovalin'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -15
  Font.Name = '宋体'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 15
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  object Label1: TLabel
    Left = 15
    Top = 12
    Width = 96
    Height = 16
    Cursor = crHandPoint
    Caption = '了解兼职信息'
    Font.Charset = GB2312_CHARSET
    Font.Color = clPurple
    Font.Height = -16
    Font.Name = '宋体'
    Font.Style = [fsUnderline]
    ParentFont = False
    OnClick = Label1Click
  end
  object Label2: TLabel
    Left = 259
    Top = 14
    Width = 150
    Height = 15
    Cursor = crHandPoint
    Caption = '下载更多免费的好软件'
    Font.Charset = GB2312_CHARSET
    Font.Color = clBlue
    Font.Height = -15
    Font.Name = '宋体'
    Font.Style = [fsUnderline]
    ParentFont = False
    OnClick = Label2Click
  end
  object ListBox1: TListBox
    Left = 25
    Top = 53
    Width = 397
    Height = 335
    ItemHeight = 15
    TabOrder = 0
  end
  object Button1: TButton
    Left = 127
    Top = 399
    Width = 85
    Height = 38
    Caption = '隐藏窗口'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 232
    Top = 399
    Width = 85
    Height = 38
    Caption = '显示窗口'
    TabOrder = 2
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 338
    Top = 399
    Width = 85
    Height = 38
    Caption = '隐  藏'
    TabOrder = 3
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 22
    Top = 399
    Width = 85
    Height = 38
    Caption = '刷新'
    TabOrder = 4
    OnClick = Button4Click
  end
end

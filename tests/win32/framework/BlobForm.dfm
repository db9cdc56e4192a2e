object BlobForm: TBlobForm
  Caption = 'blob'
  object Holder: TBlobHolder
    Data = {@TESTDATA@}
  end
end

// The date and time picker over the system's "SysDateTimePick32": a date with a calendar
// that drops down, or a date or time changed field by field with up-down arrows.
#pragma once

#include <string>

#include "framework/Controls.h"

namespace tv {

enum class TDateTimeKind { dtkDate, dtkTime };
const TEnumInfo& DateTimeKindType();
enum class TDTDateMode { dmComboBox, dmUpDown };
const TEnumInfo& DTDateModeType();

class EDateTimeError : public Exception {
public:
    using Exception::Exception;
};

class TDateTimePicker : public TWinControl {
    TV_CLASS(TDateTimePicker, TWinControl)
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind v);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode v);
    // The date as "YYYY-MM-DD" and the time of day as "HH:MM:SS"; setting one keeps the
    // other. A value that is no real date or time throws EDateTimeError.
    std::string Date() const;
    void SetDate(const std::string& v);
    std::string Time() const;
    void SetTime(const std::string& v);
    // Both at once, as the control holds them.
    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& v);

    // After the user changed the date or time.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void HandleMessage(TMessage& m) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void Apply();
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
    SYSTEMTIME value_{};
};

}  // namespace tv

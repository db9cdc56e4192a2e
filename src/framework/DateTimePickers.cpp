#include "framework/DateTimePickers.h"

#include <cstdio>

#include <commctrl.h>

namespace tv {

namespace {

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : days[month - 1];
}

// Exactly "d-d-d" / "d:d:d" with nothing after; the picker's range starts in 1601.
bool ParseThree(const std::string& v, char sep, int& a, int& b, int& c) {
    char s1 = 0, s2 = 0;
    int used = 0;
    if (std::sscanf(v.c_str(), "%d%c%d%c%d%n", &a, &s1, &b, &s2, &c, &used) != 5) return false;
    return s1 == sep && s2 == sep && std::size_t(used) == v.size();
}

std::string Format(const char* pattern, int a, int b, int c) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

SYSTEMTIME Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    now.wMilliseconds = 0;
    return now;
}

}  // namespace

const TEnumInfo& DateTimeKindType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TDateTimeKind", {"dtkDate", "dtkTime"});
    return info;
}

const TEnumInfo& DTDateModeType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TDTDateMode", {"dmComboBox", "dmUpDown"});
    return info;
}

const TClassInfo& TDateTimePicker::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TDateTimePicker>("TDateTimePicker")
            .Enum("Kind", DateTimeKindType(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
            .Default(int(TDateTimeKind::dtkDate))
            .Enum("DateMode", DTDateModeType(), &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
            .Default(int(TDTDateMode::dmComboBox))
            .Str("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
            .Str("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
            .Event("OnChange", &TDateTimePicker::OnChange)
            .Done();
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), value_(Today()) {
    SetBoundsFields(0, 0, 186, 21);
    SetTabStop(true);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(p);
    p.sysClassName = DATETIMEPICK_CLASSW;
    p.caption.clear();
    if (kind_ == TDateTimeKind::dtkTime) p.style |= DTS_TIMEFORMAT;
    else if (dateMode_ == TDTDateMode::dmUpDown) p.style |= DTS_UPDOWN;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    Apply();
}

void TDateTimePicker::DestroyWnd() {
    if (HandleAllocated()) value_ = DateTime();
    TWinControl::DestroyWnd();
}

void TDateTimePicker::Apply() {
    if (HandleAllocated()) ::SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    if (v == kind_) return;
    if (HandleAllocated()) value_ = DateTime();
    kind_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
    if (v == dateMode_) return;
    if (HandleAllocated()) value_ = DateTime();
    dateMode_ = v;
    if (HandleAllocated()) RecreateWnd();
}

SYSTEMTIME TDateTimePicker::DateTime() const {
    if (!HandleAllocated()) return value_;
    SYSTEMTIME st{};
    if (::SendMessageW(const_cast<TDateTimePicker*>(this)->Handle(), DTM_GETSYSTEMTIME, 0,
                       reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return value_;
    return st;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& v) {
    value_ = v;
    value_.wMilliseconds = 0;
    Apply();
}

std::string TDateTimePicker::Date() const {
    const SYSTEMTIME st = DateTime();
    return Format("%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
}

void TDateTimePicker::SetDate(const std::string& v) {
    int y = 0, m = 0, d = 0;
    if (!ParseThree(v, '-', y, m, d) || y < 1601 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysIn(y, m))
        throw EDateTimeError("'" + v + "' is not a valid date");
    SYSTEMTIME st = DateTime();
    st.wYear = WORD(y);
    st.wMonth = WORD(m);
    st.wDay = WORD(d);
    st.wDayOfWeek = 0;  // the control works it out
    SetDateTime(st);
}

std::string TDateTimePicker::Time() const {
    const SYSTEMTIME st = DateTime();
    return Format("%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
}

void TDateTimePicker::SetTime(const std::string& v) {
    int h = 0, m = 0, s = 0;
    if (!ParseThree(v, ':', h, m, s) || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        throw EDateTimeError("'" + v + "' is not a valid time");
    SYSTEMTIME st = DateTime();
    st.wHour = WORD(h);
    st.wMinute = WORD(m);
    st.wSecond = WORD(s);
    SetDateTime(st);
}

void TDateTimePicker::HandleMessage(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr && hdr->code == DTN_DATETIMECHANGE) {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
            // The control tells some changes twice (the calendar's click and its closing):
            // only a new value is a change.
            if (change->dwFlags == GDT_VALID) {
                SYSTEMTIME st = change->st;
                st.wMilliseconds = 0;
                const bool same = st.wYear == value_.wYear && st.wMonth == value_.wMonth && st.wDay == value_.wDay &&
                                  st.wHour == value_.wHour && st.wMinute == value_.wMinute &&
                                  st.wSecond == value_.wSecond;
                value_ = st;
                if (!same && OnChange) OnChange(this);
            }
        }
        m.Result = 0;
        return;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv

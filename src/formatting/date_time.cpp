#include "formatting/date_time.h"

namespace orvex::formatting {

bool TryEncodeDate(int, int, int, TDateTime&) {
    return false;
}
bool TryEncodeTime(int, int, int, int, TDateTime&) {
    return false;
}
bool TryEncodeDateTime(int, int, int, int, int, int, int, TDateTime&) {
    return false;
}
TDateTime EncodeDate(int, int, int) {
    return 0;
}
TDateTime EncodeTime(int, int, int, int) {
    return 0;
}
TDateTime EncodeDateTime(int, int, int, int, int, int, int) {
    return 0;
}
void DecodeDate(TDateTime, int& y, int& m, int& d) {
    y = m = d = 0;
}
void DecodeTime(TDateTime, int& h, int& n, int& s, int& z) {
    h = n = s = z = 0;
}
int DayOfWeek(TDateTime) {
    return 7;
}
TDateTime DateTimeOf(const platform::LocalTime&) {
    return 0;
}
TDateTime CurrentDateTime() {
    return 0;
}
TDateTime CurrentDate() {
    return 0;
}
TDateTime CurrentTime() {
    return 0;
}
std::string FormatDateTime(std::string_view, TDateTime, const TFormatSettings&) {
    return {};
}
std::string DateToStr(TDateTime, const TFormatSettings&) {
    return {};
}
std::string TimeToStr(TDateTime, const TFormatSettings&) {
    return {};
}
std::string DateTimeToStr(TDateTime, const TFormatSettings&) {
    return {};
}
bool TryStrToDate(std::string_view, TDateTime&, const TFormatSettings&) {
    return false;
}
bool TryStrToTime(std::string_view, TDateTime&, const TFormatSettings&) {
    return false;
}
bool TryStrToDateTime(std::string_view, TDateTime&, const TFormatSettings&) {
    return false;
}
TDateTime StrToDate(std::string_view, const TFormatSettings&) {
    return 0;
}
TDateTime StrToTime(std::string_view, const TFormatSettings&) {
    return 0;
}
TDateTime StrToDateTime(std::string_view, const TFormatSettings&) {
    return 0;
}
int ExpandTwoDigitYear(int year, int) {
    return year;
}

} // namespace orvex::formatting

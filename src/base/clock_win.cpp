#include "base/clock_win.h"

#include <windows.h>

#include "base/optional_api_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

LocalDateTime ClockWin::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    LocalDateTime now;
    now.year = st.wYear;
    now.month = st.wMonth;
    now.day = st.wDay;
    now.hour = st.wHour;
    now.minute = st.wMinute;
    now.second = st.wSecond;
    return now;
}

float ClockWin::SecondsSinceMidnight() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return static_cast<float>(st.wHour * 3600 + st.wMinute * 60 + st.wSecond) +
           static_cast<float>(st.wMilliseconds) / 1000.0f;
}

double ClockWin::MonotonicSeconds() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    if (frequency.QuadPart == 0) {
        return static_cast<double>(GetTickCount64()) / 1000.0;
    }
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string ClockWin::DefaultDateTimeText(const LocalDateTime& when) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(when.year);
    st.wMonth = static_cast<WORD>(when.month);
    st.wDay = static_cast<WORD>(when.day);
    st.wHour = static_cast<WORD>(when.hour);
    st.wMinute = static_cast<WORD>(when.minute);
    st.wSecond = static_cast<WORD>(when.second);

    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128);
    return Narrow(date) + " " + Narrow(time);
}

std::string ClockWin::LongDateText(const LocalDateTime& when) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(when.year);
    st.wMonth = static_cast<WORD>(when.month);
    st.wDay = static_cast<WORD>(when.day);
    // A round trip through the file time fills in the day of the week the long format names.
    FILETIME ft{};
    if (SystemTimeToFileTime(&st, &ft)) {
        FileTimeToSystemTime(&ft, &st);
    }
    return Narrow(win::LongDateText(st));
}

}  // namespace orvelle::win

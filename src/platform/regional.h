#pragma once

#include <array>
#include <string>

namespace pellino {

// The user's regional settings as far as the program uses them. Formats are in the platform's own
// picture notation ("M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm:ss tt").
struct RegionalSettings {
    std::string shortDateFormat = "M/d/yyyy";
    std::string longDateFormat = "dddd, MMMM d, yyyy";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string amText = "AM";
    std::string pmText = "PM";
    bool hourLeadingZero = false;  // leading zero on hours in the short time format
    bool clock24 = false;          // 24-hour clock
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

RegionalSettings ReadRegionalSettings();

}  // namespace pellino

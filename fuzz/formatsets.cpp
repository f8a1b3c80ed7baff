#include "formatsets.h"

#include "platform/headless/testing.h"
#include "platform/regional.h"
#include "runtime/formats.h"

namespace pellino::fuzz {

FormatSet FormatSetOf(std::uint8_t choice) {
    return static_cast<FormatSet>(choice % 4);
}

const char* FormatSetName(FormatSet set) {
    switch (set) {
        case FormatSet::Fixed:
            return "fixed";
        case FormatSet::User12Hour:
            return "user 12-hour";
        case FormatSet::User24Hour:
            return "user 24-hour";
        case FormatSet::UserNoMarker:
            return "user without designators";
    }
    return "?";
}

void PrepareFormatSet(FormatSet set) {
    RegionalSettings regional;  // United States
    if (set == FormatSet::User24Hour) {
        regional.shortDateFormat = "dd.MM.yyyy";
        regional.longDateFormat = "dddd, d. MMMM yyyy";
        regional.dateSeparator = ".";
        regional.amText = "";
        regional.pmText = "";
        regional.hourLeadingZero = true;
        regional.clock24 = true;
    } else if (set == FormatSet::UserNoMarker) {
        regional.amText = "";
        regional.pmText = "";
    }
    headless::SetRegionalSettings(regional);
    SaveUserFormats();
    UseFixedFormats();
}

}  // namespace pellino::fuzz

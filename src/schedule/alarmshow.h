#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace pellino {

// The notification window. (Being written.)
class TAlarmShow : public Form {
public:
    TAlarmShow();
};

}  // namespace pellino

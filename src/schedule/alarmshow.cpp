#include "schedule/alarmshow.h"

namespace pellino {

TAlarmShow::TAlarmShow() : Form("TAlarmShow") {}

}  // namespace pellino

#pragma once

namespace pellino {

class TEditAlarmExact;
class TEditAlarmRepeating;
class TSetTimeDialog;

// The what's-this texts of the editors' controls and of the time picker's.
void ExplainControls(TEditAlarmExact& editor);
void ExplainControls(TEditAlarmRepeating& editor);
void ExplainControls(TSetTimeDialog& picker);

}  // namespace pellino

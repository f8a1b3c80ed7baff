// The reminder clock. (Being written.)
#include "mainwindow/mainform.h"

namespace pellino {

void TMainForm::SetUpClock() {}
void TMainForm::Timer1Timer() {}
void TMainForm::CheckNormalAlarms() {}
void TMainForm::CheckRepeatAlarms() {}
void TMainForm::AdjustForSnooze(int, int) {}
void TMainForm::AdjustRepeatForSnooze(int, int) {}
void TMainForm::PlaySoundNow(const std::string&) {}
void TMainForm::mnuSelectSoundFileClick() {}
void TMainForm::mnuNoAlarmSoundClick() {}

}  // namespace pellino

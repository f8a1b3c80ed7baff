// Start-up and shutdown of the main window. (Being written.)
#include "mainwindow/mainform.h"
#include "schedule/alarmshow.h"

namespace pellino {

void TMainForm::SetUpStartup() {}
void TMainForm::FormCreate() {}
void TMainForm::FormActivate() {}
void TMainForm::FormCloseQuery(bool&) {}
void TMainForm::FormClose() {}
void TMainForm::FormDestroy() {}
void TMainForm::CreateNotificationWindow() { alarmShow_ = std::make_unique<TAlarmShow>(); }

}  // namespace pellino

// The reminder data file. (Being written.)
#include "mainwindow/mainform.h"

namespace pellino {

void TMainForm::SaveToDisk() {}
void TMainForm::LoadFromDisk() {}
void TMainForm::Reload() {}

}  // namespace pellino

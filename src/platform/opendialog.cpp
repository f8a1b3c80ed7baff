#include "platform/opendialog.h"

#include "platform/backend.h"

namespace pellino {

bool OpenDialog::Execute() {
    std::string chosen;
    if (!backend::RunOpenDialog(*this, chosen)) return false;
    fileName_ = std::move(chosen);
    return true;
}

}  // namespace pellino

#pragma once

#include "platform/exception.h"

namespace pellino {

// The typed errors of the program. Each carries the exact message the user sees.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};
class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EInOutError : public Exception {
public:
    using Exception::Exception;
};
class EIniFileError : public Exception {
public:
    using Exception::Exception;
};
// The user's log-on start could not be made or removed (File > "Start with Windows").
class EStartWithWindowsError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace pellino

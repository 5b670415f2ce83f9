#pragma once
// Errors raised by pictures and streams. All derive from one Exception class
// so a handler boundary can catch them with everything else of the layer.

#include "platform/sys/SysUtils.h"

// Damaged, truncated or unsupported picture data.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A picture operation the graphic does not support (e.g. saving a format we only read).
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

// A picture too large to hold in memory.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

#pragma once
// The errors of the device-independent bitmap. Their texts are ASCII:
// what() and the shown Message say the same.
#include "core/commands/ShownError.h"

#include <string>

class EDibError : public EShownError {
public:
    explicit EDibError(const std::string& message) : EShownError(WidenAscii(message), message) {}
};

// The bits or their header describe no bitmap we hold.
class EDibInvalidDIB : public EDibError {
    using EDibError::EDibError;
};
// The file around the bitmap is wrong (type, offset to the bits).
class EDibInvalidDIBFile : public EDibError {
    using EDibError::EDibError;
};
// A caller asked for a size, depth or colour count we do not make.
class EDibInvalidDIBPara : public EDibError {
    using EDibError::EDibError;
};
// A conversion step was handed a form it does not take, or bad run-length data.
class EDibBadDIBType : public EDibError {
    using EDibError::EDibError;
};
class EDibInvalidPalette : public EDibError {
    using EDibError::EDibError;
};
class EDibCompressionFailed : public EDibError {
    using EDibError::EDibError;
};
class EDibCanvasFailed : public EDibError {
    using EDibError::EDibError;
};

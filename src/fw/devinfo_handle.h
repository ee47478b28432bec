#pragma once
// Owner of a device information list. Kept apart from handle.h so that only
// the device code pulls in setupapi.h; link with setupapi.
#include <windows.h>
#include <setupapi.h>

#include "fw/handle.h"

namespace gd {

// SetupDiGetClassDevsA reports failure with INVALID_HANDLE_VALUE, not null.
struct DevInfoTraits {
    using Type = HDEVINFO;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::SetupDiDestroyDeviceInfoList(h); }
};

using UniqueDevInfo = Handle<DevInfoTraits>;

}  // namespace gd

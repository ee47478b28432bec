#include "driverlink/driver_texts.h"

#include <algorithm>
#include <iterator>

namespace gd {

namespace {

struct Text {
    unsigned id;
    const char* text;
};

constexpr Text kTexts[] = {
    {1, "Gripdeck"},
    {50, "Can't open the file %s. Please verify it again."},
    {57,
     "Can't find the Gripdeck device. Please double check the device is already pluged in "
     "this computer."},
    {58, "Your Gripdeck device has been resetuped finished, new USB port is ready."},
    {59, "Your Gripdeck device has been resetuped failed, please reinstall it.\n"},
};

}  // namespace

const char* DefaultDriverLinkText(unsigned id) {
    const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                    [id](const Text& t) { return t.id == id; });
    return found == std::end(kTexts) ? nullptr : found->text;
}

}  // namespace gd

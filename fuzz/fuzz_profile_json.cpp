// The JSON form of a profile, as shared online and opened by gpxtool and the
// program: any text is either refused, leaving the records exactly as they
// were, or read into a profile whose own JSON form reads back to the same
// bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "profile/profile_json_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    gd::Json document;
    if (gd::ParseJson(text, document)) {
        return 0;
    }
    auto image = std::make_unique<gd::ProfileImage>();
    auto summary = std::make_unique<gd::SummaryBlock>();
    std::memset(image.get(), 0xA5, sizeof *image);
    std::memset(summary.get(), 0xA5, sizeof *summary);
    const auto untouched = std::make_unique<gd::ProfileImage>(*image);
    const auto untouchedSummary = std::make_unique<gd::SummaryBlock>(*summary);
    if (gd::ProfileFromJson(document, *image, *summary)) {
        if (std::memcmp(image.get(), untouched.get(), sizeof *image) != 0 ||
            std::memcmp(summary.get(), untouchedSummary.get(), sizeof *summary) != 0) {
            std::abort();
        }
        return 0;
    }
    auto again = std::make_unique<gd::ProfileImage>();
    auto againSummary = std::make_unique<gd::SummaryBlock>();
    if (gd::ProfileFromJson(gd::ProfileToJson(*image, *summary), *again, *againSummary) ||
        std::memcmp(again.get(), image.get(), sizeof *image) != 0 ||
        std::memcmp(againSummary.get(), summary.get(), sizeof *summary) != 0) {
        std::abort();
    }
    return 0;
}

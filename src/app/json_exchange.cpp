#include "app/json_exchange.h"

#include <cctype>
#include <memory>
#include <utility>

#include "profile/profile_json.h"

namespace gd {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> ImportProfileJson(ProfileSession& session, const std::string& path,
                                             std::string untitledName) {
    // Read beside the session's records: a refused file must leave them be.
    const auto content = std::make_unique<ProfileContent>();
    if (std::optional<std::string> reason =
            ReadProfileJsonFile(path, content->image, content->summary)) {
        return reason;
    }
    session.Import(*content, std::move(untitledName));
    return std::nullopt;
}

std::optional<std::string> ExportProfileJson(const ProfileSession& session,
                                             const std::string& path) {
    return WriteProfileJsonFile(path, session.image(), session.summary());
}

std::string JsonFileNameFor(std::string_view profileName) {
    constexpr std::string_view kProfileExtension = ".gpx";
    if (EndsWithNoCase(profileName, kProfileExtension)) {
        profileName.remove_suffix(kProfileExtension.size());
    }
    std::string name(profileName);
    name += ".json";
    return name;
}

}  // namespace gd

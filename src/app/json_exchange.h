#pragma once
// File > Import... and File > Export...: the open profile from and to its
// JSON form (profile/profile_json.h), the same text gpxtool's import and
// export read and write, with the same checks and reasons.
#include <optional>
#include <string>
#include <string_view>

#include "app/model/profile_session.h"

namespace gd {

// The profile in the JSON file at `path` takes the session's place as a new
// profile named `untitledName`: no file, modified, a fresh history. A file
// that is refused changes nothing; its reason says where it is wrong
// ("line 3, column 12: ..." or "/buttons/4/kind: ...").
std::optional<std::string> ImportProfileJson(ProfileSession& session, const std::string& path,
                                             std::string untitledName);

// The profile as the session holds it, unsaved changes included, to `path`
// (replaced whole or left as it was). The session does not change.
std::optional<std::string> ExportProfileJson(const ProfileSession& session,
                                             const std::string& path);

// The name Export proposes: the profile's name with ".json" in place of
// ".gpx" (any letter case), or added.
std::string JsonFileNameFor(std::string_view profileName);

}  // namespace gd

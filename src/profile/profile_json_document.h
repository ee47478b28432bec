#pragma once
// A whole profile (ProfileImage and SummaryBlock) as a JSON document, and
// back, byte for byte.
//
//   { "format": "gripdeck-profile", "version": 1,
//     "summary": { "name", "game", "author", "comment",
//                  "resolution": { "width", "height" }, "extra" },
//     "buttons": [ 20 slots, M1 first ] }
//
// A slot is { "button": "M1", "kind": ..., the kind's fields, "extra" }:
//   Off, Default, StopKey, StopMacroLoop, SuperStop    no fields
//   SingleKey, SingleMouse    code, x, y, screenWidth, screenHeight
//   Macro                     name, playMode, repeatInterval, screenWidth,
//                             screenHeight, events [ { code, x, y, delay } ]
//   MultiLayer                name, layers [ { kind, the layer's fields } ]
//   Raw                       slotType: slots the other kinds cannot show
// Codes are "0x"-prefixed hex words. Names beside them ("key", "mouse",
// "action", "position") and "layerKind" are written for people and not read
// back: the codes decide. "extra" lists runs of bytes ({ "at": offset in
// the slot or block, "hex": bytes }) that the fields do not account for,
// such as a former layer set behind a macro; they are laid over the fields
// last. Texts are UTF-8 in JSON and Windows-1252 in the profile.
#include <optional>
#include <string>

#include "profile/json_input.h"
#include "profile/profile_json.h"
#include "profile/records.h"

namespace gd {

// Every image and block has a document; importing it gives the same bytes.
Json ProfileToJson(const ProfileImage& image, const SummaryBlock& summary);

// Refuses any value the fields cannot hold, naming where it is. `image` and
// `summary` change only on success.
std::optional<JsonProblem> ProfileFromJson(const Json& document, ProfileImage& image,
                                           SummaryBlock& summary);

// Indented JSON text with each object or array of plain values on one line,
// so a macro reads one event per line. Ends with a newline.
std::string FormatJson(const Json& document);

}  // namespace gd

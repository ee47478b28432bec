#include "profile/json_input.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <utility>

namespace gd {

namespace {

// A profile nests six levels deep; anything far deeper is not one, and
// refusing it keeps recursion elsewhere bounded.
constexpr int kMaxDepth = 32;

// As JSON writes it: quoted, with control characters escaped.
std::string Quoted(std::string_view text) {
    return Json(std::string(text)).dump();
}

std::string EscapePointerToken(std::string_view key) {
    std::string token;
    for (char c : key) {
        if (c == '~') {
            token += "~0";
        } else if (c == '/') {
            token += "~1";
        } else {
            token += c;
        }
    }
    return token;
}

// Tracks where the parser is, to name the place of a duplicate field.
class DuplicateFieldCheck {
  public:
    bool operator()(int depth, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        if (depth > kMaxDepth) {
            throw JsonInputError({Path(), "nested deeper than " + std::to_string(kMaxDepth)});
        }
        switch (event) {
            case Event::object_start:
            case Event::array_start:
                CountElement();
                frames_.push_back(Frame{event == Event::object_start, {}, {}, -1});
                break;
            case Event::object_end:
            case Event::array_end:
                frames_.pop_back();
                break;
            case Event::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second) {
                    throw JsonInputError({Path(), "duplicate field " + Quoted(frame.key)});
                }
                break;
            }
            case Event::value:
                CountElement();
                break;
        }
        return true;
    }

    // Where the value the parser is reading now goes: the field named last,
    // or the array element after the last one counted.
    std::string PendingPath() const { return Path(true); }

  private:
    struct Frame {
        bool object;
        std::set<std::string> keys;
        std::string key;
        long index;
    };

    void CountElement() {
        if (!frames_.empty() && !frames_.back().object) {
            ++frames_.back().index;
        }
    }

    std::string Path(bool pending = false) const {
        std::string path;
        for (std::size_t i = 0; i < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            const long index = frame.index + (pending && i + 1 == frames_.size() ? 1 : 0);
            path += '/';
            path += frame.object ? EscapePointerToken(frame.key) : std::to_string(index);
        }
        return path;
    }

    std::vector<Frame> frames_;
};

// The library counts the place of an error itself, but loses the column
// when the token before it ends a line; the byte it stopped at is reliable.
// Columns count characters, as an editor shows them, not UTF-8 bytes.
void PlaceByte(std::string_view text, std::size_t bytesRead, JsonProblem& problem) {
    const std::size_t at = std::min(bytesRead == 0 ? 0 : bytesRead - 1, text.size());
    const std::string_view before = text.substr(0, at);
    const std::size_t lineStart = before.rfind('\n') + 1;  // npos + 1 == 0
    problem.line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    problem.column = 1;
    for (const char c : before.substr(lineStart)) {
        problem.column += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
}

// The library says "[json.exception.parse_error.101] parse error at line 3,
// column 12: syntax error ..."; the place goes to the problem's own fields,
// so that it leads the message, and the library's numbering goes.
JsonProblem ParseErrorProblem(std::string_view text, const nlohmann::json::parse_error& error) {
    std::string_view what = error.what();
    if (const std::size_t colon = what.find(": "); colon != std::string_view::npos) {
        what.remove_prefix(colon + 2);
    }
    JsonProblem problem;
    PlaceByte(text, error.byte, problem);
    problem.reason = "not valid JSON: " + std::string(what);
    return problem;
}

bool IsWholeNumber(const Json& value) {
    return value.is_number_integer();
}

}  // namespace

std::optional<JsonProblem> ParseJson(std::string_view text, Json& document) {
    DuplicateFieldCheck check;
    try {
        Json parsed = Json::parse(text.begin(), text.end(), std::ref(check));
        document = std::move(parsed);
        return std::nullopt;
    } catch (const JsonInputError& error) {
        return error.problem();
    } catch (const nlohmann::json::parse_error& error) {
        return ParseErrorProblem(text, error);
    } catch (const nlohmann::json::out_of_range&) {
        // A number no double holds, such as 1e400; the parser says only that.
        return JsonProblem{check.PendingPath(), "number out of range"};
    }
}

namespace json {

Node Node::Child(std::string_view key) const {
    return Node(value_->at(std::string(key)), path_ + "/" + EscapePointerToken(key));
}

Node Node::Element(std::size_t index) const {
    return Node(value_->at(index), path_ + "/" + std::to_string(index));
}

void Node::Fail(std::string reason) const {
    throw JsonInputError({path_, std::move(reason)});
}

ObjectReader::ObjectReader(const Node& node) : node_(node) {
    if (!node.value().is_object()) {
        node.Fail("must be an object");
    }
}

std::optional<Node> ObjectReader::Optional(std::string_view key) {
    taken_.emplace_back(key);
    if (!node_.value().contains(std::string(key))) {
        return std::nullopt;
    }
    return node_.Child(key);
}

Node ObjectReader::Required(std::string_view key) {
    std::optional<Node> child = Optional(key);
    if (!child) {
        node_.Fail("missing field " + Quoted(key));
    }
    return *child;
}

void ObjectReader::Describes(std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) {
        taken_.emplace_back(key);
    }
}

void ObjectReader::Finish() const {
    for (const auto& [key, value] : node_.value().items()) {
        if (std::find(taken_.begin(), taken_.end(), key) == taken_.end()) {
            node_.Child(key).Fail("unknown field " + Quoted(key));
        }
    }
}

namespace {

// A JSON number holds either an unsigned or a signed 64-bit value; each is
// compared with the bounds as it is, so no value wraps into the range.
template <typename Number>
Number ReadWholeNumber(const Node& node, Number min, Number max) {
    const Json& value = node.value();
    const std::string range =
        "a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    if (!IsWholeNumber(value)) {
        node.Fail("must be " + range);
    }
    const auto inRange = [&](auto number) {
        return std::cmp_greater_equal(number, min) && std::cmp_less_equal(number, max);
    };
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (inRange(number)) {
            return static_cast<Number>(number);
        }
    } else {
        const auto number = value.get<std::int64_t>();
        if (inRange(number)) {
            return static_cast<Number>(number);
        }
    }
    node.Fail(value.dump() + " is out of range: must be " + range);
}

}  // namespace

std::uint32_t ReadUnsigned(const Node& node, std::uint32_t min, std::uint32_t max) {
    return ReadWholeNumber(node, min, max);
}

std::int32_t ReadSigned(const Node& node, std::int32_t min, std::int32_t max) {
    return ReadWholeNumber(node, min, max);
}

std::uint32_t ReadWord(const Node& node) {
    const Json& value = node.value();
    if (IsWholeNumber(value)) {
        return ReadUnsigned(node, 0, 0xFFFFFFFFu);
    }
    const char* expected = "must be a 32-bit hex word such as \"0x0120001E\"";
    if (!value.is_string()) {
        node.Fail(expected);
    }
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        node.Fail(expected);
    }
    std::uint32_t word = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, word, 16);
    if (error != std::errc{} || end != last) {
        node.Fail(expected);
    }
    return word;
}

std::string ReadString(const Node& node) {
    if (!node.value().is_string()) {
        node.Fail("must be a string");
    }
    return node.value().get<std::string>();
}

std::vector<std::uint8_t> ReadHexBytes(const Node& node) {
    const std::string text = ReadString(node);
    if (text.empty() || text.size() % 2 != 0) {
        node.Fail("must be pairs of hex digits");
    }
    std::vector<std::uint8_t> bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char* first = text.data() + 2 * i;
        const auto [end, error] = std::from_chars(first, first + 2, bytes[i], 16);
        if (error != std::errc{} || end != first + 2) {
            node.Fail("must be pairs of hex digits");
        }
    }
    return bytes;
}

std::vector<Node> ReadArray(const Node& node, std::size_t maxCount, std::string_view what) {
    if (!node.value().is_array()) {
        node.Fail("must be an array");
    }
    const std::size_t count = node.value().size();
    if (count > maxCount) {
        node.Fail(std::to_string(count) + " " + std::string(what) + ", at most " +
                  std::to_string(maxCount) + " allowed");
    }
    std::vector<Node> elements;
    elements.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        elements.push_back(node.Element(i));
    }
    return elements;
}

std::size_t ReadChoice(const Node& node, const std::vector<std::string_view>& names) {
    const std::string text = ReadString(node);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) {
            return i;
        }
    }
    std::string list;
    for (std::string_view name : names) {
        list += list.empty() ? "" : ", ";
        list += name;
    }
    node.Fail("unknown value " + Quoted(text) + " (expected one of: " + list + ")");
}

std::string HexWord(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

}  // namespace json
}  // namespace gd
